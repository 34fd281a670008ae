#include "app/site/bars/CDlg_coll_water.h"

#include <wx/slider.h>
#include <wx/tglbtn.h>

#include "app/site/bars/tbSiteBarControls.h"

namespace {

using ui::ControlKind;
using M = sitebars::WaterEditorModel;

constexpr ui::ValueRange kBrushRange = {M::kBrushMinimum, M::kBrushMaximum};
constexpr ui::ControlTemplate kControls[] = {
    {M::idEnabled, ControlKind::toggleButton, "Enabled", {4, 4, 54, 14}},
    {M::idEdit, ControlKind::toggleButton, "Edit", {62, 4, 54, 14}},
    {-1, ControlKind::label, "Brush radius:", {4, 22, 112, 8}},
    {M::idRadius, ControlKind::slider, "", {4, 30, 112, 14}, ui::ControlStyle::plain, kBrushRange},
    {-1, ControlKind::label, "Brush strength:", {4, 46, 112, 8}},
    {M::idStrength, ControlKind::slider, "", {4, 54, 112, 14}, ui::ControlStyle::plain, kBrushRange},
    {M::idClearBrush, ControlKind::toggleButton, "clear", {4, 72, 54, 14}},
    {M::idOpaque, ControlKind::pushButton, "Opaque", {4, 90, 54, 14}},
    {M::idClear, ControlKind::pushButton, "Clear", {62, 90, 54, 14}},
};
constexpr ui::DialogTemplate kTemplate = {"Water editor", {120, 108}, kControls};

}  // namespace

CDlg_coll_water::CDlg_coll_water(wxWindow* mainWindow, sitebars::WaterEditorModel& model)
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::captioned), model_(model) {
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.enabledClicked(e.IsChecked()); }, M::idEnabled);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.editClicked(e.IsChecked()); }, M::idEdit);
    Bind(wxEVT_SLIDER, [this](wxCommandEvent& e) { model_.radiusMoved(e.GetInt()); }, M::idRadius);
    Bind(wxEVT_SLIDER, [this](wxCommandEvent& e) { model_.strengthMoved(e.GetInt()); }, M::idStrength);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.clearBrushClicked(e.IsChecked()); }, M::idClearBrush);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.opaqueClicked(); }, M::idOpaque);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.clearClicked(); }, M::idClear);
    model_.changed = [this] { showValues(); };
    showValues();
}

void CDlg_coll_water::showValues() {
    using namespace sitebars;
    showChecked(*this, M::idEnabled, model_.enabled());
    showChecked(*this, M::idEdit, model_.editing());
    showSlider(*this, M::idRadius, model_.radius());
    showSlider(*this, M::idStrength, model_.strength());
    showChecked(*this, M::idClearBrush, model_.clears());
    if (model_.shown() != IsShown()) Show(model_.shown());
}
