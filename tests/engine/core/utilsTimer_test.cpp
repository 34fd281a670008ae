// The stopwatch on the manual clock: stretches, speed factor, set elapsed, countdown.
#include <gtest/gtest.h>

#include "engine/core/utilsTimer.h"

namespace {

class TimerTest : public ::testing::Test {
protected:
    sys::ManualClock clock{1000.0};
    utils::Timer timer;
};

}  // namespace

TEST_F(TimerTest, NewTimerIsStoppedAtZero) {
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(timer.speedFactor, 1.0);
    clock.advance(50);
    EXPECT_EQ(timer.getElapsed(), 0.0);
}

TEST_F(TimerTest, StretchesAddUpAndTheSpeedFactorScalesThem) {
    for (double factor : {1.0, 2.0}) {
        timer.reset();
        timer.speedFactor = factor;
        timer.start();
        clock.advance(10);
        timer.stop();
        clock.advance(100);  // stopped: not counted
        timer.start();
        clock.advance(5);
        EXPECT_DOUBLE_EQ(timer.getElapsed(), 15.0 * factor);  // running: read live
        timer.stop();
        EXPECT_DOUBLE_EQ(timer.getElapsed(), 15.0 * factor) << "factor " << factor;
    }
}

TEST_F(TimerTest, StartOnARunningTimerDropsTheCurrentStretch) {
    timer.start();
    clock.advance(10);
    timer.stop();
    timer.start();
    clock.advance(7);
    timer.start();
    clock.advance(3);
    EXPECT_DOUBLE_EQ(timer.getElapsed(), 13.0);
}

TEST_F(TimerTest, StopOnAStoppedTimerDoesNothing) {
    timer.stop();
    clock.advance(10);
    timer.stop();
    EXPECT_EQ(timer.getElapsed(), 0.0);
}

TEST_F(TimerTest, ResetKeepsTheSpeedFactor) {
    timer.speedFactor = 3.0;
    timer.countdown = 500;
    timer.start();
    clock.advance(10);
    timer.reset();
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(timer.getElapsed(), 0.0);
    EXPECT_EQ(timer.speedFactor, 3.0);
}

TEST_F(TimerTest, SetElapsedHoldsWhileStoppedAndRestartsWhileRunning) {
    timer.setElapsed(150);
    clock.advance(40);
    EXPECT_DOUBLE_EQ(timer.getElapsed(), 150.0);
    timer.start();
    clock.advance(10);
    EXPECT_DOUBLE_EQ(timer.getElapsed(), 160.0);

    timer.countdown = 1000;
    timer.setElapsed(150);  // running: countdown dropped, restarts from 150
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(timer.countdown, 0.0);
    clock.advance(5);
    EXPECT_DOUBLE_EQ(timer.getElapsed(), 155.0);
}

TEST_F(TimerTest, CountdownGivesTheTimeLeft) {
    timer.countdown = 1000;
    timer.setElapsed(400);
    EXPECT_DOUBLE_EQ(timer.getElapsed(), 600.0);

    // Running with a countdown, the current stretch is not scaled.
    timer.speedFactor = 2.0;
    timer.start();
    clock.advance(100);
    EXPECT_DOUBLE_EQ(timer.getElapsed(), 500.0);
    timer.stop();  // the closed stretch is scaled
    EXPECT_DOUBLE_EQ(timer.getElapsed(), 400.0);
    clock.advance(10000);
    timer.start();
    clock.advance(1000);
    EXPECT_DOUBLE_EQ(timer.getElapsed(), -600.0);
}
