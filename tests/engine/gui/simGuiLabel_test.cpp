// Labels and group frames as scripts make them: text placement for each
// alignment with the bench's fixed metrics, colours and alpha, fonts by id
// name, and the group frame's style names, fade rule and visibility.
#include <gtest/gtest.h>

#include "engine/gui/simGuiGroupFrame.h"
#include "engine/gui/simGuiLabel.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;
using guitest::DrawCall;

namespace {

class GuiLabelTest : public ::testing::Test {
protected:
    std::vector<DrawCall> texts() {
        bench.render();
        return bench.canvas.of(DrawCall::Kind::text);
    }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiLabelTest, AlignmentsPlaceTheTextInTheRectangle) {
    struct Case {
        const char* alignment;
        float height;
        float x, y;
        bool centred;
    };
    // "Label" measures 35 x 13 on the bench.
    const Case cases[] = {
        {"centre", 40, 10 + 50, 20 + 20, true},
        {"left", 40, 10 + 5, 33, false},  // 20 + 20 - 6.5, truncated
        {"right", 40, 10 + 100 - 35, 33, false},  // no margin
        {"topleft", 40, 15, 22, false},
        {"left", 0, 15, 20, false},  // height 0: at getY
    };
    for (const Case& c : cases) {
        bench.lua("createGuiLabel('l', 10, 20, 100, " + std::to_string(int(c.height)) + ", '', 'Label', '" +
                  c.alignment + "')");
        const std::vector<DrawCall> drawn = texts();
        ASSERT_EQ(drawn.size(), 1u) << c.alignment;
        EXPECT_EQ(drawn[0].x, c.x) << c.alignment;
        EXPECT_EQ(drawn[0].y, c.y) << c.alignment;
        EXPECT_EQ(drawn[0].centred, c.centred) << c.alignment;
        EXPECT_EQ(drawn[0].colour, 0xFF000000u) << c.alignment;  // opaque black
        bench.lua("destroyGuiElement('l')");
        bench.update();
    }
    bench.lua("createGuiLabel('l', 10, 20, 100, 40, '', 'Label', 'Centre')");
    EXPECT_TRUE(texts().empty());
}

TEST_F(GuiLabelTest, ColourDisabledStateAndFadeSetTheTextAlpha) {
    bench.lua("createGuiLabel('l', 0, 0, 100, 20, '', 'x', 'left') gui_setAttribute('l', 'colour', '200,1,2,3')");
    EXPECT_EQ(texts()[0].colour, 0xC8010203u);
    bench.lua("gui_setEnabledState('l', 0)");
    EXPECT_EQ(texts()[0].colour >> 24, 100u);
    bench.find("l")->show(100.0f);
    bench.clock.advance(50.0);
    EXPECT_EQ(texts()[0].colour >> 24, 50u);  // 200 x 0.5, halved
    bench.lua("gui_setVisibleState('l', 0)");
    EXPECT_TRUE(texts().empty());
}

TEST_F(GuiLabelTest, FontComesFromItsIdNameOrFont0AndTextFromScripts) {
    simFont boldFont(nullptr, "benchBold", "Arial", 10.0f, true, false);
    simFont* bold = &boldFont;
    bench.manager->fonts[1] = bold;
    bench.manager->fonts[0] = nullptr;
    bench.lua("createGuiLabel('a', 0, 0, 100, 20, 'simGuiFontId_bold', 'x', 'left')"
              "createGuiLabel('b', 0, 0, 100, 20, '', 'y', 'left')");
    EXPECT_EQ(bench.find("a")->getFont(), bold);
    EXPECT_EQ(bench.find("b")->getFont(), nullptr);
    EXPECT_EQ(texts().size(), 1u);  // no font, no text
    bench.lua("gui_setText('a', 'changed')");
    EXPECT_EQ(bench.luaValue("gui_getText('a')"), "changed");
    EXPECT_NE(bench.find<simGuiLabel>("a"), nullptr);
    EXPECT_EQ(bench.find<simGuiGroupFrame>("a"), nullptr);
}

TEST_F(GuiLabelTest, GroupFrameDrawsItsStyleExceptWhileFadingOut) {
    struct Case {
        const char* style;
        AtlasRect topLeftCell;
    };
    const Case cases[] = {
        {"simGuiFrameStyle_dialogBox", {0, 0, 32, 32}},
        {"simGuiFrameStyle_thinBorder", {192, 0, 208, 16}},
        {"simGuiFrameStyle_dark", {416, 160, 432, 176}},
        {"simGuiFrameStyle_widget", {464, 160, 480, 176}},
        {"", {192, 0, 208, 16}},
        {"simGuiFrameStyle_Dark", {192, 0, 208, 16}},
    };
    for (const Case& c : cases) {
        bench.lua(std::string("createGuiGroupFrame('g', 5, 6, 100, 80, '") + c.style + "')");
        const std::vector<DrawCall>& calls = bench.render();
        ASSERT_EQ(calls.size(), 1u) << c.style;
        EXPECT_EQ(calls[0].texture, bench.theme.get());
        EXPECT_EQ(guitest::atlasPixels(calls[0].pieces[0]), c.topLeftCell) << c.style;
        EXPECT_EQ(guitest::screenRect(calls[0].pieces[2]).x2, 105) << c.style;
        bench.lua("destroyGuiElement('g')");
        bench.update();
    }
    bench.lua("createGuiGroupFrame('g', 5, 6, 100, 80, '')");
    simGuiElement* g = bench.find("g");
    g->show(100.0f);
    EXPECT_EQ(bench.render().size(), 1u);
    g->hide(100.0f, false);
    EXPECT_TRUE(bench.render().empty());
    bench.advance(100.0);
    EXPECT_FALSE(g->isVisible());
    EXPECT_TRUE(bench.render().empty());
}
