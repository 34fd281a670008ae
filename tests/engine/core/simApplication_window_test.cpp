#include "engine/core/utilsErrors.h"
#include "tests/engine/core/inputTestRig.h"
#include "tests/support/seriousErrorRecorder.h"

namespace {

using namespace win;

class WindowProcedure : public inputtest::InputRig {};
using inputtest::GatedApplication;

// Which messages may go on to the default procedure when the caller allows
// it: everything except what the engine takes for itself.
TEST_F(WindowProcedure, OnlyMessagesTheEngineDidNotTakeReachTheDefaultProcedure) {
    struct Case {
        UINT message;
        WPARAM wParam;
        bool defaulted;
    } cases[] = {
        {WM_SIZE, SIZE_RESTORED, true},
        {WM_ACTIVATE, WA_INACTIVE, true},
        {WM_DISPLAYCHANGE, 0, true},
        {WM_KEYDOWN, 'A', true},
        {WM_KEYUP, 'A', true},
        {WM_KEYUP, VK_LWIN, true},
        {WM_CHAR, 'a', true},
        {WM_SYSKEYDOWN, VK_MENU, false},
        {WM_SYSKEYDOWN, VK_RETURN, false},
        {WM_SYSKEYDOWN, 'F', false},
        {WM_SYSKEYUP, VK_MENU, false},
        {WM_SYSKEYUP, 'F', false},
        {WM_COMMAND, 1001, true},
        {WM_SYSCOMMAND, SC_SCREENSAVE, false},
        {WM_SYSCOMMAND, SC_MONITORPOWER, false},
        {WM_SYSCOMMAND, 0xF020, true},  // minimise
        {WM_MOUSEMOVE, 0, true},
        {WM_LBUTTONDOWN, 0, true},
        {WM_LBUTTONDBLCLK, 0, true},
        {WM_RBUTTONUP, 0, true},
        {WM_MBUTTONDOWN, 0, true},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), true},
        {WM_DEVICECHANGE, 7, true},
        {WM_EXITSIZEMOVE, 0, true},
        {0x0400, 0, true},  // a message the engine does not know
        {WM_CLOSE, 0, false},
        {WM_COMMAND, IDCANCEL, false},
    };
    for (const Case& c : cases) {
        desktop.clearDefaultedMessages();
        EXPECT_EQ(application.windowProc(view, c.message, c.wParam, 0, true), 0);
        ASSERT_EQ(desktop.defaultedMessages().size(), c.defaulted ? 1u : 0u) << "message " << c.message;
        if (c.defaulted) {
            EXPECT_EQ(desktop.defaultedMessages()[0].message, c.message);
        }

        desktop.clearDefaultedMessages();
        application.windowProc(view, c.message, c.wParam, 0, false);
        EXPECT_TRUE(desktop.defaultedMessages().empty()) << "the host's filter never defaults, message "
                                                        << c.message;
    }
}

TEST_F(WindowProcedure, CancelClosesTheApplication) {
    send(WM_COMMAND, 1001);
    EXPECT_FALSE(application.isQuitRequested());
    send(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0));
    EXPECT_TRUE(application.isQuitRequested());
    EXPECT_FALSE(application.isRunning());
}

TEST_F(WindowProcedure, CloseClosesTheApplication) {
    send(WM_CLOSE);
    EXPECT_TRUE(application.isQuitRequested());
    EXPECT_FALSE(application.isRunning());
}

TEST_F(WindowProcedure, ScreenSaverAndMonitorPowerAreRefusedAndNothingElseHappens) {
    send(WM_SYSCOMMAND, SC_SCREENSAVE);
    send(WM_SYSCOMMAND, MAKEWPARAM(SC_MONITORPOWER, 2));
    EXPECT_TRUE(recorder->events.empty());
    EXPECT_TRUE(application.isRunning());
}

TEST_F(WindowProcedure, MessagesWithoutAnInputSystemDoNothing) {
    delete recorder;
    recorder = nullptr;
    delete g_input;
    send(WM_KEYDOWN, 'A');
    send(WM_SYSKEYUP, 'A');
    send(WM_CHAR, 'a');
    moveTo(5, 5);
    send(WM_LBUTTONDOWN);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    recorder = new inputtest::EventRecorder();
    EXPECT_TRUE(recorder->events.empty());
}

// The engine's own pump runs in every frame's update. The host's toolkit owns
// the queue: the pump must neither take the quit request away from it nor
// hand input past the host's filter.
TEST_F(WindowProcedure, TheEnginePumpLeavesTheQueueToTheHost) {
    application.pumpMessages();
    frame();
    EXPECT_TRUE(recorder->events.empty());
    EXPECT_TRUE(application.isRunning());
    EXPECT_FALSE(application.isQuitRequested());
}

TEST(EngineWindow, AttachesTheHostsViewOrMakesAWindowOfItsOwnClass) {
    win::VirtualDesktop desktop;
    simLinkInputSystem(systemLinks());
    testsupport::SeriousErrorRecorder errors;
    {
        inputtest::GatedApplication application;
        const ATOM atom = [] {
            // The class carries the title as its name: a second one fails.
            WNDCLASSEXA windowClass;
            windowClass.lpfnWndProc = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
            windowClass.lpszClassName = "inputTest v2.5.a";
            return RegisterClassExA(&windowClass);
        }();
        EXPECT_EQ(atom, 0) << "the application registered its class under its title";

        application.createWindow(nullptr);
        RECT rect;
        ASSERT_TRUE(GetClientRect(application.getWindow(), &rect));
        EXPECT_EQ(rect.right, 100);
        EXPECT_EQ(rect.bottom, 100);

        const HWND view = desktop.addWindow(0, 0, 640, 480);
        application.createWindow(view);
        EXPECT_EQ(application.getWindow(), view);
        EXPECT_TRUE(errors.texts().empty());
    }
    // The class went with the application, so a new one registers again.
    inputtest::GatedApplication again;
    EXPECT_TRUE(errors.texts().empty());
}

TEST(EngineWindow, AFailedCreationIsASeriousError) {
    simLinkInputSystem(systemLinks());
    testsupport::SeriousErrorRecorder errors;
    inputtest::GatedApplication application;  // no window system: nothing can be made
    application.createWindow(nullptr);
    EXPECT_EQ(application.getWindow(), nullptr);
    ASSERT_EQ(errors.texts().size(), 1u);
    EXPECT_EQ(errors.texts()[0], "simApplication::createWindow - window creation/attachment failed");
}

}  // namespace

namespace {

using namespace win;

// The messages that change the graphics window.
class WindowProcedureWithGraphics : public inputtest::GraphicsInputRig {};

TEST_F(WindowProcedureWithGraphics, AltEnterSwitchesFullScreenBothWaysAndRecordsIt) {
    desktop.clearDefaultedMessages();
    EXPECT_EQ(application.windowProc(view, WM_SYSKEYDOWN, VK_RETURN, 0, true), 0);
    EXPECT_TRUE(window().isFullscreen());
    EXPECT_TRUE(application.isPaused());
    EXPECT_TRUE(options.default_fullscreen);
    EXPECT_EQ(window().getBackBufferWidth(), 1024.0f) << "full screen draws at the resolution";

    application.windowProc(view, WM_SYSKEYDOWN, VK_RETURN, 0, true);
    EXPECT_FALSE(window().isFullscreen());
    EXPECT_FALSE(options.default_fullscreen);
    EXPECT_TRUE(desktop.defaultedMessages().empty()) << "neither reaches the default procedure";
}

TEST_F(WindowProcedureWithGraphics, TheWindowsKeyLeavesFullScreenAndIsStillReleased) {
    send(WM_KEYDOWN, VK_LWIN);
    send(WM_KEYUP, VK_LWIN);
    EXPECT_FALSE(application.isPaused()) << "in a window it is only a key";
    EXPECT_EQ(window().getWindowState(), 1u);

    send(WM_SYSKEYDOWN, VK_RETURN);
    application.unpause();
    take();
    send(WM_KEYDOWN, VK_LWIN);
    send(WM_KEYUP, VK_LWIN);
    EXPECT_TRUE(application.isPaused());
    EXPECT_EQ(window().getWindowState(), 0u) << "minimised";
    const std::vector<inputtest::Seen> expected = {{simInputEvent_key, VK_LWIN, 1}, {simInputEvent_key, VK_LWIN, 2}};
    EXPECT_EQ(take(), expected);
}

TEST_F(WindowProcedureWithGraphics, SwitchingAwayFromFullScreenMinimises) {
    send(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_EQ(window().getWindowState(), 1u) << "a window stays as it is";
    send(WM_SYSKEYDOWN, VK_RETURN);
    send(WM_ACTIVATE, 1);
    EXPECT_EQ(window().getWindowState(), 1u) << "activation is no switch away";
    send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0));
    EXPECT_EQ(window().getWindowState(), 0u);
}

TEST_F(WindowProcedureWithGraphics, ACommandWithIdentifierZeroCountsAsSwitchingAway) {
    send(WM_SYSKEYDOWN, VK_RETURN);
    send(WM_COMMAND, 1001);
    EXPECT_EQ(window().getWindowState(), 1u);
    send(WM_COMMAND, 0);
    EXPECT_EQ(window().getWindowState(), 0u);
}

TEST_F(WindowProcedureWithGraphics, SizeMessagesFollowTheWindowOnlyWhenItsStateChanged) {
    host.zoomed = true;
    send(WM_SIZE, SIZE_RESTORED);
    EXPECT_EQ(window().getWindowState(), 1u) << "restored was the state already: nothing to follow";
    send(WM_SIZE, SIZE_MAXIMIZED);
    EXPECT_EQ(window().getWindowState(), 2u) << "the window read its state back from the host";
}

TEST_F(WindowProcedureWithGraphics, TheEndOfAMoveOrResizeFollowsTheWindow) {
    desktop.moveWindow(view, 0, 0, 640, 480);
    send(WM_EXITSIZEMOVE);
    EXPECT_EQ(window().getWidth(), 640.0f);
    EXPECT_EQ(window().getBackBufferHeight(), 480.0f);
    moveTo(320, 240);
    EXPECT_EQ(mouse().getX(), 320) << "the back buffer follows the client area";
}

}  // namespace
