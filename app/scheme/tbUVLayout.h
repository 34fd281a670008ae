// Lines on a picture in memory, for the UV layout image (tbGeometry::
// drawUVLayout): the layout is drawn on the CPU into a picture of the
// texture's size, so that making it never touches the paint surfaces.
#pragma once

#include <cstdint>

#include "platform/d3dx/d3dxImageFilter.h"
#include "platform/d3dx/d3dxMathTypes.h"

// Draws a one-pixel line from `a` to `b` in `colour` (pixel (x, y) covers
// [x, x + 1) x [y, y + 1)), clipped to the picture first, so a corner far
// outside costs no more than one inside; a line with a coordinate that is
// not a number draws nothing.
void tbDrawLine(d3dx::Bitmap& picture, d3dx::Vector2 a, d3dx::Vector2 b, uint32_t colour);
