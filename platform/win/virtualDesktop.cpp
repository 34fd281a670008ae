#include "platform/win/virtualDesktop.h"

namespace win {

namespace {

HWND toHandle(uintptr_t value) { return reinterpret_cast<HWND>(value); }
uintptr_t toKey(HWND window) { return reinterpret_cast<uintptr_t>(window); }

}  // namespace

VirtualDesktop::VirtualDesktop() : previous_(windowSystem()) { setWindowSystem(this); }

VirtualDesktop::~VirtualDesktop() {
    if (windowSystem() == this) setWindowSystem(previous_);
}

HWND VirtualDesktop::addWindow(int x, int y, int width, int height) {
    const uintptr_t handle = nextHandle_++;
    windows_[handle] = RECT{x, y, x + width, y + height};
    return toHandle(handle);
}

void VirtualDesktop::moveWindow(HWND window, int x, int y, int width, int height) {
    const auto found = windows_.find(toKey(window));
    if (found != windows_.end()) found->second = RECT{x, y, x + width, y + height};
}

void VirtualDesktop::removeWindow(HWND window) { windows_.erase(toKey(window)); }

const RECT* VirtualDesktop::find(HWND window) const {
    const auto found = windows_.find(toKey(window));
    return found == windows_.end() ? nullptr : &found->second;
}

bool VirtualDesktop::clientRect(HWND window, RECT* rect) {
    const RECT* screen = find(window);
    if (!screen) return false;
    *rect = RECT{0, 0, screen->right - screen->left, screen->bottom - screen->top};
    return true;
}

bool VirtualDesktop::windowRect(HWND window, RECT* rect) {
    const RECT* screen = find(window);
    if (!screen) return false;
    *rect = *screen;
    return true;
}

bool VirtualDesktop::clientOrigin(HWND window, POINT* screenPoint) {
    const RECT* screen = find(window);
    if (!screen) return false;
    *screenPoint = POINT{screen->left, screen->top};
    return true;
}

bool VirtualDesktop::cursorPos(POINT* screenPoint) {
    *screenPoint = cursor_;
    return true;
}

bool VirtualDesktop::setCursorPos(int x, int y) {
    if (refuseCursorMoves_) return false;
    cursor_ = POINT{x, y};
    ++cursorMoves_;
    return true;
}

HWND VirtualDesktop::createWindow(const std::string&, const std::string&, int x, int y, int width, int height) {
    return addWindow(x, y, width, height);
}

LRESULT VirtualDesktop::defWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    defaulted_.push_back(MSG{window, message, wParam, lParam});
    return 0;
}

bool VirtualDesktop::activateOtherInstance(const std::string& title) {
    const auto other = otherInstances_.find(title);
    if (other == otherInstances_.end()) return false;
    ++other->second;
    return true;
}

int VirtualDesktop::activations(const std::string& title) const {
    const auto other = otherInstances_.find(title);
    return other == otherInstances_.end() ? 0 : other->second;
}

}  // namespace win
