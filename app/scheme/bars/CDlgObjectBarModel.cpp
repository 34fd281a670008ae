#include "app/scheme/bars/CDlgObjectBarModel.h"

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryObject.h"

namespace bars {

void ObjectBarModel::pageClicked(ObjectPage button, bool nowPressed) {
    pages_.clicked(button == ObjectPage::visible, nowPressed);
}

const char* ObjectBarModel::untickCaption() const {
    return page() == ObjectPage::enabled ? "Disable all" : "Hide all";
}

const char* ObjectBarModel::tickCaption() const {
    return page() == ObjectPage::enabled ? "Enable all" : "Show all";
}

namespace {

void addRows(tbGeometryObject& object, int parent, std::vector<ObjectTreeRow>& rows) {
    int under = parent;
    if (object.kind == tbGeometryObject::kOrdinary) {
        if (parent >= 0) rows[static_cast<size_t>(parent)].hasChildren = true;
        under = static_cast<int>(rows.size());
        rows.push_back({&object, parent, false});
    }
    for (const auto& child : object.children) addRows(*child, under, rows);
}

}  // namespace

std::vector<ObjectTreeRow> ObjectBarModel::treeRows(const std::vector<std::unique_ptr<tbGeometryObject>>& roots) {
    std::vector<ObjectTreeRow> rows;
    for (const auto& root : roots) addRows(*root, -1, rows);
    return rows;
}

bool ObjectBarModel::ticked(const tbGeometryObject& object, ObjectPage page) {
    return page == ObjectPage::enabled ? object.isEnabled() : object.isVisible();
}

void ObjectBarModel::setTicked(tbGeometryObject& object, ObjectPage page, bool ticked) {
    (page == ObjectPage::enabled ? object.enabled : object.visible) = ticked ? 1 : 0;
    // Its triangles were left out of every projection while it was off: a
    // camera move since then would leave it picked where it used to show.
    if (ticked && object.owner) object.owner->updateTriangleScreenPositions(object);
}

}  // namespace bars
