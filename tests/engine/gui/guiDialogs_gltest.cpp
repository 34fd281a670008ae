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
    // The clear colour outside, the dialog's title band (blue over green).
    EXPECT_TRUE(near(at(4, 4), 0x506070u));
    EXPECT_GT(channel(at(60, 44), 0), channel(at(60, 44), 1));
    // The exit button's face inside its hover rectangle, at the dialog's
    // right edge: x 8 + 170 - 64 + 16 .. + 48, y 34 - 10 + 12 .. + 32.
    EXPECT_TRUE(near(at(8 + 170 - 64 + 20, 34 - 10 + 14), 0x6886B3u) || channel(at(134, 38), 0) > 120u);
    // The message box's button is centred in the view: its frame is at the
    // same distance either side of x 260.
    const uint32_t buttonRow = 95 + 67 + 12;
    EXPECT_FALSE(near(at(260, buttonRow), 0xECEFF3u) && near(at(260, buttonRow), 0x506070u));
    EXPECT_EQ(near(at(260 - 39, buttonRow), 0xECEFF3u), near(at(260 + 39, buttonRow), 0xECEFF3u));

    expectMatchesGolden(pixels, "gui_dialogs.png");
}
