// The frame drive: the threshold between frames, the order of a frame's
// steps, and no frame inside a frame.
#include "app/shell/tbFrameDrive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sys/clock.h"

namespace {

class RecordingFrame : public tbFrameDrive::Frame {
public:
    void update() override {
        steps.push_back("update");
        // A message box inside the frame runs the timer in its own loop.
        if (drive && reenter) steps.push_back(drive->tick() ? "nested frame" : "nested tick refused");
    }
    void purge() override { steps.push_back("purge"); }
    void redraw() override { steps.push_back("redraw"); }
    void afterFrame() override { steps.push_back("after"); }

    std::vector<std::string> steps;
    tbFrameDrive* drive = nullptr;
    bool reenter = false;
};

TEST(FrameDrive, RunsOnlyOnceTheThresholdHasPassedSinceTheLastFrameEnded) {
    sys::ManualClock clock;
    RecordingFrame frame;
    tbFrameDrive drive(frame, 1000.0 / 600.0);
    drive.start();
    const std::vector<std::pair<double, bool>> ticks = {
        {1.6, false}, {0.06, false}, {0.01, true},  // 1.67 ms: at the threshold
        {1.0, false}, {1.0, true},                   // counted from the end of the last frame
        {100.0, true},
    };
    for (const auto& [advance, runs] : ticks) {
        clock.advance(advance);
        EXPECT_EQ(drive.tick(), runs) << "after " << advance << " ms";
    }
    EXPECT_EQ(frame.steps.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(frame.steps.begin(), frame.steps.begin() + 4),
              (std::vector<std::string>{"update", "purge", "redraw", "after"}));
}

TEST(FrameDrive, ATickInsideAFrameReturnsAtOnce) {
    sys::ManualClock clock;
    RecordingFrame frame;
    tbFrameDrive drive(frame, 1.0);
    frame.drive = &drive;
    frame.reenter = true;
    drive.start();
    clock.advance(50.0);
    EXPECT_TRUE(drive.tick());
    EXPECT_EQ(frame.steps,
              (std::vector<std::string>{"update", "nested tick refused", "purge", "redraw", "after"}));
    EXPECT_FALSE(drive.inFrame());
}

}  // namespace
