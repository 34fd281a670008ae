// The display's top-level windows as the X server stacks them, for tests of
// what floats over what, and closing one as a window manager's close box
// does (the program's message boxes are GTK's own, out of wx's reach).
#pragma once

#include <string>
#include <vector>

namespace test {

struct TopWindow {
    unsigned long id;
    std::string title;
    bool viewable;  // mapped, with every ancestor mapped
};

// The named top-level windows, the bottom of the stack first.
std::vector<TopWindow> topWindowsInStackOrder();

// Whether the viewable window titled `upper` lies above the one titled `lower`.
bool isStackedAbove(const std::string& upper, const std::string& lower);

// The title of the top-level window holding the keyboard focus, empty when
// none does.
std::string focusedTopWindowTitle();

// Asks the viewable window titled `title` to close (WM_DELETE_WINDOW); false
// when there is none.
bool closeWindowTitled(const std::string& title);

}  // namespace test
