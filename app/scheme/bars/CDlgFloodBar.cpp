#include "app/scheme/bars/CDlgFloodBar.h"

#include <wx/combobox.h>
#include <wx/tglbtn.h>

#include "app/scheme/bars/tbBarColours.h"
#include "app/scheme/bars/tbBarPictures.h"
#include "app/shell/tbToolState.h"
#include "platform/ui/imageCanvas.h"
#include "platform/ui/swatchControl.h"

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
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::bare),
      tools_(tools),
      binding_(binding),
      model_(binding) {
    control<wxToggleButton>(idSolid)->SetBitmap(tbFillTypePicture(false));
    control<wxToggleButton>(idGradient)->SetBitmap(tbFillTypePicture(true));
    auto* axis = control<wxComboBox>(idAxis);
    for (const char* name : bars::FloodBarModel::kAxisNames) axis->Append(name);
    showValues();
    drawColours();

    for (const int id : {idSolid, idGradient}) {
        Bind(wxEVT_TOGGLEBUTTON, [this, id](wxCommandEvent&) {
            model_.fillTypeClicked(id == idGradient, control<wxToggleButton>(id)->GetValue());
            showValues();
        }, id);
    }
    for (const int id : {idMainColour, idSecondColour}) {
        Bind(wxEVT_BUTTON, [this, id, swatches](wxCommandEvent&) {
            tbPickPaintColour(this, tools_, id == idMainColour ? tbPaintColour::main : tbPaintColour::second,
                              swatches);
            drawColours();
        }, id);
    }
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        // The list is sorted: the axis is the entry's place in the names.
        const std::string chosen = control<wxComboBox>(idAxis)->GetStringSelection().ToStdString();
        const auto& names = bars::FloodBarModel::kAxisNames;
        for (size_t i = 0; i < names.size(); ++i)
            if (chosen == names[i]) model_.axisSelected(static_cast<int>(i));
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
    // The list is sorted; its entries are found by name.
    auto* axis = control<wxComboBox>(idAxis);
    axis->SetSelection(axis->FindString(bars::FloodBarModel::kAxisNames[model_.axis()]));
}

void CDlgFloodBar::show(const tbToolSettings& settings) {
    model_.show(settings);
    showValues();
}

void CDlgFloodBar::drawColours() {
    auto* strip = control<ui::ImageCanvas>(idStrip);
    const wxSize size = strip->GetClientSize();
    strip->setPicture(tbStripPicture(tools_.mainColour(), tools_.secondColour(), size.x, size.y));
    control<ui::SwatchControl>(idMainColour)->setColour(tbWxColour(tools_.mainColour()));
    control<ui::SwatchControl>(idSecondColour)->setColour(tbWxColour(tools_.secondColour()));
}
