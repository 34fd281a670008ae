#include "tests/engine/core/inputTestRig.h"
#include "tests/support/testCamera.h"

namespace {

class GroundPoint : public inputtest::InputRig {
protected:
    // A camera 10 up and 10 back, looking at the origin; the view is 800 x 600.
    GroundPoint()
        : camera({0.0f, 10.0f, -10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, 0.785f, viewport(), 1.0f,
                 1000.0f) {}
    static d3dx::Viewport viewport() {
        d3dx::Viewport v;
        v.Width = kViewWidth;
        v.Height = kViewHeight;
        return v;
    }

    testsupport::TestCamera camera;
    testsupport::TestViewSource source;
};

TEST_F(GroundPoint, WithoutACameraNothingIsPicked) {
    moveTo(100, 100);
    mouse().pickGroundPoint();
    EXPECT_EQ(mouse().getGroundPoint(), d3dx::Vector3(0.0f, 0.0f, 0.0f));
}

TEST_F(GroundPoint, TheCursorOverTheOriginFindsTheOriginAndHigherFindsFurther) {
    source.applyCamera(&camera);
    moveTo(kViewWidth / 2, kViewHeight / 2);
    mouse().pickGroundPoint();
    EXPECT_NEAR(mouse().getGroundPoint().x, 0.0f, 0.05f);
    EXPECT_NEAR(mouse().getGroundPoint().y, 0.0f, 1e-4f);
    EXPECT_NEAR(mouse().getGroundPoint().z, 0.0f, 0.05f);

    moveTo(kViewWidth / 2, kViewHeight / 4);
    mouse().pickGroundPoint();
    EXPECT_NEAR(mouse().getGroundPoint().y, 0.0f, 1e-4f);
    EXPECT_GT(mouse().getGroundPoint().z, 1.0f) << "higher on screen lies further from the camera";
    EXPECT_EQ(mouse().getGroundMovement(), d3dx::Vector3(0.0f, 0.0f, 0.0f)) << "no button was down";
}

TEST_F(GroundPoint, DraggingWithTheLeftButtonRecordsTheLastStep) {
    source.applyCamera(&camera);
    moveTo(kViewWidth / 2, kViewHeight / 2);
    mouse().pickGroundPoint();
    send(win::WM_LBUTTONDOWN);
    moveTo(kViewWidth / 2 + 40, kViewHeight / 2);
    mouse().pickGroundPoint();
    const d3dx::Vector3 step = mouse().getGroundMovement();
    EXPECT_GT(step.x, 0.1f) << "right on screen is +x for a left-handed camera looking along +z";
    EXPECT_EQ(step.y, 0.0f);
    mouse().pickGroundPoint();
    EXPECT_EQ(mouse().getGroundMovement(), step) << "a point that did not move keeps the last step";
}

TEST_F(GroundPoint, ACursorWhoseRayMissesTheGroundFindsNone) {
    source.applyCamera(&camera);
    moveTo(kViewWidth / 2, kViewHeight / 2);
    mouse().pickGroundPoint();
    ASSERT_TRUE(mouse().hasGroundPoint());
    const d3dx::Vector3 found = mouse().getGroundPoint();

    // The camera looks 45 degrees down with a 45-degree field of view: the
    // horizon lies above the top edge. A level camera puts it across the
    // middle; a cursor above it sees sky, and the ray's line meets the ground
    // only behind the camera.
    const testsupport::TestCamera level({0.0f, 10.0f, -10.0f}, {0.0f, 10.0f, 0.0f},
                                        {0.0f, 1.0f, 0.0f}, 0.785f, viewport(), 1.0f, 1000.0f);
    source.applyCamera(&level);
    send(win::WM_LBUTTONDOWN);
    moveTo(kViewWidth / 2, kViewHeight / 4);
    mouse().pickGroundPoint();
    EXPECT_FALSE(mouse().hasGroundPoint());
    EXPECT_EQ(mouse().getGroundPoint(), found) << "the last point found stays";
    EXPECT_EQ(mouse().getGroundMovement(), d3dx::Vector3(0.0f, 0.0f, 0.0f));

    // Below the horizon the ground is there again.
    moveTo(kViewWidth / 2, kViewHeight * 3 / 4);
    mouse().pickGroundPoint();
    EXPECT_TRUE(mouse().hasGroundPoint());
    EXPECT_NEAR(mouse().getGroundPoint().y, 0.0f, 1e-4f);
    EXPECT_GT(mouse().getGroundPoint().z, 0.0f) << "in front of the camera";
}

}  // namespace
