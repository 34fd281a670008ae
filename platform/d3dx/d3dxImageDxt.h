// Block compression of Bitmaps to DXT1, DXT3 and DXT5 and back: stb_dxt for
// the blocks it fits well, libsquish's cluster fit for the rest.
//
// Compression is the costly step of loading a texture (a 4096x4096 image with
// its mip chain is 1.4 million blocks), so a job is split by rows of blocks
// across worker threads, one per core; small jobs stay on the calling thread.
// Both functions are thread-safe and keep no state.
#pragma once

#include "platform/d3dx/d3dxImageFilter.h"
#include "platform/d3dx/d3dxImageTypes.h"

#include <cstdint>
#include <vector>

namespace d3dx {

// Compresses each bitmap into blocks of `format` (DXT1, DXT3 or DXT5), in one
// parallel pass over all of them; the result has one byte vector per bitmap,
// surfaceByteSize(format, w, h) long. Edge blocks of sizes that are not a
// multiple of 4 compress only the pixels that exist. DXT1 keeps pixels with
// alpha below 128 as transparent. `threads` 0 means one per core.
std::vector<std::vector<std::uint8_t>> compressDxt(const std::vector<Bitmap>& bitmaps, Format format,
                                                   unsigned threads = 0);

// Decodes a surface of `format` blocks. `blocks` must hold at least
// surfaceByteSize(format, width, height) bytes.
Bitmap decompressDxt(const std::uint8_t* blocks, std::uint32_t width, std::uint32_t height, Format format);

}  // namespace d3dx
