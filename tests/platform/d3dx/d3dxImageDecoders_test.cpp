// The readers behind each picture format, on files built here rather than by
// our writers: PNG layouts stb_image_write never produces, PPM and PGM
// headers at their limits, and JPEG in grey and CMYK.
#include "platform/d3dx/d3dxImage.h"
#include "tests/support/imageSamples.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <string>

using namespace d3dx;
using namespace imagesamples;

namespace {

void putBig32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void pngChunk(Bytes& out, const char* type, const Bytes& body) {
    putBig32(out, std::uint32_t(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, crc32(out.data() + start, out.size() - start));
}

// A PNG of one IDAT holding `rows` (each starting with its filter byte) as a
// zlib stream of stored blocks.
Bytes png(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colourType, const Bytes& rows,
          const Bytes& chunksBeforeData = {}) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    putBig32(header, width);
    putBig32(header, height);
    header.insert(header.end(), {depth, colourType, 0, 0, 0});
    pngChunk(out, "IHDR", header);
    out.insert(out.end(), chunksBeforeData.begin(), chunksBeforeData.end());
    Bytes zlib = {0x78, 0x01, 0x01, std::uint8_t(rows.size()), std::uint8_t(rows.size() >> 8),
                  std::uint8_t(~rows.size()), std::uint8_t(~rows.size() >> 8)};
    zlib.insert(zlib.end(), rows.begin(), rows.end());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : rows) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(zlib, b << 16 | a);
    pngChunk(out, "IDAT", zlib);
    pngChunk(out, "IEND", {});
    return out;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes chunk(const char* type, const Bytes& body) {
    Bytes out;
    pngChunk(out, type, body);
    return out;
}

Bytes text(const std::string& header, const Bytes& samples) {
    Bytes out(header.begin(), header.end());
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

// A JPEG of one colour through libjpeg-turbo's own compressor.
Bytes jpeg(int pixelFormat, int subsampling, const Bytes& pixel) {
    constexpr int kSide = 16;
    Bytes source;
    for (int i = 0; i < kSide * kSide; ++i) source.insert(source.end(), pixel.begin(), pixel.end());
    tjhandle compressor = tjInitCompress();
    unsigned char* data = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(compressor, source.data(), kSide, 0, kSide, pixelFormat, &data, &size,
                                   subsampling, 95, 0);
    Bytes out;
    if (!failed) out.assign(data, data + size);
    tjFree(data);
    tjDestroy(compressor);
    EXPECT_FALSE(failed);
    return out;
}

TEST(ImageDecoders, ReadPngPpmAndJpegLayouts) {
    struct Case {
        const char* name;
        Bytes file;
        Format infoFormat;
        std::vector<std::uint32_t> expected;  // the first pixels, row by row
        int tolerance;                        // lossy JPEG
    } cases[] = {
        {"png palette with transparency",
         png(3, 1, 8, 3, {0, 0, 1, 2},
             chunk("PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}) + chunk("tRNS", {255, 128, 0})),
         Format::A8R8G8B8, {0xFFFF0000, 0x8000FF00, 0x000000FF}, 0},
        {"png 16-bit grey keeps the high byte", png(2, 1, 16, 0, {0, 0x12, 0x34, 0xFF, 0xFF}), Format::L8,
         {0xFF121212, 0xFFFFFFFF}, 0},
        {"png grey with a transparent value", png(2, 1, 8, 0, {0, 7, 200}, chunk("tRNS", {0, 7})), Format::A8L8,
         {0x00070707, 0xFFC8C8C8}, 0},
        {"png 1-bit grey", png(3, 1, 1, 0, {0, 0xA0}), Format::L8, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}, 0},
        {"pgm with comments and trailing bytes", text("P5 # by hand\n2 # wide\n1\n255\n", {0, 200, 9, 9}),
         Format::L8, {0xFF000000, 0xFFC8C8C8}, 0},
        {"ppm samples scaled to their largest value", text("P6\n1 1\n15\n", {15, 0, 7}), Format::X8R8G8B8,
         {0xFFFF0077}, 0},
        {"jpeg grey", jpeg(TJPF_GRAY, TJSAMP_GRAY, {100}), Format::L8, {0xFF646464}, 2},
        // Inverted CMYK as Adobe writes it: full cyan and key ink leave red.
        {"jpeg cmyk", jpeg(TJPF_CMYK, TJSAMP_444, {255, 128, 0, 255}), Format::X8R8G8B8, {0xFFFF8000}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageInfo info;
        const ImageResult header = GetImageInfoFromFileInMemory(c.file.data(), c.file.size(), &info);
        ASSERT_TRUE(header.ok()) << header.reason;
        EXPECT_EQ(info.format, c.infoFormat);
        Image image;
        const ImageResult result = LoadImageFromFileInMemory(c.file.data(), c.file.size(), ImageLoadDesc{}, &image);
        ASSERT_TRUE(result.ok()) << result.reason;
        const Bitmap bitmap = bitmapOf(image);
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            for (int shift = 0; shift < 32; shift += 8) {
                EXPECT_NEAR(int(bitmap.pixels[i] >> shift & 0xFF), int(c.expected[i] >> shift & 0xFF), c.tolerance)
                    << "pixel " << i << " bits " << shift;
            }
        }
    }
}

}  // namespace
