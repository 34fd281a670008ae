#include "engine/gui/simGuiWheel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsStrings.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"
#include "platform/sys/clock.h"

namespace {

constexpr float kArc = 0.89f;
constexpr float kArcStart = 0.34905555555555556f;
constexpr int kSmallFont = 3;  // simGuiFontId_small

// The dial's face and its flashing glow have atlas places of their own: the
// places first laid out for them overlap the radio button's, the slider's
// thumbs and the dialog frame, which would show through the dial. The glow
// keeps clear of the dialog's help buttons in the row y 352-394, x 0-192.
constexpr float kFaceU = 384, kFaceV = 256;
constexpr float kFlashGlowU = 192, kFlashGlowV = 352;

// (x, y) turned by `angle` about the origin, as D3DX's rotation about z
// turns row vectors (clockwise on a y-down screen).
d3dx::Vector2 rotate(float x, float y, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {x * c - y * s, x * s + y * c};
}

}  // namespace

simGuiWheel::simGuiWheel(std::string name, int32_t x, int32_t y, std::string text, std::string callback)
    : simGuiElement(std::move(name), x, y, kSize, kSize), m_text(std::move(text)), m_callback(std::move(callback)) {
    if (g_guiElementManager) m_font = g_guiElementManager->fonts[kSmallFont];
    if (isMouseOver()) m_wheelState = overWheel;
    restartWidgetStopwatch(kGlowMs);
}

d3dx::Vector2 simGuiWheel::centre() {
    return {static_cast<float>(getX() + getWidth() / 2), static_cast<float>(getY() + getHeight() / 2)};
}

float simGuiWheel::displayAngle() const {
    float a = m_angle;
    if (a > kFullTurn) a -= kFullTurn;
    if (a < 0.0f) a += kFullTurn;
    return a * kArc + kArcStart;
}

d3dx::Vector2 simGuiWheel::knobPoint() {
    const d3dx::Vector2 offset = rotate(0.0f, -48.0f, displayAngle());
    const d3dx::Vector2 c = centre();
    return {c.x + offset.x, c.y + offset.y};
}

bool simGuiWheel::isMouseOver() {
    if (simGuiElement::isMouseOver()) return true;
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse) return false;
    const d3dx::Vector2 knob = knobPoint();
    const float x = static_cast<float>(mouse->getX()), y = static_cast<float>(mouse->getY());
    return knob.x - 10.0f <= x && x <= knob.x + 10.0f && knob.y - 10.0f <= y && y <= knob.y + 10.0f;
}

float simGuiWheel::pointerAngle() {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse) return 0.0f;
    const d3dx::Vector2 c = centre();
    return static_cast<float>(std::atan2(static_cast<double>(mouse->getY()) - c.y, static_cast<double>(mouse->getX()) - c.x) +
                              1.57075);
}

void simGuiWheel::setData(float value) {
    m_data = value;
    if (m_data > m_rangeMax) m_data = m_rangeMax;
    if (m_data < m_rangeMin) m_data = m_rangeMin;
    const float range = m_rangeMax - m_rangeMin;
    m_angle = range != 0.0f && std::isfinite(m_data) ? (m_data - m_rangeMin) / range * kFullTurn : 0.0f;
}

void simGuiWheel::readAttributes(const std::string& key, const std::string& value) {
    if (key == "rangeMin") {
        m_rangeMin = static_cast<float>(std::atof(value.c_str()));
    } else if (key == "rangeMax") {
        m_rangeMax = static_cast<float>(std::atof(value.c_str()));
    } else if (key == "unitsText") {
        m_units = value;
    }
}

void simGuiWheel::fireChange() {
    const float f = std::clamp(m_angle / kFullTurn, 0.0f, 1.0f);
    m_data = (m_rangeMax - m_rangeMin) * f + m_rangeMin;
    simGuiRunCallback(getClassName(), m_callback, {m_name, static_cast<double>(m_data)},
                      simGuiScriptFallback::runAsText);
}

void simGuiWheel::enable() {
    m_enabled = true;
    if (isMouseOver()) m_wheelState = overWheel;
}

void simGuiWheel::setVisible(bool visible) {
    if (visible == m_visible) return;
    simGuiElement::setVisible(visible);
    if (!visible) return;
    m_wheelState = isMouseOver() ? overWheel : idle;
    restartWidgetStopwatch(kGlowMs);
}

void simGuiWheel::onEvent(simInputEvent* event) {
    if (!event) return;
    if (!acceptsInput()) {
        m_wheelState = idle;
        return;
    }
    simGuiElement::onEvent(event);
    if (event->type == simInputEvent_mouseMove) {
        if (m_wheelState == turning) {
            const float p = pointerAngle();
            // Where the pointer angle wraps (left of the centre) or passes 0
            // (above it) the last step is repeated, so the knob moves on smoothly.
            const bool crossed = (p < 0.0f && m_previousAngle >= 0.0f) || (p > 0.0f && m_previousAngle <= 0.0f);
            m_angleStep = crossed ? m_angleStep : p - m_previousAngle;
            if (m_angle + m_angleStep < 0.0f) {
                m_angleStep = 0.0f;
                m_angle = 0.0f;
            } else if (m_angle + m_angleStep >= kFullTurn) {
                m_angleStep = 0.0f;
                m_angle = kFullTurn;
            }
            m_angle += m_angleStep;
            m_previousAngle = p;
            fireChange();
            g_application->eventConsumed = true;
        }
        if (isMouseOver()) {
            if (m_wheelState == idle) {
                restartWidgetStopwatch();
                m_wheelState = overWheel;
            }
            g_application->eventConsumed = true;
        } else if (m_wheelState == overWheel) {
            restartWidgetStopwatch();
            m_wheelState = idle;
        }
    }
    const double now = static_cast<double>(sys::clockTicks()) * 1000.0 / sys::kClockFrequency;
    if (event->type == simInputEvent_mouseButton && event->button == simMouseButton_left &&
        now - m_creationTime > 250.0 && (m_wheelState == overWheel || m_wheelState == turning)) {
        if (event->buttonState == simButtonState_pressed) {
            m_wheelState = turning;
            m_previousAngle = pointerAngle();
        } else if (event->buttonState == simButtonState_released) {
            m_wheelState = overWheel;
        }
    }
}

int32_t simGuiWheel::glowAlpha() const {
    const double t = m_widgetStopwatch.getElapsed() / kGlowMs;
    const double alpha = m_wheelState == idle ? 255.0 * (1.0 - t) : 255.0 * t;
    return std::min(static_cast<int32_t>(std::max(alpha, -1.0)), 255);
}

void simGuiWheel::render() {
    if (!m_visible) return;
    simGuiElement::render();
    const uint32_t a = static_cast<uint32_t>(getAlpha() * 255.0f);
    simGuiCanvas& canvas = simGuiCanvas::current();
    simTexture* theme = g_guiElementManager ? g_guiElementManager->themeTexture : nullptr;
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(getWidth()), h = static_cast<float>(getHeight());
    const d3dx::Vector2 c = centre();
    const int32_t glow = glowAlpha();
    if (theme) {
        std::vector<simScreenRect> pieces{atlasPiece(x, y, x + w, y + h, a << 24 | 0xFFFFFFu, kFaceU, kFaceV, kFaceU + 96,
                                                       kFaceV + 96)};
        if (m_enabled && glow > 0) {
            const float half = w * 0.39583333f;
            float u = m_wheelState == turning ? 192.0f : 96.0f, v = 256.0f;
            if (m_flashing && m_flashPhase) {
                u = kFlashGlowU;
                v = kFlashGlowV;
            }
            pieces.push_back(atlasPiece(c.x - half, c.y - half, c.x + half, c.y + half,
                                        static_cast<uint32_t>(glow) << 24 | 0xFFFFFFu, u, v, u + 76, v + 76));
        }
        canvas.drawRects(pieces, theme);

        // The pointer (and its glow) turned with the knob, linearly filtered.
        const float d = displayAngle(), r = w / 2.0f;
        auto quad = [&](float x1, float y1, float x2, float y2, uint32_t colour, float ax1, float ay1, float ax2,
                        float ay2) {
            const d3dx::Vector2 local[4] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
            d3dx::Vector2 corners[4];
            for (int i = 0; i < 4; ++i) {
                const d3dx::Vector2 p = rotate(local[i].x, local[i].y, d);
                corners[i] = {c.x + p.x, c.y + p.y};
            }
            const d3dx::Vector2 uvs[4] = {{ax1 / kGuiAtlasSize, ay1 / kGuiAtlasSize},
                                          {ax2 / kGuiAtlasSize, ay1 / kGuiAtlasSize},
                                          {ax2 / kGuiAtlasSize, ay2 / kGuiAtlasSize},
                                          {ax1 / kGuiAtlasSize, ay2 / kGuiAtlasSize}};
            canvas.drawQuadUV(corners, colour, theme, uvs);
        };
        canvas.setLinearFiltering(true);
        quad(-7, -r - 4, 7, -r + 5, a << 24 | 0xFFFFFFu, 288, 256, 302, 265);
        if (m_wheelState != turning && glow > 0)
            quad(-26, -1.08f * r - 5, 26, -1.08f * r + 6, static_cast<uint32_t>(glow) << 24 | 0xFFFFFFu, 288, 288, 340,
                 299);
        canvas.setLinearFiltering(false);
    }
    if (!m_font) return;
    const std::string value = utils::formatValueForRange(m_data, m_rangeMin, m_rangeMax);
    const d3dx::Vector2 valueSize = canvas.measureText(m_font, value);
    const d3dx::Vector2 unitsSize = canvas.measureText(m_font, m_units);
    const float left = c.x - (valueSize.x + unitsSize.x) / 2.0f;
    const float top = y + 0.4f * h - valueSize.y / 2.0f;
    simColour ink;
    ink.set(static_cast<int>(a), 0, 0, 0);
    canvas.drawText(m_font, value, left, top, ink, false);
    if (!m_units.empty()) canvas.drawText(m_font, m_units, left + valueSize.x, top, ink, false);
    if (!m_text.empty()) {
        simColour white;
        white.set(static_cast<int>(a), 255, 255, 255);
        canvas.drawText(m_font, m_text, c.x, y + 0.666f * h, white, true);
    }
}
