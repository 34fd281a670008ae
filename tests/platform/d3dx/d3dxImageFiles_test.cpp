// Image files in every format: written and read back, read from hand-built
// files, alpha kept where the format holds it, information without decoding.
#include "platform/d3dx/d3dxImage.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"

#include <gtest/gtest.h>

using namespace d3dx;
using namespace imagesamples;

namespace {

struct RoundTrip {
    const char* name;
    ImageFileFormat fileFormat;
    Format imageFormat;   // what is saved
    Format infoFormat;    // what the file's information says
    bool keepsAlpha;
    int colourTolerance;  // lossy formats
    int alphaTolerance;
    bool alphaSource = true;  // DXT1 has only punch-through alpha: fed opaque
};

const RoundTrip kRoundTrips[] = {
    {"bmp", ImageFileFormat::Bmp, Format::A8R8G8B8, Format::A8R8G8B8, true, 0, 0},
    {"bmp opaque", ImageFileFormat::Bmp, Format::X8R8G8B8, Format::X8R8G8B8, false, 0, 0},
    {"dib", ImageFileFormat::Dib, Format::A8R8G8B8, Format::A8R8G8B8, true, 0, 0},
    {"png", ImageFileFormat::Png, Format::A8R8G8B8, Format::A8R8G8B8, true, 0, 0},
    {"png opaque", ImageFileFormat::Png, Format::X8R8G8B8, Format::X8R8G8B8, false, 0, 0},
    {"tga", ImageFileFormat::Tga, Format::A8R8G8B8, Format::A8R8G8B8, true, 0, 0},
    {"jpg", ImageFileFormat::Jpg, Format::A8R8G8B8, Format::X8R8G8B8, false, 24, 0},
    {"ppm", ImageFileFormat::Ppm, Format::A8R8G8B8, Format::X8R8G8B8, false, 0, 0},
    {"dds argb", ImageFileFormat::Dds, Format::A8R8G8B8, Format::A8R8G8B8, true, 0, 0},
    {"dds xrgb", ImageFileFormat::Dds, Format::X8R8G8B8, Format::X8R8G8B8, false, 0, 0},
    {"dds dxt1", ImageFileFormat::Dds, Format::DXT1, Format::DXT1, false, 24, 0, false},
    {"dds dxt3", ImageFileFormat::Dds, Format::DXT3, Format::DXT3, true, 24, 9},
    {"dds dxt5", ImageFileFormat::Dds, Format::DXT5, Format::DXT5, true, 24, 6},
};

TEST(ImageFiles, EveryFormatRoundTripsWithItsAlpha) {
    for (const RoundTrip& trip : kRoundTrips) {
        SCOPED_TRACE(trip.name);
        const Bitmap source = pattern(37, 21, trip.alphaSource);  // odd sizes: padding and partial blocks
        Image saved;
        ImageLoadDesc toFormat;
        toFormat.format = trip.imageFormat;
        toFormat.mipLevels = 1;
        ASSERT_TRUE(ConvertImage(imageOf(source), toFormat, &saved).ok());

        std::vector<std::uint8_t> file;
        const ImageResult written = SaveImageToFileInMemory(&file, trip.fileFormat, saved);
        ASSERT_TRUE(written.ok()) << written.reason;

        ImageInfo info;
        ASSERT_TRUE(GetImageInfoFromFileInMemory(file.data(), file.size(), &info).ok());
        EXPECT_EQ(info.width, 37u);
        EXPECT_EQ(info.height, 21u);
        EXPECT_EQ(info.mipLevels, 1u);
        EXPECT_EQ(info.format, trip.infoFormat);
        EXPECT_EQ(info.imageFileFormat, trip.fileFormat == ImageFileFormat::Dib ? ImageFileFormat::Bmp : trip.fileFormat);

        Image loaded;
        ImageLoadDesc asIs;
        asIs.mipLevels = 1;
        const ImageResult read = LoadImageFromFileInMemory(file.data(), file.size(), asIs, &loaded);
        ASSERT_TRUE(read.ok()) << read.reason;
        EXPECT_EQ(formatHasAlpha(loaded.format), trip.keepsAlpha);
        const Bitmap back = bitmapOf(loaded);
        EXPECT_LE(maxColourError(back, source), trip.colourTolerance);
        if (trip.keepsAlpha) {
            for (std::size_t i = 0; i < source.pixels.size(); ++i) {
                ASSERT_NEAR(int(back.pixels[i] >> 24), int(source.pixels[i] >> 24), trip.alphaTolerance) << i;
            }
        } else {
            EXPECT_FALSE(hasTransparency(back));
        }
    }
}

TEST(ImageFiles, ReadsHandBuiltFiles) {
    const Bitmap opaque = pattern(5, 3, false);
    const Bitmap translucent = pattern(6, 4, true);
    Bitmap runs = solid(9, 3, 0xFF102030);
    runs.at(4, 1) = 0xFFA0B0C0;  // a raw packet between two runs
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        const Bitmap* expected;
        Format format;
        ImageFileFormat fileFormat;
    } cases[] = {
        {"bmp 24-bit", bmp24(opaque), &opaque, Format::X8R8G8B8, ImageFileFormat::Bmp},
        {"bmp 24-bit top-down", bmp24(opaque, true), &opaque, Format::X8R8G8B8, ImageFileFormat::Bmp},
        {"bmp 32-bit with alpha", bmp32(translucent), &translucent, Format::A8R8G8B8, ImageFileFormat::Bmp},
        {"tga 32-bit", tgaRaw(translucent), &translucent, Format::A8R8G8B8, ImageFileFormat::Tga},
        {"tga rle", tgaRle(runs), &runs, Format::X8R8G8B8, ImageFileFormat::Tga},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageInfo info;
        ASSERT_TRUE(GetImageInfoFromFileInMemory(c.file.data(), c.file.size(), &info).ok());
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(info.imageFileFormat, c.fileFormat);
        Image image;
        const ImageResult result = LoadImageFromFileInMemory(c.file.data(), c.file.size(), ImageLoadDesc{}, &image);
        ASSERT_TRUE(result.ok()) << result.reason;
        EXPECT_EQ(image.format, c.format);
        EXPECT_EQ(maxChannelError(bitmapOf(image), *c.expected), 0);
    }
}

TEST(ImageFiles, Dxt1KeepsPunchThroughAlpha) {
    Bitmap cutout = pattern(8, 8, false);
    for (std::uint32_t y = 0; y < 8; ++y)
        for (std::uint32_t x = 0; x < 4; ++x) cutout.at(x, y) = 0;
    Image dxt1;
    ImageLoadDesc desc;
    desc.format = Format::DXT1;
    desc.mipLevels = 1;
    ASSERT_TRUE(ConvertImage(imageOf(cutout), desc, &dxt1).ok());
    const Bitmap back = bitmapOf(dxt1);
    EXPECT_EQ(back.at(0, 0) >> 24, 0u);
    EXPECT_EQ(back.at(7, 7) >> 24, 255u);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(SaveImageToFileInMemory(&png, ImageFileFormat::Png, dxt1).ok());
    ImageInfo info;
    ASSERT_TRUE(GetImageInfoFromFileInMemory(png.data(), png.size(), &info).ok());
    EXPECT_EQ(info.format, Format::A8R8G8B8);
}

TEST(ImageFiles, ThirtyTwoBitBmpWithoutAlphaLoadsOpaque) {
    // Writers that leave the fourth byte 0 mean "no alpha", not "invisible".
    Bitmap zeroAlpha = pattern(4, 4, false);
    for (std::uint32_t& p : zeroAlpha.pixels) p &= 0x00FFFFFF;
    const std::vector<std::uint8_t> file = bmp32(zeroAlpha);
    ImageInfo info;
    ASSERT_TRUE(GetImageInfoFromFileInMemory(file.data(), file.size(), &info).ok());
    EXPECT_EQ(info.format, Format::X8R8G8B8);
    Image image;
    ASSERT_TRUE(LoadImageFromFileInMemory(file.data(), file.size(), ImageLoadDesc{}, &image).ok());
    EXPECT_EQ(image.format, Format::X8R8G8B8);
    EXPECT_FALSE(hasTransparency(bitmapOf(image)));
}

TEST(ImageFiles, SavesToAndLoadsFromDisk) {
    testsupport::TempFolder folder;
    const Image image = imageOf(pattern(8, 8, true));
    ASSERT_TRUE(SaveImageToFile(folder.file("a.png"), ImageFileFormat::Png, image).ok());
    ImageInfo info;
    ASSERT_TRUE(GetImageInfoFromFile(folder.file("a.png"), &info).ok());
    EXPECT_EQ(info.imageFileFormat, ImageFileFormat::Png);
    Image loaded;
    ASSERT_TRUE(LoadImageFromFile(folder.file("a.png"), ImageLoadDesc{}, &loaded, &info).ok());
    EXPECT_EQ(maxChannelError(bitmapOf(loaded), bitmapOf(image)), 0);

    const ImageResult missing = LoadImageFromFile(folder.file("missing.png"), ImageLoadDesc{}, &loaded);
    EXPECT_EQ(missing.code, kResultFileNotFound);
    EXPECT_NE(missing.reason.find("missing.png"), std::string::npos);
    EXPECT_TRUE(loaded.surfaces.empty());
    EXPECT_FALSE(SaveImageToFile(folder.file("no/such/folder.png"), ImageFileFormat::Png, image).ok());
}

}  // namespace
