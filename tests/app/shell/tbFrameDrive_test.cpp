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
        if (drive) waitInside = drive->msUntilDue();
        // A message box inside the frame runs the timer in its own loop.
        if (drive && reenter) steps.push_back(drive->tick() ? "nested frame" : "nested tick refused");
    }
    void purge() override { steps.push_back("purge"); }
    void redraw() override { steps.push_back("redraw"); }
    void afterFrame() override { steps.push_back("after"); }

    std::vector<std::string> steps;
    tbFrameDrive* drive = nullptr;
    bool reenter = false;
    double waitInside = -1.0;
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

// A timer that wakes when the drive says runs each frame on the tick a
// millisecond timer would have run it, and never earlier.
TEST(FrameDrive, SaysHowLongUntilTheNextFrameIsDue) {
    sys::ManualClock clock;
    RecordingFrame frame;
    tbFrameDrive drive(frame, 1000.0 / 60.0);
    frame.drive = &drive;
    drive.start();
    clock.advance(4.0);
    EXPECT_NEAR(drive.msUntilDue(), 1000.0 / 60.0 - 4.0, 1e-9);
    EXPECT_EQ(drive.nextTickMs(), 13);  // 12.67 rounded up: never before the frame is due
    clock.advance(12.0);  // 16 ms: not yet
    EXPECT_NEAR(drive.msUntilDue(), 1000.0 / 60.0 - 16.0, 1e-6);
    EXPECT_EQ(drive.nextTickMs(), 1);
    EXPECT_FALSE(drive.tick());
    clock.advance(1.0);
    EXPECT_EQ(drive.msUntilDue(), 0.0);
    EXPECT_EQ(drive.nextTickMs(), 1);  // the timer's period at the soonest
    EXPECT_TRUE(drive.tick());
    // Asked inside the frame: a whole threshold, since nothing runs before it ends.
    EXPECT_DOUBLE_EQ(frame.waitInside, 1000.0 / 60.0);
    // Long overdue is still due now, not a negative wait.
    clock.advance(500.0);
    EXPECT_EQ(drive.msUntilDue(), 0.0);

    // A display-paced view lowers the threshold to the frame cap.
    drive.setThresholdMs(1000.0 / 600.0);
    EXPECT_TRUE(drive.tick());
    clock.advance(1.0);
    EXPECT_NEAR(drive.msUntilDue(), 1000.0 / 600.0 - 1.0, 1e-9);
}

}  // namespace
