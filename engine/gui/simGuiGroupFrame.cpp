#include "engine/gui/simGuiGroupFrame.h"

#include "engine/gui/simGuiSkin.h"

void simGuiGroupFrame::render() {
    if (!m_visible) return;
    simGuiElement::render();
    if (m_fadingOut) return;
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    drawFrame(x, y, x + static_cast<float>(m_width), y + static_cast<float>(m_height),
              static_cast<uint32_t>(m_frameStyle), m_colour);
}
