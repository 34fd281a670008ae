// The flying site's bars and editors as one presenter: the collision,
// positions, weather, panorama and lighting bars and the five editors, each
// a model of its own, wired together (the collision bar's selection
// refreshes the object editors, a rename shows in every list) and answering
// the project (tbSiteBars), the objects (tbSiteEditorSettings), the
// objects' selection callbacks (tbSiteSelectionBars) and the tool changes
// (tbToolStateView) from the same state the windows show. The windows bind
// to the models; tests drive the models.
#pragma once

#include <functional>
#include <string>

#include "app/shell/tbToolStateView.h"
#include "app/site/bars/CDlgCollisionBarModel.h"
#include "app/site/bars/CDlgLightingBarModel.h"
#include "app/site/bars/CDlgPanoBarModel.h"
#include "app/site/bars/CDlgPositionsBarModel.h"
#include "app/site/bars/CDlgWeatherBarModel.h"
#include "app/site/bars/CDlg_coll_objectModel.h"
#include "app/site/bars/CDlg_coll_waterModel.h"
#include "app/site/tbSiteBars.h"
#include "app/site/tbSiteEditorSettings.h"
#include "app/site/tbSiteSelectionBars.h"

namespace sitebars {

struct PresenterSetup {
    SiteAccess site = currentSite();
    PanoBarModel::Operations panorama;
    LightingBarModel::Operations lighting;
    std::string pictureFolder;  // where the panorama's picture browser starts
    // A message box (a refused name).
    std::function<void(const std::string&)> tell;
};

class SiteBarsPresenter : public tbSiteBars,
                          public tbSiteEditorSettings,
                          public tbSiteSelectionBars,
                          public tbToolStateView {
public:
    explicit SiteBarsPresenter(PresenterSetup setup);
    ~SiteBarsPresenter() override;
    SiteBarsPresenter(const SiteBarsPresenter&) = delete;
    SiteBarsPresenter& operator=(const SiteBarsPresenter&) = delete;

    // Makes this the project's bars, the objects' settings and the
    // selection callbacks' bars, until destroyed.
    void bind();

    // Whether a bar's window is shown, whether its list is dropped down,
    // whether the 3-D view has the keyboard: the windows answer these.
    std::function<bool(Bar)> isShown;
    std::function<bool(Bar)> isDropped;
    std::function<bool()> keyboardInView;

    CollisionBarModel collision;
    PositionsBarModel positions;
    WeatherBarModel weather;
    PanoBarModel panorama;
    LightingBarModel lighting;
    WaterEditorModel water;
    ObjectEditorModel primitiveEditor;
    ObjectEditorModel areaEditor;
    HeightMapEditorModel heightMapEditor;
    ObjectEditorModel skylineEditor;

    // ---- tbSiteBars.
    bool isVisible(Bar bar) const override { return isShown && isShown(bar); }
    bool isComboDropped(Bar bar) const override { return isDropped && isDropped(bar); }
    bool isChecked(Toggle toggle) const override;
    void setChecked(Toggle toggle, bool checked) override;
    void listObject(Bar bar, tbCollisionObject* object, bool select) override;
    void listPosition(tbFlyingSitePosition* position, bool select) override;
    void unlistObject(tbCollisionObject* object) override;
    void unlistPosition(tbFlyingSitePosition* position) override;
    void clearLists() override;
    void showWindSpeed(const std::string& text) override { weather.showGlobalWind(text); }
    void showWaterEnabled(bool enabled) override { water.showEnabled(enabled); }
    void showPanorama(uint32_t imageMode, bool interior, bool reverb, const std::string& ambientSound) override {
        panorama.showPanorama(imageMode, interior, reverb, ambientSound);
    }
    bool isWaterEditing() const override { return collision.isChecked(Toggle::water) && water.editing(); }
    int waterBrushRadius() const override { return water.radius(); }
    int waterBrushStrength() const override { return water.strength(); }
    bool waterBrushClears() const override { return water.clears(); }

    // ---- tbSiteEditorSettings.
    bool areaEditPoints() const override { return areaEditor.ownToggle(); }
    bool skylineEditPoints() const override { return skylineEditor.ownToggle(); }
    bool heightMapEditSurface() const override { return heightMapEditor.ownToggle(); }
    int brushRadius() const override { return heightMapEditor.radius(); }
    int brushStrength() const override { return heightMapEditor.strength(); }
    bool depress() const override { return heightMapEditor.depress(); }
    std::optional<float> minimumHeight() const override { return heightMapEditor.minimumHeight(); }
    std::optional<float> maximumHeight() const override { return heightMapEditor.maximumHeight(); }
    bool viewHasKeyboard() const override { return !keyboardInView || keyboardInView(); }

    // ---- tbSiteSelectionBars.
    const tbCollisionObject* collisionBarObject() const override { return collision.selected(); }
    void showInCollisionBar(tbCollisionObject* object) override { collision.selectObject(object); }
    void showInWeatherBar(tbCollisionObject* object) override { weather.selectArea(object); }
    const tbFlyingSitePosition* positionsBarPosition() const override { return positions.selected(); }
    void showInPositionsBar(tbFlyingSitePosition* position) override { positions.selectPosition(position); }

    // ---- tbToolStateView (a follower of the tool bars): the editors go
    // with the collision tool.
    void hideToolBars() override { collision.setToolChosen(false); }
    void showToolBar(tbToolBar bar) override { collision.setToolChosen(bar == tbToolBar::collision); }

private:
    ObjectEditorModel* editorOf(Toggle toggle);
    const ObjectEditorModel* editorOf(Toggle toggle) const;

    bool bound_ = false;
    tbSiteBars* previousBars_ = nullptr;
    tbSiteEditorSettings* previousSettings_ = nullptr;
    tbSiteSelectionBars* previousSelection_ = nullptr;
};

}  // namespace sitebars
