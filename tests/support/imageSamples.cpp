#include "tests/support/imageSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace imagesamples {

namespace {

void put16(Bytes& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

Bytes bmp(const d3dx::Bitmap& bitmap, int bytesPerPixel, bool topDown) {
    const std::uint32_t rowBytes = (bitmap.width * bytesPerPixel + 3) & ~3u;
    Bytes out = {'B', 'M'};
    put32(out, 54 + rowBytes * bitmap.height);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, bitmap.width);
    put32(out, topDown ? std::uint32_t(-std::int32_t(bitmap.height)) : bitmap.height);
    put16(out, 1);
    put16(out, bytesPerPixel * 8);
    put32(out, 0);  // BI_RGB
    for (int i = 0; i < 5; ++i) put32(out, 0);
    for (std::uint32_t row = 0; row < bitmap.height; ++row) {
        const std::uint32_t y = topDown ? row : bitmap.height - 1 - row;
        const std::size_t rowStart = out.size();
        for (std::uint32_t x = 0; x < bitmap.width; ++x) {
            const std::uint32_t p = bitmap.at(x, y);
            for (int b = 0; b < bytesPerPixel; ++b) out.push_back(std::uint8_t(p >> (8 * b)));
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

Bytes tgaHeader(std::uint8_t type, const d3dx::Bitmap& bitmap, std::uint8_t bits, std::uint8_t descriptor) {
    Bytes out = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(out, bitmap.width);
    put16(out, bitmap.height);
    out.push_back(bits);
    out.push_back(descriptor);
    return out;
}

}  // namespace

d3dx::Bitmap pattern(std::uint32_t width, std::uint32_t height, bool withAlpha) {
    d3dx::Bitmap bitmap(width, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t r = x * 255 / std::max(1u, width - 1);
            const std::uint32_t g = y * 255 / std::max(1u, height - 1);
            const std::uint32_t b = std::min(255u, 2 * x + 3 * y);
            const std::uint32_t a = withAlpha ? 255 - (x + y) * 255 / std::max(1u, width + height - 2) : 255;
            bitmap.at(x, y) = a << 24 | r << 16 | g << 8 | b;
        }
    }
    return bitmap;
}

d3dx::Bitmap solid(std::uint32_t width, std::uint32_t height, std::uint32_t argb) {
    d3dx::Bitmap bitmap(width, height);
    std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), argb);
    return bitmap;
}

d3dx::Image imageOf(const d3dx::Bitmap& bitmap, d3dx::Format format) {
    d3dx::Image image;
    image.format = format;
    image.width = bitmap.width;
    image.height = bitmap.height;
    image.mipLevels = 1;
    d3dx::ImageSurface surface{bitmap.width, bitmap.height, Bytes(bitmap.pixels.size() * 4)};
    std::memcpy(surface.bytes.data(), bitmap.pixels.data(), surface.bytes.size());
    image.surfaces.push_back(std::move(surface));
    return image;
}

d3dx::Image cubeOf(std::uint32_t size, const std::uint32_t faceColours[6]) {
    d3dx::Image image;
    image.format = d3dx::Format::A8R8G8B8;
    image.width = image.height = size;
    image.isCube = true;
    image.mipLevels = d3dx::fullMipChainLength(size, size);
    for (int face = 0; face < 6; ++face) {
        for (std::uint32_t level = 0; level < image.mipLevels; ++level) {
            const std::uint32_t s = std::max(1u, size >> level);
            image.surfaces.push_back(imageOf(solid(s, s, faceColours[face])).surfaces[0]);
        }
    }
    return image;
}

d3dx::Bitmap bitmapOf(const d3dx::Image& image, std::uint32_t face, std::uint32_t level) {
    d3dx::Image one = image;
    one.isCube = false;
    one.surfaces = {image.surface(face, level)};
    one.width = one.surfaces[0].width;
    one.height = one.surfaces[0].height;
    one.mipLevels = 1;
    d3dx::ImageLoadDesc desc;
    desc.format = d3dx::Format::A8R8G8B8;
    desc.mipLevels = 1;
    d3dx::Image argb;
    const d3dx::ImageResult result = d3dx::ConvertImage(one, desc, &argb);
    EXPECT_TRUE(result.ok()) << result.reason;
    d3dx::Bitmap bitmap(argb.width, argb.height);
    if (result.ok()) std::memcpy(bitmap.pixels.data(), argb.surfaces[0].bytes.data(), argb.surfaces[0].bytes.size());
    return bitmap;
}

static int maxError(const d3dx::Bitmap& a, const d3dx::Bitmap& b, int channels) {
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    if (a.width != b.width || a.height != b.height) return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        for (int c = 0; c < channels; ++c) {
            worst = std::max(worst, std::abs(int((a.pixels[i] >> (8 * c)) & 0xFF) - int((b.pixels[i] >> (8 * c)) & 0xFF)));
        }
    }
    return worst;
}

int maxChannelError(const d3dx::Bitmap& a, const d3dx::Bitmap& b) { return maxError(a, b, 4); }
int maxColourError(const d3dx::Bitmap& a, const d3dx::Bitmap& b) { return maxError(a, b, 3); }

Bytes bmp24(const d3dx::Bitmap& bitmap, bool topDown) { return bmp(bitmap, 3, topDown); }
Bytes bmp32(const d3dx::Bitmap& bitmap) { return bmp(bitmap, 4, false); }

Bytes tgaRaw(const d3dx::Bitmap& bitmap) {
    Bytes out = tgaHeader(2, bitmap, 32, 0x28);  // 8 alpha bits, top-left origin
    for (std::uint32_t p : bitmap.pixels) put32(out, p);
    return out;
}

Bytes tgaRle(const d3dx::Bitmap& bitmap) {
    Bytes out = tgaHeader(10, bitmap, 24, 0x00);  // bottom-left origin
    for (std::uint32_t y = bitmap.height; y-- > 0;) {
        std::uint32_t x = 0;
        while (x < bitmap.width) {
            std::uint32_t run = 1;
            while (x + run < bitmap.width && run < 128 && bitmap.at(x + run, y) == bitmap.at(x, y)) ++run;
            if (run > 1) {
                out.push_back(std::uint8_t(0x80 | (run - 1)));
                for (int b = 0; b < 3; ++b) out.push_back(std::uint8_t(bitmap.at(x, y) >> (8 * b)));
            } else {
                out.push_back(0);  // a raw packet of one pixel
                for (int b = 0; b < 3; ++b) out.push_back(std::uint8_t(bitmap.at(x, y) >> (8 * b)));
            }
            x += run;
        }
    }
    return out;
}

Bytes ddsFile(const d3dx::Image& image) {
    Bytes out;
    const d3dx::ImageResult result = d3dx::SaveImageToFileInMemory(&out, d3dx::ImageFileFormat::Dds, image);
    EXPECT_TRUE(result.ok()) << result.reason;
    return out;
}

}  // namespace imagesamples
