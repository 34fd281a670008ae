// Uncompressed 24- and 32-bit BMP read into and written from a surface.
#include "platform/d3dx/d3dxImageBmp.h"

#include <cstring>

namespace d3dx {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;   // BITMAPINFOHEADER
constexpr std::uint32_t kV4HeaderBytes = 108;    // BITMAPV4HEADER, the first with an alpha mask
constexpr std::uint32_t kCompressionRgb = 0;     // BI_RGB
constexpr std::uint32_t kCompressionMasks = 3;   // BI_BITFIELDS
constexpr std::uint32_t kRedMask = 0x00FF0000, kGreenMask = 0x0000FF00, kBlueMask = 0x000000FF;
constexpr std::uint32_t kAlphaMask = 0xFF000000;

std::uint32_t readU16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t readU32(const std::uint8_t* p) { return readU16(p) | readU16(p + 2) << 16; }

void putU16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void putU32(std::uint8_t* p, std::uint32_t v) {
    putU16(p, v);
    putU16(p + 2, v >> 16);
}

bool standardColourMasks(const std::uint8_t* masks) {
    return readU32(masks) == kRedMask && readU32(masks + 4) == kGreenMask && readU32(masks + 8) == kBlueMask;
}

// How a 32-bit file's fourth byte reads, and where its pixels must start (a
// BITMAPINFOHEADER keeps its BI_BITFIELDS masks after the header); false for
// masks that need shifting, left to stb_image.
bool thirtyTwoBitLayout(const std::uint8_t* data, std::size_t size, std::uint32_t headerBytes,
                        std::uint32_t compression, BmpAlpha* alpha, std::size_t* pixelOffset) {
    if (compression == kCompressionRgb) {
        *alpha = BmpAlpha::StoredUnlessAllZero;
        return true;
    }
    if (compression != kCompressionMasks) {
        return false;
    }
    const std::size_t masksAt = kFileHeaderBytes + kInfoHeaderBytes;
    if (headerBytes < kV4HeaderBytes) {
        *pixelOffset += 12;  // red, green and blue masks; no alpha
        if (size < *pixelOffset || !standardColourMasks(data + *pixelOffset - 12)) {
            return false;
        }
        *alpha = BmpAlpha::None;
        return true;
    }
    if (!standardColourMasks(data + masksAt)) {
        return false;
    }
    const std::uint32_t alphaMask = readU32(data + masksAt + 12);
    if (alphaMask != 0 && alphaMask != kAlphaMask) {
        return false;
    }
    *alpha = alphaMask == 0 ? BmpAlpha::None : BmpAlpha::Stored;
    return true;
}

}  // namespace

bool findPlainBmp(const std::uint8_t* data, std::size_t size, PlainBmp* bmp) {
    if (size < kFileHeaderBytes + 4 || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    const std::uint32_t headerBytes = readU32(data + 14);
    if ((headerBytes != kInfoHeaderBytes && headerBytes != 56 && headerBytes != kV4HeaderBytes &&
         headerBytes != 124) ||
        size < kFileHeaderBytes + headerBytes) {
        return false;
    }
    const std::uint32_t width = readU32(data + 18);
    const auto height = std::int64_t(std::int32_t(readU32(data + 22)));
    const std::uint64_t rows = std::uint64_t(height < 0 ? -height : height);
    if (width < 1 || width > kMaxImageDimension || rows < 1 || rows > kMaxImageDimension ||
        readU16(data + 26) != 1) {
        return false;
    }
    const std::uint32_t bitsPerPixel = readU16(data + 28);
    const std::uint32_t compression = readU32(data + 30);
    BmpAlpha alpha = BmpAlpha::None;
    std::size_t pixelOffset = kFileHeaderBytes + headerBytes;
    if (bitsPerPixel == 24) {
        if (compression != kCompressionRgb) {
            return false;
        }
    } else if (bitsPerPixel != 32 || !thirtyTwoBitLayout(data, size, headerBytes, compression, &alpha, &pixelOffset)) {
        return false;
    }
    // Pixels right after the header and masks: stb_image refuses a gap, so
    // such files go to it for the refusal.
    const std::size_t rowPitch = (std::size_t{width} * (bitsPerPixel / 8) + 3) & ~std::size_t{3};
    if (readU32(data + 10) != pixelOffset || pixelOffset + rowPitch * rows > size) {
        return false;
    }
    bmp->width = width;
    bmp->height = std::uint32_t(rows);
    bmp->bytesPerPixel = bitsPerPixel / 8;
    bmp->topDown = height < 0;
    bmp->alpha = alpha;
    bmp->pixelOffset = pixelOffset;
    bmp->rowPitch = rowPitch;
    return true;
}

Format plainBmpFormat(const std::uint8_t* data, const PlainBmp& bmp) {
    if (bmp.alpha != BmpAlpha::StoredUnlessAllZero) {
        return bmp.alpha == BmpAlpha::Stored ? Format::A8R8G8B8 : Format::X8R8G8B8;
    }
    // 32-bit rows have no padding: the pixels are one run of bytes.
    const std::uint8_t* pixels = data + bmp.pixelOffset;
    const std::size_t bytes = bmp.rowPitch * bmp.height;
    for (std::size_t at = 3; at < bytes; at += 4) {
        if (pixels[at] != 0) {
            return Format::A8R8G8B8;
        }
    }
    return Format::X8R8G8B8;
}

void readPlainBmp(const std::uint8_t* data, const PlainBmp& bmp, Format format, std::uint8_t* surface) {
    const bool opaque = format == Format::X8R8G8B8;
    const std::size_t outPitch = std::size_t{bmp.width} * 4;
    for (std::uint32_t y = 0; y < bmp.height; ++y) {
        const std::uint32_t stored = bmp.topDown ? y : bmp.height - 1 - y;
        const std::uint8_t* in = data + bmp.pixelOffset + stored * bmp.rowPitch;
        std::uint8_t* out = surface + y * outPitch;
        if (bmp.bytesPerPixel == 4) {
            std::memcpy(out, in, outPitch);
            if (opaque) {
                for (std::size_t x = 3; x < outPitch; x += 4) {
                    out[x] = 0xFF;
                }
            }
        } else {
            for (std::uint32_t x = 0; x < bmp.width; ++x, in += 3, out += 4) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
                out[3] = 0xFF;
            }
        }
    }
}

void writeBmp(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, bool withAlpha,
              std::vector<std::uint8_t>* file) {
    const std::uint32_t bytesPerPixel = withAlpha ? 4 : 3;
    const std::uint32_t headerBytes = withAlpha ? kV4HeaderBytes : kInfoHeaderBytes;
    const std::size_t rowPitch = (std::size_t{width} * bytesPerPixel + 3) & ~std::size_t{3};
    const std::size_t pixelOffset = kFileHeaderBytes + headerBytes;
    const std::size_t fileBytes = pixelOffset + rowPitch * height;
    file->assign(fileBytes, 0);  // every field and padding byte not set below is 0
    std::uint8_t* p = file->data();
    p[0] = 'B';
    p[1] = 'M';
    putU32(p + 2, std::uint32_t(fileBytes));
    putU32(p + 10, std::uint32_t(pixelOffset));
    putU32(p + 14, headerBytes);
    putU32(p + 18, width);
    putU32(p + 22, height);  // positive: rows bottom to top
    putU16(p + 26, 1);       // planes
    putU16(p + 28, bytesPerPixel * 8);
    if (withAlpha) {
        putU32(p + 30, kCompressionMasks);
        std::uint8_t* masks = p + kFileHeaderBytes + kInfoHeaderBytes;
        putU32(masks, kRedMask);
        putU32(masks + 4, kGreenMask);
        putU32(masks + 8, kBlueMask);
        putU32(masks + 12, kAlphaMask);
    }
    const std::size_t inPitch = std::size_t{width} * 4;
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* in = pixels + (height - 1 - y) * inPitch;
        std::uint8_t* out = p + pixelOffset + y * rowPitch;
        if (withAlpha) {
            std::memcpy(out, in, inPitch);
        } else {
            for (std::uint32_t x = 0; x < width; ++x, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        }
    }
}

}  // namespace d3dx
