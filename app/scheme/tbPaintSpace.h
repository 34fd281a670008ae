// tbPaintSpace: where paint lands, fixed once for every painting tool.
//
// Four conventions that every tool, the undo and the previews share:
//   texel rows      a texture coordinate (u, v) lands on texel
//                   (u x width, v x height); v grows downwards, so v = 0 is
//                   the picture's top row (the row the device stores first);
//   pixel centres   texel coordinates name pixel corners: pixel (i, j)
//                   spans [i, i + 1) x [j, j + 1) and is painted when its
//                   centre (i + 0.5, j + 0.5) lies inside a primitive, so a
//                   rectangle from (a, b) to (c, d) paints c - a by d - b
//                   pixels;
//   depth range     projected depths run from 0 at the near plane to 1 at
//                   the far plane, in the CPU maths as on the device;
//   handedness      the brush and mirror projectors are left-handed: a
//                   look-at towards +z with up +y keeps +x to the right.
#pragma once

#include <cstdint>

#include "engine/core/simBoundingRect.h"
#include "platform/d3dx/d3dxMathTypes.h"

namespace tbPaintSpace {

// The texel point of a texture coordinate on a width x height picture.
inline d3dx::Vector2 texelOf(const d3dx::Vector2& uv, uint32_t width, uint32_t height) {
    return {uv.x * float(width), uv.y * float(height)};
}

// The whole pixels a rectangle of texel points can touch, grown by one pixel
// for the device's snapping and clamped to the picture: left, top inclusive,
// right, bottom exclusive. Empty (right <= left) when nothing lies inside.
struct PixelRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    int64_t area() const { return empty() ? 0 : int64_t(right - left) * int64_t(bottom - top); }
};
PixelRect pixelsTouched(const simBoundingRect& texels, uint32_t width, uint32_t height);

// The left-handed projector that looks along -normal from `point`: a
// translation by -point, a look-at from the origin towards -normal and an
// orthographic projection `extent` wide and high from 0.01 to 1000. `up` is
// the viewer's up; when it is (nearly) parallel to the normal another axis
// is taken, so a surface facing straight up or down still gets a projector.
d3dx::Matrix projectorAlong(const d3dx::Vector3& point, const d3dx::Vector3& normal, const d3dx::Vector3& up,
                            float extent);

// A unit direction lying in the surface whose normal is given: normal x
// (normal x axis), with the axis (0, 1, 0) unless the normal is (nearly)
// parallel to it, then (1, 0, 0). Zero only for a zero normal.
d3dx::Vector3 surfaceTangent(const d3dx::Vector3& normal);

// The texture view: the mouse's fraction (u, v) across the unit square's
// corners (0, 0, 0) and (1, 1, 0) as the current matrices project them; the
// mouse lies over the square's point (u, v, 0) and over the paint texture's
// texel (width x u, height x (1 - v)). False when the square projects to no
// width or height (nothing to divide by) or there is nothing to project with.
bool textureViewFraction(float mouseX, float mouseY, d3dx::Vector2* fraction);

}  // namespace tbPaintSpace
