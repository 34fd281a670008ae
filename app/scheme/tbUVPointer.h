// tbUVPointer: where a click of the UV selection points, in back-buffer
// pixels.
//
// A click takes what the view shows near the cursor: within 10 pixels of it
// in x and in y, both positions truncated to whole pixels. A drag takes
// what lies strictly inside the rectangle between the press point and the
// cursor, whichever way the mouse went.
#pragma once

#include "platform/d3dx/d3dxMathTypes.h"

struct tbUVPointer {
    static constexpr int kReach = 10;

    d3dx::Vector2 mouse;
    bool dragging = false;
    d3dx::Vector2 press;  // where the drag began; read only while dragging

    // The drag rectangle's corners (the smaller coordinates first).
    d3dx::Vector2 low() const;
    d3dx::Vector2 high() const;

    // A click: within reach of the cursor (bounds included).
    bool isNear(const d3dx::Vector2& screen) const;
    // A drag: strictly inside the rectangle.
    bool isInside(const d3dx::Vector2& screen) const;
    // Squared distance from the cursor, what decides between two items near it.
    float distanceSq(const d3dx::Vector2& screen) const;
};
