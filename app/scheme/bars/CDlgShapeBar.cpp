#include "app/scheme/bars/CDlgShapeBar.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/tglbtn.h>

#include "app/scheme/bars/tbBarColourStrip.h"
#include "app/scheme/bars/tbNamedList.h"
#include "app/shell/tbToolbarLayout.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {CDlgShapeBar::idSided, ControlKind::pushButton, "one sided", {4, 5, 63, 17}},
    {CDlgShapeBar::idSolid, ControlKind::toggleButton, "", {71, 5, 20, 17}},
    {CDlgShapeBar::idGradient, ControlKind::toggleButton, "", {93, 5, 20, 17}},
    {CDlgShapeBar::idMainColour, ControlKind::swatch, "", {117, 5, 16, 17}},
    {CDlgShapeBar::idStrip, ControlKind::frame, "", {135, 8, 36, 11}},
    {CDlgShapeBar::idSecondColour, ControlKind::swatch, "", {173, 5, 16, 17}},
    {CDlgShapeBar::idAxis, ControlKind::sortedDropDownCombo, "", {194, 7, 64, 14}},
    {CDlgShapeBar::idClearShape, ControlKind::pushButton, "Clear Shape", {263, 5, 54, 17}},
    {CDlgShapeBar::idStoreShape, ControlKind::pushButton, "Store Shape", {319, 5, 54, 17}},
    {CDlgShapeBar::idCreateCurve, ControlKind::toggleButton, "Create Curve", {377, 5, 70, 17}},
    {CDlgShapeBar::idClearCurve, ControlKind::toggleButton, "Clear Curve", {449, 5, 66, 17}},
    {CDlgShapeBar::idProjectShape, ControlKind::pushButton, "Project Shape", {519, 5, 60, 17}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {596, 27}, kControls};

using Curve = bars::ShapeBarModel::Curve;

}  // namespace

CDlgShapeBar::CDlgShapeBar(wxWindow* mainWindow, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                           tbToolSettingsBinding& binding, tbBarTarget target,
                           bars::ShapeBarModel::Operations operations)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}),
      tools_(tools),
      binding_(binding),
      model_(tools, binding, std::move(target), std::move(operations)) {
    tbFillNamedList(control<wxComboBox>(idAxis), bars::ShapeBarModel::kAxisNames);
    showValues();
    drawColours();

    tbBindBarColours(
        this, tools_, swatches, [this](bool gradient, bool pressed) { model_.fillTypeClicked(gradient, pressed); },
        [this] { showValues(); });
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.axisSelected(tbNamedSelection(control<wxComboBox>(idAxis), bars::ShapeBarModel::kAxisNames));
    }, idAxis);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.sidedToggled();
        showValues();
    }, idSided);
    for (const auto& [id, curve] : {std::pair{idCreateCurve, Curve::create}, std::pair{idClearCurve, Curve::clear}}) {
        Bind(wxEVT_TOGGLEBUTTON, [this, id, curve](wxCommandEvent&) {
            model_.curveClicked(curve, control<wxToggleButton>(id)->GetValue());
            showValues();
        }, id);
    }
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.projectShape(); }, idProjectShape);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.clearShape(); }, idClearShape);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.storeShape(); }, idStoreShape);
    model_.setChangedListener([this] { showValues(); });
    binding_.add(&model_);
}

CDlgShapeBar::~CDlgShapeBar() { binding_.remove(&model_); }

void CDlgShapeBar::showValues() {
    control<wxToggleButton>(idSolid)->SetValue(!model_.gradient());
    control<wxToggleButton>(idGradient)->SetValue(model_.gradient());
    tbSelectNamed(control<wxComboBox>(idAxis), bars::ShapeBarModel::kAxisNames, model_.axis());
    control<wxButton>(idSided)->SetLabel(model_.doubleSided() ? "double sided" : "one sided");
    control<wxToggleButton>(idCreateCurve)->SetValue(model_.curve() == Curve::create);
    control<wxToggleButton>(idClearCurve)->SetValue(model_.curve() == Curve::clear);
}

void CDlgShapeBar::drawColours() { tbDrawBarColours(this, tools_); }
