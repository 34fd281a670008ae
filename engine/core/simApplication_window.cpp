// The engine application's side of the window system: the engine window
// class, the engine window, the window procedure that turns window messages
// into input and window-state changes, and the engine's own message pump.
//
// The host makes no Win32 message loop: its toolkit runs the program and its
// input feeder hands every mouse and key message of the thread to
// `windowProc` with callDefault false, as it happens. The window procedure
// therefore never decides what the host's windows do with a message; it only
// reads it.
#include <string>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/simOptions.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simWindow.h"
#include "platform/win/winMessages.h"
#include "platform/win/winWindows.h"

using namespace win;

namespace {

// The class's procedure: the engine window procedure with callDefault true.
LRESULT engineWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!g_application) return DefWindowProcA(window, message, wParam, lParam);
    return g_application->windowProc(window, message, wParam, lParam, true);
}

simMouse* inputMouse() { return g_input ? g_input->getMouse() : nullptr; }
simKeyboard* inputKeyboard() { return g_input ? g_input->getKeyboard() : nullptr; }

simWindow* graphicsWindow() { return g_graphics ? g_graphics->getWindow() : nullptr; }

// A full-screen view that loses the focus is minimised, so the desktop the
// user switched to is not covered.
void minimiseFullscreenWhenInactive(WORD activation) {
    simWindow* window = graphicsWindow();
    if (!window || !window->isFullscreen() || activation != WA_INACTIVE) return;
    if (g_console) g_console->print("User switched away from the application\n");
    window->setWindowState(0);
    window->applyChanges();
}

// The window state a WM_SIZE reports: 0 minimised, 1 restored, 2 maximised,
// 3 anything else.
uint32_t sizeState(WPARAM wParam) {
    switch (wParam) {
        case SIZE_RESTORED: return 1;
        case SIZE_MINIMIZED: return 0;
        case SIZE_MAXIMIZED: return 2;
        default: return 3;
    }
}

void releaseButton(simMouse* mouse, uint32_t button) {
    if (mouse) mouse->onButton(button, 0);
}

void pressButton(simMouse* mouse, uint32_t button) {
    if (mouse) mouse->onButton(button, 1);
}

}  // namespace

void simApplication::_registerClass(HINSTANCE instance) {
    m_instance = instance;
    WNDCLASSEXA windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = engineWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = m_title.c_str();
    m_windowClassAtom = RegisterClassExA(&windowClass);
    if (m_windowClassAtom == 0) utils::seriousError("simApplication::_registerClass - window-class not registered");
}

void simApplication::createWindow(HWND window) {
    if (window)
        m_window = window;
    else
        m_window = CreateWindowExA(0, m_windowClassAtom, m_title.c_str(), 0, 0, 0, 100, 100, nullptr, nullptr,
                                   m_instance, nullptr);
    if (!m_window) utils::seriousError("simApplication::createWindow - window creation/attachment failed");
}

LRESULT simApplication::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool callDefault) {
    bool mayDefault = true;
    // Whatever reaches the window (input, a size or activation change) may
    // change what the view shows.
    requestRedraw();
    switch (message) {
        case WM_SIZE:
            if (simWindow* window = graphicsWindow();
                window && (!window->isFullscreen() || window->getWindowState() == 0) &&
                sizeState(wParam) != window->getWindowState())
                window->onWindowChanged();
            break;
        case WM_ACTIVATE:
            minimiseFullscreenWhenInactive(LOWORD(wParam));
            break;
        case WM_DISPLAYCHANGE:
            if (g_graphics && g_graphics->getRenderer()) g_graphics->getRenderer()->updateDesktopMode();
            break;
        case WM_EXITSIZEMOVE:
            if (simWindow* window = graphicsWindow()) window->onWindowChanged();
            break;

        case WM_CLOSE:
            close();
            mayDefault = false;
            break;

        case WM_KEYDOWN:
            if (simKeyboard* keyboard = inputKeyboard()) keyboard->onKey(static_cast<uint32_t>(wParam), 1);
            break;
        case WM_KEYUP:
            // The Windows key leaves full screen for the desktop.
            if (simWindow* window = graphicsWindow(); wParam == VK_LWIN && window && window->isFullscreen()) {
                pause();
                window->setWindowState(0);
                window->applyChanges();
            }
            if (simKeyboard* keyboard = inputKeyboard()) keyboard->onKey(static_cast<uint32_t>(wParam), 0);
            break;
        case WM_CHAR:
            if (simKeyboard* keyboard = inputKeyboard()) keyboard->onChar(static_cast<uint32_t>(wParam));
            break;
        case WM_SYSKEYDOWN:
            if (wParam == VK_RETURN) {
                // Alt+Enter switches between full screen and the window.
                if (simWindow* window = graphicsWindow()) {
                    pause();
                    window->setFullscreen(!window->isFullscreen());
                    window->applyChanges();
                    if (g_options) g_options->default_fullscreen = window->isFullscreen();
                }
            } else if (wParam == VK_MENU) {
                if (simKeyboard* keyboard = inputKeyboard()) keyboard->onAlt(1);
            }
            mayDefault = false;
            break;
        case WM_SYSKEYUP:
            // While Alt is held every key comes as a system key. A key pressed
            // before Alt went down is let go of here, and must be released, or
            // it would stay down and be reported held every frame.
            if (simKeyboard* keyboard = inputKeyboard()) {
                if (wParam == VK_MENU)
                    keyboard->onAlt(0);
                else
                    keyboard->onKey(static_cast<uint32_t>(wParam), 0);
            }
            mayDefault = false;
            break;

        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                close();
                mayDefault = false;
            }
            minimiseFullscreenWhenInactive(LOWORD(wParam));
            break;
        case WM_SYSCOMMAND:
            // The screen saver and monitor power-off would interrupt the view.
            if (LOWORD(wParam) == SC_SCREENSAVE || LOWORD(wParam) == SC_MONITORPOWER) return 0;
            break;

        case WM_MOUSEMOVE:
            if (simMouse* mouse = inputMouse()) {
                // Tool bars and other windows report positions in their own
                // client areas; the mouse works in the engine window's.
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (window != m_window && !MapWindowPoints(window, m_window, &point, 1)) break;
                mouse->onMove(point.x, point.y);
                if (!acceptsMouseInput()) {
                    releaseButton(mouse, simMouseButton_left);
                    releaseButton(mouse, simMouseButton_right);
                    releaseButton(mouse, simMouseButton_middle);
                }
            }
            break;
        case WM_LBUTTONDOWN:
            pressButton(inputMouse(), simMouseButton_left);
            break;
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            releaseButton(inputMouse(), simMouseButton_left);
            break;
        case WM_RBUTTONDOWN:
            pressButton(inputMouse(), simMouseButton_right);
            break;
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            releaseButton(inputMouse(), simMouseButton_right);
            break;
        case WM_MBUTTONDOWN:
            pressButton(inputMouse(), simMouseButton_middle);
            break;
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            releaseButton(inputMouse(), simMouseButton_middle);
            break;
        case WM_MOUSEWHEEL:
            // A negative delta (turned towards the user) reads above 32000 unsigned.
            if (simMouse* mouse = inputMouse()) mouse->onWheel(HIWORD(wParam) > 32000 ? 1 : 0);
            break;

        case WM_DEVICECHANGE:
            onDeviceChange();
            break;

        default:
            break;
    }
    return callDefault && mayDefault ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

void simApplication::pumpMessages() {
    // Nothing to drain: the host's toolkit owns the thread's queue and hands
    // every input message to the window procedure through its filter as it
    // arrives. Draining here would take the quit request away from the host's
    // loop, send input past the host's filter, and dispatching the host's
    // timer would start a frame inside this one.
}

void simApplication::_unregisterClass() {
    if (m_windowClassAtom != 0) UnregisterClassA(m_windowClassAtom);
    m_windowClassAtom = 0;
}
