// The main window's placement in the settings: where it opens and what is
// recorded as it moves and changes size.
//
// It opens at the stored placement when its title bar can be reached on one
// of the displays now attached; otherwise (a display since removed, a
// smaller one, a broken settings file) at the stored size, no larger than
// the first display's work area, centred on it. A window stored maximised
// takes that normal rectangle first and is maximised after, so that
// un-maximising returns to it.
#pragma once

#include <vector>

#include "app/shell/tbToolbarLayout.h"

// `displays` are the work areas of the attached displays, the first the
// primary; `stored` the settings' placement. With no display the stored
// placement is kept.
tbRect tbRestoredPlacement(const tbStoredPlacement& stored, const std::vector<tbRect>& displays);

// The placement the settings keep.
struct tbWindowSettings {
    tbStoredPlacement normal;  // the rectangle of the window when not maximised
    bool maximised = false;
};

enum class tbWindowShow { normal, maximised, minimised };

// A move or size change of the window, now shown as `show` at `rect`: a
// minimised window changes nothing; a maximised one sets the flag and keeps
// the normal rectangle it will return to; a normal one clears the flag and
// takes its rectangle. Nothing changes while the start-up maximise is still
// to come (`maximisePending`): the window is then between its first size
// and the stored one, neither of which is the user's choice.
void tbRecordPlacement(tbWindowSettings& settings, tbWindowShow show, const tbRect& rect, bool maximisePending);
