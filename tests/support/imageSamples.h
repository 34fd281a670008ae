// Pictures and hand-built image files for the image tests.
#pragma once

#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxImageFilter.h"

#include <cstdint>
#include <vector>

namespace imagesamples {

using Bytes = std::vector<std::uint8_t>;

// A smooth picture where neighbouring pixels differ: red grows along x,
// green along y, blue with both (saturating); alpha (when asked) falls along
// x+y from 255 to 0, else it is 255.
d3dx::Bitmap pattern(std::uint32_t width, std::uint32_t height, bool withAlpha);

// One colour everywhere.
d3dx::Bitmap solid(std::uint32_t width, std::uint32_t height, std::uint32_t argb);

// A one-level 2-D image of the bitmap in A8R8G8B8 or X8R8G8B8.
d3dx::Image imageOf(const d3dx::Bitmap& bitmap, d3dx::Format format = d3dx::Format::A8R8G8B8);

// A cube map with one solid colour a face (faces in order) and the full mip
// chain, in A8R8G8B8.
d3dx::Image cubeOf(std::uint32_t size, const std::uint32_t faceColours[6]);

// Level `level` of `face` decoded to a bitmap (DXT decompressed).
d3dx::Bitmap bitmapOf(const d3dx::Image& image, std::uint32_t face = 0, std::uint32_t level = 0);

// Largest difference of any channel between two bitmaps of one size.
int maxChannelError(const d3dx::Bitmap& a, const d3dx::Bitmap& b);
// Largest difference of the colour channels only.
int maxColourError(const d3dx::Bitmap& a, const d3dx::Bitmap& b);

// Files built byte by byte, independent of the writers under test.
Bytes bmp24(const d3dx::Bitmap& bitmap, bool topDown = false);  // BI_RGB, rows padded to 4 bytes
Bytes bmp32(const d3dx::Bitmap& bitmap);       // BI_RGB with the fourth byte as alpha
Bytes tgaRaw(const d3dx::Bitmap& bitmap);      // type 2, 32 bits, top-left origin
Bytes tgaRle(const d3dx::Bitmap& bitmap);      // type 10, 24 bits, bottom-left origin, runs where pixels repeat
Bytes ddsFile(const d3dx::Image& image);       // through the writer under test, checked

}  // namespace imagesamples
