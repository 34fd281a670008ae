#include "app/site/bars/CDlg_coll_objectModel.h"

#include "app/site/bars/tbDecimalText.h"
#include "app/site/tbNamedIds.h"
#include "app/site/tbSiteNames.h"

namespace sitebars {

tbCollisionObject* ObjectEditorModel::object() const {
    tbCollisionObject* selected = bar_.site() ? bar_.selected() : nullptr;
    return selected && selected->getType() == kind_ ? selected : nullptr;
}

void ObjectEditorModel::nameEdited(const std::string& text) {
    tbCollisionObject* edited = object();
    if (!edited || text == kNoneSelected || text == edited->getName()) return;
    if (!edited->setName(text)) {
        if (tell_) tell_(kSiteNameTooLongMessage);
        name_ = edited->getName();
        notify(changed);
        return;
    }
    name_ = text;
    bar_.renamed(edited);
    if (bar_.renamedElsewhere) bar_.renamedElsewhere(edited);
    notify(changed);
}

void ObjectEditorModel::materialSelected(const std::string& name) {
    tbCollisionObject* edited = object();
    const std::optional<uint32_t> id = tbIdOfName(kSurfaceKinds, name);
    if (!edited || !id) return;
    edited->setMaterial(*id);
    material_ = tbIndexOfId(kSurfaceKinds, *id);
}

void ObjectEditorModel::drawClicked(bool checked) {
    draw_ = checked;
    if (tbCollisionObject* edited = object()) edited->setDraw(checked);
}

void ObjectEditorModel::visibleClicked(bool checked) {
    visible_ = checked;
    if (tbCollisionObject* edited = object()) edited->setVisible(checked);
}

void ObjectEditorModel::refresh() {
    name_ = kNoneSelected;
    material_ = -1;
    draw_ = visible_ = true;
    ownToggle_ = false;
    shown_ = false;
    const tbCollisionObject* shownObject = object();
    if (shownObject && bar_.toolChosen()) {
        shown_ = true;
        name_ = shownObject->getName();
        draw_ = shownObject->getDraw();
        visible_ = shownObject->isVisible();
        material_ = tbIndexOfId(kSurfaceKinds, shownObject->getMaterial());
    }
    notify(changed);
}

std::optional<float> HeightMapEditorModel::minimumHeight() const {
    return minimumOn_ ? std::optional<float>(tbReadDecimal(minimum_)) : std::nullopt;
}

std::optional<float> HeightMapEditorModel::maximumHeight() const {
    return maximumOn_ ? std::optional<float>(tbReadDecimal(maximum_)) : std::nullopt;
}

}  // namespace sitebars
