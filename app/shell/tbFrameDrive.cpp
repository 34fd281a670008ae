#include "app/shell/tbFrameDrive.h"

#include <algorithm>
#include <cmath>

void tbFrameDrive::start() {
    m_stopwatch.reset();
    m_stopwatch.start();
}

bool tbFrameDrive::tick() {
    // A reading that does not compare (NaN) runs the frame.
    if (!due()) return false;
    m_inFrame = true;
    m_frame.update();
    m_frame.purge();
    m_frame.redraw();
    m_frame.afterFrame();
    m_stopwatch.reset();
    m_stopwatch.start();
    m_inFrame = false;
    return true;
}

double tbFrameDrive::msUntilDue() const {
    if (m_inFrame) return m_thresholdMs;
    const double left = m_thresholdMs - m_stopwatch.getElapsed();
    // A reading that does not compare runs the frame at once, as in tick.
    return left > 0.0 ? left : 0.0;
}

int tbFrameDrive::nextTickMs() const { return std::max(1, static_cast<int>(std::ceil(msUntilDue()))); }
