// The six directions the image projection and text tools project along, as
// their bars' lists name them; the index is the slot (+X, -X, +Y, -Y, +Z, -Z).
#pragma once

#include <array>

inline constexpr std::array<const char*, 6> kProjectionAxisNames = {"+X axis", "-X axis", "+Y axis",
                                                                    "-Y axis", "+Z axis", "-Z axis"};
