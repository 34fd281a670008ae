// Radio buttons in a group through the real mouse: selection clears the
// others, the group's report comes before the button's, a selected button
// clicked again reports nothing; the group looked up by class; unlinking
// whichever side goes first; the circle, highlight, dot and caption drawn.
#include <gtest/gtest.h>

#include "engine/gui/simGuiRadioButton.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;

namespace {

class GuiRadioButtonTest : public ::testing::Test {
protected:
    GuiRadioButtonTest() {
        bench.recordCalls();
        bench.lua("function groupChanged(group, chosen) record('group', group, chosen, gui_getData('a'), "
                  "gui_getData('b'), gui_getData('c')) end "
                  "function picked(name, value) record('picked', name, value) end "
                  "createGuiRadioButtonGroup('choice', 'groupChanged')"
                  "createGuiRadioButton('a', 'choice', 100, 100, 80, 18, 'Alpha', 'picked')"
                  "createGuiRadioButton('b', 'choice', 100, 130, 80, 18, 'Beta', 'picked')"
                  "createGuiRadioButton('c', 'choice', 100, 160, 80, 18, 'Gamma', 'picked')");
    }
    void clickOn(int y) {
        bench.moveTo(110, y + 1);
        bench.moveTo(110, y + 9);
        bench.press();
        bench.release();
        bench.update();
    }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiRadioButtonTest, SelectionTable) {
    struct Step {
        int y;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {100, {"group choice a 1 0 0", "picked a 1"}},
        {130, {"group choice b 0 1 0", "picked b 1"}},
        {130, {}},  // already selected
        {160, {"group choice c 0 0 1", "picked c 1"}},
    };
    for (const Step& s : steps) {
        clickOn(s.y);
        EXPECT_EQ(bench.takeCalls(), s.calls) << s.y;
    }
    // Two set by a script stay set until another is clicked.
    bench.lua("gui_setData('a', 1)");
    EXPECT_TRUE(bench.takeCalls().empty());
    clickOn(130);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"group choice b 0 1 0", "picked b 1"}));
}

TEST_F(GuiRadioButtonTest, GroupsAreFoundByClassAndUnlinkWhenEitherSideGoes) {
    bench.lua("createGuiLabel('notAGroup', 0, 0, 10, 10, '', '', 'left')"
              "createGuiRadioButton('lone', 'notAGroup', 300, 100, 80, 18, '', 'picked')");
    EXPECT_EQ(bench.find<simGuiRadioButton>("lone")->getGroup(), nullptr);
    auto* group = bench.find<simGuiRadioButtonGroup>("choice");
    ASSERT_EQ(group->getMembers().size(), 3u);
    bench.lua("destroyGuiElement('b')");
    bench.update();
    EXPECT_EQ(group->getMembers().size(), 2u);
    bench.lua("destroyGuiElement('choice')");
    bench.update();
    EXPECT_EQ(bench.find<simGuiRadioButton>("a")->getGroup(), nullptr);
    clickOn(100);  // works alone now
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"picked a 1"}));
}

TEST_F(GuiRadioButtonTest, CircleHighlightDotAndCaption) {
    bench.lua("gui_setData('a', 1)");
    bench.moveTo(400, 400);
    bench.clock.advance(200.0);
    bench.render();
    const std::vector<guitest::DrawCall> rects = bench.canvas.of(guitest::DrawCall::Kind::rects);
    ASSERT_EQ(rects.size(), 3u);
    ASSERT_EQ(rects[0].pieces.size(), 2u);  // circle and dot; the highlight has faded
    EXPECT_EQ(guitest::atlasPixels(rects[0].pieces[0]), (AtlasRect{192, 128, 210, 146}));
    EXPECT_EQ(guitest::screenRect(rects[0].pieces[1]), (AtlasRect{106, 106, 112, 112}));
    const std::vector<guitest::DrawCall> texts = bench.canvas.of(guitest::DrawCall::Kind::text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].x, 122);
    EXPECT_EQ(texts[0].y, 102);  // 100 + 9 - 6.5, truncated
    bench.moveTo(110, 140);
    bench.clock.advance(200.0);
    bench.render();
    const std::vector<guitest::DrawCall> lit = bench.canvas.of(guitest::DrawCall::Kind::rects);
    EXPECT_EQ(guitest::atlasPixels(lit[1].pieces[1]), (AtlasRect{224, 128, 242, 146}));
}
