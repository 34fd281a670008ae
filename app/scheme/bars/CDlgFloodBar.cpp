#include "app/scheme/bars/CDlgFloodBar.h"

#include <wx/combobox.h>
#include <wx/tglbtn.h>

#include "app/scheme/bars/tbBarColourStrip.h"
#include "app/scheme/bars/tbNamedList.h"
#include "app/shell/tbToolState.h"
#include "app/shell/tbToolbarLayout.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Fill type", {6, 1, 50, 8}},
    {CDlgFloodBar::idGradient, ControlKind::toggleButton, "", {4, 10, 40, 16}},
    {CDlgFloodBar::idSolid, ControlKind::toggleButton, "", {46, 10, 40, 16}},
    {CDlgFloodBar::idMainColour, ControlKind::swatch, "", {94, 9, 16, 16}},
    {CDlgFloodBar::idStrip, ControlKind::frame, "", {112, 12, 100, 10}},
    {CDlgFloodBar::idSecondColour, ControlKind::swatch, "", {214, 9, 16, 16}},
    {CDlgFloodBar::idAxis, ControlKind::sortedDropDownCombo, "", {238, 10, 70, 16}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {585, 27}, kControls};

}  // namespace

CDlgFloodBar::CDlgFloodBar(wxWindow* mainWindow, tbToolState& tools,
                           std::span<simColour, shell::kSwatchCount> swatches, tbToolSettingsBinding& binding)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}),
      tools_(tools),
      binding_(binding),
      model_(binding) {
    tbFillNamedList(control<wxComboBox>(idAxis), bars::FloodBarModel::kAxisNames);
    showValues();
    drawColours();

    tbBindBarColours(
        this, tools_, swatches, [this](bool gradient, bool pressed) { model_.fillTypeClicked(gradient, pressed); },
        [this] { showValues(); });
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        const int axis = tbNamedSelection(control<wxComboBox>(idAxis), bars::FloodBarModel::kAxisNames);
        if (axis >= 0) model_.axisSelected(axis);
    }, idAxis);
    binding_.add(this);
}

CDlgFloodBar::~CDlgFloodBar() { binding_.remove(this); }

void CDlgFloodBar::reset() {
    model_.reset();
    showValues();
}

void CDlgFloodBar::showValues() {
    control<wxToggleButton>(idSolid)->SetValue(!model_.gradient());
    control<wxToggleButton>(idGradient)->SetValue(model_.gradient());
    tbSelectNamed(control<wxComboBox>(idAxis), bars::FloodBarModel::kAxisNames, size_t(model_.axis()));
}

void CDlgFloodBar::show(const tbToolSettings& settings) {
    model_.show(settings);
    showValues();
}

void CDlgFloodBar::drawColours() { tbDrawBarColours(this, tools_); }
