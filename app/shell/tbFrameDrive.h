// tbFrameDrive: runs one engine frame per timer tick once enough time has
// passed since the end of the previous frame.
//
// A frame is the engine's update, the second deferred-deletion pass, the
// redraw (which presents) and the main window's per-frame step, in that
// order; the stopwatch restarts after the last, so the time a frame takes is
// not counted against the next. A tick that arrives while a frame runs (a
// message box opened inside a frame runs the timer in its own loop) returns
// at once: frames never nest.
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

    // The shortest time between the end of one frame and the start of the next.
    tbFrameDrive(Frame& frame, double thresholdMs) : m_frame(frame), m_thresholdMs(thresholdMs) {}

    void start();
    // The timer callback. True when it ran a frame.
    bool tick();

    // Whether a tick now would run a frame: the host skips its own per-tick
    // work (making the view's context current) on ticks that would not.
    bool due() const { return !m_inFrame && !(m_stopwatch.getElapsed() < m_thresholdMs); }
    bool inFrame() const { return m_inFrame; }

private:
    Frame& m_frame;
    double m_thresholdMs;
    utils::Timer m_stopwatch;
    bool m_inFrame = false;
};
