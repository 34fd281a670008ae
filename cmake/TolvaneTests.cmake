# Tests live in tests/ under the path of the folder they test
# (tests/engine/core for engine/core) and are found by their file names:
#   *_test.cpp        plain tests           labels: <subsystem>
#   *_gltest.cpp      need an OpenGL context labels: <subsystem>;gl
#   *_x11test.cpp     need a display        labels: <subsystem>;x11
#   *_glx11test.cpp   need both             labels: <subsystem>;gl;x11
# Each kind in each folder becomes one executable; tests/support is the
# shared helper library every test executable links.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB support_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
if(NOT support_sources)
  set(support_sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
endif()
add_library(test_support STATIC ${support_sources})
target_link_libraries(test_support PUBLIC GTest::gtest GTest::gmock engine_core platform_gfx platform_sys)
target_include_directories(test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(test_support PUBLIC TOLVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# Screenshots read the display through Xlib (tests/support/virtualDisplay, tests/support/ui/screenshot).
find_package(X11 REQUIRED)
target_link_libraries(test_support PRIVATE X11::X11)

# Helpers for tests that open wx windows; only the wx folders' tests link them.
file(GLOB support_ui_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/ui/*.cpp)
add_library(test_support_ui STATIC ${support_ui_sources})
target_link_libraries(test_support_ui PUBLIC test_support platform_ui tolvane_wx)
target_link_libraries(test_support_ui PRIVATE X11::X11)

set(_common_env "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
# Mesa and GTK keep allocations alive until exit, which LeakSanitizer reports.
# Known leaks of system libraries (tests/lsan.supp) are suppressed by name.
set(_plain_env "${_common_env}" "ASAN_OPTIONS=detect_leaks=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
set(_gl_env "${_common_env}" "ASAN_OPTIONS=detect_leaks=0" "EGL_PLATFORM=surfaceless" "LIBGL_ALWAYS_SOFTWARE=1")
set(_x11_env "${_common_env}" "ASAN_OPTIONS=detect_leaks=0" "GDK_BACKEND=x11" "LIBGL_ALWAYS_SOFTWARE=1" "NO_AT_BRIDGE=1")

function(tolvane_test_folder folder label libs)
  foreach(kind test gltest x11test glx11test)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_${kind}.cpp)
    if(NOT sources)
      continue()
    endif()
    string(REPLACE "/" "_" target "${folder}_${kind}s")
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${libs} test_support GTest::gtest_main)
    set(labels ${label})
    set(env ${_plain_env})
    if(kind MATCHES "gl")
      list(APPEND labels gl)
      set(env ${_gl_env})
    endif()
    if(kind MATCHES "x11")
      list(APPEND labels x11)
      set(env ${_x11_env})
    endif()
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
      PROPERTIES TIMEOUT 600)
    # The discovery script flattens list-valued properties, so labels and the
    # environment are set by a script of our own that runs after it.
    set(props_file ${CMAKE_BINARY_DIR}/${target}_properties.cmake)
    file(WRITE ${props_file}
      "if(${target}_TESTS)\n"
      "  set_tests_properties(\${${target}_TESTS} PROPERTIES LABELS \"${labels}\" ENVIRONMENT \"${env}\")\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${props_file})
  endforeach()
endfunction()

tolvane_test_folder(platform/sys platform platform_sys)
tolvane_test_folder(platform/d3dx platform platform_d3dx)
tolvane_test_folder(platform/gfx platform platform_gfx)
tolvane_test_folder(platform/win platform platform_win)
tolvane_test_folder(platform/ui platform "platform_ui;test_support_ui")
tolvane_test_folder(engine/core core engine_core)
tolvane_test_folder(engine/graphics graphics engine_graphics)
tolvane_test_folder(engine/gui gui engine_gui)
tolvane_test_folder(engine/sound sound engine_sound)
tolvane_test_folder(app/shell shell "app_shell;test_support_ui")
tolvane_test_folder(app/scheme scheme "app_scheme;test_support_ui;test_support_editor")
tolvane_test_folder(app/site site "app_site;test_support_ui;test_support_editor")
tolvane_test_folder(app/window shell "app_window;test_support_ui")
# The end-to-end tests run the built program (tests/support/programHarness).
foreach(target app_window_glx11tests app_scheme_glx11tests app_site_glx11tests)
  if(TARGET ${target})
    add_dependencies(${target} tolvaneBuilder)
  endif()
endforeach()
