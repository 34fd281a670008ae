#include "app/site/bars/tbSiteToolBars.h"

#include <wx/textctrl.h>

#include "app/shell/tbApplication.h"
#include "app/shell/tbBarColours.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbErrorBox.h"
#include "app/shell/tbToolState.h"
#include "app/shell/tbToolbarHost.h"
#include "app/site/bars/CDlgCollisionBar.h"
#include "app/site/bars/CDlgLightingBar.h"
#include "app/site/bars/CDlgPanoBar.h"
#include "app/site/bars/CDlgPositionsBar.h"
#include "app/site/bars/CDlgToolboxFlyingSite.h"
#include "app/site/bars/CDlgWeatherBar.h"
#include "app/site/bars/CDlg_coll_object.h"
#include "app/site/bars/CDlg_coll_water.h"
#include "engine/core/utilsStrings.h"

namespace {

using Bar = tbSiteBars::Bar;

constexpr const char* kSiteBarsTitle = "Flying site";

tbBar hostBarOf(Bar bar) {
    switch (bar) {
    case Bar::collision: return tbBar::collisionBar;
    case Bar::positions: return tbBar::positionsBar;
    case Bar::weather: return tbBar::weatherBar;
    case Bar::panorama: break;
    }
    return tbBar::panoramaBar;
}

sitebars::PresenterSetup setupOf(wxWindow* mainWindow, CtolvaneBuilderApp& app, tbCommandWindows& windows) {
    sitebars::PresenterSetup setup;
    setup.tell = [](const std::string& text) { tbErrorBox(kSiteBarsTitle, text); };
    setup.panorama.chooseFile = [&windows](const tbFileRequest& request) { return windows.chooseFile(request); };
    setup.panorama.tell = setup.tell;
    setup.lighting.pickColour = [mainWindow, &app](const simColour& start) -> std::optional<simColour> {
        return tbPickColour(mainWindow, start, tbBarSwatches(app));
    };
    setup.pictureFolder = utils::joinPath(app.getProgramFolder(), "resources/environments");
    return setup;
}

}  // namespace

std::unique_ptr<sitebars::SiteBarsPresenter> tbCreateSiteToolBars(wxWindow* mainWindow, tbToolbarHost& host,
                                                                  CtolvaneBuilderApp& app,
                                                                  tbCommandWindows& windows) {
    auto presenter = std::make_unique<sitebars::SiteBarsPresenter>(setupOf(mainWindow, app, windows));
    sitebars::SiteBarsPresenter& bars = *presenter;

    auto hideSiteBars = [&host] {
        for (tbBar bar : {tbBar::panoramaBar, tbBar::lightingBar, tbBar::collisionBar, tbBar::positionsBar,
                          tbBar::weatherBar})
            host.hide(bar);
    };
    auto* toolbox = new CDlgToolboxFlyingSite(
        mainWindow, sitebars::SiteToolboxModel([&app](int32_t tool) { app.tools().setTool(tool); }, hideSiteBars));
    host.registerBar(tbBar::flyingSiteToolbox, toolbox);
    host.addToolbox(toolbox);
    host.registerBar(tbBar::panoramaBar, new CDlgPanoBar(mainWindow, bars.panorama));
    host.registerBar(tbBar::lightingBar, new CDlgLightingBar(mainWindow, bars.lighting));
    auto* collisionBar = new CDlgCollisionBar(mainWindow, bars.collision);
    host.registerBar(tbBar::collisionBar, collisionBar);
    host.registerBar(tbBar::positionsBar, new CDlgPositionsBar(mainWindow, bars.positions));
    auto* weatherBar = new CDlgWeatherBar(mainWindow, bars.weather);
    host.registerBar(tbBar::weatherBar, weatherBar);
    host.registerBar(tbBar::primitiveEditor, new CDlg_coll_primitive(mainWindow, bars.primitiveEditor));
    host.registerBar(tbBar::areaEditor, new CDlg_coll_area(mainWindow, bars.areaEditor));
    host.registerBar(tbBar::heightMapEditor, new CDlg_coll_hmap(mainWindow, bars.heightMapEditor));
    host.registerBar(tbBar::skylineEditor, new CDlg_coll_skyline(mainWindow, bars.skylineEditor));
    host.registerBar(tbBar::waterEditor, new CDlg_coll_water(mainWindow, bars.water));

    host.addToolBarFollower(&bars);
    bars.isShown = [&host](Bar bar) { return host.isShown(hostBarOf(bar)); };
    bars.isDropped = [collisionBar, weatherBar](Bar bar) {
        return (bar == Bar::collision && collisionBar->listDropped()) ||
               (bar == Bar::weather && weatherBar->listDropped());
    };
    // Keys typed into a text box are the box's, not the view's.
    bars.keyboardInView = [] { return dynamic_cast<wxTextCtrl*>(wxWindow::FindFocus()) == nullptr; };
    bars.bind();
    return presenter;
}
