// Real X events reach the engine: a pointer moved and clicked over the view
// and keys typed into it arrive as the engine's input events, in the view's
// device pixels, and a wheel turn arrives once.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>
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
#include "platform/win/winMessages.h"
#include "platform/win/winWindows.h"
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

// A frame with a plain view window, the engine's input attached to it and
// the feeder between them, as the program wires them.
class LiveView {
public:
    LiveView() {
        frame_ = new wxFrame(nullptr, wxID_ANY, "view input", wxPoint(40, 40), wxSize(420, 320));
        view = new wxWindow(frame_, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS, "view");
        frame_->Show();
        shown = test::pumpEventsUntil([&] { return view->IsShownOnScreen() && view->GetClientSize().x > 100; });
        view->SetFocus();

        simLinkInputSystem(systemLinks());
        application_ = std::make_unique<ViewApplication>();
        application_->createWindow(windows_.handleOf(view));
        new simInput();
        new simMouse();
        new simKeyboard();
        recorder = new testsupport::InputEventRecorder();
        feeder_ = std::make_unique<ui::ViewInputFeeder>(windows_, [this](const win::MSG& message) {
            application_->windowProc(message.hwnd, message.message, message.wParam, message.lParam, false);
        });
    }
    ~LiveView() {
        feeder_.reset();
        delete recorder;
        delete g_input;
        application_.reset();
        frame_->Destroy();
        test::pumpEventsUntil([] { return false; }, 50);
    }

    simMouse& mouse() { return *g_input->getMouse(); }
    // Device pixels per logical pixel of the view.
    int scale() const { return static_cast<int>(view->GetContentScaleFactor()); }

    wxWindow* view = nullptr;
    testsupport::InputEventRecorder* recorder = nullptr;
    bool shown = false;

private:
    ui::WxWindowSystem windows_;
    wxFrame* frame_ = nullptr;
    std::unique_ptr<ViewApplication> application_;
    std::unique_ptr<ui::ViewInputFeeder> feeder_;
};

// ctest runs each test in a process of its own, so each chooses its display
// scale before wx starts; run together, the first one's scale holds.
TEST(ViewInputFeeder, RealPointerAndKeyEventsArriveAsEngineEvents) {
    ASSERT_TRUE(test::startWx());
    LiveView live;
    ASSERT_TRUE(live.shown);

    // Making the mouse put the cursor at its start on the screen.
    win::POINT cursor;
    ASSERT_TRUE(win::GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, simMouse::kStartX);
    EXPECT_EQ(cursor.y, simMouse::kStartY);

    wxUIActionSimulator user;
    ASSERT_TRUE(user.MouseMove(live.view->ClientToScreen(wxPoint(60, 45))));
    const int scale = live.scale();
    EXPECT_TRUE(test::pumpEventsUntil([&] {
        return live.mouse().getX() == 60 * scale && live.mouse().getY() == 45 * scale;
    })) << "the mouse is at " << live.mouse().getX() << ", " << live.mouse().getY();

    ASSERT_TRUE(user.MouseClick(wxMOUSE_BTN_LEFT));
    EXPECT_TRUE(test::pumpEventsUntil([&] {
        return hasEvent(*live.recorder, simInputEvent_mouseButton, simMouseButton_left, simButtonState_released);
    }));
    EXPECT_TRUE(hasEvent(*live.recorder, simInputEvent_mouseButton, simMouseButton_left, simButtonState_pressed));

    // wx reports the second press of a double click as a double click; the
    // engine sees a press and makes the double click from the press times.
    test::pumpEventsUntil([] { return false; }, 200);  // past the double-click time of the last click
    live.recorder->events.clear();
    ASSERT_TRUE(user.MouseDblClick(wxMOUSE_BTN_LEFT));
    std::vector<uint32_t> states;
    EXPECT_TRUE(test::pumpEventsUntil([&] {
        states.clear();
        for (const simInputEvent& event : live.recorder->events)
            if (event.type == simInputEvent_mouseButton) states.push_back(event.buttonState);
        return states.size() >= 5;
    }));
    const std::vector<uint32_t> doubleClick = {simButtonState_pressed, simButtonState_released,
                                               simButtonState_doubleClick, simButtonState_pressed,
                                               simButtonState_released};
    EXPECT_EQ(states, doubleClick);

    ASSERT_TRUE(user.Char('k'));
    EXPECT_TRUE(test::pumpEventsUntil([&] {
        return hasEvent(*live.recorder, simInputEvent_key, 'K', simKeyState_released);
    })) << "the view has the focus: " << (wxWindow::FindFocus() == live.view);
    EXPECT_TRUE(hasEvent(*live.recorder, simInputEvent_key, 'K', simKeyState_pressed));
    EXPECT_TRUE(hasEvent(*live.recorder, simInputEvent_character, 'k', 0));
}

// wx hands a wheel turn nobody handled over the view on to the view's
// parent, and the hand-on passes the filter again: the engine still sees
// one turn. A turn at another time is a turn of its own.
TEST(ViewInputFeeder, AWheelTurnHandedOnToTheParentIsOneTurn) {
    ASSERT_TRUE(test::startWx());
    LiveView live;
    ASSERT_TRUE(live.shown);
    auto turn = [](wxWindow* window, long time) {
        wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
        wheel.SetEventObject(window);
        wheel.SetTimestamp(time);
        wheel.m_wheelRotation = 120;
        wheel.m_wheelDelta = 120;
        wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        window->GetEventHandler()->ProcessEvent(wheel);
    };
    auto turns = [&live] {
        return std::count_if(live.recorder->events.begin(), live.recorder->events.end(),
                             [](const simInputEvent& e) { return e.type == simInputEvent_wheel; });
    };
    turn(live.view, 1000);
    turn(live.view->GetParent(), 1000);
    EXPECT_EQ(turns(), 1);
    turn(live.view, 1200);
    EXPECT_EQ(turns(), 2);
}

TEST(ViewInputFeeder, OnAHiDpiDisplayPositionsArriveInDevicePixels) {
    setenv("GDK_SCALE", "2", 1);
    ASSERT_TRUE(test::startWx());
    LiveView live;
    ASSERT_TRUE(live.shown);
    if (live.scale() != 2) GTEST_SKIP() << "wx was started at scale " << live.scale() << " by an earlier test";

    win::POINT cursor;
    ASSERT_TRUE(win::GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, simMouse::kStartX) << "the start is in device pixels";

    wxUIActionSimulator user;
    ASSERT_TRUE(user.MouseMove(live.view->ClientToScreen(wxPoint(30, 20))));
    EXPECT_TRUE(test::pumpEventsUntil([&] { return live.mouse().getX() == 60 && live.mouse().getY() == 40; }))
        << "the mouse is at " << live.mouse().getX() << ", " << live.mouse().getY();
}

}  // namespace

namespace {

// Keys typed into a text box of a tool bar edit the text only: Delete in a
// name box must not delete the model's selected point. A key the engine
// already has down is still released there.
TEST(ViewInputFeeder, KeysTypedIntoATextBoxStayThere) {
    ASSERT_TRUE(test::startWx());
    ui::WxWindowSystem windows;
    std::vector<std::pair<win::UINT, win::WPARAM>> sent;
    ui::ViewInputFeeder feeder(windows, [&](const win::MSG& m) { sent.emplace_back(m.message, m.wParam); });
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bar");
    auto* text = new wxTextCtrl(frame, wxID_ANY);
    auto* panel = new wxWindow(frame, wxID_ANY);
    auto key = [&](wxEventType type, int code, wxWindow* target) {
        wxKeyEvent event(type);
        event.m_keyCode = code;
        event.SetEventObject(target);
        feeder.FilterEvent(event);
    };
    key(wxEVT_KEY_DOWN, 'Q', panel);          // held from elsewhere
    key(wxEVT_KEY_DOWN, WXK_DELETE, text);    // typed into the box
    key(wxEVT_KEY_UP, WXK_DELETE, text);
    key(wxEVT_KEY_UP, 'Q', text);             // released over the box: the engine had it down
    key(wxEVT_KEY_DOWN, WXK_DELETE, panel);   // not a text box: the engine's
    const std::vector<std::pair<win::UINT, win::WPARAM>> expected = {
        {win::WM_KEYDOWN, 'Q'}, {win::WM_KEYUP, 'Q'}, {win::WM_KEYDOWN, win::VK_DELETE}};
    EXPECT_EQ(sent, expected);
    frame->Destroy();
}

}  // namespace
