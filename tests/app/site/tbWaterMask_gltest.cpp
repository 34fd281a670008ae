// The water mask and the reflection cube map on the OpenGL device: a new
// mask is white, fills and dabs land where their texels say with the top
// row first, dabs blend by their alpha, the DDS image round-trips, a file
// that is no picture changes nothing, and both survive a lost device.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "app/site/tbReflectionCubemap.h"
#include "app/site/tbWaterMask.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simSurfaceFile.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"
#include "tests/app/site/siteOnGl.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"

namespace {

// Hands the renderer's device-loss hooks to a mask and a cube map, as the
// flying-site project does for its own.
class LossForwarder : public simDeviceDependantObject {
public:
    LossForwarder(tbWaterMask* mask, tbReflectionCubemap* cube) : m_mask(mask), m_cube(cube) {}
    void onDeviceReset() override {
        if (m_mask) m_mask->onDeviceReset();
        if (m_cube) m_cube->onDeviceReset();
    }
    void onDeviceRestore() override {
        if (m_mask) m_mask->onDeviceRestore();
        if (m_cube) m_cube->onDeviceRestore();
    }

private:
    tbWaterMask* m_mask;
    tbReflectionCubemap* m_cube;
};

class GlWaterMask : public sitetest::SiteOnGl {
protected:
    void SetUp() override {
        SiteOnGl::SetUp();
        // Before the mask's texture joins the renderer's list, as the
        // project is made before its mask.
        forwarder = std::make_unique<LossForwarder>(mask.get(), cube.get());
    }
    void TearDown() override {
        forwarder.reset();
        cube.reset();
        mask.reset();
        SiteOnGl::TearDown();
    }

    d3dx::Bitmap read(gfx::SurfaceHandle surface) {
        d3dx::Image picture;
        EXPECT_TRUE(simReadSurface(rig->device(), surface, picture));
        d3dx::Bitmap out = imagesamples::bitmapOf(picture);
        for (uint32_t& p : out.pixels) p |= 0xFF000000u;
        return out;
    }
    d3dx::Bitmap face(uint32_t index) {
        gfx::SurfaceHandle surface;
        EXPECT_EQ(rig->device().GetCubeMapSurface(cube->texture(), gfx::D3DCUBEMAP_FACES(index), 0, &surface),
                  gfx::D3D_OK);
        d3dx::Bitmap out = read(surface);
        rig->device().Release(surface);
        return out;
    }
    void loseDevice() {
        rig->device().SimulateDeviceLoss();
        rig->graphics().renderFrameDefault();
        rig->graphics().renderFrameDefault();
        ASSERT_TRUE(rig->state().isValid());
    }

    std::unique_ptr<tbWaterMask> mask = std::make_unique<tbWaterMask>();
    std::unique_ptr<tbReflectionCubemap> cube = std::make_unique<tbReflectionCubemap>();
    std::unique_ptr<LossForwarder> forwarder;
};

}  // namespace

TEST_F(GlWaterMask, ANewMaskIsWhiteAndFillsWhole) {
    ASSERT_TRUE(mask->create()) << rig->engine.log();
    EXPECT_EQ(read(mask->surface()).pixels, imagesamples::solid(2048, 2048, 0xFFFFFFFF).pixels);
    mask->fill(0xFF000000);
    EXPECT_EQ(read(mask->surface()).pixels, imagesamples::solid(2048, 2048, 0xFF000000).pixels);
}

TEST_F(GlWaterMask, ADabLandsOnItsTexelsTopRowFirstAndBlendsByItsAlpha) {
    ASSERT_TRUE(mask->create());
    mask->fill(0xFF000000);
    mask->dab(100, 300, 8, 0xFFFFFFFF, nullptr);
    mask->dab(1500, 40, 8, 0x80FFFFFF, nullptr);
    const d3dx::Bitmap pixels = read(mask->surface());
    EXPECT_EQ(pixels.at(100, 300), 0xFFFFFFFFu);
    EXPECT_EQ(pixels.at(94, 294), 0xFFFFFFFFu);
    EXPECT_EQ(pixels.at(100, 310), 0xFF000000u);
    EXPECT_EQ(pixels.at(300, 100), 0xFF000000u);
    EXPECT_EQ(pixels.at(100, 2047 - 300), 0xFF000000u);  // not bottom-up
    const uint32_t half = pixels.at(1500, 40) & 0xFF;
    EXPECT_NEAR(int(half), 128, 2);
}

TEST_F(GlWaterMask, TheDdsImageReopensTheSameMaskAndNoPictureChangesNothing) {
    ASSERT_TRUE(mask->create());
    mask->fill(0xFF000000);
    mask->dab(1024, 512, 30, 0xFFFFFFFF, nullptr);
    std::vector<uint8_t> dds;
    ASSERT_TRUE(mask->save(dds));
    EXPECT_EQ(dds.size(), 128u + 2048u * 2048u * 4u);
    const d3dx::Bitmap painted = read(mask->surface());

    tbWaterMask other;
    ASSERT_TRUE(other.create());
    ASSERT_TRUE(other.load(dds));
    EXPECT_EQ(read(other.surface()).pixels, painted.pixels);

    std::string reason;
    EXPECT_FALSE(other.load(std::vector<uint8_t>(dds.begin(), dds.begin() + 1000), &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(read(other.surface()).pixels, painted.pixels);
}

TEST_F(GlWaterMask, TheWhiteImageMadeWithoutADeviceIsAWholeWhiteMask) {
    const std::vector<uint8_t> white = tbWaterMask::whiteDds();
    ASSERT_TRUE(mask->create());
    mask->fill(0xFF000000);
    ASSERT_TRUE(mask->load(white));
    EXPECT_EQ(read(mask->surface()).pixels, imagesamples::solid(2048, 2048, 0xFFFFFFFF).pixels);
}

TEST_F(GlWaterMask, MaskAndCubeMapSurviveALostDevice) {
    ASSERT_TRUE(mask->create());
    ASSERT_TRUE(cube->create());
    mask->fill(0xFF000000);
    mask->dab(200, 1800, 16, 0xFFFFFFFF, nullptr);
    const d3dx::Bitmap painted = read(mask->surface());
    EXPECT_EQ(face(3).pixels, imagesamples::solid(512, 512, 0xFFFFFFFF).pixels);

    loseDevice();
    ASSERT_TRUE(mask->surface());
    ASSERT_TRUE(cube->exists());
    EXPECT_EQ(read(mask->surface()).pixels, painted.pixels);
    EXPECT_EQ(face(3).pixels, imagesamples::solid(512, 512, 0xFFFFFFFF).pixels);
}

TEST_F(GlWaterMask, EachCubeFaceIsDrawnFromTheSlotOfItsDirectionTurnedAsTheSimulatorWantsIt) {
    testsupport::TempFolder folder;
    // Slot s: its top half red and its bottom half blue, or for the side
    // slots its left half red and its right half blue; the green channel
    // tells the slots apart.
    std::array<std::unique_ptr<simTexture>, 6> textures;
    std::array<simTexture*, 6> slots{};
    for (uint32_t slot = 0; slot < 6; ++slot) {
        d3dx::Bitmap picture(64, 64);
        for (uint32_t y = 0; y < 64; ++y)
            for (uint32_t x = 0; x < 64; ++x) {
                const bool first = (slot == 2 || slot == 3) ? y < 32 : x < 32;
                picture.at(x, y) = (first ? 0xFFFF0000u : 0xFF0000FFu) | (slot * 40u) << 8;
            }
        const auto bytes = imagesamples::bmp24(picture);
        const std::string name = "slot" + std::to_string(slot) + ".bmp";
        folder.write(name, std::string(bytes.begin(), bytes.end()));
        textures[slot] = std::make_unique<simTexture>(nullptr, folder.file(name),
                                                      "noMipmaps | noCompression | managedResourcePool");
        slots[slot] = textures[slot].get();
    }
    ASSERT_TRUE(cube->create());
    cube->build(slots);
    for (uint32_t f = 0; f < 6; ++f) {
        const d3dx::Bitmap pixels = face(f);
        const uint32_t green = uint32_t(tbReflectionCubemap::kSlotOfFace[f]) * 40u << 8;
        // Side faces mirrored left to right; the top face turned so the
        // picture's top runs down its left side, the bottom face the other way.
        const bool redOnLeft = f == gfx::D3DCUBEMAP_FACE_POSITIVE_Y;
        EXPECT_EQ(pixels.at(100, 256), (redOnLeft ? 0xFFFF0000u : 0xFF0000FFu) | green) << "face " << f;
        EXPECT_EQ(pixels.at(400, 256), (redOnLeft ? 0xFF0000FFu : 0xFFFF0000u) | green) << "face " << f;
    }
    cube.reset();
}
