#include "app/shell/tbFrameDrive.h"

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
