#include "engine/core/simBoundingRect.h"

#include <cfloat>
#include <cmath>

using d3dx::Vector2;

namespace {

void growMinMax(Vector2& lo, Vector2& hi, const Vector2& p) {
    if (hi.x < p.x) hi.x = p.x;
    if (lo.x > p.x) lo.x = p.x;
    if (hi.y < p.y) hi.y = p.y;
    if (lo.y > p.y) lo.y = p.y;
}

// Truncation toward zero that stays defined for values beyond the int range.
int32_t truncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0f) return INT32_MAX;
    if (value <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

void simBoundingRect::reset() {
    min = Vector2(FLT_MAX, FLT_MAX);
    max = Vector2(-FLT_MAX, -FLT_MAX);
}

bool simBoundingRect::isEmpty() const { return min.x > max.x || min.y > max.y; }

void simBoundingRect::update() {
    corners[0] = Vector2(min.x, min.y);
    corners[1] = Vector2(max.x, min.y);
    corners[2] = Vector2(max.x, max.y);
    corners[3] = Vector2(min.x, max.y);
    if (isEmpty()) {
        centre = Vector2();
        radius = 0.0f;
        left = top = right = bottom = 0;
        return;
    }
    Vector2 half = (max - min) * 0.5f;
    centre = min + half;
    radius = std::sqrt(half.x * half.x + half.y * half.y);
    left = truncateToInt(min.x);
    top = truncateToInt(min.y);
    right = truncateToInt(max.x);
    bottom = truncateToInt(max.y);
}

void simBoundingRect::growByPoint(const Vector2& point) {
    growMinMax(min, max, point);
    update();
}

void simBoundingRect::growByRect(const simBoundingRect& other) {
    // Growing by an empty rectangle's sentinels would span the whole plane.
    if (!other.isEmpty()) {
        growMinMax(min, max, other.max);
        growMinMax(min, max, other.min);
    }
    update();
}

int simBoundingRect::classify(const simBoundingRect& other) const {
    if (other.max.x < min.x || other.max.y < min.y || other.min.x > max.x || other.min.y > max.y) return kApart;
    if (other.max.x >= max.x && other.max.y >= max.y && other.min.x <= min.x && other.min.y <= min.y)
        return kInside;
    return kOverlapping;
}

bool simBoundingRect::overlaps(const simBoundingRect& other) const {
    return !(max.x < other.min.x || min.x > other.max.x || max.y < other.min.y || min.y > other.max.y);
}
