// A few widgets (frames, labels, progress bars, an image, a button, a check box, radio buttons, a slider, an edit box) made by a script and drawn through the engine's real
// renderer on OpenGL, with the generated theme atlas and a real font, in the
// GUI pass's own states: compared with a golden picture, and probed where
// the atlas must show (point-sampled frame rim, the progress fill's colour,
// alpha-blended text).
//
// The picture drawn is kept as gui_widgets.png in the test's working folder
// (build/bin/artefacts). With TOLVANE_UPDATE_GOLDEN=1 the golden picture is
// written instead of compared; look at it before committing it.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/simGlobals.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphicsLinks.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiElementManager.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/eglContext.h"
#include "tests/support/recordingGraphics.h"

namespace {

constexpr uint32_t kWidth = 320, kHeight = 200;
const std::string kGolden = std::string(TOLVANE_SOURCE_DIR) + "/tests/engine/gui/golden/gui_widgets.png";

d3dx::Image toImage(const std::vector<uint32_t>& pixels) {
    d3dx::Image image;
    image.format = d3dx::Format::A8R8G8B8;
    image.width = kWidth;
    image.height = kHeight;
    image.mipLevels = 1;
    image.surfaces.resize(1);
    image.surfaces[0].width = kWidth;
    image.surfaces[0].height = kHeight;
    image.surfaces[0].bytes.resize(pixels.size() * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        for (int c = 0; c < 4; ++c) image.surfaces[0].bytes[i * 4 + c] = uint8_t(pixels[i] >> (8 * c));
    return image;
}

uint32_t channel(uint32_t pixel, int c) { return (pixel >> (8 * c)) & 0xFF; }

// Every colour channel within 2 of the expected RGB.
bool near(uint32_t pixel, uint32_t rgb) {
    for (int c = 0; c < 3; ++c)
        if (std::abs(static_cast<int>(channel(pixel, c)) - static_cast<int>(channel(rgb, c))) > 2) return false;
    return true;
}

class GuiWidgetsGl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.valid()) << context.error();
        rig = std::make_unique<testsupport::RecordingGraphics>(testsupport::RecordingGraphicsSettings{
            .width = float(kWidth), .height = float(kHeight), .onGl = true});
        ASSERT_TRUE(rig->complete()) << rig->engine.log();
        simLinkGraphicsSystem(systemLinks());  // the GUI pass's render states
        manager = new simGuiElementManager();
        font = std::make_unique<simFont>(nullptr, "guiFont", "Arial", 10.0f, false, false);
        theme = std::make_unique<simTexture>(
            nullptr, std::string(TOLVANE_SOURCE_DIR) + "/resources/tolvaneBuilder/textures/guiTheme.png", "noMipmaps");
        ASSERT_TRUE(static_cast<bool>(theme->getTexture())) << rig->engine.log();
        manager->fonts[0] = font.get();
        manager->themeTexture = theme.get();
    }
    void TearDown() override {
        delete g_guiElementManager;
        if (rig) rig->engine.app().purgeSafeDeleteObjects(false);
        theme.reset();
        font.reset();
        rig.reset();
    }

    std::vector<uint32_t> render() {
        rig->state().setState(simRenderState_clearColour, 0xFF506070u);
        rig->renderer().beginScene(true, true, true);
        manager->render();
        rig->renderer().endSceneWithoutPresent();
        return rig->backBufferPixels();
    }

    void lua(const std::string& chunk) {
        lua_State* state = g_scriptManager->getState();
        ASSERT_EQ(luaL_dostring(state, chunk.c_str()), 0) << lua_tostring(state, -1);
        lua_settop(state, 0);
    }

    gfx::EglContext context;
    std::unique_ptr<testsupport::RecordingGraphics> rig;
    simGuiElementManager* manager = nullptr;
    std::unique_ptr<simFont> font;
    std::unique_ptr<simTexture> theme;
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

    std::filesystem::create_directories("artefacts");
    ASSERT_TRUE(d3dx::SaveImageToFile("artefacts/gui_widgets.png", d3dx::ImageFileFormat::Png, toImage(pixels)).ok());

    // Probes: the clear colour outside the dialog, the rim, the panel, the
    // progress fill (blue) and the swatch in its own colour.
    EXPECT_TRUE(near(pixels[5 * kWidth + 5], 0x506070u));
    EXPECT_TRUE(near(pixels[100 * kWidth + 232], 0xECEFF3u));  // the panel between the well and the bar
    const uint32_t fill = pixels[90 * kWidth + 60];
    EXPECT_GT(channel(fill, 0), 180u);  // blue
    EXPECT_LT(channel(fill, 2), 120u);  // little red
    const uint32_t swatch = pixels[172 * kWidth + 60];
    EXPECT_TRUE(near(swatch, 0xDC7828u));

    if (std::getenv("TOLVANE_UPDATE_GOLDEN")) {
        ASSERT_TRUE(d3dx::SaveImageToFile(kGolden, d3dx::ImageFileFormat::Png, toImage(pixels)).ok());
        GTEST_SKIP() << "golden picture written: " << kGolden;
    }
    d3dx::ImageLoadDesc desc;
    desc.format = d3dx::Format::A8R8G8B8;
    desc.mipLevels = 1;
    d3dx::Image golden;
    ASSERT_TRUE(d3dx::LoadImageFromFile(kGolden, desc, &golden).ok()) << kGolden;
    ASSERT_EQ(golden.width, kWidth);
    ASSERT_EQ(golden.height, kHeight);
    // Text rasterisation may differ by a little between FreeType builds.
    size_t different = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            const int want = golden.surfaces[0].bytes[i * 4 + c];
            const int got = static_cast<int>(channel(pixels[i], c));
            if (std::abs(want - got) > 8) {
                ++different;
                break;
            }
        }
    }
    EXPECT_LE(different, pixels.size() / 200) << "see artefacts/gui_widgets.png";
}
