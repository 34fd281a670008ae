// Event routing and focus through the real mouse: the frontmost element
// under a click that can take the focus gets it (edges excluded), modal
// dialogs shut out what lies behind them, the arrow keys reach the focused
// element only and none while an edit box types, and the names of fonts and
// anchors.
#include <gtest/gtest.h>

#include "engine/gui/simGuiEditBox.h"
#include "engine/gui/simGuiTreeViewBox.h"
#include "tests/engine/gui/guiTestBench.h"

namespace {

class GuiEventRoutingTest : public ::testing::Test {
protected:
    GuiEventRoutingTest() {
        // A panel with a label on it, and a second label beside the panel.
        bench.lua("createGuiGroupFrame('panel', 100, 100, 200, 200, '')"
                  "createGuiLabel('onPanel', 120, 120, 50, 20, '', 'x', 'left')"
                  "createGuiLabel('beside', 400, 100, 50, 20, '', 'y', 'left')");
    }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiEventRoutingTest, TheFrontmostElementThatCanTakeFocusGetsIt) {
    struct Case {
        const char* setup;  // Lua run first
        int x, y;
        const char* focus;  // name, or "" for no change from the previous row
    };
    const Case cases[] = {
        {"", 130, 130, "onPanel"},  // not the panel behind it
        {"", 200, 250, "panel"},
        {"", 120, 130, "panel"},  // on the label's edge: not inside it
        {"", 600, 500, "panel"},  // empty space leaves the focus
        {"gui_setVisibleState('onPanel', 0)", 130, 130, "panel"},
        {"gui_setVisibleState('onPanel', 1) gui_setEnabledState('onPanel', 0)", 130, 130, "panel"},
        {"gui_setEnabledState('onPanel', 1)", 130, 130, "onPanel"},
        {"", 410, 110, "beside"},
    };
    for (const Case& c : cases) {
        bench.lua(c.setup);
        bench.click(c.x, c.y);
        ASSERT_NE(bench.manager->focusElement, nullptr) << c.x << "," << c.y;
        EXPECT_EQ(bench.manager->focusElement->getName(), c.focus) << c.setup << " " << c.x << "," << c.y;
    }
    // Raised to the front, the panel now lies over its label.
    bench.manager->bringToFront(bench.find("panel"));
    bench.update();
    bench.click(130, 130);
    EXPECT_EQ(bench.manager->focusElement, bench.find("panel"));
}

TEST_F(GuiEventRoutingTest, AModalDialogShutsOutWhatLiesBehindIt) {
    simGuiElement* dialog = bench.find("panel");
    dialog->setModal(true);
    bench.manager->addDialog(dialog);
    bench.update();
    ASSERT_EQ(bench.manager->modalDialog, dialog);
    // "beside" was made after the dialog: it stands before it and still gets
    // events; one made before the dialog gets none.
    bench.lua("createGuiLabel('after', 400, 200, 50, 20, '', 'z', 'left')");
    bench.click(410, 110);
    EXPECT_EQ(bench.manager->focusElement, bench.find("beside"));
    bench.manager->bringToFront(dialog);
    bench.update();
    bench.click(410, 110);  // now behind the dialog
    EXPECT_EQ(bench.manager->focusElement, bench.find("beside"));
    bench.click(130, 130);  // the raised dialog lies over the label
    EXPECT_EQ(bench.manager->focusElement, dialog);
    // A modal element of another form is neither drawn nor given events.
    bench.find("beside")->setModal(true);
    size_t texts = 0;
    for (const guitest::DrawCall& call : bench.render()) texts += call.kind == guitest::DrawCall::Kind::text;
    EXPECT_EQ(texts, 2u);  // the panel's label and "after"
    dialog->setModal(false);
    bench.update();
    EXPECT_EQ(bench.manager->modalDialog, nullptr);
}

TEST(GuiNames, FontIdsAndAnchorsCompareTheWholeText) {
    EXPECT_EQ(simGuiElementManager::parseFontId("simGuiFontId_menu"), 9);
    EXPECT_EQ(simGuiElementManager::parseFontId("simGuiFontId_bold"), 1);
    EXPECT_EQ(simGuiElementManager::parseFontId(""), 0);
    EXPECT_EQ(simGuiElementManager::parseFontId("simGuiFontId_Bold"), 0);
    EXPECT_EQ(simGuiElementManager::parseAnchor("centre"), 9);
    EXPECT_EQ(simGuiElementManager::parseAnchor("Centre"), 0);
    EXPECT_EQ(simGuiElementManager::parseAnchor("bottomCentre"), 13);
    EXPECT_EQ(simGuiElementManager::parseAnchor("top "), 0);
}

TEST(GuiArrowKeys, ActOnTheFocusedElementOnlyAndNeverWhileTyping) {
    guitest::GuiBench bench;
    bench.recordCalls();
    bench.lua("function picked(name) record(name, gui_getText(name)) end "
              "createGuiListBox('list', 100, 100, 200, 100, '', 'picked')"
              "gui_setText('list', 'a') gui_setText('list', 'b') gui_setText('list', 'c') gui_setData('list', 0)"
              "createGuiTreeViewBox('tree', 350, 100, 200, 100, '', 'picked')"
              "createGuiEditBox('edit', 100, 300, 200, 26, '')");
    auto* tree = bench.find<simGuiTreeViewBox>("tree");
    simGuiTreeViewBoxItem* a = tree->getRoot()->addChild(tree->makeItem("A", nullptr, false));
    a->addChild(tree->makeItem("A1", nullptr, false));
    tree->getRoot()->addChild(tree->makeItem("B", nullptr, false));
    bench.render();
    const auto press = [&](uint32_t key) {
        bench.key(key, simKeyState_pressed);
        bench.key(key, simKeyState_released);
    };
    constexpr uint32_t kLeft = 37, kUp = 38, kDown = 40;

    // The tree is clicked: it has the focus and the list does not.
    bench.click(450, 112);
    bench.takeCalls();
    press(kDown);
    EXPECT_EQ(bench.luaValue("gui_getText('tree')"), "A1");
    EXPECT_EQ(bench.luaValue("gui_getData('list')"), "0");
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"tree A1"}));
    press(kUp);
    bench.takeCalls();

    // Typing in the edit box: the caret's keys are the box's alone.
    bench.click(200, 313);
    bench.advance(200.0);  // the box settles
    bench.character('x');
    bench.character('y');
    for (const uint32_t key : {kLeft, kUp, kDown}) press(key);
    EXPECT_EQ(bench.find<simGuiEditBox>("edit")->getCaret(), 1);
    EXPECT_TRUE(a->isExpanded()) << "Left moved the caret, it did not collapse the tree";
    EXPECT_EQ(bench.luaValue("gui_getText('tree')"), "A");
    EXPECT_EQ(bench.luaValue("gui_getData('list')"), "0");
    EXPECT_EQ(bench.takeCalls(), std::vector<std::string>{});

    // A click on the list gives it the keys.
    bench.key(13, simKeyState_released);  // the edit ends
    bench.click(150, 115);  // picks "a"
    bench.takeCalls();
    press(kDown);
    EXPECT_EQ(bench.luaValue("gui_getData('list')"), "1");
    EXPECT_EQ(bench.luaValue("gui_getText('tree')"), "A");
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"list b"}));
}
