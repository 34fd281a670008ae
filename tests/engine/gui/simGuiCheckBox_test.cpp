// Check boxes through the real mouse: every click toggles and reports once,
// a script's set-data reports nothing, a half value becomes 1, drags that end
// elsewhere still count; the box, highlight and tick pieces drawn.
#include <gtest/gtest.h>

#include "engine/gui/simGuiCheckBox.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;
using guitest::atlasPixels;

namespace {

class GuiCheckBoxTest : public ::testing::Test {
protected:
    GuiCheckBoxTest() {
        bench.recordCalls();
        bench.lua("function changed(name) record(name, gui_getData(name)) end "
                  "createGuiCheckBox('box', 100, 100, 22, 22, '', 'changed')");
        bench.update();
    }
    std::vector<AtlasRect> pieces() {
        std::vector<AtlasRect> cells;
        for (const simScreenRect& p : bench.render()[0].pieces) cells.push_back(atlasPixels(p));
        return cells;
    }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiCheckBoxTest, ClicksToggleAndReportOnceEach) {
    struct Step {
        const char* lua;   // run first
        int clicks;        // then clicks on the box
        std::vector<std::string> calls;
        const char* value;
    };
    const Step steps[] = {
        {"", 1, {"box 1"}, "1"},
        {"", 2, {"box 0", "box 1"}, "1"},
        {"gui_setData('box', 0)", 0, {}, "0"},  // a script's own change reports nothing
        {"gui_setData('box', 0.5)", 1, {"box 1"}, "1"},  // only exactly 1 toggles to 0
        {"gui_setEnabledState('box', 0)", 1, {}, "1"},
        {"gui_setEnabledState('box', 1) gui_setVisibleState('box', 0)", 1, {}, "1"},
        {"gui_setVisibleState('box', 1)", 1, {"box 0"}, "0"},
    };
    for (const Step& s : steps) {
        bench.lua(s.lua);
        for (int i = 0; i < s.clicks; ++i) {
            bench.moveTo(110, 110);  // hover follows moves
            bench.press();
            bench.release();
            bench.update();
        }
        EXPECT_EQ(bench.takeCalls(), s.calls) << s.lua;
        EXPECT_EQ(bench.luaValue("gui_getData('box')"), s.value) << s.lua;
    }
}

TEST_F(GuiCheckBoxTest, PressOutsideReleaseOnTheBoxToggles) {
    bench.moveTo(10, 10);
    bench.press();
    bench.moveTo(110, 110);
    bench.release();  // ends a drag: it still counts
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"box 1"}));
    bench.press();  // but left-button events in the rest of the frame do not
    bench.release();
    EXPECT_TRUE(bench.takeCalls().empty());
    bench.update();
    // A change function that is not a function is not run as script text.
    bench.lua("gui_setAttribute('box', 'visible', 'true')");
    bench.lua("createGuiCheckBox('other', 200, 100, 22, 22, '', 'record(\"text\")')");
    bench.moveTo(211, 110);
    bench.press();
    bench.release();
    EXPECT_TRUE(bench.takeCalls().empty());
    EXPECT_EQ(bench.luaValue("gui_getData('other')"), "1");
}

TEST_F(GuiCheckBoxTest, BoxHighlightAndTickPieces) {
    bench.moveTo(10, 10);
    bench.clock.advance(200.0);
    EXPECT_EQ(pieces(), (std::vector<AtlasRect>{{0, 128, 22, 150}}));
    bench.click(110, 110);
    bench.clock.advance(200.0);
    EXPECT_EQ(pieces(), (std::vector<AtlasRect>{{0, 128, 22, 150}, {32, 128, 54, 150}, {432, 0, 444, 12}}));
    EXPECT_EQ(guitest::screenRect(bench.render()[0].pieces[2]), (AtlasRect{105, 106, 117, 118}));
    bench.lua("gui_setEnabledState('box', 0)");
    const std::vector<simScreenRect> disabled = bench.render()[0].pieces;
    ASSERT_EQ(disabled.size(), 2u);  // no highlight, tick kept
    EXPECT_EQ(disabled[0].colour >> 24, 125u);

    // With a caption: the button frame, its highlight on while the value is 1.
    bench.lua("createGuiCheckBox('toggle', 300, 100, 80, 24, 'Snap', 'changed') gui_setData('toggle', 1)");
    bench.moveTo(10, 10);
    const std::vector<guitest::DrawCall>& calls = bench.render();
    ASSERT_EQ(calls.size(), 3u);  // the box, the toggle's pieces, its caption
    ASSERT_EQ(calls[1].pieces.size(), 18u);
    EXPECT_EQ(atlasPixels(calls[1].pieces[9]), (AtlasRect{32, 96, 44, 108}));
    EXPECT_EQ(calls[1].pieces[9].colour >> 24, 255u);
}
