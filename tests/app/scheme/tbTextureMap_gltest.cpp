// The paint texture on the OpenGL device: its three colour surfaces hold the
// model's picture after import, after a project's texture block is read, after
// a lost device, and after reverting to the restore point.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbTextureMap.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simRendererState.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"
#include "tests/app/scheme/mapSurface.h"
#include "tests/support/graphicsOnGl.h"
#include "tests/support/imageSamples.h"
#include "tests/support/modelResources.h"

using testsupport::ModelResources;

namespace {

constexpr uint32_t kWidth = 32, kHeight = 16;

// Opaque pixels as 0xFFRRGGBB, whatever the surface kept in its unused byte.
std::vector<uint32_t> opaque(const d3dx::Bitmap& b) {
    std::vector<uint32_t> out;
    for (uint32_t p : b.pixels) out.push_back(p | 0xFF000000u);
    return out;
}

class GlTextureMap : public testsupport::GraphicsOnGl {
protected:
    GlTextureMap() : GraphicsOnGl(64, 48) {}
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        res = std::make_unique<ModelResources>(rig->engine);
        picture = imagesamples::pattern(kWidth, kHeight, false);
        res->write("objects/aircraft/planes/trainer/trainer.bmp", imagesamples::bmp24(picture));
    }
    void TearDown() override {
        map.reset();
        res.reset();
        GraphicsOnGl::TearDown();
    }

    std::vector<uint32_t> pixels(gfx::SurfaceHandle surface) const {
        return testsupport::mapSurface(*map, surface).pixels;
    }
    void expectEverySurface(const d3dx::Bitmap& expected) {
        EXPECT_EQ(pixels(map->getPaintSurface()), opaque(expected));
        EXPECT_EQ(pixels(map->getDrawingSurface()), opaque(expected));
        EXPECT_EQ(pixels(map->getSnapshotSurface()), opaque(expected));
    }

    std::unique_ptr<ModelResources> res;
    std::unique_ptr<tbTextureMap> map;
    d3dx::Bitmap picture;
};

TEST_F(GlTextureMap, ImportCopiesTheModelsPictureIntoEverySurface) {
    map = std::make_unique<tbTextureMap>(nullptr);
    ASSERT_TRUE(map->import("trainer.bmp")) << rig->engine.log();
    EXPECT_EQ(map->getWidth(), kWidth);
    EXPECT_EQ(map->getHeight(), kHeight);
    expectEverySurface(picture);
    EXPECT_TRUE(map->hasRestorePoint());
}

TEST_F(GlTextureMap, APictureSurvivesALostDevice) {
    map = std::make_unique<tbTextureMap>(nullptr);
    ASSERT_TRUE(map->import("trainer.bmp"));
    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();
    rig->graphics().renderFrameDefault();
    ASSERT_TRUE(rig->state().isValid());
    ASSERT_TRUE(map->getPaintSurface());
    expectEverySurface(picture);
}

TEST_F(GlTextureMap, TheTextureBlockReopensAtItsStoredSize) {
    map = std::make_unique<tbTextureMap>(nullptr);
    ASSERT_TRUE(map->import("trainer.bmp"));
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(map->save(bmp));
    map = std::make_unique<tbTextureMap>(nullptr);
    ASSERT_TRUE(map->open(kWidth, kHeight, bmp));
    expectEverySurface(picture);

    // A picture of another size is scaled onto the stored size.
    const d3dx::Bitmap red = imagesamples::solid(4, 4, 0xFFFF0000);
    map = std::make_unique<tbTextureMap>(nullptr);
    ASSERT_TRUE(map->open(8, 8, imagesamples::bmp24(red)));
    EXPECT_EQ(map->getWidth(), 8u);
    expectEverySurface(imagesamples::solid(8, 8, 0xFFFF0000));

    // Bytes that are no picture fail.
    map = std::make_unique<tbTextureMap>(nullptr);
    EXPECT_FALSE(map->open(8, 8, std::vector<uint8_t>(40, 7)));
}

TEST_F(GlTextureMap, RevertingBringsBackTheRestorePoint) {
    map = std::make_unique<tbTextureMap>(nullptr);
    ASSERT_TRUE(map->import("trainer.bmp"));
    const std::string other = res->write("green.bmp", imagesamples::bmp24(imagesamples::solid(4, 4, 0xFF00FF00)));
    ASSERT_TRUE(map->importTexture(other));
    EXPECT_EQ(pixels(map->getPaintSurface()), opaque(imagesamples::solid(kWidth, kHeight, 0xFF00FF00)));
    // The snapshot is the undo's business and keeps the old picture.
    EXPECT_EQ(pixels(map->getSnapshotSurface()), opaque(picture));
    map->revertToRestorePoint();
    expectEverySurface(picture);
}

}  // namespace
