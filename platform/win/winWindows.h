// Windows, the cursor and window classes, behind one installable window
// system.
//
// The engine calls the Win32-named functions below; each asks the window
// system that the host installed. The wx layer installs one over its real
// windows; tests and display-less runs install a `win::VirtualDesktop`. With
// none installed every call fails the way Win32 fails for an unknown window:
// false, a zeroed out-value, a null handle.
//
// Pixels are device pixels throughout, so a client rectangle and the mouse
// positions of the same window always agree, whatever the display's scale.
#pragma once

#include <string>

#include "platform/win/winTypes.h"

namespace win {

// What a host's windowing provides. Every query gives false for a window it
// does not know and leaves the out-value untouched (the free functions zero
// it first).
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The client area: (0, 0) to its width and height.
    virtual bool clientRect(HWND window, RECT* rect) = 0;
    // The whole window on the screen.
    virtual bool windowRect(HWND window, RECT* rect) = 0;
    // A point of the window's client area on the screen.
    virtual bool clientOrigin(HWND window, POINT* screenPoint) = 0;
    // The cursor on the screen.
    virtual bool cursorPos(POINT* screenPoint) = 0;
    // Moves the cursor; false when the display server does not allow it
    // (then nothing moved).
    virtual bool setCursorPos(int x, int y) = 0;
    // Makes a top-level window of a registered class; null when the host
    // makes no windows for the engine.
    virtual HWND createWindow(const std::string& className, const std::string& title, int x, int y,
                              int width, int height) = 0;
    // The default handling of a message the engine did not take.
    virtual LRESULT defWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The single-instance guard. When another running instance of the
    // program titled `title` (of this user) exists, asks it to restore its
    // main window and bring it to the front, and gives true. Otherwise this
    // process becomes the instance that later starts find, and gives false.
    virtual bool activateOtherInstance(const std::string& title) = 0;
};

// Installs the host's window system (null: none). The caller keeps ownership
// and uninstalls it before destroying it.
void setWindowSystem(WindowSystem* system);
WindowSystem* windowSystem();

// Queries. False when no system is installed or the window is unknown; the
// out-value is zeroed then.
bool GetClientRect(HWND window, RECT* rect);
bool GetWindowRect(HWND window, RECT* rect);
bool GetCursorPos(POINT* point);
bool ClientToScreen(HWND window, POINT* point);
bool ScreenToClient(HWND window, POINT* point);
// Maps `count` points from the client area of `from` to that of `to`; false,
// and the points unchanged, when either window is unknown.
bool MapWindowPoints(HWND from, HWND to, POINT* points, int count);
// True when the point lies in the rectangle, right and bottom edges excluded.
bool PtInRect(const RECT* rect, POINT point);

// Moves the cursor; false, and nothing moved, when the display refuses.
bool SetCursorPos(int x, int y);

// Stands in for finding the window whose class is `title` and restoring it
// to the front (FindWindowA, ShowWindow with SW_RESTORE, SetForegroundWindow):
// true when another instance of the program was running and was asked to
// come to the front. False without a window system.
bool ActivateOtherInstance(const std::string& title);

// The result of a message that no procedure took: 0 without a window system.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Window classes: a procedure under a name. The class table belongs to this
// layer; the icon and cursor come from the host's own windows.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;

struct WNDCLASSEXA {
    UINT cbSize = sizeof(WNDCLASSEXA);
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    const char* lpszClassName = nullptr;
};

// Registers a class; its atom, or 0 when the name is empty or already taken,
// the procedure is missing or the record's size is wrong.
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
// Removes the class of that atom; false when there is none.
bool UnregisterClassA(ATOM atom);
// The procedure of a registered class, or null.
WNDPROC classWindowProc(ATOM atom);

// Makes a window of a registered class through the window system; null when
// the class is unknown or the system makes none. Extended style, style,
// parent, menu and parameter are accepted for shape only: the engine passes 0.
HWND CreateWindowExA(UINT exStyle, ATOM windowClass, const char* windowName, UINT style, int x, int y,
                     int width, int height, HWND parent, HANDLE menu, HINSTANCE instance, void* param);

}  // namespace win
