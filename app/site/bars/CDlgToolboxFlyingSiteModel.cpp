#include "app/site/bars/CDlgToolboxFlyingSiteModel.h"

namespace sitebars {

const SiteToolButton* SiteToolboxModel::buttonOfId(int id) {
    for (const SiteToolButton& button : kButtons)
        if (button.id == id) return &button;
    return nullptr;
}

const SiteToolButton* SiteToolboxModel::buttonOf(tbToolButton which) {
    for (const SiteToolButton& button : kButtons)
        if (button.button == which) return &button;
    return nullptr;
}

void SiteToolboxModel::toolClicked(int id) const {
    if (const SiteToolButton* button = buttonOfId(id); button && setTool_) setTool_(button->tool);
}

void SiteToolboxModel::closed() const {
    if (hideBars_) hideBars_();
}

}  // namespace sitebars
