// Starts wxWidgets once for a test program that opens windows, and gives a
// way to run the event loop until a condition holds.
#pragma once

#include <functional>

namespace test {

// Initialises wx on first call (GTK on the X11 display); false when no
// display can be opened.
bool startWx();

// Runs pending events until `done` gives true or `timeoutMs` passes; gives
// what `done` gave last.
bool pumpEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000);

}  // namespace test
