#include "app/scheme/bars/tbPaintingBars.h"

#include <span>

#include <wx/window.h>

#include "app/scheme/bars/CDlgBrushPicker.h"
#include "app/scheme/bars/CDlgBrushShapePicker.h"
#include "app/scheme/bars/CDlgFloodBar.h"
#include "app/scheme/bars/CDlgMirrorBar.h"
#include "app/scheme/bars/CDlgObjectBar.h"
#include "app/scheme/bars/CDlgToolbox.h"
#include "app/shell/tbBarColours.h"
#include "app/scheme/bars/tbBarPictures.h"
#include "app/scheme/bars/tbDecalTexture.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "app/scheme/tbGeometryTool_mirror.h"
#include "app/scheme/tbProject_model.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbToolbarHost.h"

namespace {

// The bars the toolbox's close box hides with it.
constexpr tbBar kPaintingBars[] = {tbBar::brushBar,        tbBar::brushShapePicker, tbBar::shapeBar,
                                   tbBar::floodFillBar,    tbBar::projectImageBar,  tbBar::uvMappingBar,
                                   tbBar::textBar,         tbBar::textEditor,       tbBar::mirrorBar};

}  // namespace

void tbCreatePaintingBars(wxWindow* mainWindow, tbToolbarHost& host, CtolvaneBuilderApp& app) {
    tbToolState& tools = app.tools();
    const std::span<simColour, shell::kSwatchCount> swatches = tbBarSwatches(app);
    tbToolSettingsBinding& binding = tbBarSettings();

    auto* toolbox = new CDlgToolbox(mainWindow, tools, swatches, [&host] {
        for (const tbBar bar : kPaintingBars) host.hide(bar);
    });
    host.registerBar(tbBar::toolbox, toolbox);
    host.addToolbox(toolbox);

    auto currentObjects = []() -> CDlgObjectBar::Objects* {
        tbGeometry* model = tbCurrentModel();
        return model ? &model->roots : nullptr;
    };
    auto* objectBar = new CDlgObjectBar(mainWindow, currentObjects,
                                        app.options() ? &app.options()->showPaintableObjectsOnly : nullptr, binding);
    host.registerBar(tbBar::objectBar, objectBar);

    auto* brushBar = new CDlgBrushPicker(mainWindow, tools, [&host] {
        host.isShown(tbBar::brushShapePicker) ? host.hide(tbBar::brushShapePicker) : host.show(tbBar::brushShapePicker);
    });
    host.registerBar(tbBar::brushBar, brushBar);
    host.setBrushBarRefresh([brushBar] { brushBar->updateControls(); });
    toolbox->model().setToolReset(0, [brushBar] { brushBar->reset(); });

    const bars::DecalFolders folders{app.getProgramFolder() + "/resources", app.getSettingsFolder()};
    brushBar->showShape(tbBitmapOf(bars::tbDecalThumbnail(folders.resources + "/tolvaneBuilder/brush.bmp")));
    CDlgBrushShapePicker::Hooks hooks;
    hooks.textureOf = bars::tbDecalTexture;
    hooks.showInBrushBar = [brushBar](const wxBitmap& thumbnail) { brushBar->showShape(thumbnail); };
    hooks.releaseButton = [brushBar] { brushBar->releaseShapeButton(); };
    auto* picker = new CDlgBrushShapePicker(mainWindow, tools, folders, std::move(hooks));
    host.registerBar(tbBar::brushShapePicker, picker);
    host.setPopupOpener(tbBar::brushShapePicker, brushBar->FindWindow(CDlgBrushPicker::idShapeButton),
                        [brushBar] { brushBar->releaseShapeButton(); });

    auto* floodBar = new CDlgFloodBar(mainWindow, tools, swatches, binding);
    host.registerBar(tbBar::floodFillBar, floodBar);
    toolbox->addSwatchRepaint([floodBar] { floodBar->drawColours(); });
    toolbox->model().setToolReset(2, [floodBar] { floodBar->reset(); });

    auto* mirrorBar = new CDlgMirrorBar(mainWindow, binding, [&app](int32_t direction) {
        tbGeometryTool_mirror::apply(tbCurrentModel(), direction, app.progress());
    });
    host.registerBar(tbBar::mirrorBar, mirrorBar);
    toolbox->model().setToolReset(7, [mirrorBar] { mirrorBar->reset(); });
}
