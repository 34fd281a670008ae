// tbSiteGrid: the ground grid of the flying site's tools.
//
// Twenty lines along z at x = -1000, -900 .. 900 and twenty along x at
// z = -1000 .. 900, each 2000 units long (the last lines lie at 900: there
// is none at +1000), white at alpha 100. The lines never change, so they
// are made once and drawn as one batch: a single draw of 80 vertices.
#pragma once

#include <vector>

#include "engine/graphics/simDrawRecords.h"

// The grid's 40 lines, in drawing order.
const std::vector<simLine3D>& tbSiteGridLines();
// Draws them under the current transforms.
void tbDrawSiteGrid();
