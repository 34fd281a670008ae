// The program clock: manual control in tests, and timeGetTime on the same clock.
#include <gtest/gtest.h>

#include "platform/sys/clock.h"

TEST(Clock, ManualClockStandsStillUntilSetOrAdvanced) {
    sys::ManualClock clock(250.0);
    EXPECT_TRUE(sys::manualClockInUse());
    EXPECT_EQ(sys::clockTicks(), 250000000);
    EXPECT_EQ(sys::clockTicks(), 250000000);
    clock.advance(1.5);
    EXPECT_EQ(sys::clockTicks(), 251500000);
    EXPECT_EQ(sys::timeGetTime(), 251u);
    clock.set(10.0);
    EXPECT_EQ(sys::timeGetTime(), 10u);
}

TEST(Clock, RealClockComesBackAndMovesForward) {
    { sys::ManualClock clock(1e9); }
    EXPECT_FALSE(sys::manualClockInUse());
    int64_t first = sys::clockTicks();
    int64_t second = sys::clockTicks();
    EXPECT_GE(first, 0);
    EXPECT_GE(second, first);
    // Milliseconds since program start: a test run is far shorter than a day.
    EXPECT_LT(sys::timeGetTime(), 86400000u);
}
