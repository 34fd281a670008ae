// Texture coordinates of imported models, brought into the unit square.
//
// Models arrive with coordinates that wrap (2.5 means 0.5) and with values a
// hair away from 0 or 1 that come from the exporter's rounding. The paint
// tools need every coordinate in [0, 1], with 1 kept as 1 so that a texture's
// right and bottom edges stay where the modeller put them.
#pragma once

namespace tbTextureCoordinate {

// One coordinate: within 1e-7 of 0 becomes 0, within 1e-7 of 1 becomes 1;
// above 1 it drops by whole units into (0, 1] (so 2 gives 1); below 0 it
// rises by whole units into [0, 1), the last step rounded as one float
// addition (-0.25 gives 0.75). Worked out in closed form, so huge values
// (where subtracting 1 no longer changes a float) end too: they are whole
// numbers and give 1 (positive) or 0 (negative). Infinity and NaN give 0.
float normalise(float value);

}  // namespace tbTextureCoordinate
