// Dialog boxes drawn through the engine's real renderer on OpenGL with the
// generated theme atlas: a titled dialog with its divider band and its help
// and exit buttons, a panel with the short title tab, and a message box held at the
// centre of the view with its message and button centred on it. Compared
// with a golden picture and probed where the atlas pieces must show.
//
// The picture drawn is kept as artefacts/gui_dialogs.png (see guiGlBench.h).
#include "tests/engine/gui/guiGlBench.h"

using guitest::channel;
using guitest::near;

namespace {

class GuiDialogsGl : public guitest::GuiGlTest {
protected:
    GuiDialogsGl() : GuiGlTest(520, 300) {}
    void SetUp() override {
        GuiGlTest::SetUp();
        if (manager) manager->fonts[2] = font.get();  // dialog titles
    }
};

}  // namespace

TEST_F(GuiDialogsGl, DialogsAndAMessageBoxMatchTheGoldenPicture) {
    lua("createGuiDialogBox('options', 8, 34, 170, 180, 'Options', 'floating', '')"
        "gui_dialogBox_setStyle('options', 'simGuiDialogBoxStyle_divider')"
        "gui_addDialogButton('options', 'simGuiDialogBoxButton_exit', '')"
        "gui_addDialogButton('options', 'simGuiDialogBoxButton_help', 'options')"
        "gui_setCurrentDialogForm('options')"
        "createGuiLabel('options_smoke', 16, 70, 120, 20, '', 'Smoke trail', 'left')"
        "createGuiCheckBox('options_tick', 140, 70, 22, 22, '', '') gui_setData('options_tick', 1)"
        "createGuiButton('options_ok', 20, 168, 64, 26, 'OK', '')"
        "createGuiButton('options_cancel', 94, 168, 70, 26, 'Cancel', '')"
        "gui_setCurrentDialogForm('')"
        "createGuiDialogBox('panel', 352, 40, 160, 110, 'Wind', 'floating', '')"
        "gui_dialogBox_setStyle('panel', 'simGuiDialogBoxStyle_minimumTitleBar')"
        "createGuiMessageBox('note', 0, 0, 160, 110, 'Saved', 'Scheme written', 'OK', '')");
    const std::vector<uint32_t> pixels = render();

    auto at = [&](uint32_t x, uint32_t y) { return pixels[y * kWidth + x]; };
    // The clear colour outside; the dialog's title band, blue.
    EXPECT_TRUE(near(at(4, 4), 0x506070u));
    EXPECT_TRUE(near(at(100, 40), 0x6386B5u));
    // The exit button's face and its white cross, inside its hover
    // rectangle at the dialog's right edge (x 8 + 170 - 64 + 16 .. + 48,
    // y 34 - 10 + 12 .. + 32).
    EXPECT_TRUE(near(at(134, 50), 0x5776A2u));
    EXPECT_GT(channel(at(146, 46), 0), 220u);
    // The divider band, darker than the panel above it.
    EXPECT_TRUE(near(at(30, 200), 0xD3DBE0u));
    EXPECT_TRUE(near(at(30, 140), 0xECEFF4u));
    // The message box's button (80 wide) is centred on the box held at the
    // view's centre, x 180 + 160 / 2 = 260: its rims at 220 and 299.
    const uint32_t buttonRow = 95 + 67 + 12;
    EXPECT_TRUE(near(at(220, buttonRow), 0x31384Au));
    EXPECT_TRUE(near(at(299, buttonRow), 0x31384Au));
    EXPECT_TRUE(near(at(219, buttonRow), 0xECEFF4u));
    EXPECT_TRUE(near(at(300, buttonRow), 0xECEFF4u));

    expectMatchesGolden(pixels, "gui_dialogs.png");
}
