#include "app/site/bars/CDlgWeatherBar.h"

#include <wx/tglbtn.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "app/shell/tbToolbarLayout.h"
#include "app/site/bars/tbSiteBarControls.h"
#include "app/site/tbSiteNames.h"

namespace {

using ui::ControlKind;
using M = sitebars::WeatherBarModel;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Wind-speed", {4, 1, 44, 8}},
    {M::idGlobalWind, ControlKind::edit, "", {4, 10, 30, 14}},
    {M::idArea, ControlKind::toggleButton, "area", {40, 10, 24, 14}},
    {M::idDelete, ControlKind::pushButton, "Delete", {66, 10, 28, 14}},
    {M::idCopy, ControlKind::pushButton, "Copy", {96, 10, 24, 14}},
    {M::idList, ControlKind::dropDownCombo, "", {124, 10, 70, 14}},
    {M::idName, ControlKind::edit, "", {198, 10, 70, 14}},
    {-1, ControlKind::label, "Wind-speed", {272, 1, 44, 8}},
    {M::idWindSpeed, ControlKind::edit, "", {272, 10, 30, 14}},
    {-1, ControlKind::label, "Turbulence", {318, 1, 44, 8}},
    {M::idTurbulence, ControlKind::edit, "", {318, 10, 30, 14}},
    {-1, ControlKind::label, "Thermals", {364, 1, 44, 8}},
    {M::idThermals, ControlKind::edit, "", {364, 10, 30, 14}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {585, 27}, kControls};

}  // namespace

CDlgWeatherBar::CDlgWeatherBar(wxWindow* mainWindow, sitebars::WeatherBarModel& model)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}), model_(model) {
    using sitebars::textOf;
    control<wxTextCtrl>(M::idName)->SetMaxLength(kSiteNameMaxLength);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { model_.globalWindEdited(textOf(*this, M::idGlobalWind)); },
         M::idGlobalWind);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { model_.windSpeedEdited(textOf(*this, M::idWindSpeed)); },
         M::idWindSpeed);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { model_.turbulenceEdited(textOf(*this, M::idTurbulence)); },
         M::idTurbulence);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { model_.thermalsEdited(textOf(*this, M::idThermals)); },
         M::idThermals);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.areaClicked(e.IsChecked()); }, M::idArea);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.deleteClicked(); }, M::idDelete);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.copyClicked(); }, M::idCopy);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.listSelected(control<wxComboBox>(M::idList)->GetSelection());
    }, M::idList);
    Bind(wxEVT_COMBOBOX_DROPDOWN, [this](wxCommandEvent&) { dropped_ = true; }, M::idList);
    Bind(wxEVT_COMBOBOX_CLOSEUP, [this](wxCommandEvent&) { dropped_ = false; }, M::idList);
    control<wxTextCtrl>(M::idName)->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        model_.nameEdited(textOf(*this, M::idName));
        event.Skip();
    });
    model_.changed = [this] { showValues(); };
    showValues();
}

void CDlgWeatherBar::showValues() {
    using namespace sitebars;
    showText(*this, M::idGlobalWind, model_.globalWindText());
    showChecked(*this, M::idArea, model_.areaChecked());
    showChoices(*this, M::idList, entryNames(model_.list()), model_.list().selection());
    showText(*this, M::idName, model_.nameText());
    showText(*this, M::idWindSpeed, model_.windSpeedText());
    showText(*this, M::idTurbulence, model_.turbulenceText());
    showText(*this, M::idThermals, model_.thermalsText());
}

bool CDlgWeatherBar::takesSpace(const wxWindow& control) const {
    return sitebars::isOneOfEdits(control, sitebars::WeatherBarModel::kSpaceEdits);
}
