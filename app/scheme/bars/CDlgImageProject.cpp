#include "app/scheme/bars/CDlgImageProject.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/valtext.h>

#include "app/scheme/bars/tbNamedList.h"
#include "app/shell/tbToolbarLayout.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {CDlgImageProject::idShow, ControlKind::toggleButton, "Show", {4, 5, 44, 17}},
    {CDlgImageProject::idSlot, ControlKind::dropDownCombo, "", {51, 7, 70, 14}},
    {CDlgImageProject::idImageName, ControlKind::edit, "", {124, 7, 59, 13}, ui::ControlStyle::readOnly},
    {CDlgImageProject::idBrowse, ControlKind::pushButton, "...", {186, 5, 39, 17}},
    {CDlgImageProject::idWrap, ControlKind::dropDownCombo, "", {228, 7, 66, 14}},
    {-1, ControlKind::label, "Threshold:", {297, 9, 37, 8}},
    {CDlgImageProject::idThreshold, ControlKind::edit, "", {336, 7, 24, 13}},
    {CDlgImageProject::idSided, ControlKind::pushButton, "one sided", {363, 5, 64, 17}},
    {CDlgImageProject::idPerform, ControlKind::pushButton, "Perform Projection", {430, 5, 78, 17}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {517, 27}, kControls};

}  // namespace

CDlgImageProject::CDlgImageProject(wxWindow* mainWindow, tbToolSettingsBinding& binding, tbBarTarget target,
                                   bars::ImageProjectModel::Operations operations, std::string startFolder)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}),
      binding_(binding),
      model_(binding, std::move(target), std::move(operations), std::move(startFolder)) {
    tbFillNamedList(control<wxComboBox>(idSlot), kProjectionAxisNames);
    tbFillNamedList(control<wxComboBox>(idWrap), kWrapNames);
    auto* threshold = control<wxTextCtrl>(idThreshold);
    threshold->SetValidator(wxTextValidator(wxFILTER_DIGITS));
    threshold->SetMaxLength(3);
    showSlot();

    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.slotSelected(tbNamedSelection(control<wxComboBox>(idSlot), kProjectionAxisNames));
        showSlot();
    }, idSlot);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.wrapSelected(tbNamedSelection(control<wxComboBox>(idWrap), kWrapNames));
    }, idWrap);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        model_.thresholdEdited(control<wxTextCtrl>(idThreshold)->GetValue().ToStdString());
    }, idThreshold);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.sidedToggled();
        showSlot();
    }, idSided);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) {
        model_.showToggled(control<wxToggleButton>(idShow)->GetValue());
        showSlot();
    }, idShow);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.browse();
        showSlot();
    }, idBrowse);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.performProjection(); }, idPerform);
    model_.setChangedListener([this] { showSlot(); });
    binding_.add(&model_);
}

CDlgImageProject::~CDlgImageProject() { binding_.remove(&model_); }

void CDlgImageProject::showSlot() {
    const tbProjectionSlotSettings& slot = model_.current();
    tbSelectNamed(control<wxComboBox>(idSlot), kProjectionAxisNames, model_.currentSlot());
    control<wxTextCtrl>(idImageName)->ChangeValue(wxString::FromUTF8(slot.imageName));
    tbSelectNamed(control<wxComboBox>(idWrap), kWrapNames, slot.wrapMode);
    control<wxTextCtrl>(idThreshold)->ChangeValue(wxString::Format("%u", slot.threshold));
    control<wxButton>(idSided)->SetLabel(slot.doubleSided ? "double sided" : "one sided");
    control<wxToggleButton>(idShow)->SetValue(slot.show != 0);
}
