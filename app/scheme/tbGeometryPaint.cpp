#include "app/scheme/tbGeometryPaint.h"

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

void appendTriangle(std::vector<simScreenTriangle>& out, const tbTriangle& triangle, const d3dx::Vector2 texels[3],
                    const uint32_t colours[3], const d3dx::Vector2 uvs[3], simBoundingRect& touched) {
    for (int e = 0; e < 3; ++e) {
        if (!triangle.edgeFlags[e]) continue;
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

}  // namespace tbGeometryPaint
