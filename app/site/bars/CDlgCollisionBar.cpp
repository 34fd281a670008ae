#include "app/site/bars/CDlgCollisionBar.h"

#include <array>

#include <wx/tglbtn.h>
#include <wx/combobox.h>

#include "app/shell/tbToolbarLayout.h"
#include "app/site/bars/tbSiteBarControls.h"

namespace {

using ui::ControlKind;
using M = sitebars::CollisionBarModel;

constexpr int kTypeWidth = 28;
constexpr int kListLeft = 4 + int(M::kTypeToggles.size()) * kTypeWidth + 36;

// The type toggles in the model's order, then the rest.
constexpr std::array<ui::ControlTemplate, M::kTypeToggles.size() + 4> makeControls() {
    std::array<ui::ControlTemplate, M::kTypeToggles.size() + 4> controls{};
    for (size_t i = 0; i < M::kTypeToggles.size(); ++i)
        controls[i] = {M::kTypeToggles[i].id, ControlKind::toggleButton, M::kTypeToggles[i].caption,
                       {4 + int(i) * kTypeWidth, 10, kTypeWidth - 2, 14}};
    const size_t n = M::kTypeToggles.size();
    controls[n] = {M::idWater, ControlKind::toggleButton, "Water", {kListLeft - 34, 10, 30, 14}};
    controls[n + 1] = {M::idList, ControlKind::dropDownCombo, "", {kListLeft, 10, 80, 14}};
    controls[n + 2] = {M::idDelete, ControlKind::pushButton, "Delete", {kListLeft + 84, 10, 28, 14}};
    controls[n + 3] = {M::idCopy, ControlKind::pushButton, "Copy", {kListLeft + 114, 10, 24, 14}};
    return controls;
}
constexpr auto kControls = makeControls();
constexpr ui::DialogTemplate kTemplate = {nullptr, {585, 27}, kControls};

}  // namespace

CDlgCollisionBar::CDlgCollisionBar(wxWindow* mainWindow, sitebars::CollisionBarModel& model)
    : ui::ToolWindow(mainWindow, kTemplate, ui::StripBar{kStripBarHeight}), model_(model) {
    for (const sitebars::TypeToggle& toggle : M::kTypeToggles)
        Bind(wxEVT_TOGGLEBUTTON, [this, id = toggle.id](wxCommandEvent& e) { model_.typeClicked(id, e.IsChecked()); },
             toggle.id);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent& e) { model_.waterClicked(e.IsChecked()); }, M::idWater);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.listSelected(control<wxComboBox>(M::idList)->GetSelection());
    }, M::idList);
    Bind(wxEVT_COMBOBOX_DROPDOWN, [this](wxCommandEvent&) { dropped_ = true; }, M::idList);
    Bind(wxEVT_COMBOBOX_CLOSEUP, [this](wxCommandEvent&) { dropped_ = false; }, M::idList);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.deleteClicked(); }, M::idDelete);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.copyClicked(); }, M::idCopy);
    model_.changed = [this] { showValues(); };
    showValues();
}

void CDlgCollisionBar::showValues() {
    using namespace sitebars;
    for (const TypeToggle& toggle : M::kTypeToggles) showChecked(*this, toggle.id, model_.isChecked(toggle.toggle));
    showChecked(*this, M::idWater, model_.isChecked(M::Toggle::water));
    showChoices(*this, M::idList, entryNames(model_.list()), model_.list().selection());
}
