// Fonts of the d3dx layer: face resolution through fontconfig, GDI cell
// heights, measuring as DT_CALCRECT does, glyphs rendered once into an atlas
// that grows without moving them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx/d3dxFont.h"

namespace {

std::unique_ptr<d3dx::Font> arial(int height, bool bold = false) {
    d3dx::FontDesc desc;
    desc.height = height;
    desc.weight = bold ? 700 : 400;
    desc.faceName = "Arial";
    std::string error;
    auto font = d3dx::Font::Create(desc, &error);
    EXPECT_TRUE(font) << error;
    return font;
}

int32_t width(d3dx::Font& font, const std::string& text) {
    return font.Measure(text.data(), int32_t(text.size())).right;
}

TEST(D3dxFont, ArialIsItsMetricTwinAndBoldIsABoldFace) {
    auto regular = arial(13);
    auto bold = arial(13, true);
    ASSERT_TRUE(regular && bold);
    EXPECT_EQ(regular->family(), "Liberation Sans");
    EXPECT_NE(regular->file().find("LiberationSans-Regular"), std::string::npos) << regular->file();
    EXPECT_NE(bold->file().find("LiberationSans-Bold"), std::string::npos) << bold->file();
    EXPECT_GT(width(*bold, "Tolvane"), width(*regular, "Tolvane"));
}

TEST(D3dxFont, HeightsOutsideTheRangeAreRefused) {
    for (int height : {0, -5, 5000}) {
        d3dx::FontDesc desc;
        desc.height = height;
        desc.faceName = "Arial";
        std::string error;
        EXPECT_FALSE(d3dx::Font::Create(desc, &error)) << height;
        EXPECT_EQ(error, "font height out of range: " + std::to_string(height));
    }
}

TEST(D3dxFont, MeasuresLikeCalcRect) {
    auto font = arial(16);
    ASSERT_TRUE(font);
    const d3dx::FontRect one = font->Measure("Hello", 5);
    EXPECT_EQ(one.left, 0);
    EXPECT_EQ(one.top, 0);
    EXPECT_EQ(one.bottom, 16);  // the cell height
    EXPECT_GT(one.right, 20);
    // Trailing spaces are left out; inner ones count.
    EXPECT_EQ(width(*font, "Hello  "), one.right);
    EXPECT_GT(width(*font, "a a"), width(*font, "aa"));
    // Lines: the widest line, the cells stacked.
    const d3dx::FontRect two = font->Measure("Hello\nHi", 8);
    EXPECT_EQ(two.right, one.right);
    EXPECT_EQ(two.bottom, 32);
    // Arial's metrics: "Hello" at a 16-pixel cell is 33 pixels wide in GDI.
    EXPECT_NEAR(one.right, 33, 2);
    const d3dx::FontRect none = font->Measure("Hello", 0);
    EXPECT_EQ(none.right, 0);
    EXPECT_EQ(none.bottom, 0);
}

TEST(D3dxFont, GlyphsAreRenderedOnceWithTheirCoverage) {
    auto font = arial(40);
    ASSERT_TRUE(font);
    std::vector<d3dx::GlyphQuad> quads;
    font->Layout("Il", 2, d3dx::FontRect{0, 0, 100, 40}, d3dx::DT_NOCLIP, &quads);
    ASSERT_EQ(quads.size(), 2u);
    const uint32_t rendered = font->renderedGlyphs();
    const uint32_t version = font->atlas().version;
    font->Layout("lIIl", 4, d3dx::FontRect{0, 0, 100, 40}, d3dx::DT_NOCLIP, &quads);
    EXPECT_EQ(font->renderedGlyphs(), rendered);
    EXPECT_EQ(font->atlas().version, version);
    // An upright stem: the middle column of "I" is fully covered.
    const d3dx::GlyphQuad& i = quads[1];
    const d3dx::FontAtlas& atlas = font->atlas();
    const int32_t midX = (i.u0 + i.u1) / 2, midY = (i.v0 + i.v1) / 2;
    EXPECT_EQ(atlas.pixels[size_t(midY) * size_t(atlas.width) + size_t(midX)], 255);
    // The stem stands on the baseline: its bottom is the ascent below the top.
    EXPECT_EQ(i.y1, font->ascent());
    EXPECT_GT(i.y1 - i.y0, 20);
}

TEST(D3dxFont, CentringPutsEachLineMidwayAndNothingIsClipped) {
    auto font = arial(20);
    ASSERT_TRUE(font);
    std::vector<d3dx::GlyphQuad> quads;
    const int32_t w = width(*font, "H");
    font->Layout("H", 1, d3dx::FontRect{100, 50, 200, 60}, d3dx::DT_CENTER | d3dx::DT_NOCLIP, &quads);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_NEAR((quads[0].x0 + quads[0].x1) / 2, 150, 2);
    EXPECT_LT(quads[0].x0, 150 - w / 4);
    EXPECT_GT(quads[0].y1, 60);  // past the rectangle's bottom: no clipping
}

TEST(D3dxFont, AFullAtlasGrowsWithoutMovingItsGlyphs) {
    auto font = arial(120);
    ASSERT_TRUE(font);
    std::vector<d3dx::GlyphQuad> first;
    font->Layout("A", 1, d3dx::FontRect{}, 0, &first);
    std::string all;
    for (int c = 33; c < 127; ++c) all += char(c);
    std::vector<d3dx::GlyphQuad> quads;
    font->Layout(all.data(), int32_t(all.size()), d3dx::FontRect{}, 0, &quads);
    EXPECT_GT(font->atlas().width, 256);
    std::vector<d3dx::GlyphQuad> again;
    font->Layout("A", 1, d3dx::FontRect{}, 0, &again);
    EXPECT_EQ(again[0].u0, first[0].u0);
    EXPECT_EQ(again[0].v0, first[0].v0);
}

}  // namespace
