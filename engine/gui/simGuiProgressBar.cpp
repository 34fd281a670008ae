#include "engine/gui/simGuiProgressBar.h"

#include <algorithm>
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

void simGuiProgressBar::readAttributes(const std::string& key, const std::string& value) {
    simGuiElement::readAttributes(key, value);
    if (key == "scrubbable") {
        m_scrubbable = value == "true";
    } else if (key == "onScrubFunction") {
        m_onScrubFunction = value;
    } else if (key == "positionMarkers") {
        m_positionMarkers = std::atoi(value.c_str()) != 0;
    }
}

void simGuiProgressBar::onEvent(simInputEvent* event) {
    if (!event || !acceptsInput()) return;
    simGuiElement::onEvent(event);
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!m_scrubbable || event->type != simInputEvent_mouseMove || !mouse || !mouse->isDragging(simMouseButton_left))
        return;
    const int32_t x = getX(), y = getY(), width = getWidth(), height = getHeight();
    const int32_t pressX = mouse->getPressX(simMouseButton_left), pressY = mouse->getPressY(simMouseButton_left);
    if (!(x < pressX && pressX < x + width && y < pressY && pressY < y + height)) return;
    g_application->eventConsumed = true;
    const float fraction = width <= height ? static_cast<float>(event->y - y) / static_cast<float>(height)
                                           : static_cast<float>(event->x - x) / static_cast<float>(width);
    simGuiRunCallback(getClassName(), m_onScrubFunction, {m_name, static_cast<double>(std::clamp(fraction, 0.0f, 1.0f))},
                      simGuiScriptFallback::runAsText);
}

void simGuiProgressBar::buildGeometry(float fraction, float alpha, std::vector<simScreenRect>& out) {
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const int32_t width = getWidth(), height = getHeight();
    const float w = static_cast<float>(width), h = static_cast<float>(height), c = kCap;
    const uint32_t white = static_cast<uint32_t>(alpha * 255.0f) << 24 | 0xFFFFFFu;
    auto piece = [&](float x1, float y1, float x2, float y2, float ax1, float ay1, float ax2, float ay2) {
        out.push_back(atlasPiece(x1, y1, x2, y2, white, ax1, ay1, ax2, ay2));
    };
    if (height < width) {
        piece(x, y, x + c, y + h, 424, 96, 432, 119);
        piece(x + c, y, x + w - c, y + h, 432, 96, 440, 119);
        piece(x + w - c, y, x + w, y + h, 432, 96, 424, 119);
        const int32_t f = static_cast<int32_t>(w * fraction);
        const float ff = static_cast<float>(f);
        if (fraction > 0.0f && f < kCap) {
            piece(x, y, x + ff, y + h, 448, 96, 448 + ff, 119);
        } else if (f >= kCap) {
            piece(x, y, x + c, y + h, 448, 96, 456, 119);
            piece(x + c, y, x + std::min(ff, w - c), y + h, 456, 96, 457, 119);
            if (f > width - kCap) piece(x + w - c, y, x + ff, y + h, 464, 96, ff - w + 472, 119);
        }
    } else {
        piece(x, y, x + w, y + c, 416, 128, 439, 136);
        piece(x, y + c, x + w, y + h - c, 416, 136, 439, 144);
        piece(x, y + h - c, x + w, y + h, 416, 136, 439, 128);
        const int32_t f = static_cast<int32_t>(h * fraction);
        const float ff = static_cast<float>(f);
        const float bottom = y + h;
        if (fraction > 0.0f && f < kCap) {
            piece(x, bottom - ff, x + w, bottom, 448, 152 - ff, 471, 152);
        } else if (f >= kCap) {
            piece(x, bottom - c, x + w, bottom, 448, 144, 471, 152);
            piece(x, bottom - std::min(ff, h - c), x + w, bottom - c, 448, 143, 471, 144);
            // The top cap, cut to what the fill reaches of it: its inner rows.
            if (f > height - kCap) {
                const float reach = ff - (h - c);
                piece(x, bottom - ff, x + w, y + c, 448, 136 - reach, 471, 136);
            }
        }
    }
    if (m_positionMarkers) {
        const uint32_t markAlpha = static_cast<uint32_t>(alpha * 100.0f) << 24;
        for (const float at : {0.75f, 0.5f, 0.25f}) {
            const float mark = x + w * at;
            out.push_back(atlasPiece(mark - 1, y + 3, mark, y + h - 3, markAlpha, 496, 496, 497, 497));
            out.push_back(atlasPiece(mark, y + 3, mark + 1, y + h - 3, markAlpha | 0xFFFFFFu, 496, 496, 497, 497));
        }
    }
}

void simGuiProgressBar::render() {
    if (!m_visible) return;
    simGuiElement::render();
    if (m_fadingOut) return;
    // Stored back clamped; a value that is not a number shows as empty.
    m_data = m_data > 0.0f ? std::min(m_data, 1.0f) : 0.0f;
    if (!g_guiElementManager || !g_guiElementManager->themeTexture) return;
    std::vector<simScreenRect> pieces;
    buildGeometry(m_data, getAlpha(), pieces);
    simGuiCanvas::current().drawRects(pieces, g_guiElementManager->themeTexture);
}
