// tbWindArrows: the figure that shows a wind's direction, shared by the
// wind-areas and the site's global wind.
//
// Four arrows along the wind's local z axis, from z = -350 to z = 350, at
// (x, y) = (-25, 0), (0, 25), (25, 0) and (0, -25), turned by the wind's
// rotation and placed at its position, each with a 10-pixel head at its +z
// end. The four shafts go in one batch of world lines and the heads in one
// batch of screen lines, so the figure costs two draws.
#pragma once

#include <cstdint>

#include "platform/d3dx/d3dxMathTypes.h"

void tbDrawWindArrows(const d3dx::Matrix& rotation, const d3dx::Vector3& position, uint32_t colour);
