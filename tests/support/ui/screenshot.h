// Screenshots of windows under test: the pixels a window shows on the
// display, kept as PNG files in "screenshots/" beside the test programs so
// a person can look at what a test saw.
#pragma once

#include <string>

#include <wx/image.h>

class wxWindow;

namespace test {

// The window's client area as the display shows it, after pending paints.
wxImage captureWindow(wxWindow* window);

// Writes the picture to screenshots/<name>.png; false when it cannot.
bool keepScreenshot(const wxImage& picture, const std::string& name);

// How many different colours a picture holds (a window that drew nothing
// holds one or two).
int distinctColours(const wxImage& picture);

// Shows the window, waits until it is on screen and keeps a photograph of
// it under `name`, which must hold more than a blank window's few colours.
wxImage showAndPhotograph(wxWindow* window, const std::string& name);

}  // namespace test
