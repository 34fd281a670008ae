#include "engine/gui/simGuiSlider.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"

namespace {

constexpr int kSmallFont = 3;  // simGuiFontId_small

}  // namespace

simGuiSlider::simGuiSlider(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                           std::string changeFunction)
    : simGuiElement(std::move(name), x, y, width, height), m_changeFunction(std::move(changeFunction)) {}

float simGuiSlider::getThumbX() {
    const float x = static_cast<float>(getX());
    if (range() == 0.0f) return x;
    return x + (m_data - m_rangeLow) * static_cast<float>(getWidth()) / range();
}

float simGuiSlider::divisionX(int32_t i) {
    return static_cast<float>(getX()) +
           static_cast<float>(getWidth()) / static_cast<float>(m_divisions - 1) * static_cast<float>(i);
}

void simGuiSlider::setText(std::string text) { m_data = static_cast<float>(std::atof(text.c_str())); }

std::string simGuiSlider::getText() {
    const float r = std::fabs(range());
    char text[64];
    if (r <= 1.0f) {
        std::snprintf(text, sizeof text, "%0.2f", static_cast<double>(m_data));
    } else if (r <= 10.0f) {
        std::snprintf(text, sizeof text, "%0.1f", static_cast<double>(m_data));
    } else {
        const double whole = std::trunc(static_cast<double>(m_data));
        std::snprintf(text, sizeof text, "%.0f", std::isfinite(whole) ? whole + 0.0 : 0.0);  // + 0.0: no "-0"
    }
    return text;
}

void simGuiSlider::setDivisions(int32_t count) {
    m_divisionLabels.clear();
    if (count <= 0) {
        m_divisions = 0;
        return;
    }
    // One mark per pixel at most, and never an allocation a script can blow up.
    m_divisions = std::clamp(count, 2, std::max(2, std::min(getWidth() + 1, kMaxDivisions)));
    m_divisionLabels.assign(static_cast<size_t>(m_divisions), std::string());
}

void simGuiSlider::setDivisionLabel(int32_t index, std::string text) {
    if (index >= 0 && static_cast<size_t>(index) < m_divisionLabels.size())
        m_divisionLabels[static_cast<size_t>(index)] = std::move(text);
}

void simGuiSlider::readAttributes(const std::string& key, const std::string& value) {
    if (key == "rangeLow") {
        m_rangeLow = static_cast<float>(std::atof(value.c_str()));
        if (m_data < m_rangeLow) m_data = m_rangeLow;
    } else if (key == "rangeHigh") {
        m_rangeHigh = static_cast<float>(std::atof(value.c_str()));
        if (m_data > m_rangeHigh) m_data = m_rangeHigh;
    } else if (key == "unitsText" || key == "units") {
        m_units = value;
    } else if (key == "showCurrentValue") {
        m_showCurrentValue = std::atoi(value.c_str()) != 0;
    } else if (key == "showDivisions") {
        m_showDivisions = std::atoi(value.c_str()) != 0;
    } else if (key == "divisions") {
        setDivisions(std::atoi(value.c_str()));
    } else if (key == "divisionLabel") {
        // "index:text"; with several ':' the index is the text between the last two.
        int32_t index = -1;
        std::string buffer;
        for (const char c : value) {
            if (c == ':') {
                index = std::atoi(buffer.c_str());
                buffer.clear();
            } else {
                buffer += c;
            }
        }
        setDivisionLabel(index, buffer);
    }
}

void simGuiSlider::fireChange() {
    simGuiRunCallback(getClassName(), m_changeFunction, {m_name, static_cast<double>(m_data)},
                      simGuiScriptFallback::none);
}

void simGuiSlider::onEvent(simInputEvent* event) {
    if (!event) return;
    if (!acceptsInput()) {
        m_dragState = idle;
        return;
    }
    simGuiElement::onEvent(event);
    if (event->type == simInputEvent_wheel && hasFocus()) {
        m_data += event->wheelDirection ? range() / 25.0f : -range() / 25.0f;
        m_data = std::clamp(m_data, std::min(m_rangeLow, m_rangeHigh), std::max(m_rangeLow, m_rangeHigh));
        fireChange();
    }
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    const bool leftHeld = mouse && mouse->isButtonDown(simMouseButton_left);
    const int32_t x = getX(), y = getY(), width = getWidth();
    if (event->type == simInputEvent_mouseMove) {
        const float thumb = getThumbX();
        const float ex = static_cast<float>(event->x);
        if (thumb - 6.0f < ex && ex < thumb + 6.0f && y - 9 < event->y && event->y < y + getHeight()) {
            if (m_dragState != dragging) m_dragState = overThumb;
            g_application->eventConsumed = true;
        } else if (!(m_dragState == dragging && leftHeld)) {
            m_dragState = idle;
        }
    }
    if (m_dragState == overThumb && leftHeld) {
        m_dragState = dragging;
        if (g_guiElementManager) g_guiElementManager->bringToFront(this);
    }
    if (m_dragState == dragging && mouse && mouse->wasButtonReleased(simMouseButton_left)) m_dragState = idle;
    if (event->type != simInputEvent_mouseMove || m_dragState != dragging) return;
    m_data = range() == 0.0f || width == 0
                 ? m_rangeLow
                 : static_cast<float>(event->x - x) / static_cast<float>(width) * range() + m_rangeLow;
    m_data = std::clamp(m_data, std::min(m_rangeLow, m_rangeHigh), std::max(m_rangeLow, m_rangeHigh));
    if (m_showDivisions && m_divisions >= 2) {
        const float step = range() / static_cast<float>(m_divisions - 1);
        const float tolerance = std::fabs(range() / static_cast<float>(m_divisions));
        for (int32_t i = 0; i < m_divisions; ++i) {
            const float mark = m_rangeLow + static_cast<float>(i) * step;
            if (std::fabs(m_data - mark) < tolerance) {
                m_data = mark;
                break;
            }
        }
    }
    fireChange();
    g_application->eventConsumed = true;
}

void simGuiSlider::buildGeometry(uint32_t alpha, std::vector<simScreenRect>& out) {
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float width = static_cast<float>(getWidth());
    const float mid = y + static_cast<float>(getHeight() / 2);
    const uint32_t white = alpha << 24 | 0xFFFFFFu, black = alpha << 24;
    auto square = [&](float cx, float half, float ax1, float ay1, float ax2, float ay2) {
        out.push_back(atlasPiece(cx - half, mid - half, cx + half, mid + half, white, ax1, ay1, ax2, ay2));
    };
    const float edge = 0.99f * kGuiAtlasSize;
    out.push_back(atlasPiece(x, mid - 1, x + width, mid + 1, black, edge, edge, kGuiAtlasSize, kGuiAtlasSize));
    const bool marks = m_showDivisions && m_divisions >= 2;
    if (!marks) {
        square(x, 7, 192, 160, 206, 174);
        square(x + width, 7, 192, 160, 206, 174);
        if (m_data == m_rangeLow) {
            square(x, 3, 288, 128, 294, 134);
        } else if (m_data == m_rangeHigh) {
            square(x + width, 3, 288, 128, 294, 134);
        }
    } else {
        simGuiCanvas& canvas = simGuiCanvas::current();
        simFont* font = g_guiElementManager ? g_guiElementManager->fonts[kSmallFont] : nullptr;
        simColour ink;
        ink.set(static_cast<int>(alpha), 0, 0, 0);
        const float step = range() / static_cast<float>(m_divisions - 1);
        for (int32_t i = 0; i < m_divisions; ++i) {
            const float at = divisionX(i);
            square(at, 7, 192, 160, 206, 174);
            if (m_rangeLow + static_cast<float>(i) * step == m_data) square(at, 3, 288, 128, 294, 134);
            if (static_cast<size_t>(i) < m_divisionLabels.size() && !m_divisionLabels[static_cast<size_t>(i)].empty())
                canvas.drawText(font, m_divisionLabels[static_cast<size_t>(i)], at, mid + 20.0f, ink, true);
        }
    }
    const float thumb = getThumbX();
    const float u = m_dragState == dragging ? 256.0f : m_dragState == overThumb ? 240.0f : 224.0f;
    out.push_back(atlasPiece(thumb - 6, y - 9, thumb + 6, y + 9, white, u, 160, u + 12, 178));
}

void simGuiSlider::render() {
    if (!m_visible) return;
    simGuiElement::render();
    uint32_t alpha = static_cast<uint32_t>(getAlpha() * 255.0f);
    if (!m_enabled) alpha /= 2;
    simGuiCanvas& canvas = simGuiCanvas::current();
    if (g_guiElementManager && g_guiElementManager->themeTexture) {
        std::vector<simScreenRect> pieces;
        buildGeometry(alpha, pieces);
        canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    }
    if (!m_showCurrentValue || !g_guiElementManager) return;
    simFont* font = g_guiElementManager->fonts[kSmallFont];
    const std::string text = getText() + " " + m_units;
    const float textWidth = canvas.measureText(font, text).x;
    const float left = static_cast<float>(getX()), right = left + static_cast<float>(getWidth());
    float at = getThumbX() - textWidth / 2.0f;
    if (at < left) at = left;
    if (at + textWidth > right) at = right - textWidth;
    simColour ink;
    ink.set(static_cast<int>(alpha), 0, 0, 0);
    canvas.drawText(font, text, at, static_cast<float>(getY() + 15), ink, false);
}
