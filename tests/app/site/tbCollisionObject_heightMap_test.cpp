// Height maps: the grid's extent and box, the brush's falloff, direction,
// limits and pacing on the manual clock, and rebuilding after a move.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <vector>

#include "app/site/tbCollisionObject_heightMap.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/app/site/siteObjectFixture.h"

namespace {

using HeightMap = tbCollisionObject_heightMap;

class HeightMapBrush : public ::testing::Test, public sitetest::SiteStage {
protected:
    // 11 cells a side over 1000 units: cell (r, c) lies at
    // (1000 r / 11 - 500, 1000 c / 11 - 500); (5, 5) is nearest the centre.
    HeightMapBrush() : map("h", {0, 0, 0}, {0, 0, 0}, {1000, 1, 1000}, 11) {
        map.activate();
        map.setBrushPoint(map.cell(5, 5).world);
        clock.advance(HeightMap::kStrokeIntervalMs);
    }
    HeightMap map;
};

TEST_F(HeightMapBrush, RaisesMostAtTheCentreAndNothingAtTheRim) {
    settings.radius = 10;   // 200 units
    settings.strength = 10;  // 2 units a stroke
    map.applyBrush(false);
    EXPECT_FLOAT_EQ(map.cell(5, 5).height, 2.0f);
    // One cell along (90.9 units): 1 - (90.9 / 200)^2 of the strength.
    const float d = 1000.0f / 11.0f;
    EXPECT_NEAR(map.cell(6, 5).height, 2.0f * (1.0f - d * d / 40000.0f), 1e-4f);
    // Three cells along lie beyond the radius.
    EXPECT_EQ(map.cell(8, 5).height, 0.0f);
    EXPECT_EQ(map.cell(0, 0).height, 0.0f);
    EXPECT_TRUE(map.needsRebuild());
}

TEST_F(HeightMapBrush, AtMostTenStrokesASecond) {
    map.applyBrush(false);
    map.applyBrush(false);  // at once: none
    clock.advance(99.0);
    map.applyBrush(false);
    EXPECT_FLOAT_EQ(map.cell(5, 5).height, 2.0f);
    clock.advance(1.0);
    map.applyBrush(false);
    EXPECT_FLOAT_EQ(map.cell(5, 5).height, 4.0f);
}

TEST_F(HeightMapBrush, DirectionFromDepressAndShift) {
    struct Case {
        bool depress, shift;
        float height;
    };
    const Case cases[] = {{false, false, 2}, {true, false, -2}, {false, true, -2}, {true, true, 2}};
    for (const Case& c : cases) {
        map.setHeight(5, 5, 0);
        settings.lower = c.depress;
        clock.advance(HeightMap::kStrokeIntervalMs);
        map.applyBrush(c.shift);
        EXPECT_FLOAT_EQ(map.cell(5, 5).height, c.height) << c.depress << c.shift;
    }
}

TEST_F(HeightMapBrush, LimitsApplyOnlyToTheCellsTheStrokeTouches) {
    map.setHeight(0, 0, 50.0f);  // far from the brush
    settings.maximum = 1.5f;
    map.applyBrush(false);
    EXPECT_FLOAT_EQ(map.cell(5, 5).height, 1.5f);
    EXPECT_EQ(map.cell(0, 0).height, 50.0f);
    settings.maximum.reset();
    settings.minimum = -0.5f;
    settings.lower = true;
    clock.advance(HeightMap::kStrokeIntervalMs);
    map.applyBrush(false);
    clock.advance(HeightMap::kStrokeIntervalMs);
    map.applyBrush(false);
    EXPECT_FLOAT_EQ(map.cell(5, 5).height, -0.5f);
}

TEST_F(HeightMapBrush, NoStrokeWithoutABrushPoint) {
    map.setBrushPoint({0, 0, 0});
    map.applyBrush(false);
    for (uint32_t r = 0; r < 11; ++r)
        for (uint32_t c = 0; c < 11; ++c) EXPECT_EQ(map.cell(r, c).height, 0.0f);
}

TEST_F(HeightMapBrush, TheBrushPointFollowsTheMouseOverTheGround) {
    moveOver(120, -40);
    map.onEvent(move());
    EXPECT_NEAR(map.getBrushPoint().x, 120.0f, 0.01f);
    EXPECT_NEAR(map.getBrushPoint().z, -40.0f, 0.01f);
    settings.surfaceEdit = false;
    moveOver(0, 0);
    map.onEvent(move());
    EXPECT_NEAR(map.getBrushPoint().x, 120.0f, 0.01f);
}

TEST(HeightMapSurface, GridExtentBoxAndColours) {
    const HeightMap map("h", {100, 0, 0}, {0, 0, 0}, {400, 1, 800}, 4);
    // From -scale / 2 up to scale / 2 - scale / N on each axis.
    EXPECT_FLOAT_EQ(map.cell(0, 0).world.x, 100 - 200);
    EXPECT_FLOAT_EQ(map.cell(3, 0).world.x, 100 + 200 - 100);
    EXPECT_FLOAT_EQ(map.cell(0, 0).world.z, -400);
    EXPECT_FLOAT_EQ(map.cell(0, 3).world.z, 400 - 200);
    // A flat map's box still reaches from -100 to 100, so its colours come
    // from the middle of that range.
    EXPECT_EQ(map.getBox().min.y, -100.0f);
    EXPECT_EQ(map.getBox().max.y, 100.0f);
    ASSERT_EQ(map.getGridVertices().size(), 4u * 4);
    ASSERT_EQ(map.getLines().size(), 3u * 3 * 2);
    EXPECT_EQ(map.getGridVertices()[0].colour, 75u << 24 | 0x6400u | 127u);
}

TEST(HeightMapSurface, HeightsThatAreNoNumberStillGiveAColour) {
    HeightMap map("h", {0, 0, 0}, {0, 0, 0}, {400, 1, 400}, 3);
    map.setHeight(0, 0, std::numeric_limits<float>::quiet_NaN());
    map.setHeight(1, 1, std::numeric_limits<float>::infinity());
    map.refreshSurface();
    ASSERT_EQ(map.getGridVertices().size(), 3u * 3);
    EXPECT_EQ(map.getGridVertices()[0].colour & 0xFFu, 0u);
}

// Close up a view draws every square as the map's own two triangles, each
// first corner (which gives a flat-shaded triangle its colour) the vertex of
// the square's own cell, of the colour of that cell's height.
TEST(HeightMapSurface, CloseUpEachSquareIsTwoTrianglesColouredByItsFirstCorner) {
    HeightMap map("h", {50, 0, 20}, {0, 0.3f, 0}, {400, 1, 600}, 5);
    map.setHeight(1, 2, 80.0f);
    map.setHeight(3, 3, -40.0f);
    map.setHeight(4, 0, 250.0f);
    map.refreshSurface();
    const std::vector<simVertex>& grid = map.getGridVertices();
    ASSERT_EQ(grid.size(), 5u * 5);
    for (uint32_t r = 0; r < 5; ++r)
        for (uint32_t c = 0; c < 5; ++c) {
            const simVertex& v = grid[r * 5 + c];
            EXPECT_EQ(v.position, map.cell(r, c).world);
            const float shade = (map.cell(r, c).world.y - map.getBox().min.y) / (map.getBox().max.y - map.getBox().min.y);
            EXPECT_EQ(v.colour, 75u << 24 | 0x6400u | uint32_t(shade * 255.0f)) << r << ", " << c;
        }
    d3dx::Matrix view, projection, viewProjection;
    const d3dx::Vector3 eye(50, 1500, 20), at(50, 0, 20), up(0, 0, 1);
    d3dx::MatrixLookAtRH(&view, &eye, &at, &up);
    d3dx::MatrixPerspectiveFovRH(&projection, 1.0f, 1.0f, 1.0f, 10000.0f);
    d3dx::MatrixMultiply(&viewProjection, &view, &projection);
    std::vector<uint32_t> indices;
    map.selectTriangles(viewProjection, 800, 800, &indices);
    std::multiset<std::vector<uint32_t>> drawn, squares;
    for (size_t i = 0; i + 2 < indices.size(); i += 3) drawn.insert({indices[i], indices[i + 1], indices[i + 2]});
    for (uint32_t r = 0; r < 4; ++r)
        for (uint32_t c = 0; c < 4; ++c) {
            const uint32_t p0 = r * 5 + c, p1 = p0 + 5, p2 = p1 + 1, p3 = p0 + 1;
            squares.insert({p0, p1, p2});
            squares.insert({p0, p2, p3});
        }
    EXPECT_EQ(drawn, squares);
}

TEST(HeightMapSurface, ACopyMovedAwayIsRebuiltWhereItStands) {
    sitetest::SiteStage stage;
    const HeightMap map("h", {0, 0, 0}, {0, 0, 0}, {400, 1, 400}, 4);
    const auto copy = map.clone({1000, 0, 0});
    auto& moved = dynamic_cast<HeightMap&>(*copy);
    moved.refreshSurface();
    EXPECT_FLOAT_EQ(moved.cell(0, 0).world.x, 1000 - 200);
    EXPECT_FLOAT_EQ(moved.getGridVertices()[0].position.x, 1000 - 200);
    EXPECT_FLOAT_EQ(map.cell(0, 0).world.x, -200);
}

}  // namespace
