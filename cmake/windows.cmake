# The Windows build: the core, the forms, the services on the Windows API and their
# tests, run under Wine when cross-built; with an installed Qt 6, also the
# program itself.

file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/win/*.cpp)
add_library(tamblewick_win STATIC ${WIN_SOURCES})
target_link_libraries(tamblewick_win PUBLIC tamblewick_core shell32)

find_package(Qt6 QUIET COMPONENTS Widgets)
if(Qt6_FOUND)
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
