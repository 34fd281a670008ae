// Flat geometry for picking and painting: which side of a line a point lies
// on, whether it lies in a triangle, where lines and segments cross, where a
// point falls on a segment, and how far it lies from a line.
//
// The paint tools call these with the corners of texture triangles and the
// edges of outlines the user drew, so vertical and horizontal segments are
// everyday input: every position along a segment is taken on the segment's
// longer axis, never on x alone, and parallel lines never cross.
//
// All arithmetic is in 4-byte floats.
#pragma once

#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

namespace utils {

// --- Sides and triangles --------------------------------------------------

// True when p1 and p2 lie on the same side of the line a-b (taken with z = 0);
// a point on the line counts as on either side.
bool sameSide2D(const d3dx::Vector2& p1, const d3dx::Vector2& p2, const d3dx::Vector2& a,
                const d3dx::Vector2& b);

// True when p lies strictly inside the triangle a, b, c: a point on an edge or
// a corner is outside. A degenerate (flat) triangle contains nothing.
bool pointInTriangle2D(const d3dx::Vector2& p, const d3dx::Vector2& a, const d3dx::Vector2& b,
                       const d3dx::Vector2& c);

// --- Lines and segments ---------------------------------------------------

// True when the scalar v lies between a and b, in either order, both ends
// included (so isBetween(5, 10, 0) and isBetween(10, 10, 0) are true).
bool isBetween(float v, float a, float b);

// The crossing p1 + t * d1 of the line through p1 along d1 with the line
// through p2 along d2. Parallel lines have no crossing: the result then has
// non-finite coordinates. Callers that may meet parallel lines use
// linesCross2D instead.
d3dx::Vector2 intersectLines2D(const d3dx::Vector2& p1, const d3dx::Vector2& d1,
                               const d3dx::Vector2& p2, const d3dx::Vector2& d2);

// The crossing of two lines as above; false, leaving *out unchanged, when they
// are parallel (or a direction is zero).
bool linesCross2D(d3dx::Vector2* out, const d3dx::Vector2& p1, const d3dx::Vector2& d1,
                  const d3dx::Vector2& p2, const d3dx::Vector2& d2);

// True when x, a point of the line through a and b, lies on the segment a-b,
// ends included. The position is read on the segment's longer axis. A segment
// of zero length holds only its own point.
bool onSegment2D(const d3dx::Vector2& x, const d3dx::Vector2& a, const d3dx::Vector2& b);

// True when the segments a0-a1 and b0-b1 meet, touching ends included.
// Parallel segments, collinear ones too, do not cross.
bool segmentsCross2D(const d3dx::Vector2& a0, const d3dx::Vector2& a1, const d3dx::Vector2& b0,
                     const d3dx::Vector2& b1);

// The unit vector (d.y, -d.x) / |d|, a right angle clockwise from d.
d3dx::Vector2 perpendicular2D(const d3dx::Vector2& d);

// Component-wise division (a.x / b.x, a.y / b.y).
d3dx::Vector2 divideVector2D(const d3dx::Vector2& a, const d3dx::Vector2& b);

// Distance of point from the line through linePoint along lineDirection.
float distanceToLine2D(const d3dx::Vector2& linePoint, const d3dx::Vector2& lineDirection,
                       const d3dx::Vector2& point);

// The foot of the perpendicular from p onto the line a-b. True, with the foot
// and its distance from p, when the foot lies on the segment (ends included);
// false, leaving both outputs unchanged, when it lies beyond an end or the
// segment has zero length.
bool projectPointOnSegment2D(d3dx::Vector2* foot, float* distance, const d3dx::Vector2& p,
                             const d3dx::Vector2& a, const d3dx::Vector2& b);

// --- Clipping a segment against a textured triangle ------------------------

// One crossing of a segment with a triangle edge: twelve floats, in the order
// the shape fill reads them.
struct EdgeCrossing {
    d3dx::Vector2 point;            // where the segment crosses the edge
    d3dx::Vector2 attributes;       // the segment's two attributes there
    d3dx::Vector2 edgeStart;        // the edge's start corner
    d3dx::Vector2 edgeEnd;          // the edge's end corner
    d3dx::Vector2 startAttributes;  // the start corner's two attributes
    d3dx::Vector2 endAttributes;    // the end corner's two attributes
};

// Points carry (x, y) and two attributes in (z, w), such as a texture
// coordinate. For the edges c0-c1, c1-c2 and c2-c0, in that order, appends
// one record to *out for each edge that the segment a-b crosses (ends
// included); the attributes at the crossing are blended along a-b by the
// distance from a. A segment of zero length, or one parallel to an edge,
// crosses nothing.
void intersectSegmentWithTriangleEdges(std::vector<EdgeCrossing>* out, const d3dx::Vector4& a,
                                       const d3dx::Vector4& b, const d3dx::Vector4& c0,
                                       const d3dx::Vector4& c1, const d3dx::Vector4& c2);

}  // namespace utils
