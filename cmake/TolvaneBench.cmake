# bench/<name>_bench.cpp becomes the program bench_<name>; `make bench` runs them all.
find_package(benchmark REQUIRED)
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
foreach(src ${bench_sources})
  get_filename_component(name ${src} NAME_WE)
  string(REGEX REPLACE "_bench$" "" name ${name})
  add_executable(bench_${name} ${src})
  target_link_libraries(bench_${name} PRIVATE engine_core engine_graphics platform_gfx
                        benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(bench_${name} PRIVATE TOLVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endforeach()
# The model-scheme benchmarks (bench/scheme*_bench.cpp) measure the editor's own code.
foreach(src ${bench_sources})
  get_filename_component(name ${src} NAME_WE)
  # Both editors' benchmarks start the editor headless with the tests' helper.
  if(name MATCHES "^scheme")
    string(REGEX REPLACE "_bench$" "" name ${name})
    target_link_libraries(bench_${name} PRIVATE app_scheme test_support_editor)
  elseif(name MATCHES "^site")
    # The flying-site benchmarks (bench/site*_bench.cpp) measure the site editor's code.
    string(REGEX REPLACE "_bench$" "" name ${name})
    target_link_libraries(bench_${name} PRIVATE app_site test_support_editor)
  elseif(name MATCHES "^shell")
    # The shell's benchmarks (bench/shell*_bench.cpp) measure its dialogs' rules.
    string(REGEX REPLACE "_bench$" "" name ${name})
    target_link_libraries(bench_${name} PRIVATE app_shell)
  endif()
endforeach()
# The idle benchmark runs the built program on an X server of its own, with
# the end-to-end tests' helpers for the server and the program's environment.
if(TARGET bench_shellIdle)
  find_package(X11 REQUIRED)
  # The harness's screenshots are written by the golden-image helper, which
  # speaks GoogleTest.
  find_package(GTest REQUIRED)
  target_sources(bench_shellIdle PRIVATE
    ${CMAKE_SOURCE_DIR}/tests/support/childProcess.cpp ${CMAKE_SOURCE_DIR}/tests/support/virtualDisplay.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/programEnvironment.cpp ${CMAKE_SOURCE_DIR}/tests/support/tempFolder.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/programHarness.cpp ${CMAKE_SOURCE_DIR}/tests/support/schemeSession.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/goldenImage.cpp ${CMAKE_SOURCE_DIR}/tests/support/imageSamples.cpp)
  target_link_libraries(bench_shellIdle PRIVATE X11::X11 GTest::gtest)
  add_dependencies(bench_shellIdle tolvaneBuilder)
endif()
