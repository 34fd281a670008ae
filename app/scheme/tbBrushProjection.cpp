#include "app/scheme/tbBrushProjection.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbTriangle.h"
#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMath.h"

namespace {
constexpr float kPi = 3.1415f;        // the program's own constant, kept for the same angles
constexpr float kDepthFade = 200000.0f;  // alpha lost per unit of projected depth
}  // namespace

void tbBrushProjection::clear() {
    patch.clear();
    for (auto& list : corners) list.clear();
    rectMin = {100000.0f, 100000.0f};
    rectMax = {-100000.0f, -100000.0f};
}

uint32_t tbBrushProjection::fadedAlpha(float referenceDepth, float depth, int32_t mainAlpha) {
    if (!(referenceDepth < depth)) return uint32_t(std::clamp(mainAlpha, 0, 255));
    const float faded = (255.0f - std::fabs(referenceDepth - depth) * kDepthFade) * float(mainAlpha) / 255.0f;
    return uint32_t(std::clamp(int32_t(std::clamp(faded, -1.0f, 256.0f)), 0, 255));
}

bool tbBrushProjection::shade(const tbTriangle& triangle, float angleDegrees, const simColour& main,
                              d3dx::Vector2 uvs[3], uint32_t colours[3]) const {
    if (!(radius > 0.0f)) return false;
    const float a = angleDegrees / 180.0f * kPi;
    const float c = std::cos(a), s = std::sin(a);
    const uint32_t rgb = main.toARGB() & 0x00FFFFFFu;
    d3dx::Vector2 lo{1e30f, 1e30f}, hi{-1e30f, -1e30f};
    for (int i = 0; i < 3; ++i) {
        d3dx::Vector3 p;
        d3dx::Vec3TransformCoord(&p, &triangle.positions[i], &projector);
        const float x = (p.x - projectedCentre.x) / radius, y = (p.y - projectedCentre.y) / radius;
        uvs[i] = {x * c - y * s + 0.5f, x * s + y * c + 0.5f};
        colours[i] = (fadedAlpha(projectedCentre.z, p.z, main.alpha) << 24) | rgb;
        lo = {std::min(lo.x, uvs[i].x), std::min(lo.y, uvs[i].y)};
        hi = {std::max(hi.x, uvs[i].x), std::max(hi.y, uvs[i].y)};
    }
    return !(hi.x < 0.0f || hi.y < 0.0f || lo.x > 1.0f || lo.y > 1.0f);
}
