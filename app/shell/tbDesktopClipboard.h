// tbDesktopClipboard: the desktop clipboard (wx's) as the engine's in-view
// edit boxes see it.
//
// The engine holds no window-system calls: its edit boxes cut, copy and
// paste through `simGuiClipboard`, which is a clipboard private to the
// process until the host installs one. While a tbDesktopClipboard exists it
// is the installed one, so text copied in an edit box reaches other programs
// and theirs pastes in. The program makes one where it sets up the engine;
// it needs wx started on a display.
#pragma once

#include <string>

#include "engine/gui/simGuiClipboard.h"

class tbDesktopClipboard final : public simGuiClipboard {
public:
    // Installs itself.
    tbDesktopClipboard();
    // Puts the process's own clipboard back.
    ~tbDesktopClipboard() override;
    tbDesktopClipboard(const tbDesktopClipboard&) = delete;
    tbDesktopClipboard& operator=(const tbDesktopClipboard&) = delete;

    // False when the clipboard cannot be opened or holds no text.
    bool getText(std::string& out) override;
    // Nothing happens when the clipboard cannot be opened.
    void setText(const std::string& text) override;
};
