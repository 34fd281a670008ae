// The manipulator's handles as the draw-all pass collects and draws them, on
// the recording device.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simRendererState.h"
#include "tests/engine/graphics/manipulatorTestRig.h"
#include "engine/graphics/simScene.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/sceneTestCamera.h"
#include "tests/support/testCamera.h"

namespace {

using d3dx::Vector3;

class ManipulatorDrawing : public ::testing::Test {
protected:
    ManipulatorDrawing() {
        source.applyCamera(&camera);
        rig.renderer().beginScene(false, false, false);
    }
    ~ManipulatorDrawing() override { rig.renderer().endScene(false, nullptr); }

    testsupport::RecordingGraphics rig;
    testsupport::TestViewSource source;
    testsupport::TestCamera camera{{0, 0, -10}, {0, 0, 0}, {0, 1, 0}, 1.5707963f, manipulatortest::testViewport(),
                                   1.0f, 1000.0f};
    manipulatorContainer container;
};

TEST_F(ManipulatorDrawing, EachModeAppendsItsHandles) {
    struct Case {
        const char* name;
        bool translate, rotate, scale;
        bool selected;
        size_t screenLines, worldLines, screenTriangles;
    };
    // Translate: two axis lines (z is end-on) with two-line arrow heads, and
    // the centre outline. Scale:
    // the centre box and two axis boxes of two triangles each, two lines.
    const Case cases[] = {
        {"translate", true, false, false, false, 4 + 4, 2, 0},
        {"translate, selected", true, false, false, true, 4 + 4 + 32, 2, 0},
        {"scale", false, false, true, false, 0, 2, 6},
    };
    for (const Case& c : cases) {
        manipulator m(c.translate, nullptr, c.rotate, nullptr, c.scale, nullptr);
        if (c.selected) container.selected = &m;
        simPrimitiveBatch batch;
        m.draw(&batch);
        EXPECT_TRUE(m.isOnScreen()) << c.name;
        EXPECT_EQ(batch.screenLines.size(), c.screenLines) << c.name;
        EXPECT_EQ(batch.worldLines.size(), c.worldLines) << c.name;
        EXPECT_EQ(batch.screenTriangles.size(), c.screenTriangles) << c.name;
        container.selected = nullptr;
    }
}

TEST_F(ManipulatorDrawing, RingPickPointsMatchTheDrawnRings) {
    manipulator m(false, nullptr, true, nullptr, false, nullptr);
    m.rotateAxes[1] = 0.0f;
    simPrimitiveBatch batch;
    m.draw(&batch);
    // The z ring faces the camera: all 32 points, 100 pixels from the centre.
    const auto& ring = m.getRingScreenPoints(2);
    ASSERT_EQ(ring.size(), 32u);
    for (const auto& p : ring) {
        const d3dx::Vector2 d = p - d3dx::Vector2(400, 300);
        EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y), 100.0f, 0.05f);
    }
    EXPECT_EQ(batch.screenLines.size(), 32u);  // the outer circle
    EXPECT_FALSE(batch.worldLines.empty());
}

TEST_F(ManipulatorDrawing, TheDrawAllPassDrawsOneBatchAndPutsTheDepthStatesBack) {
    manipulator first(true, nullptr, false, nullptr, false, nullptr);
    const Vector3 away(3, 0, 0);
    manipulator second(true, &away, false, nullptr, false, nullptr);
    second.visible = 0;
    rig.recorder->clear();
    container.drawAll();
    EXPECT_TRUE(first.isOnScreen());
    EXPECT_FALSE(second.isOnScreen());
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), 2u);  // screen lines, then world lines
    EXPECT_EQ(rig.state().getState(simRenderState_zWrite), 1u);
    EXPECT_EQ(rig.state().getState(simRenderState_zFunction), static_cast<simStateValue>(gfx::D3DCMP_LESSEQUAL));
    EXPECT_EQ(rig.state().getState(simRenderState_backfaceCullMode), 0u);
}

TEST(ManipulatorDrawAll, TheScenesMainCameraBecomesCurrent) {
    simGraphics::setSceneFactory(simScene::create);
    {
        testsupport::RecordingGraphics rig;
        ASSERT_NE(simScene::current(), nullptr);
        auto* main = new testsupport::SceneTestCamera("main");  // the scene deletes it
        auto* other = new testsupport::SceneTestCamera("other");
        rig.graphics().setCurrentCamera(other);
        manipulatorContainer container;
        rig.renderer().beginScene(false, false, false);
        container.drawAll();
        rig.renderer().endScene(false, nullptr);
        EXPECT_EQ(rig.graphics().getCurrentCamera(), main);
    }
    simGraphics::setSceneFactory(nullptr);
}

}  // namespace
