// simGuiTable: a scrolling grid whose cells hold other GUI elements.
//
// A framed box with a 25-pixel header of column titles, dividers between the
// columns, a background for rows whose first cell has a colour, the picked
// and hovered rows highlighted, and a skinned scroll bar. Each cell places
// one element in its row, moves it with the scroll position and shows it
// only while its row is in view. The pick is the element's datum (the row).
// The host adds columns, cells and the row height in code (scripts make the
// table only); with no row height or no room under the header it shows no
// rows and picks nothing.
//
// Each table keeps an engine collection, "table_<name>_collection", for the
// elements of its cells: `clear` makes it anew, the table's destruction
// destroys it. The cells' elements belong to the table: `clear` and the
// table's destruction let go of them, so none stays on screen without it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiScrollParts.h"

class simGuiTable;
struct simGuiTableColumn;

struct simGuiTableCell {
    int32_t row = 0;
    simGuiElement* element = nullptr;
    simGuiTableColumn* owner = nullptr;
    // In the first column, any colour but opaque white is its row's background.
    simColour colour;
    bool visible = true;  // false keeps the element hidden
};

struct simGuiTableColumn {
    std::string title;
    int32_t x = 0;  // from the table's left edge
    int32_t width = 0;
    int32_t index = 0;
    std::vector<std::unique_ptr<simGuiTableCell>> cells;  // one per row, top to bottom
    simGuiTable* table = nullptr;

    // Appends a cell for the next row.
    simGuiTableCell* addCell(simGuiElement* element, const simColour& colour);
    simGuiTableCell* getCell(int32_t row) const;
};

class simGuiTable : public simGuiElement {
public:
    static constexpr int32_t kHeaderHeight = 25;

    simGuiTable(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string creationText);

    std::string getTypeName() override { return "simGuiTable"; }
    // Lets go of the table; its columns, the elements of its cells and its
    // collection go with it.
    void removeFromCollection() override;
    void render() override;
    float getValue() override { return static_cast<float>(m_parts.state(simGuiScrollParts::up)); }
    // Shows or hides at once, and every cell's element with it.
    void setVisible(bool visible) override;
    // A cell's element that is going (or replaced) is let go of.
    void replaceReference(simGuiElement* old, simGuiElement* replacement) override;
    void onEvent(simInputEvent* event) override;

    // Deletes every column with the elements of its cells and makes the
    // cells' collection anew; nothing picked, scrolled to the top.
    void clear();
    simGuiTableColumn* addColumn(std::string title, int32_t x, int32_t width);
    simGuiTableColumn* getColumn(int32_t index) const;
    void setRowHeight(int32_t height) { m_rowHeight = height; }
    int32_t getRowHeight() const { return m_rowHeight; }
    // The longest column's cell count.
    int32_t rowCount() const;
    // Rows that fit under the header; 0 without a row height.
    int32_t pageRows() const;
    int32_t getFirstRow() const { return m_firstRow; }
    int32_t getHoverRow() const { return m_hoverRow; }
    bool hasScrollBar() const { return m_hasScrollBar; }
    std::string collectionName() const { return "table_" + m_name + "_collection"; }

private:
    // Empties the columns and lets go of every cell's element.
    void deleteColumns();
    void makeCollection();
    void destroyCollection();
    void clampFirstRow();
    simGuiScrollBand thumbBand();
    void scrollBarInput(const simInputEvent& event);
    void rowInput(const simInputEvent& event);
    void layoutCells(const simGuiTableColumn& column);

    simGuiScrollParts m_parts;
    bool m_hasScrollBar = false;
    int32_t m_hoverRow = -1;
    int32_t m_firstRow = 0;
    int32_t m_dragStartRow = 0;
    int32_t m_rowHeight = 0;
    std::vector<std::unique_ptr<simGuiTableColumn>> m_columns;
    std::string m_creationText;  // kept for scripts; the table does not read it
};
