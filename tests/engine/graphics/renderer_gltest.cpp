// The renderer on the OpenGL device, read back pixel by pixel: clears of a
// viewport, the state cache's skipping and forcing, and a simulated device
// loss that the user's work survives.
#include <gtest/gtest.h>

#include <vector>

#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/stateObjects.h"
#include "tests/engine/graphics/userWorkTexture.h"
#include "tests/support/graphicsOnGl.h"

using namespace gfx;
using graphicstest::FakeCamera;
using graphicstest::UserWorkTexture;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 48;
constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

class GlRenderer : public testsupport::GraphicsOnGl {
protected:
    GlRenderer() : GraphicsOnGl(kWidth, kHeight) {}

    // The back buffer as 0xAARRGGBB pixels, top row first.
    std::vector<uint32_t> backBuffer() { return rig->backBufferPixels(); }
    uint32_t pixel(const std::vector<uint32_t>& pixels, uint32_t x, uint32_t y) {
        return pixels[y * kWidth + x] | 0xFF000000u;  // X8R8G8B8: alpha is not kept
    }

};

TEST_F(GlRenderer, ClearCoversTheCameraViewportOnly) {
    simRendererState& s = rig->state();
    s.setState(simRenderState_clearColour, kRed);
    rig->renderer().beginScene(true, true, true);
    FakeCamera camera(d3dx::Viewport{8, 4, 16, 12, 0, 1});
    s.setState(simRenderState_cameraViewport, &camera);
    s.setState(simRenderState_clearColour, kGreen);
    rig->renderer().clear(true, false, false);
    s.setState(simRenderState_cameraViewport, 0);
    rig->renderer().endSceneWithoutPresent();
    const auto pixels = backBuffer();
    EXPECT_EQ(pixel(pixels, 8, 4), kGreen);
    EXPECT_EQ(pixel(pixels, 23, 15), kGreen);
    EXPECT_EQ(pixel(pixels, 7, 4), kRed);
    EXPECT_EQ(pixel(pixels, 24, 15), kRed);
    EXPECT_EQ(pixel(pixels, 8, 16), kRed);
    EXPECT_EQ(pixel(pixels, 0, 0), kRed);
    EXPECT_EQ(pixel(pixels, kWidth - 1, kHeight - 1), kRed);
}

TEST_F(GlRenderer, ACameraPastTheTargetIsClampedNotRefused) {
    FakeCamera wide(d3dx::Viewport{32, 24, 1000, 1000, 0, 1});
    rig->state().setState(simRenderState_clearColour, kRed);
    rig->renderer().beginScene(true, true, true);
    rig->state().setState(simRenderState_cameraViewport, &wide);
    rig->state().setState(simRenderState_clearColour, kBlue);
    rig->renderer().clear(true, false, false);
    rig->state().setState(simRenderState_cameraViewport, 0);
    rig->renderer().endSceneWithoutPresent();
    const auto pixels = backBuffer();
    EXPECT_EQ(pixel(pixels, 31, 23), kRed);
    EXPECT_EQ(pixel(pixels, 32, 24), kBlue);
    EXPECT_EQ(pixel(pixels, kWidth - 1, kHeight - 1), kBlue);
    EXPECT_TRUE(rig->engine.app().getStatusSuccess());
}

TEST_F(GlRenderer, UnchangedStatesCostNoDeviceCallAndForceReapplies) {
    simRendererState& s = rig->state();
    s.setState(simRenderState_zFunction, D3DCMP_GREATER);
    const uint64_t before = rig->device().callCount();
    for (int i = 0; i < 100; ++i) s.setState(simRenderState_zFunction, D3DCMP_GREATER);
    EXPECT_EQ(rig->device().callCount(), before);
    s.setState(simRenderState_zFunction, D3DCMP_GREATER, true);
    EXPECT_EQ(rig->device().callCount(), before + 1);
    // What the cache skipped is what the device holds.
    uint32_t onDevice = 0;
    rig->device().GetRenderState(D3DRS_ZFUNC, &onDevice);
    EXPECT_EQ(onDevice, uint32_t{D3DCMP_GREATER});
    // The cached clear colour is what a clear paints.
    s.setState(simRenderState_clearColour, kBlue);
    rig->renderer().beginScene(true, true, true);
    rig->renderer().endSceneWithoutPresent();
    EXPECT_EQ(pixel(backBuffer(), 10, 10), kBlue);
}

TEST_F(GlRenderer, ASimulatedLossIsRecoveredWithTheUsersWorkUnchanged) {
    UserWorkTexture work(16, 16);
    ASSERT_TRUE(work.valid());
    work.paint(0xFF204060u);
    work.paintPixel(3, 5, 0xFFFFFFFFu);
    const std::vector<uint32_t> painted = work.read();
    rig->state().setState(simRenderState_clearColour, kGreen);
    rig->state().setState(simRenderState_backfaceCullMode, 2);

    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();  // Present reports the loss
    EXPECT_FALSE(rig->state().isValid());
    rig->graphics().renderFrameDefault();  // recovers and draws
    ASSERT_TRUE(rig->state().isValid()) << rig->engine.log();
    ASSERT_TRUE(work.valid());
    EXPECT_EQ(work.read(), painted);
    uint32_t cull = 0;
    rig->device().GetRenderState(D3DRS_CULLMODE, &cull);
    EXPECT_EQ(cull, uint32_t{D3DCULL_CCW});
    // The frame after the recovery clears with the cached colour again.
    rig->renderer().beginScene(true, true, true);
    rig->renderer().endSceneWithoutPresent();
    EXPECT_EQ(pixel(backBuffer(), 1, 1), kGreen);
}

TEST_F(GlRenderer, SettingsChangesResetTheDeviceAndKeepTheWork) {
    UserWorkTexture work(8, 8);
    work.paint(0xFF336699u);
    rig->window().setAntialiasing(true);
    rig->window().setVsync(true);
    rig->window().applyChanges();
    ASSERT_TRUE(rig->state().isValid()) << rig->engine.log();
    EXPECT_EQ(work.read(), std::vector<uint32_t>(64, 0xFF336699u));
    d3dx::Vector2 size(32, 24);
    rig->window().setWindowSize(size);
    rig->window().applyChanges();
    ASSERT_TRUE(rig->state().isValid());
    D3DSURFACE_DESC desc;
    rig->device().GetDesc(rig->renderer().getBackBuffer(), &desc);
    EXPECT_EQ(desc.Width, 32u);
    EXPECT_EQ(desc.Height, 24u);
    EXPECT_EQ(work.read(), std::vector<uint32_t>(64, 0xFF336699u));
}

}  // namespace
