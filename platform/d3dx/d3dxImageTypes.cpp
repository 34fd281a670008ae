// Properties of the pixel formats.
#include "platform/d3dx/d3dxImageTypes.h"

namespace d3dx {

bool formatHasAlpha(Format format) {
    switch (format) {
        case Format::A8R8G8B8:
        case Format::A1R5G5B5:
        case Format::A4R4G4B4:
        case Format::A8:
        case Format::A8B8G8R8:
        case Format::A8L8:
        case Format::DXT3:
        case Format::DXT5:
            return true;
        default:
            return false;
    }
}

bool formatIsCompressed(Format format) {
    return format == Format::DXT1 || format == Format::DXT3 || format == Format::DXT5;
}

bool formatIsSurfaceFormat(Format format) {
    return format == Format::A8R8G8B8 || format == Format::X8R8G8B8 || formatIsCompressed(format);
}

std::uint64_t surfaceRowPitch(Format format, std::uint32_t width) {
    if (formatIsCompressed(format)) {
        const std::uint64_t blockBytes = format == Format::DXT1 ? 8 : 16;
        return (std::uint64_t{width} + 3) / 4 * blockBytes;
    }
    if (format == Format::A8R8G8B8 || format == Format::X8R8G8B8) {
        return std::uint64_t{width} * 4;
    }
    return 0;
}

std::uint64_t surfaceByteSize(Format format, std::uint32_t width, std::uint32_t height) {
    const std::uint64_t rows = formatIsCompressed(format) ? (std::uint64_t{height} + 3) / 4 : height;
    return surfaceRowPitch(format, width) * rows;
}

const char* formatName(Format format) {
    switch (format) {
        case Format::R8G8B8: return "R8G8B8";
        case Format::A8R8G8B8: return "A8R8G8B8";
        case Format::X8R8G8B8: return "X8R8G8B8";
        case Format::R5G6B5: return "R5G6B5";
        case Format::X1R5G5B5: return "X1R5G5B5";
        case Format::A1R5G5B5: return "A1R5G5B5";
        case Format::A4R4G4B4: return "A4R4G4B4";
        case Format::A8: return "A8";
        case Format::A8B8G8R8: return "A8B8G8R8";
        case Format::X8B8G8R8: return "X8B8G8R8";
        case Format::L8: return "L8";
        case Format::A8L8: return "A8L8";
        case Format::DXT1: return "DXT1";
        case Format::DXT3: return "DXT3";
        case Format::DXT5: return "DXT5";
        case Format::Unknown: break;
    }
    return "UNKNOWN";
}

}  // namespace d3dx
