#include <gtest/gtest.h>

#include "platform/win/virtualDesktop.h"
#include "platform/win/winMessages.h"

namespace {

// Positions are signed 16-bit words: a mouse captured left of or above the
// client area reports negative coordinates, and the wheel delta is signed.
TEST(WinWords, PackAndUnpackSignedPositionsAndWheelDeltas) {
    struct Case {
        int x, y;
    } cases[] = {{0, 0}, {200, 200}, {-1, -5}, {32767, -32768}, {1919, 1079}};
    for (const Case& c : cases) {
        const win::LPARAM lParam = win::MAKELPARAM(c.x, c.y);
        EXPECT_EQ(win::GET_X_LPARAM(lParam), c.x);
        EXPECT_EQ(win::GET_Y_LPARAM(lParam), c.y);
    }
    const win::WPARAM towardsUser = win::MAKEWPARAM(0, -win::WHEEL_DELTA);
    EXPECT_EQ(win::GET_WHEEL_DELTA_WPARAM(towardsUser), -120);
    EXPECT_EQ(win::HIWORD(towardsUser), 65416);  // what an unsigned read sees
    EXPECT_EQ(win::GET_WHEEL_DELTA_WPARAM(win::MAKEWPARAM(0, win::WHEEL_DELTA)), 120);
    EXPECT_EQ(win::LOWORD(win::MAKEWPARAM(win::SC_MONITORPOWER, 2)), win::SC_MONITORPOWER);
}

TEST(WinWindows, WithoutAWindowSystemEveryCallFailsAndZeroesItsOutValue) {
    ASSERT_EQ(win::windowSystem(), nullptr);
    win::RECT rect{1, 2, 3, 4};
    EXPECT_FALSE(win::GetClientRect(nullptr, &rect));
    EXPECT_EQ(rect.right, 0);
    win::POINT point{5, 6};
    EXPECT_FALSE(win::GetCursorPos(&point));
    EXPECT_EQ(point.x, 0);
    EXPECT_FALSE(win::SetCursorPos(200, 200));
    EXPECT_EQ(win::DefWindowProcA(nullptr, win::WM_CLOSE, 0, 0), 0);
}

TEST(WinWindows, MapsPointsBetweenClientAreasOfKnownWindowsOnly) {
    win::VirtualDesktop desktop;
    const win::HWND view = desktop.addWindow(100, 50, 800, 600);
    const win::HWND toolBar = desktop.addWindow(150, 80, 120, 300);

    win::RECT rect;
    ASSERT_TRUE(win::GetClientRect(view, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 800);
    EXPECT_EQ(rect.bottom, 600);
    ASSERT_TRUE(win::GetWindowRect(toolBar, &rect));
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.bottom, 380);

    win::POINT points[2] = {{10, 20}, {0, 0}};
    ASSERT_TRUE(win::MapWindowPoints(toolBar, view, points, 2));
    EXPECT_EQ(points[0].x, 60);
    EXPECT_EQ(points[0].y, 50);
    EXPECT_EQ(points[1].x, 50);

    desktop.removeWindow(toolBar);
    win::POINT kept{10, 20};
    EXPECT_FALSE(win::MapWindowPoints(toolBar, view, &kept, 1));
    EXPECT_EQ(kept.x, 10);

    win::POINT screen{3, 4};
    ASSERT_TRUE(win::ClientToScreen(view, &screen));
    EXPECT_EQ(screen.x, 103);
    ASSERT_TRUE(win::ScreenToClient(view, &screen));
    EXPECT_EQ(screen.y, 4);
}

TEST(WinWindows, RectanglesIncludeTheirTopLeftAndExcludeTheirBottomRight) {
    const win::RECT rect{10, 10, 20, 20};
    EXPECT_TRUE(win::PtInRect(&rect, {10, 10}));
    EXPECT_TRUE(win::PtInRect(&rect, {19, 19}));
    EXPECT_FALSE(win::PtInRect(&rect, {20, 15}));
    EXPECT_FALSE(win::PtInRect(&rect, {15, 9}));
}

TEST(WinWindows, TheCursorMovesUnlessTheDisplayRefuses) {
    win::VirtualDesktop desktop;
    EXPECT_TRUE(win::SetCursorPos(200, 200));
    win::POINT cursor;
    ASSERT_TRUE(win::GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 200);

    desktop.refuseCursorMoves(true);
    EXPECT_FALSE(win::SetCursorPos(5, 5));
    ASSERT_TRUE(win::GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 200);
    EXPECT_EQ(desktop.cursorMoves(), 1);
}

}  // namespace

namespace {

win::LRESULT quietProcedure(win::HWND, win::UINT, win::WPARAM, win::LPARAM) { return 7; }

TEST(WinWindowClasses, RegisterOnceByNameAndMakeWindowsThroughTheDesktop) {
    win::WNDCLASSEXA windowClass;
    windowClass.style = win::CS_HREDRAW | win::CS_VREDRAW;
    windowClass.lpfnWndProc = quietProcedure;
    windowClass.lpszClassName = "engine test class";
    const win::ATOM atom = win::RegisterClassExA(&windowClass);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(win::RegisterClassExA(&windowClass), 0) << "a second class of the same name";
    EXPECT_EQ(win::classWindowProc(atom), &quietProcedure);

    win::WNDCLASSEXA wrongSize = windowClass;
    wrongSize.cbSize = 4;
    wrongSize.lpszClassName = "other";
    EXPECT_EQ(win::RegisterClassExA(&wrongSize), 0);

    EXPECT_EQ(win::CreateWindowExA(0, atom, "title", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr),
              nullptr)
        << "no window system makes windows";
    {
        win::VirtualDesktop desktop;
        const win::HWND window =
            win::CreateWindowExA(0, atom, "title", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        win::RECT rect;
        ASSERT_TRUE(win::GetClientRect(window, &rect));
        EXPECT_EQ(rect.right, 100);
    }
    EXPECT_TRUE(win::UnregisterClassA(atom));
    EXPECT_FALSE(win::UnregisterClassA(atom));
    EXPECT_EQ(win::classWindowProc(atom), nullptr);
}

}  // namespace
