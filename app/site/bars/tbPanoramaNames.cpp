#include "app/site/bars/tbPanoramaNames.h"

#include <cctype>

std::optional<std::array<std::string, 6>> tbAutoFaceNames(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t separator = path.find_last_of("/\\");
    // The dot must belong to the file name, with a digit of it before.
    if (dot == std::string::npos || dot == 0) return std::nullopt;
    if (separator != std::string::npos && dot <= separator + 1) return std::nullopt;
    if (!std::isdigit(static_cast<unsigned char>(path[dot - 1]))) return std::nullopt;
    std::array<std::string, 6> names;
    for (size_t slot = 0; slot < names.size(); ++slot) {
        names[slot] = path;
        names[slot][dot - 1] = kCubeFaceNumbers[slot];
    }
    return names;
}
