// The graphics system and its window on the recording device: the frame
// render, the window's setters and its following of the real window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simViewpoint.h"
#include "engine/graphics/simWindowHost.h"
#include "platform/gfx/device.h"
#include "tests/support/recordingGraphics.h"

using namespace gfx;
using testsupport::RecordingGraphics;

namespace {

class GraphicsFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete());
        rig.recorder->clear();
    }
    RecordingGraphics rig;
};

TEST_F(GraphicsFrame, DefaultFrameClearsBeginsEndsAndPresents) {
    rig.graphics().renderFrameDefault();
    std::string names;
    for (const auto& call : rig.recorder->calls()) names += call.name + " ";
    EXPECT_EQ(names, "Clear BeginScene EndScene Present ") << rig.recorder->text();
    EXPECT_FALSE(rig.renderer().isInScene());
    EXPECT_EQ(g_graphics->getScene(), nullptr);  // no scene module installed
}

TEST_F(GraphicsFrame, FrameWithoutClearAndPresentStillRunsItsHooks) {
    rig.graphics().renderFrame(false, false, 7);
    EXPECT_EQ(rig.recorder->count("Clear"), 0u);
    EXPECT_EQ(rig.recorder->count("BeginScene"), 0u);
    EXPECT_EQ(rig.recorder->count("Present"), 0u);
}

TEST_F(GraphicsFrame, MinimisedWindowRendersNothing) {
    rig.window().setWindowState(0);
    rig.recorder->clear();
    rig.graphics().renderFrameDefault();
    EXPECT_EQ(rig.recorder->calls().size(), 0u);
}

TEST_F(GraphicsFrame, DeviceHooksReachTheRendererAndLogCameraChanges) {
    rig.engine.clearLog();
    rig.graphics().onDeviceRestore();
    EXPECT_EQ(rig.engine.log(), "simGraphics::onCamerasChanged>>>>>>>>>>>>\n");
    EXPECT_EQ(rig.graphics().getClassName(), "simGraphics");
    EXPECT_EQ(rig.window().getClassName(), "simWindow");
    EXPECT_EQ(rig.renderer().getClassName(), "simRenderer");
    EXPECT_EQ(rig.graphics().countLitItems(), 0u);
}

TEST_F(GraphicsFrame, IsThePickingViewSourceWhileItLives) {
    simViewSource* source = getViewSource();
    ASSERT_NE(source, nullptr);
    d3dx::Matrix world = d3dx::Matrix::identity();
    world._43 = 5.0f;
    rig.renderer().setTransform(1, &world);
    EXPECT_EQ(source->getWorldTransform(), world);
    EXPECT_EQ(source->getViewTransform(), d3dx::Matrix::identity());
    rig.renderer().setViewport(10, 20, 30, 40);
    const d3dx::Viewport viewport = source->getViewport();
    EXPECT_EQ(viewport.X, 10u);
    EXPECT_EQ(viewport.Height, 40u);
    EXPECT_EQ(source->getCurrentCamera(), nullptr);
    rig.destroyGraphics();
    EXPECT_EQ(getViewSource(), nullptr);
}

// A scene stand-in installed through the factory.
struct CountingScene : simGraphicsScene {
    void render(bool withPasses, bool withGlow) override {
        ++renders;
        lastPasses = withPasses;
        lastGlow = withGlow;
    }
    void onDeviceRelease() override { ++releases; }
    void onDeviceRecreate() override { ++recreates; }
    static inline int renders = 0, releases = 0, recreates = 0;
    static inline bool lastPasses = false, lastGlow = false;
};

TEST(GraphicsScene, TheInstalledSceneIsRenderedAndToldOfResets) {
    simGraphics::setSceneFactory([]() -> simGraphicsScene* { return new CountingScene; });
    {
        RecordingGraphics rig;
        ASSERT_TRUE(rig.complete());
        ASSERT_NE(rig.graphics().getScene(), nullptr);
        rig.graphics().renderFrameDefault();
        EXPECT_EQ(CountingScene::renders, 1);
        EXPECT_TRUE(CountingScene::lastPasses && CountingScene::lastGlow);
        rig.device().SimulateDeviceLoss();
        rig.graphics().renderFrameDefault();
        rig.graphics().renderFrameDefault();
        EXPECT_EQ(CountingScene::releases, 1);
        EXPECT_EQ(CountingScene::recreates, 1);
    }
    simGraphics::setSceneFactory(nullptr);
}

class Window : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.complete()); }
    RecordingGraphics rig{{.style = 1}};
};

TEST_F(Window, ConstructionAppliesTheStyleAndPlacesTheWindow) {
    EXPECT_EQ(rig.host.styles[rig.hwnd] & simWindowHost::WS_OVERLAPPEDWINDOW, simWindowHost::WS_OVERLAPPEDWINDOW);
    EXPECT_GE(rig.host.moves, 1);
    EXPECT_EQ(rig.window().getBackBufferWidth(), 800.0f);
}

TEST_F(Window, UnchangedValuesChangeNoFlag) {
    rig.window().setWindowState(1);
    rig.window().setFullscreen(false);
    rig.window().setAntialiasing(false);
    rig.window().setVsync(false);
    d3dx::Vector2 size(800, 600);
    rig.window().setWindowSize(size);
    rig.window().setWindowPosition(d3dx::Vector2(0, 0));
    EXPECT_FALSE(rig.window().hasChanges());
    rig.engine.clearLog();
    rig.recorder->clear();
    rig.window().applyChanges();
    EXPECT_EQ(rig.engine.log(), "Altering window...done\n");
    EXPECT_EQ(rig.recorder->count("Reset"), 0u);
}

TEST_F(Window, SizeIsLimitedToTheDesktop) {
    d3dx::Vector2 size(5000, 700);
    rig.window().setWindowSize(size);
    EXPECT_EQ(size, d3dx::Vector2(1920, 700));
    EXPECT_EQ(rig.window().getWidth(), 1920.0f);
    EXPECT_EQ(rig.window().getBackBufferWidth(), 1920.0f);
    EXPECT_TRUE(rig.window().hasChanges());
}

TEST_F(Window, PositionMovesWithoutAFlag) {
    const int moves = rig.host.moves;
    rig.window().setWindowPosition(d3dx::Vector2(30, 40));
    EXPECT_EQ(rig.host.moves, moves + 1);
    EXPECT_FALSE(rig.window().hasChanges());
}

TEST_F(Window, StateChangesShowTheWindowAndRecordTheOption) {
    rig.window().setWindowState(2);
    EXPECT_EQ(rig.host.showCommands.back(), simWindowHost::SW_MAXIMIZE);
    EXPECT_EQ(g_options->default_windowState, 2);
    rig.window().setWindowState(0);
    EXPECT_EQ(rig.host.showCommands.back(), simWindowHost::SW_SHOWMINIMIZED);
    rig.window().setWindowState(1);
    EXPECT_EQ(rig.host.showCommands.back(), simWindowHost::SW_RESTORE);
}

TEST_F(Window, FullscreenFromMaximisedAndBackRestoresTheMaximisedState) {
    rig.window().setWindowState(2);
    rig.window().setFullscreen(true);
    EXPECT_EQ(rig.window().getWindowState(), 1u);
    EXPECT_EQ(rig.window().getBackBufferWidth(), 800.0f);  // the screen resolution
    rig.window().applyChanges();
    EXPECT_TRUE(rig.host.styles[rig.hwnd] & simWindowHost::WS_POPUP);
    rig.window().setFullscreen(false);
    rig.host.showCommands.clear();
    rig.window().applyChanges();
    EXPECT_NE(std::find(rig.host.showCommands.begin(), rig.host.showCommands.end(), simWindowHost::SW_MAXIMIZE),
              rig.host.showCommands.end());
    EXPECT_EQ(rig.window().getWindowState(), 2u);
    EXPECT_FALSE(rig.host.styles[rig.hwnd] & simWindowHost::WS_POPUP);
    EXPECT_TRUE(rig.state().isValid());
}

TEST_F(Window, FollowsTheRealWindowAfterAResize) {
    rig.desktop.moveWindow(rig.hwnd, 50, 60, 1024, 700);
    rig.recorder->clear();
    rig.window().onWindowChanged();
    EXPECT_EQ(rig.window().getWidth(), 1024.0f);
    EXPECT_EQ(rig.window().getHeight(), 700.0f);
    EXPECT_EQ(rig.window().getPosition(), d3dx::Vector2(0, 0));  // the client rectangle's origin
    EXPECT_EQ(rig.recorder->count("Reset"), 1u);
    EXPECT_EQ(g_options->default_windowPosition_x, 50.0f);
    EXPECT_EQ(g_options->default_windowSize_x, 1024.0f + 8.0f);
    EXPECT_EQ(g_options->default_windowSize_y, 700.0f + 28.0f);
    D3DSURFACE_DESC desc;
    rig.device().GetDesc(rig.renderer().getBackBuffer(), &desc);
    EXPECT_EQ(desc.Width, 1024u);
    // The same size again updates nothing.
    rig.recorder->clear();
    rig.window().onWindowChanged();
    EXPECT_EQ(rig.recorder->count("Reset"), 0u);
}

TEST_F(Window, MaximisedAndMinimisedStatesAreReadFromTheWindow) {
    rig.host.zoomed = true;
    rig.window().onWindowChanged();
    EXPECT_EQ(rig.window().getWindowState(), 2u);
    EXPECT_EQ(g_options->default_windowState, 2);
    rig.host.iconic = true;
    rig.window().onWindowChanged();
    EXPECT_EQ(rig.window().getWindowState(), 0u);
}

}  // namespace
