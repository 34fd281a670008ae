#include "app/scheme/bars/CDlgToolbox.h"

#include <wx/tglbtn.h>

#include "app/shell/tbBarColours.h"
#include "app/scheme/bars/tbBarPictures.h"
#include "app/shell/tbToolState.h"
#include "platform/ui/swatchControl.h"

namespace {

using ui::ControlKind;
using Model = bars::ToolboxModel;

constexpr int kButtonWidth = 88, kButtonHeight = 16, kPitch = 18, kToolsTop = 40;

// The tool buttons first, in the model's order, then the colours and the reset.
constexpr ui::ControlTemplate kControls[] = {
    {Model::idMainColour, ControlKind::swatch, "", {4, 6, 20, 20}},
    {Model::idSecondColour, ControlKind::swatch, "", {26, 12, 20, 20}},
    {Model::idSwapColours, ControlKind::pushButton, "<>", {50, 3, 42, 16}},
    {Model::idResetColours, ControlKind::pushButton, "BW", {50, 20, 42, 16}},
    {1062, ControlKind::toggleButton, "Brush", {4, kToolsTop + 0 * kPitch, kButtonWidth, kButtonHeight}},
    {1067, ControlKind::toggleButton, "Shape", {4, kToolsTop + 1 * kPitch, kButtonWidth, kButtonHeight}},
    {1063, ControlKind::toggleButton, "Flood", {4, kToolsTop + 2 * kPitch, kButtonWidth, kButtonHeight}},
    {1068, ControlKind::toggleButton, "Project Image", {4, kToolsTop + 3 * kPitch, kButtonWidth, kButtonHeight}},
    {1069, ControlKind::toggleButton, "Text", {4, kToolsTop + 4 * kPitch, kButtonWidth, kButtonHeight}},
    {1070, ControlKind::toggleButton, "Mirror", {4, kToolsTop + 5 * kPitch, kButtonWidth, kButtonHeight}},
    {1066, ControlKind::toggleButton, "Colour Picker", {4, kToolsTop + 6 * kPitch, kButtonWidth, kButtonHeight}},
    {Model::idResetTool, ControlKind::pushButton, "Reset", {4, kToolsTop + 7 * kPitch + 4, kButtonWidth, kButtonHeight}},
};
constexpr ui::DialogTemplate kTemplate = {"Toolbox", {96, kToolsTop + 8 * kPitch + 6}, kControls};

}  // namespace

CDlgToolbox::CDlgToolbox(wxWindow* mainWindow, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                         std::function<void()> hideBars)
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::captioned), model_(tools) {
    for (const bars::ToolboxButton& button : Model::kToolButtons)
        Bind(wxEVT_TOGGLEBUTTON, [this, id = button.id](wxCommandEvent&) { model_.toolClicked(id); }, button.id);
    Bind(wxEVT_BUTTON, [this, &tools, swatches](wxCommandEvent&) {
        tbPickPaintColour(this, tools, tbPaintColour::main, swatches);
    }, Model::idMainColour);
    Bind(wxEVT_BUTTON, [this, &tools, swatches](wxCommandEvent&) {
        tbPickPaintColour(this, tools, tbPaintColour::second, swatches);
    }, Model::idSecondColour);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.swapColours(); }, Model::idSwapColours);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.resetColours(); }, Model::idResetColours);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.resetCurrentTool(); }, Model::idResetTool);
    Bind(wxEVT_CLOSE_WINDOW, [hideBars = std::move(hideBars)](wxCloseEvent& event) {
        if (hideBars) hideBars();
        event.Skip();  // the tool window hides itself
    });
    drawColours();
}

void CDlgToolbox::drawColours() {
    control<ui::SwatchControl>(Model::idSecondColour)->setColour(tbWxColour(model_.tools().secondColour()));
    control<ui::SwatchControl>(Model::idMainColour)->setColour(tbWxColour(model_.tools().mainColour()));
}

void CDlgToolbox::releaseToolButtons() {
    for (const bars::ToolboxButton& button : Model::kToolButtons) control<wxToggleButton>(button.id)->SetValue(false);
}

void CDlgToolbox::pressToolButton(tbToolButton which) {
    if (const bars::ToolboxButton* button = Model::buttonOf(which)) control<wxToggleButton>(button->id)->SetValue(true);
}

void CDlgToolbox::repaintColourSwatches() {
    drawColours();
    for (const auto& repaint : repaints_) repaint();
}
