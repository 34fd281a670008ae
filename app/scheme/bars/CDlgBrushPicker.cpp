#include "app/scheme/bars/CDlgBrushPicker.h"

#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "app/scheme/bars/tbBarPictures.h"
#include "app/shell/tbToolbarLayout.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Size", {6, 1, 40, 8}},
    {CDlgBrushPicker::idSizeSlider, ControlKind::slider, "", {4, 10, 92, 16}},
    {CDlgBrushPicker::idSizeEdit, ControlKind::edit, "", {98, 11, 30, 13}},
    {-1, ControlKind::label, "Hardness", {138, 1, 40, 8}},
    {CDlgBrushPicker::idHardnessSlider, ControlKind::slider, "", {136, 10, 92, 16}},
    {CDlgBrushPicker::idHardnessEdit, ControlKind::edit, "", {230, 11, 30, 13}},
    {-1, ControlKind::label, "Angle", {270, 1, 40, 8}},
    {CDlgBrushPicker::idAngleSlider, ControlKind::slider, "", {268, 10, 92, 16}},
    {CDlgBrushPicker::idAngleEdit, ControlKind::edit, "", {362, 11, 30, 13}},
    {CDlgBrushPicker::idShapeFrame, ControlKind::groupBox, "", {400, 0, 130, 27}},
    {CDlgBrushPicker::idShapeLabel, ControlKind::label, "Brush shape", {404, 10, 50, 8}},
    {CDlgBrushPicker::idShapePreview, ControlKind::bitmap, "", {456, 5, 20, 18}},
    {CDlgBrushPicker::idShapeButton, ControlKind::toggleButton, "", {480, 6, 44, 16}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {584, 27}, kControls};

}  // namespace

const CDlgBrushPicker::Pair CDlgBrushPicker::kPairs[3] = {
    {bars::BrushSetting::size, idSizeSlider, idSizeEdit},
    {bars::BrushSetting::hardness, idHardnessSlider, idHardnessEdit},
    {bars::BrushSetting::angle, idAngleSlider, idAngleEdit},
};

CDlgBrushPicker::CDlgBrushPicker(wxWindow* mainWindow, tbToolState& tools, std::function<void()> togglePicker)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}), model_(tools) {
    for (const Pair& pair : kPairs) {
        const bars::SliderRange range = bars::BrushPickerModel::range(pair.setting);
        control<wxSlider>(pair.slider)->SetRange(range.minimum, range.maximum);
        Bind(wxEVT_SLIDER, [this, pair](wxCommandEvent&) {
            if (const auto text = model_.sliderMoved(pair.setting, control<wxSlider>(pair.slider)->GetValue()))
                control<wxTextCtrl>(pair.edit)->ChangeValue(*text);
        }, pair.slider);
        Bind(wxEVT_TEXT, [this, pair](wxCommandEvent&) {
            const std::string text = control<wxTextCtrl>(pair.edit)->GetValue().ToStdString();
            if (const auto position = model_.editChanged(pair.setting, text))
                control<wxSlider>(pair.slider)->SetValue(*position);
        }, pair.edit);
    }
    control<wxToggleButton>(idShapeButton)->SetBitmap(tbDropArrowPicture());
    Bind(wxEVT_TOGGLEBUTTON, [togglePicker = std::move(togglePicker)](wxCommandEvent&) {
        if (togglePicker) togglePicker();
    }, idShapeButton);
    updateControls();
}

void CDlgBrushPicker::updateControls() {
    for (const Pair& pair : kPairs) {
        control<wxTextCtrl>(pair.edit)->ChangeValue(model_.text(pair.setting));
        control<wxSlider>(pair.slider)->SetValue(model_.value(pair.setting));
    }
}

void CDlgBrushPicker::reset() {
    model_.reset();
    updateControls();
}

void CDlgBrushPicker::showShape(const wxBitmap& thumbnail) {
    control<wxStaticBitmap>(idShapePreview)->SetBitmap(thumbnail);
}

void CDlgBrushPicker::releaseShapeButton() { control<wxToggleButton>(idShapeButton)->SetValue(false); }
