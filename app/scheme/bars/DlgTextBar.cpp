#include "app/scheme/bars/DlgTextBar.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dcmemory.h>
#include <wx/tglbtn.h>

#include "app/scheme/bars/tbBarColourStrip.h"
#include "app/scheme/bars/tbNamedList.h"
#include "app/shell/tbToolbarLayout.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {DlgTextBar::idEditor, ControlKind::toggleButton, "", {4, 5, 29, 17}},
    {DlgTextBar::idAxis, ControlKind::dropDownCombo, "", {36, 7, 70, 14}},
    {DlgTextBar::idSolid, ControlKind::toggleButton, "", {110, 5, 20, 17}},
    {DlgTextBar::idGradient, ControlKind::toggleButton, "", {132, 5, 20, 17}},
    {DlgTextBar::idMainColour, ControlKind::swatch, "", {156, 5, 16, 17}},
    {DlgTextBar::idStrip, ControlKind::frame, "", {174, 8, 30, 11}},
    {DlgTextBar::idSecondColour, ControlKind::swatch, "", {206, 5, 16, 17}},
    {DlgTextBar::idDirection, ControlKind::dropDownCombo, "", {226, 7, 78, 14}},
    {DlgTextBar::idSided, ControlKind::pushButton, "one sided", {308, 5, 63, 17}},
    {DlgTextBar::idProject, ControlKind::pushButton, "Project text", {375, 5, 53, 17}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {432, 27}, kControls};

// The editor button's picture until the text tool sends one of its text.
wxBitmap editorPicture() {
    wxBitmap picture(40, 14);
    wxMemoryDC dc(picture);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    dc.SetTextForeground(*wxWHITE);
    dc.SetFont(wxFont(wxFontInfo(8)));
    dc.DrawText("Text", 6, 0);
    dc.SelectObject(wxNullBitmap);
    return picture;
}

}  // namespace

DlgTextBar::DlgTextBar(wxWindow* mainWindow, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                       bars::TextEditorModel& editor, tbToolSettingsBinding& binding, tbBarTarget target,
                       bars::TextBarModel::Operations operations)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}),
      tools_(tools),
      binding_(binding),
      model_(tools, editor, binding, std::move(target), std::move(operations)) {
    control<wxToggleButton>(idEditor)->SetBitmap(editorPicture());
    tbFillNamedList(control<wxComboBox>(idAxis), bars::TextBarModel::kAxisNames);
    tbFillNamedList(control<wxComboBox>(idDirection), bars::TextBarModel::kDirectionNames);
    showValues();
    drawColours();

    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { model_.editorClicked(); }, idEditor);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.axisSelected(tbNamedSelection(control<wxComboBox>(idAxis), bars::TextBarModel::kAxisNames));
    }, idAxis);
    tbBindBarColours(
        this, tools_, swatches, [this](bool gradient, bool pressed) { model_.fillTypeClicked(gradient, pressed); },
        [this] { showValues(); });
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.directionSelected(
            tbNamedSelection(control<wxComboBox>(idDirection), bars::TextBarModel::kDirectionNames));
    }, idDirection);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.sidedToggled();
        showValues();
    }, idSided);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.projectText(); }, idProject);
    model_.setChangedListener([this] { showValues(); });
    binding_.add(&model_);
}

DlgTextBar::~DlgTextBar() { binding_.remove(&model_); }

void DlgTextBar::showValues() {
    tbSelectNamed(control<wxComboBox>(idAxis), bars::TextBarModel::kAxisNames, model_.axis());
    control<wxToggleButton>(idSolid)->SetValue(!model_.gradient());
    control<wxToggleButton>(idGradient)->SetValue(model_.gradient());
    tbSelectNamed(control<wxComboBox>(idDirection), bars::TextBarModel::kDirectionNames, model_.direction());
    control<wxButton>(idSided)->SetLabel(model_.doubleSided() ? "double sided" : "one sided");
}

void DlgTextBar::drawColours() { tbDrawBarColours(this, tools_); }

void DlgTextBar::showThumbnail(const std::vector<uint32_t>& argb, int width, int height) {
    if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * height) return;
    wxImage picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * width + x];
            picture.SetRGB(x, y, (p >> 16) & 255, (p >> 8) & 255, p & 255);
        }
    }
    // Scaled to the button, which keeps its size.
    auto* button = control<wxToggleButton>(idEditor);
    const wxSize room = button->GetClientSize() - wxSize(12, 12);
    const double scale = std::min(static_cast<double>(room.x) / width, static_cast<double>(room.y) / height);
    if (scale > 0 && scale < 1)
        picture.Rescale(std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale)),
                        wxIMAGE_QUALITY_HIGH);
    button->SetBitmap(wxBitmap(picture));
}
