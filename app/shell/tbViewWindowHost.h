// The engine window's host in the program: the engine window is the main
// window's 3-D view, which the main window lays out itself. The engine may
// ask it about its state (minimised with the main window) but never moves,
// restyles or shows it.
#pragma once

#include <wx/toplevel.h>

#include "engine/graphics/simWindowHost.h"

class tbViewWindowHost : public simWindowHost {
public:
    // Installs itself for its lifetime; `topLevel` is the view's main window.
    explicit tbViewWindowHost(wxTopLevelWindow& topLevel);
    ~tbViewWindowHost() override;
    tbViewWindowHost(const tbViewWindowHost&) = delete;
    tbViewWindowHost& operator=(const tbViewWindowHost&) = delete;

    void moveWindow(win::HWND, int, int, int, int, bool) override {}
    void showWindow(win::HWND, int) override {}
    uint32_t getStyle(win::HWND) override { return 0; }
    void setStyle(win::HWND, uint32_t) override {}
    bool isZoomed(win::HWND) override { return m_topLevel.IsMaximized(); }
    bool isIconic(win::HWND) override { return m_topLevel.IsIconized(); }
    void updateWindow(win::HWND) override {}
    void drawMenuBar(win::HWND) override {}
    void adjustWindowRect(win::RECT*, uint32_t) override {}

private:
    wxTopLevelWindow& m_topLevel;
    simWindowHost* m_previous;
};
