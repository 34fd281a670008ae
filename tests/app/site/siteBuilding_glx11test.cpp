// A flying site built end to end in the built program, as a site builder
// builds one: File > New > Flying site, the empty site on screen, the sample
// panorama chosen with the panorama bar's "Auto" through its file browser,
// warm light picked through the lighting bar's swatches and the colour
// picker, Export refused while the site has no "default 1" start for
// fixed-wing models, two starting positions made with the positions bar
// ("default 1", fixed wing, so the export is allowed, and a helicopter's),
// water with a dry patch painted through the water editor, then, with the
// editor still showing, a plane, an area with points, a skyline of posts
// and a height map raised by the brush, put down from the collision bar in
// the view; Save, quit; start again, Open, the panorama on screen, Save
// again, Export under a name of the builder's, quit. The saved .tvq and the
// exported .tvf are read back by their readers, the exported pictures by
// ImageMagick's identify as well; the screenshots, the saved .tvq and the
// whole exported site folder are kept among the artefacts.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/site/tbCollisionObjectRecords.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_skyline.h"
#include "app/site/tbFlyingSiteFile.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbSiteExportNames.h"
#include "tests/app/site/siteTvfReader.h"
#include "tests/support/imageSamples.h"
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

std::string positionName(const tbSitePositionRecord& record) {
    tbReadArchive in(record.data(), record.size());
    const auto position = tbFlyingSitePosition::read(in);
    return position ? position->getName() + "/" + std::to_string(position->getKind()) : "?";
}

// A saved collision object as the builder checks it: its name, with the
// points of an area, the posts of a skyline, whether a height map was raised.
std::string describeObject(const tbSiteObjectEntry& entry) {
    tbReadArchive in(entry.record.data(), entry.record.size());
    const std::unique_ptr<tbCollisionObject> object = tbReadCollisionObjectRecord(entry.tag, in);
    if (!object) return "?";
    std::string text = object->getName();
    if (const auto* area = dynamic_cast<const tbCollisionObject_area*>(object.get()))
        text += ", " + std::to_string(area->getPoints().size()) + " points";
    if (const auto* skyline = dynamic_cast<const tbCollisionObject_skyline*>(object.get()))
        text += ", " + std::to_string(skyline->getPoints().size()) + " posts";
    if (const auto* map = dynamic_cast<const tbCollisionObject_heightMap*>(object.get())) {
        float highest = 0;
        for (uint32_t row = 0; row < map->getCellsPerSide(); ++row)
            for (uint32_t column = 0; column < map->getCellsPerSide(); ++column)
                highest = std::max(highest, map->cell(row, column).height);
        text += highest > 0 ? ", raised" : ", flat";
    }
    return text;
}

std::vector<std::string> describeObjects(const std::vector<tbSiteObjectEntry>& objects) {
    std::vector<std::string> described;
    for (const tbSiteObjectEntry& entry : objects) described.push_back(describeObject(entry));
    return described;
}

// The objects a site builder puts down first: a plane for the runway, an
// area of four points for the pits, a skyline of three posts along the
// trees and a height map with a hill raised by one stroke of the brush.
const std::vector<std::string> kBuiltObjects = {"New plane", "New area, 4 points", "New skyline, 3 posts",
                                                "New height-map, raised"};

// Black (dry) pixels of a water mask picture, its size and whether it could be read.
struct MaskCount {
    bool read = false;
    uint32_t width = 0;
    size_t black = 0;
};
MaskCount blackInMask(const std::vector<uint8_t>& file) {
    d3dx::ImageLoadDesc level0;
    level0.mipLevels = 1;
    d3dx::Image image;
    MaskCount count;
    if (file.empty() || !d3dx::LoadImageFromFileInMemory(file.data(), file.size(), level0, &image).ok()) return count;
    const d3dx::Bitmap bitmap = imagesamples::bitmapOf(image);
    count.read = true;
    count.width = bitmap.width;
    for (const uint32_t argb : bitmap.pixels) count.black += (argb & 0xFFFFFF) == 0;
    return count;
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

using Units = testsupport::DialogUnits;
constexpr Units kExportDialog{0, 0, 184, 331};

// The lighting bar's colour swatches and the warm light the test picks.
struct LightPick {
    Units swatch;
    Rgb colour;
    uint32_t argb;
};
constexpr LightPick kDiffuse{{4, 10, 30, 14}, {255, 224, 176}, 0xFFFFE0B0};
constexpr LightPick kAmbient{{38, 10, 30, 14}, {80, 64, 48}, 0xFF504030};
constexpr LightPick kSpecular{{72, 10, 30, 14}, {128, 144, 160}, 0xFF8090A0};

// The collision bar's type toggles the test uses.
constexpr Units kPlaneToggle{4, 10, 26, 14}, kAreaToggle{116, 10, 26, 14}, kSkylineToggle{172, 10, 26, 14},
    kHeightMapToggle{200, 10, 26, 14}, kWaterToggle{258, 10, 30, 14};
constexpr Units kWaterEditor{0, 0, 120, 108};

class SiteBuilder {
public:
    SiteBuilder(ProgramHarness& program, SchemeSession& run) : program_(program), run_(run) {}

    bool fillEdit(unsigned long dialog, Units at, const std::string& text) {
        return run_.clickControl(dialog, kExportDialog, at) && program_.key("ctrl+a") && program_.type(text);
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

    // The panorama bar's "Auto": the first face chosen in the file browser
    // names all six.
    bool autoPanorama(const std::string& firstFace, const std::string& shotPrefix) {
        const unsigned long bar = run_.stripBar();
        if (!bar) return false;
        program_.screenshot(bar, shotPrefix + "-panoramaBar");
        return run_.clickStripControl(bar, {256, 10, 26, 14}) &&
               run_.typeFileName("Select image", firstFace, shotPrefix + "-autoImage");
    }

    // The site toolbox's tool buttons, top to bottom.
    enum Tool { pano, lighting, collision, positions, weather };
    bool chooseTool(Tool tool) {
        const unsigned long toolbox = program_.waitForWindow("Toolbox", 10000);
        const auto rect = toolbox ? program_.display().windowRect(toolbox) : std::nullopt;
        if (!rect) return false;
        const double sx = rect->width / 68.0, sy = rect->height / 96.0;
        const unsigned long before = run_.stripBar();
        if (!program_.click(toolbox, int(34 * sx), int((12 + int(tool) * 18) * sy))) return false;
        bar_ = run_.stripBar(before);
        return bar_ != 0;
    }

    // A lighting colour through its swatch on the lighting bar and the colour picker.
    bool pickLight(const LightPick& light, const std::string& shotName) {
        return run_.clickStripControl(bar_, light.swatch) && run_.pickColour(light.colour, shotName);
    }

    // The positions bar's "New", a click on the ground in the view, then the
    // name typed into its name box (taken when the box loses the focus) and
    // the kind chosen `kindRow` rows below "All" in its kind list.
    bool newPosition(int x, int y, const std::string& name, int kindRow, const std::string& shotName) {
        const unsigned long bar = bar_;
        if (!run_.clickStripControl(bar, {4, 10, 26, 14})) return false;
        pause(300);
        if (!run_.clickView(x, y)) return false;
        pause(500);
        // Keys go to the window with the focus, which a click does not move
        // without a window manager.
        if (!program_.focus(bar) || !run_.clickStripControl(bar, {164, 10, 70, 14}) || !program_.key("ctrl+a") ||
            !program_.type(name) ||
            !program_.key("Tab"))
            return false;
        pause(300);
        if (!program_.focus(bar) || !run_.clickStripControl(bar, {238, 10, 60, 14})) return false;
        pause(500);
        for (int i = 0; i < kindRow; ++i) {
            if (!program_.key("Down")) return false;
            pause(150);
        }
        if (!program_.key("Return")) return false;
        pause(500);
        program_.screenshot(run_.window(), shotName);
        return true;
    }

    // The collision bar's "Water" and its editor: the water on ("Enabled"),
    // the brush at full strength clearing the mask ("clear"), "Edit", then
    // a stroke across the ground in the view.
    bool paintDryPatch(int fromX, int toX, int y, const std::string& shotPrefix) {
        if (!run_.clickStripControl(bar_, kWaterToggle)) return false;
        const unsigned long editor = run_.dialog("Water editor");
        if (!editor || !run_.clickControl(editor, kWaterEditor, {4, 4, 54, 14})) return false;
        pause(300);
        if (!program_.focus(editor) || !run_.clickControl(editor, kWaterEditor, {4, 54, 112, 14}) ||
            !program_.key("End"))
            return false;
        pause(300);
        if (!run_.clickControl(editor, kWaterEditor, {4, 72, 54, 14})) return false;
        pause(300);
        if (!run_.clickControl(editor, kWaterEditor, {62, 4, 54, 14})) return false;
        pause(300);
        program_.screenshot(editor, shotPrefix + "-waterEditor");
        if (!run_.dragView(fromX, y, toX, y, 40)) return false;
        pause(500);
        program_.screenshot(run_.window(), shotPrefix + "-dryPatch");
        return true;
    }

    // A collision object through its type toggle on the collision bar and a
    // click on the ground in the view, then `more` clicks, which the new
    // object takes as its points or posts.
    struct ViewPoint {
        int x, y;
    };
    bool newObject(Units toggle, ViewPoint at, const std::vector<ViewPoint>& more, const std::string& shotName) {
        if (!run_.clickStripControl(bar_, toggle)) return false;
        pause(300);
        std::vector<ViewPoint> clicks{at};
        clicks.insert(clicks.end(), more.begin(), more.end());
        for (const ViewPoint& point : clicks) {
            if (!run_.clickView(point.x, point.y)) return false;
            pause(400);
        }
        program_.screenshot(run_.window(), shotName);
        return true;
    }

private:
    static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

    ProgramHarness& program_;
    SchemeSession& run_;
    // The bar of the tool chosen last.
    unsigned long bar_ = 0;
};

TEST(Program, BuildsAFlyingSiteSavesOpensAndExportsIt) {
    ProgramHarness program("siteBuilding");
    SchemeSession run(program);
    run.writeSettings();
    SiteBuilder builder(program, run);
    const std::string saved = program.documents() + "/e2eSite.tvq";

    ASSERT_TRUE(run.start("01-started")) << program.log();
    ASSERT_TRUE(builder.newSite("02")) << program.log();

    // The sample panorama through the panorama bar's "Auto" and its file browser.
    ASSERT_TRUE(builder.autoPanorama(kSample + "1.jpg", "02a")) << program.log();
    Picture panorama;
    EXPECT_TRUE(ProgramHarness::waitUntil(
        [&] { return panoramaPixels(panorama = program.display().capture(run.window())) > 20000; }, 60000))
        << "no panorama after Auto: " << panoramaPixels(panorama);
    program.screenshot(run.window(), "02b-panorama");

    // Warm light through the lighting bar's swatches and the colour picker.
    ASSERT_TRUE(builder.chooseTool(SiteBuilder::lighting)) << program.log();
    ASSERT_TRUE(builder.pickLight(kDiffuse, "03a-diffuse")) << program.log();
    ASSERT_TRUE(builder.pickLight(kAmbient, "03b-ambient")) << program.log();
    ASSERT_TRUE(builder.pickLight(kSpecular, "03c-specular")) << program.log();
    EXPECT_TRUE(run.waitGone("Colour Picker"));
    program.screenshot(run.window(), "03d-lighting");

    // Export asks for a fixed-wing "default 1" start first and exports nothing.
    ASSERT_TRUE(builder.exportMenu("03e-fileExportMenu")) << program.log();
    ASSERT_TRUE(builder.answerBox("Export failed", "03f-exportRefused")) << program.log();
    EXPECT_FALSE(program.waitForWindow("Export flying site", 2000)) << "the names were asked with no start";

    // Two starting positions from the positions bar, on the ground ahead.
    ASSERT_TRUE(builder.chooseTool(SiteBuilder::positions)) << program.log();
    ASSERT_TRUE(builder.newPosition(450, 600, "default 1", 1, "04a-defaultStart")) << program.log();
    ASSERT_TRUE(builder.newPosition(650, 560, "heli pad", 2, "04b-heliPad")) << program.log();

    // Water first, with a dry patch painted through the water editor; then
    // the collision objects from the collision bar, put down in the view
    // while the water editor still shows: a plane; an area, its first point
    // where it was put down; a skyline of three posts, each a click on the
    // ground and one above it for its top; a height map, raised by a stroke
    // of its brush.
    ASSERT_TRUE(builder.chooseTool(SiteBuilder::collision)) << program.log();
    ASSERT_TRUE(builder.paintDryPatch(250, 450, 640, "04c")) << program.log();
    ASSERT_TRUE(builder.newObject(kPlaneToggle, {800, 660}, {}, "04d-plane")) << program.log();
    ASSERT_TRUE(builder.newObject(kAreaToggle, {250, 500}, {{350, 500}, {350, 560}, {250, 560}}, "04e-area"))
        << program.log();
    ASSERT_TRUE(builder.newObject(kSkylineToggle, {200, 450},
                                  {{200, 380}, {340, 450}, {340, 380}, {480, 450}, {480, 380}}, "04f-skyline"))
        << program.log();
    ASSERT_TRUE(builder.newObject(kHeightMapToggle, {700, 470}, {}, "04g-heightMap")) << program.log();
    ASSERT_TRUE(run.dragView(550, 620, 750, 620, 40)) << program.log();
    program.screenshot(run.window(), "04h-hill");

    ASSERT_TRUE(run.saveAs(saved, "05")) << program.log();
    EXPECT_TRUE(run.waitForTitleWith("e2eSite.tvq")) << run.title();
    std::string reason;
    const std::optional<tbFlyingSiteFileData> site = readSite(saved, reason);
    ASSERT_TRUE(site) << reason;
    EXPECT_EQ(site->imageMode, 0u);
    for (int slot = 0; slot < kSiteExportSlots; ++slot)
        EXPECT_EQ(site->cubeImages[size_t(slot)], kSample + std::to_string(tbSiteFaceNumber(slot)) + ".jpg") << slot;
    ASSERT_EQ(site->positions.size(), 2u);
    EXPECT_EQ(positionName(site->positions[0]), "default 1/1");
    EXPECT_EQ(positionName(site->positions[1]), "heli pad/0");
    EXPECT_FALSE(site->waterMask.empty()) << "a new site saves its water mask";
    EXPECT_EQ(site->diffuse, simColour::fromARGB(kDiffuse.argb));
    EXPECT_EQ(site->ambient, simColour::fromARGB(kAmbient.argb));
    EXPECT_EQ(site->specular, simColour::fromARGB(kSpecular.argb));
    EXPECT_EQ(describeObjects(site->objects), kBuiltObjects);
    EXPECT_EQ(site->waterEnabled, 1);
    const MaskCount painted = blackInMask(site->waterMask);
    EXPECT_GT(painted.black, 1000u) << "no dry patch in the water mask";
    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << program.log();
    EXPECT_EQ(*first, 0) << program.log();
    fs::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log",
                  fs::copy_options::overwrite_existing);

    const tbFlyingSiteFileData built = *site;

    ASSERT_TRUE(run.start("10-startedAgain")) << program.log();
    ASSERT_TRUE(builder.open(saved, "11")) << "title: " << run.title() << "\n" << program.log();
    Picture opened;
    EXPECT_TRUE(ProgramHarness::waitUntil(
        [&] { return panoramaPixels(opened = program.display().capture(run.window())) > 20000; }, 60000))
        << "no panorama around the camera: " << panoramaPixels(opened);
    program.screenshot(run.window(), "12-opened");

    // Saved again by the program: the site as it was opened.
    const std::string resaved = program.documents() + "/e2eSite-opened.tvq";
    ASSERT_TRUE(run.saveAs(resaved, "12a")) << program.log();
    const std::optional<tbFlyingSiteFileData> again = readSite(resaved, reason);
    ASSERT_TRUE(again) << reason;
    EXPECT_EQ(again->cubeImages, built.cubeImages);
    EXPECT_EQ(again->ambient, built.ambient);
    EXPECT_EQ(again->diffuse, built.diffuse);
    EXPECT_EQ(again->specular, built.specular);
    EXPECT_EQ(again->objects, built.objects);
    EXPECT_EQ(again->positions, built.positions);
    EXPECT_EQ(again->waterEnabled, 1);
    const MaskCount savedMask = blackInMask(again->waterMask);
    EXPECT_EQ(savedMask.black, painted.black) << "the dry patch after Open and Save";

    ASSERT_TRUE(builder.exportMenu("13-fileExportMenu")) << program.log();
    const unsigned long names = run.dialog("Export flying site");
    ASSERT_NE(names, 0u) << program.log();
    ASSERT_TRUE(builder.fillEdit(names, {7, 155, 170, 12}, "e2eField"));
    ASSERT_TRUE(builder.fillEdit(names, {7, 183, 170, 12}, "End to end field"));
    ASSERT_TRUE(builder.fillEdit(names, {7, 211, 170, 80}, "Built by the program's own test"));
    program.screenshot(names, "14-exportNames");
    ASSERT_TRUE(run.clickControl(names, kExportDialog, {66, 306, 52, 16}) && run.waitClosed(names)) << program.log();
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

    fs::copy_file(resaved, program.artefacts() + "/e2eSite-opened.tvq", fs::copy_options::overwrite_existing);

    const sitetest::ReadTvf tvf = sitetest::readTvf(
        readBytes(folder + "/e2eField.tvf"), [&](uint32_t tag) { return objectRecordSize(built, tag); });
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
    EXPECT_EQ(tvf.data.objects, built.objects);
    EXPECT_EQ(tvf.data.ambient, built.ambient);
    EXPECT_EQ(tvf.data.diffuse, built.diffuse);
    EXPECT_EQ(tvf.data.specular, built.specular);
    EXPECT_EQ(tvf.data.waterEnabled, 1);
    const std::string water = program.artefacts() + "/e2eField-water.bmp";
    ASSERT_TRUE(writeBytes(water, tvf.data.waterMaskBitmap));
    EXPECT_EQ(identify(water), "BMP3 2048x2048");
    const MaskCount exportedMask = blackInMask(tvf.data.waterMaskBitmap);
    EXPECT_EQ(exportedMask.black, painted.black) << "the dry patch in the exported mask";
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
