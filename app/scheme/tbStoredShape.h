// tbShapePoint and tbStoredShape: the outlines of the shape tool.
//
// A point of an outline is a corner or a curve point (the curved flag) with
// its position and two Bézier handles; a stored shape is a named outline the
// user kept for later. The project file stores both.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

struct tbShapePoint {
    uint8_t curved = 0;
    d3dx::Vector2 position;
    d3dx::Vector2 outHandle;
    d3dx::Vector2 inHandle;
    bool operator==(const tbShapePoint&) const = default;
};

struct tbStoredShape {
    std::string name;  // at most 127 characters in the file
    std::vector<tbShapePoint> points;
    bool operator==(const tbStoredShape&) const = default;
};
