// Textures on the OpenGL device, drawn texel for pixel and read back: every
// image kind with its alpha kept, DDS cube maps with each face in its place
// and the right way round, and a file texture that comes back after a lost
// device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simSurfaceFile.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"
#include "tests/support/graphicsOnGl.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"

using namespace gfx;
using imagesamples::Bytes;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 48, kSize = 16;

Bytes encode(d3dx::ImageFileFormat kind, const d3dx::Image& image) {
    Bytes file;
    EXPECT_TRUE(d3dx::SaveImageToFileInMemory(&file, kind, image).ok());
    return file;
}
d3dx::Image imageOf(bool alpha) {
    return imagesamples::imageOf(imagesamples::pattern(kSize, kSize, alpha),
                                 alpha ? d3dx::Format::A8R8G8B8 : d3dx::Format::X8R8G8B8);
}
Bytes ddsOf(bool alpha, d3dx::Format format) {
    d3dx::ImageLoadDesc desc;
    desc.format = format;
    desc.mipLevels = 1;
    d3dx::Image image;
    EXPECT_TRUE(d3dx::ConvertImage(imageOf(alpha), desc, &image).ok());
    return imagesamples::ddsFile(image);
}

class GlTexture : public testsupport::GraphicsOnGl {
protected:
    GlTexture() : GraphicsOnGl(kWidth, kHeight) {}

    std::unique_ptr<simTexture> load(const std::string& name, const Bytes& bytes, const std::string& words = "") {
        folder.write(name, std::string(bytes.begin(), bytes.end()));
        rig->engine.app().setStatus(true, "success");
        return std::make_unique<simTexture>(nullptr, folder.file(name), words);
    }
    void begin() {
        rig->state().setState(simRenderState_clearColour, 0xFF000000u);
        rig->renderer().beginScene(true, true, true);
        rig->state().setState(simRenderState_lighting, 0u);
    }
    // Ends the frame and reads the back buffer (0xAARRGGBB, top row first).
    std::vector<uint32_t> finish() {
        rig->renderer().endSceneWithoutPresent();
        return rig->backBufferPixels();
    }
    // Draws the texture texel for pixel at (0, 0) over black, blended as its
    // alpha asks, and returns what the screen shows.
    d3dx::Bitmap drawn(simTexture& texture) {
        begin();
        texture.bind(0);
        rig->renderer().drawRect({0, 0}, {float(kSize), float(kSize)}, 0xFFFFFFFF, &texture);
        const auto pixels = finish();
        d3dx::Bitmap out(kSize, kSize);
        for (uint32_t y = 0; y < kSize; ++y)
            for (uint32_t x = 0; x < kSize; ++x) out.at(x, y) = pixels[y * kWidth + x] | 0xFF000000u;
        return out;
    }

    testsupport::TempFolder folder;
};

// The source as it looks blended over black (opaque when it has no alpha).
d3dx::Bitmap overBlack(bool alpha) {
    d3dx::Bitmap b = imagesamples::pattern(kSize, kSize, alpha);
    for (uint32_t& p : b.pixels) {
        const uint32_t a = p >> 24;
        auto channel = [&](int shift) { return ((p >> shift & 0xFF) * a + 127) / 255 << shift; };
        p = 0xFF000000u | channel(16) | channel(8) | channel(0);
    }
    return b;
}

double meanError(const d3dx::Bitmap& a, const d3dx::Bitmap& b) {
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift : {0, 8, 16}) sum += std::abs(int(a.pixels[i] >> shift & 0xFF) - int(b.pixels[i] >> shift & 0xFF));
    return sum / (a.pixels.size() * 3.0);
}

TEST_F(GlTexture, EveryImageKindDrawsItsPictureWithItsAlpha) {
    struct Case {
        const char* name;
        Bytes file;
        std::string words;
        bool alpha;
        double meanTolerance;  // per channel, 0..255; the small steep pattern is hard on DXT
    } cases[] = {
        {"alpha.png", encode(d3dx::ImageFileFormat::Png, imageOf(true)), "", true, 10},
        {"exact.png", encode(d3dx::ImageFileFormat::Png, imageOf(true)), "noCompression", true, 0.6},
        {"opaque.png", encode(d3dx::ImageFileFormat::Png, imageOf(false)), "", false, 10},
        {"opaque.bmp", imagesamples::bmp24(imagesamples::pattern(kSize, kSize, false)), "noCompression", false, 0.01},
        {"alpha.tga", imagesamples::tgaRaw(imagesamples::pattern(kSize, kSize, true)), "", true, 10},
        {"rle.tga", imagesamples::tgaRle(imagesamples::pattern(kSize, kSize, false)), "", false, 10},
        {"photo.jpg", encode(d3dx::ImageFileFormat::Jpg, imageOf(false)), "", false, 10},
        {"dxt1.dds", ddsOf(false, d3dx::Format::DXT1), "", false, 10},
        {"dxt5.dds", ddsOf(true, d3dx::Format::DXT5), "", true, 10},
        {"argb.dds", ddsOf(true, d3dx::Format::A8R8G8B8), "", true, 10},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto texture = load(c.name, c.file, c.words);
        ASSERT_TRUE(texture->getTexture()) << rig->engine.app().getStatusReason();
        EXPECT_EQ(texture->hasAlpha(), c.alpha);
        EXPECT_LE(meanError(drawn(*texture), overBlack(c.alpha)), c.meanTolerance);
    }
}

// A cube map whose faces differ, and whose top-left quarter differs from the
// rest of the face, so both the order and the orientation show.
struct CubeColours {
    uint32_t topLeft, rest;
};
constexpr CubeColours kFaces[6] = {{0xFFFF0000, 0xFF800000}, {0xFF00FF00, 0xFF008000}, {0xFF0000FF, 0xFF000080},
                                   {0xFFFFFF00, 0xFF808000}, {0xFF00FFFF, 0xFF008080}, {0xFFFF00FF, 0xFF800080}};

Bytes cubeFile() {
    d3dx::Image image;
    image.format = d3dx::Format::A8R8G8B8;
    image.width = image.height = 8;
    image.mipLevels = 1;
    image.isCube = true;
    for (const CubeColours& face : kFaces) {
        d3dx::Bitmap b(8, 8);
        for (uint32_t y = 0; y < 8; ++y)
            for (uint32_t x = 0; x < 8; ++x) b.at(x, y) = (x < 4 && y < 4) ? face.topLeft : face.rest;
        image.surfaces.push_back(imagesamples::imageOf(b).surfaces[0]);
    }
    return imagesamples::ddsFile(image);
}

// The direction that reaches face coordinates (s, t) in -1..1 (t down) of a
// face, by the cube-map convention Direct3D and OpenGL share.
d3dx::Vector4 direction(int face, float s, float t) {
    switch (face) {
    case 0: return {1, -t, -s, 0};
    case 1: return {-1, -t, s, 0};
    case 2: return {s, 1, t, 0};
    case 3: return {s, -1, -t, 0};
    case 4: return {s, -t, 1, 0};
    default: return {-s, -t, -1, 0};
    }
}

TEST_F(GlTexture, CubeMapFacesAreInOrderAndTheRightWayRound) {
    auto cube = load("sky.dds", cubeFile(), "cubemap");
    ASSERT_TRUE(cube->getCubeTexture()) << rig->engine.app().getStatusReason();
    EXPECT_FALSE(cube->getTexture());
    EXPECT_EQ(cube->getFormat(), D3DFMT_A8R8G8B8);

    const std::string vs = "void main() { gl_Position = gfxScreenPosition(gfx_position); }\n";
    const std::string fs =
        "uniform samplerCube cubeMap;\nuniform vec4 direction;\n"
        "void main() { gfxWriteColour(texture(cubeMap, direction.xyz)); }\n";
    ProgramHandle program;
    std::string errors;
    ASSERT_EQ(rig->device().CreateProgram(vs, fs, &program, &errors), D3D_OK) << errors;
    const uint32_t stage0 = 0;
    rig->device().SetProgramUniform(program, "cubeMap", UniformType::SamplerCube, &stage0);

    begin();
    rig->device().SetProgram(program);
    for (int face = 0; face < 6; ++face) {
        for (int part = 0; part < 2; ++part) {
            const float st = part == 0 ? -0.5f : 0.5f;
            const d3dx::Vector4 d = direction(face, st, st);
            rig->device().SetProgramUniform(program, "direction", UniformType::Float4, &d.x);
            const float x = float((face * 2 + part) * 4);
            rig->renderer().drawRect({x, 0}, {x + 4, 4}, 0xFFFFFFFF, cube.get());
        }
    }
    rig->device().SetProgram(ProgramHandle{});
    const auto pixels = finish();
    rig->device().Release(program);
    for (int face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        EXPECT_EQ(pixels[(face * 2) * 4 + 1 + kWidth] | 0xFF000000u, kFaces[face].topLeft);
        EXPECT_EQ(pixels[(face * 2 + 1) * 4 + 1 + kWidth] | 0xFF000000u, kFaces[face].rest);
    }
}

// Read back, a texture gives level 0 as the device holds it: a compressed
// texture its blocks (what the site export writes without compressing them
// again), a cube map its six faces in order.
TEST_F(GlTexture, ReadBackGivesTheBlocksAndFacesAsHeld) {
    for (const auto& [format, words] : {std::pair{d3dx::Format::DXT1, "managedResourcePool | noMipmaps"},
                                        std::pair{d3dx::Format::DXT5, "noMipmaps"}}) {
        SCOPED_TRACE(d3dx::formatName(format));
        const Bytes file = ddsOf(format == d3dx::Format::DXT5, format);
        auto texture = load("blocks.dds", file, words);
        ASSERT_TRUE(texture->getTexture());
        d3dx::Image held, expected;
        ASSERT_TRUE(simReadTexture(rig->device(), texture->getTexture(), false, held));
        ASSERT_TRUE(d3dx::LoadImageFromFileInMemory(file.data(), file.size(), {}, &expected).ok());
        EXPECT_EQ(held.format, format);
        EXPECT_EQ(held.width, kSize);
        ASSERT_EQ(held.surfaces.size(), 1u);
        EXPECT_EQ(held.surfaces[0].bytes, expected.surfaces[0].bytes);
    }
    const Bytes file = cubeFile();
    auto cube = load("sky.dds", file, "cubemap");
    d3dx::Image held, expected;
    ASSERT_TRUE(simReadTexture(rig->device(), cube->getCubeTexture(), true, held));
    d3dx::ImageLoadDesc desc;
    desc.cube = true;
    desc.mipLevels = 1;
    ASSERT_TRUE(d3dx::LoadImageFromFileInMemory(file.data(), file.size(), desc, &expected).ok());
    EXPECT_TRUE(held.isCube);
    ASSERT_EQ(held.surfaces.size(), 6u);
    for (int face = 0; face < 6; ++face) EXPECT_EQ(held.surfaces[face].bytes, expected.surfaces[face].bytes) << face;
    EXPECT_FALSE(simReadTexture(rig->device(), cube->getCubeTexture(), false, held)) << "a cube is no 2-D texture";
}

TEST_F(GlTexture, AFileTextureDrawsTheSameAfterALostDevice) {
    auto texture = load("a.png", encode(d3dx::ImageFileFormat::Png, imageOf(true)));
    const d3dx::Bitmap before = drawn(*texture);
    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();
    rig->graphics().renderFrameDefault();
    ASSERT_TRUE(rig->state().isValid());
    ASSERT_TRUE(texture->getTexture());
    EXPECT_EQ(drawn(*texture).pixels, before.pixels);
}

}  // namespace
