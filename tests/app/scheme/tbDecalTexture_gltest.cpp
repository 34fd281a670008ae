// A decal brushes with its own file's picture: a model texture of the same
// file name (loaded for the open project) is neither taken for it nor taken
// over by it, and the decal's texture outlives the project.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/scheme/bars/CDlgBrushShapePickerModel.h"
#include "app/scheme/bars/tbDecalTexture.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "platform/gfx/device.h"
#include "tests/app/scheme/schemeOnGl.h"
#include "tests/support/imageSamples.h"

namespace {

constexpr uint32_t kModelColour = 0xFF2040C0u, kDecalColour = 0xFFE03010u;

// The texel at (0, 0) of a texture's top level.
uint32_t firstTexel(const simTexture& texture) {
    gfx::Device* device = g_graphics->getRenderer()->getDevice();
    gfx::D3DLOCKED_RECT locked{};
    if (gfx::FAILED(device->LockRect(texture.getTexture(), 0, &locked, nullptr, gfx::D3DLOCK_READONLY))) return 0;
    const uint32_t texel = *static_cast<const uint32_t*>(locked.pBits);
    device->UnlockRect(texture.getTexture(), 0);
    return texel | 0xFF000000u;
}

class DecalTexture : public test::SchemeOnGl {};

TEST_F(DecalTexture, ADecalIsItsOwnFile) {
    res->writeTexture("objects/aircraft/planes/star/star.bmp", kModelColour);
    g_resources->setCollection("currentProject");
    ASSERT_TRUE(g_resources->findResource(nullptr, "objects", "star.bmp", "noCompression | noMipmaps", false, true,
                                          simRootKind_resources));
    g_resources->setCollection("");
    auto* model = dynamic_cast<simTexture*>(simResources::getResource("star.bmp", false));
    ASSERT_NE(model, nullptr);

    const std::string path =
        res->write("tolvaneBuilder/decals/star.bmp", imagesamples::bmp24(imagesamples::solid(4, 4, kDecalColour)));
    const bars::DecalRow star{"star", -1, path, simRootKind_resources, "tolvaneBuilder/decals", "star.bmp"};
    simTexture* decal = bars::tbDecalTexture(star);
    ASSERT_NE(decal, nullptr);
    EXPECT_NE(decal, model);
    EXPECT_EQ(firstTexel(*decal), kDecalColour);
    // The model's look-up still finds the model's texture.
    EXPECT_EQ(simResources::getResource("star.bmp", false), model);

    // The project closes: its textures go, the decal stays and is made once.
    g_resources->destroyCollection("currentProject");
    rig->engine.app().purgeSafeDeleteObjects(true);
    EXPECT_EQ(bars::tbDecalTexture(star), decal);
    EXPECT_EQ(firstTexel(*decal), kDecalColour);

    // The plain brush and an unreadable file have none.
    EXPECT_EQ(bars::tbDecalTexture({"Brush", -1, "/r/brush.bmp", 0, "", "Brush"}), nullptr);
    const std::string broken = res->write("tolvaneBuilder/decals/broken.bmp", {'B', 'M', 1, 2});
    EXPECT_EQ(bars::tbDecalTexture({"broken", -1, broken, simRootKind_resources, "tolvaneBuilder/decals",
                                    "broken.bmp"}),
              nullptr);
}

}  // namespace
