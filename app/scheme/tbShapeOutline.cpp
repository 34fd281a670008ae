#include "app/scheme/tbShapeOutline.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbGeometryTool_flood.h"
#include "engine/core/simPolygonTriangulator.h"
#include "platform/d3dx/d3dxMath.h"

namespace tbShapeOutline {

namespace {
// The handles are drawn at a tenth of the distance that shapes the curve,
// so a short drag bends the curve well.
constexpr float kHandleReach = 10.0f;
constexpr float kPixelsPerStep = 10.0f;
constexpr int32_t kFewestSteps = 12, kMostSteps = 32;
}  // namespace

int32_t curveSteps(const tbShapePoint& from, const tbShapePoint& to) {
    const d3dx::Vector2 chord = to.position - from.position;
    const float steps = d3dx::Vec2Length(&chord) / kPixelsPerStep;
    // A far-off point (or a NaN from a damaged file) must not ask for
    // billions of steps: compare as a float before converting.
    if (!(steps >= float(kFewestSteps))) return kFewestSteps;
    if (steps >= float(kMostSteps)) return kMostSteps;
    return int32_t(steps);
}

d3dx::Vector2 curvePoint(const tbShapePoint& from, const tbShapePoint& to, float t) {
    const d3dx::Vector2 before = from.position - from.outHandle * kHandleReach;
    const d3dx::Vector2 after = to.position - from.inHandle * kHandleReach;
    d3dx::Vector2 out;
    d3dx::Vec2CatmullRom(&out, &before, &from.position, &to.position, &after, t);
    return out;
}

std::vector<d3dx::Vector2> polygon(const std::vector<tbShapePoint>& points) {
    std::vector<d3dx::Vector2> out;
    for (size_t i = 0; i < points.size(); ++i) {
        const tbShapePoint& p = points[i];
        if (!p.curved) {
            out.push_back(p.position);
            continue;
        }
        const tbShapePoint& next = points[nextIndex(i, points.size())];
        const int32_t steps = curveSteps(p, next);
        for (int32_t k = 0; k < steps; ++k) out.push_back(curvePoint(p, next, float(k) / float(steps)));
    }
    return out;
}

std::vector<d3dx::Vector2> triangles(const std::vector<tbShapePoint>& points) {
    std::vector<d3dx::Vector2> out;
    if (points.size() < 3) return out;
    std::vector<d3dx::Vector4> ring;
    for (const d3dx::Vector2& p : polygon(points)) ring.push_back({p.x, p.y, 0.0f, 0.0f});
    std::vector<d3dx::Vector4> corners;
    simPolygonTriangulator().triangulate(ring, &corners);
    out.reserve(corners.size());
    for (const d3dx::Vector4& c : corners) out.push_back({c.x, c.y});
    return out;
}

uint32_t cornerColour(const d3dx::Vector2& corner, const simBoundingRect& rect, const simColour& main,
                      const simColour& second, bool gradient, uint32_t axis) {
    if (!gradient) return main.toARGB();
    const bool alongY = axis == 1;
    const float low = alongY ? rect.min.y : rect.min.x;
    const float span = std::fabs(alongY ? rect.max.y - rect.min.y : rect.max.x - rect.min.x);
    if (!(span > 0.0f)) return main.toARGB();
    return tbBlendColours(main, second, ((alongY ? corner.y : corner.x) - low) / span).toARGB();
}

}  // namespace tbShapeOutline
