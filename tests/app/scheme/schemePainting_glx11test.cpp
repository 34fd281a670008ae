// A scheme painted end to end in the built program, as a modeller paints
// one: New model scheme on the bundled trainer, a brush stroke over the
// model in the 3-D view, a stroke on the flat texture that is then undone,
// Save, quit; start again, Open, Export the scheme, and find the paint in
// the exported bitmap where the simulator looks for it. Every step leaves a
// screenshot among the artefacts.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "platform/d3dx/d3dxImageDecode.h"
#include "tests/support/schemeSession.h"

namespace {

using testsupport::Picture;
using testsupport::ProgramHarness;
using testsupport::Rgb;
using testsupport::SchemeSession;
using testsupport::kSessionBackdrop;
using testsupport::near;
using testsupport::rgbAt;

bool isPaintRed(uint8_t r, uint8_t g, uint8_t b) { return r > 180 && g < 70 && b < 70; }

int redPixels(const Picture& picture) {
    int red = 0;
    for (uint32_t y = 0; y < picture.height; ++y)
        for (uint32_t x = 0; x < picture.width; ++x) {
            const Rgb c = rgbAt(picture, x, y);
            red += isPaintRed(c.r, c.g, c.b);
        }
    return red;
}

// The longest run of model pixels (not the backdrop) along the view's middle
// row, as the start and end x of a stroke over the model.
std::pair<int, int> modelSpanAcrossTheMiddle(const Picture& shot) {
    const uint32_t y = shot.height / 2;
    int bestStart = 0, bestLength = 0, start = -1;
    for (uint32_t x = shot.width / 5; x <= shot.width * 4 / 5; ++x) {
        const bool model = x < shot.width * 4 / 5 && !near(rgbAt(shot, x, y), kSessionBackdrop);
        if (model && start < 0) start = int(x);
        if (!model && start >= 0) {
            if (int(x) - start > bestLength) bestStart = start, bestLength = int(x) - start;
            start = -1;
        }
    }
    return {bestStart + bestLength / 5, bestStart + bestLength * 4 / 5};
}

// The red pixels of an exported scheme bitmap; -1 when it cannot be read.
int redTexels(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    d3dx::Bitmap bitmap;
    d3dx::ImageInfo info;
    if (bytes.empty() || !d3dx::readPicture(bytes.data(), bytes.size(), &bitmap, &info).ok()) return -1;
    int red = 0;
    for (const uint32_t argb : bitmap.pixels) red += isPaintRed(uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
    return red;
}

class Painter {
public:
    Painter(ProgramHarness& program, SchemeSession& run) : program_(program), run_(run) {}

    // Waits until the view shows at least `more` red pixels beyond `before`.
    bool redGrows(int before, int more, const std::string& shotName) {
        const bool grew = ProgramHarness::waitUntil(
            [&] { return redPixels(program_.display().capture(run_.window())) >= before + more; }, 20000);
        program_.screenshot(run_.window(), shotName);
        return grew;
    }

    int red() { return redPixels(program_.display().capture(run_.window())); }

    bool stroke(int fromX, int toX, int y) {
        return program_.focus(run_.window()) && program_.drag(run_.window(), fromX, y, toX, y, 1, 20);
    }

    // A key with Ctrl held through its release, as the view acts on it.
    bool ctrlKey(const std::string& key) {
        return program_.focus(run_.window()) && program_.keyDown("ctrl") && program_.key(key) &&
               program_.keyUp("ctrl");
    }

private:
    ProgramHarness& program_;
    SchemeSession& run_;
};

TEST(Program, PaintsASchemeSavesItAndExportsTheSchemeBitmap) {
    ProgramHarness program("schemePainting");
    SchemeSession run(program);
    // Red paint and a brush wide enough to see.
    run.writeSettings(", colour_a = 255, colour_r = 230, colour_g = 20, colour_b = 20, brushSize = 20");
    const std::string saved = program.documents() + "/painted.tvp";
    Painter painter(program, run);

    ASSERT_TRUE(run.start("01-started")) << program.log();
    ASSERT_TRUE(run.newKestrelScheme("02")) << "title: " << run.title() << "\n" << program.log();
    Picture scheme;
    ASSERT_TRUE(ProgramHarness::waitUntil([&] { return run.showsModel(0, scheme); }, 60000)) << program.log();
    program.screenshot(run.window(), "03-newScheme");

    // A brush stroke over the model in the 3-D view.
    const auto [fromX, toX] = modelSpanAcrossTheMiddle(scheme);
    ASSERT_GT(toX - fromX, 20) << "no model across the view's middle";
    const int beforeStroke = painter.red();
    ASSERT_TRUE(painter.stroke(fromX, toX, int(scheme.height / 2)));
    EXPECT_TRUE(painter.redGrows(beforeStroke, 300, "04-strokeIn3D")) << "no red paint on the model";

    // The texture view (Space), a stroke on the flat texture, then Ctrl+Z takes it back.
    ASSERT_TRUE(program.focus(run.window()) && program.key("space"));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    program.screenshot(run.window(), "05-textureView");
    const int beforeFlat = painter.red();
    const int w = int(scheme.width), h = int(scheme.height);
    ASSERT_TRUE(painter.stroke(w / 2 - 60, w / 2 + 60, h / 2 + 40));
    EXPECT_TRUE(painter.redGrows(beforeFlat, 300, "06-strokeOnTexture")) << "no red paint on the texture";
    ASSERT_TRUE(painter.ctrlKey("z"));
    EXPECT_TRUE(ProgramHarness::waitUntil([&] { return painter.red() <= beforeFlat + 50; }, 20000))
        << "Ctrl+Z left the texture stroke";
    program.screenshot(run.window(), "07-undone");

    ASSERT_TRUE(run.saveAs(saved, "08")) << program.log();
    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << program.log();
    EXPECT_EQ(*first, 0) << program.log();

    // Open again, export the scheme, and find the 3-D stroke's paint in the bitmap.
    std::filesystem::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log");
    ASSERT_TRUE(run.start("10-startedAgain")) << program.log();
    ASSERT_TRUE(run.open(saved, "painted", "11")) << "title: " << run.title() << "\n" << program.log();
    program.screenshot(run.window(), "12-opened");
    ASSERT_TRUE(run.fileMenu({"Down", "Down", "Down", "Down", "Return"}, "13-fileExportMenu")) << program.log();
    const unsigned long names = run.dialog("Export paint scheme");
    ASSERT_NE(names, 0u) << program.log();
    // The name box, then the Export button (pixels of the dialog at its font).
    ASSERT_TRUE(program.click(names, 180, 443) && program.key("ctrl+a") && program.type("e2eScheme"));
    program.screenshot(names, "14-schemeName");
    ASSERT_TRUE(program.click(names, 66, 520) && run.waitClosed(names)) << program.log();
    const std::string bitmap = program.documents() + "/TolvaneSim/Schemes/kestrel#e2eScheme.bmp";
    ASSERT_TRUE(ProgramHarness::waitForFile(bitmap, 60000)) << program.log();
    run.waitGone("Exporting project");
    program.screenshot(run.window(), "15-exported");
    EXPECT_GT(redTexels(bitmap), 200) << "the exported scheme holds no paint of the stroke";

    const std::optional<int> second = run.quit();
    ASSERT_TRUE(second.has_value()) << program.log();
    EXPECT_EQ(*second, 0) << program.log();
}

}  // namespace
