// The model scheme's project-kind record: how the File commands make, open,
// save and export a model scheme and title the window while one is open.
#pragma once

#include "app/shell/tbProjectKind.h"

class tbProgress;
class tbSchemeEditing;
class tbToolState;

// `progress` takes the percent of an import or open; `editing` writes the
// scheme bitmap of an export.
tbProjectKind tbModelSchemeKind(tbToolState& tools, tbProgress& progress, tbSchemeEditing& editing);
