// Pixel probes of the one origin rule: whatever is drawn into a render
// target, copied with StretchRect, drawn into a cube face or read back keeps
// Direct3D's top-left origin, so the water mask, the site's icon and the
// reflection cube map come out the way up they were drawn.
#include "tests/platform/gfx/glDeviceFixture.h"

#include <array>

namespace gfx::gltest {
namespace {

constexpr std::uint32_t kTarget = 8;
constexpr D3DCOLOR kYellow = 0xFFFFFF00;

class GlRenderTargetOriginTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
        device->SetDepthStencilSurface(SurfaceHandle{});
        device->SetRenderState(D3DRS_ZENABLE, 0);
    }

    // Clears the current target black and marks its top-left quarter red.
    void markTopLeft(D3DCOLOR mark = kRed) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0);
        quad(0, 0, kTarget / 2, kTarget / 2, mark);
    }

    // The top-left and bottom-right pixels of an 8 x 8 surface, read back.
    std::array<D3DCOLOR, 2> corners(SurfaceHandle surface) {
        const std::vector<D3DCOLOR> px = pixels(surface);
        return {px.front(), px.back()};
    }

    // Draws the texture over the back buffer's top-left 8 x 8 pixels with
    // texture coordinate (0, 0) at the top-left, point-sampled.
    void drawTexture(TextureHandle texture) {
        device->SetRenderTarget(0, back);
        device->SetTexture(0, texture);
        device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
        device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
        quad(0, 0, kTarget, kTarget, 0xFFFFFFFF);
        device->SetTexture(0, TextureHandle{});
    }

    SurfaceHandle back;
};

TEST_F(GlRenderTargetOriginTest, DrawingIntoATextureKeepsTheTopLeftForReadBackAndSampling) {
    TextureHandle texture;
    ASSERT_EQ(device->CreateTexture(kTarget, kTarget, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT,
                                    &texture),
              D3D_OK);
    SurfaceHandle level;
    ASSERT_EQ(device->GetSurfaceLevel(texture, 0, &level), D3D_OK);
    ASSERT_EQ(device->SetRenderTarget(0, level), D3D_OK);
    markTopLeft();
    EXPECT_EQ(corners(level), (std::array<D3DCOLOR, 2>{kRed, kBlack})) << "read back top row first";
    drawTexture(texture);
    EXPECT_EQ(pixel(0, 0), kRed) << "texture coordinate (0, 0) is the top-left texel";
    EXPECT_EQ(pixel(kTarget - 1, kTarget - 1), kBlack);
    device->Release(level);
    device->Release(texture);
}

// The water mask's path: drawn into a plain render target, copied onto the
// texture's level with StretchRect (same size and scaled), then sampled.
TEST_F(GlRenderTargetOriginTest, StretchRectFromATargetOntoATextureLevelKeepsTheTopLeft) {
    for (const std::uint32_t sourceSize : {kTarget, kTarget * 2}) {
        SCOPED_TRACE(sourceSize);
        SurfaceHandle target;
        ASSERT_EQ(device->CreateRenderTarget(sourceSize, sourceSize, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, false,
                                             &target),
                  D3D_OK);
        ASSERT_EQ(device->SetRenderTarget(0, target), D3D_OK);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0);
        quad(0, 0, sourceSize / 2.0f, sourceSize / 2.0f, kRed);
        TextureHandle texture;
        ASSERT_EQ(device->CreateTexture(kTarget, kTarget, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8,
                                        D3DPOOL_DEFAULT, &texture),
                  D3D_OK);
        SurfaceHandle level;
        device->GetSurfaceLevel(texture, 0, &level);
        ASSERT_EQ(device->StretchRect(target, nullptr, level, nullptr, D3DTEXF_POINT), D3D_OK);
        EXPECT_EQ(corners(level), (std::array<D3DCOLOR, 2>{kRed, kBlack}));
        drawTexture(texture);
        EXPECT_EQ(pixel(0, 0), kRed);
        EXPECT_EQ(pixel(kTarget - 1, kTarget - 1), kBlack);
        device->Release(level);
        device->Release(texture);
        device->Release(target);
    }
}

// Each face of a cube render target is marked in its top-left quarter with a
// colour of its own; read back, every face shows its mark at the top-left,
// and sampled, the direction Direct3D gives that quarter of each face finds
// the face's colour (and the opposite quarter finds black).
TEST_F(GlRenderTargetOriginTest, CubeFacesDrawnAsTargetsSampleInDirect3DsFaceOrientation) {
    TextureHandle cube;
    ASSERT_EQ(device->CreateCubeTexture(kTarget, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &cube),
              D3D_OK);
    const std::array<D3DCOLOR, 6> marks{kRed, kGreen, kBlue, kYellow, 0xFFFF00FF, 0xFF00FFFF};
    for (std::uint32_t face = 0; face < 6; ++face) {
        SurfaceHandle surface;
        ASSERT_EQ(device->GetCubeMapSurface(cube, D3DCUBEMAP_FACES(face), 0, &surface), D3D_OK);
        ASSERT_EQ(device->SetRenderTarget(0, surface), D3D_OK);
        markTopLeft(marks[face]);
        EXPECT_EQ(corners(surface), (std::array<D3DCOLOR, 2>{marks[face], kBlack})) << "face " << face;
        device->Release(surface);
    }
    device->SetRenderTarget(0, back);

    // The directions through the top-left and bottom-right quarters of the
    // faces +X, -X, +Y, -Y, +Z, -Z: Direct3D's face axes (u right, v down)
    // are +X (-z, -y), -X (+z, -y), +Y (+x, +z), -Y (+x, -z), +Z (+x, -y),
    // -Z (-x, -y).
    const float topLeft[6][3] = {{1, 0.5f, 0.5f},  {-1, 0.5f, -0.5f}, {-0.5f, 1, -0.5f},
                                 {-0.5f, -1, 0.5f}, {-0.5f, 0.5f, 1},  {0.5f, 0.5f, -1}};
    const std::string vs = "void main() { gl_Position = gfxScreenPosition(gfx_position); }\n";
    const std::string fs = R"(
uniform samplerCube cubeMap;
uniform vec4 direction;
void main() { gfxWriteColour(texture(cubeMap, direction.xyz)); }
)";
    ProgramHandle program;
    std::string errors;
    ASSERT_EQ(device->CreateProgram(vs, fs, &program, &errors), D3D_OK) << errors;
    const std::uint32_t stage = 0;
    device->SetProgramUniform(program, "cubeMap", UniformType::SamplerCube, &stage);
    device->SetTexture(0, cube);
    device->SetProgram(program);
    for (std::uint32_t face = 0; face < 6; ++face) {
        for (const bool opposite : {false, true}) {
            const float* d = topLeft[face];
            // The opposite quarter keeps the face's own axis and turns the other two.
            const int axis = face / 2;
            float direction[4] = {d[0], d[1], d[2], 0};
            for (int i = 0; i < 3; ++i)
                if (opposite && i != axis) direction[i] = -direction[i];
            device->SetProgramUniform(program, "direction", UniformType::Float4, direction);
            device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
            quad(0, 0, 2, 2, 0xFFFFFFFF);
            EXPECT_EQ(pixel(0, 0), opposite ? kBlack : marks[face]) << "face " << face << (opposite ? " opposite" : "");
        }
    }
    device->SetProgram(ProgramHandle{});
    device->SetTexture(0, TextureHandle{});
    device->Release(program);
    device->Release(cube);
}

}  // namespace
}  // namespace gfx::gltest
