// DXT compression and decompression, with the block rows of a job shared
// out among worker threads.
//
// Each colour block is first fitted with stb_dxt (principal axis and two
// least-squares refinements, fast); blocks whose error stays above
// kRefineError are fitted again with libsquish's cluster fit, and the better
// of the two is kept. Most blocks of a photograph are smooth enough for the
// first fit, so the result comes close to cluster fit everywhere at a
// fraction of its cost. DXT1 blocks with transparent pixels need the
// three-colour mode, which only libsquish produces; DXT3 is left to libsquish
// as a whole.
#include "platform/d3dx/d3dxImageDxt.h"

#include "platform/d3dx/d3dxImageThreads.h"

#include <squish.h>

#include <cstring>  // stb_dxt uses memcpy without including it
#define STB_DXT_STATIC
#define STB_DXT_IMPLEMENTATION
#include <stb/stb_dxt.h>

#include <algorithm>

namespace d3dx {

namespace {

int squishFlags(Format format) {
    switch (format) {
        case Format::DXT1: return squish::kDxt1;
        case Format::DXT3: return squish::kDxt3;
        default: return squish::kDxt5;
    }
}

// Sum of squared colour errors over a block above which the block is fitted
// again with cluster fit: an RMS error of about 2.3 levels a channel. Chosen
// on the benchmark picture: a lower bound buys little quality for much time.
constexpr int kRefineError = 250;

// Gathers the 4x4 block at (bx, by) as R, G, B, A bytes (the order of both
// compressors) and returns the mask of the pixels that lie inside the
// bitmap. Places outside repeat the nearest edge pixel, so that a fit that
// ignores the mask is not pulled towards black.
int gatherBlock(const Bitmap& bitmap, std::uint32_t bx, std::uint32_t by, std::uint8_t rgba[64]) {
    int mask = 0;
    for (std::uint32_t row = 0; row < 4; ++row) {
        for (std::uint32_t column = 0; column < 4; ++column) {
            const std::uint32_t x = bx * 4 + column, y = by * 4 + row;
            const int index = int(row * 4 + column);
            if (x < bitmap.width && y < bitmap.height) {
                mask |= 1 << index;
            }
            const std::uint32_t pixel = bitmap.at(std::min(x, bitmap.width - 1), std::min(y, bitmap.height - 1));
            std::uint8_t* out = rgba + 4 * index;
            out[0] = std::uint8_t(pixel >> 16);
            out[1] = std::uint8_t(pixel >> 8);
            out[2] = std::uint8_t(pixel);
            out[3] = std::uint8_t(pixel >> 24);
        }
    }
    return mask;
}

// Squared colour error of an encoded block against its source pixels.
int colourError(const std::uint8_t rgba[64], int mask, const std::uint8_t* block, int flags) {
    std::uint8_t decoded[64];
    squish::Decompress(decoded, block, flags);
    int error = 0;
    for (int i = 0; i < 16; ++i) {
        if (mask & (1 << i)) {
            for (int c = 0; c < 3; ++c) {
                const int d = int(rgba[4 * i + c]) - int(decoded[4 * i + c]);
                error += d * d;
            }
        }
    }
    return error;
}

bool hasTransparentPixel(const std::uint8_t rgba[64]) {
    for (int i = 0; i < 16; ++i) {
        if (rgba[4 * i + 3] < 128) {
            return true;
        }
    }
    return false;
}

void compressBlock(const std::uint8_t rgba[64], int mask, Format format, std::uint8_t* block) {
    const int flags = squishFlags(format) | squish::kColourClusterFit;
    if (format == Format::DXT3 || (format == Format::DXT1 && hasTransparentPixel(rgba))) {
        squish::CompressMasked(rgba, mask, block, flags);
        return;
    }
    const std::size_t blockBytes = format == Format::DXT1 ? 8 : 16;
    stb_compress_dxt_block(block, rgba, format == Format::DXT5 ? 1 : 0, STB_DXT_HIGHQUAL);
    const int fastError = colourError(rgba, mask, block, flags);
    if (fastError <= kRefineError) {
        return;
    }
    std::uint8_t refined[16];
    squish::CompressMasked(rgba, mask, refined, flags);
    if (colourError(rgba, mask, refined, flags) < fastError) {
        std::memcpy(block, refined, blockBytes);
    }
}

// One row of blocks of one bitmap: the unit of work handed to a thread.
struct BlockRow {
    std::uint32_t bitmap;
    std::uint32_t row;
};

// A worker thread pays off from about this many blocks of rows on.
constexpr std::size_t kBlocksPerThreadMinimum = 4096;
// Rows a worker takes at a time: large enough to keep the shared counter
// cold, small enough to balance the last rows of a job.
constexpr std::size_t kRowsPerClaim = 4;

}  // namespace

std::vector<std::vector<std::uint8_t>> compressDxt(const std::vector<Bitmap>& bitmaps, Format format,
                                                   unsigned threads) {
    const std::size_t blockBytes = format == Format::DXT1 ? 8 : 16;
    std::vector<std::vector<std::uint8_t>> out(bitmaps.size());
    std::vector<BlockRow> rows;
    std::size_t blocks = 0;
    for (std::uint32_t i = 0; i < bitmaps.size(); ++i) {
        const Bitmap& bitmap = bitmaps[i];
        out[i].resize(surfaceByteSize(format, bitmap.width, bitmap.height));
        const std::uint32_t blockRows = (bitmap.height + 3) / 4;
        for (std::uint32_t row = 0; row < blockRows; ++row) {
            rows.push_back({i, row});
        }
        blocks += std::size_t{blockRows} * ((bitmap.width + 3) / 4);
    }

    const std::size_t averageRowBlocks = rows.empty() ? 1 : std::max<std::size_t>(1, blocks / rows.size());
    parallelFor(rows.size(), kRowsPerClaim, kBlocksPerThreadMinimum / averageRowBlocks + 1,
                [&](std::size_t first, std::size_t last) {
                    for (std::size_t r = first; r < last; ++r) {
                        const Bitmap& bitmap = bitmaps[rows[r].bitmap];
                        const std::uint32_t blocksAcross = (bitmap.width + 3) / 4;
                        std::uint8_t* target =
                            out[rows[r].bitmap].data() + std::size_t{rows[r].row} * blocksAcross * blockBytes;
                        for (std::uint32_t bx = 0; bx < blocksAcross; ++bx) {
                            std::uint8_t rgba[64];
                            const int mask = gatherBlock(bitmap, bx, rows[r].row, rgba);
                            compressBlock(rgba, mask, format, target + bx * blockBytes);
                        }
                    }
                },
                threads);
    return out;
}

Bitmap decompressDxt(const std::uint8_t* blocks, std::uint32_t width, std::uint32_t height, Format format) {
    const int flags = squishFlags(format);
    const std::size_t blockBytes = format == Format::DXT1 ? 8 : 16;
    const std::uint32_t blocksAcross = (width + 3) / 4;
    Bitmap bitmap(width, height);
    for (std::uint32_t by = 0; by < (height + 3) / 4; ++by) {
        for (std::uint32_t bx = 0; bx < blocksAcross; ++bx) {
            std::uint8_t rgba[64];
            squish::Decompress(rgba, blocks + (std::size_t{by} * blocksAcross + bx) * blockBytes, flags);
            for (std::uint32_t row = 0; row < 4 && by * 4 + row < height; ++row) {
                for (std::uint32_t column = 0; column < 4 && bx * 4 + column < width; ++column) {
                    const std::uint8_t* in = rgba + 4 * (row * 4 + column);
                    bitmap.at(bx * 4 + column, by * 4 + row) =
                        std::uint32_t(in[3]) << 24 | std::uint32_t(in[0]) << 16 | std::uint32_t(in[1]) << 8 | in[2];
                }
            }
        }
    }
    return bitmap;
}

}  // namespace d3dx
