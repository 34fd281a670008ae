# One static library per source folder, its sources globbed.
#   tolvane_folder_library(<target> <folder> [DEPS deps...] [PCH headers...]
#                          [EXCLUDE files of the folder...])
function(tolvane_folder_library target folder)
  cmake_parse_arguments(ARG "" "" "DEPS;PCH;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.c)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${folder}/${excluded})
  endforeach()
  if(NOT sources)
    # An empty folder still gives a linkable target for its dependants.
    set(sources ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  if(ARG_PCH AND NOT TOLVANE_FUZZ)
    target_precompile_headers(${target} PRIVATE ${ARG_PCH})
  endif()
endfunction()

tolvane_folder_library(platform_sys platform/sys DEPS Threads::Threads)
tolvane_folder_library(platform_d3dx platform/d3dx
  DEPS platform_sys PkgConfig::FREETYPE PkgConfig::FONTCONFIG tolvane_squish
       PkgConfig::SPNG PkgConfig::TURBOJPEG)
target_include_directories(platform_d3dx SYSTEM PRIVATE ${STB_INCLUDE_DIR})
tolvane_folder_library(platform_gfx platform/gfx
  DEPS platform_sys PkgConfig::EPOXY PkgConfig::EGL)
tolvane_folder_library(platform_win platform/win DEPS platform_sys)

tolvane_folder_library(engine_core engine/core
  DEPS platform_win platform_d3dx platform_sys PkgConfig::LUA PkgConfig::ODE)
tolvane_folder_library(engine_graphics engine/graphics DEPS engine_core platform_gfx platform_d3dx)
tolvane_folder_library(engine_gui engine/gui DEPS engine_graphics engine_core)
tolvane_folder_library(engine_sound engine/sound DEPS engine_core PkgConfig::OPENAL)
# The engine application creates every system, so the engine folders lean on
# each other; CMake repeats static libraries in a cycle as the linker needs.
target_link_libraries(engine_core PUBLIC engine_graphics engine_gui engine_sound)
# Twice round the cycle is not always enough for a program that starts from
# one of the smaller folders (the sound tests): go round three times.
set_property(TARGET engine_core PROPERTY LINK_INTERFACE_MULTIPLICITY 3)

if(NOT TOLVANE_FUZZ)
  tolvane_folder_library(platform_ui platform/ui
    DEPS platform_gfx platform_win tolvane_wx PCH <wx/wx.h>)
  # The editor's layers, each linking only those below it: the shell's base
  # knows no project kind; the model scheme and the flying site stand on it
  # and know nothing of each other; the main window, its commands and the
  # program's entry (kept out of the library) stand on top and know both.
  tolvane_folder_library(app_shell app/shell DEPS engine_core platform_ui PCH <wx/wx.h>)
  tolvane_folder_library(app_scheme app/scheme DEPS app_shell PCH <wx/wx.h>)
  tolvane_folder_library(app_site app/site DEPS app_shell PCH <wx/wx.h>)
  tolvane_folder_library(app_window app/window DEPS app_shell app_scheme app_site
    PCH <wx/wx.h> EXCLUDE main.cpp)
endif()
