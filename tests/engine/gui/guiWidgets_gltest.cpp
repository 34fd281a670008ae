// A few widgets (frames, labels, progress bars, an image, a button, a check box, radio buttons, a slider, an edit box) made by a script and drawn through the engine's real
// renderer on OpenGL, with the generated theme atlas and a real font, in the
// GUI pass's own states: compared with a golden picture, and probed where
// the atlas must show (point-sampled frame rim, the progress fill's colour,
// alpha-blended text).
//
// The picture drawn is kept as artefacts/gui_widgets.png (see guiGlBench.h).
#include "tests/engine/gui/guiGlBench.h"

using guitest::channel;
using guitest::near;

namespace {

class GuiWidgetsGl : public guitest::GuiGlTest {
protected:
    GuiWidgetsGl() : GuiGlTest(320, 200) {}
};

}  // namespace

TEST_F(GuiWidgetsGl, ScriptMadeWidgetsMatchTheGoldenPicture) {
    lua("createGuiGroupFrame('dialog', 10, 10, 300, 180, 'simGuiFrameStyle_dialogBox')"
        "createGuiLabel('title', 10, 12, 300, 26, '', 'Tolvane widgets', 'centre')"
        "gui_setAttribute('title', 'colour', '255,255,255,255')"
        "createGuiGroupFrame('well', 24, 48, 200, 90, 'simGuiFrameStyle_widget')"
        "createGuiLabel('caption', 30, 54, 180, 20, '', 'Loading scenery', 'left')"
        "createGuiProgressBar('progress', 34, 80, 180, 20)"
        "gui_setData('progress', 0.6) gui_setAttribute('progress', 'positionMarkers', '1')"
        "createGuiProgressBar('level', 240, 48, 20, 90) gui_setData('level', 0.3)"
        "createGuiImage('swatch', 30, 168, 60, 10, '') gui_setAttribute('swatch', 'colour', '255,220,120,40')"
        "createGuiLabel('note', 100, 150, 190, 24, '', 'right aligned', 'right')"
        "createGuiGroupFrame('dark', 272, 48, 28, 90, 'simGuiFrameStyle_dark')"
        "createGuiButton('ok', 100, 148, 70, 28, 'OK', '')"
        "createGuiCheckBox('tick', 178, 151, 22, 22, '', '') gui_setData('tick', 1)"
        "createGuiRadioButtonGroup('group', '')"
        "createGuiRadioButton('r1', 'group', 36, 110, 18, 18, '', '') gui_setData('r1', 1)"
        "createGuiRadioButton('r2', 'group', 58, 110, 18, 18, '', '')"
        "createGuiSlider('slider', 96, 114, 110, 10, '') gui_setData('slider', 75)"
        "gui_setAttribute('slider', 'divisions', '5') gui_setAttribute('slider', 'showDivisions', '1')"
        "createGuiEditBox('edit', 24, 142, 70, 20, '') gui_setText('edit', 'Sparrow')");
    const std::vector<uint32_t> pixels = render();

    // Probes: the clear colour outside the dialog, the rim, the panel, the
    // progress fill (blue) and the swatch in its own colour.
    EXPECT_TRUE(near(pixels[5 * kWidth + 5], 0x506070u));
    EXPECT_TRUE(near(pixels[100 * kWidth + 232], 0xECEFF3u));  // the panel between the well and the bar
    const uint32_t fill = pixels[90 * kWidth + 60];
    EXPECT_GT(channel(fill, 0), 180u);  // blue
    EXPECT_LT(channel(fill, 2), 120u);  // little red
    const uint32_t swatch = pixels[172 * kWidth + 60];
    EXPECT_TRUE(near(swatch, 0xDC7828u));

    expectMatchesGolden(pixels, "gui_widgets.png");
}
