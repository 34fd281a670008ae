// The window calls of the engine window wrapper (`simWindow`), behind one
// installable host.
//
// The operating-system window belongs to the application; the engine only
// moves, shows and restyles it and asks whether it is maximised or
// minimised. The program installs a host over its real view window; tests
// install one over a virtual desktop. With no host installed every call does
// nothing and every query answers false or 0. Rectangles are read through
// `win::GetWindowRect` and `win::GetClientRect`.
#pragma once

#include <cstdint>

#include "platform/win/winTypes.h"

class simWindowHost {
public:
    // Window styles and show commands, with their Win32 values.
    static constexpr uint32_t WS_POPUP = 0x80000000u;
    static constexpr uint32_t WS_CAPTION = 0x00C00000u;
    static constexpr uint32_t WS_SYSMENU = 0x00080000u;
    static constexpr uint32_t WS_THICKFRAME = 0x00040000u;
    static constexpr uint32_t WS_MINIMIZEBOX = 0x00020000u;
    static constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000u;
    static constexpr uint32_t WS_OVERLAPPEDWINDOW =
        WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    static constexpr int SW_SHOWMINIMIZED = 2;
    static constexpr int SW_MAXIMIZE = 3;
    static constexpr int SW_SHOW = 5;
    static constexpr int SW_RESTORE = 9;

    virtual ~simWindowHost() = default;

    virtual void moveWindow(win::HWND window, int x, int y, int width, int height, bool repaint) = 0;
    virtual void showWindow(win::HWND window, int command) = 0;
    virtual uint32_t getStyle(win::HWND window) = 0;
    virtual void setStyle(win::HWND window, uint32_t style) = 0;
    virtual bool isZoomed(win::HWND window) = 0;
    virtual bool isIconic(win::HWND window) = 0;
    virtual void updateWindow(win::HWND window) = 0;
    virtual void drawMenuBar(win::HWND window) = 0;
    // Grows a client rectangle to the outer rectangle of a window of that style (no menu).
    virtual void adjustWindowRect(win::RECT* rect, uint32_t style) = 0;

    // The installed host, or null. The caller keeps ownership.
    static void install(simWindowHost* host);
    static simWindowHost* installed();
};
