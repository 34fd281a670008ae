#include "engine/gui/simGuiComboBox.h"

#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simWindow.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"

namespace {

constexpr float kIconEdge = 25.0f;
constexpr uint32_t kValueBarColour = 0x9BFF0000u;

}  // namespace

simGuiComboBox::simGuiComboBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                               const std::string&, const std::string&, const std::string&, std::string changeFunction)
    : simGuiElement(std::move(name), x, y, width, height), m_changeFunction(std::move(changeFunction)) {}

simGuiComboRow& simGuiComboBox::addRow(std::string text, bool bold, simTexture* icon, float value) {
    simGuiComboRow row;
    row.text = std::move(text);
    row.index = rowCount();
    row.bold = bold;
    row.icon = icon;
    row.value = value;
    m_rows.push_back(std::move(row));
    return m_rows.back();
}

void simGuiComboBox::setText(std::string text) {
    if (text.empty()) {
        m_rows.clear();
        return;
    }
    addRow(std::move(text), false, nullptr, 0.0f);
}

int32_t simGuiComboBox::chosenRow() const {
    if (!(m_data >= 0.0f) || m_data >= static_cast<float>(m_rows.size())) return -1;
    return static_cast<int32_t>(m_data);
}

std::string simGuiComboBox::getText() {
    const int32_t row = chosenRow();
    return row < 0 ? std::string() : m_rows[static_cast<size_t>(row)].text;
}

void simGuiComboBox::fireChange() {
    simGuiRunCallback(getClassName(), m_changeFunction, {m_name}, simGuiScriptFallback::none);
}

void simGuiComboBox::scrollBarInput(const simInputEvent& event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    const int32_t n = rowCount();
    const int32_t track = m_maxRows * kRowHeight;
    if (event.type == simInputEvent_wheel && hasFocus())
        m_firstRow += event.wheelDirection ? 1 : -1;
    if (event.type == simInputEvent_mouseMove && m_parts.isThumbPressed() && mouse &&
        mouse->isDragging(simMouseButton_left) && track > 0) {
        m_firstRow = simGuiThumbEdge(m_dragStartRow, n, event.y - mouse->getPressY(simMouseButton_left), track);
        m_scrollUsed = true;
    }
    const int32_t x = getX();
    simGuiScrollParts::Layout layout;
    layout.columnLeft = x + m_width - 16;
    layout.columnRight = x + m_width + 10;
    layout.bands = {simGuiScrollBand{m_listTop, m_listTop + 16},
                    simGuiScrollBand{m_listTop + track + 14, m_listTop + track + 30},
                    simGuiScrollBand{simGuiThumbEdge(m_listTop + 16, track, m_firstRow, n),
                                     simGuiThumbEdge(m_listTop + 16, track, m_firstRow + m_maxRows, n)}};
    const simGuiScrollParts::Outcome outcome = m_parts.onEvent(event, layout);
    if (outcome.pressed) m_dragStartRow = m_firstRow;
    m_firstRow += outcome.step;
}

void simGuiComboBox::hoverInput(const simInputEvent& event) {
    const int32_t x = getX(), y = getY();
    const int32_t rowsTop = m_listTop + 16, rowsBottom = m_listTop + 16 + kRowHeight * m_shownRows;
    const bool overColumn = x < event.x && event.x < x + m_width;
    const bool overBox = m_open ? rowsTop < event.y && event.y < rowsBottom : y < event.y && event.y < y + m_height;
    m_buttonState = overColumn && overBox ? hovered : normal;
    if (!m_open) return;
    m_hoverRow = -1;
    if (x + 5 < event.x && event.x < x + m_width - 16 * (m_hasScrollBar ? 1 : 0) - 5 && rowsTop < event.y &&
        event.y < rowsBottom)
        m_hoverRow = (event.y - rowsTop) / kRowHeight + m_firstRow;
    if (m_hoverRow >= rowCount() || (m_hoverRow >= 0 && !m_rows[static_cast<size_t>(m_hoverRow)].selectable))
        m_hoverRow = -1;
}

void simGuiComboBox::clickInput(const simInputEvent& event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (event.type != simInputEvent_mouseButton || event.button != simMouseButton_left || m_scrollUsed ||
        m_scrollUsedBefore || (mouse && mouse->wasDragEnded(simMouseButton_left)))
        return;
    if (!(m_buttonState == hovered || m_buttonState == pressed || m_open)) {
        m_open = false;
        return;
    }
    if (event.buttonState == simButtonState_pressed) {
        if (g_guiElementManager) g_guiElementManager->bringToFront(this);
        m_buttonState = pressed;
    } else if (event.buttonState == simButtonState_released) {
        m_buttonState = normal;
        if (m_open && m_hoverRow != -1) {
            const int32_t previous = chosenRow();
            m_data = static_cast<float>(m_hoverRow);
            if (m_hoverRow != previous) {
                m_previousChoice = previous;
                fireChange();
            }
        }
        m_open = !m_open;
        if (m_open && g_guiElementManager) g_guiElementManager->bringToFront(this);
    }
}

void simGuiComboBox::onEvent(simInputEvent* event) {
    if (!event) return;
    if (!acceptsInput()) {
        m_buttonState = normal;
        return;
    }
    simGuiElement::onEvent(event);
    const bool wasOpen = m_open;
    m_scrollUsedBefore = m_scrollUsed;
    m_scrollUsed = false;
    if (m_hasScrollBar) scrollBarInput(*event);
    if (event->type == simInputEvent_mouseMove) hoverInput(*event);
    if (m_open && (m_parts.isThumbPressed() || m_parts.isArrowActive())) m_scrollUsed = true;
    clickInput(*event);
    // The click that closes the list is swallowed too, release included, so
    // nothing behind the list acts on it.
    if ((m_buttonState == hovered || m_open || wasOpen) && g_application) g_application->eventConsumed = true;
}

d3dx::Vector2 simGuiComboBox::iconSize(const simTexture* icon) const {
    float w = static_cast<float>(icon->getWidth()), h = static_cast<float>(icon->getHeight());
    if (w == h && w > kIconEdge) w = h = kIconEdge;
    w = std::min(w, kIconEdge);
    h = std::min(h, kIconEdge);
    w = std::min(w, static_cast<float>(m_width - 35));
    return {w, h};
}

void simGuiComboBox::drawChoice(const simGuiComboRow& row, float x, float textX, float middle, bool faded) {
    simGuiCanvas& canvas = simGuiCanvas::current();
    if (row.icon) {
        const d3dx::Vector2 size = iconSize(row.icon);
        const uint32_t white = static_cast<uint32_t>(getAlpha() * 255.0f) << 24 | 0xFFFFFFu;
        canvas.drawRects({simScreenRect({x, middle - size.y * 0.5f}, {x + size.x, middle + size.y * 0.5f}, white)},
                         row.icon);
        textX += size.x;
    }
    simFont* font = g_guiElementManager->fonts[row.bold ? 1 : 0];
    simColour ink;
    ink.set(faded ? 100 : 255, 0, 0, 0);
    const float textHeight = canvas.measureText(font, row.text).y;
    canvas.drawText(font, row.text, textX, static_cast<float>(static_cast<int32_t>(middle - textHeight * 0.5f)), ink,
                    false);
}

void simGuiComboBox::buildClosedBox(std::vector<simScreenRect>& out) {
    float u = 128.0f, v = 96.0f;
    if (m_buttonState == hovered) u = 192.0f;
    if (m_buttonState == 2 || m_buttonState == pressed || m_open) u = 256.0f;
    if (m_flashing && m_flashPhase) u = 32.0f, v = 0.0f;
    if (!m_enabled) u = 320.0f, v = 96.0f;
    const uint32_t colour = static_cast<uint32_t>(getAlpha() * 255.0f) << 24 | 0xFFFFFFu;
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
    // 16 x 12 corners at the left, the 32-pixel arrow column at the right.
    const float sx[4] = {x, x + 16, x + w - 32, x + w}, sy[4] = {y, y + 12, y + h - 12, y + h};
    const float ax[4] = {u, u + 16, u + 32, u + 64}, ay[4] = {v, v + 12, v + 20, v + 32};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            out.push_back(atlasPiece(sx[col], sy[row], sx[col + 1], sy[row + 1], colour, ax[col], ay[row], ax[col + 1],
                                     ay[row + 1]));
    const float glyphU = m_open ? 400.0f : 384.0f;
    out.push_back(atlasPiece(x + w - 18, y + h * 0.5f - 6, x + w - 6, y + h * 0.5f + 6, colour, glyphU, 96,
                             glyphU + 12, 108));
}

void simGuiComboBox::render() {
    if (!m_visible) return;
    simGuiElement::render();
    if (m_fadingOut || !g_guiElementManager) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    simTexture* theme = g_guiElementManager->themeTexture;
    const int32_t n = rowCount();
    m_shownRows = std::min(n, m_maxRows);
    const float backBufferHeight =
        g_graphics && g_graphics->getWindow() ? g_graphics->getWindow()->getBackBufferHeight() : 0.0f;
    m_opensUpward = backBufferHeight > 0.0f &&
                    static_cast<float>(getY() + m_height + 20 + kRowHeight * m_shownRows) > backBufferHeight;
    if (m_firstRow < 0) m_firstRow = 0;
    if (n > m_maxRows && m_firstRow + m_maxRows > n) m_firstRow = n - m_maxRows;
    const float alpha = getAlpha() * 255.0f;
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);

    if (m_open) {
        m_listTop = m_opensUpward ? static_cast<int32_t>(y + h * 0.5f - static_cast<float>(kRowHeight * m_shownRows) - 45.0f)
                                  : getY() + m_height;
        simColour white;
        white.set(255, 255, 255, 255);
        drawFrame(x + 3, static_cast<float>(m_listTop), x + w - 3,
                  static_cast<float>(m_listTop + kRowHeight * (m_shownRows + 1)), 2, white);
    }
    std::vector<simScreenRect> box;
    buildClosedBox(box);
    if (theme) canvas.drawRects(box, theme);
    const int32_t chosen = chosenRow();
    if (chosen >= 0) drawChoice(m_rows[static_cast<size_t>(chosen)], x + 8, x + 10, y + 13, !m_enabled);
    if (!m_open) return;

    m_hasScrollBar = n > m_maxRows;
    const float rowWidth = std::max(w, 78.0f) - (m_hasScrollBar ? 10.0f : 0.0f);
    std::vector<simScreenRect> frames, bars;
    simColour frameColour;
    frameColour.set(static_cast<int>(alpha), 255, 255, 255);
    for (int32_t i = 0; i < m_shownRows && m_firstRow + i < n; ++i) {
        const float top = static_cast<float>(m_listTop + 16 + kRowHeight * i);
        const simGuiComboRow& row = m_rows[static_cast<size_t>(m_firstRow + i)];
        if (m_firstRow + i == m_hoverRow) buildFrameGeometry(x + 5, top, x + rowWidth - 5, top + kRowHeight, 3, frames, frameColour);
        if (row.value > 0.0f)
            bars.emplace_back(d3dx::Vector2{x + 5, top}, d3dx::Vector2{x + 5 + (rowWidth - 10) * row.value, top + kRowHeight},
                              kValueBarColour);
    }
    if (!frames.empty() && theme) canvas.drawRects(frames, theme);
    if (!bars.empty()) canvas.drawRects(bars, nullptr);
    for (int32_t i = 0; i < m_shownRows && m_firstRow + i < n; ++i) {
        const simGuiComboRow& row = m_rows[static_cast<size_t>(m_firstRow + i)];
        drawChoice(row, x + 8, x + 15, static_cast<float>(m_listTop + 31 + kRowHeight * i), !m_enabled || !row.selectable);
    }
    if (m_hasScrollBar) {
        std::vector<simScreenRect> pieces;
        const float count = static_cast<float>(n);
        buildScrollBarGeometry(x, static_cast<float>(m_listTop), x + w,
                               static_cast<float>(m_listTop + kRowHeight * (m_maxRows + 1)), m_parts.skinStates(),
                               static_cast<float>(m_firstRow) / count, static_cast<float>(m_firstRow + m_maxRows) / count,
                               pieces);
        if (!pieces.empty() && theme) canvas.drawRects(pieces, theme);
    }
}
