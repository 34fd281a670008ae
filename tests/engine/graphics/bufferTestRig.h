// What the vertex and index buffer tests share: the graphics system on the
// recording device with its log cleared and the status good before each
// test, the last device call of a kind, and the serious errors reported.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/recordingDevice.h"
#include "tests/support/recordingGraphics.h"

namespace buffertest {

class BufferRig : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete());
        rig.recorder->clear();
        rig.engine.app().setStatus(true, "success");
    }
    // The latest call of that name; an empty call when there was none.
    const gfx::Recorder::Call& lastCall(const std::string& name) {
        static const gfx::Recorder::Call none;
        const auto& calls = rig.recorder->calls();
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->name == name) return *it;
        return none;
    }
    std::vector<std::string> errors() const { return rig.engine.errors.texts(); }

    testsupport::RecordingGraphics rig;
};

}  // namespace buffertest
