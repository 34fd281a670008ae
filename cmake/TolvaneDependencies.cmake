# Libraries from Debian, installed by scripts/install-deps.
find_package(PkgConfig REQUIRED)
pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
pkg_check_modules(EGL REQUIRED IMPORTED_TARGET egl)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(LUA REQUIRED IMPORTED_TARGET lua5.1)
pkg_check_modules(ODE REQUIRED IMPORTED_TARGET ode)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
# Image decoders made for untrusted files: PNG and JPEG.
pkg_check_modules(SPNG REQUIRED IMPORTED_TARGET spng)
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
# Debian's libsquish.pc has an empty prefix, so find it directly.
find_path(SQUISH_INCLUDE_DIR squish.h REQUIRED)
find_library(SQUISH_LIBRARY squish REQUIRED)
add_library(tolvane_squish INTERFACE)
target_include_directories(tolvane_squish SYSTEM INTERFACE ${SQUISH_INCLUDE_DIR})
target_link_libraries(tolvane_squish INTERFACE ${SQUISH_LIBRARY})
find_path(STB_INCLUDE_DIR stb_image.h PATH_SUFFIXES stb REQUIRED)
find_package(Threads REQUIRED)

if(NOT TOLVANE_FUZZ)
  find_package(wxWidgets 3.2 REQUIRED COMPONENTS gl core base)
  # wxWidgets' own flags as an imported target, so only the folders allowed
  # to see wx get them.
  add_library(tolvane_wx INTERFACE)
  target_include_directories(tolvane_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(tolvane_wx INTERFACE ${wxWidgets_DEFINITIONS})
  target_compile_options(tolvane_wx INTERFACE ${wxWidgets_CXX_FLAGS})
  target_link_libraries(tolvane_wx INTERFACE ${wxWidgets_LIBRARIES})
endif()
