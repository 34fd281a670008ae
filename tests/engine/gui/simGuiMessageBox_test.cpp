// Message boxes: a centred dialog whose message and button are centred on
// the box's middle (x + width / 2, wherever x is), the button a fixed height
// and sized around its caption, both children of the box whatever the
// current dialog form; the button answers a click and Enter.
#include <gtest/gtest.h>

#include "engine/gui/simGuiButton.h"
#include "engine/gui/simGuiDialogBox.h"
#include "engine/gui/simGuiMessageBox.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;

namespace {

class GuiMessageBoxTest : public ::testing::Test {
protected:
    GuiMessageBoxTest() { bench.recordCalls(); }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiMessageBoxTest, MessageAndButtonAreCentredOnTheBox) {
    struct Case {
        int32_t x, width;
        const char* caption;
        int32_t buttonWidth;  // bench glyphs are 7 pixels
    };
    const Case cases[] = {
        {100, 300, "OK", 80},                          // narrow captions get the least width
        {400, 200, "Close", 80},                       // far from 0, where (x + width) / 2 would miss the box
        {20, 360, "Save and close the files", 168 + 40},  // padding either side of a long caption
    };
    for (const Case& c : cases) {
        bench.lua("createGuiDialogBox('other', 0, 0, 50, 50, '', 'floating', '') gui_setCurrentDialogForm('other')");
        bench.lua("createGuiMessageBox('m', " + std::to_string(c.x) + ", 100, " + std::to_string(c.width) +
                  ", 120, 'Note', 'Saved', '" + c.caption + "', '')");
        bench.update();
        auto* box = bench.find<simGuiDialogBox>("m");
        simGuiElement* label = bench.find("m_label");
        auto* button = bench.find<simGuiButton>("m_button");
        ASSERT_TRUE(box && label && button) << c.caption;
        EXPECT_EQ(label->getParentForm(), box);
        EXPECT_EQ(button->getParentForm(), box);
        EXPECT_EQ(button->getText(), c.caption);

        // Held at the centre of the 800 x 600 view with its contents.
        EXPECT_EQ(box->getX(), (800 - c.width) / 2) << c.caption;
        EXPECT_EQ(box->getY(), 240);
        const int32_t middle = box->getX() + c.width / 2;
        EXPECT_EQ(label->getX() + label->getWidth() / 2, middle) << c.caption;
        EXPECT_EQ(button->getWidth(), c.buttonWidth) << c.caption;
        EXPECT_EQ(button->getX() + button->getWidth() / 2, middle) << c.caption;
        EXPECT_EQ(button->getY(), 240 + 67);
        EXPECT_EQ(button->getHeight(), kGuiMessageBoxButtonHeight);
        // The message sits between the title strip and the button.
        EXPECT_LE(label->getY() + label->getHeight(), button->getY());

        bench.render();
        for (const DrawCall& text : bench.canvas.of(DrawCall::Kind::text)) {
            if (text.text != "Saved") continue;
            EXPECT_TRUE(text.centred);
            EXPECT_EQ(text.x, static_cast<float>(middle)) << c.caption;
            EXPECT_LT(text.y, static_cast<float>(button->getY()));
        }
        bench.lua("gui_setCurrentDialogForm('') destroyGuiElement('m') destroyGuiElement('m_label')"
                  "destroyGuiElement('m_button') destroyGuiElement('other')");
        bench.update();
    }
}

TEST_F(GuiMessageBoxTest, TheButtonAnswersAClickAndEnter) {
    bench.lua("createGuiMessageBox('m', 100, 100, 300, 120, 'Note', 'Saved', 'OK', 'record(\"ok\")')"
              "gui_setOkElement('m_button')");
    bench.advance(300.0);
    simGuiElement* button = bench.find("m_button");
    bench.click(button->getX() + 10, button->getY() + 10);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"ok"}));
    bench.key(simGuiButton::kEnter, simKeyState_pressed);
    bench.key(simGuiButton::kEnter, simKeyState_released);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"ok"}));
}
