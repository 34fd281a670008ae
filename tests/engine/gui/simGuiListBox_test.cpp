// List boxes through the real mouse and keyboard: picking by click and keys
// with one report per pick, separators, drags that are not clicks, scrolling
// by wheel, arrows, page clicks and the thumb with the render's clamp, the
// scroll bar's appearance, clipping, and a list that cannot be picked.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/gui/simGuiListBox.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;

namespace {

// The list at (100, 100), 200 x 100: five rows of 20 pixels in view, row i
// (counted from the top of the view) from 105 + 20 i.
class GuiListBoxTest : public ::testing::Test {
protected:
    GuiListBoxTest() {
        bench.recordCalls();
        bench.lua("function picked(name, text) record(name, text) end "
                  "createGuiListBox('l', 100, 100, 200, 100, '', 'picked')");
        bench.update();
    }
    void addRows(int count) {
        for (int i = 0; i < count; ++i) bench.lua("gui_setText('l', 'r" + std::to_string(i) + "')");
        bench.render();
    }
    simGuiListBox* list() { return bench.find<simGuiListBox>("l"); }
    // The middle of the row in view at position i.
    static int32_t rowY(int i) { return 115 + 20 * i; }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiListBoxTest, ClicksAndKeysPickRowsAndReportEachPick) {
    addRows(3);
    bench.lua("gui_setText('l', '') gui_setText('l', 'after')");  // a separator at 3
    bench.render();
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* text;  // gui_getText afterwards
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {"click row 1", [&] { bench.click(150, rowY(1)); }, "r1", {"l r1"}},
        {"click it again", [&] { bench.click(150, rowY(1)); }, "r1", {"l r1"}},
        {"press without release", [&] { bench.moveTo(150, rowY(2)); bench.press(); }, "r1", {}},
        {"release", [&] { bench.release(); }, "r2", {"l r2"}},
        {"click the separator", [&] { bench.click(150, rowY(3)); }, "r2", {}},
        {"a drag's own release picks", [&] { bench.drag(150, rowY(0), 150, rowY(4)); }, "after", {"l after"}},
        {"a click later in the frame of a drag", [&] { bench.click(150, rowY(1)); }, "after", {}},
        {"Up onto the separator", [&] { bench.update(); bench.key(38, 2); }, "", {"l "}},
        {"Up", [&] { bench.key(38, 2); }, "r2", {"l r2"}},
        {"Down", [&] { bench.key(40, 2); }, "", {"l "}},
        {"Down again", [&] { bench.key(40, 2); }, "after", {"l after"}},
        {"Down on the last row", [&] { bench.key(40, 2); }, "after", {}},
        {"Up pressed only", [&] { bench.key(38, 1); }, "after", {}},
        {"script's own pick reports nothing", [&] { bench.lua("gui_setData('l', 0)"); }, "r0", {}},
        {"Up on the first row", [&] { bench.key(38, 2); }, "r0", {}},
        {"click beside the rows", [&] { bench.click(290, rowY(1)); }, "r0", {}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(bench.luaValue("gui_getText('l')"), step.text) << step.what;
        EXPECT_EQ(bench.takeCalls(), step.calls) << step.what;
    }
}

TEST_F(GuiListBoxTest, ScrollingIsClampedByTheRender) {
    addRows(12);  // 12 rows, 5 in view: first row 0..7
    ASSERT_TRUE(list()->hasScrollBar());
    struct Step {
        const char* what;
        std::function<void()> act;
        int32_t firstRow;
    };
    const Step steps[] = {
        {"wheel: the new list has the focus", [&] { bench.wheel(true); }, 1},
        {"wheel away past the top", [&] { bench.wheel(false); bench.wheel(false); }, 0},
        {"down arrow pressed", [&] { bench.moveTo(292, 192); bench.press(); }, 0},
        {"down arrow released", [&] { bench.release(); }, 1},
        {"page down under the thumb", [&] { bench.click(292, 170); }, 4},
        {"page down again, past the end", [&] { bench.click(292, 180); }, 7},
        {"page up over the thumb", [&] { bench.click(292, 120); }, 4},
        {"wheel far past the end", [&] { for (int i = 0; i < 20; ++i) bench.wheel(true); }, 7},
        {"up arrow", [&] { bench.click(292, 108); }, 6},
    };
    for (const Step& step : steps) {
        step.act();
        bench.render();
        EXPECT_EQ(list()->getFirstRow(), step.firstRow) << step.what;
    }
    // The thumb of 12 rows at row 6 is hit from 100 + 16 + 68 x 6 / 12 = 150
    // to 100 + 32 + 68 x 9 / 12 = 183; it moves a row every 36 / 12 pixels.
    bench.drag(292, 160, 292, 151, 1);
    bench.render();
    EXPECT_EQ(list()->getFirstRow(), 3);
    EXPECT_TRUE(bench.takeCalls().empty()) << "scrolling picks nothing";
}

TEST_F(GuiListBoxTest, TheScrollBarAppearsWithOneRowMoreThanFitsAndNarrowsTheHighlight) {
    addRows(5);
    EXPECT_FALSE(list()->hasScrollBar());
    bench.click(150, rowY(0));
    bench.render();
    const auto highlightRight = [&] {
        // The highlight frame is the first rects draw after the list's frame.
        const std::vector<DrawCall> rects = bench.canvas.of(DrawCall::Kind::rects);
        float right = 0.0f;
        if (rects.size() > 1)
            for (const simScreenRect& piece : rects[1].pieces) right = std::max(right, piece.x2);
        return right;
    };
    EXPECT_EQ(highlightRight(), 298.0f);
    bench.lua("gui_setText('l', 'r5')");
    bench.render();
    EXPECT_TRUE(list()->hasScrollBar());
    EXPECT_EQ(highlightRight(), 266.0f);
}

TEST_F(GuiListBoxTest, RowsAreClippedInsideTheFrame) {
    addRows(8);
    const std::vector<DrawCall>& calls = bench.render();
    std::vector<size_t> clips, texts;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == DrawCall::Kind::clip) clips.push_back(i);
        if (calls[i].kind == DrawCall::Kind::text) texts.push_back(i);
    }
    ASSERT_EQ(clips.size(), 2u);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(calls[clips[0]].x, 102);
    EXPECT_EQ(calls[clips[0]].height, 96);
    EXPECT_LT(clips[0], texts.front());
    EXPECT_GT(clips[1], texts.back());
    EXPECT_EQ(calls[clips[1]].width, 0) << "the clip is cleared";
    EXPECT_EQ(calls[texts[0]].y, 108);  // 105 + 10 - 6.5, truncated
}

TEST_F(GuiListBoxTest, AnUnselectableListScrollsButPicksNothing) {
    addRows(8);
    bench.lua("gui_setAttribute('l', 'selectable', '0')");
    bench.click(150, rowY(1));
    bench.key(40, 2);
    bench.wheel(true);
    EXPECT_EQ(list()->getHoverRow(), -1);
    EXPECT_EQ(bench.luaValue("gui_getData('l')"), "0");
    EXPECT_EQ(list()->getFirstRow(), 1);
    EXPECT_TRUE(bench.takeCalls().empty());
}

TEST_F(GuiListBoxTest, AnEmptyListDrawsItsFrameOnlyAndPicksNothing) {
    bench.render();
    bench.click(150, rowY(0));
    bench.key(40, 2);
    bench.key(38, 2);
    EXPECT_EQ(bench.luaValue("gui_getText('l')"), "");
    EXPECT_TRUE(bench.takeCalls().empty());
    bench.render();
    EXPECT_EQ(bench.canvas.of(DrawCall::Kind::rects).size(), 1u);
    EXPECT_TRUE(bench.canvas.of(DrawCall::Kind::text).empty());
    bench.lua("gui_setText('l', '#CLEAR')");
}

TEST_F(GuiListBoxTest, AThumbWithNoTrackIsNotDragged) {
    bench.lua("createGuiListBox('short', 400, 100, 100, 64, '', '')");
    for (int i = 0; i < 9; ++i) bench.lua("gui_setText('short', 'x')");
    bench.render();
    auto* shortList = bench.find<simGuiListBox>("short");
    ASSERT_TRUE(shortList->hasScrollBar());
    const int32_t before = shortList->getFirstRow();
    bench.drag(492, 135, 492, 160);
    bench.render();
    EXPECT_EQ(shortList->getFirstRow(), before);
}
