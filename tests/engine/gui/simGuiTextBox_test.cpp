// Text boxes as scripts fill them: word wrapping with the bench's fixed
// metrics (7 pixels a character), "#CLEAR" emptying what is shown, the
// first line as the text, scrolling by wheel, arrows and thumb within the
// content, clipping of the lines to the box, and a frameless box.
#include <gtest/gtest.h>

#include <functional>

#include "engine/gui/simGuiTextBox.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;

namespace {

class GuiTextBoxTest : public ::testing::Test {
protected:
    simGuiTextBox* box() { return bench.find<simGuiTextBox>("t"); }
    std::vector<std::string> added() {
        std::vector<std::string> texts;
        for (const simGuiTextBoxLine& line : box()->getLines()) texts.push_back(line.text);
        return texts;
    }
    std::vector<std::string> shown() {
        std::vector<std::string> texts;
        for (const simGuiTextBoxLine& line : box()->getDisplayLines()) texts.push_back(line.text);
        return texts;
    }
    // A box at (100, 100), 200 x 100, with `count` lines of 13 pixels.
    void fill(int count) {
        bench.lua("createGuiTextBox('t', 100, 100, 200, 100, '', 'left', '')");
        for (int i = 0; i < count; ++i) bench.lua("simGuiTextBox_addLine('t', 'line " + std::to_string(i) + "', '')");
        bench.render();
    }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiTextBoxTest, LinesWrapAtWordsToTheWidth) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    // Width 80: 70 pixels available, ten characters.
    const Case cases[] = {
        {"abcdefghij", {"abcdefghij"}},                       // exactly the width: not wrapped
        {"aaa bbb cccc", {"aaa bbb", "cccc"}},                // words are measured joined without their space
        {"abcdefghijkl mn", {"", "abcdefghijkl", "mn"}},      // a first word wider than the box
        {"aaaa  bbbb cc", {"aaaa  bbbb", "cc"}},              // a double space survives
        {"a\\n\\nb", {"a", "", "b"}},                          // paragraphs
        {"a\\n", {"a"}},
        {"", {""}},
    };
    for (const Case& c : cases) {
        bench.lua(std::string("createGuiTextBox('t', 0, 0, 80, 50, '', 'left', '') simGuiTextBox_addLine('t', '") +
                  c.text + "', '')");
        EXPECT_EQ(added(), c.lines) << c.text;
        bench.lua("destroyGuiElement('t')");
        bench.update();
    }
}

TEST_F(GuiTextBoxTest, ClearEmptiesWhatIsShownAndSetTextAppends) {
    bench.lua("createGuiTextBox('t', 0, 0, 200, 100, '', 'left', 'first') gui_setText('t', 'second')");
    EXPECT_EQ(bench.luaValue("gui_getText('t')"), "first");
    EXPECT_EQ(shown(), (std::vector<std::string>{"first", "second"}));
    EXPECT_FLOAT_EQ(box()->getContentHeight(), 13 + 13 + 5);
    bench.lua("gui_setText('t', '#CLEAR')");
    EXPECT_TRUE(box()->getLines().empty());
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(bench.luaValue("gui_getText('t')"), "");
    EXPECT_FLOAT_EQ(box()->getContentHeight(), 5);
    bench.render();
    EXPECT_TRUE(bench.canvas.of(DrawCall::Kind::text).empty());
    // A text box found under another class's name does nothing.
    bench.lua("simGuiTextBox_addLine('nobody', 'x', '')");
}

TEST_F(GuiTextBoxTest, ScrollingStaysWithinTheContent) {
    fill(20);  // 265 pixels of content in a box of 100: 165 to scroll
    ASSERT_TRUE(box()->isScrollBarVisible());
    struct Step {
        const char* what;
        std::function<void()> act;
        int32_t offset;
    };
    const Step steps[] = {
        {"wheel before the box has the focus", [&] { bench.wheel(true); }, 0},
        {"click gives the focus", [&] { bench.click(150, 150); }, 0},
        {"wheel towards the user", [&] { bench.wheel(true); }, 32},
        {"down arrow pressed", [&] { bench.moveTo(292, 192); bench.press(); }, 32},
        {"down arrow released", [&] { bench.release(); }, 52},
        {"up arrow click", [&] { bench.click(292, 108); }, 32},
        {"wheel away twice stops at the top", [&] { bench.wheel(false); bench.wheel(false); }, 0},
        {"wheel past the end", [&] { for (int i = 0; i < 10; ++i) bench.wheel(true); }, 165},
        {"down arrow at the end", [&] { bench.click(292, 192); }, 165},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(box()->getScrollOffset(), step.offset) << step.what;
    }
    // The thumb (from 100 + 165 / 265 x 100 = 162, 37 long, moved up to end
    // at 184) dragged up by 20 pixels: 20 / 68 of the content.
    bench.drag(292, 170, 292, 150);
    EXPECT_EQ(box()->getScrollOffset(), 165 - int32_t(20.0f / 68.0f * 265.0f));
}

TEST_F(GuiTextBoxTest, LinesAreClippedToTheFrameAndDrawnFromTheScrollOffset) {
    fill(20);
    bench.click(150, 150);
    bench.wheel(true);  // 32 pixels down: line 2 starts at 100 + 2 - 32 + 26 = 96
    const std::vector<DrawCall>& calls = bench.render();
    std::vector<DrawCall> clips, texts;
    size_t firstText = calls.size(), lastText = 0, setClip = calls.size(), clearClip = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == DrawCall::Kind::text) {
            firstText = std::min(firstText, i);
            lastText = i;
            texts.push_back(calls[i]);
        }
        if (calls[i].kind == DrawCall::Kind::clip) {
            (calls[i].width > 0 ? setClip : clearClip) = i;
            clips.push_back(calls[i]);
        }
    }
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].x, 102);
    EXPECT_EQ(clips[0].y, 102);
    EXPECT_EQ(clips[0].width, 196);
    EXPECT_EQ(clips[0].height, 96);
    EXPECT_LT(setClip, firstText);
    EXPECT_GT(clearClip, lastText);
    // Lines partly in view are drawn (the clip cuts them), lines out of view are not.
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().text, "line 2");
    EXPECT_EQ(texts.front().y, 96);
    EXPECT_EQ(texts.back().text, "line 10");  // 100 + 2 - 32 + 130 = 200, at the bottom edge
    EXPECT_EQ(texts.front().x, 105);
}

TEST_F(GuiTextBoxTest, AFramelessBoxDrawsNoFrameAndNeverScrolls) {
    fill(20);
    bench.lua("gui_setAttribute('t', 'style', 'simGuiTextBoxStyle_noFrame')");
    bench.click(150, 150);
    bench.wheel(true);
    bench.click(292, 192);
    EXPECT_EQ(box()->getScrollOffset(), 0);
    bench.render();
    EXPECT_TRUE(bench.canvas.of(DrawCall::Kind::rects).empty());
}

TEST_F(GuiTextBoxTest, AThumbWithNoTrackIsNotDragged) {
    // 32 pixels tall: the arrows fill it and the thumb has no track.
    bench.lua("createGuiTextBox('t', 100, 100, 200, 32, '', 'left', '')");
    for (int i = 0; i < 10; ++i) bench.lua("simGuiTextBox_addLine('t', 'line', '')");
    bench.render();
    bench.click(150, 110);
    bench.wheel(true);
    bench.wheel(true);
    const int32_t before = box()->getScrollOffset();
    // The thumb (32 pixels, from y 84 to 116) is pressed above the up arrow,
    // so that the drag is the thumb's alone.
    bench.drag(292, 95, 292, 300);
    EXPECT_EQ(box()->getScrollOffset(), before);
}

// Through the engine's own canvas, the clip is the device's scissor
// rectangle, switched on for the lines and off again before the scroll bar.
TEST_F(GuiTextBoxTest, TheEnginesCanvasClipsWithTheDevicesScissorRectangle) {
    fill(20);
    simGuiCanvas::install(nullptr);
    bench.rig.renderer().beginScene(true, true, true);
    bench.rig.recorder->clear();
    bench.manager->render();
    bench.rig.renderer().endSceneWithoutPresent();
    simGuiCanvas::install(&bench.canvas);
    std::vector<std::string> scissor;
    for (const gfx::Recorder::Call& call : bench.rig.recorder->calls())
        if (call.name == "SetScissorRect" || (call.name == "SetRenderState" && call.args[0] == gfx::D3DRS_SCISSORTESTENABLE))
            scissor.push_back(call.text());
    EXPECT_EQ(scissor, (std::vector<std::string>{"SetScissorRect(102,102,298,198)", "SetRenderState(174,1)",
                                                 "SetRenderState(174,0)"}));
    EXPECT_EQ(bench.rig.device().state().renderStates[gfx::D3DRS_SCISSORTESTENABLE], 0u);
}
