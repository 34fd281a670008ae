// simBoundingRect: a 2-D rectangle in screen pixels with its corners, centre,
// radius and integer bounds.
//
// The painting tools pick with it and boxes report their place on the screen
// through it. The empty rectangle (after construction or reset) has
// min = +FLT_MAX and max = -FLT_MAX, so the first point grown into it sets
// both wherever it lies.
#pragma once

#include <cstdint>

#include "platform/d3dx/d3dxMathTypes.h"

class simBoundingRect {
public:
    // The results of classify.
    enum Classification { kApart = 0, kOverlapping = 1, kInside = 2 };

    d3dx::Vector2 min, max;
    // (min.x, min.y), (max.x, min.y), (max.x, max.y), (min.x, max.y).
    d3dx::Vector2 corners[4];
    d3dx::Vector2 centre;  // min + (max - min) / 2
    float radius = 0.0f;   // half the diagonal
    // min and max truncated toward zero (clamped to the int32 range).
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    simBoundingRect() { reset(); }

    // The empty rectangle (min and max only; call update for the rest).
    void reset();
    // True for the empty rectangle: min above max on some axis.
    bool isEmpty() const;
    // Recomputes corners, centre, radius and integer bounds. An empty
    // rectangle gets centre (0, 0), radius 0 and integer bounds 0.
    void update();

    // Widens the rectangle to hold the point (or the other rectangle; an
    // empty one changes nothing), then updates.
    void growByPoint(const d3dx::Vector2& point);
    void growByRect(const simBoundingRect& other);

    // kApart when the two are apart, kInside when this rectangle lies inside
    // the other (edges included), else kOverlapping.
    int classify(const simBoundingRect& other) const;
    // True unless the two are apart; rectangles that only touch overlap.
    bool overlaps(const simBoundingRect& other) const;
};
