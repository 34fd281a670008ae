// Starts wxWidgets once for a test program that opens windows, and gives a
// way to run the event loop until a condition holds.
#pragma once

#include <functional>

#include <wx/dialog.h>
#include <wx/toplevel.h>

namespace test {

// Initialises wx on first call (GTK on the X11 display); false when no
// display can be opened.
bool startWx();

// Runs pending events until `done` gives true or `timeoutMs` passes; gives
// what `done` gave last.
bool pumpEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Shows `dialog` modally and runs `drive` once it is on screen; `drive` must
// end the modal loop (through a button, as a user would). Gives the modal
// result.
int runModal(wxDialog& dialog, const std::function<void()>& drive);

// The first shown top-level window of class T, or null.
template <class T>
T* findShownWindow() {
    for (wxWindow* window : wxTopLevelWindows) {
        if (T* found = dynamic_cast<T*>(window); found && found->IsShown()) return found;
    }
    return nullptr;
}

}  // namespace test
