#include "app/site/bars/CDlgPositionsBar.h"

#include <wx/tglbtn.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "app/shell/tbToolbarLayout.h"
#include "app/site/bars/tbSiteBarControls.h"
#include "app/site/tbFlyingSitePositionKinds.h"
#include "app/site/tbSiteNames.h"

namespace {

using ui::ControlKind;
using M = sitebars::PositionsBarModel;

constexpr ui::ControlTemplate kControls[] = {
    {M::idNew, ControlKind::toggleButton, "New", {4, 10, 26, 14}},
    {M::idDelete, ControlKind::pushButton, "Delete", {32, 10, 28, 14}},
    {M::idCopy, ControlKind::pushButton, "Copy", {62, 10, 24, 14}},
    {M::idList, ControlKind::dropDownCombo, "", {90, 10, 70, 14}},
    {M::idName, ControlKind::edit, "", {164, 10, 70, 14}},
    {M::idKind, ControlKind::dropDownCombo, "", {238, 10, 60, 14}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {585, 27}, kControls};

}  // namespace

CDlgPositionsBar::CDlgPositionsBar(wxWindow* mainWindow, sitebars::PositionsBarModel& model)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}), model_(model) {
    control<wxTextCtrl>(M::idName)->SetMaxLength(kSiteNameMaxLength);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.newClicked(e.IsChecked()); }, M::idNew);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.deleteClicked(); }, M::idDelete);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.copyClicked(); }, M::idCopy);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.listSelected(control<wxComboBox>(M::idList)->GetSelection());
    }, M::idList);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { model_.kindSelected(sitebars::textOf(*this, M::idKind)); },
         M::idKind);
    control<wxTextCtrl>(M::idName)->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        model_.nameEdited(sitebars::textOf(*this, M::idName));
        event.Skip();
    });
    model_.changed = [this] { showValues(); };
    showValues();
}

void CDlgPositionsBar::showValues() {
    using namespace sitebars;
    showChecked(*this, M::idNew, model_.newChecked());
    showChoices(*this, M::idList, entryNames(model_.list()), model_.list().selection());
    showText(*this, M::idName, model_.nameText());
    showChoices(*this, M::idKind, tableNames(kPositionKinds), model_.kindIndex());
}

bool CDlgPositionsBar::takesSpace(const wxWindow& control) const {
    return sitebars::isOneOfEdits(control, sitebars::PositionsBarModel::kSpaceEdits);
}
