#include "app/scheme/bars/CDlgMirrorBar.h"

#include <wx/combobox.h>

#include "app/shell/tbToolbarLayout.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Mirror direction", {6, 1, 70, 8}},
    {CDlgMirrorBar::idDirection, ControlKind::dropDownCombo, "", {4, 10, 90, 16}},
    {CDlgMirrorBar::idPerform, ControlKind::pushButton, "Perform Mirror", {100, 10, 72, 16}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {584, 27}, kControls};

}  // namespace

CDlgMirrorBar::CDlgMirrorBar(wxWindow* mainWindow, tbToolSettingsBinding& binding,
                             std::function<void(int32_t direction)> perform)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}),
      binding_(binding),
      model_(binding, std::move(perform)) {
    auto* direction = control<wxComboBox>(idDirection);
    for (const char* name : bars::MirrorBarModel::kDirectionNames) direction->Append(name);
    direction->SetSelection(0);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.directionSelected(control<wxComboBox>(idDirection)->GetSelection());
    }, idDirection);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.performMirror(); }, idPerform);
    binding_.add(&model_);
}

CDlgMirrorBar::~CDlgMirrorBar() { binding_.remove(&model_); }

void CDlgMirrorBar::reset() {
    model_.reset();
    control<wxComboBox>(idDirection)->SetSelection(0);
}
