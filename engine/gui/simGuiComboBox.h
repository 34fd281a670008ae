// simGuiComboBox: the drop-down choice widget.
//
// A closed box drawn from the theme atlas shows the chosen row (icon and
// text) with an arrow at the right. A click opens a list of up to ten rows of
// 30 pixels below the box (above it when there is no room below), with a
// scroll bar when there are more; a click on a row chooses it, closes the
// list and reports a change to a script function (choosing the chosen row
// again reports nothing). While the list is open the combo box is raised to
// the front and swallows the input that reaches it, so a click anywhere else
// closes the list first. The choice is the element's datum (the row).
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simTextureRef.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiScrollParts.h"

class simTexture;

struct simGuiComboRow {
    std::string text;
    int32_t index = 0;   // the number of rows when it was added
    float value = 0.0f;  // above 0: a bar of that share of the row behind it
    bool bold = false;   // drawn in the manager's font 1
    bool selectable = true;
    simTextureRef icon;
};

class simGuiComboBox : public simGuiElement {
public:
    enum ButtonState : int32_t { normal = 0, hovered = 1, pressed = 3 };
    static constexpr int32_t kRowHeight = 30;
    static constexpr int32_t kMaxRows = 10;

    // The last of the four texts is the change function; the others are not kept.
    simGuiComboBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, const std::string& textA,
                   const std::string& textB, const std::string& textC, std::string changeFunction);

    std::string getTypeName() override { return "simGuiComboBox"; }
    void render() override;
    // A text adds a row; "" removes every row. The choice stays.
    void setText(std::string text) override;
    // The chosen row's text, or "".
    std::string getText() override;
    float getValue() override { return static_cast<float>(m_buttonState); }
    // Calls the change function with the name.
    void fireChange() override;
    void onEvent(simInputEvent* event) override;

    simGuiComboRow& addRow(std::string text, bool bold, simTexture* icon, float value);

    bool isOpen() const { return m_open; }
    bool opensUpward() const { return m_opensUpward; }
    int32_t getButtonState() const { return m_buttonState; }
    int32_t getFirstRow() const { return m_firstRow; }
    int32_t getHoverRow() const { return m_hoverRow; }
    int32_t getPreviousChoice() const { return m_previousChoice; }
    int32_t getListTop() const { return m_listTop; }
    int32_t getShownRows() const { return m_shownRows; }
    bool hasScrollBar() const { return m_hasScrollBar; }
    const std::vector<simGuiComboRow>& getRows() const { return m_rows; }

private:
    int32_t rowCount() const { return static_cast<int32_t>(m_rows.size()); }
    int32_t chosenRow() const;
    void scrollBarInput(const simInputEvent& event);
    void hoverInput(const simInputEvent& event);
    void clickInput(const simInputEvent& event);
    void buildClosedBox(std::vector<simScreenRect>& out);
    // The icon's drawn size: at most 25 pixels a side and w - 35 wide.
    d3dx::Vector2 iconSize(const simTexture* icon) const;
    // The row's icon from x, centred on `middle`, and its text from textX
    // (after the icon).
    void drawChoice(const simGuiComboRow& row, float x, float textX, float middle, bool faded);

    simGuiScrollParts m_parts;
    bool m_hasScrollBar = false;
    int32_t m_firstRow = 0;
    int32_t m_dragStartRow = 0;
    int32_t m_buttonState = normal;
    bool m_open = false;
    bool m_opensUpward = false;
    bool m_scrollUsed = false;        // the scroll bar took this event
    bool m_scrollUsedBefore = false;  // and the one before it
    int32_t m_hoverRow = -1;
    int32_t m_previousChoice = -1;
    int32_t m_maxRows = kMaxRows;
    int32_t m_listTop = 0;
    int32_t m_shownRows = 0;
    std::string m_changeFunction;
    std::vector<simGuiComboRow> m_rows;
};
