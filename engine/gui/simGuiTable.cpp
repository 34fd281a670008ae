#include "engine/gui/simGuiTable.h"

#include <algorithm>

#include "engine/core/simCollectionItem.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/simResources.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiSkin.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kPickedColour = 0x9B5CBEFFu;
constexpr uint32_t kHoverColour = 0x4B5CBEFFu;

bool isOpaqueWhite(const simColour& colour) { return colour.toARGB() == kWhite; }

}  // namespace

simGuiTableCell* simGuiTableColumn::addCell(simGuiElement* element, const simColour& colour) {
    auto cell = std::make_unique<simGuiTableCell>();
    cell->row = static_cast<int32_t>(cells.size());
    cell->element = element;
    cell->owner = this;
    cell->colour = colour;
    cells.push_back(std::move(cell));
    return cells.back().get();
}

simGuiTableCell* simGuiTableColumn::getCell(int32_t row) const {
    return row >= 0 && row < static_cast<int32_t>(cells.size()) ? cells[static_cast<size_t>(row)].get() : nullptr;
}

simGuiTable::simGuiTable(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                         std::string creationText)
    : simGuiElement(std::move(name), x, y, width, height), m_creationText(std::move(creationText)) {
    if (g_guiElementManager) g_guiElementManager->focusElement = this;
    makeCollection();
}

void simGuiTable::makeCollection() {
    // A named collection registers itself with the registry, which keeps it.
    if (g_resources) new simCollectionItem(nullptr, collectionName(), true, false);
}

void simGuiTable::destroyCollection() {
    if (!g_resources) return;
    // A collection let go earlier in this frame is still registered until
    // it is purged: the live one of the name is the one to let go.
    const std::vector<simCollectionItem*> collections = g_resources->getCollections();
    for (simCollectionItem* collection : collections)
        if (collection->getName() == collectionName() && !collection->isMarkedForDeletion())
            collection->removeFromCollection(nullptr, false);
}

void simGuiTable::removeFromCollection() {
    simGuiElement::removeFromCollection();
    // The table is going: its cells and collection go too, and the
    // collection is not made again.
    deleteColumns();
    destroyCollection();
}

void simGuiTable::deleteColumns() {
    // Taken out first: letting go of a cell's element may come back here
    // (an element placed in its own table's cell).
    const std::vector<std::unique_ptr<simGuiTableColumn>> columns = std::move(m_columns);
    m_columns.clear();
    for (const auto& column : columns)
        for (const auto& cell : column->cells)
            if (cell->element) cell->element->removeFromCollection();
}

void simGuiTable::clear() {
    deleteColumns();
    destroyCollection();
    makeCollection();
    m_hoverRow = -1;
    m_data = -1.0f;
    m_firstRow = 0;
    m_dragStartRow = 0;
    m_hasScrollBar = false;
}

simGuiTableColumn* simGuiTable::addColumn(std::string title, int32_t x, int32_t width) {
    auto column = std::make_unique<simGuiTableColumn>();
    column->title = std::move(title);
    column->x = x;
    column->width = width;
    column->index = static_cast<int32_t>(m_columns.size());
    column->table = this;
    m_columns.push_back(std::move(column));
    return m_columns.back().get();
}

simGuiTableColumn* simGuiTable::getColumn(int32_t index) const {
    return index >= 0 && index < static_cast<int32_t>(m_columns.size()) ? m_columns[static_cast<size_t>(index)].get()
                                                                        : nullptr;
}

int32_t simGuiTable::rowCount() const {
    size_t longest = 0;
    for (const auto& column : m_columns) longest = std::max(longest, column->cells.size());
    return static_cast<int32_t>(longest);
}

int32_t simGuiTable::pageRows() const {
    if (m_rowHeight <= 0) return 0;
    return std::max(0, (m_height - kHeaderHeight) / m_rowHeight);
}

void simGuiTable::setVisible(bool visible) {
    simGuiElement::setVisible(visible);
    for (const auto& column : m_columns)
        for (const auto& cell : column->cells)
            if (cell->visible != visible) {
                cell->visible = visible;
                if (cell->element) cell->element->setVisible(visible);
            }
}

void simGuiTable::replaceReference(simGuiElement* old, simGuiElement* replacement) {
    for (const auto& column : m_columns)
        for (const auto& cell : column->cells)
            if (cell->element == old) cell->element = replacement;
}

void simGuiTable::clampFirstRow() {
    const int32_t n = rowCount(), page = pageRows();
    if (m_firstRow < 0) m_firstRow = 0;
    if (n > page && m_firstRow + page > n) m_firstRow = n - page;
}

simGuiScrollBand simGuiTable::thumbBand() {
    const double y = getY(), h = m_height, n = rowCount();
    return {simGuiThumbEdge(y + 26, h - 52, m_firstRow, n), simGuiThumbEdge(y + 26, h - 52, m_firstRow + pageRows(), n)};
}

void simGuiTable::scrollBarInput(const simInputEvent& event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    const int32_t x = getX(), y = getY(), w = m_width, h = m_height, n = rowCount(), page = pageRows();
    if (event.type == simInputEvent_wheel && hasFocus())
        m_firstRow += event.wheelDirection ? 1 : -1;
    const int32_t track = h - 52;
    // A table no taller than its two arrows has no track to drag along.
    if (event.type == simInputEvent_mouseMove && m_parts.isThumbPressed() && mouse &&
        mouse->isDragging(simMouseButton_left) && track > 0 && n > 0) {
        // The rows follow the mouse's travel since the press, a track's length to all the rows.
        m_firstRow = simGuiThumbEdge(m_dragStartRow, n, event.y - mouse->getPressY(simMouseButton_left), track);
    }
    const simGuiScrollBand thumb = thumbBand();
    if (event.type == simInputEvent_mouseButton && event.button == simMouseButton_left &&
        event.buttonState == simButtonState_released && x + w - 26 < event.x && event.x < x + w) {
        if (y + 26 < event.y && event.y < thumb.top) m_firstRow = std::max(0, m_firstRow - page);
        if (thumb.bottom < event.y && event.y < y + h - 26) {
            m_firstRow += page;
            clampFirstRow();
        }
    }
    simGuiScrollParts::Layout layout;
    layout.columnLeft = x + w - 26;
    layout.columnRight = x + w;
    layout.bands = {simGuiScrollBand{y, y + 26}, simGuiScrollBand{y + h - 26, y + h}, thumb};
    const simGuiScrollParts::Outcome outcome = m_parts.onEvent(event, layout);
    if (outcome.pressed) m_dragStartRow = m_firstRow;
    m_firstRow += outcome.step;
    clampFirstRow();
}

void simGuiTable::rowInput(const simInputEvent& event) {
    const int32_t n = rowCount();
    if (event.type == simInputEvent_mouseMove) {
        m_hoverRow = -1;
        const int32_t x = getX(), y = getY();
        // Rows start at the header's bottom; the header itself is no row.
        if (!m_parts.isThumbPressed() && x < event.x && event.x < x + m_width - 25 && y + kHeaderHeight < event.y &&
            event.y < y + m_height) {
            const int32_t inView = (event.y - y - kHeaderHeight) / m_rowHeight;
            m_hoverRow = inView < pageRows() ? inView + m_firstRow : -1;
            if (m_hoverRow > n - 1 || m_hoverRow < 0) m_hoverRow = -1;
        }
    }
    if (!m_parts.isThumbPressed() && m_hoverRow != -1 && event.type == simInputEvent_mouseButton &&
        event.button == simMouseButton_left && event.buttonState == simButtonState_released) {
        setData(static_cast<float>(m_hoverRow));
        fireChange();
    }
    const int32_t row = hasFocus() ? simGuiRowAfterArrowKey(event, m_data, n) : -1;
    if (row >= 0) {
        setData(static_cast<float>(row));
        fireChange();
    }
}

void simGuiTable::onEvent(simInputEvent* event) {
    // The table acts on events that another element has taken too.
    if (!event || !m_visible || !m_enabled || isMarkedForDeletion()) return;
    simGuiElement::onEvent(event);
    if (m_hasScrollBar) scrollBarInput(*event);
    if (m_rowHeight > 0 && !m_columns.empty() && pageRows() > 0) rowInput(*event);
}

void simGuiTable::layoutCells(const simGuiTableColumn& column) {
    const int32_t h = m_height;
    for (const auto& cell : column.cells) {
        simGuiElement* element = cell->element;
        if (!element) continue;
        const auto offset =
            static_cast<int32_t>(static_cast<float>(cell->row * m_rowHeight) + static_cast<float>(m_rowHeight) * 0.5f -
                                 static_cast<float>(element->getHeight()) * 0.5f -
                                 static_cast<float>(m_firstRow * m_rowHeight));
        element->moveResize(m_x + 5 + column.x, m_y + kHeaderHeight + offset, kKeepCoordinate, kKeepCoordinate, 0.0f);
        const bool inView = m_rowHeight > 0 && offset >= 0 && offset + m_rowHeight < h - kHeaderHeight;
        element->setVisible(inView && cell->visible && m_visible);
    }
}

void simGuiTable::render() {
    if (!m_visible || m_fadingOut) return;
    simGuiElement::render();
    if (!g_guiElementManager) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    simTexture* theme = g_guiElementManager->themeTexture;
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);

    // The frame: 16 x 18 corners at the left, 18 x 18 at the right.
    std::vector<simScreenRect> frame;
    const float sx[4] = {x, x + 16, x + w - 18, x + w}, sy[4] = {y, y + 18, y + h - 18, y + h};
    const float ax[4] = {128, 144, 146, 164}, ay[4] = {128, 145, 147, 164};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            frame.push_back(atlasPiece(sx[col], sy[row], sx[col + 1], sy[row + 1], kWhite, ax[col], ay[row],
                                       ax[col + 1], ay[row + 1]));
    if (theme) canvas.drawRects(frame, theme);

    const int32_t n = rowCount(), page = pageRows();
    m_hasScrollBar = page > 0 && page < n;
    if (!m_columns.empty() && page > 0) {
        std::vector<simScreenRect> bands;
        const int32_t picked = m_data >= 0.0f && m_data < static_cast<float>(n) ? static_cast<int32_t>(m_data) : -1;
        const float right = m_hasScrollBar ? x + w - 34 : x + w - 2;
        for (int32_t r = m_firstRow, i = 0; r < n && i < page; ++r, ++i) {
            const float top = y + static_cast<float>(kHeaderHeight + m_rowHeight * i);
            const float bottom = top + static_cast<float>(m_rowHeight);
            const simGuiTableCell* first = m_columns.front()->getCell(r);
            if (first && !isOpaqueWhite(first->colour))
                bands.emplace_back(d3dx::Vector2{x + 2, top}, d3dx::Vector2{x + w - 2, bottom}, first->colour.toARGB());
            if (r == picked) bands.emplace_back(d3dx::Vector2{x + 2, top}, d3dx::Vector2{right, bottom}, kPickedColour);
            else if (r == m_hoverRow)
                bands.emplace_back(d3dx::Vector2{x + 2, top}, d3dx::Vector2{right, bottom}, kHoverColour);
        }
        if (!bands.empty()) canvas.drawRects(bands, nullptr);
    }

    simColour titleColour;
    titleColour.set(255, 255, 255, 255);
    for (const auto& column : m_columns) {
        if (column.get() != m_columns.back().get() && theme) {
            const float dx = x + static_cast<float>(column->x + column->width);
            canvas.drawRects({atlasPiece(dx + 1, y + 2, dx + 3, y + 17, kWhite, 144, 130, 146, 132),
                              atlasPiece(dx + 1, y + 20, dx + 3, y + h - 4, kWhite, 144, 147, 146, 149)},
                             theme);
        }
        const float titleHeight = canvas.measureText(m_font, column->title).y;
        canvas.drawText(m_font, column->title, x + 10 + static_cast<float>(column->x),
                        static_cast<float>(static_cast<int32_t>(y + kHeaderHeight * 0.5f - titleHeight * 0.5f)),
                        titleColour, false);
        layoutCells(*column);
    }

    if (m_hasScrollBar) {
        std::vector<simScreenRect> pieces;
        const float count = static_cast<float>(n);
        buildScrollBarGeometry(x, y, x + w, y + h, m_parts.skinStates(), static_cast<float>(m_firstRow) / count,
                               static_cast<float>(m_firstRow + page) / count, pieces);
        if (!pieces.empty() && theme) canvas.drawRects(pieces, theme);
    }
}
