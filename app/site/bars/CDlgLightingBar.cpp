#include "app/site/bars/CDlgLightingBar.h"

#include "app/shell/tbBarColours.h"
#include "app/shell/tbToolbarLayout.h"
#include "app/site/bars/tbSiteBarControls.h"
#include "platform/ui/swatchControl.h"

namespace {

using ui::ControlKind;
using M = sitebars::LightingBarModel;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Diffuse", {4, 1, 32, 8}},
    {M::idDiffuse, ControlKind::swatch, "Diffuse", {4, 10, 30, 14}},
    {-1, ControlKind::label, "Ambient", {38, 1, 32, 8}},
    {M::idAmbient, ControlKind::swatch, "Ambient", {38, 10, 30, 14}},
    {-1, ControlKind::label, "Specular", {72, 1, 32, 8}},
    {M::idSpecular, ControlKind::swatch, "Specular", {72, 10, 30, 14}},
    {-1, ControlKind::label, "Lighting preview", {110, 1, 70, 8}},
    {M::idPreview, ControlKind::dropDownCombo, "", {110, 10, 60, 14}},
    {M::idReset, ControlKind::pushButton, "Reset", {174, 10, 30, 14}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {585, 27}, kControls};

struct Swatch {
    int id;
    M::Light light;
};
constexpr Swatch kSwatches[] = {
    {M::idDiffuse, M::Light::diffuse}, {M::idAmbient, M::Light::ambient}, {M::idSpecular, M::Light::specular}};

}  // namespace

CDlgLightingBar::CDlgLightingBar(wxWindow* mainWindow, sitebars::LightingBarModel& model)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}), model_(model) {
    for (const Swatch& swatch : kSwatches)
        Bind(wxEVT_BUTTON, [this, light = swatch.light](wxCommandEvent&) { model_.swatchClicked(light); }, swatch.id);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { model_.previewSelected(sitebars::textOf(*this, M::idPreview)); },
         M::idPreview);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.resetClicked(); }, M::idReset);
    model_.changed = [this] { showValues(); };
    // The site's colours change with the site: shown whenever the bar is.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) showValues();
        event.Skip();
    });
    showValues();
}

void CDlgLightingBar::showValues() {
    for (const Swatch& swatch : kSwatches)
        if (auto* control = this->control<ui::SwatchControl>(swatch.id))
            control->setColour(tbWxColour(model_.colour(swatch.light)));
    sitebars::showChoices(*this, M::idPreview, sitebars::tableNames(M::kPreviewShapes), model_.previewIndex());
}
