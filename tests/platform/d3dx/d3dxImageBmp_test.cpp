// BMP in and out: the uncompressed layouts read and written without
// stb_image must give exactly what stb_image and stb_image_write give (files
// already saved keep their bytes, every BMP reads as it always did), and a
// malformed file is refused whole.
#include "platform/d3dx/d3dxImage.h"
#include "tests/support/imageSamples.h"

#include <gtest/gtest.h>

#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <climits>
#include <cstring>
#include <string>

using namespace d3dx;
using namespace imagesamples;

namespace {

void put16(Bytes& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void put32(Bytes& out, std::uint32_t v) {
    put16(out, v);
    put16(out, v >> 16);
}

// A BMP as other programs lay it out. Pixels come from `picture`: 32-bit as
// B, G, R, A; 24-bit as B, G, R; 16-bit as X1R5G5B5; 8-bit as an index into a
// 256-entry palette of greys.
struct Layout {
    std::uint32_t headerBytes = 40;
    std::uint32_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks{};  // after the colour fields of a 108/124-byte header, or after a 40-byte one
    bool topDown = false;
    std::uint32_t pixelGap = 0;  // bytes between the header (and masks or palette) and the pixels
};

Bytes bmpFile(const Bitmap& picture, const Layout& layout) {
    const std::uint32_t bytesPerPixel = layout.bitsPerPixel / 8;
    const std::uint32_t rowPitch = (picture.width * bytesPerPixel + 3) & ~3u;
    const std::uint32_t paletteBytes = layout.bitsPerPixel == 8 ? 1024 : 0;
    const std::uint32_t masksAfterHeader = layout.headerBytes < 108 ? std::uint32_t(layout.masks.size()) * 4 : 0;
    const std::uint32_t pixelOffset = 14 + layout.headerBytes + masksAfterHeader + paletteBytes + layout.pixelGap;
    Bytes out{'B', 'M'};
    put32(out, pixelOffset + rowPitch * picture.height);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, layout.headerBytes);
    put32(out, picture.width);
    put32(out, layout.topDown ? std::uint32_t(-std::int32_t(picture.height)) : picture.height);
    put16(out, 1);
    put16(out, layout.bitsPerPixel);
    put32(out, layout.compression);
    out.resize(14 + 40, 0);
    if (layout.headerBytes >= 108) {
        for (std::uint32_t mask : layout.masks) put32(out, mask);
    }
    out.resize(14 + layout.headerBytes, 0);
    if (layout.headerBytes < 108) {
        for (std::uint32_t mask : layout.masks) put32(out, mask);
    }
    for (std::uint32_t i = 0; i < paletteBytes / 4; ++i) put32(out, i * 0x010101u);
    out.resize(pixelOffset, 0);
    for (std::uint32_t row = 0; row < picture.height; ++row) {
        const std::uint32_t y = layout.topDown ? row : picture.height - 1 - row;
        for (std::uint32_t x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            switch (layout.bitsPerPixel) {
                case 32: put32(out, p); break;
                case 24: for (int b = 0; b < 3; ++b) out.push_back(std::uint8_t(p >> (8 * b))); break;
                case 16: put16(out, (p >> 9 & 0x7C00) | (p >> 6 & 0x03E0) | (p >> 3 & 0x001F)); break;
                default: out.push_back(std::uint8_t(p >> 8)); break;
            }
        }
        out.resize(pixelOffset + (row + 1) * rowPitch, 0);
    }
    return out;
}

// What stb_image decodes, as surface bytes (B, G, R, A).
Bytes stbPixels(const Bytes& file) {
    int w = 0, h = 0, n = 0;
    stbi_uc* rgba = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 4);
    Bytes out;
    if (rgba == nullptr) return out;
    for (int i = 0; i < w * h; ++i) {
        const stbi_uc* p = rgba + 4 * i;
        out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
    stbi_image_free(rgba);
    return out;
}

void appendBytes(void* context, void* data, int size) {
    auto* file = static_cast<Bytes*>(context);
    file->insert(file->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

}  // namespace

TEST(ImageBmp, WritesTheBytesStbImageWriteWrote) {
    struct Case {
        std::uint32_t width, height;
        Format format;
        ImageFileFormat fileFormat;
    } cases[] = {
        {1, 1, Format::X8R8G8B8, ImageFileFormat::Bmp}, {5, 3, Format::X8R8G8B8, ImageFileFormat::Bmp},
        {6, 4, Format::X8R8G8B8, ImageFileFormat::Dib}, {7, 2, Format::X8R8G8B8, ImageFileFormat::Bmp},
        {1, 1, Format::A8R8G8B8, ImageFileFormat::Bmp}, {5, 3, Format::A8R8G8B8, ImageFileFormat::Dib},
        {64, 33, Format::A8R8G8B8, ImageFileFormat::Bmp}, {64, 33, Format::DXT1, ImageFileFormat::Bmp},
        {64, 33, Format::DXT5, ImageFileFormat::Bmp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " " + formatName(c.format));
        Image image;
        ImageLoadDesc desc;
        desc.format = c.format;
        desc.mipLevels = 1;
        ASSERT_TRUE(ConvertImage(imageOf(pattern(c.width, c.height, true)), desc, &image).ok());
        // The pixels stb_image_write was given: R, G, B (, A) of level 0 as the image reads.
        const Bitmap pixels = bitmapOf(image);
        const int channels = formatHasAlpha(c.format) || hasTransparency(pixels) ? 4 : 3;  // DXT1 cut-outs too
        Bytes rgb;
        for (std::uint32_t p : pixels.pixels) {
            rgb.insert(rgb.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
            if (channels == 4) rgb.push_back(std::uint8_t(p >> 24));
        }
        Bytes expected;
        ASSERT_TRUE(stbi_write_bmp_to_func(appendBytes, &expected, int(c.width), int(c.height), channels, rgb.data()));
        Bytes file{1, 2, 3};  // what was there before is replaced
        ASSERT_TRUE(SaveImageToFileInMemory(&file, c.fileFormat, image).ok());
        EXPECT_EQ(file, expected);
    }
}

TEST(ImageBmp, ReadsEveryLayoutAsStbImageDoes) {
    const Bitmap translucent = pattern(7, 5, true);
    Bitmap zeroAlpha = pattern(6, 3, false);
    for (std::uint32_t& p : zeroAlpha.pixels) p &= 0x00FFFFFF;
    const std::vector<std::uint32_t> rgbMasks{0xFF0000, 0xFF00, 0xFF};
    const std::vector<std::uint32_t> rgbaMasks{0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    struct Case {
        const char* name;
        const Bitmap* picture;
        Layout layout;
        Format format;
    } cases[] = {
        {"24-bit", &translucent, {}, Format::X8R8G8B8},
        {"24-bit top-down", &translucent, {.topDown = true}, Format::X8R8G8B8},
        {"24-bit, 56-byte header", &translucent, {.headerBytes = 56}, Format::X8R8G8B8},
        {"24-bit, V5 header", &translucent, {.headerBytes = 124, .masks = rgbaMasks}, Format::X8R8G8B8},
        {"32-bit with alpha", &translucent, {.bitsPerPixel = 32}, Format::A8R8G8B8},
        {"32-bit top-down", &translucent, {.bitsPerPixel = 32, .topDown = true}, Format::A8R8G8B8},
        {"32-bit, alpha all 0", &zeroAlpha, {.bitsPerPixel = 32}, Format::X8R8G8B8},
        {"32-bit, V4 header, alpha all 0", &zeroAlpha, {.headerBytes = 108, .bitsPerPixel = 32}, Format::X8R8G8B8},
        {"32-bit masks after the header", &translucent,
         {.bitsPerPixel = 32, .compression = 3, .masks = rgbMasks}, Format::X8R8G8B8},
        {"32-bit V4 masks with alpha", &translucent,
         {.headerBytes = 108, .bitsPerPixel = 32, .compression = 3, .masks = rgbaMasks}, Format::A8R8G8B8},
        {"32-bit V4 masks with alpha all 0", &zeroAlpha,
         {.headerBytes = 108, .bitsPerPixel = 32, .compression = 3, .masks = rgbaMasks}, Format::A8R8G8B8},
        {"32-bit V5 masks without alpha", &translucent,
         {.headerBytes = 124, .bitsPerPixel = 32, .compression = 3, .masks = {0xFF0000, 0xFF00, 0xFF, 0}},
         Format::X8R8G8B8},
        // Left to stb_image: masks that need shifting, 16-bit, palettes.
        {"32-bit masks red and blue swapped", &translucent,
         {.headerBytes = 108, .bitsPerPixel = 32, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000}},
         Format::A8R8G8B8},
        {"32-bit alpha in the low byte", &translucent,
         {.headerBytes = 108, .bitsPerPixel = 32, .compression = 3, .masks = {0xFF000000, 0xFF0000, 0xFF00, 0xFF}},
         Format::A8R8G8B8},
        {"16-bit", &translucent, {.bitsPerPixel = 16}, Format::X8R8G8B8},
        {"8-bit palette", &translucent, {.bitsPerPixel = 8}, Format::X8R8G8B8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = bmpFile(*c.picture, c.layout);
        const Bytes expected = stbPixels(file);
        ASSERT_FALSE(expected.empty()) << stbi_failure_reason();
        ImageInfo info, loadedInfo;
        ASSERT_TRUE(GetImageInfoFromFileInMemory(file.data(), file.size(), &info).ok());
        Image image;
        const ImageResult result = LoadImageFromFileInMemory(file.data(), file.size(), ImageLoadDesc{}, &image, &loadedInfo);
        ASSERT_TRUE(result.ok()) << result.reason;
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(loadedInfo.format, c.format);
        EXPECT_EQ(image.format, c.format);
        EXPECT_EQ(image.width, c.picture->width);
        EXPECT_EQ(image.height, c.picture->height);
        EXPECT_EQ(image.surfaces[0].bytes, expected);
    }
}

TEST(ImageBmp, RefusesMalformedFilesWhole) {
    const Bitmap picture = pattern(5, 4, true);
    const Bytes bmp24 = bmpFile(picture, {});
    const Bytes bmp32 = bmpFile(picture, {.bitsPerPixel = 32});
    auto changed = [](Bytes file, std::size_t at, std::uint32_t value) {
        for (int b = 0; b < 4; ++b) file[at + b] = std::uint8_t(value >> (8 * b));
        return file;
    };
    auto cut = [](Bytes file, std::size_t bytes) {
        file.resize(file.size() - bytes);
        return file;
    };
    struct Case {
        const char* name;
        Bytes file;
    } cases[] = {
        {"24-bit one byte short", cut(bmp24, 1)},
        {"32-bit one byte short", cut(bmp32, 1)},
        {"cut inside the header", cut(bmp32, bmp32.size() - 40)},
        {"pixels after a gap", bmpFile(picture, {.bitsPerPixel = 32, .pixelGap = 4})},
        {"pixel offset inside the header", changed(bmp32, 10, 50)},
        {"pixel offset past the end", changed(bmp32, 10, 0xFFFFFFF0)},
        {"width 0", changed(bmp32, 18, 0)},
        {"width negative", changed(bmp32, 18, 0xFFFFFFFB)},
        {"width too large", changed(bmp32, 18, kMaxImageDimension + 1)},
        {"height 0", changed(bmp24, 22, 0)},
        {"height the most negative", changed(bmp24, 22, 0x80000000)},
        {"two planes", changed(bmp24, 26, 0x00180002)},
        {"bit-fields with 24 bits", changed(bmp24, 30, 3)},
        {"unknown header size", changed(bmp24, 14, 64)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image;
        const ImageResult result = LoadImageFromFileInMemory(c.file.data(), c.file.size(), ImageLoadDesc{}, &image);
        EXPECT_EQ(result.code, kResultInvalidData) << result.reason;
        EXPECT_TRUE(image.surfaces.empty());
    }
}
