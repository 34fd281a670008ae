// The error boxes of the model-scheme work: a title of their own ("Error
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

using tbErrorBoxSink = std::function<void(const std::string& title, const std::string& text)>;

// Installs the sink and gives back the one it replaces.
tbErrorBoxSink tbSetErrorBoxSink(tbErrorBoxSink sink);

// Logs "<title>: <text>\n" and shows the box.
void tbErrorBox(const std::string& title, const std::string& text);
