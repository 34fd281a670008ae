#include "app/site/bars/CDlgPanoBar.h"

#include <wx/tglbtn.h>
#include <wx/combobox.h>

#include "app/shell/tbToolbarLayout.h"
#include "app/site/bars/tbSiteBarControls.h"

namespace {

using ui::ControlKind;
using ui::ControlStyle;
using M = sitebars::PanoBarModel;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Pano type", {4, 1, 60, 8}},
    {M::idCube, ControlKind::toggleButton, "Cube", {4, 10, 30, 14}},
    {M::idSphere, ControlKind::toggleButton, "Sphere", {36, 10, 30, 14}},
    {-1, ControlKind::label, "Images", {72, 1, 40, 8}},
    {M::idFace, ControlKind::dropDownCombo, "", {72, 10, 70, 14}},
    {M::idImage, ControlKind::edit, "", {144, 10, 80, 14}, ControlStyle::readOnly},
    {M::idBrowse, ControlKind::pushButton, "...", {226, 10, 28, 14}},
    {M::idAuto, ControlKind::pushButton, "Auto", {256, 10, 26, 14}},
    {M::idReset, ControlKind::pushButton, "Reset", {286, 10, 28, 14}},
    {M::idInterior, ControlKind::toggleButton, "Interior", {318, 10, 34, 14}},
    {M::idSound, ControlKind::edit, "", {356, 10, 80, 14}, ControlStyle::readOnly},
    {M::idBrowseSound, ControlKind::pushButton, "...", {438, 10, 28, 14}},
    {M::idNoSound, ControlKind::pushButton, "x", {468, 10, 26, 14}},
    {M::idReverb, ControlKind::toggleButton, "Reverb", {496, 10, 32, 14}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {585, 27}, kControls};

}  // namespace

CDlgPanoBar::CDlgPanoBar(wxWindow* mainWindow, sitebars::PanoBarModel& model)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}), model_(model) {
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { model_.cubeClicked(); }, M::idCube);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { model_.sphereClicked(); }, M::idSphere);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { model_.faceSelected(sitebars::textOf(*this, M::idFace)); },
         M::idFace);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.browseClicked(); }, M::idBrowse);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.autoClicked(); }, M::idAuto);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.resetClicked(); }, M::idReset);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.interiorClicked(e.IsChecked()); }, M::idInterior);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.reverbClicked(e.IsChecked()); }, M::idReverb);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.browseSoundClicked(); }, M::idBrowseSound);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.noSoundClicked(); }, M::idNoSound);
    model_.changed = [this] { showValues(); };
    showValues();
}

void CDlgPanoBar::showValues() {
    using namespace sitebars;
    showChecked(*this, M::idCube, !model_.sphere());
    showChecked(*this, M::idSphere, model_.sphere());
    showChoices(*this, M::idFace, model_.faces(), model_.faceIndex());
    showText(*this, M::idImage, model_.imageText());
    showChecked(*this, M::idInterior, model_.interior());
    showText(*this, M::idSound, model_.soundText());
    showChecked(*this, M::idReverb, model_.reverb());
}

bool CDlgPanoBar::takesSpace(const wxWindow& control) const {
    return sitebars::isOneOfEdits(control, sitebars::PanoBarModel::kSpaceEdits);
}
