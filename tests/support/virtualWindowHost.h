// A simWindowHost over a win::VirtualDesktop, for tests of the engine window.
//
// Moves go to the desktop's window rectangle, so the rectangle queries that
// simWindow makes see them; styles, the maximised and minimised flags and
// every show command are kept here for the test to set and read. The frame
// that adjustWindowRect adds is 4 pixels each side and, with a caption, 20
// pixels more on top.
#pragma once

#include <map>
#include <vector>

#include "engine/graphics/simWindowHost.h"
#include "platform/win/virtualDesktop.h"

namespace testsupport {

class VirtualWindowHost : public simWindowHost {
public:
    // Installs itself for its lifetime.
    explicit VirtualWindowHost(win::VirtualDesktop& desktop);
    ~VirtualWindowHost() override;

    void moveWindow(win::HWND window, int x, int y, int width, int height, bool repaint) override;
    void showWindow(win::HWND window, int command) override;
    uint32_t getStyle(win::HWND window) override { return styles[window]; }
    void setStyle(win::HWND window, uint32_t style) override;
    bool isZoomed(win::HWND) override { return zoomed; }
    bool isIconic(win::HWND) override { return iconic; }
    void updateWindow(win::HWND) override {}
    void drawMenuBar(win::HWND) override {}
    void adjustWindowRect(win::RECT* rect, uint32_t style) override;

    std::map<win::HWND, uint32_t> styles;
    std::vector<int> showCommands;  // every showWindow command, in order
    int styleWrites = 0;
    int moves = 0;
    bool zoomed = false;
    bool iconic = false;

private:
    win::VirtualDesktop& m_desktop;
    simWindowHost* m_previous;
};

}  // namespace testsupport
