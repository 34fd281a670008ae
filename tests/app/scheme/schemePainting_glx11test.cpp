// A scheme painted end to end in the built program, as a modeller paints
// one: New model scheme on the bundled trainer, a brush stroke over the
// model in the 3-D view, a stroke on the flat texture that is then undone,
// Save, quit; start again, Open, select faces of the model by dragging over
// it (the saved file carries the selection mode, which no tool sets), Export
// the scheme, and find the paint in the exported bitmap where the simulator
// looks for it. Every step leaves a screenshot among the artefacts, and the
// saved project and the exported bitmap are kept beside them.
// A scheme saved and opened again, after a New of the same model and in a
// fresh run, looks as it did when it was saved: no error box, the canopy
// see-through.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "app/scheme/tbProjectFile.h"
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

// The paints the test uses, each far from the model's pale grey, the
// texture's grey and the backdrop.
enum class Paint { red, green, blue };
constexpr Rgb kPaints[] = {{230, 20, 20}, {20, 200, 20}, {20, 20, 220}};

bool isPaint(Paint paint, uint8_t r, uint8_t g, uint8_t b) {
    switch (paint) {
    case Paint::red: return r > 180 && g < 70 && b < 70;
    case Paint::green: return g > 150 && r < 70 && b < 70;
    case Paint::blue: return b > 170 && r < 70 && g < 70;
    }
    return false;
}

int paintPixels(const Picture& picture, Paint paint) {
    int count = 0;
    for (uint32_t y = 0; y < picture.height; ++y)
        for (uint32_t x = 0; x < picture.width; ++x) {
            const Rgb c = rgbAt(picture, x, y);
            count += isPaint(paint, c.r, c.g, c.b);
        }
    return count;
}

// The longest run of model pixels (not the backdrop) along the view's middle
// row, as the start and end x of a stroke over the model; the toolbox and the
// object bar stand over the view's left and right edges.
std::pair<int, int> modelSpanAcrossTheMiddle(const Picture& shot) {
    const uint32_t y = shot.height / 2, left = shot.width / 5, right = shot.width * 7 / 10;
    int bestStart = 0, bestLength = 0, start = -1;
    for (uint32_t x = left; x <= right; ++x) {
        const bool model = x < right && !near(rgbAt(shot, x, y), kSessionBackdrop);
        if (model && start < 0) start = int(x);
        if (!model && start >= 0) {
            if (int(x) - start > bestLength) bestStart = start, bestLength = int(x) - start;
            start = -1;
        }
    }
    return {bestStart + bestLength / 5, bestStart + bestLength * 4 / 5};
}

// The texels of an exported scheme bitmap in each paint; empty when it cannot be read.
std::vector<int> paintTexels(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    d3dx::Bitmap bitmap;
    d3dx::ImageInfo info;
    if (bytes.empty() || !d3dx::readPicture(bytes.data(), bytes.size(), &bitmap, &info).ok()) return {};
    std::vector<int> counts(3);
    for (const uint32_t argb : bitmap.pixels)
        for (const Paint paint : {Paint::red, Paint::green, Paint::blue})
            counts[size_t(paint)] += isPaint(paint, uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
    return counts;
}

// A saved project as the program wrote it (the scene's two cameras), or
// nothing when it cannot be read.
std::optional<tbProjectFileData> readProject(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    tbProjectFileData data;
    std::string error;
    if (!readProjectFile(bytes.data(), bytes.size(), 2, data, error)) return std::nullopt;
    return data;
}

// Gives a saved project the face selection mode.
bool selectFacesInFile(const std::string& path) {
    std::optional<tbProjectFileData> data = readProject(path);
    if (!data) return false;
    data->geometry.settings.uvMode = 2;
    const std::vector<uint8_t> bytes = writeProjectFile(*data);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file.flush());
}

using Units = testsupport::DialogUnits;

class Painter {
public:
    Painter(ProgramHarness& program, SchemeSession& run) : program_(program), run_(run) {}

    int count(Paint paint) { return paintPixels(program_.display().capture(run_.window()), paint); }

    // Waits until the view shows at least `more` pixels of `paint` beyond `before`.
    bool grows(Paint paint, int before, int more, const std::string& shotName) {
        const bool grew = ProgramHarness::waitUntil([&] { return count(paint) >= before + more; }, 30000);
        program_.screenshot(run_.window(), shotName);
        return grew;
    }

    bool stroke(int fromX, int toX, int y) { return run_.dragView(fromX, y, toX, y, 20); }
    bool click(int x, int y) { return run_.clickView(x, y); }
    // A left-button drag over the view with `modifier` held (none when empty).
    bool dragWith(const std::string& modifier, int fromX, int fromY, int toX, int toY) {
        if (!program_.focus(run_.window())) return false;
        if (!modifier.empty() && !program_.keyDown(modifier)) return false;
        const bool dragged = run_.dragView(fromX, fromY, toX, toY);
        return (modifier.empty() || program_.keyUp(modifier)) && dragged;
    }

    // A key with Ctrl held through its release, as the view acts on it.
    // Ctrl (and Shift when asked) held around the key.
    bool ctrlKey(const std::string& key, bool withShift = false) {
        return program_.focus(run_.window()) && program_.keyDown("ctrl") &&
               (!withShift || program_.keyDown("shift")) && program_.key(key) &&
               (!withShift || program_.keyUp("shift")) && program_.keyUp("ctrl");
    }

    // The toolbox's tool buttons, top to bottom, and its main colour swatch.
    bool chooseTool(int row) {
        const unsigned long toolbox = program_.waitForWindow("Toolbox", 10000);
        return toolbox && run_.clickControl(toolbox, kToolbox, {4, 40 + row * 18, 88, 16});
    }

    // The main colour through the toolbox's swatch and the colour picker.
    bool chooseMainColour(const Rgb& colour, const std::string& shotName) {
        const unsigned long toolbox = program_.waitForWindow("Toolbox", 10000);
        return toolbox && run_.clickControl(toolbox, kToolbox, {4, 6, 20, 20}) && run_.pickColour(colour, shotName);
    }

    static constexpr Units kToolbox{0, 0, 96, 190};
    enum Tool { brush, shape, flood, projectImage, text, mirror, colourPicker };

private:
    ProgramHarness& program_;
    SchemeSession& run_;
};

TEST(Program, PaintsASchemeSavesItAndExportsTheSchemeBitmap) {
    ProgramHarness program("schemePainting");
    SchemeSession run(program);
    run.writeSettings();
    const std::string saved = program.documents() + "/painted.tvp";
    Painter painter(program, run);
    const Rgb red = kPaints[size_t(Paint::red)], green = kPaints[size_t(Paint::green)];

    ASSERT_TRUE(run.start("01-started")) << program.log();
    ASSERT_TRUE(run.newKestrelScheme("02")) << "title: " << run.title() << "\n" << program.log();
    Picture scheme;
    ASSERT_TRUE(ProgramHarness::waitUntil([&] { return run.showsModel(0, scheme); }, 60000)) << program.log();
    program.screenshot(run.window(), "03-newScheme");
    const auto [fromX, toX] = modelSpanAcrossTheMiddle(scheme);
    ASSERT_GT(toX - fromX, 20) << "no model across the view's middle";
    const int middleY = int(scheme.height / 2);

    // Two notches of Shift+wheel over the model grow the brush by one each
    // (the settings written at the first quit hold the size).
    ASSERT_TRUE(program.moveTo(run.window(), (fromX + toX) / 2, middleY) && program.keyDown("shift"));
    ASSERT_TRUE(program.xdotool({"click", "--repeat", "2", "--delay", "300", "4"}));
    ASSERT_TRUE(program.keyUp("shift"));

    // Green chosen in the colour picker, then a flood fill of the part under the view's middle.
    ASSERT_TRUE(painter.chooseMainColour(green, "04-green")) << program.log();
    ASSERT_TRUE(painter.chooseTool(Painter::flood));
    const int beforeFlood = painter.count(Paint::green);
    ASSERT_TRUE(painter.click((fromX + toX) / 2, middleY));
    EXPECT_TRUE(painter.grows(Paint::green, beforeFlood, 3000, "05-flood")) << "no green fill on the model";

    // Red, and a brush stroke over the model in the 3-D view.
    ASSERT_TRUE(painter.chooseMainColour(red, "06-red")) << program.log();
    ASSERT_TRUE(painter.chooseTool(Painter::brush));
    const int beforeStroke = painter.count(Paint::red);
    ASSERT_TRUE(painter.stroke(fromX, toX, middleY));
    EXPECT_TRUE(painter.grows(Paint::red, beforeStroke, 300, "07-strokeIn3D")) << "no red paint on the model";

    // The texture view (Space), a stroke on the flat texture, then Ctrl+Z takes it back.
    ASSERT_TRUE(program.focus(run.window()) && program.key("space"));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    program.screenshot(run.window(), "08-textureView");
    const int beforeFlat = painter.count(Paint::red);
    const int w = int(scheme.width), h = int(scheme.height);
    ASSERT_TRUE(painter.stroke(w / 2 - 60, w / 2 + 60, h / 2 + 40));
    EXPECT_TRUE(painter.grows(Paint::red, beforeFlat, 300, "09-strokeOnTexture")) << "no red paint on the texture";
    // Ctrl+Shift+Z is no undo (elsewhere it redoes; here there is no redo).
    const int stroked = painter.count(Paint::red);
    ASSERT_TRUE(painter.ctrlKey("z", true));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_GE(painter.count(Paint::red), stroked - 20) << "Ctrl+Shift+Z took the stroke back";
    ASSERT_TRUE(painter.ctrlKey("z"));
    EXPECT_TRUE(ProgramHarness::waitUntil([&] { return painter.count(Paint::red) <= beforeFlat + 50; }, 20000))
        << "Ctrl+Z left the texture stroke";
    program.screenshot(run.window(), "10-undone");

    // Blue: a shape of four points on the flat texture filled from the shape
    // bar, then the text tool's line placed on the texture from the text bar.
    ASSERT_TRUE(painter.chooseMainColour(kPaints[size_t(Paint::blue)], "11-blue")) << program.log();
    ASSERT_TRUE(painter.chooseTool(Painter::shape));
    for (const auto& [x, y] : {std::pair{w / 2 + 20, h / 2 - 120}, {w / 2 + 120, h / 2 - 120}, {w / 2 + 120, h / 2 - 20},
                               {w / 2 + 20, h / 2 - 20}}) {
        ASSERT_TRUE(painter.click(x, y));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    program.screenshot(run.window(), "12-shapeOutline");
    const unsigned long shapeBar = run.stripBar();
    ASSERT_NE(shapeBar, 0u) << "no shape bar";
    const int beforeShape = painter.count(Paint::blue);
    ASSERT_TRUE(run.clickStripControl(shapeBar, {519, 5, 60, 17}));  // "Project Shape"
    EXPECT_TRUE(painter.grows(Paint::blue, beforeShape, 3000, "13-shapeFilled")) << "no blue shape on the texture";

    // The text's preview is blue too: its paint is counted once the brush is back.
    const int beforeText = painter.count(Paint::blue);
    ASSERT_TRUE(painter.chooseTool(Painter::text));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const unsigned long textBar = run.stripBar();
    ASSERT_NE(textBar, 0u) << "no text bar";
    program.screenshot(run.window(), "14-textPreview");
    ASSERT_TRUE(run.clickStripControl(textBar, {375, 5, 53, 17}));  // "Project text"
    std::this_thread::sleep_for(std::chrono::seconds(2));
    ASSERT_TRUE(painter.chooseTool(Painter::brush));
    EXPECT_TRUE(painter.grows(Paint::blue, beforeText, 200, "15-text")) << "no blue text on the texture";
    // The painted scheme on the model in the 3-D view (the picture the
    // README shows), then back to the texture view it is saved in. The view
    // takes keys while the mouse is over it.
    const auto viewKey = [&](const std::string& key) {
        return program.focus(run.window()) && program.moveTo(run.window(), w / 2, h * 4 / 5) && program.key(key);
    };
    ASSERT_TRUE(viewKey("space"));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    program.screenshot(run.window(), "15b-painted3D");
    ASSERT_TRUE(viewKey("space"));
    std::this_thread::sleep_for(std::chrono::seconds(2));

    // Shift+Esc with the work unsaved asks first, and Cancel keeps it.
    ASSERT_TRUE(program.focus(run.window()) && program.keyDown("shift") && program.key("Escape") &&
                program.keyUp("shift"));
    unsigned long question = 0;
    ASSERT_TRUE(ProgramHarness::waitUntil(
        [&] {
            const auto found = program.xdotool({"search", "--onlyvisible", "--name", "^Save current project$"});
            if (found && !found->empty()) question = std::stoul(*found);
            return question != 0;
        },
        20000))
        << "Shift+Esc asked nothing\n" << program.log();
    program.screenshot(question, "15b-exitQuestion");
    ASSERT_TRUE(program.focus(question) && program.key("Escape"));
    EXPECT_FALSE(program.waitForExit(3000).has_value()) << "Cancel let the program end";
    EXPECT_GE(painter.count(Paint::blue), beforeText) << "the work is still there";

    ASSERT_TRUE(run.saveAs(saved, "16")) << program.log();
    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << program.log();
    EXPECT_EQ(*first, 0) << program.log();
    std::ifstream settingsFile(program.settingsFile());
    const std::string settings{std::istreambuf_iterator<char>(settingsFile), std::istreambuf_iterator<char>()};
    EXPECT_NE(settings.find("brushSize = 27"), std::string::npos) << "two notches of Shift+wheel: " << settings;

    // Open again, in the texture view it was saved in, with faces to select:
    // a drag over the texture selects the faces inside it, a Ctrl drag over
    // the same place takes them out again and Ctrl+Z puts them back; each
    // state saved and read back.
    ASSERT_TRUE(selectFacesInFile(saved));
    std::filesystem::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log");
    ASSERT_TRUE(run.start("20-startedAgain")) << program.log();
    ASSERT_TRUE(run.open(saved, "painted", "21")) << "title: " << run.title() << "\n" << program.log();
    program.screenshot(run.window(), "22-opened");
    ASSERT_TRUE(painter.chooseTool(Painter::colourPicker));  // a tool that paints nothing
    const int midX = (fromX + toX) / 2;
    const std::string selected = program.documents() + "/selected.tvp", cleared = program.documents() + "/cleared.tvp",
                      restored = program.documents() + "/restored.tvp";
    ASSERT_TRUE(painter.dragWith("", midX - 50, middleY - 30, midX + 50, middleY + 30));
    ASSERT_TRUE(run.saveAs(selected, "22a")) << program.log();
    ASSERT_TRUE(painter.dragWith("ctrl", midX - 50, middleY - 30, midX + 50, middleY + 30));
    ASSERT_TRUE(run.saveAs(cleared, "22b")) << program.log();
    // The view takes keys while the mouse is over it, and the File menu's button is not.
    ASSERT_TRUE(program.moveTo(run.window(), midX, middleY) && painter.ctrlKey("z"));
    ASSERT_TRUE(run.saveAs(restored, "22c")) << program.log();
    const std::optional<tbProjectFileData> afterDrag = readProject(selected), afterCtrlDrag = readProject(cleared),
                                           afterUndo = readProject(restored);
    ASSERT_TRUE(afterDrag && afterCtrlDrag && afterUndo);
    EXPECT_EQ(afterDrag->geometry.settings.uvMode, 2);
    EXPECT_EQ(afterDrag->geometry.settings.viewMode, 1u) << "the texture view was not restored or not saved";
    EXPECT_GT(afterDrag->geometry.settings.selectedFaces.size(), 5u) << "the drag selected no faces";
    EXPECT_TRUE(afterCtrlDrag->geometry.settings.selectedFaces.empty()) << "the Ctrl drag left faces selected";
    EXPECT_EQ(afterUndo->geometry.settings.selectedFaces, afterDrag->geometry.settings.selectedFaces);
    ASSERT_TRUE(run.fileMenu({"Down", "Down", "Down", "Down", "Return"}, "23-fileExportMenu")) << program.log();
    const unsigned long names = run.dialog("Export paint scheme");
    ASSERT_NE(names, 0u) << program.log();
    // The name box, then the Export button.
    ASSERT_TRUE(run.clickControl(names, {0, 0, 184, 249}, {7, 195, 170, 12}) && program.key("ctrl+a") &&
                program.type("e2eScheme"));
    program.screenshot(names, "24-schemeName");
    ASSERT_TRUE(run.clickControl(names, {0, 0, 184, 249}, {7, 228, 52, 16}) && run.waitClosed(names))
        << program.log();
    const std::string bitmap = program.documents() + "/TolvaneSim/Schemes/kestrel#e2eScheme.bmp";
    ASSERT_TRUE(ProgramHarness::waitForFile(bitmap, 60000)) << program.log();
    run.waitGone("Exporting project");
    program.screenshot(run.window(), "25-exported");
    // What the program wrote stays with the run, for other tools to read.
    for (const std::string& written : {saved, bitmap})
        std::filesystem::copy_file(written, program.artefacts() + "/" + std::filesystem::path(written).filename().string(),
                                   std::filesystem::copy_options::overwrite_existing);
    const std::vector<int> texels = paintTexels(bitmap);
    ASSERT_EQ(texels.size(), 3u) << "the exported scheme cannot be read";
    EXPECT_GT(texels[size_t(Paint::green)], 20000) << "the exported scheme holds no flood fill";
    EXPECT_GT(texels[size_t(Paint::red)], 200) << "the exported scheme holds no paint of the stroke";
    EXPECT_GT(texels[size_t(Paint::blue)], 2000) << "the exported scheme holds no shape";

    const std::optional<int> second = run.quit();
    ASSERT_TRUE(second.has_value()) << program.log();
    EXPECT_EQ(*second, 0) << program.log();
}

// How many pixels of the view's middle (two fifths each way: the trainer's
// canopy, clear of the toolbox and the object bar, which may or may not be
// shown) differ between two pictures of the view by more than a little in
// any channel.
int changedInTheMiddle(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height) return int(a.width * a.height);
    int changed = 0;
    for (uint32_t y = a.height * 3 / 10; y < a.height * 7 / 10; ++y)
        for (uint32_t x = a.width * 3 / 10; x < a.width * 7 / 10; ++x) {
            const Rgb p = rgbAt(a, x, y), q = rgbAt(b, x, y);
            changed += std::abs(p.r - q.r) > 24 || std::abs(p.g - q.g) > 24 || std::abs(p.b - q.b) > 24;
        }
    return changed;
}

// New on the trainer, Save, New on the trainer again (the first scheme's
// textures go, the second's are the same files), Open the saved file: the
// opened scheme is drawn as the saved one was, frame after frame, with no
// error box, and its see-through canopy shows what lies behind it. Then the
// same file in a fresh run, where no model texture was loaded before.
TEST(Program, OpensASavedSchemeAfterANewOneOfTheSameModelAndInAFreshRun) {
    ProgramHarness program("schemeReopened");
    SchemeSession run(program);
    run.writeSettings(", showPaintableObjectsOnly = 0");  // the canopy is drawn too
    const std::string saved = program.documents() + "/reopened.tvp";
    auto errorBoxes = [&] {
        const auto shown = program.xdotool({"search", "--onlyvisible", "--name", "^Tolvane has encountered an error$"});
        return shown && !shown->empty();
    };
    auto settled = [&](const std::string& shotName) {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        return program.screenshot(run.window(), shotName);
    };

    ASSERT_TRUE(run.start("01-started")) << program.log();
    ASSERT_TRUE(run.newKestrelScheme("02")) << program.log();
    const Picture asSaved = settled("03-newScheme");
    ASSERT_GT(testsupport::pixelsOffBackdrop(asSaved), 2000) << "no model in the view";
    ASSERT_TRUE(run.saveAs(saved, "04")) << program.log();
    ASSERT_TRUE(run.newKestrelScheme("05")) << program.log();
    ASSERT_TRUE(run.open(saved, "reopened", "06")) << program.log();
    const Picture reopened = settled("07-opened");
    EXPECT_FALSE(errorBoxes()) << "an error box after Open";
    EXPECT_EQ(program.log().find("SERIOUS ERROR"), std::string::npos) << program.log();
    EXPECT_LT(changedInTheMiddle(asSaved, reopened), 40) << "the opened scheme is drawn unlike the saved one";
    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << program.log();
    EXPECT_EQ(*first, 0) << program.log();

    std::filesystem::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log");
    ASSERT_TRUE(run.start("10-startedAgain")) << program.log();
    ASSERT_TRUE(run.open(saved, "reopened", "11")) << program.log();
    const Picture fresh = settled("12-openedInAFreshRun");
    EXPECT_FALSE(errorBoxes()) << "an error box after Open in a fresh run";
    EXPECT_EQ(program.log().find("SERIOUS ERROR"), std::string::npos) << program.log();
    EXPECT_LT(changedInTheMiddle(asSaved, fresh), 40) << "the scheme opened in a fresh run is drawn unlike the saved one";
    const std::optional<int> second = run.quit();
    ASSERT_TRUE(second.has_value()) << program.log();
    EXPECT_EQ(*second, 0) << program.log();
}

}  // namespace
