#include "app/shell/tbFrameDrive.h"

void tbFrameDrive::start() {
    m_stopwatch.reset();
    m_stopwatch.start();
}

bool tbFrameDrive::tick() {
    if (m_inFrame) return false;
    // A reading that does not compare (NaN) runs the frame.
    if (m_stopwatch.getElapsed() < m_thresholdMs) return false;
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
