// DDS files: cube maps with their faces in order, mip chains, compressed
// data taken over unchanged, uncompressed layouts, and the malformed files
// that must fail cleanly.
#include "platform/d3dx/d3dxImage.h"
#include "tests/support/imageSamples.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace d3dx;
using namespace imagesamples;

namespace {

constexpr std::uint32_t kFaceColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                           0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};

void patch32(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[offset + i] = std::uint8_t(value >> (8 * i));
}

TEST(DdsFile, CubeMapKeepsItsFacesInOrderThroughSaveAndLoad) {
    const std::vector<std::uint8_t> file = ddsFile(cubeOf(16, kFaceColours));

    // On disk, each face follows the whole mip chain of the one before it
    // (16x16 down to 1x1: 341 pixels of 4 bytes), +X first.
    const std::size_t faceBytes = (256 + 64 + 16 + 4 + 1) * 4;
    ASSERT_EQ(file.size(), 128 + 6 * faceBytes);
    for (std::size_t face = 0; face < 6; ++face) {
        std::uint32_t first = 0;
        std::memcpy(&first, file.data() + 128 + face * faceBytes, 4);
        EXPECT_EQ(first, kFaceColours[face]) << "face " << face;
    }

    ImageInfo info;
    ASSERT_TRUE(GetImageInfoFromFileInMemory(file.data(), file.size(), &info).ok());
    EXPECT_EQ(info.resourceType, ResourceType::CubeTexture);
    EXPECT_EQ(info.mipLevels, 5u);

    ImageLoadDesc cube;
    cube.cube = true;
    cube.mipLevels = 1;
    cube.format = Format::A8R8G8B8;
    Image image;
    const ImageResult result = LoadImageFromFileInMemory(file.data(), file.size(), cube, &image);
    ASSERT_TRUE(result.ok()) << result.reason;
    ASSERT_TRUE(image.isCube);
    EXPECT_EQ(image.mipLevels, 1u);
    for (std::uint32_t face = 0; face < 6; ++face) {
        EXPECT_EQ(maxChannelError(bitmapOf(image, face), solid(16, 16, kFaceColours[face])), 0) << "face " << face;
    }

    // As a 2-D texture, a cube map gives its first face.
    Image flat;
    ASSERT_TRUE(LoadImageFromFileInMemory(file.data(), file.size(), ImageLoadDesc{}, &flat).ok());
    EXPECT_FALSE(flat.isCube);
    EXPECT_EQ(maxChannelError(bitmapOf(flat), solid(16, 16, kFaceColours[0])), 0);
}

TEST(DdsFile, CubeMapCompressesEveryFace) {
    const std::vector<std::uint8_t> argb = ddsFile(cubeOf(8, kFaceColours));
    ImageLoadDesc dxt;
    dxt.cube = true;
    dxt.format = Format::DXT1;
    Image image;
    ASSERT_TRUE(LoadImageFromFileInMemory(argb.data(), argb.size(), dxt, &image).ok());
    const std::vector<std::uint8_t> file = ddsFile(image);
    Image back;
    ASSERT_TRUE(LoadImageFromFileInMemory(file.data(), file.size(), dxt, &back).ok());
    EXPECT_EQ(back.format, Format::DXT1);
    EXPECT_EQ(back.mipLevels, 4u);
    for (std::uint32_t face = 0; face < 6; ++face) {
        EXPECT_EQ(maxChannelError(bitmapOf(back, face, 3), solid(1, 1, kFaceColours[face])), 0) << "face " << face;
    }
}

TEST(DdsFile, StoredMipLevelsAreKeptNotRemade) {
    // Levels whose colours could not come from filtering the level above.
    Image image;
    image.format = Format::A8R8G8B8;
    image.width = 8;
    image.height = 4;
    image.mipLevels = 4;
    const std::uint32_t colours[4] = {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC};
    for (std::uint32_t level = 0; level < 4; ++level) {
        image.surfaces.push_back(imageOf(solid(std::max(1u, 8u >> level), std::max(1u, 4u >> level), colours[level])).surfaces[0]);
    }
    const std::vector<std::uint8_t> file = ddsFile(image);
    Image loaded;
    ASSERT_TRUE(LoadImageFromFileInMemory(file.data(), file.size(), ImageLoadDesc{}, &loaded).ok());
    ASSERT_EQ(loaded.mipLevels, 4u);
    EXPECT_EQ(loaded.surface(0, 3).width, 1u);
    EXPECT_EQ(loaded.surface(0, 3).height, 1u);
    for (std::uint32_t level = 0; level < 4; ++level) {
        EXPECT_EQ(bitmapOf(loaded, 0, level).pixels[0], colours[level]) << "level " << level;
    }
}

TEST(DdsFile, CompressedDataIsTakenOverByteForByte) {
    Image dxt5;
    ImageLoadDesc toDxt5;
    toDxt5.format = Format::DXT5;
    ASSERT_TRUE(ConvertImage(imageOf(pattern(32, 32, true)), toDxt5, &dxt5).ok());
    const std::vector<std::uint8_t> file = ddsFile(dxt5);
    Image loaded;
    ImageLoadDesc asIs;
    ASSERT_TRUE(LoadImageFromFileInMemory(file.data(), file.size(), asIs, &loaded).ok());
    ASSERT_EQ(loaded.surfaces.size(), dxt5.surfaces.size());
    for (std::size_t i = 0; i < dxt5.surfaces.size(); ++i) {
        EXPECT_EQ(loaded.surfaces[i].bytes, dxt5.surfaces[i].bytes) << "surface " << i;
    }
}

TEST(DdsFile, ReadsUncompressedLayoutsByTheirMasks) {
    // A 2x1 R5G6B5 file: pure red and pure blue.
    std::vector<std::uint8_t> file = ddsFile(imageOf(solid(2, 1, 0)));
    file.resize(128);
    patch32(file, 80, 0x40);  // RGB
    patch32(file, 88, 16);
    patch32(file, 92, 0xF800);
    patch32(file, 96, 0x7E0);
    patch32(file, 100, 0x1F);
    patch32(file, 104, 0);
    file.insert(file.end(), {0x00, 0xF8, 0x1F, 0x00});
    ImageInfo info;
    ASSERT_TRUE(GetImageInfoFromFileInMemory(file.data(), file.size(), &info).ok());
    EXPECT_EQ(info.format, Format::R5G6B5);
    Image image;
    ASSERT_TRUE(LoadImageFromFileInMemory(file.data(), file.size(), ImageLoadDesc{}, &image).ok());
    EXPECT_EQ(image.format, Format::X8R8G8B8);
    const Bitmap pixels = bitmapOf(image);
    EXPECT_EQ(pixels.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(pixels.pixels[1], 0xFF0000FFu);
}

// A valid 16x16 A8R8G8B8 file with 5 levels, changed one way per case.
struct Malformed {
    const char* name;
    void (*damage)(std::vector<std::uint8_t>&);
};

const Malformed kMalformed[] = {
    {"empty", [](std::vector<std::uint8_t>& f) { f.clear(); }},
    {"magic only", [](std::vector<std::uint8_t>& f) { f.resize(4); }},
    {"header cut short", [](std::vector<std::uint8_t>& f) { f.resize(100); }},
    {"no pixel data", [](std::vector<std::uint8_t>& f) { f.resize(128); }},
    {"last level missing a byte", [](std::vector<std::uint8_t>& f) { f.pop_back(); }},
    {"bad header size", [](std::vector<std::uint8_t>& f) { patch32(f, 4, 100); }},
    {"bad pixel format size", [](std::vector<std::uint8_t>& f) { patch32(f, 76, 0); }},
    {"zero width", [](std::vector<std::uint8_t>& f) { patch32(f, 16, 0); }},
    {"zero height", [](std::vector<std::uint8_t>& f) { patch32(f, 12, 0); }},
    {"huge width", [](std::vector<std::uint8_t>& f) { patch32(f, 16, 0x7FFFFFFF); }},
    {"huge both", [](std::vector<std::uint8_t>& f) { patch32(f, 16, 0xFFFFFFFF); patch32(f, 12, 0xFFFFFFFF); }},
    {"just over the limit", [](std::vector<std::uint8_t>& f) { patch32(f, 16, kMaxImageDimension + 1); }},
    {"size larger than the data", [](std::vector<std::uint8_t>& f) { patch32(f, 16, 64); patch32(f, 12, 64); }},
    {"mip count beyond the chain", [](std::vector<std::uint8_t>& f) { patch32(f, 28, 6); }},
    {"mip count absurd", [](std::vector<std::uint8_t>& f) { patch32(f, 28, 0xFFFFFFFF); }},
    {"more levels than data", [](std::vector<std::uint8_t>& f) { patch32(f, 16, 32); patch32(f, 28, 6); }},
    {"cube without faces", [](std::vector<std::uint8_t>& f) { patch32(f, 112, 0x200); }},
    {"cube missing data", [](std::vector<std::uint8_t>& f) { patch32(f, 112, 0xFE00); }},
    {"volume", [](std::vector<std::uint8_t>& f) { patch32(f, 112, 0x200000); }},
    {"unknown four-cc", [](std::vector<std::uint8_t>& f) { patch32(f, 80, 0x4); patch32(f, 84, 0x30315844); }},
    {"unknown masks", [](std::vector<std::uint8_t>& f) { patch32(f, 92, 0x0F0F0F0F); }},
    {"bits a pixel absurd", [](std::vector<std::uint8_t>& f) { patch32(f, 88, 0xFFFFFFF0); }},
    {"no format flags", [](std::vector<std::uint8_t>& f) { patch32(f, 80, 0); }},
    {"scrambled", [](std::vector<std::uint8_t>& f) {
         const std::uint8_t marker[8] = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40};
         f.insert(f.begin(), marker, marker + 8);
     }},
};

TEST(DdsFile, MalformedFilesFailWithAReasonAndNoImage) {
    Image valid = imageOf(pattern(16, 16, true));
    ImageLoadDesc withMips;
    ASSERT_TRUE(ConvertImage(valid, withMips, &valid).ok());
    ASSERT_EQ(valid.mipLevels, 5u);
    const std::vector<std::uint8_t> good = ddsFile(valid);
    for (const Malformed& m : kMalformed) {
        SCOPED_TRACE(m.name);
        std::vector<std::uint8_t> file = good;
        m.damage(file);
        ImageInfo info;
        const ImageResult infoResult = GetImageInfoFromFileInMemory(file.data(), file.size(), &info);
        EXPECT_FALSE(infoResult.ok());
        EXPECT_FALSE(infoResult.reason.empty());
        Image image = valid;
        const ImageResult loadResult = LoadImageFromFileInMemory(file.data(), file.size(), ImageLoadDesc{}, &image);
        EXPECT_EQ(loadResult.code, kResultInvalidData) << loadResult.reason;
        EXPECT_TRUE(image.surfaces.empty());
        EXPECT_EQ(image.width, 0u);
    }
}

TEST(DdsFile, ScrambledFilesAreRefusedByName) {
    std::vector<std::uint8_t> file = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40};
    const std::vector<std::uint8_t> png = [] {
        std::vector<std::uint8_t> out;
        SaveImageToFileInMemory(&out, ImageFileFormat::Png, imageOf(pattern(4, 4, false)));
        return out;
    }();
    file.insert(file.end(), png.begin(), png.end());
    EXPECT_TRUE(isScrambledImage(file.data(), file.size()));
    EXPECT_FALSE(isScrambledImage(png.data(), png.size()));
    ImageInfo info;
    const ImageResult result = GetImageInfoFromFileInMemory(file.data(), file.size(), &info);
    EXPECT_EQ(result.code, kResultInvalidData);
    EXPECT_NE(result.reason.find("scrambled"), std::string::npos);
}

}  // namespace
