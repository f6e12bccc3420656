# The settings editor's window on the Windows API and its tests: the window
# made in-process over fake services and driven by the messages a user's
# actions produce. Windows need a display under Wine, so each test runs under
# an X server of its own (xvfb-run), in a Wine prefix of its own whose server
# is ended with the test, so that no later test reaches a server whose
# display has gone.
if(NOT TAMBLEWICK_WINDOWS_TESTS OR NOT CMAKE_CROSSCOMPILING)
  return()
endif()
find_program(XVFB_RUN xvfb-run)
if(NOT XVFB_RUN)
  message(STATUS "xvfb-run is missing: the settings editor's window tests are not built")
  return()
endif()

file(GLOB EDITOR_WINDOW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/win32/Setting*.cpp)
add_library(tamblewick_win32_editor STATIC ${EDITOR_WINDOW_SOURCES})
target_compile_definitions(tamblewick_win32_editor PUBLIC UNICODE _UNICODE)
target_link_libraries(tamblewick_win32_editor PUBLIC tamblewick_forms comctl32 shell32 ole32 uuid)

file(GLOB EDITOR_WINDOW_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/setting_*.cpp)
add_executable(win32_editor_tests ${EDITOR_WINDOW_TESTS})
target_include_directories(win32_editor_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(win32_editor_tests PRIVATE tamblewick_win32_editor GTest::gtest GTest::gtest_main)

set(EDITOR_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-editor)
if(EXISTS /usr/lib/wine/wineserver64)
  set(EDITOR_WINESERVER /usr/lib/wine/wineserver64)
else()
  set(EDITOR_WINESERVER wineserver)
endif()
# Runs one test program: an X server (xvfb-run picks a free display), the
# program in the prefix, then the prefix's server is ended with the display.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/win32_editor_run.sh @ONLY CONTENT [=[
#!/bin/sh
exec "@XVFB_RUN@" -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c '
"$0" "$@"
rc=$?
WINEPREFIX="$1" "@EDITOR_WINESERVER@" -k 2>/dev/null
exit $rc' "@CMAKE_SOURCE_DIR@/scripts/wine_run.sh" "@EDITOR_WINE_PREFIX@" "$@"
]=])
set_target_properties(win32_editor_tests PROPERTIES CROSSCOMPILING_EMULATOR
  "sh;${CMAKE_BINARY_DIR}/win32_editor_run.sh")
gtest_discover_tests(win32_editor_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300
  PROPERTIES RESOURCE_LOCK win32_editor_wine TIMEOUT 300)
