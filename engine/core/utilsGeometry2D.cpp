#include "engine/core/utilsGeometry2D.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace utils {
namespace {

float cross2D(float ax, float ay, float bx, float by) { return ax * by - ay * bx; }

float length2D(float x, float y) { return std::sqrt(x * x + y * y); }

}  // namespace

bool sameSide2D(const d3dx::Vector2& p1, const d3dx::Vector2& p2, const d3dx::Vector2& a,
                const d3dx::Vector2& b) {
    // With z = 0 the cross products point along z, so their dot product is the
    // product of their z components.
    const float ex = b.x - a.x;
    const float ey = b.y - a.y;
    const float c1 = cross2D(ex, ey, p1.x - a.x, p1.y - a.y);
    const float c2 = cross2D(ex, ey, p2.x - a.x, p2.y - a.y);
    return c1 * c2 >= 0.0f;
}

bool pointInTriangle2D(const d3dx::Vector2& p, const d3dx::Vector2& a, const d3dx::Vector2& b,
                       const d3dx::Vector2& c) {
    // A cheap rejection first: the triangle's bounding box must reach p.
    if ((a.x > p.x && b.x > p.x && c.x > p.x) || (a.x < p.x && b.x < p.x && c.x < p.x) ||
        (a.y > p.y && b.y > p.y && c.y > p.y) || (a.y < p.y && b.y < p.y && c.y < p.y)) {
        return false;
    }
    const float v0x = c.x - a.x, v0y = c.y - a.y;
    const float v1x = b.x - a.x, v1y = b.y - a.y;
    const float v2x = p.x - a.x, v2y = p.y - a.y;
    const float dot00 = v0x * v0x + v0y * v0y;
    const float dot01 = v0x * v1x + v0y * v1y;
    const float dot02 = v0x * v2x + v0y * v2y;
    const float dot11 = v1x * v1x + v1y * v1y;
    const float dot12 = v1x * v2x + v1y * v2y;
    const float denominator = dot00 * dot11 - dot01 * dot01;
    if (denominator == 0.0f) {
        return false;
    }
    const float inverse = 1.0f / denominator;
    const float u = (dot11 * dot02 - dot01 * dot12) * inverse;
    const float v = (dot00 * dot12 - dot01 * dot02) * inverse;
    return u > 0.0f && v > 0.0f && u + v < 1.0f;
}

bool isBetween(float v, float a, float b) {
    // Compared directly rather than as a fraction of (b - a), which has no
    // value when a equals b.
    return v >= std::min(a, b) && v <= std::max(a, b);
}

bool linesCross2D(d3dx::Vector2* out, const d3dx::Vector2& p1, const d3dx::Vector2& d1,
                  const d3dx::Vector2& p2, const d3dx::Vector2& d2) {
    const float denominator = cross2D(d1.x, d1.y, d2.x, d2.y);
    if (denominator == 0.0f) {
        return false;
    }
    const float t = cross2D(p2.x - p1.x, p2.y - p1.y, d2.x, d2.y) / denominator;
    *out = d3dx::Vector2{p1.x + t * d1.x, p1.y + t * d1.y};
    return true;
}

d3dx::Vector2 intersectLines2D(const d3dx::Vector2& p1, const d3dx::Vector2& d1,
                               const d3dx::Vector2& p2, const d3dx::Vector2& d2) {
    d3dx::Vector2 crossing{std::numeric_limits<float>::infinity(),
                           std::numeric_limits<float>::infinity()};
    linesCross2D(&crossing, p1, d1, p2, d2);
    return crossing;
}

bool onSegment2D(const d3dx::Vector2& x, const d3dx::Vector2& a, const d3dx::Vector2& b) {
    // The longer axis keeps the test well conditioned; for a segment that is
    // not axis-parallel either axis gives the same answer.
    if (std::fabs(b.x - a.x) >= std::fabs(b.y - a.y)) {
        return isBetween(x.x, a.x, b.x) && (a.x != b.x || x.y == a.y);
    }
    return isBetween(x.y, a.y, b.y);
}

bool segmentsCross2D(const d3dx::Vector2& a0, const d3dx::Vector2& a1, const d3dx::Vector2& b0,
                     const d3dx::Vector2& b1) {
    // Segments whose bounding boxes are apart cannot meet; the triangulator
    // asks this of every outline edge, and most are far away.
    if (std::max(a0.x, a1.x) < std::min(b0.x, b1.x) ||
        std::max(b0.x, b1.x) < std::min(a0.x, a1.x) ||
        std::max(a0.y, a1.y) < std::min(b0.y, b1.y) ||
        std::max(b0.y, b1.y) < std::min(a0.y, a1.y)) {
        return false;
    }
    d3dx::Vector2 crossing;
    if (!linesCross2D(&crossing, a0, d3dx::Vector2{a1.x - a0.x, a1.y - a0.y}, b0,
                      d3dx::Vector2{b1.x - b0.x, b1.y - b0.y})) {
        return false;
    }
    return onSegment2D(crossing, a0, a1) && onSegment2D(crossing, b0, b1);
}

d3dx::Vector2 perpendicular2D(const d3dx::Vector2& d) {
    const float length = length2D(d.x, d.y);
    return d3dx::Vector2{d.y / length, -d.x / length};
}

d3dx::Vector2 divideVector2D(const d3dx::Vector2& a, const d3dx::Vector2& b) {
    return d3dx::Vector2{a.x / b.x, a.y / b.y};
}

float distanceToLine2D(const d3dx::Vector2& linePoint, const d3dx::Vector2& lineDirection,
                       const d3dx::Vector2& point) {
    const float dx = point.x - linePoint.x, dy = point.y - linePoint.y;
    const float directionLength = length2D(lineDirection.x, lineDirection.y);
    // A line without a direction is its one point (two equal outline points
    // in an area read from a file give one).
    if (directionLength == 0.0f) return length2D(dx, dy);
    return std::fabs(cross2D(dx, dy, lineDirection.x, lineDirection.y)) / directionLength;
}

bool projectPointOnSegment2D(d3dx::Vector2* foot, float* distance, const d3dx::Vector2& p,
                             const d3dx::Vector2& a, const d3dx::Vector2& b) {
    const d3dx::Vector2 direction{b.x - a.x, b.y - a.y};
    if (direction.x == 0.0f && direction.y == 0.0f) {
        return false;
    }
    d3dx::Vector2 crossing;
    if (!linesCross2D(&crossing, p, perpendicular2D(direction), a, direction) ||
        !onSegment2D(crossing, a, b)) {
        return false;
    }
    *foot = crossing;
    *distance = length2D(p.x - crossing.x, p.y - crossing.y);
    return true;
}

void intersectSegmentWithTriangleEdges(std::vector<EdgeCrossing>* out, const d3dx::Vector4& a,
                                       const d3dx::Vector4& b, const d3dx::Vector4& c0,
                                       const d3dx::Vector4& c1, const d3dx::Vector4& c2) {
    const d3dx::Vector2 segmentStart{a.x, a.y};
    const d3dx::Vector2 segmentEnd{b.x, b.y};
    const d3dx::Vector2 segmentDirection{b.x - a.x, b.y - a.y};
    const float segmentLength = length2D(segmentDirection.x, segmentDirection.y);
    const d3dx::Vector4* const edges[3][2] = {{&c0, &c1}, {&c1, &c2}, {&c2, &c0}};
    for (const auto& edge : edges) {
        const d3dx::Vector4& start = *edge[0];
        const d3dx::Vector4& end = *edge[1];
        const d3dx::Vector2 edgeStart{start.x, start.y};
        const d3dx::Vector2 edgeEnd{end.x, end.y};
        d3dx::Vector2 crossing;
        if (!linesCross2D(&crossing, segmentStart, segmentDirection, edgeStart,
                          d3dx::Vector2{end.x - start.x, end.y - start.y}) ||
            !onSegment2D(crossing, edgeStart, edgeEnd) ||
            !onSegment2D(crossing, segmentStart, segmentEnd)) {
            continue;
        }
        const float f = length2D(crossing.x - a.x, crossing.y - a.y) / segmentLength;
        EdgeCrossing record;
        record.point = crossing;
        record.attributes = d3dx::Vector2{(1.0f - f) * a.z + f * b.z, (1.0f - f) * a.w + f * b.w};
        record.edgeStart = edgeStart;
        record.edgeEnd = edgeEnd;
        record.startAttributes = d3dx::Vector2{start.z, start.w};
        record.endAttributes = d3dx::Vector2{end.z, end.w};
        out->push_back(record);
    }
}

}  // namespace utils
