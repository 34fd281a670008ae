// The export of a flying site into a real folder, from a plain record of what
// the site holds: which files appear, what each holds (read back by our
// readers, by nvddsinfo and by ImageMagick's identify), the cube map's
// backup, and what a folder that cannot be written to does.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/site/tbSiteExporter.h"
#include "tests/app/site/siteTvfReader.h"
#include "tests/support/childProcess.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"
#include "tests/support/wholeFile.h"

namespace {

namespace fs = std::filesystem;

constexpr uint16_t kRed565 = 0xF800, kGrey565 = 0x8410;

// A DXT1 face of solid blocks: its top-left quarter `mark`, the rest `base`
// (both RGB565), so orientation and scaling can be read off its pixels.
d3dx::Image dxt1Face(uint32_t size, uint16_t mark, uint16_t base) {
    d3dx::Image image;
    image.format = d3dx::Format::DXT1;
    image.width = image.height = size;
    image.mipLevels = 1;
    image.surfaces.resize(1);
    image.surfaces[0].width = image.surfaces[0].height = size;
    const uint32_t blocks = size / 4;
    for (uint32_t by = 0; by < blocks; ++by)
        for (uint32_t bx = 0; bx < blocks; ++bx) {
            const uint16_t colour = bx < blocks / 2 && by < blocks / 2 ? mark : base;
            const uint8_t block[8] = {uint8_t(colour), uint8_t(colour >> 8), 0, 0, 0, 0, 0, 0};
            image.surfaces[0].bytes.insert(image.surfaces[0].bytes.end(), block, block + 8);
        }
    return image;
}

d3dx::Image cube(uint32_t size, uint32_t argb) {
    const uint32_t colours[6] = {argb, argb, argb, argb, argb, argb};
    return imagesamples::cubeOf(size, colours);
}

using testsupport::fileBytes;

// Every regular file under the folder, sorted.
std::vector<std::string> filesUnder(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The file's own levels, size and format (a cube map as a cube).
d3dx::Image load(const std::string& path, d3dx::ImageInfo* info, bool cube = false) {
    d3dx::ImageLoadDesc desc;
    desc.mipLevels = 1;
    desc.cube = cube;
    d3dx::Image image;
    const d3dx::ImageResult result = d3dx::LoadImageFromFile(path, desc, &image, info);
    EXPECT_TRUE(result.ok()) << path << ": " << result.reason;
    return image;
}

uint32_t pixelAt(const d3dx::Image& image, uint32_t x, uint32_t y) {
    return imagesamples::bitmapOf(image).at(x, y);
}

// identify's "<format> <width>x<height>" for a file; empty when it fails.
std::string identify(const std::string& path) {
    const testsupport::ToolResult r = testsupport::runTool({"identify", "-format", "%m %wx%h\\n", path});
    if (r.status != 0) return {};
    return r.output.substr(0, r.output.find('\n'));
}

// nvddsinfo's "Width: w, Height: h" lines, empty when it fails.
std::string nvddsinfo(const std::string& path) {
    const testsupport::ToolResult r = testsupport::runTool({"nvddsinfo", path});
    if (r.status != 0) return {};
    auto field = [&](const std::string& name) {
        const size_t at = r.output.find(name + ": ");
        if (at == std::string::npos) return std::string("?");
        const size_t from = at + name.size() + 2;
        return r.output.substr(from, r.output.find('\n', from) - from);
    };
    return field("Width") + "x" + field("Height");
}

size_t objectRecordSize(uint32_t) { return 12; }

class SiteExportTest : public ::testing::Test {
protected:
    SiteExportTest() {
        input.folder = temp.file("Flying sites/meadow");
        input.exportName = "meadow";
        input.site.siteName = "Meadow";
        input.site.objects.push_back({1, std::vector<uint8_t>(12, 7)});
        input.site.positions.resize(1);
    }

    tbSiteExportReport run() {
        progress.clear();
        return tbExportSite(input, [this](float p) { progress.push_back(p); });
    }

    std::string site(const std::string& name) const { return input.folder + "/" + name; }
    // Files under the site folder, as filesUnder lists them.
    std::vector<std::string> relativeFiles(std::vector<std::string> names) const {
        for (std::string& name : names) name = site(name);
        std::sort(names.begin(), names.end());
        return names;
    }
    sitetest::ReadTvf tvf() const { return sitetest::readTvf(fileBytes(site("meadow.tvf")), objectRecordSize); }

    testsupport::TempFolder temp;
    tbSiteExportInput input;
    std::vector<float> progress;
};

TEST_F(SiteExportTest, AFourThousandFaceGivesTheHighSetAsHeldAndAMediumSetAtTwoThousand) {
    input.faces[0] = dxt1Face(4096, kRed565, kGrey565);
    input.faces[1] = dxt1Face(256, kRed565, 0x001F);
    input.faces[5] = dxt1Face(1024, kRed565, 0x07E0);
    input.cubemap = cube(16, 0xFF336699);
    input.site.waterEnabled = 1;
    input.waterMask = imagesamples::imageOf(imagesamples::solid(64, 64, 0xFFFFFFFF), d3dx::Format::X8R8G8B8);
    temp.write("birds.wav", "RIFF....WAVE");
    input.ambientSound = temp.file("birds.wav");

    const tbSiteExportReport report = run();
    ASSERT_TRUE(report.siteFileWritten) << report.failure;
    EXPECT_EQ(report.missing, std::vector<std::string>());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(std::count_if(progress.begin(), progress.end(), [](float p) { return p > 45 && p < 90; }), 3)
        << "a step as each medium face is done";
    EXPECT_EQ(progress.back(), 100.0f);

    EXPECT_EQ(filesUnder(input.folder),
              relativeFiles({"birds.wav", "high/meadow#high1.dds", "high/meadow#high2.dds", "high/meadow#high3.dds",
                             "medium/meadow1.dds", "medium/meadow2.dds", "medium/meadow3.dds", "meadow.tvf",
                             "meadowcubemap.dds", "meadowicon.dds"}));

    const struct {
        const char* file;
        uint32_t size;
        d3dx::Format format;
        int slot;  // the face whose blocks it holds unchanged, or -1
        uint32_t topLeft, bottomRight;
    } images[] = {
        {"high/meadow#high3.dds", 4096, d3dx::Format::DXT1, 0, 0, 0},
        {"high/meadow#high1.dds", 256, d3dx::Format::DXT1, 1, 0, 0},
        {"high/meadow#high2.dds", 1024, d3dx::Format::DXT1, 5, 0, 0},
        {"medium/meadow3.dds", 2048, d3dx::Format::DXT1, -1, 0xFFFF0000, 0xFF848284},
        {"medium/meadow1.dds", 2048, d3dx::Format::DXT1, -1, 0xFFFF0000, 0xFF0000FF},
        {"medium/meadow2.dds", 2048, d3dx::Format::DXT1, -1, 0xFFFF0000, 0xFF00FF00},
        {"meadowicon.dds", 128, d3dx::Format::X8R8G8B8, -1, 0xFFFF0000, 0xFF848284},
    };
    for (const auto& c : images) {
        SCOPED_TRACE(c.file);
        d3dx::ImageInfo info;
        const d3dx::Image image = load(site(c.file), &info);
        EXPECT_EQ(info.width, c.size);
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(info.mipLevels, 1u);
        if (c.slot >= 0) {
            EXPECT_EQ(image.surfaces.at(0).bytes, input.faces[c.slot].surfaces[0].bytes) << "not compressed again";
        } else {
            EXPECT_EQ(pixelAt(image, 0, 0), c.topLeft);
            EXPECT_EQ(pixelAt(image, c.size - 1, c.size - 1), c.bottomRight);
        }
        const std::string size = std::to_string(c.size) + "x" + std::to_string(c.size);
        EXPECT_EQ(nvddsinfo(site(c.file)), size);
        EXPECT_EQ(identify(site(c.file)), "DDS " + size);
    }
    d3dx::ImageInfo info;
    const d3dx::Image cubemap = load(site("meadowcubemap.dds"), &info, true);
    EXPECT_EQ(info.resourceType, d3dx::ResourceType::CubeTexture);
    EXPECT_EQ(cubemap.surfaces.size(), 6u);
    EXPECT_EQ(nvddsinfo(site("meadowcubemap.dds")), "16x16");
    EXPECT_EQ(identify(site("meadowcubemap.dds")), "DDS 16x16");
    EXPECT_EQ(fileBytes(site("birds.wav")), fileBytes(input.ambientSound));

    const sitetest::ReadTvf r = tvf();
    ASSERT_TRUE(r.whole);
    EXPECT_EQ(r.data.imageNames, (std::vector<std::string>{"meadow1.dds", "meadow2.dds", "[No image]", "[No image]",
                                                           "[No image]", "meadow6.dds"}));
    EXPECT_EQ(r.data.cubemapName, "meadowcubemap.dds");
    EXPECT_EQ(r.data.ambientSoundName, "birds.wav");
    EXPECT_EQ(r.data.objects, input.site.objects);
    // The two pictures inside the site file, read back from files of their own.
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        uint32_t size, colour;
    } bitmaps[] = {{"black.bmp", r.data.blackBitmap, 256, 0xFF000000},
                   {"water.bmp", r.data.waterMaskBitmap, 64, 0xFFFFFFFF}};
    for (const auto& b : bitmaps) {
        temp.write(b.name, std::string(b.bytes.begin(), b.bytes.end()));
        const d3dx::Image image = load(temp.file(b.name), &info);
        EXPECT_EQ(info.imageFileFormat, d3dx::ImageFileFormat::Bmp) << b.name;
        EXPECT_EQ(info.width, b.size) << b.name;
        EXPECT_EQ(pixelAt(image, b.size - 1, b.size - 1) | 0xFF000000, b.colour) << b.name;
        const std::string size = std::to_string(b.size) + "x" + std::to_string(b.size);
        EXPECT_EQ(identify(temp.file(b.name)), "BMP3 " + size) << b.name;
    }
}

// The files each kind of site writes: with and without the high set, without
// faces, over an earlier cube map with a sound, and spherical panoramas.
TEST_F(SiteExportTest, FileSets) {
    const d3dx::Image small = dxt1Face(64, kRed565, kGrey565), big = dxt1Face(4096, kRed565, kGrey565);
    const struct {
        const char* what;
        uint32_t mode;
        std::array<const d3dx::Image*, 6> faces;
        bool cubemap, earlierCubemap, sound, sphere;
        std::vector<std::string> files;
    } cases[] = {
        {"two faces with the high set", 0, {&big, nullptr, nullptr, nullptr, nullptr, &small}, false, false, false,
         false, {"high/meadow#high3.dds", "high/meadow#high2.dds", "medium/meadow3.dds", "medium/meadow2.dds",
                 "meadowicon.dds", "meadow.tvf"}},
        {"six faces without the high set", 0, {&small, &small, &small, &small, &small, &small}, false, false, false,
         false, {"medium/meadow3.dds", "medium/meadow1.dds", "medium/meadow6.dds", "medium/meadow5.dds",
                 "medium/meadow4.dds", "medium/meadow2.dds", "meadowicon.dds", "meadow.tvf"}},
        {"no faces", 0, {}, false, false, false, false, {"meadowicon.dds", "meadow.tvf"}},
        {"over an earlier cube map, with a sound", 0, {}, true, true, true, false,
         {"meadowicon.dds", "meadowcubemap_copy.dds", "meadowcubemap.dds", "meadow.tvf", "wind.wav"}},
        {"a spherical picture and a first cube map", 1, {&small}, true, false, false, true,
         {"meadow.png", "meadowcubemap.dds", "meadow.tvf"}},
        {"spherical mode without a picture", 1, {&big, &small}, false, false, false, false, {"meadow.tvf"}},
    };
    temp.write("wind.wav", "RIFF wind");
    temp.write("pano.png", "\x89PNG picture");
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        input = {};
        input.folder = temp.file("case" + std::to_string(++number) + "/meadow");
        input.exportName = "meadow";
        input.imageMode = c.mode;
        for (int slot = 0; slot < 6; ++slot) input.faces[slot] = c.faces[slot] ? *c.faces[slot] : d3dx::Image{};
        if (c.cubemap) input.cubemap = cube(8, 0xFF102030);
        if (c.earlierCubemap) {
            fs::create_directories(input.folder);
            std::ofstream(site("meadowcubemap.dds")) << "an earlier export's";
        }
        if (c.sound) input.ambientSound = temp.file("wind.wav");
        if (c.sphere) input.sphereImage = temp.file("pano.png");
        const tbSiteExportReport report = run();
        EXPECT_TRUE(report.siteFileWritten) << report.failure;
        EXPECT_EQ(report.missing, std::vector<std::string>());
        EXPECT_EQ(filesUnder(input.folder), relativeFiles(c.files));
    }
}

TEST_F(SiteExportTest, WithoutAFourThousandFirstFaceTheMediumSetHoldsTheFacesAsTheyAre) {
    input.faces[0] = dxt1Face(512, kRed565, kGrey565);
    input.faces[3] = dxt1Face(4096, kRed565, kGrey565);  // only slot 0 decides
    const tbSiteExportReport report = run();
    ASSERT_TRUE(report.siteFileWritten) << report.failure;
    EXPECT_TRUE(fs::is_empty(site("high")));
    for (const auto& [file, slot] : {std::pair{"medium/meadow3.dds", 0}, std::pair{"medium/meadow5.dds", 3}}) {
        d3dx::ImageInfo info;
        EXPECT_EQ(load(site(file), &info).surfaces.at(0).bytes, input.faces[slot].surfaces[0].bytes) << file;
    }
    EXPECT_EQ(tvf().data.imageNames[3], "meadow4.dds");
}

TEST_F(SiteExportTest, AnEarlierCubeMapIsKeptAsTheBackupBeforeItIsReplaced) {
    input.cubemap = cube(8, 0xFF112233);
    ASSERT_TRUE(run().siteFileWritten);
    const std::vector<uint8_t> first = fileBytes(site("meadowcubemap.dds"));
    EXPECT_FALSE(fs::exists(site("meadowcubemap_copy.dds"))) << "no backup of nothing";

    input.cubemap = cube(8, 0xFF445566);
    ASSERT_TRUE(run().siteFileWritten);
    EXPECT_EQ(fileBytes(site("meadowcubemap_copy.dds")), first);
    const std::vector<uint8_t> second = fileBytes(site("meadowcubemap.dds"));
    EXPECT_NE(second, first);

    ASSERT_TRUE(run().siteFileWritten);
    EXPECT_EQ(fileBytes(site("meadowcubemap_copy.dds")), second) << "the older backup is replaced";
}

TEST_F(SiteExportTest, AFolderThatCannotBeMadeFailsBeforeAnythingIsWritten) {
    temp.write("Flying sites", "a file where the folder should be");
    input.faces[0] = dxt1Face(64, kRed565, kGrey565);
    const tbSiteExportReport report = run();
    EXPECT_FALSE(report.siteFileWritten);
    EXPECT_NE(report.failure.find("could not be made"), std::string::npos) << report.failure;
    EXPECT_NE(tbSiteExportMessage(report).find("The flying site was not exported."), std::string::npos);
    EXPECT_EQ(filesUnder(temp.path()), std::vector<std::string>{temp.file("Flying sites")});
}

TEST_F(SiteExportTest, ASiteFileThatCannotBeWrittenFailsAndLeavesNoPartOfIt) {
    fs::create_directories(site("meadow.tvf"));  // in the way of the rename
    const tbSiteExportReport report = run();
    EXPECT_FALSE(report.siteFileWritten);
    EXPECT_NE(report.failure.find("meadow.tvf could not be written"), std::string::npos) << report.failure;
    for (const std::string& file : filesUnder(input.folder))
        EXPECT_EQ(file, site("meadowicon.dds")) << "only the icon, no temporary file";
}

// The single picture of a spherical panorama is copied as name.ext and the
// site file names that copy, not the author's own path.
TEST_F(SiteExportTest, TheSphericalPictureIsCopiedBesideTheSiteAndNamedRelatively) {
    temp.write("pano.jpg", "\xFF\xD8 picture bytes");
    input.imageMode = 1;
    input.sphereImage = temp.file("pano.jpg");
    ASSERT_TRUE(run().siteFileWritten);
    EXPECT_EQ(fileBytes(site("meadow.jpg")), fileBytes(input.sphereImage));
    EXPECT_EQ(tvf().data.imageNames, std::vector<std::string>{"meadow.jpg"});
    EXPECT_FALSE(fs::exists(site("meadowicon.dds")));

    input.sphereImage.clear();
    ASSERT_TRUE(run().siteFileWritten);
    EXPECT_EQ(tvf().data.imageNames, std::vector<std::string>{"[No image]"});
}

// A sound or picture the author chose from the site folder itself is left as
// it is, not copied over itself (which emptied it).
TEST_F(SiteExportTest, FilesAlreadyInTheSiteFolderAreKept) {
    fs::create_directories(input.folder);
    const std::string sound = site("wind.wav"), picture = site("meadow.png");
    std::ofstream(sound) << "RIFF wind";
    std::ofstream(picture) << "\x89PNG picture";
    input.ambientSound = sound;
    input.imageMode = 1;
    input.sphereImage = picture;
    const tbSiteExportReport report = run();
    ASSERT_TRUE(report.siteFileWritten);
    EXPECT_EQ(report.missing, std::vector<std::string>());
    EXPECT_EQ(temp.read("Flying sites/meadow/wind.wav"), "RIFF wind");
    EXPECT_EQ(temp.read("Flying sites/meadow/meadow.png"), "\x89PNG picture");
    EXPECT_EQ(tvf().data.imageNames, std::vector<std::string>{"meadow.png"});
}

// Pictures that could not be read or written are told by name; the site file
// is still written.
TEST_F(SiteExportTest, MissingPicturesAreReportedByName) {
    input.faces[0] = dxt1Face(64, kRed565, kGrey565);
    input.faces[1] = dxt1Face(64, kRed565, kGrey565);
    input.missing = {"Cubic +Y: /pictures/sky5.bmp could not be loaded"};
    fs::create_directories(site("medium/meadow1.dds"));  // slot 1's file cannot be written
    input.imageMode = 0;
    const tbSiteExportReport report = run();
    ASSERT_TRUE(report.siteFileWritten) << report.failure;
    ASSERT_EQ(report.missing.size(), 2u);
    EXPECT_EQ(report.missing[0], input.missing[0]);
    EXPECT_EQ(report.missing[1].rfind("medium/meadow1.dds: ", 0), 0u) << report.missing[1];
    const std::string message = tbSiteExportMessage(report);
    EXPECT_NE(message.find("missing"), std::string::npos);
    EXPECT_NE(message.find("medium/meadow1.dds"), std::string::npos);
    EXPECT_NE(message.find("sky5.bmp"), std::string::npos);
    EXPECT_EQ(tbSiteExportMessage(tbSiteExportReport{true, {}, {}}), "");
}

}  // namespace
