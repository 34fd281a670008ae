// Areas: outline editing in the view, recentring, triangulation and walls,
// wherever the area lies.
#include <gtest/gtest.h>

#include <cmath>

#include "app/site/tbCollisionObject_area.h"
#include "tests/app/site/siteObjectFixture.h"
#include "tests/support/floatDigest.h"

namespace {

using sitetest::SiteStage;
using Area = tbCollisionObject_area;
constexpr uint32_t kDelete = 46, kBackspace = 8;

class AreaEditing : public ::testing::Test, public SiteStage {
protected:
    std::unique_ptr<Area> selectedArea(Area::SubKind kind = Area::subKind_area, d3dx::Vector3 at = {0, 0, 0}) {
        auto area = std::make_unique<Area>(kind, "New area", at);
        area->activate();
        return area;
    }
};

void expectNear(const d3dx::Vector3& a, const d3dx::Vector3& b) {
    EXPECT_NEAR(a.x, b.x, 0.01f);
    EXPECT_NEAR(a.y, b.y, 0.01f);
    EXPECT_NEAR(a.z, b.z, 0.01f);
}

TEST_F(AreaEditing, ClicksAddPointsAndTheAreaFollowsTheirCentre) {
    auto area = selectedArea();
    clickOver(*area, 0, 0);
    clickOver(*area, 300, 0);
    clickOver(*area, 300, 300);
    ASSERT_EQ(area->getPoints().size(), 3u);
    expectNear(area->getPosition(), {200, 0, 100});
    expectNear(area->getManipulator()->getPosition(), {200, 0, 100});
    expectNear(area->worldPoint(0), {0, 0, 0});
    expectNear(area->worldPoint(1), {300, 0, 0});
    expectNear(area->worldPoint(2), {300, 0, 300});
    EXPECT_EQ(area->getSelectedPoint(), 2);
    area->refreshGeometry();
    EXPECT_EQ(area->getTriangles().size(), 1u + 3 * 2);
}

TEST_F(AreaEditing, NothingWithoutTheEditToggleOrSelection) {
    auto area = selectedArea();
    settings.areaEdit = false;
    clickOver(*area, 0, 0);
    EXPECT_TRUE(area->getPoints().empty());
    settings.areaEdit = true;
    area->deactivate();
    clickOver(*area, 0, 0);
    EXPECT_TRUE(area->getPoints().empty());
    area->activate();
    area->setVisible(false);
    clickOver(*area, 0, 0);
    EXPECT_TRUE(area->getPoints().empty());
}

TEST_F(AreaEditing, AClickAboveTheHorizonPutsNoPoint) {
    auto area = selectedArea();
    const testsupport::TestCamera level({0, 100, -1000}, {0, 100, 0}, {0, 1, 0}, kQuarterTurn,
                                        {0, 0, 1000, 1000, 0.0f, 1.0f}, 1.0f, 5000.0f);
    source.applyCamera(&level);
    moveTo(500, 200);  // above the horizon
    area->onEvent(move());
    area->onEvent(button(simMouseButton_left, simButtonState_pressed));
    area->onEvent(button(simMouseButton_left, simButtonState_released));
    EXPECT_TRUE(area->getPoints().empty());
}

TEST_F(AreaEditing, DraggingAPointMovesItAndAddsNone) {
    auto area = selectedArea();
    clickOver(*area, 0, 0);
    clickOver(*area, 200, 0);
    clickOver(*area, 200, 200);
    moveOver(200, 200);
    area->onEvent(move());
    ASSERT_EQ(area->getHovered(), 2);
    area->onEvent(button(simMouseButton_left, simButtonState_pressed));
    EXPECT_EQ(area->getDragged(), 2);
    moveOver(260, 240);
    area->onEvent(move());
    area->onEvent(button(simMouseButton_left, simButtonState_released));
    ASSERT_EQ(area->getPoints().size(), 3u);
    EXPECT_EQ(area->getDragged(), -1);
    expectNear(area->worldPoint(2), {260, 0, 240});
    expectNear(area->worldPoint(0), {0, 0, 0});
}

TEST_F(AreaEditing, DeleteTakesTheSelectedPointOnlyWhenTheViewHasTheKeyboard) {
    auto area = selectedArea();
    clickOver(*area, 0, 0);
    clickOver(*area, 200, 0);
    clickOver(*area, 200, 200);
    // Typed into a bar's text box: not the area's.
    settings.keyboardInView = false;
    area->onEvent(keyReleased(kDelete));
    area->onEvent(keyReleased(kBackspace));
    EXPECT_EQ(area->getPoints().size(), 3u);

    settings.keyboardInView = true;
    moveOver(0, 0);
    area->onEvent(move());
    area->onEvent(button(simMouseButton_left, simButtonState_pressed));
    area->onEvent(button(simMouseButton_left, simButtonState_released));
    ASSERT_EQ(area->getSelectedPoint(), 0);
    area->onEvent(keyReleased(kBackspace));
    ASSERT_EQ(area->getPoints().size(), 2u);
    EXPECT_EQ(area->getSelectedPoint(), 0);  // the new point 0
    expectNear(area->worldPoint(0), {200, 0, 0});
    area->onEvent(keyReleased(kDelete));
    area->onEvent(keyReleased(kDelete));
    EXPECT_TRUE(area->getPoints().empty());
    EXPECT_EQ(area->getSelectedPoint(), -1);
    area->onEvent(keyReleased(kDelete));  // nothing left to take
}

TEST_F(AreaEditing, DeletingWhileDraggingLetsGoOfTheDrag) {
    auto area = selectedArea();
    clickOver(*area, 0, 0);
    clickOver(*area, 200, 0);
    moveOver(200, 0);
    area->onEvent(move());
    area->onEvent(button(simMouseButton_left, simButtonState_pressed));
    ASSERT_EQ(area->getDragged(), 1);
    area->onEvent(keyReleased(kDelete));  // takes the selected point, the dragged one
    EXPECT_EQ(area->getDragged(), -1);
    moveOver(50, 50);
    area->onEvent(move());  // wrote past the end of the outline before
    EXPECT_EQ(area->getPoints().size(), 1u);
}

TEST_F(AreaEditing, TheMiddleButtonRemovesTheHoveredPoint) {
    auto area = selectedArea();
    clickOver(*area, 0, 0);
    clickOver(*area, 200, 0);
    clickOver(*area, 200, 200);
    moveOver(200, 0);
    area->onEvent(move());
    area->onEvent(button(simMouseButton_middle, simButtonState_pressed));
    area->onEvent(button(simMouseButton_middle, simButtonState_released));
    ASSERT_EQ(area->getPoints().size(), 2u);
    expectNear(area->worldPoint(1), {200, 0, 200});
}

TEST(AreaGeometry, TrianglesAndWallsWhereverTheAreaLies) {
    // 100 m and more out the outline is still cut into triangles.
    for (float far : {0.0f, 10000.0f, 250000.0f}) {
        Area area(Area::subKind_area, "a", {far, 500, -far});
        area.setPosition({far, 500, -far});
        for (d3dx::Vector3 p : {d3dx::Vector3{-100, 0, -100}, {100, 0, -100}, {100, 0, 100}, {-100, 0, 100}})
            area.addPoint(p);
        area.buildGeometry();
        const auto& triangles = area.getTriangles();
        ASSERT_EQ(triangles.size(), 2u + 4 * 2) << far;
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(triangles[i].p0.y, 500.0f);
            EXPECT_EQ(triangles[i].colour0, 0x640000FFu);
            EXPECT_GE(triangles[i].p0.x, far - 100);
            EXPECT_LE(triangles[i].p0.x, far + 100);
        }
        // The walls reach 100 units down per unit of y scale.
        float lowest = 1e9f;
        for (size_t i = 2; i < triangles.size(); ++i)
            for (const auto* p : {&triangles[i].p0, &triangles[i].p1, &triangles[i].p2}) lowest = std::min(lowest, p->y);
        EXPECT_EQ(lowest, 400.0f);
        EXPECT_EQ(triangles[2].colour0, 0x6400009Bu);
    }
}

// The 200-point outline the rebuild is timed with, far out: its top and
// walls, every corner, normal and colour bit for bit as they were made
// before the triangulator was made faster (colours as their float values).
TEST(AreaGeometry, ALargeAreaKeepsItsExactTriangles) {
    Area area(Area::subKind_wind, "area", {15000, 300, -8000});
    for (int i = 0; i < 200; ++i) {
        const float a = float(i) * 6.2831853f / 200.0f;
        const float r = 3000.0f + (i % 2 ? 600.0f : 0.0f) + 400.0f * std::sin(5.0f * a);
        area.addPoint({r * std::cos(a), 0.0f, r * std::sin(a)});
    }
    area.buildGeometry();
    testsupport::FloatDigest digest;
    for (const simTriangle3D& t : area.getTriangles()) {
        for (const d3dx::Vector3* v : {&t.p0, &t.p1, &t.p2, &t.n0, &t.n1, &t.n2}) {
            digest.add(v->x);
            digest.add(v->y);
            digest.add(v->z);
        }
        for (const uint32_t colour : {t.colour0, t.colour1, t.colour2}) digest.add(float(colour));
    }
    EXPECT_EQ(area.getTriangles().size(), 198u + 2 * 200u);
    EXPECT_EQ(digest.value(), 5818697593699903872ull);
}

TEST(AreaGeometry, AMaterialAreaLiesJustAboveTheGroundWithoutWalls) {
    Area area(Area::subKind_material, "m", {0, 700, 0});
    for (d3dx::Vector3 p : {d3dx::Vector3{-100, 0, -100}, {100, 0, -100}, {0, 0, 100}}) area.addPoint(p);
    area.buildGeometry();
    ASSERT_EQ(area.getTriangles().size(), 1u);
    EXPECT_EQ(area.getTriangles()[0].p0.y, 1.0f);
    EXPECT_EQ(area.getTriangles()[0].colour0, 0x64FF0000u);
    // Two points: no triangles at all.
    Area two(Area::subKind_material, "two", {});
    two.addPoint({0, 0, 0});
    two.addPoint({10, 0, 0});
    two.buildGeometry();
    EXPECT_TRUE(two.getTriangles().empty());
}

TEST(AreaGeometry, ManipulatorAxesBySubKind) {
    struct Case {
        Area::SubKind kind;
        float translate[3], rotate[3], scale[3];
    };
    const Case cases[] = {
        {Area::subKind_material, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}},
        {Area::subKind_area, {1, 1, 1}, {0, 0, 0}, {0, 1, 0}},
        {Area::subKind_wind, {1, 1, 1}, {1, 1, 0}, {0, 1, 1}},
    };
    for (const Case& c : cases) {
        Area area(c.kind, "a", {});
        const manipulator& m = *area.getManipulator();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(m.translateAxes[i], c.translate[i]) << c.kind << " " << i;
            EXPECT_EQ(m.rotateAxes[i], c.rotate[i]) << c.kind << " " << i;
            EXPECT_EQ(m.scaleAxes[i], c.scale[i]) << c.kind << " " << i;
        }
    }
}

}  // namespace
