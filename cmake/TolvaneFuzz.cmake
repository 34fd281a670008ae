# fuzz/<name>_fuzz.cpp becomes the libFuzzer program fuzz_<name>, seeded from
# fuzz/corpus/<name>/ (written by the tests and tools) when that folder exists.
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src ${fuzz_sources})
  get_filename_component(name ${src} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${name})
  add_executable(fuzz_${name} ${src})
  target_link_libraries(fuzz_${name} PRIVATE engine_core engine_graphics platform_gfx platform_d3dx)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()
# The project-file codec lives with the editor, whose libraries the fuzz
# build leaves out; it needs only the engine and the text fitting of the
# record archive, so their sources are built in.
if(TARGET fuzz_tvp)
  target_sources(fuzz_tvp PRIVATE ${CMAKE_SOURCE_DIR}/app/scheme/tbProjectFile.cpp
                                  ${CMAKE_SOURCE_DIR}/app/shell/tbTextFit.cpp)
endif()
# The flying-site file's reader checks each collision object through the
# objects' own records, so those sources (engine only) are built in too.
if(TARGET fuzz_tvq)
  file(GLOB tvq_sources ${CMAKE_SOURCE_DIR}/app/site/tbCollisionObject*.cpp)
  target_sources(fuzz_tvq PRIVATE ${CMAKE_SOURCE_DIR}/app/site/tbFlyingSiteFile.cpp
                 ${CMAKE_SOURCE_DIR}/app/site/tbFlyingSitePosition.cpp ${CMAKE_SOURCE_DIR}/app/site/tbWindArrows.cpp
                 ${CMAKE_SOURCE_DIR}/app/site/tbHeightMapLod.cpp
                 ${CMAKE_SOURCE_DIR}/app/shell/tbTextFit.cpp ${tvq_sources})
endif()
