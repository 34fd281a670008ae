#include "engine/gui/simGuiCheckBox.h"

#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiCentred.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"

simGuiCheckBox::simGuiCheckBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                               std::string text, std::string changeFunction)
    : simGuiElement(std::move(name), x, y, width, height),
      m_text(std::move(text)),
      m_changeFunction(std::move(changeFunction)) {
    m_data = 0.0f;
    restartWidgetStopwatch(kHighlightMs);
}

void simGuiCheckBox::readAttributes(const std::string& key, const std::string& value) {
    simGuiElement::readAttributes(key, value);
    if (key == "image") m_image = g_resources ? dynamic_cast<simTexture*>(simResources::getResource(value, false)) : nullptr;
}

void simGuiCheckBox::fireChange() {
    simGuiRunCallback(getClassName(), m_changeFunction, {m_name}, simGuiScriptFallback::none);
}

void simGuiCheckBox::setVisible(bool visible) {
    if (visible == m_visible) return;
    simGuiElement::setVisible(visible);
    if (!visible) return;
    m_state = normal;
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    const int32_t x = getX(), y = getY();
    if (mouse && x < mouse->getX() && mouse->getX() < x + getWidth() && y < mouse->getY() &&
        mouse->getY() < y + getHeight())
        m_state = hover;
    restartWidgetStopwatch(kHighlightMs);
}

void simGuiCheckBox::onRelease() {
    m_data = m_data == 1.0f ? 0.0f : 1.0f;
    fireChange();
}

void simGuiCheckBox::onEvent(simInputEvent* event) {
    if (!event) return;
    if (!acceptsInput()) {
        m_state = normal;
        return;
    }
    simGuiElement::onEvent(event);
    if (event->type == simInputEvent_mouseMove) {
        const int32_t x = getX(), y = getY();
        if (x < event->x && event->x < x + getWidth() && y < event->y && event->y < y + getHeight()) {
            if (m_state == normal) {
                restartWidgetStopwatch(0.0);
                m_state = hover;
            }
            g_application->eventConsumed = true;
        } else if (m_state == hover) {
            restartWidgetStopwatch(0.0);
            m_state = normal;
        }
    }
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (event->type == simInputEvent_mouseButton && event->button == simMouseButton_left &&
        !(mouse && mouse->wasDragEnded(simMouseButton_left)) && (m_state == hover || m_state == pressed)) {
        if (event->buttonState == simButtonState_pressed) {
            m_state = pressed;
        } else if (event->buttonState == simButtonState_released) {
            m_state = hover;
            onRelease();
        }
    }
}

int32_t simGuiCheckBox::highlightIntensity(bool stayLit) const {
    const double t = m_widgetStopwatch.getElapsed() / kHighlightMs;
    const double intensity = m_state == normal && !stayLit ? 255.0 * (1.0 - t) : 255.0 * t;
    return std::min(static_cast<int32_t>(intensity), 255);
}

void simGuiCheckBox::buildGeometry(float opacity, std::vector<simScreenRect>& out) {
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float x2 = x + static_cast<float>(getWidth()), y2 = y + static_cast<float>(getHeight());
    const uint32_t a = static_cast<uint32_t>(opacity * 255.0f);
    const bool plain = m_text.empty() && !m_image;
    if (plain) {
        const uint32_t boxAlpha = m_enabled ? a : static_cast<uint32_t>(opacity * 125.0f);
        out.push_back(atlasPiece(x, y, x + kBoxSize, y + kBoxSize, boxAlpha << 24 | 0xFFFFFFu, 0, 128, 22, 150));
    } else {
        buildButtonSquare(x, y, x2, y2, 0, 96, a << 24 | 0xFFFFFFu, out);
    }
    if (m_enabled) {
        const int32_t intensity = highlightIntensity(!m_text.empty() && m_data != 0.0f);
        if (intensity > 0) {
            const uint32_t highlight = static_cast<uint32_t>(opacity * static_cast<float>(intensity)) << 24 | 0xFFFFFFu;
            if (plain) {
                const float u = m_state == pressed ? 64.0f : 32.0f;
                out.push_back(atlasPiece(x, y, x + kBoxSize, y + kBoxSize, highlight, u, 128, u + 22, 150));
            } else {
                const float u = m_state == pressed && !(m_flashing && m_flashPhase) ? 64.0f : 32.0f;
                buildButtonSquare(x, y, x2, y2, u, 96, highlight, out);
            }
        }
    }
    if (m_data != 0.0f && plain) out.push_back(atlasPiece(x + 5, y + 6, x + 17, y + 18, a << 24 | 0xFFFFFFu, 432, 0, 444, 12));
}

void simGuiCheckBox::render() {
    if (!m_visible) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float opacity = getAlpha();
    const int32_t a = static_cast<int32_t>(opacity * 255.0f);
    if (g_guiElementManager && g_guiElementManager->themeTexture) {
        std::vector<simScreenRect> pieces;
        buildGeometry(opacity, pieces);
        canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    }
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(getWidth()), h = static_cast<float>(getHeight());
    if (m_image) simGuiDrawCentredImage(x, y, w, h, m_image, m_state == normal && m_data == 0.0f ? 100u : 255u);
    simGuiDrawCentredCaption(x, y, w, h, m_font, m_text, a);
    simGuiElement::render();
}
