#include "engine/gui/simGuiButton.h"

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
#include "platform/sys/clock.h"

simGuiButton::simGuiButton(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                           std::string onClick, OwnHoverTest)
    : simGuiElement(std::move(name), x, y, width, height), m_text(std::move(text)), m_onClick(std::move(onClick)) {}

simGuiButton::simGuiButton(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                           std::string onClick)
    : simGuiButton(std::move(name), x, y, width, height, std::move(text), std::move(onClick), OwnHoverTest{}) {
    if (isMouseOver()) {
        m_state = hover;
        if (g_application) g_application->eventConsumed = true;
    }
    // A button made under the mouse shows its highlight at full strength.
    restartWidgetStopwatch(kHighlightMs);
}

bool simGuiButton::isMouseStrictlyInside() {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse) return false;
    const int32_t x = getX(), y = getY();
    return x < mouse->getX() && mouse->getX() < x + getWidth() && y < mouse->getY() && mouse->getY() < y + getHeight();
}

void simGuiButton::readAttributes(const std::string& key, const std::string& value) {
    simGuiElement::readAttributes(key, value);
    if (key == "image") m_image = g_resources ? dynamic_cast<simTexture*>(simResources::getResource(value, false)) : nullptr;
}

void simGuiButton::fireChange() {
    simGuiRunCallback(getClassName(), m_onClick, {m_name}, simGuiScriptFallback::runAsText);
}

void simGuiButton::enable() {
    m_enabled = true;
    if (isMouseStrictlyInside()) m_state = hover;
}

void simGuiButton::setVisible(bool visible) {
    if (visible == m_visible) return;
    simGuiElement::setVisible(visible);
    if (!visible) return;
    m_state = normal;
    if (isMouseStrictlyInside()) {
        // A release that follows at once must not run the action.
        m_state = hover;
        m_clickDone = true;
    }
    restartWidgetStopwatch(kHighlightMs);
}

void simGuiButton::onEvent(simInputEvent* event) {
    if (!event) return;
    if (!acceptsInput() || getAge() < kQuietMs) {
        m_state = normal;
        return;
    }
    simGuiElement::onEvent(event);
    if (event->type == simInputEvent_mouseMove || event->buttonState == simButtonState_pressed) {
        if (isMouseOver()) {
            if (m_state == normal) {
                restartWidgetStopwatch();
                m_state = hover;
            }
            g_application->eventConsumed = true;
        } else if (m_state == hover) {
            restartWidgetStopwatch();
            m_state = normal;
        }
    }
    handleClick(*event);
    onKey(*event);
}

void simGuiButton::handleClick(const simInputEvent& event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    const double now = static_cast<double>(sys::clockTicks()) * 1000.0 / sys::kClockFrequency;
    if (now - m_creationTime <= kQuietMs || event.type != simInputEvent_mouseButton ||
        event.button != simMouseButton_left || (mouse && mouse->wasDragEnded(simMouseButton_left)) ||
        !(m_state == hover || m_state == pressed))
        return;
    if (event.buttonState == simButtonState_pressed) {
        m_clickDone = false;
        m_state = pressed;
    } else if (event.buttonState == simButtonState_released && !m_clickDone) {
        m_state = hover;
        fireChange();
        m_clickDone = true;
    }
}

// Enter and Esc act on release, and only when this button saw the press.
void simGuiButton::onKey(const simInputEvent& event) {
    simGuiElementManager* manager = g_guiElementManager;
    if (!manager || manager->editElement || manager->editTimer.getElapsed() <= kQuietMs ||
        event.type != simInputEvent_key)
        return;
    const bool isOk = manager->okElement == this, isCancel = manager->cancelElement == this;
    if (event.keyState == simKeyState_pressed) {
        if (event.key == kEnter && isOk) m_enterArmed = true;
        if (event.key == kEscape && isCancel) m_escapeArmed = true;
    } else if (event.keyState == simKeyState_released || event.keyState == simKeyState_releasedWhileUp) {
        if (event.key == kEnter && m_enterArmed && isOk) {
            fireChange();
            m_enterArmed = false;
        }
        if (event.key == kEscape && m_escapeArmed && isCancel) {
            fireChange();
            m_escapeArmed = false;
        }
    }
}

void simGuiButton::buildGeometry(float alpha, std::vector<simScreenRect>& out) {
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float x2 = x + static_cast<float>(getWidth()), y2 = y + static_cast<float>(getHeight());
    const uint32_t a = static_cast<uint32_t>(alpha * 255.0f);
    const bool plain = !m_enabled || m_fadingIn || m_fadingOut;
    buildButtonSquare(x, y, x2, y2, plain ? 96.0f : 0.0f, 96.0f, a << 24 | 0xFFFFFFu, out);
    if (!m_enabled) return;
    const bool flashOn = m_flashing && m_flashPhase;
    const double t = m_widgetStopwatch.getElapsed() / kHighlightMs;
    double intensity = m_state == normal && !flashOn ? 255.0 * (1.0 - t) : 255.0 * t;
    intensity = std::min(static_cast<double>(static_cast<int32_t>(intensity)), 255.0);
    if (intensity <= 0.0) return;
    const float u = m_state == pressed && !flashOn ? 64.0f : 32.0f;
    const uint32_t highlight = static_cast<uint32_t>(alpha * static_cast<float>(intensity));
    buildButtonSquare(x, y, x2, y2, u, 96.0f, highlight << 24 | 0xFFFFFFu, out);
}

void simGuiButton::render() {
    if (!m_visible) return;
    simGuiElement::render();
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
    if (m_image) {
        const int32_t k = !m_enabled ? 90 : m_state == normal ? 180 : a;
        simGuiDrawCentredImage(x, y, w, h, m_image, static_cast<uint32_t>(opacity * static_cast<float>(k)));
    }
    simGuiDrawCentredCaption(x, y, w, h, m_font, m_text, a);
}
