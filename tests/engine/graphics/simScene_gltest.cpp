// The scene's frame on the OpenGL device, read back pixel by pixel: the
// stencil darkening darkens only where a shadow shape was drawn, by the
// light's ambient; an enabled glow pass with nothing bright adds nothing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/sceneTestRig.h"
#include "tests/support/graphicsOnGl.h"
#include "tests/support/sceneTestCamera.h"

using namespace gfx;
using scenetest::BroadcastListener;
using testsupport::SceneTestCamera;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 48;
constexpr uint32_t kGrey = 0xFFC0C0C0u;

simColour grey(int level) {
    simColour c;
    c.set(255, level, level, level);
    return c;
}

class GlScene : public testsupport::GraphicsOnGl {
protected:
    GlScene() : GraphicsOnGl(kWidth, kHeight) {}
    static void SetUpTestSuite() { simGraphics::setSceneFactory(simScene::create); }
    static void TearDownTestSuite() { simGraphics::setSceneFactory(nullptr); }
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        camera = std::make_unique<SceneTestCamera>("A");
        camera->look({0, 0, 10}, {0, 0, 0}, 1.5707964f, 1.0f, 100.0f);
    }
    void TearDown() override {
        light.reset();
        camera.reset();
        GraphicsOnGl::TearDown();
    }

    // One frame: cleared grey, the scene with its passes, no present.
    void renderFrame(bool withGlow) {
        rig->state().setState(simRenderState_clearColour, kGrey);
        rig->renderer().beginScene(true, true, true);
        simScene::current()->render(true, withGlow);
        rig->renderer().endSceneWithoutPresent();
    }
    std::vector<uint32_t> backBuffer() { return rig->backBufferPixels(); }
    static uint32_t at(const std::vector<uint32_t>& pixels, uint32_t x, uint32_t y) {
        return pixels[y * kWidth + x] | 0xFF000000u;
    }
    static int red(uint32_t argb) { return static_cast<int>((argb >> 16) & 0xFF); }

    std::unique_ptr<SceneTestCamera> camera;
    std::unique_ptr<simLight> light;
};

// The shadow shape the lit broadcast draws into the stencil: a square.
void drawShadowShape() {
    g_graphics->getRenderer()->drawRect({16, 8}, {32, 24}, 0xFFFFFFFFu, nullptr);
}

TEST_F(GlScene, StencilDarkeningDarkensOnlyTheShadowShape) {
    light = std::make_unique<simLight>("sun", simLight::directional, d3dx::Vector3(0, 100, 0),
                                       d3dx::Vector3(0, -1, 0), 0.0f, 0.0f, grey(255), grey(0), grey(100));
    BroadcastListener listener;
    listener.onLit = drawShadowShape;
    renderFrame(false);
    const auto pixels = backBuffer();
    // Alpha 255 - 150 = 105 of black over grey 192: 192 x 150 / 255 = 113.
    EXPECT_NEAR(red(at(pixels, 20, 12)), 113, 2);
    EXPECT_NEAR(red(at(pixels, 31, 23)), 113, 2);
    EXPECT_EQ(at(pixels, 15, 12), kGrey);  // outside the shape: untouched
    EXPECT_EQ(at(pixels, 40, 30), kGrey);
    EXPECT_EQ(rig->state().getState(simRenderState_stencilMode), 0u);
}

TEST_F(GlScene, BrightAmbientLeavesNoShadowRatherThanBlack) {
    light = std::make_unique<simLight>("sun", simLight::directional, d3dx::Vector3(0, 100, 0),
                                       d3dx::Vector3(0, -1, 0), 0.0f, 0.0f, grey(255), grey(0), grey(200));
    BroadcastListener listener;
    listener.onLit = drawShadowShape;
    renderFrame(false);
    EXPECT_EQ(at(backBuffer(), 20, 12), kGrey);
}

TEST_F(GlScene, EnabledGlowWithNothingBrightLeavesTheFrame) {
    simScene::current()->getGlowHandler().create(1);
    ASSERT_TRUE(simScene::current()->getGlowHandler().hasSurfaces());
    renderFrame(true);
    const auto pixels = backBuffer();
    EXPECT_EQ(at(pixels, 0, 0), kGrey);
    EXPECT_EQ(at(pixels, 32, 24), kGrey);
    EXPECT_EQ(at(pixels, kWidth - 1, kHeight - 1), kGrey);
}

}  // namespace
