// The tool state's rules: tool selection and what each tool shows, the mode's
// bars, the brush value rules and the hardness bands of the brush images.
#include "app/shell/tbToolState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// Records what the tool state asks of its windows, in order.
class RecordingView : public tbToolStateView {
public:
    void showModeBars(bool toolbox, bool site, bool objectBar, bool hideStrip) override {
        calls.push_back("mode " + flag(toolbox) + flag(site) + flag(objectBar) + flag(hideStrip));
    }
    void hideShapeManager() override { calls.push_back("hide shape manager"); }
    void releaseToolButtons() override { calls.push_back("release buttons"); }
    void hideToolBars() override { calls.push_back("hide bars"); }
    void pressToolButton(tbToolButton b) override { calls.push_back("press " + std::to_string(int(b))); }
    void showToolBar(tbToolBar b) override { calls.push_back("show " + std::to_string(int(b))); }
    void setToolIcon(int32_t id) override { calls.push_back("icon " + std::to_string(id)); }
    void setStatusText(const std::string& text) override { calls.push_back("status " + text.substr(0, 12)); }
    void repaintColourSwatches() override { calls.push_back("swatches"); }

    std::vector<std::string> calls;

private:
    static std::string flag(bool b) { return b ? "1" : "0"; }
};

struct ToolCase {
    int32_t requested;
    int32_t stored;
    bool hidesShapeManager;
    std::vector<std::string> shown;  // after the release and hide calls
};

TEST(ToolState, EachToolPressesItsButtonShowsItsBarAndSetsItsTextAndIcon) {
    const std::vector<ToolCase> cases = {
        {0, 0, true, {"press 0", "show 0", "status Brush tool: ", "icon 227"}},
        {1, 1, false, {"press 1", "show 1", "status Shape tool: ", "icon 228"}},
        {2, 2, true, {"press 2", "show 2", "status Floodfill to", "icon 229"}},
        // The retired tool 3 is the brush, exactly.
        {3, 0, true, {"press 0", "show 0", "status Brush tool: ", "icon 227"}},
        // The colour picker has a button but no bar.
        {4, 4, true, {"press 3", "status Colour Picke", "icon 233"}},
        {5, 5, true, {"press 4", "show 3", "status Project Imag", "icon 230"}},
        {6, 6, true, {"press 5", "show 4", "status Text tool: C", "icon 232"}},
        {7, 7, true, {"press 6", "show 5", "status Mirror tool:", "icon 250"}},
        {8, 8, true, {"press 7", "show 7", "status Panorama too", "icon 258"}},
        {11, 11, true, {"press 10", "show 10", "status Positions to", "icon 262"}},
        {12, 12, true, {"press 11", "show 11", "status Weather tool", "icon 262"}},
        // Outside the table: stored, everything released and hidden, nothing shown.
        {13, 13, true, {}},
        {-1, -1, true, {}},
    };
    for (const ToolCase& c : cases) {
        SCOPED_TRACE(c.requested);
        tbToolState state;
        RecordingView view;
        state.setView(&view);
        state.setTool(c.requested);
        EXPECT_EQ(state.tool(), c.stored);
        std::vector<std::string> expected;
        if (c.hidesShapeManager) expected.push_back("hide shape manager");
        expected.insert(expected.end(), {"release buttons", "hide bars"});
        expected.insert(expected.end(), c.shown.begin(), c.shown.end());
        EXPECT_EQ(view.calls, expected);
    }
}

TEST(ToolState, ModeShowsItsToolboxAndAnyOtherValueHidesEveryBar) {
    const std::vector<std::pair<int32_t, std::string>> cases = {
        {1, "mode 1010"}, {2, "mode 0100"}, {0, "mode 0001"}, {7, "mode 0001"}, {-2, "mode 0001"}};
    for (const auto& [mode, call] : cases) {
        tbToolState state;
        RecordingView view;
        state.setView(&view);
        state.setMode(mode);
        EXPECT_EQ(state.mode(), mode);
        EXPECT_EQ(view.calls, std::vector<std::string>{call}) << mode;
    }
}

TEST(ToolState, BrushSizeHardnessAndAngleRules) {
    struct SizeCase {
        float size, minimum, maximum, expected;
    };
    for (const SizeCase& c : std::vector<SizeCase>{
             {5, 0, 100, 5}, {-3, 0, 100, 0}, {150, 0, 100, 100}, {100, 0, 100, 100},
             // A minimum above the maximum: the maximum wins.
             {5, 10, 8, 8}, {20, 10, 8, 8}}) {
        tbToolState state;
        state.setBrushSize(c.size, c.minimum, c.maximum);
        EXPECT_EQ(state.brushSize(), c.expected) << c.size << " in [" << c.minimum << ", " << c.maximum << "]";
    }
    for (const auto& [hardness, expected] : std::vector<std::pair<float, float>>{
             {-1, 0}, {0, 0}, {42.5f, 42.5f}, {100, 100}, {100.5f, 100}}) {
        tbToolState state;
        state.setBrushHardness(hardness);
        EXPECT_EQ(state.brushHardness(), expected) << hardness;
    }
    // Wrapped, not taken modulo: just below 0 is 360, just above 360 is 0.
    for (const auto& [angle, expected] : std::vector<std::pair<float, float>>{
             {-0.5f, 360}, {-10, 360}, {0, 0}, {360, 360}, {360.5f, 0}, {370, 0}, {90, 90}}) {
        tbToolState state;
        state.setBrushAngle(angle);
        EXPECT_EQ(state.brushAngle(), expected) << angle;
    }
}

TEST(ToolState, HardnessPicksItsBrushImageByHalfOpenBands) {
    const std::vector<std::pair<float, std::string>> cases = {
        {0.0f, "brush_0.bmp"},     {4.999f, "brush_0.bmp"},    {5.0f, "brush_10.bmp"},
        {14.999999f, "brush_10.bmp"}, {15.0f, "brush_20.bmp"},  {50.0f, "brush_50.bmp"},
        {84.99999f, "brush_80.bmp"}, {85.0f, "brush_90.bmp"},   {94.999f, "brush_90.bmp"},
        {95.0f, "brush_100.bmp"},  {100.0f, "brush_100.bmp"},  {-1.0f, "brush_100.bmp"},
        {std::numeric_limits<float>::quiet_NaN(), "brush_100.bmp"},
    };
    for (const auto& [hardness, name] : cases) EXPECT_EQ(tbBrushTextureName(hardness), name) << hardness;
}

TEST(ToolState, ColoursAreCopiedWholeUnclampedAndRepaintTheSwatches) {
    tbToolState state;
    EXPECT_EQ(state.mainColour().red, 255);
    EXPECT_EQ(state.secondColour().red, 0);
    EXPECT_EQ(state.secondColour().alpha, 255);

    RecordingView view;
    state.setView(&view);
    simColour colour;
    colour.red = 300;
    colour.green = -4;
    colour.blue = 7;
    colour.alpha = 9;
    colour.redF = 0.5f;  // the float copy is not part of the value
    state.setMainColour(colour);
    state.setSecondColour(colour);
    EXPECT_EQ(state.mainColour(), colour);
    EXPECT_EQ(state.secondColour(), colour);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"swatches", "swatches"}));
}

}  // namespace
