// The small pictures of the painting bars, drawn in code: the solid and
// gradient fill buttons, the brush-shape button's arrow, gradient strips,
// and the brush-shape thumbnails turned into bitmaps.
#pragma once

#include <wx/bitmap.h>
#include <wx/colour.h>

#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxImageFilter.h"

// A gradient strip of `width` x `height` pixels (tbStripColour per column).
wxBitmap tbStripPicture(const simColour& main, const simColour& second, int width, int height);
// The solid (a flat square) or gradient (a black-to-white ramp) button.
wxBitmap tbFillTypePicture(bool gradient);
// A small arrow pointing down: "opens a list under this button".
wxBitmap tbDropArrowPicture();
// A thumbnail's pixels (A8R8G8B8) as a bitmap; a null bitmap for an empty one.
wxBitmap tbBitmapOf(const d3dx::Bitmap& picture);
