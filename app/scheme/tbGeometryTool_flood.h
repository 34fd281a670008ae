// The flood fill's colour blend, shared with the gradient strips of the
// flood, shape and text bars.
#pragma once

#include "engine/core/simColour.h"

// Each of red, green, blue and alpha becomes b x t + a x (1 - t), truncated
// towards zero.
simColour tbBlendColours(const simColour& a, const simColour& b, float t);
