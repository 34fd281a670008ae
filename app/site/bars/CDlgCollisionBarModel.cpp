#include "app/site/bars/CDlgCollisionBarModel.h"

#include "app/site/bars/tbSiteCopy.h"
#include "app/site/tbCollisionObject.h"
#include "app/site/tbProject_flyingsite.h"

namespace sitebars {

const TypeToggle* CollisionBarModel::typeToggleOf(int id) {
    for (const TypeToggle& toggle : kTypeToggles)
        if (toggle.id == id) return &toggle;
    return nullptr;
}

void CollisionBarModel::typeClicked(int id, bool nowChecked) {
    const TypeToggle* clicked = typeToggleOf(id);
    if (!clicked) return;
    const size_t index = size_t(clicked - kTypeToggles.data());
    types_[index] = nowChecked;
    if (nowChecked) {
        types_.fill(false);
        types_[index] = true;
        deselect();
        if (typeChosen) typeChosen();
    }
    notify(changed);
}

void CollisionBarModel::waterClicked(bool nowChecked) {
    water_ = nowChecked;
    if (site()) {
        if (showWaterEditor) showWaterEditor(nowChecked);
        deselect();
    }
    notify(changed);
}

void CollisionBarModel::listSelected(int index) {
    tbCollisionObject* object = list_.itemAt(index);
    if (!site() || !object) return;
    selectObject(object);
    object->activate();
}

void CollisionBarModel::deleteClicked() {
    tbProject_flyingsite* project = site();
    if (!project || !selected_) return;
    // The project takes it out of every list (and this selection) first.
    const tbCollisionObject* doomed = selected_;
    project->deleteCollisionObject(selected_);
    removeObject(doomed);
    if (list_.empty()) {
        selectObject(nullptr);
        return;
    }
    tbCollisionObject* last = list_.entries().back().item;
    selectObject(last);
    last->activate();
}

void CollisionBarModel::copyClicked() {
    if (tbProject_flyingsite* project = site(); project && selected_) tbCopyCollisionObject(*project, *selected_);
}

void CollisionBarModel::selectObject(tbCollisionObject* object) {
    if (object != selected_) {
        selected_ = object;
        list_.select(object);
    }
    refresh();
}

void CollisionBarModel::addObject(tbCollisionObject* object, bool select) {
    list_.add(object->getName(), object, false);
    if (select)
        selectObject(object);
    else
        refresh();
}

void CollisionBarModel::removeObject(const tbCollisionObject* object) {
    list_.remove(object);
    if (selected_ == object) selected_ = nullptr;
    refresh();
}

void CollisionBarModel::renamed(const tbCollisionObject* object) {
    if (list_.indexOf(object) < 0) return;
    list_.rename(object, object->getName());
    notify(changed);
}

void CollisionBarModel::clear() {
    list_.clear();
    selected_ = nullptr;
    refresh();
}

void CollisionBarModel::setToolChosen(bool chosen) {
    if (chosen == toolChosen_) return;
    toolChosen_ = chosen;
    if (refreshEditors) refreshEditors();
    if (showWaterEditor) showWaterEditor(chosen && water_);
}

bool CollisionBarModel::isChecked(Toggle toggle) const {
    if (toggle == Toggle::water) return water_;
    for (size_t i = 0; i < kTypeToggles.size(); ++i)
        if (kTypeToggles[i].toggle == toggle) return types_[i];
    return false;
}

void CollisionBarModel::setChecked(Toggle toggle, bool checked) {
    if (toggle == Toggle::water) water_ = checked;
    for (size_t i = 0; i < kTypeToggles.size(); ++i)
        if (kTypeToggles[i].toggle == toggle) types_[i] = checked;
    notify(changed);
}

void CollisionBarModel::uncheckTypes() {
    types_.fill(false);
    notify(changed);
}

void CollisionBarModel::deselect() {
    if (selected_) selected_->deactivate();
    selectObject(nullptr);
}

void CollisionBarModel::refresh() {
    if (refreshEditors) refreshEditors();
    notify(changed);
}

}  // namespace sitebars
