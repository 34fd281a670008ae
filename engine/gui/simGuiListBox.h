// simGuiListBox: a framed, scrolling list of text rows; the user picks one
// row with the mouse or the Up and Down keys, and each pick is reported to a
// script function with the row's text.
//
// Scripts add a row per `setText` ("#CLEAR" empties the list) and read the
// picked row's text with `getText`; the pick is the element's datum (the
// row's index). A row with no text is a separator: a thin line the mouse
// cannot hover or pick. The rows scroll with the wheel (while the list box
// has the focus; a new list box takes it) and a skinned scroll bar, and are
// clipped to the inside of the frame.
#pragma once

#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/graphics/simTextureRef.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiScrollParts.h"

class simTexture;

// A row of the list widgets.
struct simGuiListRow {
    std::string text;  // "" is a separator
    simTextureRef icon;
    simColour colour;
};

class simGuiListBox : public simGuiElement {
public:
    static constexpr int32_t kRowPitch = 20;
    static constexpr int32_t kIconSize = 25;

    simGuiListBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string creationText,
                  std::string changeFunction);

    std::string getTypeName() override { return "simGuiListBox"; }
    void render() override;
    // "#CLEAR" removes every row; any other text, "" included, is a new row
    // in opaque black. The pick and the scroll position stay.
    void setText(std::string text) override;
    // The picked row's text, or "" when the pick names no row.
    std::string getText() override;
    // "selectable": 0 stops hovering, picking and the keys.
    void readAttributes(const std::string& key, const std::string& value) override;
    float getValue() override { return static_cast<float>(m_parts.state(simGuiScrollParts::up)); }
    // Calls the change function with the name and the picked row's text (0
    // when no row is picked).
    void fireChange() override;
    void onEvent(simInputEvent* event) override;

    void addRow(simGuiListRow row) { m_rows.push_back(std::move(row)); }
    const std::vector<simGuiListRow>& getRows() const { return m_rows; }
    int32_t getFirstRow() const { return m_firstRow; }
    int32_t getHoverRow() const { return m_hoverRow; }
    bool hasScrollBar() const { return m_hasScrollBar; }
    const simGuiScrollParts& getScrollParts() const { return m_parts; }

private:
    // Row pitch and text indent: wider when the first row has an icon.
    int32_t pitch() const;
    int32_t rowCount() const { return static_cast<int32_t>(m_rows.size()); }
    // The row the datum names, or -1.
    int32_t pickedRow() const;
    simGuiScrollBand thumbBand();
    void scrollBarInput(const simInputEvent& event);
    void pickInput(const simInputEvent& event);

    simGuiScrollParts m_parts;
    bool m_hasScrollBar = false;
    bool m_selectable = true;
    int32_t m_hoverRow = -1;
    int32_t m_firstRow = 0;
    int32_t m_dragStartRow = 0;
    int32_t m_iconSize = kIconSize;
    std::vector<simGuiListRow> m_rows;
    std::string m_creationText;  // kept for scripts; the list box does not read it
    std::string m_changeFunction;
};
