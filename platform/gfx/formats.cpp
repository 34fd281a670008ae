#include "platform/gfx/formats.h"

namespace gfx {

namespace {

constexpr FormatInfo kFormats[] = {
    {D3DFMT_A8R8G8B8, "D3DFMT_A8R8G8B8", 4, 1, false, true},
    {D3DFMT_X8R8G8B8, "D3DFMT_X8R8G8B8", 4, 1, false, false},
    {D3DFMT_R32F, "D3DFMT_R32F", 4, 1, false, false},
    {D3DFMT_DXT1, "D3DFMT_DXT1", 8, 4, false, true},
    {D3DFMT_DXT5, "D3DFMT_DXT5", 16, 4, false, true},
    {D3DFMT_D24S8, "D3DFMT_D24S8", 4, 1, true, false},
    {D3DFMT_D16, "D3DFMT_D16", 2, 1, true, false},
};

}  // namespace

const FormatInfo* formatInfo(D3DFORMAT format) {
    for (const FormatInfo& f : kFormats)
        if (f.format == format) return &f;
    return nullptr;
}

std::uint32_t formatPitch(const FormatInfo& f, std::uint32_t width) {
    return (width + f.blockSize - 1) / f.blockSize * f.blockBytes;
}

std::uint32_t formatRows(const FormatInfo& f, std::uint32_t height) {
    return (height + f.blockSize - 1) / f.blockSize;
}

std::uint32_t fullMipCount(std::uint32_t width, std::uint32_t height) {
    std::uint32_t levels = 1;
    while ((width >> levels) || (height >> levels)) ++levels;
    return levels;
}

}  // namespace gfx
