// Textures on the recording device: format, alpha, levels, pool and usage
// from the file and the option words; malformed and scrambled files; the
// retry in the managed pool; created textures; binding; device loss; the
// loader registration.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxImageDxt.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/stateObjects.h"
#include "tests/support/imageSamples.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/tempFolder.h"

using namespace gfx;
using imagesamples::Bytes;
using testsupport::RecordingGraphics;

namespace {

Bytes encode(d3dx::ImageFileFormat kind, const d3dx::Image& image) {
    Bytes file;
    EXPECT_TRUE(d3dx::SaveImageToFileInMemory(&file, kind, image).ok());
    return file;
}
Bytes png(uint32_t w, uint32_t h, bool alpha) {
    return encode(d3dx::ImageFileFormat::Png,
                  imagesamples::imageOf(imagesamples::pattern(w, h, alpha),
                                        alpha ? d3dx::Format::A8R8G8B8 : d3dx::Format::X8R8G8B8));
}
// A DDS file of the pattern compressed to `format`.
Bytes dds(uint32_t size, d3dx::Format format) {
    d3dx::ImageLoadDesc desc;
    desc.format = format;
    desc.mipLevels = 1;
    d3dx::Image image;
    EXPECT_TRUE(d3dx::ConvertImage(imagesamples::imageOf(imagesamples::pattern(size, size, true)), desc, &image).ok());
    return imagesamples::ddsFile(image);
}
std::string text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
Bytes truncated(Bytes b, size_t keep);

class Texture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete());
        rig.recorder->clear();
        rig.engine.clearLog();
    }
    // Writes the file and loads it.
    std::unique_ptr<simTexture> load(const std::string& name, const Bytes& bytes, const std::string& words = "") {
        folder.write(name, text(bytes));
        rig.engine.app().setStatus(true, "success");
        return std::make_unique<simTexture>(nullptr, folder.file(name), words);
    }
    bool statusGood() { return rig.engine.app().getStatusSuccess(); }
    std::string reason() { return rig.engine.app().getStatusReason(); }

    RecordingGraphics rig;
    testsupport::TempFolder folder;
};

TEST_F(Texture, FormatAlphaLevelsPoolAndUsageFollowTheFileAndTheWords) {
    struct Case {
        const char* name;
        Bytes file;
        std::string words;
        D3DFORMAT format;
        bool alpha;
        uint32_t levels;
        uint32_t pool, usage;
    } cases[] = {
        {"alpha.png", png(256, 256, true), "", D3DFMT_DXT5, true, 4, 0, D3DUSAGE_DYNAMIC},
        {"solid.png", png(256, 256, true), "forceSolid", D3DFMT_DXT5, false, 4, 0, D3DUSAGE_DYNAMIC},
        {"opaque.png", png(256, 256, false), "", D3DFMT_DXT1, false, 4, 0, D3DUSAGE_DYNAMIC},
        {"opaque.bmp", imagesamples::bmp24(imagesamples::pattern(128, 128, false)), "", D3DFMT_DXT1, false, 4, 0,
         D3DUSAGE_DYNAMIC},
        {"alpha.tga", imagesamples::tgaRaw(imagesamples::pattern(64, 64, true)), "", D3DFMT_DXT5, true, 1, 0,
         D3DUSAGE_DYNAMIC},
        {"small.png", png(64, 64, false), "forceMipmaps", D3DFMT_DXT1, false, 4, 0, D3DUSAGE_DYNAMIC},
        {"wide.png", png(512, 256, false), "forceMipmaps", D3DFMT_DXT1, false, 1, 0, D3DUSAGE_DYNAMIC},
        {"big.png", png(2048, 2048, false), "noCompression", D3DFMT_A8R8G8B8, false, 1, 0, D3DUSAGE_DYNAMIC},
        {"bigmip.png", png(2048, 2048, false), "noCompression forceMipmaps", D3DFMT_A8R8G8B8, false, 4, 0,
         D3DUSAGE_DYNAMIC},
        {"nomip.png", png(256, 256, false), "noMipmaps", D3DFMT_DXT1, false, 1, 0, D3DUSAGE_DYNAMIC},
        {"managed.png", png(32, 32, true), "managedResourcePool", D3DFMT_DXT5, true, 1, 1, 0},
        {"target.png", png(32, 32, false), "noCompression renderTarget", D3DFMT_A8R8G8B8, false, 1, 0,
         D3DUSAGE_RENDERTARGET},
        // A DXT5 source keeps its alpha; a DXT1 one is taken as opaque.
        {"dxt5.dds", dds(64, d3dx::Format::DXT5), "", D3DFMT_DXT5, true, 1, 0, D3DUSAGE_DYNAMIC},
        {"dxt1.dds", dds(64, d3dx::Format::DXT1), "", D3DFMT_DXT1, false, 1, 0, D3DUSAGE_DYNAMIC},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        rig.recorder->clear();
        auto texture = load(c.name, c.file, c.words);
        EXPECT_TRUE(statusGood()) << reason();
        ASSERT_TRUE(texture->getTexture());
        EXPECT_EQ(texture->getFormat(), c.format);
        EXPECT_EQ(texture->hasAlpha(), c.alpha);
        EXPECT_EQ(texture->getMipLevels(), c.levels);
        EXPECT_EQ(texture->getPool(), c.pool);
        EXPECT_EQ(texture->getUsage(), c.usage);
        EXPECT_EQ(texture->isUnregistered(), c.pool == 1);
        EXPECT_EQ(rig.device().GetLevelCount(texture->getTexture()), c.levels);
        D3DSURFACE_DESC desc;
        ASSERT_EQ(rig.device().GetLevelDesc(texture->getTexture(), 0, &desc), D3D_OK);
        EXPECT_EQ(desc.Format, c.format);
        EXPECT_EQ(int32_t(desc.Width), texture->getWidth());
        EXPECT_EQ(texture->getFileData().size(), c.file.size());
    }
}

TEST_F(Texture, EngineOptionsForceNoCompressionAndNoMipmaps) {
    g_options->default_forceNoCompression = true;
    g_options->default_forceNoMipmaps = true;
    auto texture = load("a.png", png(256, 256, true));
    EXPECT_EQ(texture->getFormat(), D3DFMT_A8R8G8B8);
    EXPECT_EQ(texture->getMipLevels(), 1u);
    EXPECT_TRUE(texture->hasAlpha());
}

TEST_F(Texture, CompressedLevelsHoldThePicture) {
    auto texture = load("alpha.png", png(64, 64, true), "forceMipmaps");
    ASSERT_TRUE(texture->getTexture());
    D3DLOCKED_RECT locked;
    ASSERT_EQ(rig.device().LockRect(texture->getTexture(), 0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    Bytes blocks(64 / 4 * 16 * 16);
    for (int row = 0; row < 16; ++row)
        std::memcpy(&blocks[row * 256], static_cast<uint8_t*>(locked.pBits) + row * locked.Pitch, 256);
    rig.device().UnlockRect(texture->getTexture(), 0);
    const d3dx::Bitmap decoded = d3dx::decompressDxt(blocks.data(), 64, 64, d3dx::Format::DXT5);
    EXPECT_LE(imagesamples::maxChannelError(decoded, imagesamples::pattern(64, 64, true)), 24);
}

// Files that are cut short, lie about themselves or are no image at all.
Bytes truncated(Bytes b, size_t keep) {
    b.resize(std::min(keep, b.size()));
    return b;
}
Bytes patched(Bytes b, size_t at, std::initializer_list<uint8_t> bytes) {
    for (uint8_t v : bytes) b[at++] = v;
    return b;
}

TEST_F(Texture, MalformedFilesGiveAnEmptyTextureAndAClearFailure) {
    const Bytes good = png(64, 64, true);
    const Bytes goodDds = dds(64, d3dx::Format::DXT5);
    struct Case {
        const char* name;
        Bytes file;
        const char* status;  // start of the failed status
    } cases[] = {
        {"empty.png", {}, "simTexture - D3DXGetImageInfoFromFileInMemory failed: "},
        {"garbage.png", Bytes(300, 0x5A), "simTexture - D3DXGetImageInfoFromFileInMemory failed: "},
        {"header.png", truncated(good, 20), "simTexture - D3DXGetImageInfoFromFileInMemory failed: "},
        {"cut.png", truncated(good, good.size() / 2), "Texture load failed: "},
        // IHDR width 0x7FFFFFFF.
        {"huge.png", patched(good, 16, {0x7F, 0xFF, 0xFF, 0xFF}), "simTexture - D3DXGetImageInfoFromFileInMemory failed: "},
        {"cut.dds", truncated(goodDds, goodDds.size() - 10), "simTexture - D3DXGetImageInfoFromFileInMemory failed: "},
        // Header height 0x40000000.
        {"tall.dds", patched(goodDds, 12, {0, 0, 0, 0x40}), "simTexture - D3DXGetImageInfoFromFileInMemory failed: "},
        {"huge.bmp", patched(imagesamples::bmp24(imagesamples::pattern(8, 8, false)), 18, {0xFF, 0xFF, 0xFF, 0x7F}),
         "simTexture - D3DXGetImageInfoFromFileInMemory failed: "},
        {"cut.tga", truncated(imagesamples::tgaRaw(imagesamples::pattern(32, 32, true)), 100), "Texture load failed: "},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        rig.engine.clearLog();
        auto texture = load(c.name, c.file);
        EXPECT_FALSE(texture->getTexture());
        EXPECT_FALSE(statusGood());
        EXPECT_EQ(reason().rfind(c.status, 0), 0u) << reason();
        EXPECT_NE(rig.engine.log().find("ERROR: (simTexture) - "), std::string::npos);
        EXPECT_EQ(rig.engine.log().find("switching to managed mode"), std::string::npos);
    }
    EXPECT_EQ(rig.recorder->count("CreateTexture"), 0u);
}

TEST_F(Texture, ScrambledFilesAreRefusedByName) {
    // The engine's marker in front of an otherwise good picture.
    Bytes file = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40};
    ASSERT_TRUE(d3dx::isScrambledImage(file.data(), file.size()));
    const Bytes picture = png(16, 16, false);
    file.insert(file.end(), picture.begin(), picture.end());
    auto texture = load("scrambled.png", file);
    EXPECT_FALSE(texture->getTexture());
    EXPECT_FALSE(statusGood());
    EXPECT_NE(rig.engine.log().find("ERROR: (simTexture) - scrambled texture file refused: " +
                                    folder.file("scrambled.png") + "\n"),
              std::string::npos);
    EXPECT_EQ(rig.recorder->count("CreateTexture"), 0u);
}

TEST_F(Texture, UnreadableFileIsALogLineAndNoStatus) {
    rig.engine.app().setStatus(true, "success");
    simTexture texture(nullptr, folder.file("missing.png"), "");
    EXPECT_FALSE(texture.getTexture());
    EXPECT_TRUE(statusGood());
    EXPECT_NE(rig.engine.log().find("ERROR: (simTexture) - file not opened: " + folder.file("missing.png") + "\n"),
              std::string::npos);
}

TEST_F(Texture, ADefaultPoolRefusalIsRetriedOnceInTheManagedPool) {
    rig.recorder->failNext(Recorder::Failure::CreateTexture, D3DERR_OUTOFVIDEOMEMORY);
    auto texture = load("a.png", png(64, 64, false));
    EXPECT_TRUE(statusGood());
    ASSERT_TRUE(texture->getTexture());
    EXPECT_TRUE(texture->isManaged());
    EXPECT_EQ(texture->getPool(), 1u);
    EXPECT_EQ(texture->getUsage(), 0u);
    const std::string line = "Texture load failed (D3DERR_OUTOFVIDEOMEMORY) switching to managed mode...\n";
    const std::string log = rig.engine.log();
    EXPECT_NE(log.find(line), std::string::npos);
    EXPECT_EQ(log.find(line), log.rfind(line));

    rig.recorder->failNext(Recorder::Failure::CreateTexture, D3DERR_OUTOFVIDEOMEMORY, 2);
    auto failed = load("b.png", png(64, 64, false));
    EXPECT_FALSE(failed->getTexture());
    EXPECT_EQ(reason(), "Texture load failed: D3DERR_OUTOFVIDEOMEMORY");
}

TEST_F(Texture, CreatedTextures) {
    rig.engine.app().setStatus(false, "before");
    simTexture paint(nullptr, "paint", 128, 64, D3DFMT_A8R8G8B8, false, true, false);
    EXPECT_TRUE(statusGood());
    ASSERT_TRUE(paint.getTexture());
    EXPECT_EQ(paint.getWidth(), 128);
    EXPECT_EQ(paint.getHeight(), 64);
    EXPECT_EQ(paint.getUsage(), D3DUSAGE_DYNAMIC);
    EXPECT_TRUE(paint.hasAlpha());
    EXPECT_FALSE(paint.isLoadedFromFile());
    simTexture target(nullptr, "target", 64, 64, D3DFMT_A8R8G8B8, true, false, false);
    EXPECT_EQ(target.getUsage(), D3DUSAGE_RENDERTARGET);

    rig.recorder->failNext(Recorder::Failure::CreateTexture, D3DERR_OUTOFVIDEOMEMORY);
    simTexture failed(nullptr, "failed", 64, 64, D3DFMT_A8R8G8B8, false, false, false);
    EXPECT_FALSE(failed.getTexture());
    EXPECT_EQ(reason(), "simTexture: D3DXCreateTexture failed: D3DERR_OUTOFVIDEOMEMORY");
}

TEST_F(Texture, FileAndCreatedTexturesComeBackAfterALostDevice) {
    auto file = load("a.png", png(64, 64, true), "noCompression");
    simTexture created(nullptr, "paint", 32, 32, D3DFMT_A8R8G8B8, false, false, false);
    auto managed = load("m.png", png(16, 16, true), "managedResourcePool");
    auto broken = load("broken.png", truncated(png(16, 16, true), 60));
    ASSERT_TRUE(file->getTexture() && created.getTexture() && managed->getTexture());
    rig.engine.app().setStatus(true, "success");
    const TextureHandle managedHandle = managed->getTexture();

    rig.device().SimulateDeviceLoss();
    rig.graphics().renderFrameDefault();
    rig.graphics().renderFrameDefault();
    ASSERT_TRUE(rig.state().isValid());
    ASSERT_EQ(rig.device().State(file->getTexture()), ResourceState::Valid);
    ASSERT_EQ(rig.device().State(created.getTexture()), ResourceState::Valid);
    EXPECT_EQ(managed->getTexture(), managedHandle);  // left to the device
    EXPECT_FALSE(broken->getTexture());
    EXPECT_TRUE(statusGood()) << reason();  // the broken file is not tried again

    // The file texture holds the picture again.
    D3DLOCKED_RECT locked;
    ASSERT_EQ(rig.device().LockRect(file->getTexture(), 0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const d3dx::Bitmap expected = imagesamples::pattern(64, 64, true);
    EXPECT_EQ(std::memcmp(locked.pBits, expected.pixels.data(), 64 * 4), 0);
    rig.device().UnlockRect(file->getTexture(), 0);
}

TEST_F(Texture, BindingSetsBlendingForAlphaUnlessTheBlendModeIsTwo) {
    auto alpha = load("a.png", png(256, 256, true));
    auto solid = load("s.png", png(32, 32, false));
    alpha->bind(0);
    EXPECT_EQ(rig.state().getState(simRenderState_alphaBlend), 1u);
    EXPECT_EQ(rig.state().getState(simRenderState_blendMode), 0u);
    EXPECT_EQ(rig.state().getState(simRenderState_mipmapFilter), 2u);
    EXPECT_EQ(rig.state().getStateObject(simRenderState_texture0), alpha.get());
    solid->setBlendFlag(true);
    solid->bind(0);
    EXPECT_EQ(rig.state().getState(simRenderState_alphaBlend), 0u);
    EXPECT_EQ(rig.state().getState(simRenderState_blendMode), 1u);
    EXPECT_EQ(rig.state().getState(simRenderState_mipmapFilter), 0u);

    rig.state().setState(simRenderState_blendMode, 2u);
    alpha->bind(0);
    EXPECT_EQ(rig.state().getState(simRenderState_alphaBlend), 0u);
    EXPECT_EQ(rig.state().getState(simRenderState_blendMode), 2u);
    solid->bind(3);
    EXPECT_EQ(rig.state().getStateObject(simRenderState_texture5), solid.get());
    solid->bind(4);
    ASSERT_FALSE(rig.engine.errors.texts().empty());

    // Destruction takes the texture out of every slot.
    solid.reset();
    EXPECT_EQ(rig.state().getState(simRenderState_texture5), 0u);
}

TEST_F(Texture, TheLoaderIsRegisteredForTheFiveImageKinds) {
    simResources resources;
    simTexture::registerLoaders(resources);
    folder.write("pic.jpg", text(encode(d3dx::ImageFileFormat::Jpg, imagesamples::imageOf(imagesamples::pattern(16, 16, false)))));
    EXPECT_TRUE(resources.loadUnknownResource(nullptr, folder.file("pic.jpg"), ""));
    auto* texture = dynamic_cast<simTexture*>(simResources::getResource("pic.jpg", false));
    ASSERT_NE(texture, nullptr);
    EXPECT_TRUE(texture->getTexture());
    folder.write("bad.png", "not a picture");
    EXPECT_FALSE(resources.loadUnknownResource(nullptr, folder.file("bad.png"), ""));
}

}  // namespace
