// The flying site's project-kind record: how the File commands make, open,
// save and export a flying site and title the window while one is open.
//
// The main window registers it with its commands (CtolvaneBuilderDlg's
// startEngine) under File > New > Flying site and File > Open > Flying site.
#pragma once

#include "app/shell/tbProjectKind.h"

class tbProgress;

// An open's progress goes to `progress`, the shell's progress box.
tbProjectKind tbFlyingSiteKind(tbProgress& progress);
