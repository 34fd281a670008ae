#include "platform/ui/wxWindowSystem.h"

#include <cmath>

#include <wx/app.h>
#include <wx/display.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace ui {

namespace {

win::HWND toHandle(uintptr_t value) { return reinterpret_cast<win::HWND>(value); }

// The scale of the display that shows a screen point (1 off every display).
double screenScale(const wxPoint& logical) {
    const int index = wxDisplay::GetFromPoint(logical);
    return index == wxNOT_FOUND ? 1.0 : wxDisplay(static_cast<unsigned>(index)).GetScaleFactor();
}

int scaled(int logical, double scale) { return static_cast<int>(std::lround(logical * scale)); }

}  // namespace

int toDevicePixels(const wxWindow* window, int logical) {
    return scaled(logical, window ? window->GetContentScaleFactor() : 1.0);
}

WxWindowSystem::WxWindowSystem() : previous_(win::windowSystem()) { win::setWindowSystem(this); }

WxWindowSystem::~WxWindowSystem() {
    if (win::windowSystem() == this) win::setWindowSystem(previous_);
}

win::HWND WxWindowSystem::handleOf(wxWindow* window) {
    if (!window) return nullptr;
    const auto known = handles_.find(window);
    // A window made at the address of a destroyed one gets a handle of its own.
    if (known != handles_.end() && windowOf(toHandle(known->second)) == window) return toHandle(known->second);
    const uintptr_t handle = nextHandle_++;
    windows_[handle] = window;
    handles_[window] = handle;
    return toHandle(handle);
}

wxWindow* WxWindowSystem::windowOf(win::HWND handle) const {
    const auto found = windows_.find(reinterpret_cast<uintptr_t>(handle));
    return found == windows_.end() ? nullptr : found->second.get();
}

bool WxWindowSystem::clientRect(win::HWND handle, win::RECT* rect) {
    const wxWindow* window = windowOf(handle);
    if (!window) return false;
    const wxSize size = window->GetClientSize();
    *rect = win::RECT{0, 0, toDevicePixels(window, size.x), toDevicePixels(window, size.y)};
    return true;
}

bool WxWindowSystem::windowRect(win::HWND handle, win::RECT* rect) {
    const wxWindow* window = windowOf(handle);
    if (!window) return false;
    const wxRect screen = window->GetScreenRect();
    *rect = win::RECT{toDevicePixels(window, screen.GetLeft()), toDevicePixels(window, screen.GetTop()),
                      toDevicePixels(window, screen.GetLeft() + screen.GetWidth()),
                      toDevicePixels(window, screen.GetTop() + screen.GetHeight())};
    return true;
}

bool WxWindowSystem::clientOrigin(win::HWND handle, win::POINT* screenPoint) {
    const wxWindow* window = windowOf(handle);
    if (!window) return false;
    const wxPoint origin = window->ClientToScreen(wxPoint(0, 0));
    *screenPoint = win::POINT{toDevicePixels(window, origin.x), toDevicePixels(window, origin.y)};
    return true;
}

bool WxWindowSystem::cursorPos(win::POINT* screenPoint) {
    const wxPoint logical = wxGetMousePosition();
    const double scale = screenScale(logical);
    *screenPoint = win::POINT{scaled(logical.x, scale), scaled(logical.y, scale)};
    return true;
}

bool WxWindowSystem::setCursorPos(int x, int y) {
    // Wayland leaves the pointer to the user; only X11 lets a program move it.
    if (wxGetDisplayInfo().type != wxDisplayX11) return false;
    const double scale = screenScale(wxPoint(x, y));
    const wxPoint target(static_cast<int>(x / scale), static_cast<int>(y / scale));
    // Moved on the screen itself, so it works before any window is shown.
    wxUIActionSimulator pointer;
    if (!pointer.MouseMove(target)) return false;
    // A server may still keep the pointer (a confined or remote display).
    return wxGetMousePosition() == target;
}

win::HWND WxWindowSystem::createWindow(const std::string&, const std::string&, int, int, int, int) {
    return nullptr;
}

win::LRESULT WxWindowSystem::defWindowProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM) { return 0; }

bool WxWindowSystem::activateOtherInstance(const std::string& title) {
    instance_ = std::make_unique<SingleInstance>(title, [] {
        auto* top = wxDynamicCast(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, wxTopLevelWindow);
        if (!top) return;
        if (top->IsIconized()) top->Iconize(false);
        top->Show();
        top->Raise();
    });
    return instance_->otherIsRunning();
}

}  // namespace ui
