// How many bytes the model-scheme project file keeps of each text: a
// field's size less its NUL. Texts are held to them, cut at a character
// boundary (tbFitText), by the editors and by the file's writer.
#pragma once

#include <cstddef>

#include "app/shell/tbTextFit.h"

// The model name, the scheme name and the other 256-byte fields.
inline constexpr size_t kProjectTextBytes = 255;
// A stored shape's name (a 128-byte field).
inline constexpr size_t kStoredShapeNameBytes = 127;
