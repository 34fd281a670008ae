#include "engine/gui/simGuiTextBox.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiSkin.h"

namespace {

simColour opaqueBlack() {
    simColour colour;
    colour.set(255, 0, 0, 0);
    return colour;
}

float textWidth(simFont* font, const std::string& text) { return simGuiCanvas::current().measureText(font, text).x; }

}  // namespace

simGuiTextBox::simGuiTextBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                             std::string alignment, simFont* font, const std::string& text)
    : simGuiElement(std::move(name), x, y, width, height), m_alignment(std::move(alignment)) {
    if (!font && g_guiElementManager) font = g_guiElementManager->fonts[0];
    m_font = font;
    m_colour = opaqueBlack();
    if (!text.empty()) setText(text);
}

void simGuiTextBox::setLineFont(simGuiTextBoxLine& line, simFont* font) {
    line.height = 10.0f;
    line.font = font;
    if (!line.text.empty() && font) line.height = simGuiCanvas::current().measureText(font, line.text).y;
}

std::vector<simGuiTextBoxLine> simGuiTextBox::wrapLine(const simGuiTextBoxLine& line, float available) {
    std::vector<simGuiTextBoxLine> pieces;
    const auto addPiece = [&](std::string text) {
        simGuiTextBoxLine piece;
        piece.text = std::move(text);
        piece.colour = line.colour;
        setLineFont(piece, line.font);
        pieces.push_back(std::move(piece));
    };
    if (line.text.empty()) {
        addPiece("");
        return pieces;
    }
    size_t start = 0;
    while (start < line.text.size()) {
        size_t end = line.text.find('\n', start);
        if (end == std::string::npos) end = line.text.size();
        const std::string paragraph = line.text.substr(start, end - start);
        start = end + 1;
        if (textWidth(line.font, paragraph) <= available) {
            addPiece(paragraph);
            continue;
        }
        // Each space ends a word, so a double space keeps an empty word and
        // survives the refill; a word wider than the box stays whole.
        std::string current;
        size_t wordStart = 0;
        while (wordStart <= paragraph.size()) {
            size_t wordEnd = paragraph.find(' ', wordStart);
            if (wordEnd == std::string::npos) wordEnd = paragraph.size();
            const std::string word = paragraph.substr(wordStart, wordEnd - wordStart);
            wordStart = wordEnd + 1;
            if (textWidth(line.font, current + word) <= available) {
                if (!current.empty()) current += ' ';
                current += word;
            } else {
                addPiece(current);
                current = word;
            }
        }
        if (!current.empty()) addPiece(current);
    }
    return pieces;
}

float simGuiTextBox::wrapWidth() const { return static_cast<float>(m_width - (m_scrollBarVisible ? 25 : 10)); }

const simGuiTextBoxLine* simGuiTextBox::addLine(simGuiTextBoxLine line) {
    if (!line.font) setLineFont(line, m_font);
    if (line.text == "#CLEAR") {
        m_lines.clear();
        m_displayLines.clear();
        m_linesHeight = 0.0;
        return nullptr;
    }
    const float available = wrapWidth();
    const std::vector<simGuiTextBoxLine> pieces = wrapLine(line, available);
    for (const simGuiTextBoxLine& piece : pieces) {
        m_lines.push_back(piece);
        m_linesHeight += piece.height;
    }
    // Display lines are the added ones wrapped again to the same width: only
    // a changed width needs every line wrapped again.
    if (available == m_displayWidth) {
        for (const simGuiTextBoxLine& piece : pieces)
            for (simGuiTextBoxLine& again : wrapLine(piece, available)) m_displayLines.push_back(std::move(again));
    } else {
        rebuildDisplayLines();
    }
    return &m_lines.back();
}

void simGuiTextBox::rebuildDisplayLines() {
    m_displayWidth = wrapWidth();
    m_displayLines.clear();
    for (const simGuiTextBoxLine& line : m_lines)
        for (simGuiTextBoxLine& piece : wrapLine(line, m_displayWidth)) m_displayLines.push_back(std::move(piece));
}

void simGuiTextBox::setText(std::string text) {
    simGuiTextBoxLine line;
    line.text = std::move(text);
    line.colour = opaqueBlack();
    setLineFont(line, m_font);
    addLine(std::move(line));
}

std::string simGuiTextBox::getText() { return m_lines.empty() ? std::string() : m_lines.front().text; }

void simGuiTextBox::readAttributes(const std::string& key, const std::string& value) {
    simGuiElement::readAttributes(key, value);
    if (key != "style") return;
    if (value == "simGuiTextBoxStyle_frame") m_style = frame;
    if (value == "simGuiTextBoxStyle_noFrame") m_style = noFrame;
}

void simGuiTextBox::moveResize(int32_t x, int32_t y, int32_t width, int32_t height, float ms) {
    const bool keeps = x != kKeepCoordinate && y != kKeepCoordinate && width != kKeepCoordinate &&
                       height != kKeepCoordinate;
    if (keeps && x == m_x && y == m_y && width == m_width && height == m_height) return;
    simGuiElement::moveResize(x, y, width, height, ms);
    rebuildDisplayLines();
}

void simGuiTextBox::clampScroll() {
    const float content = getContentHeight();
    if (content < static_cast<float>(m_height + m_scrollOffset))
        m_scrollOffset = static_cast<int32_t>(content - static_cast<float>(m_height));
    if (m_scrollOffset < 0) m_scrollOffset = 0;
}

void simGuiTextBox::drawLines() {
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float left = static_cast<float>(getX() + 5);
    const float boxTop = static_cast<float>(getY()), boxBottom = static_cast<float>(getY() + m_height);
    float y = static_cast<float>(getY() + 2 - m_scrollOffset);
    for (const simGuiTextBoxLine& line : m_displayLines) {
        const float lineY = y;
        y += line.height;
        if (!(boxTop < lineY + line.height && lineY <= boxBottom)) {
            if (lineY > boxBottom) break;  // every later line is lower still
            continue;
        }
        if (!line.font) {
            if (line.text == "---")
                canvas.drawRect({left, lineY + 5.0f}, {left + static_cast<float>(m_width - 10), lineY + 6.0f},
                                0x9B000000u);
            continue;
        }
        if (line.text.empty()) continue;
        float x = left;
        if (m_alignment == "centre")
            x = static_cast<float>(static_cast<int32_t>(left + static_cast<float>(m_width) * 0.5f -
                                                        textWidth(line.font, line.text) * 0.5f));
        canvas.drawText(line.font, line.text, static_cast<float>(static_cast<int32_t>(x)),
                        static_cast<float>(static_cast<int32_t>(lineY)), line.colour, false);
    }
}

void simGuiTextBox::render() {
    if (!m_visible) return;
    simGuiElement::render();
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
    if (m_style == frame) {
        simColour white;
        white.set(static_cast<int>(getAlpha() * 255.0f), 255, 255, 255);
        drawFrame(x, y, x + w, y + h, 2, white);
    }
    simGuiCanvas& canvas = simGuiCanvas::current();
    canvas.setClipRect(getX() + 2, getY() + 2, m_width - 4, m_height - 4);
    const float content = getContentHeight();
    m_scrollBarVisible = content > h;
    clampScroll();
    drawLines();
    canvas.clearClipRect();
    if (m_scrollBarVisible && m_style == frame && g_guiElementManager) {
        std::vector<simScreenRect> pieces;
        const float offset = static_cast<float>(m_scrollOffset);
        buildScrollBarGeometry(x, y, x + w, y + h, m_parts.skinStates(), offset / content, (offset + h) / content,
                               pieces);
        if (!pieces.empty()) canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    }
}

simGuiScrollParts::Layout simGuiTextBox::scrollLayout() {
    const int32_t x = getX(), y = getY();
    const float content = getContentHeight(), h = static_cast<float>(m_height);
    simGuiScrollParts::Layout layout;
    layout.columnLeft = x + m_width - 16;
    layout.columnRight = x + m_width;
    layout.bands[simGuiScrollParts::up] = {y, y + 16};
    layout.bands[simGuiScrollParts::down] = {y + m_height - 16, y + m_height};
    int32_t top = y + static_cast<int32_t>(static_cast<float>(m_scrollOffset) / content * h);
    int32_t bottom = top + std::max(32, static_cast<int32_t>(h / content * h));
    if (bottom > y + m_height - 16) {
        top -= bottom - (y + m_height - 16);
        bottom = y + m_height - 16;
    }
    layout.bands[simGuiScrollParts::thumb] = {top, bottom};
    return layout;
}

void simGuiTextBox::onEvent(simInputEvent* event) {
    if (!event || !acceptsInput()) return;
    simGuiElement::onEvent(event);
    if (!m_scrollBarVisible || m_style != frame) return;
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (event->type == simInputEvent_wheel && hasFocus())
        m_scrollOffset += event->wheelDirection ? kWheelStep : -kWheelStep;
    const int32_t track = m_height - 32;
    // A box no taller than its two arrows has no track to drag along.
    if (event->type == simInputEvent_mouseMove && m_parts.isThumbPressed() && mouse &&
        mouse->isDragging(simMouseButton_left) && track > 0) {
        m_scrollOffset = m_offsetAtPress + static_cast<int32_t>(static_cast<float>(event->y - mouse->getPressY(simMouseButton_left)) /
                                                                static_cast<float>(track) * getContentHeight());
    }
    const simGuiScrollParts::Outcome outcome = m_parts.onEvent(*event, scrollLayout());
    if (outcome.pressed) m_offsetAtPress = m_scrollOffset;
    m_scrollOffset += outcome.step * kArrowStep;
    clampScroll();
}
