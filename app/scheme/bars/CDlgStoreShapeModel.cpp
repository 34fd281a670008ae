#include "app/scheme/bars/CDlgStoreShapeModel.h"

#include "app/shell/tbToolState.h"
#include "app/shell/tbToolTable.h"

namespace bars {

ShapeManagerModel::ShapeManagerModel(const tbToolState& tools, Operations operations)
    : m_tools(tools), m_ops(std::move(operations)) {}

bool ShapeManagerModel::acts() const {
    return m_tools.tool() == kToolShape && m_ops.shapes && m_ops.shapes() != nullptr;
}

// The selected line's shape while the open project still holds it: a line
// left from a project that has gone points at nothing.
const tbStoredShape* ShapeManagerModel::selected() const {
    if (m_selection < 0 || static_cast<size_t>(m_selection) >= m_lines.size()) return nullptr;
    const tbStoredShape* line = m_lines[static_cast<size_t>(m_selection)];
    const tbStoredShapeList* shapes = m_ops.shapes ? m_ops.shapes() : nullptr;
    if (!shapes) return nullptr;
    for (const auto& shape : *shapes) {
        if (shape.get() == line) return line;
    }
    return nullptr;
}

void ShapeManagerModel::refreshList() {
    m_lines.clear();
    m_selection = -1;
    const tbStoredShapeList* shapes = m_ops.shapes ? m_ops.shapes() : nullptr;
    if (!shapes) return;
    for (const auto& shape : *shapes) m_lines.push_back(shape.get());
}

void ShapeManagerModel::lineSelected(int line) {
    m_selection = line;
    if (const tbStoredShape* shape = selected()) m_name = shape->name;
}

void ShapeManagerModel::storeShape() {
    if (!acts()) return;
    const std::vector<tbShapePoint>* outline = m_ops.outline ? m_ops.outline() : nullptr;
    if (!outline) return;
    if (tbStoreShape(*m_ops.shapes(), m_name, *outline)) refreshList();
}

void ShapeManagerModel::restoreShape() {
    if (!acts()) return;
    const tbStoredShape* shape = selected();
    if (shape && m_ops.restore) m_ops.restore(*shape);
}

void ShapeManagerModel::deleteShape() {
    if (!acts()) return;
    if (tbDeleteStoredShape(*m_ops.shapes(), selected())) refreshList();
}

}  // namespace bars
