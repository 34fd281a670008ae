// Height maps: the grid's extent and box, the brush's falloff, direction,
// limits and pacing on the manual clock, and rebuilding after a move.
#include <gtest/gtest.h>

#include <limits>

#include "app/site/tbCollisionObject_heightMap.h"
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
    ASSERT_EQ(map.getSurfaceVertices().size(), 3u * 3 * 6);
    ASSERT_EQ(map.getLines().size(), 3u * 3 * 2);
    EXPECT_EQ(map.getSurfaceVertices()[0].colour, 75u << 24 | 0x6400u | 127u);
}

TEST(HeightMapSurface, HeightsThatAreNoNumberStillGiveAColour) {
    HeightMap map("h", {0, 0, 0}, {0, 0, 0}, {400, 1, 400}, 3);
    map.setHeight(0, 0, std::numeric_limits<float>::quiet_NaN());
    map.setHeight(1, 1, std::numeric_limits<float>::infinity());
    map.refreshSurface();
    ASSERT_EQ(map.getSurfaceVertices().size(), 2u * 2 * 6);
    EXPECT_EQ(map.getSurfaceVertices()[0].colour & 0xFFu, 0u);
}

// What is drawn by index must be the triangle list's picture: the same
// corners in the same order, and each triangle's first corner (which gives
// a flat-shaded triangle its colour) of the triangle's colour.
TEST(HeightMapSurface, TheSharedCornersDrawTheTriangleListsTriangles) {
    HeightMap map("h", {50, 0, 20}, {0, 0.3f, 0}, {400, 1, 600}, 5);
    map.setHeight(1, 2, 80.0f);
    map.setHeight(3, 3, -40.0f);
    map.setHeight(4, 0, 250.0f);
    map.refreshSurface();
    const std::vector<simVertex>& list = map.getSurfaceVertices();
    const std::vector<simVertex>& grid = map.getGridVertices();
    const std::vector<uint32_t>& indices = map.getGridIndices();
    ASSERT_EQ(grid.size(), 5u * 5);
    ASSERT_EQ(indices.size(), list.size());
    for (size_t k = 0; k < list.size(); ++k) {
        SCOPED_TRACE(k);
        ASSERT_LT(indices[k], grid.size());
        const simVertex& shared = grid[indices[k]];
        EXPECT_EQ(shared.position, list[k].position);
        EXPECT_EQ(shared.normal, list[k].normal);
        if (k % 3 == 0) {
            EXPECT_EQ(shared.colour, list[k].colour);
        }
    }
}

TEST(HeightMapSurface, ACopyMovedAwayIsRebuiltWhereItStands) {
    sitetest::SiteStage stage;
    const HeightMap map("h", {0, 0, 0}, {0, 0, 0}, {400, 1, 400}, 4);
    const auto copy = map.clone({1000, 0, 0});
    auto& moved = dynamic_cast<HeightMap&>(*copy);
    moved.refreshSurface();
    EXPECT_FLOAT_EQ(moved.cell(0, 0).world.x, 1000 - 200);
    EXPECT_FLOAT_EQ(moved.getSurfaceVertices()[0].position.x, 1000 - 200);
    EXPECT_FLOAT_EQ(map.cell(0, 0).world.x, -200);
}

}  // namespace
