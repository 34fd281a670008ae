// The engine's shared utilities in one include: the stopwatch, file and
// string helpers, serious errors and interpolation.
#pragma once

#include "engine/core/utilsErrors.h"
#include "engine/core/utilsFiles.h"
#include "engine/core/utilsInterpolate.h"
#include "engine/core/utilsStrings.h"
#include "engine/core/utilsTimer.h"
