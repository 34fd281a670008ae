// The OpenGL bench of the GUI's golden-picture tests: the engine's real
// renderer on an EGL context with a back buffer of the fixture's size, the
// GUI pass's own states, the generated theme atlas and a real font in slot 0,
// and a comparison with a golden picture.
//
// The picture drawn is kept as artefacts/<name> in the test's working folder
// (build/bin). With TOLVANE_UPDATE_GOLDEN=1 the golden picture is written
// instead of compared; look at it before committing it.
#pragma once

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
#include "tests/support/graphicsOnGl.h"

namespace guitest {

inline uint32_t channel(uint32_t pixel, int c) { return (pixel >> (8 * c)) & 0xFF; }

// Every colour channel within 2 of the expected RGB.
inline bool near(uint32_t pixel, uint32_t rgb) {
    for (int c = 0; c < 3; ++c)
        if (std::abs(static_cast<int>(channel(pixel, c)) - static_cast<int>(channel(rgb, c))) > 2) return false;
    return true;
}

class GuiGlTest : public testsupport::GraphicsOnGl {
protected:
    GuiGlTest(uint32_t width, uint32_t height) : GraphicsOnGl(width, height), kWidth(width), kHeight(height) {}

    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
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
        GraphicsOnGl::TearDown();
    }

    // One GUI pass over the clear colour; the back buffer's pixels (ARGB).
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

    d3dx::Image toImage(const std::vector<uint32_t>& pixels) const {
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

    // Keeps the picture as artefacts/<name>, then compares it with
    // tests/engine/gui/golden/<name>: text rasterisation may differ by a
    // little between FreeType builds, so 1 pixel in 200 may be off by more
    // than 8 in a channel.
    void expectMatchesGolden(const std::vector<uint32_t>& pixels, const std::string& name) {
        const std::string golden = std::string(TOLVANE_SOURCE_DIR) + "/tests/engine/gui/golden/" + name;
        std::filesystem::create_directories("artefacts");
        ASSERT_TRUE(d3dx::SaveImageToFile("artefacts/" + name, d3dx::ImageFileFormat::Png, toImage(pixels)).ok());
        if (std::getenv("TOLVANE_UPDATE_GOLDEN")) {
            ASSERT_TRUE(d3dx::SaveImageToFile(golden, d3dx::ImageFileFormat::Png, toImage(pixels)).ok());
            GTEST_SKIP() << "golden picture written: " << golden;
        }
        d3dx::ImageLoadDesc desc;
        desc.format = d3dx::Format::A8R8G8B8;
        desc.mipLevels = 1;
        d3dx::Image expected;
        ASSERT_TRUE(d3dx::LoadImageFromFile(golden, desc, &expected).ok()) << golden;
        ASSERT_EQ(expected.width, kWidth);
        ASSERT_EQ(expected.height, kHeight);
        size_t different = 0;
        for (size_t i = 0; i < pixels.size(); ++i) {
            for (int c = 0; c < 3; ++c) {
                const int want = expected.surfaces[0].bytes[i * 4 + c];
                const int got = static_cast<int>(channel(pixels[i], c));
                if (std::abs(want - got) > 8) {
                    ++different;
                    break;
                }
            }
        }
        EXPECT_LE(different, pixels.size() / 200) << "see artefacts/" << name;
    }

    const uint32_t kWidth, kHeight;
    simGuiElementManager* manager = nullptr;
    std::unique_ptr<simFont> font;
    std::unique_ptr<simTexture> theme;
};

}  // namespace guitest
