// The painting bars' presenters without a display: what each control sets
// in the tool state or the tool settings, what the bars show afterwards, and
// how the bars' values follow the open model through the settings binding.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/scheme/bars/CDlgBrushPickerModel.h"
#include "app/scheme/bars/CDlgFloodBarModel.h"
#include "app/scheme/bars/CDlgMirrorBarModel.h"
#include "app/scheme/bars/CDlgObjectBarModel.h"
#include "app/scheme/bars/CDlgToolboxModel.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "app/scheme/tbGeometryObject.h"
#include "app/shell/tbToolState.h"
#include "tests/support/colourRecords.h"

namespace {

using bars::BrushSetting;

using testsupport::rgb;

bool sameColour(const simColour& a, const simColour& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

// ---- Brush bar.

TEST(BrushBar, SlidersAndEditsGoThroughTheToolStateAndShowWhatItKept) {
    struct Case {
        const char* what;
        BrushSetting setting;
        bool fromEdit;
        std::string input;  // the edit's text, or the slider's position
        float stateAfter;
        std::optional<std::string> editShows;  // from a slider: the edit's new text
        std::optional<int> sliderShows;        // from an edit: the slider's new position
    };
    const Case cases[] = {
        {"slider size", BrushSetting::size, false, "40", 40.0f, "40", std::nullopt},
        {"slider hardness", BrushSetting::hardness, false, "1", 1.0f, "1", std::nullopt},
        {"slider angle", BrushSetting::angle, false, "360", 360.0f, "360", std::nullopt},
        {"slider at the state's value changes nothing", BrushSetting::size, false, "5", 5.0f, std::nullopt,
         std::nullopt},
        {"edit size 150 clamps to 100", BrushSetting::size, true, "150", 100.0f, std::nullopt, 100},
        {"edit angle 400 wraps to 0 (from 0: no change)", BrushSetting::angle, true, "400", 0.0f, std::nullopt, 0},
        {"edit angle -10 wraps to 360", BrushSetting::angle, true, "-10", 360.0f, std::nullopt, 360},
        {"edit hardness with trailing text", BrushSetting::hardness, true, "77%", 77.0f, std::nullopt, 77},
        {"edit without a number is 0, clamped", BrushSetting::hardness, true, "abc", 0.0f, std::nullopt, 0},
        {"edit equal to the state changes nothing", BrushSetting::hardness, true, "50", 50.0f, std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        tbToolState tools;  // size 5, hardness 50, angle 0
        bars::BrushPickerModel bar(tools);
        if (c.fromEdit) {
            EXPECT_EQ(bar.editChanged(c.setting, c.input), c.sliderShows) << c.what;
        } else {
            EXPECT_EQ(bar.sliderMoved(c.setting, std::stoi(c.input)), c.editShows) << c.what;
        }
        const float values[] = {tools.brushSize(), tools.brushHardness(), tools.brushAngle()};
        EXPECT_EQ(values[static_cast<int>(c.setting)], c.stateAfter) << c.what;
    }
}

TEST(BrushBar, AngleOf400ThenTheSliderRedrawKeepsZero) {
    tbToolState tools;
    tools.setBrushAngle(90.0f);
    bars::BrushPickerModel bar(tools);
    const std::optional<int> slider = bar.editChanged(BrushSetting::angle, "400");
    ASSERT_EQ(slider, 0);
    EXPECT_EQ(tools.brushAngle(), 0.0f);
    // The slider is redrawn where it was put: nothing changes then.
    EXPECT_EQ(bar.sliderMoved(BrushSetting::angle, *slider), std::nullopt);
    EXPECT_EQ(tools.brushAngle(), 0.0f);
}

TEST(BrushBar, RangesTextsAndReset) {
    EXPECT_EQ(bars::BrushPickerModel::range(BrushSetting::size).minimum, 1);
    EXPECT_EQ(bars::BrushPickerModel::range(BrushSetting::size).maximum, 100);
    EXPECT_EQ(bars::BrushPickerModel::range(BrushSetting::hardness).maximum, 100);
    EXPECT_EQ(bars::BrushPickerModel::range(BrushSetting::angle).minimum, 0);
    EXPECT_EQ(bars::BrushPickerModel::range(BrushSetting::angle).maximum, 360);

    tbToolState tools;
    tools.setBrushSize(12.9f, 0.0f, 100.0f);
    tools.setBrushHardness(33.5f);
    tools.setBrushAngle(271.99f);
    bars::BrushPickerModel bar(tools);
    EXPECT_EQ(bar.text(BrushSetting::size), "12");  // truncated, not rounded
    EXPECT_EQ(bar.text(BrushSetting::hardness), "33");
    EXPECT_EQ(bar.value(BrushSetting::angle), 271);
    bar.reset();
    EXPECT_EQ(tools.brushSize(), 5.0f);
    EXPECT_EQ(tools.brushHardness(), 50.0f);
    EXPECT_EQ(tools.brushAngle(), 0.0f);
}

TEST(BrushBar, LeadingNumberOfAnEdit) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},        {"42", 42},    {"  7", 7},           {"-3x", -3},
        {"+8", 8},      {"x12", 0},    {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
        {"12 34", 12},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(bars::tbLeadingNumber(text), number) << text;
}

// ---- Flood bar and the settings binding.

TEST(FloodBar, FillTypeButtonsKeepExactlyOnePressed) {
    struct Case {
        const char* what;
        bool startGradient;
        bool gradientButton;
        bool nowPressed;
        bool gradientAfter;
    };
    const Case cases[] = {
        {"solid: press gradient", false, true, true, true},
        {"solid: click solid off swaps to gradient", false, false, false, true},
        {"gradient: press solid", true, false, true, false},
        {"gradient: click gradient off swaps to solid", true, true, false, false},
    };
    for (const Case& c : cases) {
        tbToolSettingsBinding binding([] { return nullptr; });
        bars::FloodBarModel bar(binding);
        if (c.startGradient) bar.fillTypeClicked(true, true);
        bar.fillTypeClicked(c.gradientButton, c.nowPressed);
        EXPECT_EQ(bar.gradient(), c.gradientAfter) << c.what;
    }
}

TEST(FloodBar, ChangesReachTheOpenModelAndFollowNewAndOpen) {
    tbToolSettings model;
    tbToolSettings* open = nullptr;
    tbToolSettingsBinding binding([&] { return open; });
    bars::FloodBarModel bar(binding);
    binding.add(&bar);
    EXPECT_EQ(bar.axis(), 1u);  // starts solid on Y
    EXPECT_FALSE(bar.gradient());

    // No model open: the bar keeps its values alone.
    bar.axisSelected(2);
    bar.fillTypeClicked(true, true);
    EXPECT_EQ(model.floodAxis, 0u);

    // New: the model takes the bar's values; later changes follow.
    open = &model;
    binding.afterNew();
    EXPECT_EQ(model.floodAxis, 2u);
    EXPECT_EQ(model.floodGradient, 1);
    bar.axisSelected(0);
    EXPECT_EQ(model.floodAxis, 0u);
    bar.axisSelected(3);  // not in the list
    EXPECT_EQ(bar.axis(), 0u);

    // Open: the bar takes the file's values; an axis outside the list keeps
    // the bar's and the model is given what the bar shows.
    tbToolSettings file;
    file.floodAxis = 7;
    file.floodGradient = 0;
    open = &file;
    binding.afterOpen();
    EXPECT_EQ(bar.axis(), 0u);
    EXPECT_FALSE(bar.gradient());
    EXPECT_EQ(file.floodAxis, 0u);

    bar.axisSelected(2);
    bar.reset();
    EXPECT_EQ(file.floodAxis, 1u);
    EXPECT_EQ(file.floodGradient, 0);

    binding.remove(&bar);
    bar.axisSelected(2);
    binding.changed();
    EXPECT_EQ(file.floodAxis, 1u);  // a removed participant stores nothing
}

TEST(FloodBar, StripRunsFromTheMainTowardsTheSecondColour) {
    const simColour main = rgb(255, 0, 0);
    const simColour second = rgb(0, 0, 255, 0);
    const int width = 100;
    EXPECT_TRUE(sameColour(bars::tbStripColour(main, second, 0, width), main));
    const simColour last = bars::tbStripColour(main, second, width - 1, width);
    EXPECT_LE(last.red, 3);
    EXPECT_GE(last.blue, 252);
    int previousBlue = -1;
    for (int x = 0; x < width; ++x) {
        const simColour c = bars::tbStripColour(main, second, x, width);
        EXPECT_GE(c.blue, previousBlue) << x;
        EXPECT_GE(c.red + c.blue, 254) << x;  // truncation loses at most one
        EXPECT_LE(c.red + c.blue, 255) << x;
        previousBlue = c.blue;
    }
    EXPECT_TRUE(sameColour(bars::tbStripColour(main, second, 0, 0), main));  // no width: no division by zero
}

// ---- Mirror bar.

TEST(MirrorBar, PerformsInTheChosenDirectionAndTellsTheOpenModel) {
    tbToolSettings model;
    tbToolSettings* open = nullptr;
    tbToolSettingsBinding binding([&] { return open; });
    std::vector<int32_t> performed;
    bars::MirrorBarModel bar(binding, [&](int32_t direction) { performed.push_back(direction); });
    binding.add(&bar);
    bar.performMirror();
    bar.directionSelected(1);
    bar.performMirror();
    bar.directionSelected(5);  // not in the list
    bar.performMirror();

    // The file keeps no direction: a new or opened model takes the bar's.
    open = &model;
    binding.afterNew();
    EXPECT_EQ(model.mirrorDirection, 1);
    model.mirrorDirection = 0;
    binding.afterOpen();
    EXPECT_EQ(bar.direction(), 1);
    EXPECT_EQ(model.mirrorDirection, 1);
    bar.reset();
    EXPECT_EQ(model.mirrorDirection, 0);
    bar.performMirror();
    EXPECT_EQ(performed, (std::vector<int32_t>{0, 1, 1, 0}));
    bars::MirrorBarModel unwired(binding);
    unwired.performMirror();  // nothing to call: nothing happens
}

// ---- Toolbox.

TEST(Toolbox, ButtonsChooseTheirTools) {
    const std::pair<int, int32_t> cases[] = {{1062, 0}, {1067, 1}, {1063, 2}, {1068, 5},
                                             {1069, 6}, {1070, 7}, {1066, 4}};
    for (const auto& [id, tool] : cases) {
        tbToolState tools;
        tools.setTool(2);
        bars::ToolboxModel toolbox(tools);
        toolbox.toolClicked(id);
        EXPECT_EQ(tools.tool(), tool) << id;
        ASSERT_NE(bars::ToolboxModel::buttonOfId(id), nullptr);
        EXPECT_EQ(bars::ToolboxModel::buttonOf(bars::ToolboxModel::buttonOfId(id)->button)->id, id);
    }
    tbToolState tools;
    tools.setTool(2);
    bars::ToolboxModel(tools).toolClicked(1112);  // the reset button chooses no tool
    EXPECT_EQ(tools.tool(), 2);
}

TEST(Toolbox, ColoursSwapBackAndResetToWhiteOverBlack) {
    tbToolState tools;
    bars::ToolboxModel toolbox(tools);
    toolbox.pickedMain(rgb(10, 20, 30, 40));
    toolbox.pickedSecond(rgb(50, 60, 70, 80));
    toolbox.swapColours();
    EXPECT_TRUE(sameColour(tools.mainColour(), rgb(50, 60, 70, 80)));
    EXPECT_TRUE(sameColour(tools.secondColour(), rgb(10, 20, 30, 40)));
    toolbox.swapColours();
    EXPECT_TRUE(sameColour(tools.mainColour(), rgb(10, 20, 30, 40)));
    EXPECT_TRUE(sameColour(tools.secondColour(), rgb(50, 60, 70, 80)));
    toolbox.resetColours();
    EXPECT_TRUE(sameColour(tools.mainColour(), rgb(255, 255, 255)));
    EXPECT_TRUE(sameColour(tools.secondColour(), rgb(0, 0, 0)));
}

TEST(Toolbox, ResetActsOnTheCurrentToolOnly) {
    tbToolState tools;
    bars::ToolboxModel toolbox(tools);
    bars::BrushPickerModel brush(tools);
    tbToolSettingsBinding binding([] { return nullptr; });
    bars::FloodBarModel flood(binding);
    toolbox.setToolReset(0, [&] { brush.reset(); });
    toolbox.setToolReset(2, [&] { flood.reset(); });

    tools.setBrushSize(60.0f, 0.0f, 100.0f);
    flood.axisSelected(0);
    flood.fillTypeClicked(true, true);
    tools.setTool(2);
    toolbox.resetCurrentTool();
    EXPECT_EQ(flood.axis(), 1u);
    EXPECT_FALSE(flood.gradient());
    EXPECT_EQ(tools.brushSize(), 60.0f);
    tools.setTool(0);
    toolbox.resetCurrentTool();
    EXPECT_EQ(tools.brushSize(), 5.0f);
    tools.setTool(4);
    toolbox.resetCurrentTool();  // the colour picker has nothing to reset
}

// ---- Object bar.

TEST(ObjectBar, PagesSwitchLikeAPairAndNameTheirButtons) {
    bars::ObjectBarModel bar;
    EXPECT_EQ(bar.page(), bars::ObjectPage::enabled);
    EXPECT_STREQ(bar.untickCaption(), "Disable all");
    EXPECT_STREQ(bar.tickCaption(), "Enable all");
    bar.pageClicked(bars::ObjectPage::enabled, false);  // the shown page's button: the other page
    EXPECT_EQ(bar.page(), bars::ObjectPage::visible);
    EXPECT_STREQ(bar.untickCaption(), "Hide all");
    EXPECT_STREQ(bar.tickCaption(), "Show all");
    bar.pageClicked(bars::ObjectPage::visible, false);
    EXPECT_EQ(bar.page(), bars::ObjectPage::enabled);
    bar.pageClicked(bars::ObjectPage::visible, true);
    EXPECT_EQ(bar.page(), bars::ObjectPage::visible);
    bar.showEnabledPage();
    EXPECT_EQ(bar.page(), bars::ObjectPage::enabled);
}

TEST(ObjectBar, RowsHangUnderTheNearestOrdinaryAncestor) {
    // body { wing { __col { flap } }, __helper }, tail
    auto make = [](const char* name, uint32_t kind) {
        auto object = std::make_unique<tbGeometryObject>(nullptr);
        object->name = name;
        object->kind = kind;
        return object;
    };
    std::vector<std::unique_ptr<tbGeometryObject>> roots;
    roots.push_back(make("body", tbGeometryObject::kOrdinary));
    auto wing = make("wing", tbGeometryObject::kOrdinary);
    auto collision = make("wing__col", tbGeometryObject::kCollision);
    collision->children.push_back(make("flap", tbGeometryObject::kOrdinary));
    wing->children.push_back(std::move(collision));
    roots[0]->children.push_back(std::move(wing));
    roots[0]->children.push_back(make("body__helper", tbGeometryObject::kHelper));
    roots.push_back(make("tail", tbGeometryObject::kOrdinary));

    const std::vector<bars::ObjectTreeRow> rows = bars::ObjectBarModel::treeRows(roots);
    ASSERT_EQ(rows.size(), 4u);
    const std::pair<const char*, int> expected[] = {{"body", -1}, {"wing", 0}, {"flap", 1}, {"tail", -1}};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].object->name, expected[i].first);
        EXPECT_EQ(rows[i].parent, expected[i].second) << i;
    }
    EXPECT_TRUE(rows[0].hasChildren);
    EXPECT_TRUE(rows[1].hasChildren);
    EXPECT_FALSE(rows[2].hasChildren);

    tbGeometryObject& flap = *rows[2].object;
    bars::ObjectBarModel::setTicked(flap, bars::ObjectPage::visible, false);
    EXPECT_TRUE(bars::ObjectBarModel::ticked(flap, bars::ObjectPage::enabled));
    EXPECT_FALSE(bars::ObjectBarModel::ticked(flap, bars::ObjectPage::visible));
    bars::ObjectBarModel::setTicked(flap, bars::ObjectPage::enabled, false);
    EXPECT_FALSE(flap.takesPart());
}

}  // namespace
