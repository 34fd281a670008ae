// Text drawn on the OpenGL device and read back: glyph coverage lands inside
// the measured rectangle, in the text's colour, blended over the background,
// and centring puts the ink about the given point.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/graphics/simFont.h"
#include "platform/gfx/device.h"
#include "tests/support/graphicsOnGl.h"

using namespace gfx;

namespace {

constexpr uint32_t kWidth = 160, kHeight = 120;

class GlFont : public testsupport::GraphicsOnGl {
protected:
    GlFont() : GraphicsOnGl(kWidth, kHeight) {}
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        font = std::make_unique<simFont>(nullptr, "testFont", "Arial", 24.0f, true, false);
        ASSERT_TRUE(font->hasFont());
    }
    void TearDown() override {
        font.reset();
        GraphicsOnGl::TearDown();
    }

    // Draws through `draw` on a black back buffer and reads it back.
    template <class F>
    std::vector<uint32_t> render(F draw) {
        rig->state().setState(simRenderState_clearColour, 0xFF000000u);
        rig->renderer().beginScene(true, true, true);
        draw();
        rig->renderer().endSceneWithoutPresent();
        return rig->backBufferPixels();
    }

    // The box of every pixel brighter than black, and the brightest red.
    struct Ink {
        int32_t left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
        uint32_t maxRed = 0, maxGreen = 0, count = 0;
    };
    static Ink ink(const std::vector<uint32_t>& pixels) {
        Ink k;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x) {
                const uint32_t p = pixels[y * kWidth + x] & 0xFFFFFFu;
                if (!p) continue;
                ++k.count;
                k.left = std::min<int32_t>(k.left, x);
                k.top = std::min<int32_t>(k.top, y);
                k.right = std::max<int32_t>(k.right, x + 1);
                k.bottom = std::max<int32_t>(k.bottom, y + 1);
                k.maxRed = std::max(k.maxRed, (p >> 16) & 0xFF);
                k.maxGreen = std::max(k.maxGreen, (p >> 8) & 0xFF);
            }
        return k;
    }

    std::unique_ptr<simFont> font;
};

TEST_F(GlFont, AGlyphsCoverageLandsInsideTheMeasuredRectangleInTheTextsColour) {
    simColour red;
    red.set(255, 255, 0, 0);
    gfx::RECT measured;
    font->measureText("Hi", -1, &measured);
    const Ink k = ink(render([&] { font->drawText("Hi", 20, 30, red); }));
    ASSERT_GT(k.count, 40u);
    EXPECT_GE(k.left, 20);
    EXPECT_GE(k.top, 30);
    EXPECT_LE(k.right, 20 + measured.right);
    EXPECT_LE(k.bottom, 30 + measured.bottom);
    EXPECT_EQ(k.maxRed, 255u);  // solid stems at full coverage
    EXPECT_EQ(k.maxGreen, 0u);
    // "H" spans most of the cell's ascent: the ink is tall, not a smudge.
    EXPECT_GT(k.bottom - k.top, measured.bottom / 2);
}

TEST_F(GlFont, CentredTextInksAboutThePoint) {
    simColour white;
    white.set(255, 255, 255, 255);
    const Ink k = ink(render([&] { font->drawTextCentred("HH", 80, 60, white); }));
    ASSERT_GT(k.count, 40u);
    EXPECT_NEAR((k.left + k.right) / 2.0, 80.0, 3.0);
    EXPECT_LT(k.top, 60);
    EXPECT_GT(k.bottom, 55);
}

TEST_F(GlFont, TextDrawsAgainAfterADeviceLoss) {
    simColour white;
    white.set(255, 255, 255, 255);
    const Ink before = ink(render([&] { font->drawText("Hi", 20, 30, white); }));
    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();
    rig->graphics().renderFrameDefault();
    ASSERT_TRUE(rig->state().isValid()) << rig->engine.log();
    const Ink after = ink(render([&] { font->drawText("Hi", 20, 30, white); }));
    EXPECT_EQ(after.count, before.count);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.bottom, before.bottom);
}

}  // namespace
