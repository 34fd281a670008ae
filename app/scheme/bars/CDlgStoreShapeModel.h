// What the Shape Manager decides, without a window: the list of the
// project's stored shapes, the name to store under, and storing, restoring
// and deleting outlines.
//
// Store, restore and delete act only while the shape tool is current and a
// model scheme is open; the list shows the project's shapes in its order.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/scheme/tbStoredShapes.h"

class tbToolState;

namespace bars {

class ShapeManagerModel {
public:
    struct Operations {
        // The open model scheme's stored shapes, or null.
        std::function<tbStoredShapeList*()> shapes;
        // The model's current outline, or null without a model.
        std::function<const std::vector<tbShapePoint>*()> outline;
        // The model's shape tool takes the stored outline (no undo step).
        std::function<void(const tbStoredShape&)> restore;
    };

    ShapeManagerModel(const tbToolState& tools, Operations operations);

    // The list's lines, one per stored shape, and the selected line (-1: none).
    const std::vector<const tbStoredShape*>& lines() const { return m_lines; }
    int selection() const { return m_selection; }
    const std::string& name() const { return m_name; }

    // Empties the list and fills it again from the open project.
    void refreshList();
    // The list's selection changed: the line's name goes into the name edit.
    void lineSelected(int line);
    // The name edit's text.
    void setName(std::string name) { m_name = std::move(name); }
    // "Store shape": keeps the current outline under the name, with " copy"
    // appended while the name is taken; an empty name keeps nothing.
    void storeShape();
    // "Restore shape" and a double click on a line.
    void restoreShape();
    // "Delete shape": the selected stored shape goes.
    void deleteShape();

private:
    bool acts() const;
    const tbStoredShape* selected() const;

    const tbToolState& m_tools;
    Operations m_ops;
    std::vector<const tbStoredShape*> m_lines;
    int m_selection = -1;
    std::string m_name = "New Shape";
};

}  // namespace bars
