#include "app/shell/CDlgOptions.h"

#include <wx/checkbox.h>

#include "app/shell/CDlgColourPicker.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "platform/ui/swatchControl.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::groupBox, "Display", {7, 7, 129, 71}},
    {CDlgOptions::idAntialiasing, ControlKind::checkBox, "Antialiasing", {22, 27, 58, 8}},
    {-1, ControlKind::label, "Background colour", {23, 49, 60, 8}},
    {CDlgOptions::idBackground, ControlKind::swatch, "", {98, 44, 23, 20}},
    {CDlgOptions::idAccept, ControlKind::pushButton, "Accept", {30, 92, 52, 16}},
    {CDlgOptions::idCancel, ControlKind::pushButton, "Cancel", {84, 92, 52, 16}},
};
constexpr ui::DialogTemplate kTemplate = {"System options", {143, 115}, kControls};

}  // namespace

CDlgOptions::CDlgOptions(shell::OptionsTarget& target, std::span<simColour, shell::kSwatchCount> swatches,
                         wxWindow* parent)
    : ui::TemplateDialog(parent, kTemplate, {idAccept, idCancel}), model_(target), swatches_(swatches) {
    control<wxCheckBox>(idAntialiasing)->SetValue(model_.antialiasingWas());
    showColour();
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onBackgroundClicked(); }, idBackground);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.accept(control<wxCheckBox>(idAntialiasing)->GetValue());
        EndModal(1);
    }, idAccept);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(1); }, idCancel);
}

void CDlgOptions::onBackgroundClicked() {
    simColour result;
    CDialogToolbar picker(model_.colour(), &result, swatches_, this);
    picker.ShowModal();
    model_.picked(result);
    showColour();
}

void CDlgOptions::showColour() {
    if (g_console) g_console->print("draw swatch...");
    const simColour& c = model_.colour();
    control<ui::SwatchControl>(idBackground)->setColour(wxColour(c.red & 255, c.green & 255, c.blue & 255));
}
