// The presenters of the shape bar, the Shape Manager, the image projection
// bar, the text bar and the text editor, without a display: what each
// control sets, what the bars' commands ask of the model, how the bars
// refresh from the file's tool settings, and the resets.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/scheme/bars/CDlgImageProjectModel.h"
#include "app/scheme/bars/CDlgShapeBarModel.h"
#include "app/scheme/bars/CDlgStoreShapeModel.h"
#include "app/scheme/bars/CDlgTextEditorModel.h"
#include "app/scheme/bars/DlgTextBarModel.h"
#include "app/scheme/tbGeometry.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbToolState.h"
#include "tests/support/colourRecords.h"

namespace {

using bars::ImageProjectModel;
using bars::ShapeBarModel;
using bars::ShapeManagerModel;
using bars::TextBarModel;
using bars::TextEditorModel;

using testsupport::rgb;

// A model that may be open or not, its undo steps counted, and the binding
// the bars keep its settings with.
struct OpenModel {
    tbGeometry model{nullptr};
    bool open = true;
    int undoSteps = 0;
    tbToolSettingsBinding binding{[this]() -> tbToolSettings* { return open ? &model.toolSettings : nullptr; }};

    tbBarTarget target() {
        return {[this]() -> tbGeometry* { return open ? &model : nullptr; }, [this](tbGeometry&) { ++undoSteps; }};
    }
};

// ---- Shape bar.

struct ShapeBarFixture : ::testing::Test {
    struct Fill {
        bool textureView;
        simColour main, second;
        bool gradient;
        uint32_t axis;
    };
    tbToolState tools;
    OpenModel m;
    std::vector<Fill> fills;
    int clears = 0, managerToggles = 0;
    std::vector<ShapeBarModel::Curve> curves;
    std::function<void()> curveUsed;
    int shown = 0;
    ShapeBarModel bar{tools, m.binding, m.target(),
                      {[this](tbGeometry&, bool textureView, const simColour& main, const simColour& second,
                              bool gradient, uint32_t axis) { fills.push_back({textureView, main, second, gradient, axis}); },
                       [this](tbGeometry&) { ++clears; },
                       [this](tbGeometry&, ShapeBarModel::Curve curve, std::function<void()> used) {
                           curves.push_back(curve);
                           curveUsed = std::move(used);
                       },
                       [this] { ++managerToggles; }}};

    ShapeBarFixture() {
        m.binding.add(&bar);
        bar.setChangedListener([this] { ++shown; });
    }
};

TEST_F(ShapeBarFixture, EachControlSetsItsValueAndTheModelsSettings) {
    EXPECT_FALSE(bar.gradient());
    EXPECT_EQ(bar.axis(), 1u);
    EXPECT_FALSE(bar.doubleSided());
    const struct {
        const char* what;
        std::function<void(ShapeBarModel&)> act;
        bool gradient;
        uint32_t axis;
        bool doubleSided;
    } steps[] = {
        // Clicking the checked solid button unchecks it: the gradient takes over.
        {"solid clicked off", [](ShapeBarModel& b) { b.fillTypeClicked(false, false); }, true, 1, false},
        {"gradient clicked off", [](ShapeBarModel& b) { b.fillTypeClicked(true, false); }, false, 1, false},
        {"gradient clicked on", [](ShapeBarModel& b) { b.fillTypeClicked(true, true); }, true, 1, false},
        {"solid clicked on", [](ShapeBarModel& b) { b.fillTypeClicked(false, true); }, false, 1, false},
        {"Z axis", [](ShapeBarModel& b) { b.axisSelected(2); }, false, 2, false},
        {"no such axis", [](ShapeBarModel& b) { b.axisSelected(3); }, false, 2, false},
        {"nothing selected", [](ShapeBarModel& b) { b.axisSelected(-1); }, false, 2, false},
        {"double sided", [](ShapeBarModel& b) { b.sidedToggled(); }, false, 2, true},
        {"one sided again", [](ShapeBarModel& b) { b.sidedToggled(); }, false, 2, false},
    };
    for (const auto& step : steps) {
        step.act(bar);
        EXPECT_EQ(bar.gradient(), step.gradient) << step.what;
        EXPECT_EQ(bar.axis(), step.axis) << step.what;
        EXPECT_EQ(bar.doubleSided(), step.doubleSided) << step.what;
        EXPECT_EQ(m.model.toolSettings.shapeGradient, step.gradient ? 1 : 0) << step.what;
        EXPECT_EQ(m.model.toolSettings.shapeAxis, step.axis) << step.what;
        EXPECT_EQ(m.model.toolSettings.shapeDoubleSided, step.doubleSided ? 1 : 0) << step.what;
    }
    // With no model open the bar keeps its values for the next one.
    m.open = false;
    bar.axisSelected(0);
    EXPECT_EQ(bar.axis(), 0u);
    EXPECT_EQ(m.model.toolSettings.shapeAxis, 2u);
}

TEST_F(ShapeBarFixture, ProjectShapeFillsInTheViewShownWithTheColoursAndRecordsAStep) {
    tools.setMainColour(rgb(200, 10, 10));
    tools.setSecondColour(rgb(0, 0, 90));
    bar.fillTypeClicked(true, true);
    bar.axisSelected(0);
    bar.projectShape();
    tools.setViewMode(1);
    bar.projectShape();
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_FALSE(fills[0].textureView);
    EXPECT_TRUE(fills[1].textureView);
    EXPECT_EQ(fills[1].main, rgb(200, 10, 10));
    EXPECT_EQ(fills[1].second, rgb(0, 0, 90));
    EXPECT_TRUE(fills[1].gradient);
    EXPECT_EQ(fills[1].axis, 0u);
    EXPECT_EQ(m.undoSteps, 2);

    bar.clearShape();
    bar.storeShape();
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(managerToggles, 1);

    m.open = false;
    bar.projectShape();
    bar.clearShape();
    EXPECT_EQ(fills.size(), 2u);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(m.undoSteps, 2);
}

TEST_F(ShapeBarFixture, CurveButtonsGoToTheShapeToolWhichReleasesThemOnceUsed) {
    bar.curveClicked(ShapeBarModel::Curve::create, true);
    EXPECT_EQ(bar.curve(), ShapeBarModel::Curve::create);
    bar.curveClicked(ShapeBarModel::Curve::clear, true);
    EXPECT_EQ(bar.curve(), ShapeBarModel::Curve::clear) << "pressing one releases the other";
    bar.curveClicked(ShapeBarModel::Curve::clear, false);
    EXPECT_EQ(bar.curve(), ShapeBarModel::Curve::none);
    bar.curveClicked(ShapeBarModel::Curve::create, true);
    EXPECT_EQ(curves, (std::vector<ShapeBarModel::Curve>{ShapeBarModel::Curve::create, ShapeBarModel::Curve::clear,
                                                         ShapeBarModel::Curve::none, ShapeBarModel::Curve::create}));
    const int shownBefore = shown;
    ASSERT_TRUE(curveUsed);
    curveUsed();
    EXPECT_EQ(bar.curve(), ShapeBarModel::Curve::none);
    EXPECT_EQ(shown, shownBefore + 1) << "the view releases the button";

    // Another model's shape tool has no button pressed.
    bar.curveClicked(ShapeBarModel::Curve::clear, true);
    m.binding.afterNew();
    EXPECT_EQ(bar.curve(), ShapeBarModel::Curve::none);
    bar.curveClicked(ShapeBarModel::Curve::create, true);
    m.binding.afterOpen();
    EXPECT_EQ(bar.curve(), ShapeBarModel::Curve::none);
}

TEST_F(ShapeBarFixture, ResetGivesSolidOnYOneSidedAndAnEmptyOutlineEveryTime) {
    for (int round = 0; round < 2; ++round) {
        bar.fillTypeClicked(true, true);
        bar.axisSelected(2);
        bar.sidedToggled();
        bar.reset();
        EXPECT_FALSE(bar.gradient()) << round;
        EXPECT_EQ(bar.axis(), 1u) << round;
        EXPECT_FALSE(bar.doubleSided()) << round;
        EXPECT_EQ(m.model.toolSettings.shapeDoubleSided, 0) << round;
        EXPECT_EQ(clears, round + 1);
    }
}

TEST_F(ShapeBarFixture, AnOpenedFileShowsItsValuesAndAnAxisOutsideTheListShowsY) {
    tbToolSettings file;
    file.shapeAxis = 2;
    file.shapeGradient = 1;
    file.shapeDoubleSided = 1;
    bar.show(file);
    EXPECT_TRUE(bar.gradient());
    EXPECT_EQ(bar.axis(), 2u);
    EXPECT_TRUE(bar.doubleSided());
    EXPECT_EQ(shown, 1);
    file.shapeAxis = 7;
    bar.show(file);
    EXPECT_EQ(bar.axis(), 1u);
}

// ---- Shape Manager.

struct ShapeManagerFixture : ::testing::Test {
    tbToolState tools;
    tbStoredShapeList shapes;
    bool open = true;
    std::vector<tbShapePoint> outline = {{0, {1, 2}, {}, {}}, {1, {5, 6}, {10, 0}, {10, 0}}};
    std::vector<std::string> restored;
    ShapeManagerModel manager{tools,
                              {[this]() { return open ? &shapes : nullptr; },
                               [this]() { return open ? &outline : nullptr; },
                               [this](const tbStoredShape& shape) { restored.push_back(shape.name); }}};

    ShapeManagerFixture() { tools.setTool(kToolShape); }

    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (const tbStoredShape* line : manager.lines()) out.push_back(line->name);
        return out;
    }
};

TEST_F(ShapeManagerFixture, StoringTheSameNameAppendsCopyOncePerMatch) {
    EXPECT_EQ(manager.name(), "New Shape");
    manager.storeShape();
    manager.storeShape();
    manager.storeShape();
    EXPECT_EQ(lines(), (std::vector<std::string>{"New Shape", "New Shape copy", "New Shape copy copy"}));
    EXPECT_EQ(shapes[1]->points, outline);
    manager.setName("");
    manager.storeShape();
    EXPECT_EQ(shapes.size(), 3u) << "an empty name stores nothing";
}

TEST_F(ShapeManagerFixture, SelectingALineNamesItAndRestoreAndDeleteActOnIt) {
    manager.setName("Stripe");
    manager.storeShape();
    manager.setName("Star");
    manager.storeShape();
    manager.lineSelected(0);
    EXPECT_EQ(manager.name(), "Stripe");
    manager.restoreShape();  // "Restore shape" and a double click
    EXPECT_EQ(restored, std::vector<std::string>{"Stripe"});
    manager.deleteShape();
    EXPECT_EQ(lines(), std::vector<std::string>{"Star"});
    EXPECT_EQ(manager.selection(), -1);
    manager.restoreShape();
    manager.deleteShape();
    EXPECT_EQ(restored.size(), 1u) << "nothing selected: nothing done";
    EXPECT_EQ(shapes.size(), 1u);
}

TEST_F(ShapeManagerFixture, StoreRestoreAndDeleteDoNothingUnlessTheShapeToolIsCurrentAndASchemeOpen) {
    manager.storeShape();
    manager.lineSelected(0);
    for (const int32_t tool : {0, 2, 5, 6}) {
        tools.setTool(tool);
        manager.storeShape();
        manager.restoreShape();
        manager.deleteShape();
    }
    tools.setTool(kToolShape);
    open = false;
    manager.storeShape();
    manager.restoreShape();
    manager.deleteShape();
    EXPECT_EQ(shapes.size(), 1u);
    EXPECT_TRUE(restored.empty());
}

TEST_F(ShapeManagerFixture, ALineLeftFromAProjectThatWentIsNeverUsed) {
    manager.storeShape();
    manager.lineSelected(0);
    // Another project's list replaces the first before the list is refreshed.
    tbStoredShapeList other;
    other.push_back(std::make_unique<tbStoredShape>(tbStoredShape{"Other", {}}));
    shapes.swap(other);
    other.clear();
    manager.restoreShape();
    manager.deleteShape();
    EXPECT_TRUE(restored.empty());
    EXPECT_EQ(shapes.size(), 1u);
    manager.refreshList();
    EXPECT_EQ(lines(), std::vector<std::string>{"Other"});
}

// ---- Image projection bar.

TEST(ImageProjectThreshold, ReadsTheLeadingIntegerHeldBetweenZeroAnd180) {
    const std::tuple<const char*, uint32_t> cases[] = {
        {"50", 50},  {"  +90 degrees", 90}, {"-5", 0},   {"abc", 0}, {"", 0},   {"999", 180},
        {"180", 180}, {"99999999999999999999", 180}, {"0x40", 0}, {"12.7", 12}, {"- 3", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(tbReadThreshold(text), expected) << text;
}

struct ImageBarFixture : ::testing::Test {
    OpenModel m;
    std::vector<std::pair<uint32_t, std::string>> loads;
    int projections = 0;
    std::vector<tbFileRequest> requests;
    std::string chosen;
    int shown = 0;
    ImageProjectModel bar{m.binding, m.target(),
                          {[this](tbGeometry&, uint32_t slot, const std::string& path) { loads.emplace_back(slot, path); },
                           [this](tbGeometry&) { ++projections; },
                           [this](const tbFileRequest& request) {
                               requests.push_back(request);
                               return chosen;
                           }},
                          "/opt/tolvane/resources"};

    ImageBarFixture() {
        m.binding.add(&bar);
        bar.setChangedListener([this] { ++shown; });
    }
};

TEST_F(ImageBarFixture, EachSlotKeepsItsOwnSettings) {
    EXPECT_EQ(bar.lastFolder(), "/opt/tolvane/resources");
    for (uint32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(bar.slot(i).threshold, 50u);
        EXPECT_EQ(bar.slot(i).imageName, "[No Image]");
        EXPECT_EQ(bar.slot(i).show, 1);
    }
    bar.slotSelected(5);  // "-Z axis"
    bar.wrapSelected(1);
    bar.thresholdEdited("30");
    bar.sidedToggled();
    bar.showToggled(false);
    bar.slotSelected(0);  // "+X axis"
    EXPECT_EQ(bar.current().wrapMode, 0u);
    EXPECT_EQ(bar.current().threshold, 50u);
    EXPECT_EQ(bar.current().doubleSided, 0u);
    EXPECT_EQ(bar.current().show, 1);
    bar.thresholdEdited("-5");
    EXPECT_EQ(bar.current().threshold, 0u);
    bar.slotSelected(5);
    EXPECT_EQ(bar.current().wrapMode, 1u);
    EXPECT_EQ(bar.current().threshold, 30u);
    EXPECT_EQ(bar.current().doubleSided, 1u);
    EXPECT_EQ(bar.current().show, 0);
    bar.slotSelected(6);
    bar.wrapSelected(2);
    EXPECT_EQ(bar.currentSlot(), 5u);
    EXPECT_EQ(bar.current().wrapMode, 1u);

    const tbToolSettings& written = m.model.toolSettings;
    EXPECT_EQ(written.projectionSlot, 5u);
    EXPECT_EQ(written.projectionSlots[5], bar.slot(5));
    EXPECT_EQ(written.projectionSlots[0].threshold, 0u);
    EXPECT_EQ(written.projectionLastFolder, "/opt/tolvane/resources");
}

TEST_F(ImageBarFixture, BrowsingLoadsTheChosenImageIntoTheCurrentSlot) {
    bar.slotSelected(2);
    chosen = "/home/me/decals/Sun Burst.png";
    bar.browse();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "Select Image");
    EXPECT_EQ(requests[0].okText, "Select");
    EXPECT_EQ(requests[0].folder, "/opt/tolvane/resources");
    EXPECT_EQ(requests[0].filters, (std::vector<std::string>{"*.bmp", "*.jpg", "*.tga", "*.png", "*.dds", "*.hdr",
                                                             "*.ppm", "*.pfm", "*.dib"}));
    EXPECT_EQ(bar.current().imageName, "Sun Burst.png");
    EXPECT_EQ(bar.current().imagePath, chosen);
    EXPECT_EQ(loads, (std::vector<std::pair<uint32_t, std::string>>{{2, chosen}}));
    EXPECT_EQ(m.model.toolSettings.projectionSlots[2].imagePath, chosen);

    // The browser opens where the last image came from; choosing nothing changes nothing.
    chosen.clear();
    bar.browse();
    EXPECT_EQ(requests[1].folder, "/home/me/decals/");
    EXPECT_EQ(bar.current().imageName, "Sun Burst.png");
    EXPECT_EQ(loads.size(), 1u);

    m.open = false;
    bar.browse();
    bar.performProjection();
    EXPECT_EQ(requests.size(), 2u) << "no browser without a model";
    EXPECT_EQ(projections, 0);
    m.open = true;
    bar.performProjection();
    EXPECT_EQ(projections, 1);
    EXPECT_EQ(m.undoSteps, 1);
}

TEST_F(ImageBarFixture, ResetsClearEverySlotInTheModelAndTheToolboxResetShowsTheFirst) {
    bar.slotSelected(3);
    bar.thresholdEdited("120");
    chosen = "/tmp/a.bmp";
    bar.browse();
    loads.clear();
    bar.resetSlots();
    EXPECT_EQ(bar.currentSlot(), 3u);
    EXPECT_EQ(bar.current().threshold, 50u);
    EXPECT_EQ(bar.current().imageName, "[No Image]");
    EXPECT_EQ(bar.current().imagePath, "");
    ASSERT_EQ(loads.size(), 6u);
    for (uint32_t i = 0; i < 6; ++i) EXPECT_EQ(loads[i], (std::pair<uint32_t, std::string>{i, ""}));
    EXPECT_EQ(m.model.toolSettings.projectionSlots[3].threshold, 50u);
    bar.reset();
    EXPECT_EQ(bar.currentSlot(), 0u);
    EXPECT_GE(shown, 2);
}

TEST_F(ImageBarFixture, AnOpenedFileShowsItsSlotsAndLeavesTheModelsImagesWhereTheFilePutThem) {
    bar.slotSelected(1);
    bar.thresholdEdited("10");
    tbToolSettings file;
    file.projectionSlot = 4;
    file.projectionSlots[4] = {170, 1, 1, "wing.png", "/data/wing.png", 0};
    file.projectionSlots[1] = {900, 5, 3, "", "", 7};  // a damaged slot
    file.projectionLastFolder = "/data/";
    loads.clear();
    bar.show(file);
    EXPECT_EQ(bar.currentSlot(), 4u);
    EXPECT_EQ(bar.current(), file.projectionSlots[4]);
    EXPECT_EQ(bar.slot(1).threshold, 180u);
    EXPECT_EQ(bar.slot(1).doubleSided, 1u);
    EXPECT_EQ(bar.slot(1).wrapMode, 1u);
    EXPECT_EQ(bar.slot(1).show, 1);
    EXPECT_EQ(bar.lastFolder(), "/data/");
    // The opened model loaded its slots' images and placed them; loading
    // them again would put each slot back at its start.
    EXPECT_TRUE(loads.empty());
    file.projectionSlot = 9;
    bar.show(file);
    EXPECT_EQ(bar.currentSlot(), 0u);
}

// ---- Text bar and text editor.

struct TextBarFixture : ::testing::Test {
    struct Font {
        std::string face;
        bool bold, italic;
        bool operator==(const Font&) const = default;
    };
    tbToolState tools;
    OpenModel m;
    std::vector<std::string> texts;
    std::vector<Font> fonts;
    std::vector<std::string> calls;  // the order of what reaches the text tool
    std::vector<bool> projections;
    int editorToggles = 0;
    TextEditorModel editor{m.binding, m.target(),
                           {[this](tbGeometry&, const std::string& text) {
                                texts.push_back(text);
                                calls.push_back("text");
                            },
                            [this](tbGeometry&, const std::string& face, bool bold, bool italic) {
                                fonts.push_back({face, bold, italic});
                                calls.push_back("font");
                            }}};
    TextBarModel bar{tools, editor, m.binding, m.target(),
                     {[this](tbGeometry&, bool textureView) { projections.push_back(textureView); },
                      [this](tbGeometry&) { calls.push_back("reset"); }, [this] { ++editorToggles; }}};

    TextBarFixture() { m.binding.add(&bar); }
};

TEST_F(TextBarFixture, EachControlSetsItsValueAndTheModelsSettings) {
    EXPECT_EQ(bar.axis(), 0u);
    EXPECT_EQ(bar.direction(), 1u);
    EXPECT_FALSE(bar.gradient());
    EXPECT_FALSE(bar.doubleSided());
    const struct {
        const char* what;
        std::function<void(TextBarModel&)> act;
        uint32_t axis, direction, sided;
        uint8_t colourMode;
    } steps[] = {
        {"-Z axis", [](TextBarModel& b) { b.axisSelected(5); }, 5, 1, 0, 0},
        {"no such axis", [](TextBarModel& b) { b.axisSelected(6); }, 5, 1, 0, 0},
        {"solid clicked off", [](TextBarModel& b) { b.fillTypeClicked(false, false); }, 5, 1, 0, 1},
        {"gradient clicked off", [](TextBarModel& b) { b.fillTypeClicked(true, false); }, 5, 1, 0, 0},
        {"horizontal", [](TextBarModel& b) { b.directionSelected(0); }, 5, 0, 0, 0},
        {"no such direction", [](TextBarModel& b) { b.directionSelected(2); }, 5, 0, 0, 0},
        {"double sided", [](TextBarModel& b) { b.sidedToggled(); }, 5, 0, 1, 0},
    };
    for (const auto& step : steps) {
        step.act(bar);
        const tbToolSettings& s = m.model.toolSettings;
        EXPECT_EQ(s.textListSelection, step.axis) << step.what;
        EXPECT_EQ(bar.axis(), step.axis) << step.what;
        EXPECT_EQ(s.textGradientDirection, step.direction) << step.what;
        EXPECT_EQ(s.textSided, step.sided) << step.what;
        EXPECT_EQ(s.textColourMode, step.colourMode) << step.what;
    }
    bar.editorClicked();
    EXPECT_EQ(editorToggles, 1);
}

TEST_F(TextBarFixture, ProjectTextUsesTheViewShownAndRecordsAStep) {
    bar.projectText();
    tools.setViewMode(1);
    bar.projectText();
    m.open = false;
    bar.projectText();
    EXPECT_EQ(projections, (std::vector<bool>{false, true}));
    EXPECT_EQ(m.undoSteps, 2);
}

TEST_F(TextBarFixture, TheEditorHandsEveryKeystrokeAndFontChangeToTheTextTool) {
    editor.textEdited("T");
    editor.textEdited("Ta");
    editor.textEdited("Ta il");
    EXPECT_EQ(texts, (std::vector<std::string>{"T", "Ta", "Ta il"}));
    EXPECT_EQ(m.model.toolSettings.text, "Ta il");
    editor.faceSelected("DejaVu Sans");
    editor.boldToggled(true);
    editor.italicToggled(true);
    editor.faceSelected("");  // no selection
    EXPECT_EQ(fonts, (std::vector<Font>{{"DejaVu Sans", false, false}, {"DejaVu Sans", true, false},
                                        {"DejaVu Sans", true, true}}));
    EXPECT_EQ(m.model.toolSettings.fontName, "DejaVu Sans");
    EXPECT_EQ(m.model.toolSettings.bold, 1);
    EXPECT_EQ(m.model.toolSettings.italic, 1);

    m.open = false;
    editor.textEdited("later");
    EXPECT_EQ(texts.size(), 3u);
    EXPECT_EQ(editor.text(), "later");
}

// The edit takes 255 characters, the file's field 255 bytes: a text of
// two-byte characters is held to whole characters that fit, and the editor
// is told to show it.
TEST_F(TextBarFixture, TheEditorHoldsTheTextToTheBytesTheFileKeeps) {
    int shown = 0;
    editor.setChangedListener([&] { ++shown; });
    std::string typed;
    for (int i = 0; i < 200; ++i) typed += "\xC3\x96";  // "Ö"
    editor.textEdited(typed);
    EXPECT_EQ(editor.text(), typed.substr(0, 254));
    EXPECT_EQ(texts.back(), typed.substr(0, 254));
    EXPECT_EQ(m.model.toolSettings.text, typed.substr(0, 254));
    EXPECT_EQ(shown, 1);
    editor.textEdited("short");
    EXPECT_EQ(shown, 1);
}

TEST(TextEditorFaces, TheListIsSortedWithoutTwinsAndAlwaysOffersArialAndTheFaceInUse) {
    tbToolSettingsBinding binding{[]() -> tbToolSettings* { return nullptr; }};
    TextEditorModel editor{binding, {}, {}};
    editor.setFaces({"Noto Serif", "DejaVu Sans", "Noto Serif", "Cantarell"});
    EXPECT_EQ(editor.faces(), (std::vector<std::string>{"Arial", "Cantarell", "DejaVu Sans", "Noto Serif"}));
    tbToolSettings file;
    file.fontName = "Gill Sans";
    file.text = "G-ABCD";
    editor.show(file);
    EXPECT_EQ(editor.face(), "Gill Sans");
    EXPECT_EQ(editor.text(), "G-ABCD");
    EXPECT_EQ(editor.faces()[3], "Gill Sans");
    file.fontName.clear();
    editor.show(file);
    EXPECT_EQ(editor.face(), "Arial");
}

TEST_F(TextBarFixture, TheToolboxResetLeavesItOneSidedEveryTimeAndResetsTheToolLast) {
    for (int round = 0; round < 2; ++round) {
        bar.axisSelected(3);
        bar.directionSelected(0);
        bar.fillTypeClicked(true, true);
        bar.sidedToggled();
        editor.textEdited("XYZ");
        editor.boldToggled(true);
        editor.faceSelected("Cantarell");
        calls.clear();
        bar.reset();
        EXPECT_EQ(bar.axis(), 0u) << round;
        EXPECT_EQ(bar.direction(), 1u) << round;
        EXPECT_FALSE(bar.gradient()) << round;
        EXPECT_FALSE(bar.doubleSided()) << round;
        EXPECT_EQ(editor.text(), "TEXT");
        EXPECT_EQ(editor.face(), "Arial");
        EXPECT_FALSE(editor.bold());
        EXPECT_EQ(fonts.back(), (Font{"Arial", false, false}));
        EXPECT_EQ(texts.back(), "TEXT");
        EXPECT_EQ(calls.back(), "reset");
        EXPECT_EQ(m.model.toolSettings.textSided, 0u);
    }
}

TEST_F(TextBarFixture, ANewModelGetsTextInArialWithTheStylesKept) {
    bar.axisSelected(2);
    editor.textEdited("XYZ");
    editor.italicToggled(true);
    bar.sidedToggled();
    bar.resetTextSettings();
    EXPECT_EQ(bar.axis(), 0u);
    EXPECT_TRUE(bar.doubleSided()) << "the sided switch is the toolbox reset's";
    EXPECT_EQ(fonts.back(), (Font{"Arial", false, true}));
    EXPECT_EQ(texts.back(), "TEXT");
}

TEST_F(TextBarFixture, AnOpenedFileShowsTheDirectionAndTheAxisEachInItsOwnList) {
    tbToolSettings file;
    file.textGradientDirection = 0;
    file.textListSelection = 4;
    file.textSided = 1;
    file.textColourMode = 1;
    file.text = "RUDDER";
    file.fontName = "Cantarell";
    file.bold = 1;
    bar.show(file);
    EXPECT_EQ(bar.direction(), 0u);
    EXPECT_EQ(bar.axis(), 4u);
    EXPECT_TRUE(bar.doubleSided());
    EXPECT_TRUE(bar.gradient());
    EXPECT_EQ(editor.text(), "RUDDER");
    EXPECT_EQ(texts.back(), "RUDDER");
    EXPECT_EQ(fonts.back(), (Font{"Cantarell", true, false}));
    file.textGradientDirection = 2;
    file.textListSelection = 6;
    bar.show(file);
    EXPECT_EQ(bar.direction(), 1u);
    EXPECT_EQ(bar.axis(), 0u);
}

// Opening a project shows every bar the file's values: no bar's showing may
// write another bar's older values over the file's before that bar reads them.
TEST(SchemeToolBarsOpen, EveryBarShowsTheFilesValues) {
    tbToolState tools;
    OpenModel m;
    TextEditorModel editor{m.binding, m.target(), {[](tbGeometry&, const std::string&) {}, {}}};
    TextBarModel text{tools, editor, m.binding, m.target(), {}};
    ImageProjectModel image{m.binding, m.target(), {}, "/"};
    ShapeBarModel shape{tools, m.binding, m.target(), {}};
    m.binding.add(&text);
    m.binding.add(&image);
    m.binding.add(&shape);

    tbToolSettings& file = m.model.toolSettings;
    file.text = "FILE";
    file.textListSelection = 3;
    file.projectionSlot = 2;
    file.projectionSlots[2].threshold = 77;
    file.projectionSlots[2].imageName = "x.png";
    file.shapeAxis = 0;
    file.shapeGradient = 1;
    m.binding.afterOpen();
    EXPECT_EQ(editor.text(), "FILE");
    EXPECT_EQ(text.axis(), 3u);
    EXPECT_EQ(image.currentSlot(), 2u);
    EXPECT_EQ(image.current().threshold, 77u);
    EXPECT_EQ(image.current().imageName, "x.png");
    EXPECT_EQ(shape.axis(), 0u);
    EXPECT_TRUE(shape.gradient());
    EXPECT_EQ(m.model.toolSettings.projectionSlots[2].threshold, 77u);
}

}  // namespace
