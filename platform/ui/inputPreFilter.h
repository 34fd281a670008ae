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
class wxWindow;

namespace ui {

class SwallowsSpaceAndWheel {
public:
    virtual ~SwallowsSpaceAndWheel() = default;
    // A Space pressed in `control` (one of the window's controls) reaches it:
    // a bar whose name box takes a name of several words says so here. The
    // engine has had the key all the same.
    virtual bool takesSpace(const wxWindow& /*control*/) const { return false; }
};

// True for a key press of Space (unless the window's `takesSpace` keeps it)
// and any wheel turn whose window lies in a top-level window that opted in.
bool isSwallowed(const wxEvent& event);

}  // namespace ui
