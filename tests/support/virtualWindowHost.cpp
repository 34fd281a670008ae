#include "tests/support/virtualWindowHost.h"

namespace testsupport {

VirtualWindowHost::VirtualWindowHost(win::VirtualDesktop& desktop)
    : m_desktop(desktop), m_previous(simWindowHost::installed()) {
    simWindowHost::install(this);
}

VirtualWindowHost::~VirtualWindowHost() { simWindowHost::install(m_previous); }

void VirtualWindowHost::moveWindow(win::HWND window, int x, int y, int width, int height, bool) {
    ++moves;
    m_desktop.moveWindow(window, x, y, width, height);
}

void VirtualWindowHost::showWindow(win::HWND, int command) {
    showCommands.push_back(command);
    if (command == SW_MAXIMIZE) {
        zoomed = true;
        iconic = false;
    } else if (command == SW_SHOWMINIMIZED) {
        iconic = true;
    } else if (command == SW_RESTORE) {
        zoomed = iconic = false;
    }
}

void VirtualWindowHost::setStyle(win::HWND window, uint32_t style) {
    ++styleWrites;
    styles[window] = style;
}

void VirtualWindowHost::adjustWindowRect(win::RECT* rect, uint32_t style) {
    rect->left -= 4;
    rect->right += 4;
    rect->bottom += 4;
    rect->top -= (style & WS_CAPTION) ? 24 : 4;
}

}  // namespace testsupport
