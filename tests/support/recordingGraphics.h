// The engine's graphics system on the recording device, for tests.
//
// Makes a headless engine with options, a virtual desktop with one 800 x 600
// window handed to the engine, a window host over it, and a graphics system
// whose renderer gets the recording device (or, with `onGl`, the OpenGL
// device over the current context). The test reads the recorder's log and
// counts; `engine.errors` holds the serious errors. Everything is destroyed
// in reverse order at the end of the test.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/simOptions.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"
#include "platform/gfx/recordingDevice.h"
#include "platform/win/virtualDesktop.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/virtualWindowHost.h"

namespace testsupport {

struct RecordingGraphicsSettings {
    float width = 800.0f, height = 600.0f;
    bool fullscreen = false, vsync = false, antialiasing = false;
    uint32_t backBufferCount = 1;
    bool keepBackBufferCopy = false;
    uint32_t style = 0;
    uint32_t windowState = 1;
    bool onGl = false;  // use the OpenGL adapter instead of the recording one
    // Makes the graphics system from its constructor's arguments (null: a
    // plain simGraphics); a test passes `makeGraphicsOf<Subclass>` to record
    // the hooks its subclass overrides.
    using Maker = simGraphics* (*)(uint32_t value, const d3dx::Vector2& position, const d3dx::Vector2& size,
                                   const int32_t resolution[3], bool fullscreen, bool vsync, bool antialiasing,
                                   uint32_t backBufferCount, bool keepBackBufferCopy, uint32_t style,
                                   uint32_t windowState);
    Maker makeGraphics = nullptr;
};

template <class Graphics>
simGraphics* makeGraphicsOf(uint32_t value, const d3dx::Vector2& position, const d3dx::Vector2& size,
                            const int32_t resolution[3], bool fullscreen, bool vsync, bool antialiasing,
                            uint32_t backBufferCount, bool keepBackBufferCopy, uint32_t style, uint32_t windowState) {
    return new Graphics(value, position, size, resolution, fullscreen, vsync, antialiasing, backBufferCount,
                        keepBackBufferCopy, style, windowState);
}

class RecordingGraphics {
public:
    // `prepare` may change the recorder's adapter or failures before the
    // graphics system is made.
    explicit RecordingGraphics(RecordingGraphicsSettings settings = {},
                               void (*prepare)(gfx::Recorder& recorder) = nullptr);
    ~RecordingGraphics();
    RecordingGraphics(const RecordingGraphics&) = delete;
    RecordingGraphics& operator=(const RecordingGraphics&) = delete;

    simGraphics& graphics() { return *m_graphics; }
    simRenderer& renderer() { return *m_graphics->getRenderer(); }
    simRendererState& state() { return *renderer().getState(); }
    simWindow& window() { return *m_graphics->getWindow(); }
    gfx::Device& device() { return *renderer().getDevice(); }
    bool complete() const {
        return m_graphics && m_graphics->getRenderer() && m_graphics->getRenderer()->getState();
    }
    // Destroys the graphics system now (the engine stays).
    void destroyGraphics();
    // The back buffer read back as 0xFFRRGGBB pixels, top row first (the
    // X8R8G8B8 back buffer keeps no alpha, so every pixel reads opaque).
    std::vector<uint32_t> backBufferPixels();

    std::shared_ptr<gfx::Recorder> recorder = std::make_shared<gfx::Recorder>();
    HeadlessEngine engine;
    win::VirtualDesktop desktop;
    VirtualWindowHost host{desktop};
    win::HWND hwnd = nullptr;

private:
    std::unique_ptr<simOptions> m_options;
    uint32_t m_width = 0, m_height = 0;
    simGraphics* m_graphics = nullptr;
};

}  // namespace testsupport
