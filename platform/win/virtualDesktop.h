// A window system without a display: windows are rectangles on a virtual
// screen and the cursor is a point on it.
//
// Tests install one to give the engine a window of a known size, to move the
// cursor, to make the display refuse cursor moves, and to see which messages
// went on to the default procedure. Installing is scoped: the constructor
// installs the desktop and the destructor puts the previous system back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/win/winWindows.h"

namespace win {

class VirtualDesktop : public WindowSystem {
public:
    VirtualDesktop();
    ~VirtualDesktop() override;
    VirtualDesktop(const VirtualDesktop&) = delete;
    VirtualDesktop& operator=(const VirtualDesktop&) = delete;

    // Adds a window whose client area lies at (x, y) on the screen, width by
    // height pixels; the window rectangle is the client rectangle (no frame).
    HWND addWindow(int x, int y, int width, int height);
    void moveWindow(HWND window, int x, int y, int width, int height);
    void removeWindow(HWND window);

    // Places the cursor without asking the display (the user moved it).
    void placeCursor(int x, int y) { cursor_ = POINT{x, y}; }
    // A display server that keeps the cursor to the user refuses every move.
    void refuseCursorMoves(bool refuse) { refuseCursorMoves_ = refuse; }
    // Moves the engine asked for and the display carried out.
    int cursorMoves() const { return cursorMoves_; }

    // Another running instance of a program with this title: the guard
    // finds it and asks it to come to the front.
    void addOtherInstance(const std::string& title) { otherInstances_[title] = 0; }
    // How often that instance was asked to come to the front.
    int activations(const std::string& title) const;

    // Messages handed on to the default procedure, oldest first.
    const std::vector<MSG>& defaultedMessages() const { return defaulted_; }
    void clearDefaultedMessages() { defaulted_.clear(); }

    // WindowSystem.
    bool clientRect(HWND window, RECT* rect) override;
    bool windowRect(HWND window, RECT* rect) override;
    bool clientOrigin(HWND window, POINT* screenPoint) override;
    bool cursorPos(POINT* screenPoint) override;
    bool setCursorPos(int x, int y) override;
    HWND createWindow(const std::string& className, const std::string& title, int x, int y, int width,
                      int height) override;
    LRESULT defWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool activateOtherInstance(const std::string& title) override;

private:
    const RECT* find(HWND window) const;

    WindowSystem* previous_ = nullptr;
    std::map<uintptr_t, RECT> windows_;  // screen rectangle of each client area
    uintptr_t nextHandle_ = 0x100;
    POINT cursor_;
    bool refuseCursorMoves_ = false;
    int cursorMoves_ = 0;
    std::vector<MSG> defaulted_;
    std::map<std::string, int> otherInstances_;
};

}  // namespace win
