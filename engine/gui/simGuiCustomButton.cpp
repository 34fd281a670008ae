#include "engine/gui/simGuiCustomButton.h"

#include <algorithm>
#include <cstdlib>

#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/simScriptManager.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiCentred.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"
#include "platform/sys/clock.h"

namespace {

// The theme's three button squares, as texture coordinates (atlas pixels / 512).
constexpr simGuiCustomButton::UvRect square(float x) {
    return {x / kGuiAtlasSize, 96.0f / kGuiAtlasSize, (x + 32.0f) / kGuiAtlasSize, 128.0f / kGuiAtlasSize};
}

}  // namespace

simGuiCustomButton::simGuiCustomButton(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                                       std::string text, std::string onClick)
    : simGuiButton(std::move(name), x, y, width, height, std::move(text), std::move(onClick), OwnHoverTest{}),
      m_stateUVs{square(0), square(32), square(64)},
      m_hitRect{0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height)} {
    // Hover by the hit rectangle; unlike the push button it takes no event.
    if (g_guiElementManager) m_stateTextures.fill(g_guiElementManager->themeTexture);
    if (isMouseOver()) m_state = hover;
    restartWidgetStopwatch(kHighlightMs);
}

bool simGuiCustomButton::isMouseOver() {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse) return false;
    const double x = getX(), y = getY(), mx = mouse->getX(), my = mouse->getY();
    return x + m_hitRect[0] < mx && mx < x + m_hitRect[2] && y + m_hitRect[1] < my && my < y + m_hitRect[3];
}

void simGuiCustomButton::readAttributes(const std::string& key, const std::string& value) {
    if (key == "image") {
        simGuiButton::readAttributes(key, value);
        return;
    }
    // "buttonUVs<state>_<corner>"
    static const std::string kPrefix = "buttonUVs";
    if (key.size() != kPrefix.size() + 3 || key.compare(0, kPrefix.size(), kPrefix) != 0 ||
        key[kPrefix.size() + 1] != '_')
        return;
    const char state = key[kPrefix.size()], corner = key[kPrefix.size() + 2];
    if (state < '0' || state > '2') return;
    UvRect& uv = m_stateUVs[static_cast<size_t>(state - '0')];
    const float number = static_cast<float>(std::atof(value.c_str()));
    switch (corner) {
        case 'x': uv.x = number; break;
        case 'y': uv.y = number; break;
        case 'X': uv.X = number; break;
        case 'Y': uv.Y = number; break;
        default: break;
    }
}

void simGuiCustomButton::fireChange() {
    if (m_onClick.empty() || !g_scriptManager) return;
    // Script text (not a function name) is logged before it runs.
    g_scriptManager->getGlobal(m_onClick);
    const bool isFunction = g_scriptManager->isFunction(0, 1);
    g_scriptManager->pop(1);
    if (!isFunction) simLog("onChange: " + m_onClick + "\n");
    simGuiRunCallback(getClassName(), m_onClick, {m_name}, simGuiScriptFallback::runAsText);
}

void simGuiCustomButton::enable() {
    m_enabled = true;
    if (isMouseStrictlyInside()) m_state = hover;
}

void simGuiCustomButton::setVisible(bool visible) {
    if (visible == m_visible) return;
    simGuiElement::setVisible(visible);
    if (!visible) return;
    m_state = normal;
    if (isMouseStrictlyInside()) {
        m_state = hover;
        m_clickDone = true;
    }
}

void simGuiCustomButton::onEvent(simInputEvent* event) {
    if (!event) return;
    if (!acceptsInput()) {
        m_state = normal;
        return;
    }
    simGuiElement::onEvent(event);
    if (event->type == simInputEvent_mouseMove) {
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
    const double now = static_cast<double>(sys::clockTicks()) * 1000.0 / sys::kClockFrequency;
    simGuiElementManager* manager = g_guiElementManager;
    if (manager && now - m_creationTime > kQuietMs && event->type == simInputEvent_key &&
        event->keyState == simKeyState_released && !manager->editElement && manager->editTimer.getElapsed() > kQuietMs &&
        ((event->key == kEnter && manager->okElement == this) || (event->key == kEscape && manager->cancelElement == this)))
        fireChange();
}

void simGuiCustomButton::drawState(uint32_t state, uint32_t alpha) {
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const UvRect& uv = m_stateUVs[state];
    const simScreenRect rect({x, y}, {x + static_cast<float>(getWidth()), y + static_cast<float>(getHeight())},
                             alpha << 24 | 0xFFFFFFu, {uv.x, uv.y}, {uv.X, uv.Y});
    simGuiCanvas::current().drawRects({rect}, m_stateTextures[state]);
}

void simGuiCustomButton::render() {
    if (!m_visible) return;
    simGuiElement::render();
    const float opacity = getAlpha();
    const int32_t a = static_cast<int32_t>(opacity * 255.0f);
    if (!m_enabled) {
        drawState(normal, static_cast<uint32_t>(opacity * 125.0f));
    } else {
        if (m_stateTextures[normal]) drawState(normal, static_cast<uint32_t>(a));
        const double t = m_widgetStopwatch.getElapsed() / kHighlightMs;
        const double intensity = std::min(m_state == normal ? 255.0 * (1.0 - t) : 255.0 * t, 255.0);
        if (intensity > 0.0) {
            const uint32_t shown = m_state == pressed && !(m_flashing && m_flashPhase) ? pressed : hover;
            if (m_stateTextures[shown]) drawState(shown, static_cast<uint32_t>(opacity * static_cast<float>(intensity)));
        }
    }
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(getWidth()), h = static_cast<float>(getHeight());
    if (m_image) {
        const int32_t k = !m_enabled ? 90 : m_state == normal ? 180 : a;
        simGuiDrawCentredImage(x, y, w, h, m_image, static_cast<uint32_t>(opacity * static_cast<float>(k)));
    }
    if (!m_text.empty() && m_font) {
        simGuiCanvas& canvas = simGuiCanvas::current();
        const d3dx::Vector2 size = canvas.measureText(m_font, m_text);
        canvas.drawText(m_font, m_text, static_cast<float>(static_cast<int32_t>(x + w * 0.5f - size.x * 0.5f)),
                        static_cast<float>(static_cast<int32_t>(y + h * 0.5f - size.y * 0.5f)), m_colour, false);
    }
}
