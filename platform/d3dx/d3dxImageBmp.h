// Uncompressed 24- and 32-bit BMP, the layouts this program writes and most
// others do: read row by row straight into a surface and written straight
// from one, without an intermediate picture. A 2048 x 2048 paint texture then
// costs one pass over its pixels each way. Every other BMP (palettes, 16-bit,
// odd masks, OS/2 headers, RLE) and every malformed one goes through
// stb_image (d3dxImageStb.cpp), which gives the reasons for refusing.
// Internal to the image functions (d3dxImage.h).
#pragma once

#include "platform/d3dx/d3dxImageTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace d3dx {

// What the fourth byte of a 32-bit pixel means.
enum class BmpAlpha {
    None,                // 24-bit, or masks without an alpha mask: opaque
    Stored,              // BI_BITFIELDS with an alpha mask: taken as it is
    StoredUnlessAllZero  // BI_RGB: alpha, unless it is 0 everywhere (written without alpha)
};

// Where the pixels of such a BMP lie.
struct PlainBmp {
    std::uint32_t width = 0;          // pixels
    std::uint32_t height = 0;         // pixels
    std::uint32_t bytesPerPixel = 0;  // 3 or 4, in memory order B, G, R (, A)
    bool topDown = false;             // rows stored top first (a negative height)
    BmpAlpha alpha = BmpAlpha::None;
    std::size_t pixelOffset = 0;  // bytes from the start of the file to the first stored row
    std::size_t rowPitch = 0;     // bytes a stored row, padded to 4
};

// True when the file is a BMP of such a layout whose header, masks and pixel
// offset are exactly those stb_image accepts, whose sizes are 1 to
// kMaxImageDimension and whose pixel rows all lie within the bytes present.
bool findPlainBmp(const std::uint8_t* data, std::size_t size, PlainBmp* bmp);

// The surface format the file's pixels need: X8R8G8B8 when they carry no
// alpha (see BmpAlpha), else A8R8G8B8. Reads only the pixel rows.
Format plainBmpFormat(const std::uint8_t* data, const PlainBmp& bmp);

// Decodes the pixel rows into `surface`: width * height pixels of 4 bytes,
// memory order B, G, R, A, rows top to bottom; alpha 255 where `format`
// (from plainBmpFormat) has none.
void readPlainBmp(const std::uint8_t* data, const PlainBmp& bmp, Format format, std::uint8_t* surface);

// Encodes width x height pixels of 4 bytes (memory order B, G, R, A, rows top
// to bottom) as a bottom-up BMP: 24-bit BI_RGB with a 40-byte header, or with
// alpha 32-bit BI_BITFIELDS with a 108-byte header and an alpha mask (plain
// BI_RGB alpha is ignored by many readers). These are the bytes the program
// has always written, so files holding a BMP keep their contents.
void writeBmp(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, bool withAlpha,
              std::vector<std::uint8_t>* file);

}  // namespace d3dx
