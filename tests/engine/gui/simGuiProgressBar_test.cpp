// Progress bars: the pieces of horizontal and vertical bars for a table of
// values (caps, partial fills, full fills, clamped values), tick marks, and
// scrubbing driven by the real mouse with the callbacks a script records.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/gui/simGuiProgressBar.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;
using guitest::atlasPixels;
using guitest::screenRect;

namespace {

class GuiProgressBarTest : public ::testing::Test {
protected:
    // The pieces drawn for a bar of that shape and value.
    std::vector<simScreenRect> pieces(int width, int height, float value) {
        bench.lua("destroyGuiElement('bar')");
        bench.update();
        bench.lua("createGuiProgressBar('bar', 100, 50, " + std::to_string(width) + ", " + std::to_string(height) +
                  ")");
        bench.find("bar")->setData(value);
        const std::vector<guitest::DrawCall>& calls = bench.render();
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? std::vector<simScreenRect>{} : calls[0].pieces;
    }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiProgressBarTest, HorizontalFillTable) {
    struct Case {
        float value;
        std::vector<AtlasRect> fillScreen, fillAtlas;  // the pieces after the three track pieces
    };
    const Case cases[] = {
        {0.0f, {}, {}},
        {-3.0f, {}, {}},
        {0.025f, {{100, 50, 105, 70}}, {{448, 96, 453, 119}}},  // 5 pixels: one partial cap
        {0.5f, {{100, 50, 108, 70}, {108, 50, 200, 70}}, {{448, 96, 456, 119}, {456, 96, 457, 119}}},
        {0.98f,  // 196: into the right cap
         {{100, 50, 108, 70}, {108, 50, 292, 70}, {292, 50, 296, 70}},
         {{448, 96, 456, 119}, {456, 96, 457, 119}, {464, 96, 468, 119}}},
        {7.0f,  // clamped to 1: the whole right cap
         {{100, 50, 108, 70}, {108, 50, 292, 70}, {292, 50, 300, 70}},
         {{448, 96, 456, 119}, {456, 96, 457, 119}, {464, 96, 472, 119}}},
    };
    for (const Case& c : cases) {
        const std::vector<simScreenRect> drawn = pieces(200, 20, c.value);
        ASSERT_EQ(drawn.size(), 3 + c.fillScreen.size()) << c.value;
        EXPECT_EQ(screenRect(drawn[0]), (AtlasRect{100, 50, 108, 70}));
        EXPECT_EQ(atlasPixels(drawn[2]), (AtlasRect{432, 96, 424, 119}));  // mirrored right cap
        for (size_t i = 0; i < c.fillScreen.size(); ++i) {
            EXPECT_EQ(screenRect(drawn[3 + i]), c.fillScreen[i]) << c.value << " piece " << i;
            EXPECT_EQ(atlasPixels(drawn[3 + i]), c.fillAtlas[i]) << c.value << " piece " << i;
        }
    }
    // The clamped value is stored back; a value that is not a number shows empty.
    EXPECT_FLOAT_EQ(bench.find("bar")->getData(), 1.0f);
    EXPECT_EQ(pieces(200, 20, std::numeric_limits<float>::quiet_NaN()).size(), 3u);
    EXPECT_FLOAT_EQ(bench.find("bar")->getData(), 0.0f);
}

TEST_F(GuiProgressBarTest, SquareAndTallBarsAreVerticalAndFillFromTheBottom) {
    std::vector<simScreenRect> drawn = pieces(30, 30, 0.1f);  // 3 pixels
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(screenRect(drawn[0]), (AtlasRect{100, 50, 130, 58}));
    EXPECT_EQ(screenRect(drawn[3]), (AtlasRect{100, 77, 130, 80}));
    EXPECT_EQ(atlasPixels(drawn[3]), (AtlasRect{448, 149, 471, 152}));

    drawn = pieces(20, 100, 0.96f);  // 96 pixels: 4 into the top cap
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(screenRect(drawn[3]), (AtlasRect{100, 142, 120, 150}));  // bottom cap
    EXPECT_EQ(screenRect(drawn[4]), (AtlasRect{100, 58, 120, 142}));   // middle
    EXPECT_EQ(screenRect(drawn[5]), (AtlasRect{100, 54, 120, 58}));    // cut top cap
    EXPECT_EQ(atlasPixels(drawn[5]), (AtlasRect{448, 132, 471, 136}));
}

TEST_F(GuiProgressBarTest, PositionMarkersAtTheQuarters) {
    bench.lua("createGuiProgressBar('m', 0, 0, 200, 20) gui_setAttribute('m', 'positionMarkers', '1')");
    const std::vector<simScreenRect> drawn = bench.render()[0].pieces;
    ASSERT_EQ(drawn.size(), 3u + 6u);
    EXPECT_EQ(screenRect(drawn[3]), (AtlasRect{149, 3, 150, 17}));
    EXPECT_EQ(screenRect(drawn[4]), (AtlasRect{150, 3, 151, 17}));
    EXPECT_EQ(screenRect(drawn[8]).x1, 50);
    EXPECT_EQ(drawn[3].colour >> 24, 100u);
}

TEST_F(GuiProgressBarTest, ScrubbingReportsTheFractionUnderTheDrag) {
    bench.recordCalls();
    bench.lua("createGuiProgressBar('bar', 100, 100, 200, 20)"
              "function onScrub(name, f) record(name, f) end");
    bench.drag(150, 110, 200, 110);
    EXPECT_TRUE(bench.takeCalls().empty());  // not scrubbable

    bench.lua("gui_setAttribute('bar', 'scrubbable', 'true') gui_setAttribute('bar', 'onScrubFunction', 'onScrub')");
    bench.drag(150, 110, 350, 110);
    // Moves of 50 px: the first is past the 4-pixel threshold already.
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"bar 0.5", "bar 0.75", "bar 1", "bar 1"}));
    EXPECT_FLOAT_EQ(bench.find("bar")->getData(), 0.0f);  // the bar's value is the script's business

    bench.drag(50, 110, 200, 110);  // began outside: no scrub
    EXPECT_TRUE(bench.takeCalls().empty());

    bench.lua("gui_setAttribute('bar', 'scrubbable', '1')");
    bench.drag(150, 110, 200, 110);
    EXPECT_TRUE(bench.takeCalls().empty());

    // Script text instead of a function name.
    bench.lua("gui_setAttribute('bar', 'scrubbable', 'true') gui_setAttribute('bar', 'onScrubFunction', "
              "'record(\"text\")')");
    bench.drag(150, 110, 158, 110, 1);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"text"}));
}

TEST_F(GuiProgressBarTest, VerticalScrubGrowsDownwards) {
    bench.recordCalls();
    bench.lua("createGuiProgressBar('v', 100, 100, 20, 200) gui_setAttribute('v', 'scrubbable', 'true')"
              "gui_setAttribute('v', 'onScrubFunction', 'record')");
    bench.drag(110, 110, 110, 50, 1);
    bench.drag(110, 110, 110, 150, 1);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"v 0", "v 0.25"}));
}
