// A ready-made message box: a dialog box held at the centre of the view with
// the message centred under its title and one push button centred under the
// message. The label ("<name>_label") and the button ("<name>_button") are
// the dialog's children whatever the current dialog form is.
#pragma once

#include <cstdint>
#include <string>

// The button's height, and its width around the measured caption.
inline constexpr int32_t kGuiMessageBoxButtonHeight = 24;
inline constexpr int32_t kGuiMessageBoxButtonPadding = 20;
inline constexpr int32_t kGuiMessageBoxButtonMinWidth = 80;

// `onClick` is the button's action (a global function's name or script text).
void simGuiMakeMessageBox(const std::string& name, int32_t x, int32_t y, int32_t width, int32_t height,
                          const std::string& title, const std::string& message, const std::string& caption,
                          const std::string& onClick);
