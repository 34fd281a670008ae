#include "app/site/bars/tbSiteBarsPresenter.h"

#include <utility>

#include "app/site/tbCollisionObject.h"

namespace sitebars {

SiteBarsPresenter::SiteBarsPresenter(PresenterSetup setup)
    : collision(setup.site),
      positions(setup.site, setup.tell),
      weather(setup.site, setup.tell),
      panorama(setup.site, std::move(setup.panorama), setup.pictureFolder),
      lighting(setup.site, std::move(setup.lighting)),
      water(setup.site),
      primitiveEditor(tbCollisionObject::type_primitive, collision, setup.tell),
      areaEditor(tbCollisionObject::type_area, collision, setup.tell),
      heightMapEditor(collision, setup.tell),
      skylineEditor(tbCollisionObject::type_skyline, collision, setup.tell) {
    collision.refreshEditors = [this] {
        primitiveEditor.refresh();
        areaEditor.refresh();
        heightMapEditor.refresh();
        skylineEditor.refresh();
    };
    collision.showWaterEditor = [this](bool shown) { water.setShown(shown); };
    // A click in the view either puts the chosen object down or paints the
    // water, never both: the placing click would paint a dab into the mask
    // under the new object, the brush stroke's release would put an object
    // down where it ended.
    collision.typeChosen = [this] { water.endEditing(); };
    water.editingStarted = [this] { collision.uncheckTypes(); };
    weather.renamedElsewhere = [this](const tbCollisionObject* object) { collision.renamed(object); };
    collision.renamedElsewhere = [this](const tbCollisionObject* object) { weather.renamed(object); };
}

SiteBarsPresenter::~SiteBarsPresenter() {
    if (!bound_) return;
    tbBindSiteBars(previousBars_);
    tbSiteEditorSettings::install(previousSettings_);
    tbSiteSelectionBars::install(previousSelection_);
}

void SiteBarsPresenter::bind() {
    if (bound_) return;
    bound_ = true;
    previousBars_ = tbBindSiteBars(this);
    previousSettings_ = tbSiteEditorSettings::installed();
    tbSiteEditorSettings::install(this);
    previousSelection_ = tbSiteSelectionBars::installed();
    tbSiteSelectionBars::install(this);
}

ObjectEditorModel* SiteBarsPresenter::editorOf(Toggle toggle) {
    return const_cast<ObjectEditorModel*>(std::as_const(*this).editorOf(toggle));
}

const ObjectEditorModel* SiteBarsPresenter::editorOf(Toggle toggle) const {
    switch (toggle) {
    case Toggle::areaEdit: return &areaEditor;
    case Toggle::skylineEdit: return &skylineEditor;
    case Toggle::heightMapEdit: return &heightMapEditor;
    default: return nullptr;
    }
}

bool SiteBarsPresenter::isChecked(Toggle toggle) const {
    if (toggle == Toggle::windArea) return weather.areaChecked();
    if (toggle == Toggle::newPosition) return positions.newChecked();
    if (const ObjectEditorModel* editor = editorOf(toggle)) return editor->ownToggle();
    return collision.isChecked(toggle);
}

void SiteBarsPresenter::setChecked(Toggle toggle, bool checked) {
    if (toggle == Toggle::windArea)
        weather.setAreaChecked(checked);
    else if (toggle == Toggle::newPosition)
        positions.setNewChecked(checked);
    else if (ObjectEditorModel* editor = editorOf(toggle))
        editor->setOwnToggle(checked);
    else
        collision.setChecked(toggle, checked);
}

void SiteBarsPresenter::listObject(Bar bar, tbCollisionObject* object, bool select) {
    if (bar == Bar::weather)
        weather.addArea(object, select);
    else if (bar == Bar::collision)
        collision.addObject(object, select);
}

void SiteBarsPresenter::listPosition(tbFlyingSitePosition* position, bool select) {
    positions.addPosition(position, select);
}

void SiteBarsPresenter::unlistObject(tbCollisionObject* object) {
    collision.removeObject(object);
    weather.removeArea(object);
}

void SiteBarsPresenter::unlistPosition(tbFlyingSitePosition* position) { positions.removePosition(position); }

void SiteBarsPresenter::clearLists() {
    collision.clear();
    weather.clear();
    positions.clear();
}

}  // namespace sitebars
