#include "app/scheme/tbPaintSpace.h"

#include <algorithm>
#include <cmath>

#include "engine/core/utilsPicking.h"
#include "platform/d3dx/d3dxMath.h"

namespace tbPaintSpace {

namespace {
constexpr float kNear = 0.01f, kFar = 1000.0f;
// Directions closer than this (|cos| above it) are taken as parallel: the
// cross product is then too short to normalise reliably.
constexpr float kParallel = 0.999f;

bool nearlyParallel(const d3dx::Vector3& a, const d3dx::Vector3& b) {
    d3dx::Vector3 na, nb;
    d3dx::Vec3Normalize(&na, &a);
    d3dx::Vec3Normalize(&nb, &b);
    return std::fabs(d3dx::Vec3Dot(&na, &nb)) > kParallel;
}

int32_t clampTo(float v, uint32_t limit) {
    return int32_t(std::clamp(v, 0.0f, float(limit)));
}
}  // namespace

PixelRect pixelsTouched(const simBoundingRect& texels, uint32_t width, uint32_t height) {
    PixelRect r;
    if (texels.isEmpty()) return r;
    // The device truncates corners to whole pixels, so a corner at x covers
    // from floor(x) on; one pixel more on each side absorbs that rounding.
    r.left = clampTo(std::floor(texels.min.x) - 1.0f, width);
    r.top = clampTo(std::floor(texels.min.y) - 1.0f, height);
    r.right = clampTo(std::ceil(texels.max.x) + 1.0f, width);
    r.bottom = clampTo(std::ceil(texels.max.y) + 1.0f, height);
    return r;
}

d3dx::Matrix projectorAlong(const d3dx::Vector3& point, const d3dx::Vector3& normal, const d3dx::Vector3& up,
                            float extent) {
    d3dx::Vector3 n;
    d3dx::Vec3Normalize(&n, &normal);
    const d3dx::Vector3 at = -n;
    d3dx::Vector3 lookUp = up;
    if (nearlyParallel(at, lookUp) || d3dx::Vec3LengthSq(&lookUp) == 0.0f)
        lookUp = nearlyParallel(at, {0, 0, 1}) ? d3dx::Vector3{1, 0, 0} : d3dx::Vector3{0, 0, 1};
    d3dx::Matrix translation, view, projection, out;
    d3dx::MatrixTranslation(&translation, -point.x, -point.y, -point.z);
    const d3dx::Vector3 eye{0, 0, 0};
    d3dx::MatrixLookAtLH(&view, &eye, &at, &lookUp);
    d3dx::MatrixOrthoLH(&projection, extent, extent, kNear, kFar);
    d3dx::MatrixMultiply(&out, &translation, &view);
    d3dx::MatrixMultiply(&out, &out, &projection);
    return out;
}

d3dx::Vector3 surfaceTangent(const d3dx::Vector3& normal) {
    const d3dx::Vector3 axis = nearlyParallel(normal, {0, 1, 0}) ? d3dx::Vector3{1, 0, 0} : d3dx::Vector3{0, 1, 0};
    d3dx::Vector3 a, t;
    d3dx::Vec3Cross(&a, &normal, &axis);
    d3dx::Vec3Normalize(&a, &a);
    d3dx::Vec3Cross(&t, &normal, &a);
    d3dx::Vec3Normalize(&t, &t);
    return t;
}

bool textureViewFraction(float mouseX, float mouseY, d3dx::Vector2* fraction) {
    d3dx::Vector2 a, b;
    const d3dx::Vector3 origin{0, 0, 0}, corner{1, 1, 0};
    // Without a view source both stay (0, 0) and the test below refuses.
    utils::worldToScreen2D(origin, &a);
    utils::worldToScreen2D(corner, &b);
    if (b.x == a.x || b.y == a.y) return false;
    *fraction = {(mouseX - a.x) / (b.x - a.x), (mouseY - a.y) / (b.y - a.y)};
    // A camera without matrices yet projects to no number at all.
    return std::isfinite(fraction->x) && std::isfinite(fraction->y);
}

}  // namespace tbPaintSpace
