# The Windows build: the core, the forms, the services on the Windows API, the
# program with its native front end (src/win32/) and their tests, run under
# Wine when cross-built. With TAMBLEWICK_WINDOWS_FRONT_END=qt and an installed
# Qt 6, the program is built with the Qt windows instead.

file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/win/*.cpp)
add_library(tamblewick_win STATIC ${WIN_SOURCES})
target_link_libraries(tamblewick_win PUBLIC tamblewick_core shell32)

set(TAMBLEWICK_WINDOWS_FRONT_END native CACHE STRING "The program's windows: native or qt")
set_property(CACHE TAMBLEWICK_WINDOWS_FRONT_END PROPERTY STRINGS native qt)
if(TAMBLEWICK_WINDOWS_FRONT_END STREQUAL "qt")
  find_package(Qt6 QUIET COMPONENTS Widgets)
endif()

if(NOT TAMBLEWICK_WINDOWS_FRONT_END STREQUAL "qt")
  # The native front end: the three windows, the boxes and the screen on the
  # Windows API. The settings editor's window is made from src/win32/Setting*;
  # TAMBLEWICK_EDITOR=stub puts an empty stand-in in its place.
  set(TAMBLEWICK_EDITOR auto CACHE STRING "The settings editor's window: auto, real or stub")
  set_property(CACHE TAMBLEWICK_EDITOR PROPERTY STRINGS auto real stub)
  file(GLOB WIN32_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/win32/*.cpp
       ${CMAKE_SOURCE_DIR}/src/win32/*.h)
  list(FILTER WIN32_UI_SOURCES EXCLUDE REGEX "/app\\.cpp$")
  set(EDITOR_KIND ${TAMBLEWICK_EDITOR})
  if(EDITOR_KIND STREQUAL "auto")
    if(EXISTS ${CMAKE_SOURCE_DIR}/src/win32/Setting.cpp)
      set(EDITOR_KIND real)
    else()
      set(EDITOR_KIND stub)
    endif()
  endif()
  if(EDITOR_KIND STREQUAL "stub")
    list(FILTER WIN32_UI_SOURCES EXCLUDE REGEX "/Setting[^/]*$")
    list(APPEND WIN32_UI_SOURCES ${CMAKE_SOURCE_DIR}/src/win32/stub/editor_stub.cpp)
    message(STATUS "The settings editor is a stand-in (TAMBLEWICK_EDITOR=stub)")
  endif()
  add_library(tamblewick_win32 STATIC ${WIN32_UI_SOURCES})
  target_include_directories(tamblewick_win32 PUBLIC ${CMAKE_SOURCE_DIR}/src/win32)
  target_compile_definitions(tamblewick_win32 PUBLIC UNICODE _UNICODE)
  target_link_libraries(tamblewick_win32 PUBLIC tamblewick_forms comctl32
                        comdlg32 gdi32 shell32 ole32 uuid)

  add_executable(tamblewick WIN32 ${CMAKE_SOURCE_DIR}/src/win32/app.cpp)
  if(EDITOR_KIND STREQUAL "stub")
    target_compile_definitions(tamblewick PRIVATE TAMBLEWICK_EDITOR_STUB)
  endif()
  target_link_options(tamblewick PRIVATE -municode)
  target_link_libraries(tamblewick PRIVATE tamblewick_win32 tamblewick_win)
  add_custom_command(TARGET tamblewick POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/Sample.ini
            -DDST=$<TARGET_FILE_DIR:tamblewick>/Sample.ini
            -P ${CMAKE_SOURCE_DIR}/scripts/copy_if_absent.cmake)
elseif(Qt6_FOUND)
  set(CMAKE_AUTOMOC ON)
  # The X11 hints have no use here: Qt::Tool keeps the bar off the task bar.
  file(GLOB UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/ui/*.cpp ${CMAKE_SOURCE_DIR}/src/ui/*.h
       ${CMAKE_SOURCE_DIR}/src/ui/qt/*.cpp ${CMAKE_SOURCE_DIR}/src/ui/qt/*.h)
  list(FILTER UI_SOURCES EXCLUDE REGEX "/x11_[a-z]+\\.(cpp|h)$")
  add_library(tamblewick_ui STATIC ${UI_SOURCES})
  target_link_libraries(tamblewick_ui PUBLIC tamblewick_forms Qt6::Widgets)

  add_executable(tamblewick WIN32 ${CMAKE_SOURCE_DIR}/src/app.cpp)
  target_link_libraries(tamblewick PRIVATE tamblewick_ui tamblewick_win)
  add_custom_command(TARGET tamblewick POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/Sample.ini
            -DDST=$<TARGET_FILE_DIR:tamblewick>/Sample.ini
            -P ${CMAKE_SOURCE_DIR}/scripts/copy_if_absent.cmake)
  file(GLOB HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/TAMBLEWICKHELP*)
  add_custom_target(help_document ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${HELP_FILES} $<TARGET_FILE_DIR:tamblewick>
    VERBATIM)
endif()

option(TAMBLEWICK_WINDOWS_TESTS "Build the core and service tests (GoogleTest from its sources)" ON)
if(NOT TAMBLEWICK_WINDOWS_TESTS)
  return()
endif()

set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "The GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

enable_testing()
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  # Tests (and their discovery) run under Wine in a prefix of this build.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine_run.sh
      ${CMAKE_BINARY_DIR}/wineprefix)
endif()

# The core's tests that need nothing of Linux.
set(PORTABLE_CORE_TESTS barrules codec inifile sysstatus_background sysformat text fuzz_corpus)
list(TRANSFORM PORTABLE_CORE_TESTS PREPEND ${CMAKE_SOURCE_DIR}/tests/core/)
list(TRANSFORM PORTABLE_CORE_TESTS APPEND _test.cpp)
add_executable(core_tests ${PORTABLE_CORE_TESTS})
target_link_libraries(core_tests PRIVATE tamblewick_core GTest::gtest GTest::gtest_main GTest::gmock)
target_compile_definitions(core_tests PRIVATE TEST_DATA_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# The windows' rules over fake views and services.
file(GLOB FORMS_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/forms/*.cpp)
add_executable(forms_tests ${FORMS_TESTS})
target_include_directories(forms_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(forms_tests PRIVATE tamblewick_forms GTest::gtest GTest::gtest_main)
gtest_discover_tests(forms_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TESTS})
target_include_directories(win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(win_tests PRIVATE tamblewick_win GTest::gtest GTest::gtest_main)
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
# The program end to end under Wine: a driver of its own starts
# tamblewick.exe, finds its windows and drives them (tests/win32e2e/run.sh
# gives it an X server and a window manager).
if(TARGET tamblewick AND NOT TAMBLEWICK_WINDOWS_FRONT_END STREQUAL "qt" AND CMAKE_CROSSCOMPILING)
  file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32e2e/*.cpp)
  add_executable(win32_e2e ${E2E_SOURCES})
  target_link_libraries(win32_e2e PRIVATE GTest::gtest GTest::gtest_main comctl32 gdi32)
  target_compile_definitions(win32_e2e PRIVATE UNICODE _UNICODE)
  add_dependencies(win32_e2e tamblewick)
  add_test(NAME win32_e2e
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/win32e2e/run.sh ${CMAKE_SOURCE_DIR}
                   ${CMAKE_BINARY_DIR})
  set_tests_properties(win32_e2e PROPERTIES TIMEOUT 200)
endif()

include(${CMAKE_SOURCE_DIR}/tests/win32/editor.cmake OPTIONAL)
