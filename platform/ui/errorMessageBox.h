// The error box of serious errors: the program's modal error box
// (messageBox.h), over no parent.
//
// The program installs it as the sink of utils::seriousError at start-up; the
// engine itself never shows a window.
#pragma once

#include <string>

namespace ui {

// Shows text in a modal error box with the given title and waits for OK.
void showErrorMessageBox(const std::string& text, const std::string& title);

}  // namespace ui
