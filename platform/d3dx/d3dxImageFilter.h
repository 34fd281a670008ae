// Decoded pictures and the filters between them: scaling on load and the
// reduction from one mip level to the next.
//
// Every decoder produces a Bitmap and every encoder takes one, so the filters
// and the block compressor see a single pixel layout.
#pragma once

#include <cstdint>
#include <vector>

namespace d3dx {

// A picture as 32-bit pixels 0xAARRGGBB (memory order B, G, R, A, the layout
// of an A8R8G8B8 surface), rows top to bottom, without padding.
struct Bitmap {
    std::uint32_t width = 0;   // pixels
    std::uint32_t height = 0;  // pixels
    std::vector<std::uint32_t> pixels;  // width * height

    Bitmap() = default;
    Bitmap(std::uint32_t w, std::uint32_t h) : width(w), height(h), pixels(std::size_t{w} * h) {}
    std::uint32_t& at(std::uint32_t x, std::uint32_t y) { return pixels[std::size_t{y} * width + x]; }
    std::uint32_t at(std::uint32_t x, std::uint32_t y) const { return pixels[std::size_t{y} * width + x]; }
};

// Number of levels of a full mip chain down to 1x1 (1 for a 1x1 image).
std::uint32_t fullMipChainLength(std::uint32_t width, std::uint32_t height);

// Scales src to width x height (both at least 1). kFilterNone and
// kFilterPoint take the nearest pixel; every other filter interpolates
// linearly between the four nearest pixel centres, edges clamped. A size
// equal to the source's returns a copy.
Bitmap resizeBitmap(const Bitmap& src, std::uint32_t width, std::uint32_t height, std::uint32_t filter);

// The next mip level: max(1, w/2) x max(1, h/2). Point filters take the
// top-left pixel of each 2x2 group; every other filter averages the group
// (a row or column of 1 averages only what exists).
Bitmap nextMipLevel(const Bitmap& src, std::uint32_t filter);

// Sets the alpha of every pixel to 255 (the reading of an X8R8G8B8 surface).
void makeOpaque(Bitmap& bitmap);

// True when some pixel's alpha is below 255.
bool hasTransparency(const Bitmap& bitmap);

}  // namespace d3dx
