#include "app/shell/CDlgProgress.h"

#include <algorithm>

#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {CProgressBox::idText, ControlKind::label, "Static", {7, 7, 356, 23}},
    {CProgressBox::idBar, ControlKind::progressBar, "", {7, 38, 356, 18}},
};
constexpr ui::DialogTemplate kTemplate = {"Progress Indicator", {370, 73}, kControls};

}  // namespace

CProgressBox::CProgressBox(const std::string& title, const std::string& text, wxWindow* parent)
    : ui::TemplateDialog(parent, kTemplate, {}) {
    SetTitle(wxString::FromUTF8(title));
    control<wxStaticText>(idText)->SetLabel(wxString::FromUTF8(text));
    control<wxGauge>(idBar)->SetRange(100);
    control<wxGauge>(idBar)->SetValue(0);
    Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& event) {
        if (event.CanVeto()) event.Veto();
        else event.Skip();
    });
    Show();
    repaintNow();
}

void CProgressBox::setPosition(int percent) {
    control<wxGauge>(idBar)->SetValue(std::clamp(percent, 0, 100));
    repaintNow();
}

void CProgressBox::repaintNow() {
    Update();
    // Paint and size events only: the frame timer and the user's input stay
    // queued, so no frame runs inside the work that shows the box.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

tbProgress::BoxFactory CProgressBox::factory(wxWindow* mainWindow) {
    return [mainWindow](const std::string& title, const std::string& text) -> std::unique_ptr<tbProgressBox> {
        return std::make_unique<CProgressBox>(title, text, mainWindow);
    };
}
