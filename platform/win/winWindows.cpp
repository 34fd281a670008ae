#include "platform/win/winWindows.h"

#include <map>

namespace win {

namespace {

WindowSystem* installed = nullptr;

struct ClassEntry {
    std::string name;
    WNDPROC procedure = nullptr;
};

// Registered classes by atom. Atoms count up from the system's first class
// atom and are never reused, so a stale atom fails its look-up.
std::map<ATOM, ClassEntry>& classes() {
    static std::map<ATOM, ClassEntry> table;
    return table;
}

}  // namespace

void setWindowSystem(WindowSystem* system) { installed = system; }
WindowSystem* windowSystem() { return installed; }

bool ActivateOtherInstance(const std::string& title) {
    return installed && installed->activateOtherInstance(title);
}

bool GetClientRect(HWND window, RECT* rect) {
    *rect = RECT{};
    return installed && installed->clientRect(window, rect);
}

bool GetWindowRect(HWND window, RECT* rect) {
    *rect = RECT{};
    return installed && installed->windowRect(window, rect);
}

bool GetCursorPos(POINT* point) {
    *point = POINT{};
    return installed && installed->cursorPos(point);
}

bool ClientToScreen(HWND window, POINT* point) {
    POINT origin;
    if (!installed || !installed->clientOrigin(window, &origin)) return false;
    point->x += origin.x;
    point->y += origin.y;
    return true;
}

bool ScreenToClient(HWND window, POINT* point) {
    POINT origin;
    if (!installed || !installed->clientOrigin(window, &origin)) return false;
    point->x -= origin.x;
    point->y -= origin.y;
    return true;
}

bool MapWindowPoints(HWND from, HWND to, POINT* points, int count) {
    POINT fromOrigin, toOrigin;
    if (!installed || !installed->clientOrigin(from, &fromOrigin) || !installed->clientOrigin(to, &toOrigin))
        return false;
    for (int i = 0; i < count; ++i) {
        points[i].x += fromOrigin.x - toOrigin.x;
        points[i].y += fromOrigin.y - toOrigin.y;
    }
    return true;
}

bool PtInRect(const RECT* rect, POINT point) {
    return point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

bool SetCursorPos(int x, int y) { return installed && installed->setCursorPos(x, y); }

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return installed ? installed->defWindowProc(window, message, wParam, lParam) : 0;
}

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    static ATOM nextAtom = 0xC000;
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpfnWndProc ||
        !windowClass->lpszClassName || !*windowClass->lpszClassName || nextAtom == 0xFFFF)
        return 0;
    for (const auto& [atom, entry] : classes())
        if (entry.name == windowClass->lpszClassName) return 0;
    const ATOM atom = nextAtom++;
    classes()[atom] = ClassEntry{windowClass->lpszClassName, windowClass->lpfnWndProc};
    return atom;
}

bool UnregisterClassA(ATOM atom) { return classes().erase(atom) == 1; }

WNDPROC classWindowProc(ATOM atom) {
    const auto found = classes().find(atom);
    return found == classes().end() ? nullptr : found->second.procedure;
}

HWND CreateWindowExA(UINT, ATOM windowClass, const char* windowName, UINT, int x, int y, int width, int height,
                     HWND, HANDLE, HINSTANCE, void*) {
    const auto found = classes().find(windowClass);
    if (found == classes().end() || !installed) return nullptr;
    return installed->createWindow(found->second.name, windowName ? windowName : "", x, y, width, height);
}

}  // namespace win
