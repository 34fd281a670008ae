#include "engine/core/utilsGeometry2D.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using d3dx::Vector2;
using d3dx::Vector4;

TEST(Geometry2D, SameSide) {
    struct Case {
        Vector2 p1, p2;
        bool expected;
    };
    // The line y = 0 from (0, 0) to (4, 0).
    const Case cases[] = {
        {{1, 1}, {3, 2}, true},    // both above
        {{1, -1}, {3, -2}, true},  // both below
        {{1, 1}, {3, -2}, false},  // either side
        {{1, 0}, {3, -2}, true},   // one on the line counts as the same side
        {{9, 0}, {-5, 0}, true},   // both on the line, beyond its ends too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utils::sameSide2D(c.p1, c.p2, {0, 0}, {4, 0}), c.expected)
            << c.p1.x << "," << c.p1.y << " / " << c.p2.x << "," << c.p2.y;
    }
}

TEST(Geometry2D, PointInTriangleIsStrict) {
    struct Case {
        Vector2 p;
        bool expected;
    };
    // The right triangle (0, 0), (4, 0), (0, 4); its hypotenuse is x + y = 4.
    const Case cases[] = {
        {{1, 1}, true},   {{0.1f, 3.8f}, true}, {{2, 0}, false},  // on an edge
        {{2, 2}, false},                                          // on the hypotenuse
        {{0, 0}, false},                                          // a corner
        {{3, 3}, false},                                          // beyond the hypotenuse
        {{-1, 1}, false},                                         // left of every corner
        {{1, 5}, false},                                          // above every corner
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utils::pointInTriangle2D(c.p, {0, 0}, {4, 0}, {0, 4}), c.expected)
            << c.p.x << "," << c.p.y;
        // Corner order does not matter.
        EXPECT_EQ(utils::pointInTriangle2D(c.p, {0, 4}, {4, 0}, {0, 0}), c.expected)
            << c.p.x << "," << c.p.y;
    }
    // A flat triangle holds nothing, not even points on its line.
    EXPECT_FALSE(utils::pointInTriangle2D({1, 1}, {0, 0}, {2, 2}, {4, 4}));
}

TEST(Geometry2D, IsBetweenEitherOrderEndsIncluded) {
    EXPECT_TRUE(utils::isBetween(5, 10, 0));
    EXPECT_TRUE(utils::isBetween(10, 10, 0));
    EXPECT_TRUE(utils::isBetween(0, 10, 0));
    EXPECT_TRUE(utils::isBetween(5, 0, 10));
    EXPECT_FALSE(utils::isBetween(10.5f, 10, 0));
    EXPECT_FALSE(utils::isBetween(-0.5f, 0, 10));
    // An empty range still holds its one value.
    EXPECT_TRUE(utils::isBetween(3, 3, 3));
    EXPECT_FALSE(utils::isBetween(4, 3, 3));
}

TEST(Geometry2D, IntersectLines) {
    // y = x crossed with the vertical line x = 2.
    Vector2 x = utils::intersectLines2D({0, 0}, {1, 1}, {2, -5}, {0, 3});
    EXPECT_FLOAT_EQ(x.x, 2.0f);
    EXPECT_FLOAT_EQ(x.y, 2.0f);
    // The result lies along the first line: p1 + t * d1, with t here 3.
    x = utils::intersectLines2D({1, 0}, {0, 1}, {0, 3}, {5, 0});
    EXPECT_FLOAT_EQ(x.x, 1.0f);
    EXPECT_FLOAT_EQ(x.y, 3.0f);

    Vector2 out{7, 7};
    EXPECT_FALSE(utils::linesCross2D(&out, {0, 0}, {1, 2}, {3, 0}, {2, 4}));  // parallel
    EXPECT_EQ(out, (Vector2{7, 7}));
    EXPECT_FALSE(std::isfinite(utils::intersectLines2D({0, 0}, {1, 2}, {3, 0}, {2, 4}).x));
}

TEST(Geometry2D, SegmentsCrossOnEitherAxis) {
    struct Case {
        const char* name;
        Vector2 a0, a1, b0, b1;
        bool expected;
    };
    const Case cases[] = {
        {"diagonals of a square", {0, 0}, {2, 2}, {0, 2}, {2, 0}, true},
        {"horizontal through a vertical", {-1, 1}, {3, 1}, {1, 0}, {1, 4}, true},
        {"vertical through a horizontal", {1, 0}, {1, 4}, {-1, 1}, {3, 1}, true},
        {"vertical short of a horizontal", {1, 2}, {1, 4}, {-1, 1}, {3, 1}, false},
        {"slanted beside a vertical", {0, 0}, {1, 5}, {2, 0}, {2, 6}, false},
        {"slanted short of a vertical", {0, 0}, {1.9f, 5}, {2, 0}, {2, 6}, false},
        {"slanted across a vertical", {0, 0}, {4, 5}, {2, 0}, {2, 6}, true},
        {"steep across a vertical", {1.9f, 0}, {2.1f, 6}, {2, -1}, {2, 7}, true},
        {"touching ends", {0, 0}, {1, 1}, {1, 1}, {2, 0}, true},
        {"end on the other's middle", {0, 0}, {2, 0}, {1, 0}, {1, 3}, true},
        {"parallel", {0, 0}, {2, 0}, {0, 1}, {2, 1}, false},
        {"collinear and overlapping", {0, 0}, {2, 0}, {1, 0}, {3, 0}, false},
        {"collinear verticals", {0, 0}, {0, 2}, {0, 1}, {0, 3}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utils::segmentsCross2D(c.a0, c.a1, c.b0, c.b1), c.expected) << c.name;
        EXPECT_EQ(utils::segmentsCross2D(c.b1, c.b0, c.a1, c.a0), c.expected)
            << c.name << " swapped";
    }
}

TEST(Geometry2D, PerpendicularDivideAndDistance) {
    const Vector2 p = utils::perpendicular2D({0, 2});
    EXPECT_FLOAT_EQ(p.x, 1.0f);
    EXPECT_FLOAT_EQ(p.y, 0.0f);
    const Vector2 q = utils::perpendicular2D({3, 4});
    EXPECT_FLOAT_EQ(q.x, 0.8f);
    EXPECT_FLOAT_EQ(q.y, -0.6f);

    const Vector2 d = utils::divideVector2D({6, -9}, {2, 3});
    EXPECT_FLOAT_EQ(d.x, 3.0f);
    EXPECT_FLOAT_EQ(d.y, -3.0f);

    // From the line through (1, 1) along (3, 4): the point (1, 1) + 5 * (0.8, -0.6).
    EXPECT_FLOAT_EQ(utils::distanceToLine2D({1, 1}, {3, 4}, {5, -2}), 5.0f);
    EXPECT_FLOAT_EQ(utils::distanceToLine2D({1, 1}, {3, 4}, {7, 9}), 0.0f);
    EXPECT_FLOAT_EQ(utils::distanceToLine2D({0, 0}, {0, 10}, {-3, 50}), 3.0f);
    // No direction: the distance to the line's one point, not a division by zero.
    EXPECT_FLOAT_EQ(utils::distanceToLine2D({1, 1}, {0, 0}, {4, 5}), 5.0f);
}

TEST(Geometry2D, ProjectPointOnSegment) {
    struct Case {
        const char* name;
        Vector2 p, a, b;
        bool expected;
        Vector2 foot;
        float distance;
    };
    const Case cases[] = {
        {"above a horizontal", {5, 3}, {0, 0}, {10, 0}, true, {5, 0}, 3},
        {"beyond its end", {12, 3}, {0, 0}, {10, 0}, false, {}, 0},
        {"over its end", {10, -2}, {0, 0}, {10, 0}, true, {10, 0}, 2},
        {"beside a vertical", {3, 4}, {1, 0}, {1, 10}, true, {1, 4}, 2},
        {"beside a vertical, reversed", {-1, 4}, {1, 10}, {1, 0}, true, {1, 4}, 2},
        {"below a vertical", {3, -1}, {1, 0}, {1, 10}, false, {}, 0},
        {"off a slanted one", {0, 2}, {0, 0}, {2, 2}, true, {1, 1}, std::sqrt(2.0f)},
        {"zero length", {0, 2}, {1, 1}, {1, 1}, false, {}, 0},
    };
    for (const Case& c : cases) {
        Vector2 foot{-99, -99};
        float distance = -99;
        ASSERT_EQ(utils::projectPointOnSegment2D(&foot, &distance, c.p, c.a, c.b), c.expected)
            << c.name;
        if (c.expected) {
            EXPECT_NEAR(foot.x, c.foot.x, 1e-5f) << c.name;
            EXPECT_NEAR(foot.y, c.foot.y, 1e-5f) << c.name;
            EXPECT_NEAR(distance, c.distance, 1e-5f) << c.name;
        } else {
            EXPECT_EQ(foot, (Vector2{-99, -99})) << c.name;
            EXPECT_EQ(distance, -99) << c.name;
        }
    }
}

TEST(Geometry2D, SegmentAgainstTriangleEdgesInEdgeOrder) {
    // The triangle (0, 0), (4, 0), (0, 4) with texture coordinates in z, w.
    const Vector4 c0{0, 0, 0.0f, 0.0f}, c1{4, 0, 1.0f, 0.0f}, c2{0, 4, 0.0f, 1.0f};
    // A vertical segment x = 1 from y = -1 to y = 5, attribute z running 10..70.
    const Vector4 a{1, -1, 10, 100}, b{1, 5, 70, 400};
    std::vector<utils::EdgeCrossing> crossings;
    utils::intersectSegmentWithTriangleEdges(&crossings, a, b, c0, c1, c2);
    ASSERT_EQ(crossings.size(), 2u);

    // Edge c0-c1 at (1, 0), a sixth of the way along a-b.
    EXPECT_NEAR(crossings[0].point.x, 1, 1e-5f);
    EXPECT_NEAR(crossings[0].point.y, 0, 1e-5f);
    EXPECT_NEAR(crossings[0].attributes.x, 20, 1e-4f);
    EXPECT_NEAR(crossings[0].attributes.y, 150, 1e-4f);
    EXPECT_EQ(crossings[0].edgeStart, (Vector2{0, 0}));
    EXPECT_EQ(crossings[0].edgeEnd, (Vector2{4, 0}));
    EXPECT_EQ(crossings[0].startAttributes, (Vector2{0, 0}));
    EXPECT_EQ(crossings[0].endAttributes, (Vector2{1, 0}));

    // Edge c1-c2 at (1, 3), two thirds of the way.
    EXPECT_NEAR(crossings[1].point.x, 1, 1e-5f);
    EXPECT_NEAR(crossings[1].point.y, 3, 1e-5f);
    EXPECT_NEAR(crossings[1].attributes.x, 50, 1e-4f);
    EXPECT_NEAR(crossings[1].attributes.y, 300, 1e-4f);
    EXPECT_EQ(crossings[1].edgeStart, (Vector2{4, 0}));
    EXPECT_EQ(crossings[1].edgeEnd, (Vector2{0, 4}));
    EXPECT_EQ(crossings[1].startAttributes, (Vector2{1, 0}));
    EXPECT_EQ(crossings[1].endAttributes, (Vector2{0, 1}));

    // The vertical edge c2-c0 is met by a horizontal segment; it starts at c2.
    crossings.clear();
    utils::intersectSegmentWithTriangleEdges(&crossings, {-1, 2, 0, 0}, {1, 2, 1, 1}, c0, c1, c2);
    ASSERT_EQ(crossings.size(), 1u);
    EXPECT_NEAR(crossings[0].point.x, 0, 1e-5f);
    EXPECT_NEAR(crossings[0].point.y, 2, 1e-5f);
    EXPECT_NEAR(crossings[0].attributes.x, 0.5f, 1e-5f);
    EXPECT_EQ(crossings[0].edgeStart, (Vector2{0, 4}));
    EXPECT_EQ(crossings[0].edgeEnd, (Vector2{0, 0}));

    // Appends; a segment inside the triangle, or of zero length, adds nothing.
    utils::intersectSegmentWithTriangleEdges(&crossings, {1, 1, 0, 0}, {1.5f, 1, 0, 0}, c0, c1, c2);
    utils::intersectSegmentWithTriangleEdges(&crossings, {0, 2, 0, 0}, {0, 2, 0, 0}, c0, c1, c2);
    EXPECT_EQ(crossings.size(), 1u);
}

}  // namespace
