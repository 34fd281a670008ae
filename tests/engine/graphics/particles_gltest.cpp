// Particles drawn on the OpenGL device through the program's own particle
// effect: the shared buffer's corner data and the per-frame values reach
// the screen as a camera-facing square in the key frame's colour.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "engine/core/simResources.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simParticle.h"
#include "engine/graphics/simParticleSystem.h"
#include "engine/graphics/simParticleType.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "tests/support/graphicsOnGl.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"

using namespace gfx;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 48;

class GlParticles : public testsupport::GraphicsOnGl {
protected:
    GlParticles() : GraphicsOnGl(kWidth, kHeight) {}
    static void SetUpTestSuite() { simGraphics::setSceneFactory(simScene::create); }
    static void TearDownTestSuite() {
        simGraphics::setSceneFactory(nullptr);
        simScene::setParticleSystemHooks({});
        simScene::setParticlePass(nullptr);
    }
    void SetUp() override {
        simLinkParticleSystem(systemLinks());
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_NE(simEffectsHeader::current(), nullptr);
        resources = std::make_unique<simResources>();
        simTexture::registerLoaders(*resources);
        simShaderEffect::registerLoader();
        simParticleType::registerLoader();
    }
    void TearDown() override {
        resources.reset();
        GraphicsOnGl::TearDown();
    }

    bool load(const std::string& path, const std::string& options = "") {
        return resources->loadUnknownResource(nullptr, path, options);
    }
    uint32_t pixel(uint32_t x, uint32_t y) {
        D3DLOCKED_RECT locked;
        const RECT r{int32_t(x), int32_t(y), int32_t(x + 1), int32_t(y + 1)};
        if (rig->device().LockRect(rig->renderer().getBackBuffer(), &locked, &r, D3DLOCK_READONLY) != D3D_OK) return 0;
        uint32_t value;
        std::memcpy(&value, locked.pBits, 4);
        rig->device().UnlockRect(rig->renderer().getBackBuffer());
        return value & 0xFFFFFFu;
    }

    std::unique_ptr<simResources> resources;
    testsupport::TempFolder folder;
};

TEST_F(GlParticles, AStandardParticleIsASquareInItsFrameColour) {
    const auto white = imagesamples::bmp24(imagesamples::solid(4, 4, 0xFFFFFFFFu));
    folder.write("white.bmp", std::string(white.begin(), white.end()));
    // Colours past the range stay at 255 or 0 whatever the jitter.
    folder.write("red.prt", "TEXTURE white.bmp ADDFRAME 1 8 300 300 -40 -40 <END_OF_FILE>");
    ASSERT_TRUE(load(folder.file("white.bmp")));
    ASSERT_TRUE(load(std::string(TOLVANE_SOURCE_DIR) + "/resources/effects/standardParticle.fx",
                     "tech_standardParticle"));
    ASSERT_TRUE(load(folder.file("red.prt")));
    auto* type = dynamic_cast<simParticleType*>(simResources::getResource("red.prt", false));
    ASSERT_NE(type, nullptr);
    ASSERT_EQ(type->textures.size(), 1u);
    ASSERT_NE(createParticle(type, d3dx::Vector3(0, 0, 0.5f), d3dx::Vector3(0, 0, 0)), nullptr);

    // World x -32..32 covers the 64 pixels; the square reaches 8 units out.
    d3dx::Matrix projection;
    d3dx::MatrixOrthoLH(&projection, float(kWidth), float(kHeight), 0.0f, 1.0f);
    rig->renderer().setTransform(0, &projection);
    rig->renderer().setTransform(2, nullptr);
    rig->state().setState(simRenderState_clearColour, 0xFF000000u);
    rig->renderer().beginScene(true, true, true);
    simEffectsHeader::current()->renderParticleTypes();
    rig->renderer().endSceneWithoutPresent();

    EXPECT_EQ(pixel(32, 24), 0xFF0000u);
    EXPECT_EQ(pixel(25, 17), 0xFF0000u);
    EXPECT_EQ(pixel(38, 30), 0xFF0000u);
    EXPECT_EQ(pixel(22, 24), 0u);
    EXPECT_EQ(pixel(42, 24), 0u);
    EXPECT_EQ(pixel(32, 14), 0u);
}

}  // namespace
