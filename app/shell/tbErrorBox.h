// The error boxes of the editors' work: a title of their own ("Error
// importing geometry", "Error opening project") and a text, shown with an
// OK button and the error icon.
//
// The boxes go through a sink so that the models here need no window: the
// program installs one that shows a message box on the main window, tests
// install one that records. Every box is also logged. Without a sink the box
// goes to stderr.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

using tbErrorBoxSink = std::function<void(const std::string& title, const std::string& text)>;

// Installs the sink and gives back the one it replaces.
tbErrorBoxSink tbSetErrorBoxSink(tbErrorBoxSink sink);

// Logs "<title>: <text>\n" and shows the box.
void tbErrorBox(const std::string& title, const std::string& text);

// Holds the boxes shown while it lives (they are logged at once) and shows
// them when it goes: a command that deletes a half-built project shows its
// errors only once the project is gone, so no frame draws it behind a box.
class tbHeldErrorBoxes {
public:
    tbHeldErrorBoxes();
    ~tbHeldErrorBoxes();
    tbHeldErrorBoxes(const tbHeldErrorBoxes&) = delete;
    tbHeldErrorBoxes& operator=(const tbHeldErrorBoxes&) = delete;

private:
    tbErrorBoxSink m_previous;
    std::vector<std::pair<std::string, std::string>> m_held;
};
