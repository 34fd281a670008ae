// simGuiClipboard: the desktop clipboard as the GUI's edit boxes see it,
// plain text in UTF-8.
//
// Engine code holds no window-system calls: the host installs its own
// clipboard (wx's in the program when widgets are used) and tests install a
// fake. Until one is installed a clipboard private to the process stands in,
// so cut, copy and paste work between the engine's own edit boxes.
#pragma once

#include <string>

class simGuiClipboard {
public:
    virtual ~simGuiClipboard() = default;
    // False when the clipboard holds no text.
    virtual bool getText(std::string& out) = 0;
    virtual void setText(const std::string& text) = 0;

    static simGuiClipboard& current();
    // Installs a clipboard (null: the process's own again); the caller keeps
    // it alive while it is installed.
    static void install(simGuiClipboard* clipboard);
};
