// What the device knows about each surface format: block size and bytes,
// whether it holds colour or depth, and how a level's bytes are laid out.
#pragma once

#include <cstdint>

#include "platform/gfx/d3dTypes.h"

namespace gfx {

struct FormatInfo {
    D3DFORMAT format;
    const char* name;
    std::uint32_t blockBytes;  // bytes per pixel, or per 4x4 block when blockSize is 4
    std::uint32_t blockSize;   // 1, or 4 for DXT
    bool depth;                // a depth-stencil format
    bool alpha;                // colour with a stored alpha channel
};

// Null for a format the device does not support.
const FormatInfo* formatInfo(D3DFORMAT format);

// Bytes from one row (of blocks) to the next, and rows (of blocks) in a level.
std::uint32_t formatPitch(const FormatInfo& f, std::uint32_t width);
std::uint32_t formatRows(const FormatInfo& f, std::uint32_t height);

// Size of a mip level (never below 1).
inline std::uint32_t mipSize(std::uint32_t size, std::uint32_t level) {
    const std::uint32_t s = size >> level;
    return s ? s : 1;
}
// Levels of the full chain down to 1x1.
std::uint32_t fullMipCount(std::uint32_t width, std::uint32_t height);

}  // namespace gfx
