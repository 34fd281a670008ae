#include "app/scheme/tbGeometryPaint.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbTriangle.h"
#include "platform/d3dx/d3dxMath.h"

namespace tbGeometryPaint {

namespace {

// The unit vector from the opposite corner to its foot on the edge's line:
// outwards from the triangle across that edge. Zero for a flat triangle.
d3dx::Vector2 outwards(const d3dx::Vector2& a, const d3dx::Vector2& b, const d3dx::Vector2& opposite) {
    const d3dx::Vector2 edge = b - a;
    const float lengthSq = d3dx::Vec2LengthSq(&edge);
    if (lengthSq == 0.0f) return {0, 0};
    const d3dx::Vector2 toOpposite = opposite - a;
    const float along = (toOpposite.x * edge.x + toOpposite.y * edge.y) / lengthSq;
    const d3dx::Vector2 foot = a + edge * along;
    d3dx::Vector2 out = foot - opposite;
    d3dx::Vec2Normalize(&out, &out);
    return out;
}

}  // namespace

void appendTriangle(std::vector<simScreenTriangle>& out, const uint8_t edgeFlags[3], const d3dx::Vector2 texels[3],
                    const uint32_t colours[3], const d3dx::Vector2 uvs[3], simBoundingRect& touched) {
    for (int e = 0; e < 3; ++e) {
        if (!edgeFlags[e]) continue;
        const int i = e, j = (e + 1) % 3, k = (e + 2) % 3;
        const d3dx::Vector2 shift = outwards(texels[i], texels[j], texels[k]) * kSeamWidth;
        const d3dx::Vector2 outerI = texels[i] + shift, outerJ = texels[j] + shift;
        out.emplace_back(texels[i], texels[j], outerJ, colours[i], colours[j], colours[j], uvs[i], uvs[j], uvs[j]);
        out.emplace_back(texels[i], outerJ, outerI, colours[i], colours[j], colours[i], uvs[i], uvs[j], uvs[i]);
        touched.growByPoint(outerI);
        touched.growByPoint(outerJ);
    }
    out.emplace_back(texels[0], texels[1], texels[2], colours[0], colours[1], colours[2], uvs[0], uvs[1], uvs[2]);
    for (int c = 0; c < 3; ++c) touched.growByPoint(texels[c]);
}

void appendTriangle(std::vector<simScreenTriangle>& out, const tbTriangle& triangle, const d3dx::Vector2 texels[3],
                    const uint32_t colours[3], const d3dx::Vector2 uvs[3], simBoundingRect& touched) {
    appendTriangle(out, triangle.edgeFlags, texels, colours, uvs, touched);
}

simBoundingRect brushFootprint(const d3dx::Vector2 texels[3], const d3dx::Vector2 uvs[3],
                               const simBoundingRect& drawn) {
    const d3dx::Vector2 du1 = uvs[1] - uvs[0], du2 = uvs[2] - uvs[0];
    const float det = du1.x * du2.y - du1.y * du2.x;
    // Relative to the brush-coordinate area, so the test holds at any scale.
    const float scale = std::max({std::fabs(du1.x), std::fabs(du1.y), std::fabs(du2.x), std::fabs(du2.y)});
    if (drawn.isEmpty() || !(std::fabs(det) > 1e-6f * scale * scale)) return drawn;
    const d3dx::Vector2 dt1 = texels[1] - texels[0], dt2 = texels[2] - texels[0];
    simBoundingRect image;
    for (const d3dx::Vector2 corner : {d3dx::Vector2{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        const d3dx::Vector2 q = corner - uvs[0];
        const float a = (q.x * du2.y - q.y * du2.x) / det, b = (du1.x * q.y - du1.y * q.x) / det;
        image.growByPoint(texels[0] + dt1 * a + dt2 * b);
    }
    simBoundingRect out;
    const d3dx::Vector2 lo{std::max(image.min.x, drawn.min.x), std::max(image.min.y, drawn.min.y)};
    const d3dx::Vector2 hi{std::min(image.max.x, drawn.max.x), std::min(image.max.y, drawn.max.y)};
    if (lo.x > hi.x || lo.y > hi.y) return out;
    out.growByPoint(lo);
    out.growByPoint(hi);
    return out;
}

}  // namespace tbGeometryPaint
