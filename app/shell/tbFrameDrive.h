// tbFrameDrive: runs one engine frame per timer tick once enough time has
// passed since the end of the previous frame.
//
// A frame is the engine's update, the second deferred-deletion pass, the
// redraw (which draws and presents only when the picture may have changed:
// the engine's redraw rule) and the main window's per-frame step, in that
// order; the stopwatch restarts after the last, so the time a frame takes is
// not counted against the next. A tick that arrives while a frame runs (a
// message box opened inside a frame runs the timer in its own loop) returns
// at once: frames never nest.
//
// The host's timer need not wake every millisecond to keep these rules:
// waking when `msUntilDue` says (never sooner than the timer's period) runs
// each frame on the first tick that would have run it, without the idle
// ticks in between.
#pragma once

#include "engine/core/utilsTimer.h"

class tbFrameDrive {
public:
    class Frame {
    public:
        virtual ~Frame() = default;
        virtual void update() = 0;
        virtual void purge() = 0;
        virtual void redraw() = 0;
        virtual void afterFrame() = 0;
    };

    // The frame cap where presenting waits for the display's refresh, which
    // then paces the frames: 600 frames a second.
    static constexpr double kPacedThresholdMs = 1000.0 / 600.0;

    // The shortest time between the end of one frame and the start of the next.
    tbFrameDrive(Frame& frame, double thresholdMs) : m_frame(frame), m_thresholdMs(thresholdMs) {}

    void start();
    // The timer callback. True when it ran a frame.
    bool tick();

    // Whether a tick now would run a frame: the host skips its own per-tick
    // work (making the view's context current) on ticks that would not.
    bool due() const { return !m_inFrame && !(m_stopwatch.getElapsed() < m_thresholdMs); }
    bool inFrame() const { return m_inFrame; }
    // Milliseconds until a tick would run a frame (0 when one would now).
    // Inside a frame a whole threshold: nothing can run before it ends, and
    // the tick that ran it asks again then.
    double msUntilDue() const;
    // The host timer's next wait: msUntilDue in whole milliseconds, rounded
    // up, and at least the timer's 1 ms period.
    int nextTickMs() const;

    double thresholdMs() const { return m_thresholdMs; }
    // Where presenting waits for the display's refresh, the refresh paces the
    // frames and the threshold only keeps ticks from crowding.
    void setThresholdMs(double thresholdMs) { m_thresholdMs = thresholdMs; }

private:
    Frame& m_frame;
    double m_thresholdMs;
    utils::Timer m_stopwatch;
    bool m_inFrame = false;
};
