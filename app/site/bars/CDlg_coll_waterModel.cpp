#include "app/site/bars/CDlg_coll_waterModel.h"

#include "app/site/tbProject_flyingsite.h"
#include "engine/core/simColour.h"

namespace sitebars {

void WaterEditorModel::enabledClicked(bool checked) {
    enabled_ = checked;
    if (tbProject_flyingsite* site = site_()) site->setWaterEnabled(checked);
}

void WaterEditorModel::editClicked(bool checked) {
    editing_ = checked;
    if (checked && editingStarted) editingStarted();
}

void WaterEditorModel::opaqueClicked() {
    if (tbProject_flyingsite* site = site_()) site->fillWaterMask(simColour::fromARGB(0xFFFFFFFFu));
}

void WaterEditorModel::clearClicked() {
    if (tbProject_flyingsite* site = site_()) site->fillWaterMask(simColour::fromARGB(0xFF000000u));
}

void WaterEditorModel::showEnabled(bool enabled) {
    enabled_ = enabled;
    notify(changed);
}

void WaterEditorModel::endEditing() {
    if (!editing_) return;
    editing_ = false;
    notify(changed);
}

}  // namespace sitebars
