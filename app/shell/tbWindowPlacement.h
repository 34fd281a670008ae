// The main window's placement in the settings: where it opens and what is
// recorded as it moves and changes size.
//
// It opens at the stored placement when its title bar can be reached on one
// of the displays now attached; otherwise (a display since removed, a
// smaller one, a broken settings file) at the stored size, no larger than
// the first display's work area, centred on it. A window stored maximised
// takes that normal rectangle first and is maximised after, so that
// un-maximising returns to it. A stored size too small to work in (0 x 0
// from a damaged file) is refused for the default size, and such a size is
// never recorded.
#pragma once

#include <vector>

#include "app/shell/tbToolbarLayout.h"

// The smallest window the editor opens at or records, and the size it takes
// instead of a smaller one (a fresh settings file's).
constexpr int kMinimumWindowWidth = 320, kMinimumWindowHeight = 240;
constexpr int kDefaultWindowWidth = 1024, kDefaultWindowHeight = 768;

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
// takes its rectangle, unless it is below the minimum size (a window not yet
// laid out). Nothing changes while the start-up maximise is still
// to come (`maximisePending`): the window is then between its first size
// and the stored one, neither of which is the user's choice.
void tbRecordPlacement(tbWindowSettings& settings, tbWindowShow show, const tbRect& rect, bool maximisePending);
