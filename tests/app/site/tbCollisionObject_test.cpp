// What every collision object and starting position shares: selection
// through the manipulator container and the bars it tells, copies, the
// primitive's plane and scale links, the marker's and position's axes and labels.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbFlyingSitePosition.h"
#include "platform/win/winMessages.h"
#include "tests/app/site/siteObjectFixture.h"

namespace {

using Primitive = tbCollisionObject_primitive;

class SiteObjects : public ::testing::Test, public sitetest::SiteStage {};

TEST_F(SiteObjects, SelectionCallbacksTellTheBars) {
    tbCollisionObject_area wind(tbCollisionObject_area::subKind_wind, "wind", {});
    tbCollisionObject_marker marker("marker", {});
    wind.onSelected(nullptr, 0);
    EXPECT_EQ(bars.collision, &wind);
    EXPECT_EQ(bars.weather, &wind);
    marker.onSelected(nullptr, 0);
    EXPECT_EQ(bars.collision, &marker);
    EXPECT_EQ(bars.weather, &wind);  // a marker is no wind-area
    // Deselecting an object the collision bar does not show leaves it; a
    // wind-area clears the weather bar whichever object that shows.
    wind.onDeselected(nullptr, 0);
    EXPECT_EQ(bars.collision, &marker);
    EXPECT_EQ(bars.weather, nullptr);
    marker.onDeselected(nullptr, 0);
    EXPECT_EQ(bars.collision, nullptr);
}

TEST_F(SiteObjects, ActivateAndDeactivateSelectThroughTheContainer) {
    tbCollisionObject_marker a("a", {}), b("b", {});
    a.activate();
    EXPECT_TRUE(a.isSelected());
    EXPECT_EQ(container.selected, a.getManipulator());
    b.deactivate();  // not b's: untouched
    EXPECT_TRUE(a.isSelected());
    b.activate();
    EXPECT_FALSE(a.isSelected());
    b.deactivate();
    EXPECT_EQ(container.selected, nullptr);
}

TEST_F(SiteObjects, CopiesHaveTheirOwnManipulatorAtTheNewPlace) {
    Primitive cube(Primitive::shape_cube, "cube", {10, 20, 30}, {0.5f, 0, 0}, {2, 3, 4});
    cube.setMaterial(6);
    cube.setDraw(false);
    const auto copy = cube.clone(cube.getPosition() + d3dx::Vector3(100, 0, 0));
    EXPECT_NE(copy->getManipulator(), cube.getManipulator());
    EXPECT_EQ(copy->getPosition(), (d3dx::Vector3{110, 20, 30}));
    EXPECT_EQ(copy->getManipulator()->getPosition(), (d3dx::Vector3{110, 20, 30}));
    EXPECT_EQ(copy->getName(), "cube");
    EXPECT_EQ(copy->getMaterial(), 6u);
    EXPECT_FALSE(copy->getDraw());
    EXPECT_EQ(copy->getScale(), (d3dx::Vector3{2, 3, 4}));
    EXPECT_EQ(cube.getPosition(), (d3dx::Vector3{10, 20, 30}));
}

TEST_F(SiteObjects, APlaneFollowsItsTurn) {
    Primitive plane(Primitive::shape_plane, "plane", {0, 250, 0}, {0, 0, 0}, {1, 1, 1});
    EXPECT_EQ(plane.getPlane(), (d3dx::Plane{0, 1, 0, -250}));
    // A quarter turn about x through the manipulator.
    plane.getManipulator()->setRotation({1.5707964f, 0, 0});
    plane.render();
    EXPECT_NEAR(plane.getPlane().b, 0.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(plane.getPlane().c), 1.0f, 1e-5f);
}

// Scale drags through the manipulator as the program hands it the mouse:
// the mouse learns of the press and moves first, then the manipulator gets
// the same events. Shift shows the scale handles. The drag pulls the x or z
// handle out to 1.5 times its distance from the centre.
TEST_F(SiteObjects, ScaleLinksKeepSpheresRoundAndCylindersCircular) {
    struct Case {
        Primitive::Shape shape;
        int dragged;
        d3dx::Vector3 scale;
    };
    const Case cases[] = {
        {Primitive::shape_sphere, 0, {3, 3, 3}},
        {Primitive::shape_sphere, 2, {4.5f, 4.5f, 4.5f}},
        {Primitive::shape_cylinder, 0, {3, 4, 3}},
        {Primitive::shape_cylinder, 2, {4.5f, 4, 4.5f}},
        {Primitive::shape_cube, 0, {3, 4, 3}},
        {Primitive::shape_plane, 2, {2, 4, 4.5f}},
    };
    simMouse& mouse = *g_input->getMouse();
    simKeyboard& keyboard = *g_input->getKeyboard();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shape " << c.shape << ", axis " << c.dragged);
        // A copy, as the program pastes one: its links are its own.
        const Primitive original(c.shape, "p", {0, 0, 0}, {0, 0, 0}, {2, 4, 3});
        const std::unique_ptr<tbCollisionObject> copy = original.clone({0, 0, 0});
        manipulator& m = *copy->getManipulator();
        keyboard.onKey(win::VK_SHIFT, 1);
        m.draw(nullptr);
        const d3dx::Vector2 centre = m.getScreenCentre(), handle = m.getScaleHandleScreen(c.dragged);
        const d3dx::Vector2 end = centre + (handle - centre) * 1.5f;
        auto send = [&](simInputEvent e) {
            mouse.onEvent(&e);
            m.onEvent(&e);
        };
        moveTo(int(std::lround(handle.x)), int(std::lround(handle.y)));
        send(move());
        mouse.onButton(simMouseButton_left, 1);
        send(button(simMouseButton_left, simButtonState_pressed));
        for (const float t : {0.5f, 1.0f}) {
            const d3dx::Vector2 at = handle + (end - handle) * t;
            moveTo(int(std::lround(at.x)), int(std::lround(at.y)));
            send(move());
        }
        mouse.onButton(simMouseButton_left, 0);
        send(button(simMouseButton_left, simButtonState_released));
        keyboard.onKey(win::VK_SHIFT, 0);
        EXPECT_NEAR(copy->getScale().x, c.scale.x, 0.02f);
        EXPECT_NEAR(copy->getScale().y, c.scale.y, 0.02f);
        EXPECT_NEAR(copy->getScale().z, c.scale.z, 0.02f);
    }
}

TEST(SiteMarker, MovesOnlyAlongTheGround) {
    const tbCollisionObject_marker marker("m", {1, 2, 3});
    const manipulator& m = *marker.getManipulator();
    EXPECT_EQ(m.translateAxes[0], 1.0f);
    EXPECT_EQ(m.translateAxes[1], 0.0f);
    EXPECT_EQ(m.translateAxes[2], 1.0f);
    EXPECT_EQ(m.labelMode, 2);
}

TEST_F(SiteObjects, PositionLabelsAxesAndBars) {
    tbFlyingSitePosition position("default 1", {0, 0, 0}, 1);
    const manipulator& m = *position.getManipulator();
    EXPECT_EQ(m.getLabel(), "default 1");
    position.setKind(0);
    EXPECT_EQ(m.getLabel(), "default 1 (Helicopter)");
    position.setName("Runway");
    EXPECT_EQ(m.getLabel(), "Runway (Helicopter)");
    position.setKind(9);
    EXPECT_EQ(m.getLabel(), "Runway (All)");
    EXPECT_EQ(m.rotateAxes[0], 0.0f);
    EXPECT_EQ(m.rotateAxes[1], 1.0f);
    EXPECT_EQ(m.rotateAxes[2], 0.0f);
    EXPECT_EQ(m.getScale(), (d3dx::Vector3{1, 1, 1}));

    tbFlyingSitePosition other("other", {}, 2);
    position.onSelected(nullptr, 0);
    EXPECT_EQ(bars.position, &position);
    other.onDeselected(nullptr, 0);
    EXPECT_EQ(bars.position, &position);
    position.onDeselected(nullptr, 0);
    EXPECT_EQ(bars.position, nullptr);
    position.activate();
    EXPECT_EQ(container.selected, position.getManipulator());
}

}  // namespace
