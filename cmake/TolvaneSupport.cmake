# Helpers the tests and the benchmarks share that speak no GoogleTest, so a
# benchmark can link them: the editor started headless on EGL
# (tests/support/editor), for the editors' OpenGL tests and their benchmarks.
file(GLOB support_editor_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/editor/*.cpp)
add_library(test_support_editor STATIC ${support_editor_sources})
target_link_libraries(test_support_editor PUBLIC app_shell engine_graphics platform_gfx platform_win)
target_include_directories(test_support_editor PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(test_support_editor PRIVATE TOLVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
