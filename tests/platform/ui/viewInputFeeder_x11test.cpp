// Real X events reach the engine: a pointer moved and clicked over the view
// and keys typed into it arrive as the engine's input events.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputLinks.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/simSystemLinks.h"
#include "platform/ui/viewInputFeeder.h"
#include "platform/ui/wxWindowSystem.h"
#include "tests/support/inputEventRecorder.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

class ViewApplication : public simApplication {
public:
    ViewApplication() : simApplication(simVersion(2, 5, 'a'), "viewInputTest", nullptr, true) {}
};

bool hasEvent(const testsupport::InputEventRecorder& recorder, uint32_t type, uint32_t code, uint32_t state) {
    for (const simInputEvent& event : recorder.events) {
        if (event.type != type) continue;
        const bool button = type == simInputEvent_mouseButton;
        if ((button ? event.button : event.key) == code && (button ? event.buttonState : event.keyState) == state)
            return true;
    }
    return false;
}

TEST(ViewInputFeeder, RealPointerAndKeyEventsArriveAsEngineEvents) {
    ASSERT_TRUE(test::startWx());
    ui::WxWindowSystem windows;

    auto* frame = new wxFrame(nullptr, wxID_ANY, "view input", wxPoint(40, 40), wxSize(420, 320));
    auto* view = new wxWindow(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS, "view");
    frame->Show();
    ASSERT_TRUE(test::pumpEventsUntil([&] { return view->IsShownOnScreen() && view->GetClientSize().x > 100; }));
    view->SetFocus();

    simLinkInputSystem(systemLinks());
    ViewApplication application;
    application.createWindow(windows.handleOf(view));
    new simInput();
    new simMouse();
    new simKeyboard();
    auto* recorder = new testsupport::InputEventRecorder();

    // Making the mouse put the cursor at its start on the screen.
    const wxPoint start = wxGetMousePosition();
    EXPECT_EQ(start, wxPoint(simMouse::kStartX, simMouse::kStartY));

    ui::ViewInputFeeder feeder(windows, [&](const win::MSG& message) {
        application.windowProc(message.hwnd, message.message, message.wParam, message.lParam, false);
    });

    wxUIActionSimulator user;
    const wxPoint target = view->ClientToScreen(wxPoint(60, 45));
    ASSERT_TRUE(user.MouseMove(target));
    const int scale = static_cast<int>(view->GetContentScaleFactor());
    EXPECT_TRUE(test::pumpEventsUntil([&] {
        return g_input->getMouse()->getX() == 60 * scale && g_input->getMouse()->getY() == 45 * scale;
    })) << "the mouse is at " << g_input->getMouse()->getX() << ", " << g_input->getMouse()->getY();
    EXPECT_TRUE(recorder->has(simInputEvent_mouseMove));

    ASSERT_TRUE(user.MouseClick(wxMOUSE_BTN_LEFT));
    EXPECT_TRUE(test::pumpEventsUntil([&] {
        return hasEvent(*recorder, simInputEvent_mouseButton, simMouseButton_left, simButtonState_released);
    }));
    EXPECT_TRUE(hasEvent(*recorder, simInputEvent_mouseButton, simMouseButton_left, simButtonState_pressed));

    ASSERT_TRUE(user.Char('k'));
    EXPECT_TRUE(test::pumpEventsUntil([&] {
        return hasEvent(*recorder, simInputEvent_key, 'K', simKeyState_released);
    })) << "the view has the focus: " << (wxWindow::FindFocus() == view);
    EXPECT_TRUE(hasEvent(*recorder, simInputEvent_key, 'K', simKeyState_pressed));
    EXPECT_TRUE(hasEvent(*recorder, simInputEvent_character, 'k', 0));

    delete recorder;
    delete g_input;
    frame->Destroy();
    test::pumpEventsUntil([] { return false; }, 50);
}

}  // namespace
