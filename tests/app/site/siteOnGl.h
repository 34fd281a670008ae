// What the flying site's OpenGL tests stand on: the editors' common OpenGL
// fixture (the engine's graphics through EGL, error boxes recorded).
#pragma once

#include "tests/app/shell/appOnGl.h"

namespace sitetest {

class SiteOnGl : public apptest::AppOnGl {};

}  // namespace sitetest
