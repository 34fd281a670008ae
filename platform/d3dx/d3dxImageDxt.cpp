// DXT compression and decompression on libsquish, with the block rows of a
// job shared out among worker threads.
#include "platform/d3dx/d3dxImageDxt.h"

#include <squish.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace d3dx {

namespace {

int squishFlags(Format format) {
    switch (format) {
        case Format::DXT1: return squish::kDxt1;
        case Format::DXT3: return squish::kDxt3;
        default: return squish::kDxt5;
    }
}

// Gathers the 4x4 block at (bx, by) as R, G, B, A bytes (libsquish's order)
// and returns the mask of the pixels that lie inside the bitmap.
int gatherBlock(const Bitmap& bitmap, std::uint32_t bx, std::uint32_t by, std::uint8_t rgba[64]) {
    int mask = 0;
    for (std::uint32_t row = 0; row < 4; ++row) {
        for (std::uint32_t column = 0; column < 4; ++column) {
            const std::uint32_t x = bx * 4 + column, y = by * 4 + row;
            const int index = int(row * 4 + column);
            std::uint32_t pixel = 0;
            if (x < bitmap.width && y < bitmap.height) {
                pixel = bitmap.at(x, y);
                mask |= 1 << index;
            }
            std::uint8_t* out = rgba + 4 * index;
            out[0] = std::uint8_t(pixel >> 16);
            out[1] = std::uint8_t(pixel >> 8);
            out[2] = std::uint8_t(pixel);
            out[3] = std::uint8_t(pixel >> 24);
        }
    }
    return mask;
}

// One row of blocks of one bitmap: the unit of work handed to a thread.
struct BlockRow {
    std::uint32_t bitmap;
    std::uint32_t row;
};

// Below this many blocks, starting threads costs more than it saves.
constexpr std::size_t kBlocksPerThreadMinimum = 4096;
// Rows a worker takes at a time: large enough to keep the shared counter
// cold, small enough to balance the last rows of a job.
constexpr std::size_t kRowsPerClaim = 4;

}  // namespace

std::vector<std::vector<std::uint8_t>> compressDxt(const std::vector<Bitmap>& bitmaps, Format format,
                                                   unsigned threads) {
    const int flags = squishFlags(format) | squish::kColourClusterFit;
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

    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (;;) {
            const std::size_t first = next.fetch_add(kRowsPerClaim);
            if (first >= rows.size()) {
                return;
            }
            for (std::size_t r = first; r < std::min(rows.size(), first + kRowsPerClaim); ++r) {
                const Bitmap& bitmap = bitmaps[rows[r].bitmap];
                const std::uint32_t blocksAcross = (bitmap.width + 3) / 4;
                std::uint8_t* target = out[rows[r].bitmap].data() + std::size_t{rows[r].row} * blocksAcross * blockBytes;
                for (std::uint32_t bx = 0; bx < blocksAcross; ++bx) {
                    std::uint8_t rgba[64];
                    const int mask = gatherBlock(bitmap, bx, rows[r].row, rgba);
                    squish::CompressMasked(rgba, mask, target + bx * blockBytes, flags);
                }
            }
        }
    };

    unsigned workers = threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
    workers = unsigned(std::clamp<std::size_t>(blocks / kBlocksPerThreadMinimum, 1, workers));
    std::vector<std::thread> pool;
    for (unsigned i = 1; i < workers; ++i) {
        pool.emplace_back(work);
    }
    work();
    for (std::thread& thread : pool) {
        thread.join();
    }
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
