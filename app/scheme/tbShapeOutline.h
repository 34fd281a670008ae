// tbShapeOutline: the geometry of a shape tool outline, in back-buffer pixels.
//
// An outline is a closed ring of points; the segment of each point runs to
// the next one (the last to the first). A straight segment is a line; a
// curved one is a Catmull-Rom spline through the point and the next one,
// shaped by the point's two handles. The preview draws this and the fills
// triangulate it, so both see exactly the same outline.
#pragma once

#include <cstdint>
#include <vector>

#include "app/scheme/tbStoredShape.h"
#include "engine/core/simBoundingRect.h"
#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMathTypes.h"

namespace tbShapeOutline {

// The point after `index` in the ring.
inline size_t nextIndex(size_t index, size_t count) { return index + 1 < count ? index + 1 : 0; }

// The steps a curved segment from `from` to `to` is drawn and filled with:
// its length / 10, whole, kept to 12..32.
int32_t curveSteps(const tbShapePoint& from, const tbShapePoint& to);

// The curved segment at t (0 gives from's position, 1 gives to's): the
// spline through from - 10 x outHandle, from, to, to - 10 x from.inHandle.
d3dx::Vector2 curvePoint(const tbShapePoint& from, const tbShapePoint& to, float t);

// The outline as a polygon: a straight point gives its position, a curved
// one the first `curveSteps` points of its curve (its own position first;
// the curve's end is the next point's own).
std::vector<d3dx::Vector2> polygon(const std::vector<tbShapePoint>& points);

// The polygon cut into triangles, three corners each; nothing for fewer
// than three points.
std::vector<d3dx::Vector2> triangles(const std::vector<tbShapePoint>& points);

// A fill's corner colour (ARGB): the main colour, or with `gradient` the
// blend towards the second colour at the corner's fraction across `rect`
// along x (axis 0, and 2: the screen has no depth to grade along) or y
// (axis 1). A rectangle of no width (or height) along the axis has nothing
// to grade across: the main colour then.
uint32_t cornerColour(const d3dx::Vector2& corner, const simBoundingRect& rect, const simColour& main,
                      const simColour& second, bool gradient, uint32_t axis);

}  // namespace tbShapeOutline
