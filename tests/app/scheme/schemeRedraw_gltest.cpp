// The editor draws a frame only when something changed; a change that no
// input brings to the engine (a scheme made or opened from the File menu,
// an undo from the Edit menu) is on screen at the very next frame, and the
// frames after it, with nothing changing, are not drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProject_model.h"
#include "app/shell/tbMouseGate.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/glDevice.h"
#include "tests/app/scheme/editorOnGl.h"

namespace {

class SchemeRedraw : public apptest::EditorOnGl {
protected:
    void SetUp() override {
        startEditor(320, 240, tbToolState::kModeScheme);
        if (HasFatalFailure()) return;
        app->tools().setTool(1);  // no cursor of its own
        EXPECT_TRUE(frame()) << "the first frame is always drawn";
        EXPECT_FALSE(frame()) << "then the editor is idle";
    }
    void TearDown() override {
        delete project;
        stopEditor();
    }

    // One frame of the frame drive as the main window's timer runs it, once
    // its time has come; true when it drew.
    bool frame() {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const long before = app->framesDrawn();
        EXPECT_TRUE(app->frameDrive().tick());
        return app->framesDrawn() > before;
    }
    size_t differingFrom(const std::vector<uint32_t>& picture) {
        const std::vector<uint32_t> now = backBufferPixels();
        size_t count = 0;
        for (size_t i = 0; i < std::min(now.size(), picture.size()); ++i) count += now[i] != picture[i];
        return count;
    }

    tbProject_model* project = nullptr;
};

TEST_F(SchemeRedraw, ASchemeMadeFromTheMenuIsOnScreenAtTheNextFrame) {
    const std::vector<uint32_t> empty = backBufferPixels();
    project = new tbProject_model();
    ASSERT_TRUE(project->onNew("kestrel")) << app->getStatusReason();
    EXPECT_TRUE(frame());
    EXPECT_GT(differingFrom(empty), 1000u) << "the model is drawn";
    EXPECT_FALSE(frame());
}

TEST_F(SchemeRedraw, AnUndoFromTheMenuIsOnScreenAtTheNextFrame) {
    project = new tbProject_model();
    ASSERT_TRUE(project->onNew("kestrel")) << app->getStatusReason();
    app->tools().setViewMode(1);  // the flat texture fills the view
    EXPECT_TRUE(frame());
    const std::vector<uint32_t> unpainted = backBufferPixels();

    tbGeometry& model = *project->getModel();
    app->tools().setMainColour([] {
        simColour red;
        red.set(255, 230, 20, 20);
        return red;
    }());
    // A stamp on the middle of the texture as the view shows it.
    simCamera* textureCamera = simScene::current()->getCamera(0);
    g_graphics->setCurrentCamera(textureCamera);
    textureCamera->apply();
    d3dx::Vector2 middle;
    ASSERT_TRUE(utils::worldToScreen2D({0.5f, 0.5f, 0.0f}, &middle));
    model.paintBrushTexture(nullptr, middle.x, middle.y, 10.0f);
    model.getUndo().push();
    EXPECT_TRUE(frame());
    EXPECT_GT(differingFrom(unpainted), 100u) << "the stroke is drawn";
    EXPECT_FALSE(frame());

    model.getUndo().undo();  // what Edit/Undo runs
    EXPECT_TRUE(frame());
    EXPECT_EQ(differingFrom(unpainted), 0u) << "the stroke is gone from the screen";
    EXPECT_FALSE(frame());
}

TEST_F(SchemeRedraw, AMinimisedWindowDrawsAndPresentsNothingUntilRestored) {
    project = new tbProject_model();
    ASSERT_TRUE(project->onNew("kestrel")) << app->getStatusReason();
    app->setViewMinimised(true);
    EXPECT_EQ(g_graphics->getWindow()->getWindowState(), 0u);
    const uint64_t calls = gfx::glCalls();
    for (int i = 0; i < 3; ++i) {
        app->requestRedraw();  // a change while minimised
        frame();
    }
    EXPECT_EQ(gfx::glCalls(), calls) << "not even a clear or a present";

    app->setViewMinimised(false);
    EXPECT_EQ(g_graphics->getWindow()->getWindowState(), 1u);
    const std::vector<uint32_t> before = backBufferPixels();
    EXPECT_TRUE(frame()) << "restored, the window is drawn at once";
    EXPECT_GT(differingFrom(before), 1000u) << "with the model";
}

// Every window but the view: the mouse gate is closed.
class ClosedGate : public tbViewWindows {
public:
    bool isMainWindowEnabled() const override { return true; }
    bool isCursorInsideView() const override { return false; }
    bool isVisibleUnderCursor(tbGatedWindow) const override { return false; }
};

TEST_F(SchemeRedraw, WithThePointerOffTheViewAnIdleFrameIsNotDrawn) {
    // The main window's per-frame step lets go of an Alt held as the pointer
    // left; with none held it must not make an event, which would draw every frame.
    ClosedGate closed;
    app->setViewWindows(&closed);
    app->setAfterFrame([this] { app->releaseAltOutsideView(); });
    EXPECT_FALSE(frame());
    g_input->getKeyboard()->onAlt(1);
    EXPECT_TRUE(frame()) << "Alt pressed";
    EXPECT_FALSE(g_input->getKeyboard()->isAltDown()) << "let go of with the pointer off the view";
    EXPECT_TRUE(frame()) << "the release is drawn";
    EXPECT_FALSE(frame());
    app->setAfterFrame({});
    app->setViewWindows(&gate);
}

}  // namespace
