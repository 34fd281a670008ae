// The UV selection's click rules without a view: what lies near the cursor
// or inside a drag rectangle, which item a click keeps, and how Shift, Ctrl
// and a plain click change the selection.
#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "app/scheme/tbUVSelection.h"

namespace {

TEST(UVPointer, NearIsTenPixelsEachWayInWholePixelsAndADragIsStrictlyInside) {
    tbUVPointer click;
    click.mouse = {100.7f, 50.2f};
    const struct Case {
        d3dx::Vector2 screen;
        bool near;
    } clicks[] = {
        {{100.0f, 50.0f}, true},  {{110.9f, 60.9f}, true},   {{90.0f, 40.0f}, true},
        {{111.0f, 50.0f}, false}, {{100.0f, 39.9f}, false},  {{89.5f, 50.0f}, false},  // 89: one pixel beyond
        {{1e20f, 50.0f}, false},  {{-1e20f, -1e20f}, false},
    };
    for (const Case& c : clicks) EXPECT_EQ(click.isNear(c.screen), c.near) << c.screen.x << ", " << c.screen.y;

    // Whichever way the mouse went, the rectangle is the same; its edges
    // belong to neither side.
    for (bool reversed : {false, true}) {
        tbUVPointer drag;
        drag.dragging = true;
        drag.press = reversed ? d3dx::Vector2{40.0f, 30.0f} : d3dx::Vector2{10.0f, 20.0f};
        drag.mouse = reversed ? d3dx::Vector2{10.0f, 20.0f} : d3dx::Vector2{40.0f, 30.0f};
        EXPECT_TRUE(drag.isInside({25.0f, 25.0f}));
        EXPECT_TRUE(drag.isInside({10.5f, 29.5f}));
        EXPECT_FALSE(drag.isInside({10.0f, 25.0f}));
        EXPECT_FALSE(drag.isInside({25.0f, 30.0f}));
        EXPECT_FALSE(drag.isInside({5.0f, 25.0f}));
    }
}

class Selection : public ::testing::Test {
protected:
    void SetUp() override {
        for (size_t i = 0; i < faces.size(); ++i) faces[i].index = uint32_t(i);
        click.mouse = {50.0f, 50.0f};
    }
    tbTriangle* face(size_t i) { return &faces[i]; }
    tbTriangle::CornerRef point(size_t i, uint32_t corner) { return {&faces[i], corner}; }
    // One click that finds `found` (each shown at the cursor), with the keys given.
    void clickOn(std::vector<tbTriangle*> found, bool shift = false, bool ctrl = false) {
        s.beginClick();
        for (tbTriangle* t : found) s.offerFace(t, click.mouse, click);
        s.applyClick(shift, ctrl);
    }

    std::vector<tbTriangle> faces = std::vector<tbTriangle>(6);
    tbUVSelection s;
    tbUVPointer click;
};

TEST_F(Selection, AClickKeepsTheItemNearestTheCursorAndADragEveryOneInside) {
    s.mode = tbUVSelection::kPoints;
    s.beginClick();
    s.offerPoint(point(0, 0), {58.0f, 50.0f}, click);
    s.offerPoint(point(1, 2), {53.0f, 52.0f}, click);  // nearer: replaces
    s.offerPoint(point(2, 1), {47.0f, 48.0f}, click);  // as near: the first stays
    s.offerPoint(point(3, 0), {50.0f, 75.0f}, click);  // out of reach
    s.offerFace(face(4), {50.0f, 50.0f}, click);       // not what this mode selects
    EXPECT_EQ(s.hoveredPoints, (std::list<tbTriangle::CornerRef>{point(1, 2)}));
    EXPECT_TRUE(s.hoveredFaces.empty());

    tbUVPointer drag;
    drag.dragging = true;
    drag.press = {50.0f, 60.0f};
    drag.mouse = {0.0f, 0.0f};
    s.mode = tbUVSelection::kFaces;
    s.beginClick();
    for (size_t i = 0; i < faces.size(); ++i) s.offerFace(face(i), {10.0f * float(i) + 5.0f, 30.0f}, drag);
    EXPECT_EQ(s.hoveredFaces, (std::list<tbTriangle*>{face(0), face(1), face(2), face(3), face(4)}));

    s.mode = tbUVSelection::kNone;
    s.beginClick();
    s.offerFace(face(0), click.mouse, click);
    s.offerPoint(point(0, 0), click.mouse, click);
    EXPECT_TRUE(s.hoveredFaces.empty() && s.hoveredPoints.empty());
}

TEST_F(Selection, ShiftAddsCtrlRemovesAndAPlainClickReplaces) {
    s.mode = tbUVSelection::kFaces;
    struct Step {
        const char* what;
        std::vector<tbTriangle*> found;
        bool shift, ctrl;
        std::list<tbTriangle*> after;
        bool counted;  // the number of selected faces changed
    };
    const Step steps[] = {
        {"plain", {face(1)}, false, false, {face(1)}, true},
        {"shift adds", {face(2)}, true, false, {face(1), face(2)}, true},
        {"shift moves a selected one to the end", {face(1)}, true, false, {face(2), face(1)}, false},
        {"ctrl removes", {face(2)}, false, true, {face(1)}, true},
        {"ctrl on an unselected one", {face(3)}, false, true, {face(1)}, false},
        {"ctrl and shift add", {face(4)}, true, true, {face(1), face(4)}, true},
        {"plain replaces", {face(5)}, false, false, {face(5)}, true},
        {"plain on nothing empties", {}, false, false, {}, true},
        {"plain on nothing again", {}, false, false, {}, false},
    };
    for (const Step& step : steps) {
        const std::list<tbTriangle*> before = s.faces;
        clickOn(step.found, step.shift, step.ctrl);
        EXPECT_EQ(s.faces, step.after) << step.what;
        EXPECT_EQ(s.previousFaces, before) << step.what;
        EXPECT_EQ(s.countsChanged(), step.counted) << step.what;
    }
}

TEST_F(Selection, CentresFollowTheSelectedFacesOrPoints) {
    faces[0].centre = {1.0f, 2.0f, 9.0f};
    faces[1].centre = {3.0f, -2.0f, 7.0f};
    s.mode = tbUVSelection::kFaces;
    s.faces = {face(0), face(1)};
    s.updateCentre();
    EXPECT_FLOAT_EQ(s.textureCentre.x, 2.0f);
    EXPECT_FLOAT_EQ(s.textureCentre.y, 0.0f);
    EXPECT_FLOAT_EQ(s.centre3D.z, 0.0f);

    faces[2].uvs[1] = {0.25f, 0.75f};
    faces[2].positions[1] = {-1.0f, 0.0f, 4.0f};
    faces[3].uvs[0] = {0.75f, 0.25f};
    faces[3].positions[0] = {3.0f, 2.0f, 0.0f};
    s.mode = tbUVSelection::kPoints;
    s.points = {point(2, 1), point(3, 0)};
    s.updateCentre();
    EXPECT_FLOAT_EQ(s.textureCentre.x, 0.5f);
    EXPECT_FLOAT_EQ(s.textureCentre.y, 0.5f);  // v counted upwards: 1 - v
    EXPECT_FLOAT_EQ(s.centre3D.x, 1.0f);
    EXPECT_FLOAT_EQ(s.centre3D.y, 1.0f);
    EXPECT_FLOAT_EQ(s.centre3D.z, 2.0f);
}

}  // namespace
