// A flying site built end to end in the built program, as a site builder
// builds one: File > New > Flying site, the empty site on screen, Export
// refused while the site has no "default 1" start for fixed-wing models,
// Save, quit; the saved file given the sample panorama and two starting
// positions; start again, Open, the panorama on screen, Export under a
// name of the builder's, quit. The saved .tvq and the exported .tvf are
// read back by their readers, the exported pictures by ImageMagick's
// identify as well; the screenshots, the saved .tvq and the whole exported
// site folder are kept among the artefacts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/site/tbCollisionObjectRecords.h"
#include "app/site/tbFlyingSiteFile.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbSiteExportNames.h"
#include "tests/app/site/siteTvfReader.h"
#include "tests/support/schemeSession.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Picture;
using testsupport::ProgramHarness;
using testsupport::Rgb;
using testsupport::SchemeSession;
using testsupport::rgbAt;

const std::string kSample = std::string(TOLVANE_SOURCE_DIR) + "/resources/environments/flyingField/flyingField";

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

// A saved site as the program's own reader takes it, or nothing (and why).
std::optional<tbFlyingSiteFileData> readSite(const std::string& path, std::string& reason) {
    const std::vector<uint8_t> bytes = readBytes(path);
    tbFlyingSiteFileData data;
    if (!readFlyingSiteFile(bytes.data(), bytes.size(), tbCheckCollisionObjectRecord, data, reason))
        return std::nullopt;
    return data;
}

tbSitePositionRecord positionRecord(const std::string& name, const d3dx::Vector3& at, uint32_t kind) {
    tbWriteArchive out;
    tbFlyingSitePosition(name, at, kind).save(out);
    tbSitePositionRecord record{};
    std::copy_n(out.bytesWritten().begin(), record.size(), record.begin());
    return record;
}

std::string positionName(const tbSitePositionRecord& record) {
    tbReadArchive in(record.data(), record.size());
    const auto position = tbFlyingSitePosition::read(in);
    return position ? position->getName() + "/" + std::to_string(position->getKind()) : "?";
}

// identify's "<format> <width>x<height>" for a picture; empty when it fails.
std::string identify(const std::string& path) {
    const testsupport::ToolResult r = testsupport::runTool({"identify", "-format", "%m %wx%h\\n", path});
    if (r.status != 0) return {};
    return r.output.substr(0, r.output.find('\n'));
}

// An exported collision object's record size by its type tag, from the
// records the saved project holds (the export writes the same records).
size_t objectRecordSize(const tbFlyingSiteFileData& saved, uint32_t tag) {
    for (const tbSiteObjectEntry& object : saved.objects)
        if (object.tag == tag) return object.record.size();
    return 0;
}

// Pixels in the view's middle third that are sky blue or grass green: the
// panorama drawn around the camera.
int panoramaPixels(const Picture& shot) {
    int count = 0;
    for (uint32_t y = shot.height / 3; y < shot.height * 2 / 3; ++y)
        for (uint32_t x = shot.width / 3; x < shot.width * 2 / 3; ++x) {
            const Rgb c = rgbAt(shot, x, y);
            const bool sky = c.b > c.r + 20 && c.b > 120;
            const bool grass = c.g > c.r && c.g > c.b + 10;
            count += (sky || grass) && !near(c, testsupport::kSessionBackdrop);
        }
    return count;
}

// Red text pixels around the view's middle: the sky box's mark of the face
// the camera looks at.
int faceMarkPixels(const Picture& shot) {
    int count = 0;
    for (uint32_t y = shot.height / 2 - 40; y < shot.height / 2 + 40; ++y)
        for (uint32_t x = shot.width / 2 - 100; x < shot.width / 2 + 100; ++x) {
            const Rgb c = rgbAt(shot, x, y);
            count += c.r > 150 && c.g < 90 && c.b < 90;
        }
    return count;
}

// A dialog's control in dialog units, clicked at its middle, the dialog's
// pixels per unit taken from its size on screen.
struct Units {
    int x, y, width, height;
};
constexpr Units kExportDialog{0, 0, 184, 331};

class SiteBuilder {
public:
    SiteBuilder(ProgramHarness& program, SchemeSession& run) : program_(program), run_(run) {}

    bool clickControl(unsigned long dialog, Units at) {
        const auto rect = program_.display().windowRect(dialog);
        if (!rect) return false;
        const double sx = double(rect->width) / kExportDialog.width, sy = double(rect->height) / kExportDialog.height;
        return program_.click(dialog, int((at.x + at.width / 2.0) * sx), int((at.y + at.height / 2.0) * sy));
    }
    bool fillEdit(unsigned long dialog, Units at, const std::string& text) {
        return clickControl(dialog, at) && program_.key("ctrl+a") && program_.type(text);
    }

    // File > New > Flying site: with no panorama chosen the sky box shows the
    // backdrop and marks the face ahead ("Cubic +Z", red) in the middle.
    bool newSite(const std::string& shotPrefix) {
        if (!run_.fileMenu({"Down", "Right", "Down", "Return"}, shotPrefix + "-fileNewMenu")) return false;
        const bool drawn = ProgramHarness::waitUntil(
            [&] { return faceMarkPixels(program_.display().capture(run_.window())) > 20; }, 60000);
        program_.screenshot(run_.window(), shotPrefix + "-newSite");
        return drawn;
    }
    bool open(const std::string& path, const std::string& shotPrefix) {
        return run_.fileMenu({"Down", "Down", "Right", "Down", "Return"}, shotPrefix + "-fileOpenMenu") &&
               run_.typeFileName("Open Flying site", path, shotPrefix + "-open") &&
               run_.waitForTitleWith(fs::path(path).filename().string()) && run_.waitGone("Opening project");
    }
    bool exportMenu(const std::string& shotName) {
        return run_.fileMenu({"Down", "Down", "Down", "Down", "Return"}, shotName);
    }

    // A message box found by its title, kept as a screenshot (its text shows
    // there) and answered with Return.
    bool answerBox(const std::string& title, const std::string& shotName) {
        const unsigned long box = run_.dialog(title);
        if (!box) return false;
        program_.screenshot(box, shotName);
        return program_.key("Return") && run_.waitClosed(box);
    }

private:
    ProgramHarness& program_;
    SchemeSession& run_;
};

TEST(Program, BuildsAFlyingSiteSavesOpensAndExportsIt) {
    ProgramHarness program("siteBuilding");
    SchemeSession run(program);
    run.writeSettings();
    SiteBuilder builder(program, run);
    const std::string saved = program.documents() + "/e2eSite.tvq";

    ASSERT_TRUE(run.start("01-started")) << program.log();
    ASSERT_TRUE(builder.newSite("02")) << program.log();

    // Export asks for a fixed-wing "default 1" start first and exports nothing.
    ASSERT_TRUE(builder.exportMenu("03-fileExportMenu")) << program.log();
    ASSERT_TRUE(builder.answerBox("Export failed", "04-exportRefused")) << program.log();
    EXPECT_FALSE(program.waitForWindow("Export flying site", 2000)) << "the names were asked with no start";

    ASSERT_TRUE(run.saveAs(saved, "05")) << program.log();
    EXPECT_TRUE(run.waitForTitleWith("e2eSite.tvq")) << run.title();
    std::string reason;
    std::optional<tbFlyingSiteFileData> site = readSite(saved, reason);
    ASSERT_TRUE(site) << reason;
    EXPECT_EQ(site->imageMode, 0u);
    EXPECT_EQ(site->cubeImages, (std::array<std::string, 6>{"[No image]", "[No image]", "[No image]", "[No image]",
                                                            "[No image]", "[No image]"}));
    EXPECT_TRUE(site->positions.empty());
    EXPECT_FALSE(site->waterMask.empty()) << "a new site saves its water mask";
    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << program.log();
    EXPECT_EQ(*first, 0) << program.log();
    fs::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log",
                  fs::copy_options::overwrite_existing);

    // The sample panorama's faces by the numbers their files carry, a
    // "default 1" fixed-wing start and a helicopter start.
    for (int slot = 0; slot < kSiteExportSlots; ++slot)
        site->cubeImages[size_t(slot)] = kSample + std::to_string(tbSiteFaceNumber(slot)) + ".jpg";
    site->positions = {positionRecord("default 1", {0, 0, -400}, 1), positionRecord("heli pad", {150, 0, -300}, 0)};
    ASSERT_TRUE(writeBytes(saved, writeFlyingSiteFile(*site)));

    ASSERT_TRUE(run.start("10-startedAgain")) << program.log();
    ASSERT_TRUE(builder.open(saved, "11")) << "title: " << run.title() << "\n" << program.log();
    Picture opened;
    EXPECT_TRUE(ProgramHarness::waitUntil(
        [&] { return panoramaPixels(opened = program.display().capture(run.window())) > 20000; }, 60000))
        << "no panorama around the camera: " << panoramaPixels(opened);
    program.screenshot(run.window(), "12-opened");

    ASSERT_TRUE(builder.exportMenu("13-fileExportMenu")) << program.log();
    const unsigned long names = run.dialog("Export flying site");
    ASSERT_NE(names, 0u) << program.log();
    ASSERT_TRUE(builder.fillEdit(names, {7, 155, 170, 12}, "e2eField"));
    ASSERT_TRUE(builder.fillEdit(names, {7, 183, 170, 12}, "End to end field"));
    ASSERT_TRUE(builder.fillEdit(names, {7, 211, 170, 80}, "Built by the program's own test"));
    program.screenshot(names, "14-exportNames");
    ASSERT_TRUE(builder.clickControl(names, {66, 306, 52, 16}) && run.waitClosed(names)) << program.log();
    const std::string folder = program.documents() + "/TolvaneSim/Flying sites/e2eField";
    ASSERT_TRUE(ProgramHarness::waitForFile(folder + "/e2eField.tvf", 180000)) << program.log();
    ASSERT_TRUE(run.waitGone("Exporting project")) << program.log();
    program.screenshot(run.window(), "15-exported");
    EXPECT_FALSE(program.waitForWindow("Export flying site", 1000)) << "an error box after the export";

    const std::optional<int> second = run.quit();
    ASSERT_TRUE(second.has_value()) << program.log();
    EXPECT_EQ(*second, 0) << program.log();

    // What the program wrote, kept for other tools to read.
    fs::copy_file(saved, program.artefacts() + "/e2eSite.tvq", fs::copy_options::overwrite_existing);
    fs::copy(folder, program.artefacts() + "/e2eField", fs::copy_options::recursive | fs::copy_options::overwrite_existing);

    const sitetest::ReadTvf tvf = sitetest::readTvf(
        readBytes(folder + "/e2eField.tvf"), [&](uint32_t tag) { return objectRecordSize(*site, tag); });
    ASSERT_TRUE(tvf.whole);
    EXPECT_EQ(tvf.data.siteName, "End to end field");
    EXPECT_EQ(tvf.data.siteDescription, "Built by the program's own test");
    EXPECT_EQ(tvf.data.imageMode, 0u);
    EXPECT_EQ(tvf.data.imageNames, (std::vector<std::string>{"e2eField1.dds", "e2eField2.dds", "e2eField3.dds",
                                                             "e2eField4.dds", "e2eField5.dds", "e2eField6.dds"}));
    EXPECT_EQ(tvf.data.cubemapName, "e2eFieldcubemap.dds");
    ASSERT_EQ(tvf.data.positions.size(), 2u);
    EXPECT_EQ(positionName(tvf.data.positions[0]), "default 1/1");
    EXPECT_EQ(positionName(tvf.data.positions[1]), "heli pad/0");
    for (int face = 1; face <= 6; ++face)
        EXPECT_EQ(identify(folder + "/medium/e2eField" + std::to_string(face) + ".dds"), "DDS 2048x2048") << face;
    EXPECT_EQ(identify(folder + "/e2eFieldcubemap.dds"), "DDS 512x512");
    EXPECT_EQ(identify(folder + "/e2eFieldicon.dds"), "DDS 128x128");
    EXPECT_TRUE(fs::is_empty(folder + "/high")) << "2048 faces give no high set";
    const std::string black = program.artefacts() + "/e2eField-black.bmp";
    ASSERT_TRUE(writeBytes(black, tvf.data.blackBitmap));
    EXPECT_EQ(identify(black), "BMP3 256x256");
}

}  // namespace
