#include "engine/gui/simGuiListBox.h"

#include <algorithm>
#include <cstdlib>

#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"

simGuiListBox::simGuiListBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                             std::string creationText, std::string changeFunction)
    : simGuiElement(std::move(name), x, y, width, height),
      m_creationText(std::move(creationText)),
      m_changeFunction(std::move(changeFunction)) {
    // Focused from the start, so the wheel scrolls it before it is clicked.
    if (g_guiElementManager) g_guiElementManager->focusElement = this;
}

void simGuiListBox::setText(std::string text) {
    if (text == "#CLEAR") {
        m_rows.clear();
        return;
    }
    simGuiListRow row;
    row.text = std::move(text);
    row.colour.set(255, 0, 0, 0);
    addRow(std::move(row));
}

int32_t simGuiListBox::pickedRow() const {
    if (!(m_data >= 0.0f) || m_data >= static_cast<float>(m_rows.size())) return -1;
    return static_cast<int32_t>(m_data);
}

std::string simGuiListBox::getText() {
    const int32_t row = pickedRow();
    return row < 0 ? std::string() : m_rows[static_cast<size_t>(row)].text;
}

void simGuiListBox::readAttributes(const std::string& key, const std::string& value) {
    simGuiElement::readAttributes(key, value);
    if (key == "selectable") m_selectable = std::atoi(value.c_str()) != 0;
}

void simGuiListBox::fireChange() {
    if (m_changeFunction.empty()) return;
    const int32_t row = pickedRow();
    if (row < 0) {
        simGuiRunCallback(getClassName(), m_changeFunction, {m_name, 0.0}, simGuiScriptFallback::none);
    } else {
        simGuiRunCallback(getClassName(), m_changeFunction, {m_name, m_rows[static_cast<size_t>(row)].text},
                          simGuiScriptFallback::none);
    }
}

int32_t simGuiListBox::pitch() const {
    return !m_rows.empty() && m_rows.front().icon ? m_iconSize + 4 : kRowPitch;
}

simGuiScrollBand simGuiListBox::thumbBand() {
    const double y = getY(), h = m_height, n = rowCount();
    return {simGuiThumbEdge(y + 16, h - 32, m_firstRow, n),
            simGuiThumbEdge(y + 32, h - 32, m_firstRow + m_height / 32, n)};
}

void simGuiListBox::scrollBarInput(const simInputEvent& event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    const int32_t x = getX(), y = getY(), w = m_width, h = m_height, n = rowCount();
    if (event.type == simInputEvent_wheel && hasFocus())
        m_firstRow += event.wheelDirection ? 1 : -1;
    // The thumb follows the mouse along a track of h - 64 pixels; a list no
    // taller than that has nothing to drag along.
    const int32_t track = h - 64;
    if (event.type == simInputEvent_mouseMove && m_parts.isThumbPressed() && mouse &&
        mouse->isDragging(simMouseButton_left) && track > 0 && n > 0) {
        // The rows follow the mouse's travel since the press, a track's length to all the rows.
        m_firstRow = simGuiThumbEdge(m_dragStartRow, n, event.y - mouse->getPressY(simMouseButton_left), track);
    }
    const simGuiScrollBand thumb = thumbBand();
    const bool leftRelease = event.type == simInputEvent_mouseButton && event.button == simMouseButton_left &&
                             event.buttonState == simButtonState_released;
    if (leftRelease && x + w - 26 < event.x && event.x < x + w) {
        const int32_t page = h / 32;
        if (y + 16 < event.y && event.y < thumb.top) m_firstRow -= page;
        if (thumb.bottom < event.y && event.y < y + h - 16) m_firstRow += page;
    }
    simGuiScrollParts::Layout layout;
    layout.columnLeft = x + w - 26;
    layout.columnRight = x + w;
    layout.bands = {simGuiScrollBand{y, y + 16}, simGuiScrollBand{y + h - 16, y + h}, thumb};
    const simGuiScrollParts::Outcome outcome = m_parts.onEvent(event, layout);
    if (outcome.pressed) m_dragStartRow = m_firstRow;
    m_firstRow += outcome.step;
}

void simGuiListBox::pickInput(const simInputEvent& event) {
    const int32_t n = rowCount();
    if (!m_parts.isThumbPressed()) {
        if (event.type == simInputEvent_mouseMove) {
            const int32_t x = getX(), y = getY();
            m_hoverRow = -1;
            if (x < event.x && event.x < x + m_width - 25 && y < event.y && event.y < y + m_height)
                m_hoverRow = (event.y - y - 8) / pitch() + m_firstRow;
            if (m_hoverRow < 0 || m_hoverRow >= n || m_rows[static_cast<size_t>(m_hoverRow)].text.empty())
                m_hoverRow = -1;
        }
        const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
        // The release that ends a drag is not a click.
        if (m_hoverRow != -1 && event.type == simInputEvent_mouseButton && event.button == simMouseButton_left &&
            event.buttonState == simButtonState_released && !(mouse && mouse->wasDragEnded(simMouseButton_left))) {
            setData(static_cast<float>(m_hoverRow));
            fireChange();
        }
    }
    const int32_t row = hasFocus() ? simGuiRowAfterArrowKey(event, m_data, n) : -1;
    if (row >= 0) {
        setData(static_cast<float>(row));
        fireChange();
    }
}

void simGuiListBox::onEvent(simInputEvent* event) {
    if (!event || !acceptsInput()) return;
    simGuiElement::onEvent(event);
    // The scroll position is left as it is; the next render clamps it.
    if (m_hasScrollBar) scrollBarInput(*event);
    if (m_selectable) pickInput(*event);
}

void simGuiListBox::render() {
    if (!m_visible) return;
    simGuiElement::render();
    if (!g_guiElementManager) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
    simColour white;
    white.set(static_cast<int>(getAlpha() * 255.0f), 255, 255, 255);
    drawFrame(x, y, x + w, y + h, 2, white);

    const bool icons = !m_rows.empty() && m_rows.front().icon;
    const int32_t rowPitch = pitch();
    const float indent = static_cast<float>(icons ? m_iconSize + 10 : 5);
    const int32_t visibleRows = m_height / rowPitch;
    const int32_t n = rowCount();
    if (m_firstRow < 0) m_firstRow = 0;
    if (n > visibleRows && m_firstRow + visibleRows > n) m_firstRow = n - visibleRows;
    m_hasScrollBar = n > visibleRows;

    canvas.setClipRect(getX() + 2, getY() + 2, m_width - 4, m_height - 4);
    const int32_t picked = pickedRow();
    const float right = m_hasScrollBar ? x + w - 34 : x + w - 2;
    const int32_t last = std::min(n, m_firstRow + std::max(visibleRows, 0));
    simColour opaque;
    opaque.set(255, 255, 255, 255);
    std::vector<simScreenRect> highlights;
    for (int32_t i = m_firstRow; i < last; ++i) {
        const float rowTop = y + 5 + static_cast<float>(rowPitch * (i - m_firstRow));
        if (i == picked || i == m_hoverRow)
            buildFrameGeometry(x + 2, rowTop, right, rowTop + static_cast<float>(rowPitch), 3, highlights, opaque);
    }
    if (!highlights.empty()) canvas.drawRects(highlights, g_guiElementManager->themeTexture);
    for (int32_t i = m_firstRow; i < last; ++i) {
        const simGuiListRow& row = m_rows[static_cast<size_t>(i)];
        const float rowTop = y + 5 + static_cast<float>(rowPitch * (i - m_firstRow));
        const float middle = rowTop + static_cast<float>(rowPitch) * 0.5f;
        if (row.icon) {
            const float half = static_cast<float>(m_iconSize) * 0.5f;
            canvas.drawRects({simScreenRect({x + 5, middle - half}, {x + 5 + static_cast<float>(m_iconSize), middle + half},
                                            0xFFFFFFFFu)},
                             row.icon);
        }
        if (row.text.empty()) {
            canvas.drawRect({x + 4, middle}, {x + w - 4, middle + 1}, 0x9B000000u);
            continue;
        }
        const float textHeight = canvas.measureText(m_font, row.text).y;
        canvas.drawText(m_font, row.text, x + indent, static_cast<float>(static_cast<int32_t>(middle - textHeight * 0.5f)),
                        row.colour, false);
    }
    canvas.clearClipRect();

    if (m_hasScrollBar) {
        std::vector<simScreenRect> pieces;
        const float count = static_cast<float>(n);
        buildScrollBarGeometry(x, y, x + w, y + h, m_parts.skinStates(), static_cast<float>(m_firstRow) / count,
                               static_cast<float>(m_firstRow + visibleRows) / count, pieces);
        if (!pieces.empty()) canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    }
}
