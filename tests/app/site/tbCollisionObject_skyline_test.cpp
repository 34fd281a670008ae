// Skylines: posts put down with clicks, raised by the mouse, dragged and
// removed; the reach limit and the new skyline's fixed manipulator.
#include <gtest/gtest.h>

#include <cmath>

#include "app/site/tbCollisionObject_skyline.h"
#include "tests/app/site/siteObjectFixture.h"

namespace {

using Skyline = tbCollisionObject_skyline;
constexpr uint32_t kDelete = 46;

class SkylineEditing : public ::testing::Test, public sitetest::SiteStage {
protected:
    SkylineEditing() { skyline.activate(); }
    // A click and then the mouse moved to screen height y to set the height.
    void putPost(float x, float z, int raiseTo) {
        clickOver(skyline, x, z);
        moveTo(mouseX, raiseTo);
        skyline.onEvent(move());
        skyline.onEvent(button(simMouseButton_left, simButtonState_pressed));
        skyline.onEvent(button(simMouseButton_left, simButtonState_released));
    }
    Skyline skyline{"New skyline"};
};

TEST_F(SkylineEditing, AClickPutsAPostDownAndTheMouseRaisesIt) {
    clickOver(skyline, 100, 0);
    ASSERT_EQ(skyline.getPoints().size(), 1u);
    EXPECT_TRUE(skyline.isPlacing());
    EXPECT_EQ(skyline.getPoints()[0].base, skyline.getPoints()[0].top);  // zero height
    moveTo(mouseX, mouseY - 40);
    skyline.onEvent(move());
    // 40 pixels x |base| (100) x the field of view x 0.00125.
    const float expected = 40.0f * 100.0f * kQuarterTurn * 0.00125f;
    EXPECT_NEAR(skyline.getPoints()[0].top.y, expected, 1e-3f);
    skyline.onEvent(button(simMouseButton_left, simButtonState_pressed));
    skyline.onEvent(button(simMouseButton_left, simButtonState_released));
    EXPECT_FALSE(skyline.isPlacing());
    moveTo(mouseX, mouseY - 100);
    skyline.onEvent(move());
    EXPECT_NEAR(skyline.getPoints()[0].top.y, expected, 1e-3f);
    ASSERT_EQ(skyline.getPoints().size(), 1u);
}

TEST_F(SkylineEditing, PostsStayWithinReachOfTheOrigin) {
    const testsupport::TestCamera high({0, 500000, 0}, {0, 0, 0}, {0, 0, 1}, kQuarterTurn,
                                       {0, 0, 1000, 1000, 0.0f, 1.0f}, 1.0f, 1.0e6f);
    source.applyCamera(&high);
    moveTo(1000, 500);  // 500000 units out along x
    skyline.onEvent(move());
    skyline.onEvent(button(simMouseButton_left, simButtonState_pressed));
    skyline.onEvent(button(simMouseButton_left, simButtonState_released));
    ASSERT_EQ(skyline.getPoints().size(), 1u);
    const d3dx::Vector3& base = skyline.getPoints()[0].base;
    EXPECT_NEAR(std::hypot(base.x, base.z), Skyline::kMaxGroundDistance, 1.0f);
}

TEST_F(SkylineEditing, DeleteTakesTheLastPostAndTheMiddleButtonTheHoveredOne) {
    putPost(-200, 0, 450);
    putPost(0, 0, 450);
    putPost(200, 0, 450);
    ASSERT_EQ(skyline.getPoints().size(), 3u);
    settings.keyboardInView = false;  // typed into a text box
    skyline.onEvent(keyReleased(kDelete));
    EXPECT_EQ(skyline.getPoints().size(), 3u);
    settings.keyboardInView = true;
    moveOver(-200, 0);  // over the first post's base
    skyline.onEvent(move());
    skyline.onEvent(keyReleased(kDelete));
    ASSERT_EQ(skyline.getPoints().size(), 2u);
    EXPECT_NEAR(skyline.getPoints()[0].base.x, -200.0f, 0.01f);
    moveOver(-200, 0);
    skyline.onEvent(move());
    skyline.onEvent(button(simMouseButton_middle, simButtonState_pressed));
    skyline.onEvent(button(simMouseButton_middle, simButtonState_released));
    ASSERT_EQ(skyline.getPoints().size(), 1u);
    EXPECT_NEAR(skyline.getPoints()[0].base.x, 0.0f, 0.01f);
}

TEST_F(SkylineEditing, AClickThatDragsTheViewPutsNoPost) {
    // The mouse learns of the press and the move as the engine hands them on.
    simMouse& mouse = *g_input->getMouse();
    moveOver(0, 0);
    mouse.onButton(simMouseButton_left, 1);
    simInputEvent press = button(simMouseButton_left, simButtonState_pressed);
    mouse.onEvent(&press);
    skyline.onEvent(press);
    moveTo(mouseX + 30, mouseY);  // a drag of the view
    simInputEvent moved = move();
    mouse.onEvent(&moved);
    ASSERT_TRUE(mouse.isDragging(simMouseButton_left));
    skyline.onEvent(button(simMouseButton_left, simButtonState_released));
    EXPECT_TRUE(skyline.getPoints().empty());
}

TEST_F(SkylineEditing, DraggingABaseCarriesTheTop) {
    putPost(0, 0, 450);
    const float height = skyline.getPoints()[0].top.y;
    moveOver(0, 0);
    skyline.onEvent(move());
    skyline.onEvent(button(simMouseButton_left, simButtonState_pressed));
    moveOver(100, 50);
    skyline.onEvent(move());
    skyline.onEvent(button(simMouseButton_left, simButtonState_released));
    const tbSkylinePoint& post = skyline.getPoints()[0];
    EXPECT_NEAR(post.base.x, 100.0f, 0.01f);
    EXPECT_NEAR(post.top.z, 50.0f, 0.01f);
    EXPECT_NEAR(post.top.y, height, 1e-3f);
    EXPECT_EQ(skyline.getPoints().size(), 1u);
}

TEST(SkylineManipulator, ANewSkylineIsNeverMovedAsAWhole) {
    const Skyline skyline("s");
    EXPECT_EQ(skyline.getManipulator()->visible, 0);
    EXPECT_EQ(skyline.getManipulator()->enabled, 0);
    const auto copy = skyline.clone({100, 0, 0});
    EXPECT_EQ(copy->getManipulator()->visible, 1);
    EXPECT_EQ(copy->getManipulator()->enabled, 1);
}

}  // namespace
