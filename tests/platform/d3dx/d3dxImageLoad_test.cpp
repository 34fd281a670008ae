// The load pipeline: scaling on load, mip chains, format conversion and
// DXT compression, and the failures of files that are not images.
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxImageDxt.h"
#include "tests/support/imageSamples.h"

#include <gtest/gtest.h>

#include <string>

using namespace d3dx;
using namespace imagesamples;

namespace {

std::vector<std::uint8_t> pngOf(const Bitmap& bitmap) {
    std::vector<std::uint8_t> file;
    EXPECT_TRUE(SaveImageToFileInMemory(&file, ImageFileFormat::Png, imageOf(bitmap)).ok());
    return file;
}

// A header as text, then `samples` bytes.
std::vector<std::uint8_t> text(const std::string& header, std::size_t samples) {
    std::vector<std::uint8_t> file(header.begin(), header.end());
    file.resize(file.size() + samples, 0x80);
    return file;
}

// A baseline JPEG whose Huffman table counts 255 codes of every length.
std::vector<std::uint8_t> jpegHuffmanCountsOverflow() {
    std::vector<std::uint8_t> file = {0xFF, 0xD8};
    auto segment = [&](std::uint8_t marker, const std::vector<std::uint8_t>& body) {
        file.insert(file.end(), {0xFF, marker, std::uint8_t((body.size() + 2) >> 8), std::uint8_t(body.size() + 2)});
        file.insert(file.end(), body.begin(), body.end());
    };
    std::vector<std::uint8_t> quantisation(65, 1);
    quantisation[0] = 0;
    segment(0xDB, quantisation);
    segment(0xC0, {8, 0, 8, 0, 8, 1, 1, 0x11, 0});
    std::vector<std::uint8_t> huffman(1 + 16 + 16 * 255);
    for (int i = 1; i <= 16; ++i) huffman[std::size_t(i)] = 255;
    segment(0xC4, huffman);
    segment(0xDA, {1, 1, 0, 0, 0x3F, 0});
    file.resize(file.size() + 16, 0);
    file.insert(file.end(), {0xFF, 0xD9});
    return file;
}

Image load(const std::vector<std::uint8_t>& file, const ImageLoadDesc& desc) {
    Image image;
    const ImageResult result = LoadImageFromFileInMemory(file.data(), file.size(), desc, &image);
    EXPECT_TRUE(result.ok()) << result.reason;
    return image;
}

TEST(ImageLoad, ScalesOnLoadWithLinearFiltering) {
    // Halving with the linear filter averages each 2x2 group exactly.
    Bitmap checker(4, 2);
    const std::uint32_t colours[2] = {0xFF000000, 0xFFC8C8C8};
    for (std::uint32_t y = 0; y < 2; ++y)
        for (std::uint32_t x = 0; x < 4; ++x) checker.at(x, y) = colours[(x + y) % 2];
    ImageLoadDesc half;
    half.width = 2;
    half.height = 1;
    half.mipLevels = 1;
    const Bitmap down = bitmapOf(load(pngOf(checker), half));
    EXPECT_EQ(down.pixels[0], 0xFF646464u);
    EXPECT_EQ(down.pixels[1], 0xFF646464u);

    // Doubling interpolates between neighbours and clamps at the edges.
    Bitmap ramp(2, 1);
    ramp.at(0, 0) = 0xFF000000;
    ramp.at(1, 0) = 0xFF0000C8;
    ImageLoadDesc twice;
    twice.width = 4;
    twice.height = 1;
    twice.mipLevels = 1;
    const Bitmap up = bitmapOf(load(pngOf(ramp), twice));
    EXPECT_EQ(up.pixels[0] & 0xFF, 0u);
    EXPECT_EQ(up.pixels[1] & 0xFF, 50u);
    EXPECT_EQ(up.pixels[2] & 0xFF, 150u);
    EXPECT_EQ(up.pixels[3] & 0xFF, 200u);

    // The point filter takes the nearest pixel, never a blend.
    twice.filter = kFilterPoint;
    const Bitmap nearest = bitmapOf(load(pngOf(ramp), twice));
    EXPECT_EQ(nearest.pixels[1], ramp.pixels[0]);
    EXPECT_EQ(nearest.pixels[2], ramp.pixels[1]);
}

TEST(ImageLoad, MakesTheAskedMipChain) {
    const std::vector<std::uint8_t> file = pngOf(pattern(64, 16, true));
    struct Case {
        std::uint32_t asked, expected;
    } cases[] = {{kDefault, 7}, {0, 7}, {1, 1}, {4, 4}, {99, 7}};
    for (const Case& c : cases) {
        ImageLoadDesc desc;
        desc.mipLevels = c.asked;
        const Image image = load(file, desc);
        ASSERT_EQ(image.mipLevels, c.expected) << "asked " << c.asked;
        EXPECT_EQ(image.surfaces.back().width, std::max(1u, 64u >> (c.expected - 1)));
        EXPECT_EQ(image.surfaces.back().height, std::max(1u, 16u >> (c.expected - 1)));
        EXPECT_TRUE(checkImage(image).ok());
    }
    // Level 1 of a solid picture keeps its colour, alpha included.
    ImageLoadDesc desc;
    desc.mipLevels = 2;
    const Image image = load(pngOf(solid(8, 8, 0x80402010)), desc);
    EXPECT_EQ(bitmapOf(image, 0, 1).pixels[3], 0x80402010u);
}

TEST(ImageLoad, CompressesWhereAskedAndKeepsAlphaInDxt5) {
    const Bitmap source = pattern(64, 64, true);
    ImageLoadDesc desc;
    desc.format = Format::DXT5;
    desc.mipLevels = 4;
    ImageInfo info;
    Image image;
    const std::vector<std::uint8_t> file = pngOf(source);
    ASSERT_TRUE(LoadImageFromFileInMemory(file.data(), file.size(), desc, &image, &info).ok());
    EXPECT_EQ(info.format, Format::A8R8G8B8);
    EXPECT_TRUE(formatHasAlpha(info.format));
    EXPECT_EQ(image.format, Format::DXT5);
    EXPECT_EQ(image.mipLevels, 4u);
    EXPECT_EQ(image.surface(0, 0).bytes.size(), 64u * 64u);
    EXPECT_LE(maxChannelError(bitmapOf(image), source), 12);

    desc.format = Format::DXT1;
    const Image dxt1 = load(pngOf(pattern(64, 64, false)), desc);
    EXPECT_EQ(dxt1.surface(0, 0).bytes.size(), 64u * 64u / 2);
    EXPECT_LE(maxColourError(bitmapOf(dxt1), pattern(64, 64, false)), 12);
}

TEST(ImageLoad, ThreadedCompressionMatchesSingleThreaded) {
    // Many block rows in several bitmaps, so the work is really shared out.
    std::vector<Bitmap> bitmaps = {pattern(256, 200, true), pattern(130, 66, true), pattern(3, 1, true)};
    const auto one = compressDxt(bitmaps, Format::DXT5, 1);
    const auto many = compressDxt(bitmaps, Format::DXT5, 4);
    EXPECT_EQ(one, many);
}

TEST(ImageLoad, AlphaSourcesAreClassifiedAsAlpha) {
    // Whatever carries an alpha channel must say so, compressed or not.
    for (Format format : {Format::A8R8G8B8, Format::DXT3, Format::DXT5, Format::A8L8, Format::A1R5G5B5})
        EXPECT_TRUE(formatHasAlpha(format)) << formatName(format);
    for (Format format : {Format::X8R8G8B8, Format::R8G8B8, Format::DXT1, Format::L8, Format::R5G6B5})
        EXPECT_FALSE(formatHasAlpha(format)) << formatName(format);
}

TEST(ImageLoad, RefusesWhatIsNotAnImageAndMisuse) {
    const std::vector<std::uint8_t> png = pngOf(pattern(16, 16, false));
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::int32_t code;
    } cases[] = {
        {"empty", {}, kResultInvalidData},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, kResultInvalidData},
        {"png cut in half", std::vector<std::uint8_t>(png.begin(), png.begin() + png.size() / 2), kResultInvalidData},
        {"png header only", std::vector<std::uint8_t>(png.begin(), png.begin() + 33), kResultInvalidData},
        {"bmp header only", [] { auto f = bmp24(pattern(16, 16, false)); f.resize(54); return f; }(), kResultInvalidData},
        {"bmp lying width", [] { auto f = bmp24(pattern(16, 16, false)); f[19] = 0x7F; return f; }(), kResultInvalidData},
        {"tga cut short", [] { auto f = tgaRaw(pattern(16, 16, false)); f.resize(100); return f; }(), kResultInvalidData},
        {"jpg cut short", [] {
             std::vector<std::uint8_t> f;
             SaveImageToFileInMemory(&f, ImageFileFormat::Jpg, imageOf(pattern(16, 16, false)));
             f.resize(f.size() - 40);
             return f;
         }(), kResultInvalidData},
        {"ppm cut short", [] {
             std::vector<std::uint8_t> f;
             SaveImageToFileInMemory(&f, ImageFileFormat::Ppm, imageOf(pattern(16, 16, false)));
             f.pop_back();
             return f;
         }(), kResultInvalidData},
        // Found by fuzzing: stb_image overruns its buffer on 16-bit samples.
        {"ppm 16-bit", {'P', '5', ' ', '2', ' ', '2', ' ', '6', '5', '5', '3', '5', '\n', 0, 1, 0, 2, 0, 3, 0, 4}, kResultInvalidData},
        {"png data corrupt", [] { auto f = pngOf(pattern(16, 16, false)); f[f.size() / 2] ^= 0x55; return f; }(),
         kResultInvalidData},
        {"jpg scan cut out", [] {
             std::vector<std::uint8_t> f;
             SaveImageToFileInMemory(&f, ImageFileFormat::Jpg, imageOf(pattern(64, 64, false)));
             f.erase(f.begin() + std::ptrdiff_t(f.size() / 2), f.end() - 2);  // the end-of-image marker stays
             return f;
         }(), kResultInvalidData},
        // Found by fuzzing: a Huffman table announcing 4080 codes (at most 256
        // exist) made stb_image's table builder write past its array.
        {"jpg huffman counts beyond 256", jpegHuffmanCountsOverflow(), kResultInvalidData},
        // Found by fuzzing: a header number beyond int overflowed stb_image's parser.
        {"ppm number beyond int", text("P6\n99999999999999999999 1\n255\n", 3), kResultInvalidData},
        {"ppm width beyond the limit", text("P5 8193 1 255\n", 8193), kResultInvalidData},
        {"ppm largest value 0", text("P5 1 1 0\n", 1), kResultInvalidData},
        {"ppm no space before the samples", text("P5 1 1 255", 0), kResultInvalidData},
        {"tga rle cut short", [] { auto f = tgaRle(pattern(16, 16, false)); f.resize(f.size() - 10); return f; }(), kResultInvalidData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image;
        const ImageResult result = LoadImageFromFileInMemory(c.file.data(), c.file.size(), ImageLoadDesc{}, &image);
        EXPECT_EQ(result.code, c.code) << result.reason;
        EXPECT_FALSE(result.reason.empty());
        EXPECT_TRUE(image.surfaces.empty());
    }

    Image image;
    ImageLoadDesc badFormat;
    badFormat.format = Format::R5G6B5;
    EXPECT_EQ(LoadImageFromFileInMemory(png.data(), png.size(), badFormat, &image).code, kResultInvalidCall);
    ImageLoadDesc tooLarge;
    tooLarge.width = kMaxImageDimension + 1;
    EXPECT_EQ(LoadImageFromFileInMemory(png.data(), png.size(), tooLarge, &image).code, kResultInvalidCall);
    ImageLoadDesc cube;
    cube.cube = true;
    EXPECT_EQ(LoadImageFromFileInMemory(png.data(), png.size(), cube, &image).code, kResultInvalidData);
    EXPECT_EQ(LoadImageFromFileInMemory(nullptr, 4, ImageLoadDesc{}, &image).code, kResultInvalidCall);
    Image broken = imageOf(pattern(4, 4, false));
    broken.surfaces[0].bytes.pop_back();
    std::vector<std::uint8_t> file;
    EXPECT_EQ(SaveImageToFileInMemory(&file, ImageFileFormat::Dds, broken).code, kResultInvalidCall);
    EXPECT_EQ(SaveImageToFileInMemory(&file, ImageFileFormat::Png, broken).code, kResultInvalidCall);
}

}  // namespace
