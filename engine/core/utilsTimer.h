// utils::Timer: the engine's stopwatch.
//
// Every engine object, the frame, the profiler, the GUI fades and the
// renderer's present carry one by value. Times are kept in ticks of the
// program clock (platform/sys/clock.h) and turned into milliseconds only when
// read. A speed factor scales each running stretch as `stop` closes it; a
// non-zero countdown makes `getElapsed` give the time left instead.
//
// `getElapsed` is read dozens of times per frame: it reads the clock once and
// neither allocates nor asks for a frequency (the tick rate is a constant).
#pragma once

#include "platform/sys/clock.h"

namespace utils {

class Timer {
public:
    bool running = false;
    double startCount = 0.0;   // clock ticks when last started
    double accumulated = 0.0;  // ticks of earlier stretches, speed factor applied
    double countdown = 0.0;    // milliseconds; 0 means no countdown
    double speedFactor = 1.0;  // scales each running stretch when it is closed

    // Starts (or, when running, restarts the current stretch: the time run so
    // far in it is dropped). What was accumulated is kept.
    void start();
    // Adds the running stretch times the speed factor; nothing when stopped.
    void stop();
    // Stops and zeroes start count, accumulated time and countdown; the speed
    // factor stays.
    void reset();
    // Makes the stopwatch read ms (a running one restarts from there and drops
    // its countdown).
    void setElapsed(double ms);

    // Milliseconds run, or with a countdown the milliseconds left (negative
    // once it has passed). While running with the countdown set, the current
    // stretch is not scaled by the speed factor.
    double getElapsed() const {
        constexpr double kMsPerTick = 1000.0 / sys::kClockFrequency;
        if (countdown == 0.0) {
            if (!running) return accumulated * kMsPerTick;
            return ((now() - startCount) * speedFactor + accumulated) * kMsPerTick;
        }
        if (!running) return countdown - accumulated * kMsPerTick;
        return countdown - ((now() - startCount) + accumulated) * kMsPerTick;
    }

private:
    static double now() { return static_cast<double>(sys::clockTicks()); }
};

}  // namespace utils
