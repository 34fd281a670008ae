// What the GUI benchmarks draw on: an 800 x 600 graphics system on the
// OpenGL device (over an EGL context of its own) or on the recording device
// (counting only), and the GUI manager with a font in its first slot and
// the theme atlas. Each benchmark adds its widgets and begins its scene; the
// stage ends an open scene before it lets go of everything.
#pragma once

#include <memory>
#include <string>

#include "engine/core/utilsErrors.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiElementManager.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/recordingDevice.h"

namespace benchgui {

struct GuiStage {
    explicit GuiStage(bool onGl) {
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected
        if (onGl) {
            context = std::make_unique<gfx::EglContext>();
            if (!context->valid() || !context->makeCurrent()) return;
            gfx::setDirect3DFactory(nullptr);
        } else {
            recorder->keepLog = false;
            std::shared_ptr<gfx::Recorder> rec = recorder;
            gfx::setDirect3DFactory([rec] { return gfx::makeRecordingDirect3D(rec); });
        }
        const int32_t resolution[3] = {800, 600, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(800, 600), resolution, false,
                                                 false, false, 1, false, 3, 1);
        if (!graphics->getRenderer() || !graphics->getRenderer()->getDevice()) return;
        font = std::make_unique<simFont>(nullptr, "benchFont", "Arial", 10.0f, false, false);
        theme = std::make_unique<simTexture>(
            nullptr, std::string(TOLVANE_SOURCE_DIR) + "/resources/tolvaneBuilder/textures/guiTheme.png", "noMipmaps");
        manager = std::make_unique<simGuiElementManager>();
        manager->fonts[0] = font.get();
        manager->themeTexture = theme.get();
    }
    ~GuiStage() {
        if (graphics && graphics->getRenderer() && graphics->getRenderer()->isInScene())
            graphics->getRenderer()->endSceneWithoutPresent();
        manager.reset();
        theme.reset();
        font.reset();
        graphics.reset();
    }
    // The graphics system stands with a device, and the GUI manager with it.
    bool standing() const { return manager != nullptr; }

    std::unique_ptr<gfx::EglContext> context;
    std::shared_ptr<gfx::Recorder> recorder = std::make_shared<gfx::Recorder>();
    std::unique_ptr<simGraphics> graphics;
    std::unique_ptr<simFont> font;
    std::unique_ptr<simTexture> theme;
    std::unique_ptr<simGuiElementManager> manager;
};

}  // namespace benchgui
