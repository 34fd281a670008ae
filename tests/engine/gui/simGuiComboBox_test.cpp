// Combo boxes through the real mouse: opening, choosing with one report per
// change, closing by a click elsewhere that no element behind gets, an empty
// list, a list opening upward near the bottom, ten rows with a scroll bar
// and the wheel, a thumb drag that leaves the list open, and the disabled look.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/gui/simGuiComboBox.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;
using guitest::DrawCall;

namespace {

// The box at (100, 100), 150 x 26; the open list's rows from 142, 30 apart.
class GuiComboBoxTest : public ::testing::Test {
protected:
    GuiComboBoxTest() {
        bench.recordCalls();
        bench.lua("function changed(name) record(name, gui_getText(name)) end "
                  "createGuiComboBox('c', 100, 100, 150, 26, '', '', '', 'changed')");
        bench.update();
    }
    void addRows(int count) {
        for (int i = 0; i < count; ++i) bench.lua("gui_setText('c', 'row " + std::to_string(i) + "')");
        bench.render();
    }
    simGuiComboBox* combo() { return bench.find<simGuiComboBox>("c"); }
    void clickAndRender(int32_t x, int32_t y) {
        bench.click(x, y);
        bench.update();  // raises and clears the frame's drag flags
        bench.render();
    }
    static int32_t rowY(int row) { return 157 + 30 * row; }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiComboBoxTest, ClicksOpenChooseAndClose) {
    addRows(3);
    bench.lua("createGuiCheckBox('behind', 490, 490, 22, 22, '', '')");
    bench.update();
    struct Step {
        const char* what;
        std::function<void()> act;
        bool open;
        const char* text;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {"a click on the box opens", [&] { clickAndRender(150, 110); }, true, "row 0", {}},
        {"a click on a row chooses it", [&] { clickAndRender(150, rowY(1)); }, false, "row 1", {"c row 1"}},
        {"open again", [&] { clickAndRender(150, 110); }, true, "row 1", {}},
        {"the chosen row again reports nothing", [&] { clickAndRender(150, rowY(1)); }, false, "row 1", {}},
        {"open once more", [&] { clickAndRender(150, 110); }, true, "row 1", {}},
        {"a click elsewhere closes", [&] { clickAndRender(500, 500); }, false, "row 1", {}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(combo()->isOpen(), step.open) << step.what;
        EXPECT_EQ(bench.luaValue("gui_getText('c')"), step.text) << step.what;
        EXPECT_EQ(bench.takeCalls(), step.calls) << step.what;
    }
    EXPECT_EQ(combo()->getPreviousChoice(), 0);
    EXPECT_EQ(bench.luaValue("gui_getData('behind')"), "0") << "the closing click was consumed";
}

TEST_F(GuiComboBoxTest, AnEmptyListOpensOneRowHighAndChoosesNothing) {
    bench.render();
    clickAndRender(150, 110);
    ASSERT_TRUE(combo()->isOpen());
    EXPECT_EQ(combo()->getShownRows(), 0);
    // The list's frame: from the box's bottom, one row high.
    const std::vector<DrawCall> rects = bench.canvas.of(DrawCall::Kind::rects);
    ASSERT_FALSE(rects.empty());
    float bottom = 0;
    for (const simScreenRect& piece : rects[0].pieces) bottom = std::max(bottom, piece.y2);
    EXPECT_EQ(bottom, 126 + 30);
    clickAndRender(150, 140);
    EXPECT_FALSE(combo()->isOpen());
    EXPECT_EQ(bench.luaValue("gui_getText('c')"), "");
    EXPECT_TRUE(bench.takeCalls().empty());
}

TEST_F(GuiComboBoxTest, AListWithoutRoomBelowOpensUpward) {
    bench.lua("createGuiComboBox('low', 100, 560, 150, 26, '', '', '', '') "
              "gui_setText('low', 'a') gui_setText('low', 'b') gui_setText('low', 'c')");
    bench.render();
    clickAndRender(150, 570);
    auto* low = bench.find<simGuiComboBox>("low");
    ASSERT_TRUE(low->isOpen());
    EXPECT_TRUE(low->opensUpward());
    EXPECT_EQ(low->getListTop(), 560 + 13 - 90 - 45);
}

TEST_F(GuiComboBoxTest, ElevenRowsShowTenWithAScrollBar) {
    addRows(11);
    clickAndRender(150, 110);
    EXPECT_EQ(combo()->getShownRows(), 10);
    EXPECT_TRUE(combo()->hasScrollBar());
    bench.wheel(true);  // the click gave it the focus
    bench.wheel(true);
    bench.render();
    EXPECT_EQ(combo()->getFirstRow(), 1) << "clamped to the last ten";
    EXPECT_TRUE(combo()->isOpen());
    clickAndRender(150, rowY(9));
    EXPECT_EQ(bench.luaValue("gui_getText('c')"), "row 10");
}

TEST_F(GuiComboBoxTest, ReleasingAThumbDragKeepsTheListOpen) {
    addRows(20);
    clickAndRender(150, 110);
    // The thumb of 20 rows: from 142 to 142 + 10 / 20 x 300 = 292.
    bench.drag(245, 200, 245, 260);
    bench.update();
    bench.render();
    EXPECT_TRUE(combo()->isOpen());
    EXPECT_EQ(combo()->getFirstRow(), 4);  // 20 x 60 / 300
    EXPECT_TRUE(bench.takeCalls().empty());
}

TEST_F(GuiComboBoxTest, ADisabledBoxIsDrawnFadedAndTakesNoInput) {
    addRows(2);
    bench.lua("gui_setEnabledState('c', 0)");
    clickAndRender(150, 110);
    EXPECT_FALSE(combo()->isOpen());
    EXPECT_EQ(combo()->getButtonState(), 0);
    const std::vector<DrawCall> rects = bench.canvas.of(DrawCall::Kind::rects);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(guitest::atlasPixels(rects[0].pieces[0]), (AtlasRect{320, 96, 336, 108}));
    const std::vector<DrawCall> texts = bench.canvas.of(DrawCall::Kind::text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].colour, 0x64000000u);
    EXPECT_EQ(texts[0].x, 110);
}
