// Where the main window opens: the stored placement when its title bar can
// be reached on one of the displays now attached; otherwise (a display
// since removed, a smaller one, a broken settings file) the stored size, no
// larger than the first display's work area, centred on it.
#pragma once

#include <vector>

#include "app/shell/tbToolbarLayout.h"

// `displays` are the work areas of the attached displays, the first the
// primary; `stored` the settings' placement. With no display the stored
// placement is kept.
tbRect tbRestoredPlacement(const tbStoredPlacement& stored, const std::vector<tbRect>& displays);
