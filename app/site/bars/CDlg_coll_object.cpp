#include "app/site/bars/CDlg_coll_object.h"

#include <wx/tglbtn.h>
#include <array>

#include <wx/combobox.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include "app/site/tbNamedIds.h"
#include "app/site/bars/tbSiteBarControls.h"
#include "app/site/tbSiteNames.h"

namespace {

using ui::ControlKind;
using M = sitebars::ObjectEditorModel;
using H = sitebars::HeightMapEditorModel;

// The controls every object editor starts with, in tab order.
constexpr std::array<ui::ControlTemplate, 8> kCommon = {{
    {-1, ControlKind::label, "Name:", {4, 4, 30, 8}},
    {M::idName, ControlKind::edit, "", {36, 2, 80, 12}},
    {-1, ControlKind::label, "Material:", {4, 18, 30, 8}},
    {M::idMaterial, ControlKind::dropDownCombo, "", {36, 16, 80, 12}},
    {M::idDelete, ControlKind::pushButton, "Delete", {4, 32, 54, 14}},
    {M::idCopy, ControlKind::pushButton, "Copy", {62, 32, 54, 14}},
    {M::idDraw, ControlKind::toggleButton, "Draw", {4, 48, 54, 14}},
    {M::idVisible, ControlKind::toggleButton, "Visible", {62, 48, 54, 14}},
}};

// The common controls followed by the kind's own.
template <size_t N>
constexpr std::array<ui::ControlTemplate, kCommon.size() + N> withCommon(
    const std::array<ui::ControlTemplate, N>& own) {
    std::array<ui::ControlTemplate, kCommon.size() + N> controls{};
    for (size_t i = 0; i < kCommon.size(); ++i) controls[i] = kCommon[i];
    for (size_t i = 0; i < N; ++i) controls[kCommon.size() + i] = own[i];
    return controls;
}

constexpr auto kPrimitive = withCommon(std::array<ui::ControlTemplate, 0>{});
constexpr auto kArea = withCommon(std::array<ui::ControlTemplate, 1>{{
    {CDlg_coll_area::idEditPoints, ControlKind::toggleButton, "Edit/add points", {4, 66, 112, 14}},
}});
constexpr auto kSkyline = withCommon(std::array<ui::ControlTemplate, 1>{{
    {CDlg_coll_skyline::idEditPoints, ControlKind::toggleButton, "Add/edit points", {4, 66, 112, 14}},
}});
constexpr ui::ValueRange kBrushRange = {H::kBrushMinimum, H::kBrushMaximum};
constexpr auto kHeightMap = withCommon(std::array<ui::ControlTemplate, 10>{{
    {H::idEditSurface, ControlKind::toggleButton, "Edit surface", {4, 66, 112, 14}},
    {-1, ControlKind::label, "Brush radius:", {4, 84, 112, 8}},
    {H::idRadius, ControlKind::slider, "", {4, 92, 112, 14}, ui::ControlStyle::plain, kBrushRange},
    {-1, ControlKind::label, "Brush strength:", {4, 108, 112, 8}},
    {H::idStrength, ControlKind::slider, "", {4, 116, 112, 14}, ui::ControlStyle::plain, kBrushRange},
    {H::idDepress, ControlKind::toggleButton, "depress", {4, 132, 54, 14}},
    {H::idMinimumCheck, ControlKind::checkBox, "Minimum height", {4, 150, 70, 12}},
    {H::idMinimum, ControlKind::edit, "", {76, 150, 40, 12}},
    {H::idMaximumCheck, ControlKind::checkBox, "Maximum height", {4, 164, 70, 12}},
    {H::idMaximum, ControlKind::edit, "", {76, 164, 40, 12}},
}});

constexpr ui::DialogTemplate kPrimitiveTemplate = {"Collision editor (Primitive)", {120, 66}, kPrimitive};
constexpr ui::DialogTemplate kAreaTemplate = {"Collision editor (Area)", {120, 84}, kArea};
constexpr ui::DialogTemplate kSkylineTemplate = {"Collision editor (Skyline)", {120, 84}, kSkyline};
constexpr ui::DialogTemplate kHeightMapTemplate = {"Collision editor (Height-map)", {120, 180}, kHeightMap};

}  // namespace

CDlg_coll_object::CDlg_coll_object(wxWindow* mainWindow, const ui::DialogTemplate& table,
                                   sitebars::ObjectEditorModel& model, int ownToggle,
                                   std::span<const int> spaceEdits)
    : ui::ToolWindow(mainWindow, table, ui::ToolWindowFrame::captioned),
      model_(model),
      ownToggle_(ownToggle),
      spaceEdits_(spaceEdits) {
    control<wxTextCtrl>(M::idName)->SetMaxLength(kSiteNameMaxLength);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.deleteClicked(); }, M::idDelete);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.copyClicked(); }, M::idCopy);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { model_.materialSelected(sitebars::textOf(*this, M::idMaterial)); },
         M::idMaterial);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.drawClicked(e.IsChecked()); }, M::idDraw);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.visibleClicked(e.IsChecked()); }, M::idVisible);
    if (ownToggle_)
        Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.ownToggleClicked(e.IsChecked()); }, ownToggle_);
    control<wxTextCtrl>(M::idName)->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        model_.nameEdited(sitebars::textOf(*this, M::idName));
        event.Skip();
    });
    model_.changed = [this] { showValues(); };
    // Shown by the selection alone: closing it leaves it to the next one.
    sitebars::showChoices(*this, M::idMaterial, sitebars::tableNames(kSurfaceKinds), 0);
}

bool CDlg_coll_object::takesSpace(const wxWindow& control) const {
    return sitebars::isOneOfEdits(control, spaceEdits_);
}

void CDlg_coll_object::showValues() {
    using namespace sitebars;
    showText(*this, M::idName, model_.nameText());
    showChoices(*this, M::idMaterial, tableNames(kSurfaceKinds), model_.materialIndex());
    showChecked(*this, M::idDraw, model_.draw());
    showChecked(*this, M::idVisible, model_.visible());
    if (ownToggle_) showChecked(*this, ownToggle_, model_.ownToggle());
    if (model_.shown() != IsShown()) Show(model_.shown());
}

CDlg_coll_primitive::CDlg_coll_primitive(wxWindow* mainWindow, sitebars::ObjectEditorModel& model)
    : CDlg_coll_object(mainWindow, kPrimitiveTemplate, model, 0) {
    showValues();
}

CDlg_coll_area::CDlg_coll_area(wxWindow* mainWindow, sitebars::ObjectEditorModel& model)
    : CDlg_coll_object(mainWindow, kAreaTemplate, model, idEditPoints) {
    showValues();
}

CDlg_coll_skyline::CDlg_coll_skyline(wxWindow* mainWindow, sitebars::ObjectEditorModel& model)
    : CDlg_coll_object(mainWindow, kSkylineTemplate, model, idEditPoints) {
    showValues();
}

CDlg_coll_hmap::CDlg_coll_hmap(wxWindow* mainWindow, sitebars::HeightMapEditorModel& model)
    : CDlg_coll_object(mainWindow, kHeightMapTemplate, model, H::idEditSurface, H::kSpaceEdits), brush_(model) {
    Bind(wxEVT_SLIDER, [this](wxCommandEvent& e) { brush_.radiusMoved(e.GetInt()); }, H::idRadius);
    Bind(wxEVT_SLIDER, [this](wxCommandEvent& e) { brush_.strengthMoved(e.GetInt()); }, H::idStrength);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { brush_.depressClicked(e.IsChecked()); }, H::idDepress);
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { brush_.minimumChecked(e.IsChecked()); }, H::idMinimumCheck);
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { brush_.maximumChecked(e.IsChecked()); }, H::idMaximumCheck);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { brush_.minimumEdited(sitebars::textOf(*this, H::idMinimum)); },
         H::idMinimum);
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) { brush_.maximumEdited(sitebars::textOf(*this, H::idMaximum)); },
         H::idMaximum);
    showValues();
}

void CDlg_coll_hmap::showValues() {
    using namespace sitebars;
    showSlider(*this, H::idRadius, brush_.radius());
    showSlider(*this, H::idStrength, brush_.strength());
    showChecked(*this, H::idDepress, brush_.depress());
    showChecked(*this, H::idMinimumCheck, brush_.minimumOn());
    showChecked(*this, H::idMaximumCheck, brush_.maximumOn());
    showText(*this, H::idMinimum, brush_.minimumText());
    showText(*this, H::idMaximum, brush_.maximumText());
    CDlg_coll_object::showValues();
}
