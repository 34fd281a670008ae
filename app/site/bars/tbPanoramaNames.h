// The panorama bar's "Auto": the six cube faces named from one of them.
//
// A panorama's faces are numbered pictures, "site1.bmp" to "site6.bmp"; the
// number of each face in slot order (-X, +X, -Y, +Y, -Z, +Z) is 3, 1, 6, 5,
// 4, 2. Any one of the six chosen gives all six paths. The number is the
// single digit just before the extension (which may be of any length); a
// path without one names no set, and the bar says so instead of guessing.
#pragma once

#include <array>
#include <optional>
#include <string>

inline constexpr std::array<char, 6> kCubeFaceNumbers = {'3', '1', '6', '5', '4', '2'};
inline constexpr const char* kNoFaceNumberMessage =
    "The picture's name must end in a face number (1 to 6) before its extension, as in \"site1.bmp\".";

// The six paths in slot order, or nothing when the file name has no digit
// before its extension.
std::optional<std::array<std::string, 6>> tbAutoFaceNames(const std::string& path);
