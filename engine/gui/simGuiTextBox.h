// simGuiTextBox: a read-only area of many lines, each with its own font and
// colour, wrapped at word boundaries to the box's width, drawn clipped to
// the box and scrolled with the wheel or a skinned scroll bar.
//
// Lines are kept twice, by value: as added (wrapped once to the width at the
// time) and as displayed (wrapped again for the width now). Adding a line
// wraps only that line when the width has not changed since the last full
// wrap, so filling a box line by line costs time in proportion to the lines.
// "#CLEAR" empties both lists.
#pragma once

#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiScrollParts.h"

// One line: text, font (null: none), colour and height in pixels.
struct simGuiTextBoxLine {
    std::string text;
    simFont* font = nullptr;
    simColour colour;
    float height = 0.0f;
};

class simGuiTextBox : public simGuiElement {
public:
    enum Style : int32_t { frame = 0, noFrame = 1 };
    static constexpr int32_t kWheelStep = 32;
    static constexpr int32_t kArrowStep = 20;

    // A null font is the manager's font 0; a text that is not empty is the
    // first line, in opaque black.
    simGuiTextBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string alignment,
                  simFont* font, const std::string& text);

    std::string getTypeName() override { return "simGuiTextBox"; }
    void render() override;
    // Appends a line in the box's font and opaque black; earlier lines stay.
    void setText(std::string text) override;
    // The first line as added, or "".
    std::string getText() override;
    // "style": "simGuiTextBoxStyle_frame" or "simGuiTextBoxStyle_noFrame".
    void readAttributes(const std::string& key, const std::string& value) override;
    void moveResize(int32_t x, int32_t y, int32_t width, int32_t height, float ms) override;
    void onEvent(simInputEvent* event) override;

    // Wraps and appends a line (a line without font takes the box's);
    // "#CLEAR" empties the box instead. The last line added, or null.
    const simGuiTextBoxLine* addLine(simGuiTextBoxLine line);
    // The lines' heights plus 5 pixels.
    float getContentHeight() const { return static_cast<float>(m_linesHeight) + 5.0f; }

    const std::vector<simGuiTextBoxLine>& getLines() const { return m_lines; }
    const std::vector<simGuiTextBoxLine>& getDisplayLines() const { return m_displayLines; }
    int32_t getScrollOffset() const { return m_scrollOffset; }
    bool isScrollBarVisible() const { return m_scrollBarVisible; }
    const simGuiScrollParts& getScrollParts() const { return m_parts; }
    int32_t getStyle() const { return m_style; }

private:
    // Sets the font and the height: 10 pixels, or the text's measured height.
    static void setLineFont(simGuiTextBoxLine& line, simFont* font);
    // The line cut into paragraphs and refilled word by word to `available`.
    static std::vector<simGuiTextBoxLine> wrapLine(const simGuiTextBoxLine& line, float available);
    float wrapWidth() const;
    void rebuildDisplayLines();
    void clampScroll();
    simGuiScrollParts::Layout scrollLayout();
    void drawLines();

    simGuiScrollParts m_parts;
    bool m_scrollBarVisible = false;
    int32_t m_scrollOffset = 0;
    int32_t m_offsetAtPress = 0;
    std::vector<simGuiTextBoxLine> m_lines;
    std::vector<simGuiTextBoxLine> m_displayLines;
    double m_linesHeight = 0.0;
    float m_displayWidth = -1.0f;  // the width displayLines were wrapped to
    std::string m_alignment;
    int32_t m_style = frame;
};
