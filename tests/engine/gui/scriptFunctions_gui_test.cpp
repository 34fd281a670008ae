// The common rules of the GUI script functions, as scripts meet them:
// getters of a name no element has give one neutral result (never nil),
// setters of such a name do nothing and raise no error, any number but 0
// counts as true, arguments are counted from the top of the stack (an extra
// leading one is ignored), rectangles are truncated toward zero, and a
// current dialog form that names nothing ends the form.
#include <gtest/gtest.h>

#include "engine/gui/simGuiGroupFrame.h"
#include "engine/gui/simGuiImage.h"
#include "tests/engine/gui/guiTestBench.h"

namespace {

class GuiScriptFunctionsTest : public ::testing::Test {
protected:
    GuiScriptFunctionsTest() { bench.lua("createGuiLabel('a', 10, 10, 50, 20, '', 'text', 'left')"); }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiScriptFunctionsTest, GettersOfAMissingNameGiveOneNeutralResult) {
    struct Case {
        const char* call;
        const char* value;  // as Lua's tostring prints it
    };
    const Case cases[] = {
        {"gui_getText('missing')", ""},
        {"gui_getData('missing')", "0"},
        {"gui_getEnabledState('missing')", "0"},
        {"gui_exists('missing')", "0"},
        {"gui_exists('a')", "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bench.luaValue(std::string("select('#', ") + c.call + ")"), "1") << c.call;
        EXPECT_EQ(bench.luaValue(c.call), c.value) << c.call;
    }
    EXPECT_EQ(bench.luaValue("type(gui_getText('missing'))"), "string");
    // Setters of a missing name are no errors and leave the stack alone.
    const int top = bench.luaStackTop();
    bench.lua("gui_setText('missing', 'x') gui_setData('missing', 1) gui_setVisibleState('missing', 0)"
              "gui_setEnabledState('missing', 0) gui_setAttribute('missing', 'colour', '1,2,3,4')"
              "gui_setTooltip('missing', 'tip', '') destroyGuiElement('missing')"
              "gui_setOkElement('missing') gui_setCancelElement('missing')");
    EXPECT_EQ(bench.luaStackTop(), top);
    EXPECT_EQ(bench.manager->okElement, nullptr);
}

TEST_F(GuiScriptFunctionsTest, AnyNumberButZeroIsTrue) {
    struct Case {
        const char* call;
        bool visible, enabled;
    };
    const Case cases[] = {
        {"gui_setVisibleState('a', 0.5)", true, true},
        {"gui_setVisibleState('a', 0)", false, true},
        {"gui_setVisibleState('a', -2) gui_setEnabledState('a', 0)", true, false},
        {"gui_setEnabledState('a', 0.001)", true, true},
    };
    for (const Case& c : cases) {
        bench.lua(c.call);
        EXPECT_EQ(bench.find("a")->isVisible(), c.visible) << c.call;
        EXPECT_EQ(bench.luaValue("gui_getEnabledState('a')"), c.enabled ? "1" : "0") << c.call;
    }
}

TEST_F(GuiScriptFunctionsTest, ArgumentsCountFromTheTopOfTheStack) {
    bench.lua("gui_setText('ignored', 'a', 'hello')");
    EXPECT_EQ(bench.luaValue("gui_getText('a')"), "hello");
    bench.lua("createGuiLabel('ignored', 'b', 20, 30, 40, 50, '', 'b text', 'left')");
    simGuiElement* b = bench.find("b");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->getX(), 20);
    EXPECT_EQ(b->getHeight(), 50);
    EXPECT_EQ(bench.luaValue("gui_getText('b')"), "b text");
}

TEST_F(GuiScriptFunctionsTest, CreationTruncatesAndPassesUnknownNamesOn) {
    bench.lua("createGuiLabel('x1', 10.9, -0.5, 20.7, 5, '', '', 'left')");
    EXPECT_EQ(bench.find("x1")->getX(), 10);
    EXPECT_EQ(bench.find("x1")->getY(), 0);
    EXPECT_EQ(bench.find("x1")->getWidth(), 20);
    bench.lua("createGuiGroupFrame('f', 0, 0, 10, 10, '') createGuiGroupFrame('g', 0, 0, 10, 10, 'simGuiFrameStyle_dark')");
    EXPECT_EQ(bench.find<simGuiGroupFrame>("f")->getFrameStyle(), 1);
    EXPECT_EQ(bench.find<simGuiGroupFrame>("g")->getFrameStyle(), 5);
    bench.lua("createGuiImage('i', 0, 0, 10, 10, 'notLoaded.png')");
    ASSERT_NE(bench.find<simGuiImage>("i"), nullptr);
    EXPECT_TRUE(bench.find<simGuiImage>("i")->getFrames().empty());
}

TEST_F(GuiScriptFunctionsTest, ACurrentFormThatNamesNothingEndsTheForm) {
    bench.lua("createGuiGroupFrame('form', 100, 100, 50, 50, '') gui_setCurrentDialogForm('form')"
              "createGuiLabel('inside', 110, 110, 5, 5, '', '', 'left')"
              "gui_setCurrentDialogForm('missing')"
              "createGuiLabel('outside', 110, 110, 5, 5, '', '', 'left')");
    EXPECT_EQ(bench.find("inside")->getParentForm(), bench.find("form"));
    EXPECT_EQ(bench.find("outside")->getParentForm(), nullptr);
    EXPECT_EQ(bench.manager->currentDialogForm, nullptr);
}
