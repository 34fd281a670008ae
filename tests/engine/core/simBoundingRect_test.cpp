// The screen rectangle: growing, derived values, classification and overlap.
#include <gtest/gtest.h>

#include "engine/core/simBoundingRect.h"

using d3dx::Vector2;

namespace {

simBoundingRect rectOf(float x0, float y0, float x1, float y1) {
    simBoundingRect r;
    r.growByPoint({x0, y0});
    r.growByPoint({x1, y1});
    return r;
}

}  // namespace

TEST(SimBoundingRect, UpdateDerivesCornersCentreRadiusAndIntegerBounds) {
    simBoundingRect r = rectOf(-1.7f, 2.9f, 4.3f, 10.9f);
    EXPECT_EQ(r.corners[1], Vector2(4.3f, 2.9f));
    EXPECT_EQ(r.corners[3], Vector2(-1.7f, 10.9f));
    EXPECT_FLOAT_EQ(r.centre.x, 1.3f);
    EXPECT_FLOAT_EQ(r.centre.y, 6.9f);
    EXPECT_FLOAT_EQ(r.radius, 5.0f);  // half of the 6 x 8 diagonal
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right, 4);
    EXPECT_EQ(r.bottom, 10);
}

TEST(SimBoundingRect, GrowsFromEmptyWhereverThePointLies) {
    simBoundingRect r = rectOf(150000, -200000, 160000, -190000);
    EXPECT_EQ(r.min, Vector2(150000, -200000));
    EXPECT_EQ(r.max, Vector2(160000, -190000));
    simBoundingRect empty;
    r.growByRect(empty);
    EXPECT_EQ(r.min, Vector2(150000, -200000));
    EXPECT_EQ(r.max, Vector2(160000, -190000));
    empty.growByRect(simBoundingRect());
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.left, 0);
}

TEST(SimBoundingRect, ClassifyAndOverlapTable) {
    const simBoundingRect base = rectOf(0, 0, 10, 10);
    struct Case {
        const char* what;
        simBoundingRect other;
        int classified;
        bool overlapping;
    };
    const Case cases[] = {
        {"equal", rectOf(0, 0, 10, 10), simBoundingRect::kInside, true},
        {"around", rectOf(-5, -5, 15, 15), simBoundingRect::kInside, true},
        {"sharing an edge", rectOf(10, 0, 20, 10), simBoundingRect::kOverlapping, true},
        {"crossing", rectOf(5, 5, 20, 20), simBoundingRect::kOverlapping, true},
        {"within", rectOf(2, 2, 3, 3), simBoundingRect::kOverlapping, true},
        {"apart", rectOf(11, 0, 20, 10), simBoundingRect::kApart, false},
        {"above", rectOf(0, -10, 10, -0.5f), simBoundingRect::kApart, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base.classify(c.other), c.classified) << c.what;
        EXPECT_EQ(base.overlaps(c.other), c.overlapping) << c.what;
    }
}
