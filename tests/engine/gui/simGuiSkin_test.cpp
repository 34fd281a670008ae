// Skinned pieces from the atlas: nine-slice frames of every style (screen
// rectangles and atlas cells), the dialog frame's tab, the scroll bar's
// thumb rules, and nothing at all without a theme texture.
#include <gtest/gtest.h>

#include <vector>

#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;
using guitest::atlasPixels;
using guitest::screenRect;

namespace {

class GuiSkinTest : public ::testing::Test {
protected:
    std::vector<simScreenRect> frame(uint32_t style, float topRow = 0.0f) {
        std::vector<simScreenRect> pieces;
        simColour colour;
        colour.set(200, 10, 20, 30);
        buildFrameGeometry(10, 20, 210, 120, style, pieces, colour, topRow);
        return pieces;
    }
    guitest::GuiBench bench;
};

std::vector<AtlasRect> atlasOf(const std::vector<simScreenRect>& pieces) {
    std::vector<AtlasRect> out;
    for (const simScreenRect& p : pieces) out.push_back(atlasPixels(p));
    return out;
}

std::vector<AtlasRect> screenOf(const std::vector<simScreenRect>& pieces) {
    std::vector<AtlasRect> out;
    for (const simScreenRect& p : pieces) out.push_back(screenRect(p));
    return out;
}

}  // namespace

TEST_F(GuiSkinTest, DialogFrameIsANineSliceOf32PixelCells) {
    const std::vector<simScreenRect> pieces = frame(0);
    EXPECT_EQ(screenOf(pieces), (std::vector<AtlasRect>{{10, 20, 42, 52},
                                                        {178, 20, 210, 52},
                                                        {178, 88, 210, 120},
                                                        {10, 88, 42, 120},
                                                        {42, 20, 178, 52},
                                                        {178, 52, 210, 88},
                                                        {42, 88, 178, 120},
                                                        {10, 52, 42, 88},
                                                        {42, 52, 178, 88}}));
    EXPECT_EQ(atlasOf(pieces), (std::vector<AtlasRect>{{0, 0, 32, 32},
                                                       {64, 0, 96, 32},
                                                       {64, 64, 96, 96},
                                                       {0, 64, 32, 96},
                                                       {32, 0, 64, 32},
                                                       {64, 32, 96, 64},
                                                       {32, 64, 64, 96},
                                                       {0, 32, 32, 64},
                                                       {32, 32, 64, 64}}));
    for (const simScreenRect& p : pieces) EXPECT_EQ(p.colour, 0xC80A141Eu);
}

TEST_F(GuiSkinTest, EveryStyleTakesItsCornersFromItsRegion) {
    struct Case {
        uint32_t style;
        float corner;
        AtlasRect topLeft, bottomRight, centre;
    };
    const Case cases[] = {
        {1, 16, {192, 0, 208, 16}, {224, 32, 240, 48}, {208, 16, 224, 32}},
        {2, 16, {192, 0, 208, 16}, {224, 32, 240, 48}, {208, 16, 224, 32}},
        {3, 9, {288, 0, 297, 9}, {311, 9, 320, 18}, {297, 9, 298, 10}},
        {4, 9, {288, 32, 297, 41}, {311, 41, 320, 50}, {297, 41, 298, 42}},
        {5, 16, {416, 160, 432, 176}, {448, 192, 464, 208}, {432, 176, 448, 192}},
        {6, 16, {464, 160, 480, 176}, {496, 192, 512, 208}, {480, 176, 496, 192}},
    };
    for (const Case& c : cases) {
        const std::vector<simScreenRect> pieces = frame(c.style);
        ASSERT_EQ(pieces.size(), 9u) << c.style;
        EXPECT_EQ(atlasPixels(pieces[0]), c.topLeft) << c.style;
        EXPECT_EQ(atlasPixels(pieces[2]), c.bottomRight) << c.style;
        EXPECT_EQ(atlasPixels(pieces[8]), c.centre) << c.style;
        EXPECT_EQ(screenRect(pieces[0]), (AtlasRect{10, 20, 10 + c.corner, 20 + c.corner})) << c.style;
    }
    EXPECT_TRUE(frame(7).empty());
}

TEST_F(GuiSkinTest, TabbedDialogFrameEndsItsTopRowAtTheTabWidth) {
    const std::vector<simScreenRect> pieces = frame(0, 100);
    EXPECT_EQ(screenRect(pieces[1]), (AtlasRect{78, 20, 110, 52}));   // top-right corner
    EXPECT_EQ(screenRect(pieces[4]), (AtlasRect{42, 20, 78, 52}));    // top edge
    EXPECT_EQ(screenRect(pieces[5]), (AtlasRect{178, 52, 210, 88}));  // right edge keeps x2
    // Other styles ignore the tab.
    EXPECT_EQ(screenRect(frame(1, 100)[1]).x2, 210);
}

TEST_F(GuiSkinTest, ScrollBarThumbIsAtLeast32PixelsAndStaysInTheTrack) {
    struct Case {
        float start, end;
        float top, bottom;  // the thumb's top cap top and bottom cap bottom
    };
    // The widget is 200 tall: the track is 168 pixels, from y1 + 16.
    const Case cases[] = {
        {0.0f, 0.5f, 16, 16 + 84},
        {0.25f, 0.3f, 16 + 42, 16 + 42 + 32},  // too short: 32 pixels
        {0.95f, 1.0f, 16 + 168 - 32, 16 + 168},  // lengthened past the end: moved up
        {0.0f, 1.0f, 16, 16 + 168},
    };
    for (const Case& c : cases) {
        std::vector<simScreenRect> pieces;
        buildScrollBarGeometry(0, 0, 100, 200, {1, 2, 1}, c.start, c.end, pieces);
        ASSERT_EQ(pieces.size(), 8u);
        EXPECT_EQ(pieces[4].y1, c.top) << c.start << " " << c.end;
        EXPECT_EQ(pieces[5].y2, c.bottom) << c.start << " " << c.end;
        EXPECT_EQ(atlasPixels(pieces[4]), (AtlasRect{192, 64, 206, 70}));  // hover thumb
    }
    std::vector<simScreenRect> pieces;
    buildScrollBarGeometry(0, 0, 100, 200, {1, 2, 0}, 0, 0.5f, pieces);
    EXPECT_EQ(screenRect(pieces[0]), (AtlasRect{85, 0, 100, 16}));
    EXPECT_EQ(atlasPixels(pieces[0]), (AtlasRect{112, 64, 127, 80}));
    EXPECT_EQ(atlasPixels(pieces[1]), (AtlasRect{128, 80, 143, 64}));  // pressed, flipped
    EXPECT_EQ(pieces[2].colour, 0xFF8D8D8Du);
    EXPECT_EQ(screenRect(pieces[3]), (AtlasRect{85, 17, 99, 183}));
}

TEST_F(GuiSkinTest, NothingIsBuiltOrDrawnWithoutATheme) {
    bench.manager->themeTexture = nullptr;
    EXPECT_TRUE(frame(0).empty());
    std::vector<simScreenRect> pieces;
    buildScrollBarGeometry(0, 0, 100, 200, {}, 0, 1, pieces);
    EXPECT_TRUE(pieces.empty());
    simColour white;
    drawFrame(0, 0, 10, 10, 0, white);
    drawTooltipBox(0, 0, "text", 255);
    EXPECT_TRUE(bench.canvas.calls.empty());
}
