#include "app/site/bars/CDlgToolboxFlyingSite.h"

#include <array>

#include <wx/tglbtn.h>

namespace {

using ui::ControlKind;
using M = sitebars::SiteToolboxModel;

constexpr int kPitch = 18;

constexpr std::array<ui::ControlTemplate, M::kButtons.size()> makeControls() {
    std::array<ui::ControlTemplate, M::kButtons.size()> controls{};
    for (size_t i = 0; i < M::kButtons.size(); ++i)
        controls[i] = {M::kButtons[i].id, ControlKind::toggleButton, M::kButtons[i].caption,
                       {4, 4 + int(i) * kPitch, 60, 16}};
    return controls;
}
constexpr auto kControls = makeControls();
constexpr ui::DialogTemplate kTemplate = {"Toolbox", {68, 6 + int(M::kButtons.size()) * kPitch}, kControls};

}  // namespace

CDlgToolboxFlyingSite::CDlgToolboxFlyingSite(wxWindow* mainWindow, sitebars::SiteToolboxModel model)
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::captioned), model_(std::move(model)) {
    for (const sitebars::SiteToolButton& button : M::kButtons)
        Bind(wxEVT_TOGGLEBUTTON, [this, id = button.id](wxCommandEvent&) { model_.toolClicked(id); }, button.id);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        model_.closed();
        event.Skip();  // the tool window hides itself
    });
}

void CDlgToolboxFlyingSite::releaseToolButtons() {
    for (const sitebars::SiteToolButton& button : M::kButtons) control<wxToggleButton>(button.id)->SetValue(false);
}

void CDlgToolboxFlyingSite::pressToolButton(tbToolButton which) {
    if (const sitebars::SiteToolButton* button = M::buttonOf(which)) control<wxToggleButton>(button->id)->SetValue(true);
}
