// Custom buttons: default UVs are texture coordinates of the theme's button
// squares, the twelve UV keys (case counts), element keys ignored, the
// strict hit-rectangle hover, Enter on release alone, script text logged
// before it runs, and the state textures drawn for each state.
#include <gtest/gtest.h>

#include "engine/gui/simGuiCustomButton.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;

namespace {

class GuiCustomButtonTest : public ::testing::Test {
protected:
    GuiCustomButtonTest() {
        bench.recordCalls();
        bench.lua("createGuiCustomButton('c', 100, 100, 40, 20, 'Go', 'record(\"went\")')");
        bench.advance(300.0);
        bench.update();
    }
    simGuiCustomButton* button() { return bench.find<simGuiCustomButton>("c"); }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiCustomButtonTest, DefaultUVsAreTextureCoordinatesAndKeysSetThem) {
    EXPECT_EQ(button()->getTypeName(), "simGuiButton");
    const simGuiCustomButton::UvRect hover = button()->getStateUVs(1);
    EXPECT_FLOAT_EQ(hover.x, 32.0f / 512.0f);
    EXPECT_FLOAT_EQ(hover.Y, 128.0f / 512.0f);
    bench.lua("gui_setAttribute('c', 'buttonUVs1_x', '0.25') gui_setAttribute('c', 'buttonUVs1_X', '0.5')"
              "gui_setAttribute('c', 'buttonUVs2_y', 'none') gui_setAttribute('c', 'buttonUVs3_x', '0.9')"
              "gui_setAttribute('c', 'visible', 'false') gui_setAttribute('c', 'colour', '255,1,2,3')");
    EXPECT_FLOAT_EQ(button()->getStateUVs(1).x, 0.25f);
    EXPECT_FLOAT_EQ(button()->getStateUVs(1).X, 0.5f);
    EXPECT_FLOAT_EQ(button()->getStateUVs(2).y, 0.0f);
    EXPECT_TRUE(button()->isVisible());           // element keys do not reach it
    EXPECT_EQ(button()->getColour().red, 255);

    const std::vector<guitest::DrawCall>& calls = bench.render();
    ASSERT_GE(calls.size(), 1u);
    EXPECT_EQ(guitest::atlasPixels(calls[0].pieces[0]), (AtlasRect{0, 96, 32, 128}));
    EXPECT_EQ(guitest::screenRect(calls[0].pieces[0]), (AtlasRect{100, 100, 140, 120}));
}

TEST_F(GuiCustomButtonTest, HoverByTheHitRectangleStrictlyAndClicksLogScriptText) {
    bench.moveTo(100, 110);  // on the left edge: not inside
    EXPECT_EQ(button()->getState(), simGuiButton::normal);
    button()->setHitRect(10, 0, 40, 20);
    bench.moveTo(105, 110);
    EXPECT_EQ(button()->getState(), simGuiButton::normal);
    bench.moveTo(120, 110);
    EXPECT_EQ(button()->getState(), simGuiButton::hover);
    bench.rig.engine.clearLog();
    bench.press();
    bench.release();
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"went"}));
    EXPECT_NE(bench.rig.engine.log().find("onChange: record(\"went\")\n"), std::string::npos);

    // A global function is called with the name and not logged.
    bench.lua("function go(name) record('go', name) end createGuiCustomButton('d', 300, 100, 40, 20, '', 'go')");
    bench.advance(300.0);
    bench.rig.engine.clearLog();
    bench.click(320, 110);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"go d"}));
    EXPECT_EQ(bench.rig.engine.log().find("onChange"), std::string::npos);
}

TEST_F(GuiCustomButtonTest, EnterActsOnReleaseAlone) {
    bench.lua("gui_setOkElement('c')");
    bench.key(simGuiButton::kEnter, simKeyState_released);
    bench.key(simGuiButton::kEnter, simKeyState_held);
    bench.key(simGuiButton::kEscape, simKeyState_released);  // not the cancel element
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"went"}));
}

TEST_F(GuiCustomButtonTest, StateTexturesForEachState) {
    bench.moveTo(120, 110);
    bench.clock.advance(200.0);
    std::vector<guitest::DrawCall> calls = bench.render();
    ASSERT_EQ(calls.size(), 3u);  // normal, hover, caption
    EXPECT_EQ(guitest::atlasPixels(calls[1].pieces[0]), (AtlasRect{32, 96, 64, 128}));
    bench.press();
    calls = bench.render();
    EXPECT_EQ(guitest::atlasPixels(calls[1].pieces[0]), (AtlasRect{64, 96, 96, 128}));
    EXPECT_EQ(calls[2].colour, 0xFFFFFFFFu);  // the caption in the element's colour
    bench.release();
    bench.lua("gui_setEnabledState('c', 0)");
    calls = bench.render();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].pieces[0].colour >> 24, 125u);
}
