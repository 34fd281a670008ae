#include "tests/support/recordingGraphics.h"

#include <gtest/gtest.h>

#include "engine/core/simGlobals.h"
#include "tests/support/backBufferPixels.h"

namespace testsupport {

RecordingGraphics::RecordingGraphics(RecordingGraphicsSettings settings, void (*prepare)(gfx::Recorder& recorder)) {
    if (prepare) prepare(*recorder);
    if (settings.onGl) {
        gfx::setDirect3DFactory(nullptr);
    } else {
        std::shared_ptr<gfx::Recorder> rec = recorder;
        gfx::setDirect3DFactory([rec] { return gfx::makeRecordingDirect3D(rec); });
    }
    m_options = std::make_unique<simOptions>();
    m_width = static_cast<uint32_t>(settings.width);
    m_height = static_cast<uint32_t>(settings.height);
    hwnd = desktop.addWindow(0, 0, static_cast<int>(settings.width), static_cast<int>(settings.height));
    engine.app().createWindow(hwnd);
    const int32_t resolution[3] = {800, 600, 60};
    const RecordingGraphicsSettings::Maker make =
        settings.makeGraphics ? settings.makeGraphics : makeGraphicsOf<simGraphics>;
    m_graphics = make(40, d3dx::Vector2(0, 0), d3dx::Vector2(settings.width, settings.height), resolution,
                                 settings.fullscreen, settings.vsync, settings.antialiasing, settings.backBufferCount,
                                 settings.keepBackBufferCopy, settings.style, settings.windowState);
}

RecordingGraphics::~RecordingGraphics() {
    destroyGraphics();
    m_options.reset();
    gfx::setDirect3DFactory(nullptr);
}

void RecordingGraphics::destroyGraphics() {
    delete m_graphics;
    m_graphics = nullptr;
}

std::vector<uint32_t> RecordingGraphics::backBufferPixels() {
    std::vector<uint32_t> pixels;
    EXPECT_EQ(readBackBuffer(renderer(), m_width, m_height, pixels), gfx::D3D_OK);
    return pixels;
}

}  // namespace testsupport
