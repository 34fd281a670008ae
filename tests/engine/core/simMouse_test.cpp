#include <cmath>
#include <limits>

#include "engine/core/simConsole.h"
#include "tests/engine/core/inputTestRig.h"
#include "tests/support/tempFolder.h"

namespace {

using inputtest::Seen;
using namespace win;

constexpr uint32_t kButton = simInputEvent_mouseButton;
constexpr uint32_t kDragEnd = simInputEvent_dragEnd;
constexpr uint32_t kMove = simInputEvent_mouseMove;

// What a scripted step does.
enum class Op { press, release, doubleClickMessage, move, frame, wait, gate };
struct Step {
    Op op;
    int a = 0;
    int b = 0;
};

struct ButtonCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<Seen> expected;  // move events left out
};

class MouseMessages : public inputtest::InputRig {
protected:
    void run(const std::vector<Step>& steps) {
        static constexpr UINT down[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
        static constexpr UINT up[] = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
        static constexpr UINT doubleClick[] = {WM_LBUTTONDBLCLK, WM_MBUTTONDBLCLK, WM_RBUTTONDBLCLK};
        for (const Step& step : steps) {
            switch (step.op) {
                case Op::press: send(down[step.a]); break;
                case Op::release: send(up[step.a]); break;
                case Op::doubleClickMessage: send(doubleClick[step.a]); break;
                case Op::move: moveTo(step.a, step.b); break;
                case Op::frame: frame(); break;
                case Op::wait: clock.advance(step.a); break;
                case Op::gate: application.gateOpen = step.a != 0; break;
            }
        }
    }
};

TEST_F(MouseMessages, ButtonSequencesGiveTheirEvents) {
    const Step pressL{Op::press, 0}, releaseL{Op::release, 0}, frameStep{Op::frame};
    const ButtonCase cases[] = {
        {"press and release", {pressL, releaseL}, {{kButton, 0, 1}, {kButton, 0, 2}}},
        {"second press 100 ms after the release, a frame later: double click, then the press",
         {pressL, releaseL, frameStep, {Op::wait, 100}, pressL},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kButton, 0, 4}, {kButton, 0, 1}}},
        {"149 ms is still a double click",
         {pressL, releaseL, frameStep, {Op::wait, 149}, pressL},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kButton, 0, 4}, {kButton, 0, 1}}},
        {"150 ms is a press alone",
         {pressL, releaseL, frameStep, {Op::wait, 150}, pressL},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kButton, 0, 1}}},
        {"a release and a new press within one frame: the press is a press",
         {pressL, releaseL, {Op::wait, 40}, pressL},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kButton, 0, 4}, {kButton, 0, 1}}},
        {"the system's double-click message counts as a release",
         {pressL, releaseL, {Op::wait, 60}, pressL, {Op::doubleClickMessage, 0}},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kButton, 0, 4}, {kButton, 0, 1}, {kButton, 0, 2}}},
        {"a release of a button never pressed", {releaseL}, {{kButton, 0, 0}}},
        {"a second release in the same frame lets go of nothing",
         {pressL, releaseL, releaseL},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kButton, 0, 0}}},
        {"the first press of all is no double click", {pressL}, {{kButton, 0, 1}}},
        {"each button keeps its own release time",
         {pressL, releaseL, {Op::wait, 50}, {Op::press, 2}},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kButton, 2, 1}}},
        {"middle and right messages", {{Op::press, 1}, {Op::release, 1}, {Op::press, 2}, {Op::release, 2}},
         {{kButton, 1, 1}, {kButton, 1, 2}, {kButton, 2, 1}, {kButton, 2, 2}}},
        {"with the gate closed presses are dropped and releases still come",
         {{Op::gate, 0}, pressL, releaseL},
         {{kButton, 0, 0}}},
        {"closing the gate mid-press: the release still reports the press",
         {pressL, {Op::gate, 0}, releaseL},
         {{kButton, 0, 1}, {kButton, 0, 2}}},
        {"a move with the gate closed releases left, right and middle in that order",
         {pressL, {Op::press, 2}, {Op::gate, 0}, {Op::move, 201, 200}},
         {{kButton, 0, 1}, {kButton, 2, 1}, {kButton, 0, 2}, {kButton, 2, 2}, {kButton, 1, 0}}},
        {"a move 3 pixels each way is no drag",
         {{Op::move, 100, 100}, pressL, {Op::move, 103, 103}, {Op::move, 97, 97}, releaseL},
         {{kButton, 0, 1}, {kButton, 0, 2}}},
        {"4 pixels on x start a drag; the release ends it",
         {{Op::move, 100, 100}, pressL, {Op::move, 104, 100}, releaseL},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kDragEnd, 0, 0}}},
        {"4 pixels up start a drag too",
         {{Op::move, 100, 100}, {Op::press, 2}, {Op::move, 100, 96}, {Op::release, 2}},
         {{kButton, 2, 1}, {kButton, 2, 2}, {kDragEnd, 2, 0}}},
        {"a drag is measured from the press, not from the last move",
         {{Op::move, 100, 100}, pressL, {Op::move, 102, 100}, {Op::move, 104, 100}, releaseL},
         {{kButton, 0, 1}, {kButton, 0, 2}, {kDragEnd, 0, 0}}},
        {"a move without a held button starts no drag",
         {{Op::move, 100, 100}, {Op::move, 200, 200}, pressL, releaseL},
         {{kButton, 0, 1}, {kButton, 0, 2}}},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case starts from a fresh mouse.
        delete g_input->getMouse();
        new simMouse();
        application.gateOpen = true;
        clock.advance(1000.0);
        take();
        run(c.steps);
        EXPECT_EQ(take({kMove}), c.expected);
    }
}

TEST_F(MouseMessages, EventsCarryThePositionAndTheMovement) {
    moveTo(30, 40);
    moveTo(35, 38);
    send(WM_LBUTTONDOWN);
    ASSERT_EQ(recorder->events.size(), 3u);
    const simInputEvent& move = recorder->events[1];
    EXPECT_EQ(move.type, kMove);
    EXPECT_EQ(move.x, 35);
    EXPECT_EQ(move.y, 38);
    EXPECT_EQ(move.dx, 5);
    EXPECT_EQ(move.dy, -2);
    const simInputEvent& press = recorder->events[2];
    EXPECT_EQ(press.x, 35);
    EXPECT_EQ(press.y, 38);
    EXPECT_EQ(press.dx, 0) << "button events carry no movement";
    EXPECT_EQ(mouse().getAccumulatedDx(), 35 - simMouse::kStartX);
    EXPECT_EQ(mouse().getPressX(0), 35);
    EXPECT_EQ(mouse().getPreviousX(), 30);
    frame();
    EXPECT_EQ(mouse().getPreviousX(), 35) << "a frame starts from where the cursor is";
}

TEST_F(MouseMessages, PositionsBeyondTheClientAreaArriveSigned) {
    moveTo(-3, -7);
    EXPECT_EQ(mouse().getX(), -3);
    EXPECT_EQ(mouse().getY(), -7);
}

TEST_F(MouseMessages, WheelTurnsGiveTheirDirectionWhileTheGateIsOpen) {
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA));
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, -3 * WHEEL_DELTA));
    application.gateOpen = false;
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA));
    ASSERT_EQ(recorder->events.size(), 3u);
    EXPECT_EQ(recorder->events[0].type, static_cast<uint32_t>(simInputEvent_wheel));
    EXPECT_EQ(recorder->events[0].wheelDirection, 1) << "towards the user";
    EXPECT_EQ(recorder->events[1].wheelDirection, 0);
    EXPECT_EQ(recorder->events[2].wheelDirection, 1);
    EXPECT_EQ(recorder->events[0].x, 0) << "wheel events carry no position";
}

TEST_F(MouseMessages, TheFrameClearsLatchesAndLetsGoOfButtonsWhileTheGateIsClosed) {
    moveTo(100, 100);
    send(WM_LBUTTONDOWN);
    moveTo(110, 100);
    send(WM_LBUTTONUP);
    send(WM_RBUTTONDOWN);
    EXPECT_TRUE(mouse().wasButtonReleased(0));
    EXPECT_TRUE(mouse().wasDragEnded(0));
    EXPECT_FALSE(mouse().isDragging(0));
    frame();
    EXPECT_FALSE(mouse().wasButtonReleased(0));
    EXPECT_FALSE(mouse().wasDragEnded(0));
    EXPECT_TRUE(mouse().isButtonDown(2)) << "the gate is open";
    application.gateOpen = false;
    frame();
    EXPECT_FALSE(mouse().isButtonDown(2));
}

// Mouse positions arrive in client pixels of the engine window and the engine
// works in the back-buffer pixels its graphics window keeps.
class MouseOverGraphics : public inputtest::GraphicsInputRig {};

TEST_F(MouseOverGraphics, PositionsAreScaledToTheBackBuffer) {
    struct Case {
        int clientWidth, clientHeight;
        float bufferWidth, bufferHeight;
        int x, y, expectedX, expectedY;
    } cases[] = {
        {800, 600, 800.0f, 600.0f, 123, 456, 123, 456},
        {400, 300, 800.0f, 600.0f, 100, 50, 200, 100},   // two buffer pixels per client pixel
        {800, 600, 640.0f, 480.0f, 799, 599, 639, 479},  // truncated towards zero
        {800, 600, 640.0f, 480.0f, -5, -5, -4, -4},      // negative positions truncate towards zero too
        {800, 600, 640.9f, 480.9f, 800, 600, 640, 480},  // a fractional buffer size counts whole pixels
        {0, 0, 640.0f, 480.0f, 10, 20, 10, 20},          // no client area: left as it is
    };
    for (const Case& c : cases) {
        desktop.moveWindow(view, 0, 0, c.clientWidth, c.clientHeight);
        window().setBackBufferSize(c.bufferWidth, c.bufferHeight);
        moveTo(c.x, c.y);
        EXPECT_EQ(mouse().getX(), c.expectedX) << c.clientWidth << " to " << c.bufferWidth;
        EXPECT_EQ(mouse().getY(), c.expectedY) << c.clientHeight << " to " << c.bufferHeight;
    }
}

TEST_F(MouseMessages, WithoutGraphicsPositionsStayInClientPixels) {
    desktop.moveWindow(view, kViewX, kViewY, 400, 300);
    moveTo(399, 299);
    EXPECT_EQ(mouse().getX(), 399);
    EXPECT_EQ(mouse().getY(), 299);
}

// Tool bars and other windows report positions in their own client areas.
TEST_F(MouseMessages, OtherWindowsPositionsReachTheEngineInTheViewsCoordinates) {
    const HWND toolBar = desktop.addWindow(kViewX + 300, kViewY + 20, 100, 200);
    application.windowProc(toolBar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 6), false);
    EXPECT_EQ(mouse().getX(), 305);
    EXPECT_EQ(mouse().getY(), 26);

    const HWND gone = toolBar;
    desktop.removeWindow(toolBar);
    application.windowProc(gone, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), false);
    EXPECT_EQ(mouse().getX(), 305) << "a window nobody knows moves nothing";
}

TEST_F(MouseMessages, MakingTheMouseMovesTheCursorToItsStart) {
    EXPECT_EQ(mouse().getX(), 200);
    EXPECT_EQ(mouse().getY(), 200);
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 200);
    EXPECT_EQ(cursor.y, 200);
    EXPECT_EQ(desktop.cursorMoves(), 1);
}

TEST_F(MouseMessages, AMouseOnADisplayThatRefusesCursorMovesStillWorks) {
    desktop.refuseCursorMoves(true);
    delete g_input->getMouse();
    new simMouse();
    EXPECT_EQ(desktop.cursorMoves(), 1);
    EXPECT_EQ(mouse().getX(), 200);
    moveTo(7, 8);
    EXPECT_EQ(mouse().getX(), 7);
}

TEST_F(MouseMessages, ARefusedCursorMoveIsLoggedOnce) {
    testsupport::TempFolder folder;
    simConsole::HostInfo host;
    host.settingsFolder = folder.path();
    simConsole console("input_diagnostic.txt", false, host);
    desktop.refuseCursorMoves(true);
    for (int i = 0; i < 3; ++i) {
        delete g_input->getMouse();
        new simMouse();
    }
    int lines = 0;
    for (const std::string& text : console.getHistory())
        if (text.find("simMouse - the display does not let the cursor be moved") == 0) ++lines;
    EXPECT_EQ(lines, 1);
}

TEST_F(MouseMessages, IsInsideRectIncludesBothBoundsAfterTruncation) {
    // The mouse is at (200, 200).
    struct Case {
        float minX, minY, maxX, maxY;
        bool inside;
    } cases[] = {
        {190.0f, 190.0f, 210.0f, 210.0f, true},
        {200.0f, 200.0f, 200.0f, 200.0f, true},   // a one-pixel rectangle on the cursor
        {200.9f, 190.0f, 210.0f, 210.0f, true},   // min 200.9 truncates to 200
        {190.0f, 190.0f, 199.99f, 210.0f, false}, // max 199.99 truncates to 199
        {201.0f, 190.0f, 210.0f, 210.0f, false},
        {190.0f, 190.0f, 210.0f, 200.5f, true},
        {190.0f, 200.5f, 210.0f, 210.0f, true},
        {190.0f, 201.0f, 210.0f, 210.0f, false},
        {210.0f, 210.0f, 190.0f, 190.0f, false},  // corners swapped contain nothing
        {-1e30f, -1e30f, 1e30f, 1e30f, true},     // far corners clamp instead of overflowing
        {std::numeric_limits<float>::quiet_NaN(), 0.0f, 400.0f, 400.0f, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mouse().isInsideRect({c.minX, c.minY}, {c.maxX, c.maxY}), c.inside)
            << "[" << c.minX << ", " << c.minY << "] - [" << c.maxX << ", " << c.maxY << "]";
    }
    moveTo(-3, 5);
    EXPECT_TRUE(mouse().isInsideRect({-3.9f, 0.0f}, {10.0f, 10.0f})) << "-3.9 truncates towards zero, to -3";
    EXPECT_FALSE(mouse().isInsideRect({-2.5f, 0.0f}, {10.0f, 10.0f}));
}

TEST_F(MouseMessages, CursorInsideWindowIncludesTheEdges) {
    desktop.placeCursor(kViewX, kViewY);
    EXPECT_TRUE(isCursorInsideWindow(view));
    desktop.placeCursor(kViewX + kViewWidth, kViewY + kViewHeight);
    EXPECT_TRUE(isCursorInsideWindow(view));
    desktop.placeCursor(kViewX - 1, kViewY);
    EXPECT_FALSE(isCursorInsideWindow(view));
    EXPECT_FALSE(isCursorInsideWindow(nullptr));
}

}  // namespace
