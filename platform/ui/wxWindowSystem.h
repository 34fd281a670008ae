// The engine's window system over the program's real wx windows.
//
// Gives every wx window the engine hears of a window handle, answers the
// engine's rectangle and cursor queries in device pixels (wx works in
// logical pixels; on a HiDPI display each is scaled by its window's content
// scale factor), and moves the cursor where the display server allows it.
// A handle whose window is gone fails every look-up.
//
// Installing is scoped: the constructor installs it as the window system and
// the destructor puts the previous one back. One per program, made before the
// engine application (whose constructor asks it for the single-instance
// guard) and the engine's mouse (whose constructor moves the cursor).
#pragma once

#include <map>
#include <memory>

#include <wx/weakref.h>
#include <wx/window.h>

#include "platform/ui/singleInstance.h"
#include "platform/win/winWindows.h"

namespace ui {

class WxWindowSystem : public win::WindowSystem {
public:
    WxWindowSystem();
    ~WxWindowSystem() override;
    WxWindowSystem(const WxWindowSystem&) = delete;
    WxWindowSystem& operator=(const WxWindowSystem&) = delete;

    // The handle of a window, made on first use; null for null.
    win::HWND handleOf(wxWindow* window);
    // The window of a handle, or null when it is unknown or gone.
    wxWindow* windowOf(win::HWND handle) const;

    // WindowSystem.
    bool clientRect(win::HWND window, win::RECT* rect) override;
    bool windowRect(win::HWND window, win::RECT* rect) override;
    bool clientOrigin(win::HWND window, win::POINT* screenPoint) override;
    bool cursorPos(win::POINT* screenPoint) override;
    bool setCursorPos(int x, int y) override;
    // The host makes the engine's window itself: none is made here.
    win::HWND createWindow(const std::string& className, const std::string& title, int x, int y, int width,
                           int height) override;
    // wx goes on with its own handling after the filter: nothing to add.
    win::LRESULT defWindowProc(win::HWND window, win::UINT message, win::WPARAM wParam,
                               win::LPARAM lParam) override;
    // The per-user guard of ui::SingleInstance, held as long as this window
    // system: a later start's request restores, shows and raises the
    // program's top window.
    bool activateOtherInstance(const std::string& title) override;

private:
    win::WindowSystem* previous_ = nullptr;
    std::map<uintptr_t, wxWeakRef<wxWindow>> windows_;
    std::map<wxWindow*, uintptr_t> handles_;
    uintptr_t nextHandle_ = 0x100;
    std::unique_ptr<SingleInstance> instance_;
};

// The device pixels of `logical` pixels of a window.
int toDevicePixels(const wxWindow* window, int logical);

}  // namespace ui
