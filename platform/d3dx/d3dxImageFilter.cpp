// Scaling and mip reduction of Bitmaps.
#include "platform/d3dx/d3dxImageFilter.h"

#include "platform/d3dx/d3dxImageThreads.h"
#include "platform/d3dx/d3dxImageTypes.h"

#include <algorithm>
#include <cmath>

namespace d3dx {

namespace {

bool isPointFilter(std::uint32_t filter) {
    const std::uint32_t kind = filter & 0xFF;
    return kind == kFilterNone || kind == kFilterPoint;
}

// Where the centre of each destination pixel falls in the source: the lower
// source index and the weight of the upper one.
struct Tap {
    std::uint32_t lower;
    std::uint32_t upper;
    float weight;
};

std::vector<Tap> linearTaps(std::uint32_t srcSize, std::uint32_t dstSize) {
    std::vector<Tap> taps(dstSize);
    const double scale = double(srcSize) / double(dstSize);
    for (std::uint32_t i = 0; i < dstSize; ++i) {
        const double at = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(srcSize - 1));
        const auto lower = static_cast<std::uint32_t>(at);
        taps[i] = {lower, std::min(lower + 1, srcSize - 1), static_cast<float>(at - lower)};
    }
    return taps;
}

float channel(std::uint32_t pixel, int shift) { return float((pixel >> shift) & 0xFF); }

std::uint32_t mix4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, float fx, float fy) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float top = channel(a, shift) + (channel(b, shift) - channel(a, shift)) * fx;
        const float bottom = channel(c, shift) + (channel(d, shift) - channel(c, shift)) * fx;
        const float value = top + (bottom - top) * fy;
        out |= std::uint32_t(std::lround(std::clamp(value, 0.0f, 255.0f))) << shift;
    }
    return out;
}

// Row y of the next mip level from rows 2y and 2y+1 of the source.
void reduceRow(const Bitmap& src, Bitmap& dst, std::uint32_t y, bool point) {
    const std::uint32_t y0 = std::min(2 * y, src.height - 1);
    const std::uint32_t y1 = std::min(2 * y + 1, src.height - 1);
    for (std::uint32_t x = 0; x < dst.width; ++x) {
        const std::uint32_t x0 = std::min(2 * x, src.width - 1);
        const std::uint32_t x1 = std::min(2 * x + 1, src.width - 1);
        if (point) {
            dst.at(x, y) = src.at(x0, y0);
            continue;
        }
        const std::uint32_t a = src.at(x0, y0), b = src.at(x1, y0), c = src.at(x0, y1), d = src.at(x1, y1);
        std::uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const std::uint32_t sum =
                ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + ((c >> shift) & 0xFF) + ((d >> shift) & 0xFF);
            out |= ((sum + 2) / 4) << shift;
        }
        dst.at(x, y) = out;
    }
}

// Work sharing of the reduction: rows claimed a few at a time, and a thread
// only for every million or so pixels (below that, starting it costs more).
constexpr std::size_t kRowsPerClaim = 16;
constexpr std::size_t kPixelsPerThreadMinimum = 1 << 20;

}  // namespace

std::uint32_t fullMipChainLength(std::uint32_t width, std::uint32_t height) {
    std::uint32_t levels = 1;
    for (std::uint32_t size = std::max(width, height); size > 1; size /= 2) {
        ++levels;
    }
    return levels;
}

Bitmap resizeBitmap(const Bitmap& src, std::uint32_t width, std::uint32_t height, std::uint32_t filter) {
    if (width == src.width && height == src.height) {
        return src;
    }
    Bitmap dst(width, height);
    if (isPointFilter(filter)) {
        for (std::uint32_t y = 0; y < height; ++y) {
            const auto sy = static_cast<std::uint32_t>(std::uint64_t{y} * src.height / height);
            for (std::uint32_t x = 0; x < width; ++x) {
                dst.at(x, y) = src.at(static_cast<std::uint32_t>(std::uint64_t{x} * src.width / width), sy);
            }
        }
        return dst;
    }
    const std::vector<Tap> columns = linearTaps(src.width, width);
    const std::vector<Tap> rows = linearTaps(src.height, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const Tap& row = rows[y];
        for (std::uint32_t x = 0; x < width; ++x) {
            const Tap& column = columns[x];
            dst.at(x, y) = mix4(src.at(column.lower, row.lower), src.at(column.upper, row.lower),
                                src.at(column.lower, row.upper), src.at(column.upper, row.upper),
                                column.weight, row.weight);
        }
    }
    return dst;
}

Bitmap nextMipLevel(const Bitmap& src, std::uint32_t filter) {
    Bitmap dst(std::max(1u, src.width / 2), std::max(1u, src.height / 2));
    const bool point = isPointFilter(filter);
    parallelFor(dst.height, kRowsPerClaim, kPixelsPerThreadMinimum / dst.width + 1,
                [&](std::size_t first, std::size_t last) {
                    for (auto y = std::uint32_t(first); y < last; ++y) {
                        reduceRow(src, dst, y, point);
                    }
                });
    return dst;
}

void makeOpaque(Bitmap& bitmap) {
    for (std::uint32_t& pixel : bitmap.pixels) {
        pixel |= 0xFF000000u;
    }
}

bool hasTransparency(const Bitmap& bitmap) {
    return std::any_of(bitmap.pixels.begin(), bitmap.pixels.end(),
                       [](std::uint32_t pixel) { return (pixel >> 24) != 0xFF; });
}

}  // namespace d3dx
