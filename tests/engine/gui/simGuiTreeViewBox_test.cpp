// Tree views through the real mouse and keyboard: expanding and collapsing
// by expander, double click and keys, selection by click and Up/Down with
// one report per change, single expansion, wheel scrolling within the
// content, label editing through the tree's own edit box and the script
// function it calls back, the edit box's lifetime, clipping and labels cut
// to their row.
#include <gtest/gtest.h>

#include <functional>

#include "engine/gui/simGuiEditBox.h"
#include "engine/gui/simGuiTreeViewBox.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;

namespace {

// The tree at (100, 100), 200 x 100: rows of 20 pixels from y 102; a
// top-level expander from x 104 to 124.
class GuiTreeViewTest : public ::testing::Test {
protected:
    GuiTreeViewTest() {
        bench.recordCalls();
        bench.lua("function selected(name, label) record(name, label) end "
                  "function edited(name, id, label) record('edited', name, label) end "
                  "createGuiTreeViewBox('t', 100, 100, 200, 100, '', 'selected')");
        bench.update();
    }
    simGuiTreeViewBox* tree() { return bench.find<simGuiTreeViewBox>("t"); }
    simGuiTreeViewBoxItem* add(simGuiTreeViewBoxItem* parent, const std::string& label) {
        return parent->addChild(tree()->makeItem(label, nullptr, false));
    }
    // A (A1 (A1a), A2), B
    void buildTree() {
        simGuiTreeViewBoxItem* a = add(tree()->getRoot(), "A");
        add(add(a, "A1"), "A1a");
        add(a, "A2");
        add(tree()->getRoot(), "B");
        bench.render();
    }
    // The labels drawn, top to bottom.
    std::vector<std::string> shown() {
        std::vector<std::string> labels;
        for (const DrawCall& call : bench.canvas.of(DrawCall::Kind::text)) labels.push_back(call.text);
        return labels;
    }
    static int32_t rowY(int row) { return 112 + 20 * row; }
    guitest::GuiBench bench;
};

using Labels = std::vector<std::string>;

}  // namespace

TEST_F(GuiTreeViewTest, ExpandCollapseAndSelectionSequences) {
    buildTree();
    struct Step {
        const char* what;
        std::function<void()> act;
        Labels shown;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {"expander of A collapses it with its descendants", [&] { bench.click(110, rowY(0)); }, {"A", "B"}, {"t A"}},
        {"expander again expands only the direct children", [&] { bench.click(110, rowY(0)); },
         {"A", "A1", "A2", "B"}, {"t A"}},
        {"a click on a leaf selects it", [&] { bench.advance(300); bench.click(200, rowY(2)); },
         {"A", "A1", "A2", "B"}, {"t A2"}},
        {"a single click on a label does not toggle", [&] { bench.advance(300); bench.click(200, rowY(1)); },
         {"A", "A1", "A2", "B"}, {"t A1"}},
        {"a second click within 250 ms toggles", [&] { bench.advance(100); bench.click(200, rowY(1)); },
         {"A", "A1", "A1a", "A2", "B"}, {"t A1"}},
        {"a third click is no second double click", [&] { bench.advance(100); bench.click(200, rowY(1)); },
         {"A", "A1", "A1a", "A2", "B"}, {"t A1"}},
        {"Left collapses", [&] { bench.key(37, 2); }, {"A", "A1", "A2", "B"}, {"t A1"}},
        {"a click below the items selects nothing", [&] { bench.advance(300); bench.click(200, 190); },
         {"A", "A1", "A2", "B"}, {}},
        {"Right expands", [&] { bench.key(39, 2); }, {"A", "A1", "A1a", "A2", "B"}, {"t A1"}},
    };
    for (const Step& step : steps) {
        step.act();
        bench.render();
        EXPECT_EQ(shown(), step.shown) << step.what;
        EXPECT_EQ(bench.takeCalls(), step.calls) << step.what;
    }
    EXPECT_EQ(bench.luaValue("gui_getText('t')"), "A1");
}

TEST_F(GuiTreeViewTest, UpAndDownWalkTheOpenItems) {
    buildTree();
    bench.click(200, rowY(0));
    bench.takeCalls();
    struct Step {
        uint32_t key;
        const char* selected;
        bool reported;
    };
    const Step steps[] = {{40, "A1", true},  {40, "A1a", true}, {40, "A2", true}, {40, "B", true},
                          {40, "B", false},  {38, "A2", true},  {38, "A1a", true}, {38, "A1", true},
                          {38, "A", true},   {38, "A", false}};
    for (const Step& step : steps) {
        bench.key(step.key, 1);
        bench.key(step.key, 2);
        EXPECT_EQ(bench.luaValue("gui_getText('t')"), step.selected) << step.key;
        EXPECT_EQ(bench.takeCalls().size(), step.reported ? 1u : 0u) << step.key << " " << step.selected;
    }
}

TEST_F(GuiTreeViewTest, AScriptThatRebuildsTheTreeOnASelectionLeavesNothingDangling) {
    // The change function empties the tree and fills it anew whenever "B"
    // is selected, freeing the item the key or click has just moved to.
    bench.lua("function selected(name, label) record(name, label) "
              "if label == 'B' then gui_setText('t', '') gui_setText('t', 'new A') gui_setText('t', 'new B') end end "
              "gui_setText('t', 'A') gui_setText('t', 'B') gui_setText('t', 'C')");
    struct Case {
        const char* what;
        bool labelEditing;  // a click on B would start editing its label
        std::function<void()> reachB;
    };
    const Case cases[] = {
        {"Down from A", false, [&] { bench.click(200, rowY(0)); bench.key(40, 2); }},
        {"Up from C", false, [&] { bench.click(200, rowY(2)); bench.key(38, 2); }},
        {"a click on B", true, [&] { bench.click(200, rowY(1)); }},
    };
    for (const Case& c : cases) {
        bench.lua("gui_setText('t', '') gui_setText('t', 'A') gui_setText('t', 'B') gui_setText('t', 'C')");
        tree()->setLabelEditing(c.labelEditing);
        bench.render();
        bench.advance(300);
        c.reachB();
        bench.takeCalls();
        EXPECT_EQ(bench.luaValue("gui_getText('t')"), "") << c.what << ": the selection went with its item";
        EXPECT_EQ(tree()->getEditItem(), nullptr) << c.what;
        bench.render();
        EXPECT_EQ(shown(), (Labels{"new A", "new B"})) << c.what;
        EXPECT_FALSE(tree()->getLabelEditBox()->isEnabled()) << c.what << ": no label is edited";
    }
}

TEST_F(GuiTreeViewTest, SingleExpansionClosesEveryOtherBranch) {
    simGuiTreeViewBoxItem* a = add(tree()->getRoot(), "A");
    add(a, "A1");
    simGuiTreeViewBoxItem* b = add(tree()->getRoot(), "B");
    simGuiTreeViewBoxItem* b1 = add(b, "B1");
    add(b1, "B1a");
    tree()->setSingleExpansion(true);
    b1->collapsed = true;
    bench.render();  // A A1 B B1
    tree()->expand(b1);
    bench.render();
    EXPECT_EQ(shown(), (Labels{"A", "B", "B1", "B1a"})) << "B1's own branch stays open";
    EXPECT_TRUE(a->collapsed);
}

TEST_F(GuiTreeViewTest, WheelScrollsWithinTheContent) {
    for (int i = 0; i < 10; ++i) bench.lua("gui_setText('t', 'item " + std::to_string(i) + "')");
    bench.render();  // 200 pixels of items in a box of 100
    ASSERT_TRUE(tree()->hasScrollBar());
    const float offsets[] = {32, 64, 96, 100, 68, 36, 4, 0};
    for (int i = 0; i < 8; ++i) {
        bench.wheel(i < 4);  // a new tree view has the focus
        EXPECT_EQ(tree()->getScrollOffset(), offsets[i]) << i;
    }
    bench.wheel(true);
    const std::vector<DrawCall>& calls = bench.render();
    ASSERT_EQ(bench.canvas.of(DrawCall::Kind::clip).size(), 2u);
    const DrawCall clip = bench.canvas.of(DrawCall::Kind::clip)[0];
    EXPECT_EQ(clip.y, 102);
    EXPECT_EQ(clip.height, 96);
    // Items partly in view are drawn (the clip cuts them): item 1 at 102 + 20 - 32.
    const std::vector<DrawCall> texts = bench.canvas.of(DrawCall::Kind::text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().text, "item 1");
    EXPECT_EQ(texts.back().text, "item 6");
    EXPECT_FALSE(calls.empty());
}

TEST_F(GuiTreeViewTest, LabelsAreEditedInPlaceAndReported) {
    buildTree();
    tree()->setLabelEditing(true);
    tree()->setLabelEditedFunction("edited");
    bench.click(200, rowY(0));
    bench.render();
    simGuiEditBox* box = tree()->getLabelEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->getName(), "t_editBox");
    EXPECT_EQ(box->getState(), simGuiEditBox::editing);
    EXPECT_EQ(box->getEditBuffer(), "A");
    EXPECT_EQ(bench.manager->editElement, box);
    EXPECT_EQ(box->getX(), int32_t(tree()->getRoot()->getChild(0)->labelRect[0]));
    EXPECT_FALSE(box->isVisible()) << "shown only while the tree draws it";
    bench.advance(200);  // the box settles
    bench.character('Z');
    bench.key(13, 1);
    bench.key(13, 2);
    EXPECT_EQ(tree()->getRoot()->getChild(0)->label, "Z");
    EXPECT_EQ(tree()->getEditItem(), nullptr);
    std::vector<std::string> calls = bench.takeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "edited t Z");
    bench.render();
    EXPECT_FALSE(box->isEnabled());

    // A click on another item while editing commits to the item edited.
    bench.advance(300);
    bench.click(200, rowY(3));  // A2
    bench.render();
    bench.advance(200);
    bench.character('Q');
    bench.advance(300);
    bench.click(200, rowY(4));  // B
    EXPECT_EQ(tree()->getRoot()->getChild(0)->getChild(1)->label, "Q");
    EXPECT_EQ(tree()->getRoot()->getChild(1)->label, "B");
    EXPECT_EQ(tree()->getEditItem(), tree()->getRoot()->getChild(1));
}

TEST_F(GuiTreeViewTest, TheLabelEditBoxGoesWithTheTree) {
    EXPECT_EQ(bench.luaValue("gui_exists('t_editBox')"), "1");
    bench.lua("destroyGuiElement('t')");
    bench.update();
    EXPECT_EQ(bench.luaValue("gui_exists('t_editBox')"), "0");
    EXPECT_EQ(bench.manager->elementCount(), 0);

    // Its box destroyed first by a script: the tree lives on without it.
    bench.lua("createGuiTreeViewBox('u', 0, 0, 100, 100, '', '') destroyGuiElement('u_editBox')");
    bench.update();
    auto* other = bench.find<simGuiTreeViewBox>("u");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->getLabelEditBox(), nullptr);
    other->setLabelEditing(true);
    bench.lua("gui_setText('u', 'x')");
    bench.click(50, 12);
    bench.render();
    bench.lua("destroyGuiElement('u')");
    bench.update();
}

TEST_F(GuiTreeViewTest, EmptyTextRemovesEveryItemAndTheSelection) {
    buildTree();
    bench.click(200, rowY(1));
    bench.lua("gui_setText('t', '')");
    EXPECT_EQ(bench.luaValue("gui_getText('t')"), "");
    EXPECT_TRUE(tree()->getRoot()->getChildren().empty());
    bench.moveTo(200, rowY(0));
    bench.key(40, 2);
    bench.render();
    EXPECT_TRUE(shown().empty());
}

TEST_F(GuiTreeViewTest, LongLabelsAreCutToTheirRow) {
    // Room for a top-level leaf: 200 - (2 + 7) = 191 pixels, 27 characters.
    bench.lua("gui_setText('t', '" + std::string(40, 'x') + "')");
    bench.render();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], std::string(27, 'x'));
}
