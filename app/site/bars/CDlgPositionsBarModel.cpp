#include "app/site/bars/CDlgPositionsBarModel.h"

#include "app/site/tbNamedIds.h"
#include "app/site/bars/tbSiteCopy.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbFlyingSitePositionKinds.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteNames.h"

namespace sitebars {

void PositionsBarModel::listSelected(int index) {
    tbFlyingSitePosition* position = list_.itemAt(index);
    if (!site_() || !position) return;
    selectPosition(position);
    position->activate();
}

void PositionsBarModel::nameEdited(const std::string& text) {
    if (!selected_ || text == selected_->getName()) return;
    if (!selected_->setName(text)) {
        if (tell_) tell_(kSiteNameTooLongMessage);
    } else {
        list_.rename(selected_, selected_->getName());
    }
    name_ = selected_->getName();
    notify(changed);
}

void PositionsBarModel::kindSelected(const std::string& name) {
    const std::optional<uint32_t> id = tbIdOfName(kPositionKinds, name);
    if (!selected_ || !id) return;
    selected_->setKind(*id);
    kind_ = tbIndexOfId(kPositionKinds, *id);
}

void PositionsBarModel::deleteClicked() {
    tbProject_flyingsite* project = site_();
    if (!project || !selected_) return;
    const tbFlyingSitePosition* doomed = selected_;
    project->deletePosition(selected_);
    removePosition(doomed);
    if (list_.empty()) {
        selectPosition(nullptr);
        return;
    }
    tbFlyingSitePosition* last = list_.entries().back().item;
    selectPosition(last);
    last->activate();
}

void PositionsBarModel::copyClicked() {
    if (tbProject_flyingsite* project = site_(); project && selected_) tbCopyPosition(*project, *selected_);
}

void PositionsBarModel::selectPosition(tbFlyingSitePosition* position) {
    if (position == selected_) return;
    selected_ = position;
    list_.select(position);
    if (position) {
        name_ = position->getName();
        kind_ = tbIndexOfId(kPositionKinds, position->getKind());
    } else {
        name_ = kNoneSelected;
    }
    notify(changed);
}

void PositionsBarModel::addPosition(tbFlyingSitePosition* position, bool select) {
    list_.add(position->getName(), position, false);
    if (select) selectPosition(position);
    notify(changed);
}

void PositionsBarModel::removePosition(const tbFlyingSitePosition* position) {
    list_.remove(position);
    if (selected_ == position) {
        selected_ = nullptr;
        name_ = kNoneSelected;
    }
    notify(changed);
}

void PositionsBarModel::clear() {
    list_.clear();
    selected_ = nullptr;
    name_ = kNoneSelected;
    notify(changed);
}

void PositionsBarModel::setNewChecked(bool checked) {
    new_ = checked;
    notify(changed);
}

}  // namespace sitebars
