// The dialog layer on the display: controls found by id in table order,
// laid out so GTK's widgets fit, tool windows that hide when closed and float
// over the main window again after a message box, and the Space and wheel
// rule.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "platform/ui/inputPreFilter.h"
#include "platform/ui/messageBox.h"
#include "platform/ui/swatchControl.h"
#include "platform/ui/templateDialog.h"
#include "platform/ui/toolWindow.h"
#include "platform/ui/viewInputFeeder.h"
#include "platform/ui/wxWindowSystem.h"
#include "tests/support/ui/topWindows.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {101, ControlKind::checkBox, "Antialiasing", {4, 4, 30, 8}},
    {102, ControlKind::edit, "text", {4, 16, 60, 12}},
    {103, ControlKind::swatch, "", {70, 16, 20, 20}},
    {104, ControlKind::pushButton, "Go", {4, 40, 40, 16}},
};
constexpr ui::DialogTemplate kTable = {"Table", {100, 60}, kControls};

wxKeyEvent keyDown(wxWindow* window, int code) {
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = code;
    event.SetEventObject(window);
    return event;
}

}  // namespace

TEST(DialogLayer, ControlsAreFoundByIdInTableOrderAndFitTheirCaptions) {
    ASSERT_TRUE(test::startWx());
    ui::TemplateDialog dialog(nullptr, kTable, {104, wxID_NONE});
    EXPECT_EQ(dialog.GetTitle(), "Table");
    auto* check = dialog.control<wxCheckBox>(101);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(dialog.control<wxTextCtrl>(101), nullptr) << "a control of another class is not found";
    EXPECT_EQ(dialog.control<wxCheckBox>(999), nullptr);
    EXPECT_EQ(dialog.control<wxTextCtrl>(102)->GetValue(), "text");
    // Tab order is table order.
    EXPECT_EQ(check->GetNextSibling(), dialog.control<wxWindow>(102));
    // The layout stretches until the caption's natural size fits.
    EXPECT_GE(check->GetSize().x, check->GetBestSize().x);
    EXPECT_GE(check->GetSize().y, check->GetBestSize().y);
    EXPECT_GE(dialog.control<wxTextCtrl>(102)->GetSize().y, dialog.control<wxTextCtrl>(102)->GetBestSize().y);
    // A swatch reports a click as its button event.
    int clicks = 0;
    dialog.Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++clicks; }, 103);
    wxMouseEvent press(wxEVT_LEFT_DOWN);
    dialog.control<ui::SwatchControl>(103)->GetEventHandler()->ProcessEvent(press);
    EXPECT_EQ(clicks, 1);
}

// What a table says beyond kind and caption reaches the control at build
// time: a read-only edit, a slider's own range (starting at its minimum),
// and the defaults for a table that says nothing.
TEST(DialogLayer, TableStylesAndRangesReachTheControls) {
    ASSERT_TRUE(test::startWx());
    constexpr ui::ControlTemplate controls[] = {
        {201, ControlKind::edit, "[No image]", {4, 4, 60, 12}, ui::ControlStyle::readOnly},
        {202, ControlKind::edit, "", {4, 20, 60, 12}},
        {203, ControlKind::slider, "", {4, 36, 80, 12}, ui::ControlStyle::plain, {1, 200}},
        {204, ControlKind::slider, "", {4, 52, 80, 12}},
    };
    ui::TemplateDialog dialog(nullptr, {"Ranges", {100, 70}, controls}, {wxID_NONE, wxID_NONE});
    EXPECT_FALSE(dialog.control<wxTextCtrl>(201)->IsEditable());
    EXPECT_EQ(dialog.control<wxTextCtrl>(201)->GetValue(), "[No image]");
    EXPECT_TRUE(dialog.control<wxTextCtrl>(202)->IsEditable());
    const struct {
        int id, minimum, maximum;
    } sliders[] = {{203, 1, 200}, {204, 0, 100}};
    for (const auto& s : sliders) {
        auto* slider = dialog.control<wxSlider>(s.id);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->GetMin(), s.minimum);
        EXPECT_EQ(slider->GetMax(), s.maximum);
        EXPECT_EQ(slider->GetValue(), s.minimum);
    }
}

TEST(DialogLayer, TallTablesAndStripBarsKeepToTheirHeight) {
    ASSERT_TRUE(test::startWx());
    // A table that the font's units would make taller than a 768-line screen.
    constexpr ui::ControlTemplate kTallControls[] = {
        {201, ControlKind::label, "Pick one:", {7, 7, 80, 8}},
        {202, ControlKind::treeView, "", {7, 18, 86, 360}},
        {203, ControlKind::pushButton, "Select", {40, 382, 50, 14}},
    };
    ui::TemplateDialog tall(nullptr, {"Tall", {100, 400}, kTallControls});
    EXPECT_LE(tall.GetClientSize().y, 700);
    EXPECT_TRUE(wxRect(tall.GetClientSize()).Contains(tall.control<wxWindow>(203)->GetRect()));

    // A strip bar: one scale that makes its 27 units 40 pixels, a font whose
    // line fits a label's 8 units, and a slider GTK can still draw.
    constexpr ui::ControlTemplate kStripControls[] = {
        {301, ControlKind::label, "Hardness", {6, 1, 40, 8}},
        {302, ControlKind::slider, "", {4, 10, 92, 16}},
        {303, ControlKind::edit, "", {98, 11, 30, 13}},
        {304, ControlKind::toggleButton, "Go", {480, 6, 44, 16}},
    };
    wxFrame* main = new wxFrame(nullptr, wxID_ANY, "main");
    auto* bar = new ui::ToolWindow(main, {nullptr, {584, 27}, kStripControls}, ui::StripBar{40});
    EXPECT_EQ(bar->GetClientSize().y, 40);
    EXPECT_DOUBLE_EQ(bar->layout().scaleX(), 40.0 / 27);
    EXPECT_DOUBLE_EQ(bar->layout().scaleY(), 40.0 / 27);
    EXPECT_EQ(bar->control<wxWindow>(304)->GetRect(), wxRect(711, 9, 65, 24));
    EXPECT_LE(bar->control<wxWindow>(301)->GetCharHeight(), 12);
    const wxWindow* slider = bar->control<wxWindow>(302);
    EXPECT_GE(slider->GetSize().y, std::min(slider->GetBestSize().y, 40));
    EXPECT_TRUE(wxRect(bar->GetClientSize()).Contains(slider->GetRect()));
    bar->Destroy();
    main->Destroy();
    test::pumpEventsUntil([] { return false; }, 50);
}

TEST(DialogLayer, ToolWindowsHideWhenClosedAndSwallowSpaceAndTheWheel) {
    ASSERT_TRUE(test::startWx());
    wxFrame* main = new wxFrame(nullptr, wxID_ANY, "main");
    main->Show();
    auto* bar = new ui::ToolWindow(main, kTable, ui::ToolWindowFrame::captioned);
    bar->Show();
    test::pumpEventsUntil([&] { return bar->IsShownOnScreen(); });
    bar->Close();
    EXPECT_FALSE(bar->IsShown()) << "closing hides";
    EXPECT_NE(wxDynamicCast(bar, wxWindow), nullptr) << "and the bar lives on";
    EXPECT_TRUE(bar->HasFlag(wxFRAME_NO_TASKBAR));
    EXPECT_TRUE(bar->HasFlag(wxFRAME_FLOAT_ON_PARENT));

    wxWindow* inBar = bar->control<wxWindow>(102);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetEventObject(inBar);
    EXPECT_TRUE(ui::isSwallowed(keyDown(inBar, WXK_SPACE)));
    EXPECT_TRUE(ui::isSwallowed(wheel));
    EXPECT_FALSE(ui::isSwallowed(keyDown(inBar, 'A')));
    wxKeyEvent spaceUp(wxEVT_KEY_UP);
    spaceUp.m_keyCode = WXK_SPACE;
    spaceUp.SetEventObject(inBar);
    EXPECT_FALSE(ui::isSwallowed(spaceUp));
    // A plain dialog keeps its keys.
    ui::TemplateDialog plain(nullptr, kTable);
    EXPECT_FALSE(ui::isSwallowed(keyDown(plain.control<wxWindow>(102), WXK_SPACE)));

    // The program's input filter hands Space to the engine first, then stops it.
    ui::WxWindowSystem windows;
    int toEngine = 0;
    ui::ViewInputFeeder feeder(windows, [&](const win::MSG&) { ++toEngine; });
    wxKeyEvent space = keyDown(bar->control<wxWindow>(101), WXK_SPACE);
    EXPECT_EQ(feeder.FilterEvent(space), wxEventFilter::Event_Processed);
    EXPECT_EQ(toEngine, 1);
    // Typed into the bar's text box, Space is the text's: the engine never sees it.
    wxKeyEvent spaceInText = keyDown(inBar, WXK_SPACE);
    EXPECT_EQ(feeder.FilterEvent(spaceInText), wxEventFilter::Event_Skip);
    EXPECT_EQ(toEngine, 1);
    wxKeyEvent spaceInDialog = keyDown(plain.control<wxWindow>(101), WXK_SPACE);
    EXPECT_EQ(feeder.FilterEvent(spaceInDialog), wxEventFilter::Event_Skip);
    EXPECT_EQ(toEngine, 2);
    bar->Destroy();
    main->Destroy();
    test::pumpEventsUntil([] { return false; }, 50);
}

TEST(DialogLayer, ToolWindowsFloatOverTheMainWindowAgainAfterAMessageBox) {
    ASSERT_TRUE(test::startWx());
    wxFrame* main = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(600, 400));
    main->Show();
    auto* bar = new ui::ToolWindow(main, kTable, ui::ToolWindowFrame::captioned);
    bar->Move(40, 40);
    bar->Show();
    constexpr ui::DialogTemplate kHiddenTable = {"Hidden", {100, 60}, kControls};
    auto* hidden = new ui::ToolWindow(main, kHiddenTable, ui::ToolWindowFrame::captioned);
    test::pumpEventsUntil([&] { return bar->IsShownOnScreen() && test::isStackedAbove("Table", "main"); });
    ASSERT_TRUE(test::isStackedAbove("Table", "main"));
    const wxPoint place = bar->GetScreenPosition();

    // The box is answered as a window manager's close box would, from its own loop.
    wxTimer answer;
    answer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (!test::closeWindowTitled("Export failed")) answer.StartOnce(50);
    });
    for (ui::MessageBoxKind kind : {ui::MessageBoxKind::notice, ui::MessageBoxKind::error}) {
        answer.StartOnce(50);
        ui::askUser({"Nothing to export.", "Export failed", kind}, main);
        EXPECT_TRUE(test::pumpEventsUntil([] { return test::isStackedAbove("Table", "main"); }, 2000))
            << "the bar stays under the main window after box " << int(kind);
        EXPECT_TRUE(bar->IsShown());
        EXPECT_EQ(bar->GetScreenPosition(), place);
        EXPECT_FALSE(hidden->IsShown()) << "a hidden bar stays hidden";
        test::pumpEventsUntil([] { return false; }, 100);
        EXPECT_EQ(test::focusedTopWindowTitle(), "main") << "the keyboard stays with the main window";
    }

    // A box over a modal dialog leaves the bars where they are, under the dialog.
    constexpr ui::DialogTemplate kModalTable = {"Modal", {100, 60}, kControls};
    auto* modal = new ui::TemplateDialog(main, kModalTable);
    test::runModal(*modal, [&] {
        test::pumpEventsUntil([] { return test::isStackedAbove("Modal", "Table"); });
        answer.StartOnce(50);
        ui::askUser({"Nothing to export.", "Export failed", ui::MessageBoxKind::error}, modal);
        test::pumpEventsUntil([] { return false; }, 200);
        EXPECT_TRUE(test::isStackedAbove("Modal", "Table")) << "the bar covers the modal dialog";
        modal->EndModal(wxID_OK);
    });
    modal->Destroy();
    bar->Destroy();
    hidden->Destroy();
    main->Destroy();
    test::pumpEventsUntil([] { return false; }, 50);
}
