// The brush-shape picker's rows and thumbnails without a display: which
// folders give rows, how folder rows are named, and what choosing a row does
// to the brush image.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/scheme/bars/CDlgBrushShapePickerModel.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simResources.h"
#include "platform/d3dx/d3dxImageBmp.h"
#include "tests/support/tempFolder.h"

namespace {

namespace fs = std::filesystem;

// A BMP file of `width` x `height` pixels, left half `left`, right half `right` (0xAARRGGBB).
std::string bmpFile(uint32_t width, uint32_t height, uint32_t left, uint32_t right) {
    std::vector<uint32_t> pixels(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) pixels[size_t{y} * width + x] = x < width / 2 ? left : right;
    std::vector<uint8_t> file;
    d3dx::writeBmp(reinterpret_cast<const uint8_t*>(pixels.data()), width, height, false, &file);
    return std::string(file.begin(), file.end());
}

// Writes `bytes` to `name` under the test's folder, making its folders.
void put(const testsupport::TempFolder& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(fs::path(folder.file(name)).parent_path());
    folder.write(name, bytes);
}

struct RowView {
    std::string text;
    int parent;
    std::string subFolder;
    std::string fileName;
    bool operator==(const RowView&) const = default;
};

std::vector<RowView> view(const std::vector<bars::DecalRow>& rows) {
    std::vector<RowView> out;
    for (const bars::DecalRow& r : rows) out.push_back({r.text, r.parent, r.subFolder, r.fileName});
    return out;
}

TEST(DecalList, FoldersInOrderWithCountedFolderRows) {
    testsupport::TempFolder folder;
    const std::string bmp = bmpFile(4, 4, 0xFFFF0000u, 0xFF0000FFu);
    put(folder, "resources/tolvaneBuilder/decals/star.bmp", bmp);
    put(folder, "resources/tolvaneBuilder/decals/notes.txt", "not a decal");
    for (const char* name : {"e", "a", "d", "b", "c"}) put(folder, std::string("resources/tolvaneBuilder/decals/wings/") + name + ".bmp", bmp);
    fs::create_directories(folder.file("resources/tolvaneBuilder/decals/empty"));
    put(folder, "settings/Decals/mine.bmp", bmp);

    const bars::DecalFolders folders{folder.file("resources"), folder.file("settings")};
    const std::string decals = "tolvaneBuilder/decals";
    const std::vector<RowView> expected = {
        {"Brush", -1, "", "Brush"},
        {"star", -1, decals, "star.bmp"},
        {"Decals (1)", -1, "", ""},
        {"mine", 2, "Decals", "mine.bmp"},
        {"empty (0)", -1, "", ""},
        {"wings (5)", -1, "", ""},
        {"a", 5, decals + "/wings", "a.bmp"},
        {"b", 5, decals + "/wings", "b.bmp"},
        {"c", 5, decals + "/wings", "c.bmp"},
        {"d", 5, decals + "/wings", "d.bmp"},
        {"e", 5, decals + "/wings", "e.bmp"},
    };
    const std::vector<bars::DecalRow> rows = bars::tbListDecals(folders);
    EXPECT_EQ(view(rows), expected);
    EXPECT_EQ(rows[3].rootKind, simRootKind_settings);
    EXPECT_EQ(rows[6].rootKind, simRootKind_resources);
    EXPECT_EQ(rows[6].imagePath, folder.file("resources/tolvaneBuilder/decals/wings/a.bmp"));
    EXPECT_EQ(rows[0].imagePath, folder.file("resources/tolvaneBuilder/brush.bmp"));
}

TEST(DecalList, MissingFoldersGiveOnlyThePlainBrush) {
    testsupport::TempFolder folder;
    const std::vector<bars::DecalRow> rows = bars::tbListDecals({folder.file("nowhere"), folder.file("neither")});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text, "Brush");
}

// The program ships decal brushes: four sets under folder rows with the
// folder picture, each decal a readable picture with a shape to brush
// (some texels covered, some clear).
TEST(DecalList, TheShippedDecalsFillThePicker) {
    const std::string resources = std::string(TOLVANE_SOURCE_DIR) + "/resources";
    const std::vector<bars::DecalRow> rows = bars::tbListDecals({resources, "/nowhere"});
    std::vector<std::string> folders;
    size_t decals = 0;
    for (const bars::DecalRow& row : rows) {
        if (!row.choosable()) {
            folders.push_back(row.text);
            EXPECT_EQ(bars::tbDecalThumbnail(row.imagePath).width, 32u) << row.imagePath;
            continue;
        }
        if (row.fileName == "Brush") continue;
        ++decals;
        const d3dx::Bitmap thumb = bars::tbDecalThumbnail(row.imagePath);
        ASSERT_EQ(thumb.width, 32u) << row.imagePath;
        size_t covered = 0, clear = 0;
        for (const uint32_t p : thumb.pixels) covered += p >> 24 == 0xFF, clear += p >> 24 == 0;
        EXPECT_GT(covered, 32u) << row.imagePath;
        EXPECT_GT(clear, 32u) << row.imagePath;
    }
    EXPECT_EQ(folders, (std::vector<std::string>{"numbers (10)", "roundels (4)", "stars (3)", "stripes (4)"}));
    EXPECT_EQ(decals, 21u);
}

TEST(DecalThumbnail, ScaledTo32SquareOnTheCpuAndEmptyWhenUnreadable) {
    testsupport::TempFolder folder;
    put(folder, "big.bmp", bmpFile(256, 128, 0xFFFF0000u, 0xFF00FF00u));
    put(folder, "bad.bmp", "BM not really");
    const d3dx::Bitmap thumb = bars::tbDecalThumbnail(folder.file("big.bmp"));
    ASSERT_EQ(thumb.width, 32u);
    ASSERT_EQ(thumb.height, 32u);
    EXPECT_EQ(thumb.at(2, 16), 0xFFFF0000u);
    EXPECT_EQ(thumb.at(29, 16), 0xFF00FF00u);
    EXPECT_EQ(thumb.at(2, 0), 0xFFFF0000u);
    EXPECT_EQ(bars::tbDecalThumbnail(folder.file("bad.bmp")).width, 0u);
    EXPECT_EQ(bars::tbDecalThumbnail(folder.file("missing.bmp")).width, 0u);
}

TEST(BrushShapePicker, ChoosingARowSetsTheBrushImage) {
    tbToolState tools;
    simTexture* const decal = reinterpret_cast<simTexture*>(0x1000);  // never dereferenced
    std::vector<std::string> asked;
    bars::BrushShapePickerModel picker(
        tools,
        [&](const bars::DecalRow& row) -> simTexture* {
            asked.push_back(row.fileName);
            return row.fileName == "star.bmp" ? decal : nullptr;
        },
        "brush.bmp");
    bars::DecalRow star{"star", -1, "/d/star.bmp", 0, "tolvaneBuilder/decals", "star.bmp"};
    bars::DecalRow brush{"Brush", -1, "/r/brush.bmp", 0, "", "Brush"};
    bars::DecalRow folderRow{"wings (5)", -1, "/r/folder.bmp", 0, "", ""};

    EXPECT_EQ(picker.select(&star), "/d/star.bmp");
    EXPECT_EQ(tools.getBrushTexture(), decal);
    EXPECT_EQ(picker.select(&folderRow), std::nullopt);  // a folder chooses nothing
    EXPECT_EQ(picker.select(nullptr), std::nullopt);
    EXPECT_EQ(tools.getBrushTexture(), decal);
    EXPECT_FALSE(picker.chooseAndClose(&folderRow));
    EXPECT_TRUE(picker.chooseAndClose(&brush));  // back to the hardness images
    EXPECT_EQ(tools.getBrushTexture(), nullptr);  // no hardness image is loaded here
    EXPECT_EQ(picker.select(&brush), "brush.bmp");
    EXPECT_EQ(asked, (std::vector<std::string>{"star.bmp", "Brush", "Brush"}));
}

}  // namespace
