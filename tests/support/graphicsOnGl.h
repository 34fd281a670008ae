// The engine's graphics on the OpenGL device through headless EGL (the
// recording rig over the GL adapter), with a back buffer of the fixture's
// size. A fixture deriving from it calls its SetUp first (and returns when
// it failed fatally) and its TearDown last, after letting go of its own
// device objects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "platform/gfx/eglContext.h"
#include "tests/support/recordingGraphics.h"

namespace testsupport {

class GraphicsOnGl : public ::testing::Test {
protected:
    GraphicsOnGl(uint32_t width, uint32_t height) : m_width(width), m_height(height) {}

    void SetUp() override {
        ASSERT_TRUE(context.valid()) << context.error();
        rig = std::make_unique<RecordingGraphics>(
            RecordingGraphicsSettings{.width = float(m_width), .height = float(m_height), .onGl = true});
        ASSERT_TRUE(rig->complete()) << rig->engine.log();
    }
    void TearDown() override { rig.reset(); }

    gfx::EglContext context;
    std::unique_ptr<RecordingGraphics> rig;

private:
    uint32_t m_width, m_height;
};

}  // namespace testsupport
