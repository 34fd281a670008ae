#include "app/site/bars/CDlgWeatherBarModel.h"

#include "app/site/bars/tbDecimalText.h"
#include "app/site/bars/tbSiteCopy.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteNames.h"

namespace sitebars {

void WeatherBarModel::globalWindEdited(const std::string& text) {
    globalWind_ = text;
    if (tbProject_flyingsite* site = site_()) site->setWindSpeed(tbReadDecimal(text));
}

void WeatherBarModel::listSelected(int index) {
    tbCollisionObject* object = list_.itemAt(index);
    if (!object) return;
    selectArea(object);
    object->activate();
}

void WeatherBarModel::nameEdited(const std::string& text) {
    if (!selected_ || text == selected_->getName()) return;
    if (!selected_->setName(text)) {
        if (tell_) tell_(kSiteNameTooLongMessage);
    } else {
        list_.rename(selected_, selected_->getName());
        if (renamedElsewhere) renamedElsewhere(selected_);
    }
    name_ = selected_->getName();
    notify(changed);
}

void WeatherBarModel::windSpeedEdited(const std::string& text) {
    speed_ = text;
    if (selected_) selected_->setWindSpeed(tbReadDecimal(text));
}

void WeatherBarModel::turbulenceEdited(const std::string& text) {
    turbulence_ = text;
    if (selected_) selected_->setTurbulence(tbReadDecimal(text));
}

void WeatherBarModel::thermalsEdited(const std::string& text) {
    thermals_ = text;
    if (selected_) selected_->setThermals(tbReadDecimal(text));
}

void WeatherBarModel::deleteClicked() {
    tbProject_flyingsite* project = site_();
    if (!project || !selected_) return;
    const tbCollisionObject* doomed = selected_;
    project->deleteCollisionObject(selected_);
    removeArea(doomed);
    selectArea(list_.empty() ? nullptr : list_.entries().back().item);
}

void WeatherBarModel::copyClicked() {
    if (tbProject_flyingsite* project = site_(); project && selected_) tbCopyCollisionObject(*project, *selected_);
}

void WeatherBarModel::selectArea(tbCollisionObject* object) {
    auto* area = object && object->isWindArea() ? static_cast<tbCollisionObject_area*>(object) : nullptr;
    selected_ = area;
    list_.select(area);
    showSelected();
}

void WeatherBarModel::addArea(tbCollisionObject* object, bool select) {
    list_.add(object->getName(), object, false);
    if (select)
        selectArea(object);
    else
        notify(changed);
}

void WeatherBarModel::removeArea(const tbCollisionObject* object) {
    list_.remove(object);
    if (selected_ == object) {
        selected_ = nullptr;
        showSelected();
    } else {
        notify(changed);
    }
}

void WeatherBarModel::renamed(const tbCollisionObject* object) {
    if (list_.indexOf(object) < 0) return;
    list_.rename(object, object->getName());
    if (object == selected_) name_ = object->getName();
    notify(changed);
}

void WeatherBarModel::clear() {
    list_.clear();
    selected_ = nullptr;
    showSelected();
}

void WeatherBarModel::showGlobalWind(const std::string& text) {
    globalWind_ = text;
    notify(changed);
}

void WeatherBarModel::setAreaChecked(bool checked) {
    area_ = checked;
    notify(changed);
}

void WeatherBarModel::showSelected() {
    if (selected_) {
        name_ = selected_->getName();
        speed_ = tbDecimalText(selected_->getWindSpeed());
        turbulence_ = tbDecimalText(selected_->getTurbulence());
        thermals_ = tbDecimalText(selected_->getThermals());
    } else {
        name_ = kNoneSelected;
    }
    notify(changed);
}

}  // namespace sitebars
