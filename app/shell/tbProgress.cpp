#include "app/shell/tbProgress.h"

#include <cmath>

void tbProgress::show(const std::string& title, const std::string& text) {
    if (m_box || !m_factory) return;
    m_box = m_factory(title, text);
    m_value = 0.0f;
}

void tbProgress::set(float percent) {
    if (!m_box) return;
    // A NaN never compares as a step; a value that does not compare is not shown.
    if (!(std::fabs(percent - m_value) >= 1.0f)) return;
    m_value = percent;
    const float clamped = std::fmin(std::fmax(percent, 0.0f), 100.0f);
    m_box->setPosition(static_cast<int>(clamped));
}

void tbProgress::hide() {
    if (!m_box) return;
    m_box.reset();
    m_value = 0.0f;
}
