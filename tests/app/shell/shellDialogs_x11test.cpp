// The colour picker, the options dialog and the progress box on the display:
// each opened, driven through its control ids, closed, and photographed.
#include <array>
#include <string>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/app.h>
#include <wx/timer.h>

#include "app/shell/CDlgColourPicker.h"
#include "app/shell/CDlgOptions.h"
#include "app/shell/CDlgProgress.h"
#include "app/shell/tbBarColours.h"
#include "app/shell/tbToolState.h"
#include "platform/sys/clock.h"
#include "platform/ui/imageCanvas.h"
#include "platform/ui/swatchControl.h"
#include "tests/support/colourRecords.h"
#include "tests/support/ui/screenshot.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

using testsupport::rgb;

std::array<simColour, shell::kSwatchCount> greySwatches() {
    std::array<simColour, shell::kSwatchCount> swatches;
    for (int i = 0; i < shell::kSwatchCount; ++i) swatches[i] = rgb(8 * i, 255 - 8 * i, 60, 200);
    return swatches;
}

void press(wxWindow* window, wxEventType type, int x, int y) {
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(x, y));
    event.SetEventObject(window);
    event.m_leftDown = type == wxEVT_LEFT_DOWN;
    window->GetEventHandler()->ProcessEvent(event);
}

// A photograph of a dialog, kept for people to look at; it must hold more
// than the few colours of a blank window.
wxImage photograph(wxWindow* window, const std::string& name, int minColours) {
    const wxImage shot = test::captureWindow(window);
    EXPECT_TRUE(shot.IsOk());
    EXPECT_TRUE(test::keepScreenshot(shot, name));
    EXPECT_GE(test::distinctColours(shot), minColours) << name;
    return shot;
}

// The colour a photograph shows at the centre of a control.
wxColour centreOf(const wxImage& shot, wxWindow* dialog, wxWindow* control) {
    const wxPoint centre = dialog->ScreenToClient(control->ClientToScreen(wxPoint(0, 0))) +
                           wxPoint(control->GetClientSize().x / 2, control->GetClientSize().y / 2);
    return wxColour(shot.GetRed(centre.x, centre.y), shot.GetGreen(centre.x, centre.y), shot.GetBlue(centre.x, centre.y));
}

class FakeOptionsTarget : public shell::OptionsTarget {
public:
    bool storedAntialiasing() const override { return antialiasing; }
    simColour storedBackground() const override { return background; }
    void storeAntialiasing(bool on) override { antialiasing = on; }
    void storeBackground(const simColour& colour) override { background = colour; }
    void setWindowAntialiasing(bool on) override { windowAntialiasing = on ? 1 : 0; }
    void setClearColour(uint32_t argb) override { clearColour = argb; }
    void applyWindowChanges() override { ++applied; }

    bool antialiasing = true;
    simColour background = rgb(20, 40, 60);
    int windowAntialiasing = -1;
    uint32_t clearColour = 0;
    int applied = 0;
};

}  // namespace

TEST(ColourPickerWindow, PicksWithTheMouseAndEditsAndReturnsOnOk) {
    ASSERT_TRUE(test::startWx());
    sys::ManualClock clock;
    auto swatches = greySwatches();
    simColour result;
    CDialogToolbar picker(rgb(10, 120, 200, 77), &result, swatches, nullptr);
    EXPECT_EQ(result, rgb(10, 120, 200, 77)) << "the start colour is the result until OK";
    EXPECT_EQ(picker.control<wxTextCtrl>(CDialogToolbar::idAlpha)->GetValue(), "77");

    const int answer = test::runModal(picker, [&] {
        auto* square = picker.control<ui::ImageCanvas>(CDialogToolbar::idSquare);
        auto* hueBar = picker.control<ui::ImageCanvas>(CDialogToolbar::idHueBar);
        auto* grid = picker.control<ui::ImageCanvas>(CDialogToolbar::idSwatches);
        // The grid holds all 30 swatches, the square and the bar are drawn.
        EXPECT_GE(grid->GetClientSize().x, 6 * 23 + 5);
        EXPECT_GE(grid->GetClientSize().y, 5 * 23 + 5);
        press(square, wxEVT_LEFT_DOWN, 5, 5);  // too early: ignored
        EXPECT_EQ(picker.model().current(), rgb(10, 120, 200, 77));
        clock.advance(500);
        press(hueBar, wxEVT_LEFT_DOWN, hueBar->GetClientSize().x / 3, 2);
        press(square, wxEVT_LEFT_DOWN, square->GetClientSize().x - 1, 0);
        EXPECT_EQ(picker.model().current().green, 255) << "a third along the hue bar is green";
        EXPECT_EQ(picker.control<wxTextCtrl>(CDialogToolbar::idGreen)->GetValue(), "255");
        picker.control<wxTextCtrl>(CDialogToolbar::idRed)->SetValue("300");
        EXPECT_EQ(picker.model().current().red, 255);
        picker.control<wxTextCtrl>(CDialogToolbar::idAlpha)->SetValue("64");
        const wxImage shot = photograph(&picker, "colourPicker", 200);
        EXPECT_EQ(centreOf(shot, &picker, picker.control<wxWindow>(CDialogToolbar::idCurrentColour)),
                  wxColour(255, 255, 1));
        EXPECT_EQ(centreOf(shot, &picker, picker.control<wxWindow>(CDialogToolbar::idStartColour)),
                  wxColour(10, 120, 200));
        picker.clickButton(CDialogToolbar::idOk);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(result.red, 255);
    EXPECT_EQ(result.green, 255);
    EXPECT_EQ(result.alpha, 64);
}

TEST(ColourPickerWindow, CancelReturnsTheStartColourAndRightClickStoresASwatch) {
    ASSERT_TRUE(test::startWx());
    sys::ManualClock clock;
    auto swatches = greySwatches();
    simColour result;
    CDialogToolbar picker(rgb(1, 2, 3, 4), &result, swatches, nullptr);
    const int answer = test::runModal(picker, [&] {
        clock.advance(600);
        auto* grid = picker.control<ui::ImageCanvas>(CDialogToolbar::idSwatches);
        press(grid, wxEVT_LEFT_DOWN, 30, 30);
        EXPECT_EQ(picker.model().current(), rgb(48, 207, 60));
        press(grid, wxEVT_RIGHT_DOWN, 7, 7);
        picker.clickButton(CDialogToolbar::idCancel);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(result, rgb(1, 2, 3, 4));
    EXPECT_EQ(swatches[0], rgb(48, 207, 60, 200)) << "a stored swatch stays stored after Cancel";
}

// The picker a helper opens, once it shows: its red set, then `button` clicked.
void answerNextPicker(int red, int button) {
    auto* timer = new wxTimer;
    timer->Bind(wxEVT_TIMER, [timer, red, button](wxTimerEvent&) {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* picker = dynamic_cast<CDialogToolbar*>(window);
            if (!picker || !picker->IsModal()) continue;
            timer->Stop();
            picker->control<wxTextCtrl>(CDialogToolbar::idRed)->SetValue(std::to_string(red));
            picker->clickButton(button);
            wxTheApp->CallAfter([timer] { delete timer; });
            return;
        }
    });
    timer->Start(20);
}

// The swatch helpers every bar uses: a colour of the caller's own comes back
// as picked (the start after Cancel), a paint colour goes to the tool state.
TEST(ColourPickerWindow, TheBarHelpersGiveThePickedColour) {
    ASSERT_TRUE(test::startWx());
    auto swatches = greySwatches();
    answerNextPicker(90, CDialogToolbar::idOk);
    EXPECT_EQ(tbPickColour(nullptr, rgb(10, 20, 30), swatches), rgb(90, 20, 30));
    answerNextPicker(90, CDialogToolbar::idCancel);
    EXPECT_EQ(tbPickColour(nullptr, rgb(10, 20, 30), swatches), rgb(10, 20, 30));

    tbToolState tools;
    tools.setSecondColour(rgb(1, 2, 3));
    answerNextPicker(200, CDialogToolbar::idOk);
    tbPickPaintColour(nullptr, tools, tbPaintColour::second, swatches);
    EXPECT_EQ(tools.secondColour(), rgb(200, 2, 3));
    EXPECT_EQ(tbWxColour(rgb(200, 2, 3, 0)), wxColour(200, 2, 3));
}

TEST(OptionsWindow, PicksTheBackdropThroughThePickerAndAccepts) {
    ASSERT_TRUE(test::startWx());
    sys::ManualClock clock;
    auto swatches = greySwatches();
    FakeOptionsTarget target;
    CDlgOptions dialog(target, swatches, nullptr);
    EXPECT_TRUE(dialog.control<wxCheckBox>(CDlgOptions::idAntialiasing)->GetValue());
    EXPECT_EQ(dialog.control<ui::SwatchControl>(CDlgOptions::idBackground)->colour(), wxColour(20, 40, 60));

    const int answer = test::runModal(dialog, [&] {
        const wxImage shot = photograph(&dialog, "systemOptions", 3);
        EXPECT_EQ(centreOf(shot, &dialog, dialog.control<wxWindow>(CDlgOptions::idBackground)), wxColour(20, 40, 60));
        // The swatch opens the picker modally; it is driven from inside.
        dialog.CallAfter([&] {
            CDialogToolbar* picker = nullptr;
            test::pumpEventsUntil([&] { return (picker = test::findShownWindow<CDialogToolbar>()) != nullptr; });
            ASSERT_NE(picker, nullptr);
            picker->control<wxTextCtrl>(CDialogToolbar::idBlue)->SetValue("250");
            picker->clickButton(CDialogToolbar::idOk);
        });
        wxCommandEvent click(wxEVT_BUTTON, CDlgOptions::idBackground);
        dialog.control<ui::SwatchControl>(CDlgOptions::idBackground)->GetEventHandler()->ProcessEvent(click);
        EXPECT_EQ(dialog.model().colour(), rgb(20, 40, 250));
        EXPECT_EQ(target.background, rgb(20, 40, 60)) << "nothing is stored before Accept";
        dialog.control<wxCheckBox>(CDlgOptions::idAntialiasing)->SetValue(false);
        dialog.clickButton(CDlgOptions::idAccept);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_FALSE(target.antialiasing);
    EXPECT_EQ(target.windowAntialiasing, 0);
    EXPECT_EQ(target.background, rgb(20, 40, 250));
    EXPECT_EQ(target.clearColour, 0xff1428faU);
    EXPECT_EQ(target.applied, 1);
}

// The dialog's own Cancel button, after a colour was picked and the switch
// flipped: nothing reaches the settings, the engine window or the renderer.
TEST(OptionsWindow, CancelAfterPickingAndTogglingChangesNothing) {
    ASSERT_TRUE(test::startWx());
    sys::ManualClock clock;
    auto swatches = greySwatches();
    FakeOptionsTarget target;
    CDlgOptions dialog(target, swatches, nullptr);
    const int answer = test::runModal(dialog, [&] {
        dialog.CallAfter([&] {
            CDialogToolbar* picker = nullptr;
            test::pumpEventsUntil([&] { return (picker = test::findShownWindow<CDialogToolbar>()) != nullptr; });
            ASSERT_NE(picker, nullptr);
            picker->control<wxTextCtrl>(CDialogToolbar::idRed)->SetValue("200");
            picker->clickButton(CDialogToolbar::idOk);
        });
        wxCommandEvent click(wxEVT_BUTTON, CDlgOptions::idBackground);
        dialog.control<ui::SwatchControl>(CDlgOptions::idBackground)->GetEventHandler()->ProcessEvent(click);
        ASSERT_EQ(dialog.model().colour(), rgb(200, 40, 60)) << "the pick reached the dialog";
        dialog.control<wxCheckBox>(CDlgOptions::idAntialiasing)->SetValue(false);
        dialog.clickButton(CDlgOptions::idCancel);
    });
    EXPECT_EQ(answer, 1);
    EXPECT_TRUE(target.antialiasing);
    EXPECT_EQ(target.background, rgb(20, 40, 60));
    EXPECT_EQ(target.windowAntialiasing, -1);
    EXPECT_EQ(target.clearColour, 0u);
    EXPECT_EQ(target.applied, 0);
}

TEST(ProgressBoxWindow, OpensAtZeroMovesAndStaysUntilHidden) {
    ASSERT_TRUE(test::startWx());
    tbProgress progress(CProgressBox::factory(nullptr));
    progress.show("Importing", "Importing model...");
    CProgressBox* box = test::findShownWindow<CProgressBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetTitle(), "Importing");
    EXPECT_EQ(box->control<wxStaticText>(CProgressBox::idText)->GetLabel(), "Importing model...");
    EXPECT_EQ(box->control<wxGauge>(CProgressBox::idBar)->GetValue(), 0);
    progress.set(62.5f);
    EXPECT_EQ(box->control<wxGauge>(CProgressBox::idBar)->GetValue(), 62);
    box->Close();  // the close box and Esc do nothing
    EXPECT_TRUE(box->IsShown());
    const wxImage shot = photograph(box, "progressBox", 3);
    // The filled part of the bar (GTK's highlight is blue) stops at 62%.
    wxWindow* bar = box->control<wxWindow>(CProgressBox::idBar);
    const wxPoint barAt = box->ScreenToClient(bar->ClientToScreen(wxPoint(0, 0)));
    auto bluePixelsInColumn = [&](double fraction) {
        const int x = barAt.x + static_cast<int>(fraction * bar->GetClientSize().x);
        int count = 0;
        for (int y = 0; y < shot.GetHeight(); ++y) count += shot.GetBlue(x, y) > shot.GetRed(x, y) + 60;
        return count;
    };
    EXPECT_GT(bluePixelsInColumn(0.3), 0);
    EXPECT_EQ(bluePixelsInColumn(0.8), 0);
    progress.hide();
    EXPECT_EQ(test::findShownWindow<CProgressBox>(), nullptr);
    // It opens at 0 again.
    progress.show("Again", "text");
    EXPECT_EQ(test::findShownWindow<CProgressBox>()->control<wxGauge>(CProgressBox::idBar)->GetValue(), 0);
    progress.hide();
}
