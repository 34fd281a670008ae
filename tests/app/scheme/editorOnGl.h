// The editor's application object started on EGL for the model-scheme GL
// tests: the engine on a virtual window of the given size, the settings in a
// folder of the test's own, the mouse gate open, the scheme mode on, and
// every error box collected (a test ends with none unless it reads them).
//
// A fixture derives from it, calls startEditor() first in its SetUp (and
// returns when it failed fatally) and stopEditor() last in its TearDown,
// after it let go of its models and projects.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbMouseGate.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"
#include "engine/graphics/simEngineLinks.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/support/tempFolder.h"
#include "tests/support/virtualWindowHost.h"

namespace testsupport {

// Every window of the editor lets the mouse through to the view.
class OpenGate : public tbViewWindows {
public:
    bool isMainWindowEnabled() const override { return true; }
    bool isCursorInsideView() const override { return true; }
    bool isVisibleUnderCursor(tbGatedWindow) const override { return false; }
};

class EditorOnGl : public ::testing::Test {
protected:
    void startEditor(int width, int height) {
        ASSERT_TRUE(context.valid()) << context.error();
        gfx::setDirect3DFactory(nullptr);
        simApplication::setProcessCommandLine(std::string(TOLVANE_SOURCE_DIR) + "/tolvaneBuilder -SETTINGSPATH \"" +
                                              documents.path() + "\"");
        systemLinks() = simSystemLinks{};
        simLinkEngineSystems(systemLinks());
        previousSink = tbSetErrorBoxSink([this](const std::string& title, const std::string& text) {
            boxes.push_back(title + " / " + text);
        });
        app = std::make_unique<CtolvaneBuilderApp>();
        app->createEngine(desktop.addWindow(0, 0, width, height), width, height, nullptr);
        ASSERT_TRUE(app->getStatusSuccess()) << app->getStatusReason();
        app->initialise();
        ASSERT_TRUE(app->getStatusSuccess()) << app->getStatusReason();
        app->setViewWindows(&gate);
        app->tools().setMode(tbToolState::kModeScheme);
    }
    // The back buffer as the last frame left it: 0xFFRRGGBB, rows top first.
    std::vector<uint32_t> backBufferPixels() {
        const simWindow* window = g_graphics->getWindow();
        const uint32_t width = uint32_t(window->getBackBufferWidth()), height = uint32_t(window->getBackBufferHeight());
        std::vector<uint32_t> out(size_t(width) * height, 0);
        simRenderer& r = *g_graphics->getRenderer();
        gfx::D3DLOCKED_RECT locked{};
        const gfx::SurfaceHandle surface = r.getBackBuffer();
        EXPECT_EQ(r.getDevice()->LockRect(surface, &locked, nullptr, gfx::D3DLOCK_READONLY), gfx::D3D_OK);
        if (!locked.pBits) return out;
        for (uint32_t y = 0; y < height; ++y)
            std::copy_n(reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch),
                        width, &out[size_t(y) * width]);
        r.getDevice()->UnlockRect(surface);
        for (uint32_t& p : out) p |= 0xFF000000u;
        return out;
    }
    void stopEditor() {
        app.reset();
        tbSetErrorBoxSink(previousSink);
        simApplication::useOwnCommandLine();
        systemLinks() = simSystemLinks{};
        EXPECT_TRUE(boxes.empty()) << boxes.front();
    }

    gfx::EglContext context;
    win::VirtualDesktop desktop;
    VirtualWindowHost host{desktop};
    TempFolder documents;
    OpenGate gate;
    std::unique_ptr<CtolvaneBuilderApp> app;
    std::vector<std::string> boxes;
    tbErrorBoxSink previousSink;
};

// The editor with an empty model to build in, and one frame drawn so that
// the views' cameras are set up.
class ModelOnGl : public EditorOnGl {
protected:
    void SetUp() override {
        startEditor(320, 240);
        if (HasFatalFailure()) return;
        model = std::make_unique<tbGeometry>(nullptr);
        app->update();
        app->redraw();
    }
    void TearDown() override {
        model.reset();
        stopEditor();
    }

    std::unique_ptr<tbGeometry> model;
};

}  // namespace testsupport
