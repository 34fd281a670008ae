// The names of the six cube faces of a panorama, in slot order (the order of
// the project file): the panorama bar lists them, the export names a face
// it could not load by them.
#pragma once

#include <array>

inline constexpr std::array<const char*, 6> kCubeFaceNames = {"Cubic -X", "Cubic +X", "Cubic -Y",
                                                              "Cubic +Y", "Cubic -Z", "Cubic +Z"};
