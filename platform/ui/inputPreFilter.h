// The key and wheel rule of the colour picker and the tool bars: Space and
// the mouse wheel reach the engine first (the view pans and zooms with them
// wherever the pointer is), and then the window does not get them, so a
// Space never presses a focused button and a wheel never scrolls a list or
// steps a slider by accident.
//
// A top-level window opts in by deriving from `SwallowsSpaceAndWheel`. The
// program's one input filter (`ViewInputFeeder`) feeds every event to the
// engine and then asks `isSwallowed`.
#pragma once

class wxEvent;

namespace ui {

class SwallowsSpaceAndWheel {
public:
    virtual ~SwallowsSpaceAndWheel() = default;
};

// True for a key press of Space and any wheel turn whose window lies in a
// top-level window that opted in.
bool isSwallowed(const wxEvent& event);

}  // namespace ui
