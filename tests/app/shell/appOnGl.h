// What the editors' OpenGL tests stand on: the engine's graphics on the
// OpenGL device through EGL (a 64 x 48 back buffer), and the error boxes
// recorded as "title / text" instead of shown. A fixture deriving from it
// calls SetUp first and TearDown last, after it has let go of its own
// device objects.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "platform/gfx/eglContext.h"
#include "tests/support/recordingGraphics.h"

namespace apptest {

class AppOnGl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.valid()) << context.error();
        rig = std::make_unique<testsupport::RecordingGraphics>(
            testsupport::RecordingGraphicsSettings{.width = 64, .height = 48, .onGl = true});
        ASSERT_TRUE(rig->complete()) << rig->engine.log();
        previousSink = tbSetErrorBoxSink(
            [this](const std::string& title, const std::string& text) { boxes.push_back(title + " / " + text); });
    }
    void TearDown() override {
        tbSetErrorBoxSink(previousSink);
        rig.reset();
    }

    gfx::EglContext context;
    std::unique_ptr<testsupport::RecordingGraphics> rig;
    std::vector<std::string> boxes;
    tbErrorBoxSink previousSink;
};

}  // namespace apptest
