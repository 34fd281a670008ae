// The font resource on the recording device: heights from points, measuring
// (trailing spaces, counts past the text, all-space texts), one draw call a
// string with no glyph rendered twice, and survival of a device loss.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "engine/core/simResources.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "platform/d3dx/d3dxFont.h"
#include "tests/support/recordingGraphics.h"

using namespace gfx;
using testsupport::RecordingGraphics;

namespace {

simColour white() {
    simColour c;
    c.set(255, 255, 255, 255);
    return c;
}

TEST(SimFontHeight, PointsBecomePixelsAsMulDivRounds) {
    const std::pair<float, int32_t> cases[] = {{10, 13}, {10.9f, 13}, {12, 16}, {13, 17}, {9, 12}, {0, 0}, {-10, -13}};
    for (const auto& [points, pixels] : cases) EXPECT_EQ(simFont::pixelHeight(points), pixels) << points;
}

struct SimFontTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(rig.complete());
        font = std::make_unique<simFont>(nullptr, "consoleFont", "Arial", 10.0f, false, false);
        ASSERT_TRUE(font->hasFont()) << rig.engine.log();
    }
    gfx::RECT measure(const std::string& text, int32_t count = -1) {
        gfx::RECT r;
        font->measureText(text, count, &r);
        return r;
    }
    RecordingGraphics rig;
    std::unique_ptr<simFont> font;
};

TEST_F(SimFontTest, KeepsItsDescriptionAndSpaceWidth) {
    EXPECT_EQ(font->getTypeName(), "simFont");
    EXPECT_EQ(font->getFaceName(), "Arial");
    EXPECT_FLOAT_EQ(font->getSize(), 10.0f);
    EXPECT_FALSE(font->isBold());
    EXPECT_EQ(font->getFont()->desc().height, 13);
    EXPECT_EQ(font->getFont()->desc().weight, 400u);
    EXPECT_GT(font->getSpaceWidth(), 1.0f);
    EXPECT_EQ(measure("x").bottom, 13);
}

TEST_F(SimFontTest, TrailingSpacesMeasureOneSpaceWidthEach) {
    const int32_t plain = measure("Engine").right;
    const float space = font->getSpaceWidth();
    EXPECT_EQ(measure("Engine  ").right, int32_t(float(int32_t(float(plain) + space)) + space));
    EXPECT_EQ(measure("Engine  ", 6).right, plain);
}

TEST_F(SimFontTest, EmptyTextsAndZeroCountsMeasureTheUnitRectangle) {
    for (const gfx::RECT& r : {measure(""), measure("abc", 0)}) {
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, 1);
        EXPECT_EQ(r.bottom, 1);
    }
}

TEST_F(SimFontTest, CountsPastTheTextAndAllSpaceTextsStayInsideTheText) {
    // Both walked outside the text before: a count past the end read beyond
    // it, and an all-space text walked on before its first character.
    EXPECT_EQ(measure("abc ", 40).right, measure("abc ").right);
    const gfx::RECT spaces = measure("   ");
    EXPECT_EQ(spaces.right, int32_t(3 * font->getSpaceWidth()));
    EXPECT_EQ(spaces.bottom, 13);
}

TEST_F(SimFontTest, AStringIsOneDrawCallAndGlyphsAreRenderedOnce) {
    rig.renderer().beginScene(true, true, true);
    const std::string text = "The quick brown fox jumps over the dog 40";
    ASSERT_EQ(text.size(), 41u);
    rig.recorder->clear();
    font->drawText(text, 10, 10, white());
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), 1u);
    const uint32_t rendered = font->getFont()->renderedGlyphs();
    rig.recorder->clear();
    font->drawText(text, 10, 30, white());
    font->drawTextCentred(text, 200, 100, white());
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), 2u);
    EXPECT_EQ(rig.recorder->count("LockRect"), 0u);  // the atlas is not touched again
    EXPECT_EQ(font->getFont()->renderedGlyphs(), rendered);
    rig.renderer().endSceneWithoutPresent();
}

TEST_F(SimFontTest, TextInsideASaveAndRestoreBracketLeavesTheBracketsValues) {
    // The GUI's pattern: save, change, draw (text among it), restore. The
    // restore must give back what was there before the bracket.
    rig.renderer().beginScene(true, true, true);
    simRendererState& state = *rig.renderer().getState();
    state.setState(simRenderState_alphaBlend, 0);
    state.setState(simRenderState_blendMode, 1);
    state.saveState(simRenderState_alphaBlend);
    state.saveState(simRenderState_blendMode);
    state.setState(simRenderState_alphaBlend, 1);
    state.setState(simRenderState_blendMode, 0);
    font->drawText("inside", 10, 10, white());
    EXPECT_EQ(state.getState(simRenderState_alphaBlend), 1u);
    EXPECT_EQ(state.getState(simRenderState_blendMode), 0u);
    state.restoreState(simRenderState_alphaBlend);
    state.restoreState(simRenderState_blendMode);
    EXPECT_EQ(state.getState(simRenderState_alphaBlend), 0u);
    EXPECT_EQ(state.getState(simRenderState_blendMode), 1u);
    rig.renderer().endSceneWithoutPresent();
}

TEST_F(SimFontTest, NothingIsDrawnForAZeroCountOrAMinimisedWindow) {
    rig.renderer().beginScene(true, true, true);
    rig.recorder->clear();
    font->drawText("abc", 0, 0, white(), 0);
    font->drawText("   ", 0, 0, white());
    rig.window().setWindowState(0);
    font->drawText("abc", 0, 0, white());
    font->drawTextCentred("abc", 50, 50, white());
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), 0u);
    rig.renderer().endSceneWithoutPresent();
}

TEST_F(SimFontTest, TheAtlasIsReleasedOnAResetAndMadeAgainByTheNextDraw) {
    rig.renderer().beginScene(true, true, true);
    font->drawText("abc", 0, 0, white());
    rig.renderer().endSceneWithoutPresent();
    ASSERT_TRUE(font->getAtlasTexture());
    rig.device().SimulateDeviceLoss();
    rig.graphics().renderFrameDefault();
    rig.graphics().renderFrameDefault();
    ASSERT_TRUE(rig.state().isValid()) << rig.engine.log();
    EXPECT_FALSE(font->getAtlasTexture());
    rig.renderer().beginScene(true, true, true);
    rig.recorder->clear();
    font->drawText("abc", 0, 0, white());
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), 1u);
    EXPECT_EQ(rig.recorder->count("CreateTexture"), 1u);
    rig.renderer().endSceneWithoutPresent();
    EXPECT_EQ(rig.device().State(font->getAtlasTexture()), ResourceState::Valid);
}

TEST(SimEngineFonts, TheLinkMakesTheFourEngineFontsInTheGlobalResources) {
    RecordingGraphics rig;
    simResources resources;
    simSystemLinks links;
    simLinkEngineFonts(links);
    ASSERT_TRUE(links.graphics.createEngineFonts);
    links.graphics.createEngineFonts();
    const std::tuple<const char*, float, bool> fonts[] = {
        {"renderStatsFont", 12.0f, false}, {"consoleFont", 10.0f, false}, {"versionFont", 12.0f, false},
        {"infoFont", 13.0f, true}};
    for (const auto& [name, size, bold] : fonts) {
        auto* font = dynamic_cast<simFont*>(simResources::getResource(name, false));
        ASSERT_TRUE(font) << name;
        EXPECT_TRUE(font->hasFont()) << name;
        EXPECT_EQ(font->getFaceName(), "Arial");
        EXPECT_FLOAT_EQ(font->getSize(), size);
        EXPECT_EQ(font->isBold(), bold);
    }
}

}  // namespace
