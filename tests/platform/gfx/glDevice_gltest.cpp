// Pixel probes of the OpenGL device on a headless context: the Direct3D
// conventions it promises (row order, BGRA, pixel centres, depth range,
// clears, stencil, blending, alpha test) hold in the pixels it produces.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/glDevice.h"

namespace gfx {
namespace {

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
static_assert(sizeof(ScreenVertex) == 28);

struct Vertex {
    float x, y, z, nx, ny, nz;
    D3DCOLOR colour;
    float uv[6];
};
static_assert(sizeof(Vertex) == 52);

constexpr std::uint32_t kSize = 16;

class GlDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.valid()) << context.error();
        d3d = makeGlDirect3D();
        ASSERT_TRUE(d3d);
        D3DPRESENT_PARAMETERS params;
        params.BackBufferWidth = kSize;
        params.BackBufferHeight = kSize;
        ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &params, &device), D3D_OK);
        ASSERT_EQ(device->CreateVertexBuffer(52 * 64, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &vb),
                  D3D_OK);
        device->SetRenderState(D3DRS_LIGHTING, 0);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        // As the engine sets it: vertex alpha modulates the texture's.
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->BeginScene();
    }

    void TearDown() override {
        if (device) {
            device->EndScene();
            device->Release(vb);
        }
    }

    template <class V>
    void draw(D3DPRIMITIVETYPE type, const std::vector<V>& vertices, std::uint32_t primitives) {
        void* p = nullptr;
        ASSERT_EQ(device->Lock(vb, 0, 0, &p, D3DLOCK_DISCARD), D3D_OK);
        std::memcpy(p, vertices.data(), vertices.size() * sizeof(V));
        device->Unlock(vb);
        const std::uint32_t fvf = sizeof(V) == 28 ? kFvfScreenVertex : kFvfVertex;
        device->SetFVF(fvf);
        device->SetStreamSource(0, vb, 0, sizeof(V));
        ASSERT_EQ(device->DrawPrimitive(type, 0, primitives), D3D_OK);
    }

    // A screen rectangle as Direct3D 9 code draws it: corners at x - 0.5, y - 0.5.
    void quad(float x0, float y0, float x1, float y1, D3DCOLOR colour, float z = 0.1f) {
        x0 -= 0.5f, y0 -= 0.5f, x1 -= 0.5f, y1 -= 0.5f;
        draw<ScreenVertex>(D3DPT_TRIANGLELIST,
                           {{x0, y0, z, 10, colour, 0, 0}, {x1, y0, z, 10, colour, 1, 0}, {x1, y1, z, 10, colour, 1, 1},
                            {x0, y0, z, 10, colour, 0, 0}, {x1, y1, z, 10, colour, 1, 1}, {x0, y1, z, 10, colour, 0, 1}},
                           2);
    }

    // The pixels of a surface as D3DCOLOR values, top row first.
    std::vector<D3DCOLOR> pixels(SurfaceHandle s = {}) {
        if (!s) device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &s);
        D3DSURFACE_DESC desc;
        device->GetDesc(s, &desc);
        D3DLOCKED_RECT lr;
        EXPECT_EQ(device->LockRect(s, &lr, nullptr, D3DLOCK_READONLY), D3D_OK);
        std::vector<D3DCOLOR> out(desc.Width * desc.Height);
        for (std::uint32_t y = 0; y < desc.Height; ++y)
            std::memcpy(&out[y * desc.Width], static_cast<std::uint8_t*>(lr.pBits) + y * lr.Pitch, desc.Width * 4);
        device->UnlockRect(s);
        return out;
    }
    D3DCOLOR pixel(std::uint32_t x, std::uint32_t y) { return pixels()[y * kSize + x]; }

    void clear(D3DCOLOR colour) {
        ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, colour, 1.0f, 0),
                  D3D_OK);
    }

    EglContext context;
    std::unique_ptr<Direct3D> d3d;
    std::unique_ptr<Device> device;
    VertexBufferHandle vb;
};

constexpr D3DCOLOR kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

TEST_F(GlDeviceTest, ClearCoversTheViewportOnlyWhateverTheWriteMasks) {
    clear(kRed);
    D3DVIEWPORT9 vp{4, 2, 3, 5, 0.0f, 1.0f};
    ASSERT_EQ(device->SetViewport(&vp), D3D_OK);
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kGreen, 1.0f, 0);
    const std::vector<D3DCOLOR> px = pixels();
    for (std::uint32_t y = 0; y < kSize; ++y)
        for (std::uint32_t x = 0; x < kSize; ++x) {
            const bool inside = x >= 4 && x < 7 && y >= 2 && y < 7;
            ASSERT_EQ(px[y * kSize + x], inside ? kGreen : kRed) << x << "," << y;
        }
}

TEST_F(GlDeviceTest, ColoursAreBgraBytesAndReadBackTopRowFirst) {
    clear(0xFF102030);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    quad(0, 0, kSize, 1, 0xFF405060);  // the top row only
    SurfaceHandle back;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    D3DLOCKED_RECT lr;
    ASSERT_EQ(device->LockRect(back, &lr, nullptr, D3DLOCK_READONLY), D3D_OK);
    const auto* bytes = static_cast<const std::uint8_t*>(lr.pBits);
    EXPECT_EQ(bytes[0], 0x60);  // blue first
    EXPECT_EQ(bytes[1], 0x50);
    EXPECT_EQ(bytes[2], 0x40);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[lr.Pitch + 0], 0x30) << "the second row keeps the clear colour";
    device->UnlockRect(back);
}

TEST_F(GlDeviceTest, PreTransformedQuadsCoverExactlyTheirPixels) {
    clear(kBlack);
    quad(2, 3, 4, 5, kGreen);
    const std::vector<D3DCOLOR> px = pixels();
    for (std::uint32_t y = 0; y < kSize; ++y)
        for (std::uint32_t x = 0; x < kSize; ++x) {
            const bool inside = x >= 2 && x < 4 && y >= 3 && y < 5;
            ASSERT_EQ(px[y * kSize + x], inside ? kGreen : kBlack) << x << "," << y;
        }
}

TEST_F(GlDeviceTest, UploadedTexelsLandOnTheirPixelsTopRowFirst) {
    TextureHandle t;
    ASSERT_EQ(device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t), D3D_OK);
    const D3DCOLOR texels[4] = {kRed, kGreen, kBlue, 0xFFFFFF00};  // top row red, green
    D3DLOCKED_RECT lr;
    ASSERT_EQ(device->LockRect(t, 0, &lr, nullptr, 0), D3D_OK);
    for (int y = 0; y < 2; ++y) std::memcpy(static_cast<std::uint8_t*>(lr.pBits) + y * lr.Pitch, texels + 2 * y, 8);
    device->UnlockRect(t, 0);
    device->SetTexture(0, t);
    // Linear filtering at a 1:1 mapping still lands on texel centres.
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    clear(kBlack);
    quad(5, 7, 7, 9, 0xFFFFFFFF);
    EXPECT_EQ(pixel(5, 7), kRed);
    EXPECT_EQ(pixel(6, 7), kGreen);
    EXPECT_EQ(pixel(5, 8), kBlue);
    EXPECT_EQ(pixel(6, 8), 0xFFFFFF00u);

    D3DLOCKED_RECT back;
    ASSERT_EQ(device->LockRect(t, 0, &back, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(std::memcmp(back.pBits, texels, 8), 0) << "read-back keeps the upload's row order";
    device->UnlockRect(t, 0);

    // A rectangle lock changes that rectangle only.
    const RECT lowerRight{1, 1, 2, 2};
    ASSERT_EQ(device->LockRect(t, 0, &lr, &lowerRight, 0), D3D_OK);
    *static_cast<D3DCOLOR*>(lr.pBits) = 0xFF123456;
    device->UnlockRect(t, 0);
    ASSERT_EQ(device->LockRect(t, 0, &back, nullptr, D3DLOCK_READONLY), D3D_OK);
    const auto* got = static_cast<const D3DCOLOR*>(back.pBits);
    EXPECT_EQ(got[0], kRed);
    EXPECT_EQ(got[2], kBlue);
    EXPECT_EQ(got[3], 0xFF123456u);
    device->UnlockRect(t, 0);
    device->Release(t);
}

TEST_F(GlDeviceTest, AnUnboundStageReadsWhite) {
    clear(kBlack);
    quad(0, 0, 2, 2, 0xFF808080);  // MODULATE with the texture: white x grey
    EXPECT_EQ(pixel(0, 0), 0xFF808080u);
}

TEST_F(GlDeviceTest, AlphaTestIsOnWithReferenceTwoGreater) {
    clear(kBlack);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    quad(0, 0, 2, 2, 0x02FFFFFF);
    quad(2, 0, 4, 2, 0x03FFFFFF);
    EXPECT_EQ(pixel(0, 0), kBlack) << "alpha 2 is not greater than 2";
    EXPECT_EQ(pixel(2, 0), 0xFFFFFFFFu) << "alpha 3 passes (the X8 back buffer reads alpha 255)";
}

TEST_F(GlDeviceTest, BlendModesOfTheEngine) {
    struct Case {
        D3DBLEND src, dst;
        D3DCOLOR under, over, expected;
    };
    const Case cases[] = {
        {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0xFF000000, 0x80FFFFFF, 0xFF808080},
        {D3DBLEND_ONE, D3DBLEND_INVSRCCOLOR, 0xFF404040, 0xFF808080, 0xFFA0A0A0},
        {D3DBLEND_ZERO, D3DBLEND_ONE, 0xFF123456, 0xFFFFFFFF, 0xFF123456},
    };
    device->SetRenderState(D3DRS_ZENABLE, 0);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
    for (const Case& c : cases) {
        clear(c.under);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, c.src);
        device->SetRenderState(D3DRS_DESTBLEND, c.dst);
        quad(0, 0, 2, 2, c.over);
        const D3DCOLOR got = pixel(0, 0) & 0x00FFFFFF;
        for (int shift = 0; shift < 24; shift += 8)
            EXPECT_NEAR(int((got >> shift) & 0xFF), int((c.expected >> shift) & 0xFF), 1)
                << "blend " << c.src << "/" << c.dst;
    }
}

TEST_F(GlDeviceTest, StencilMarksThenMasksAndIncrDecrWrap) {
    clear(kBlack);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    // Mark: every drawn pixel writes 1, colour unchanged.
    device->SetRenderState(D3DRS_STENCILENABLE, 1);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    quad(0, 0, 4, 4, kRed);
    // Darken where the stencil is 1 or more.
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    quad(0, 0, kSize, kSize, kGreen);
    EXPECT_EQ(pixel(1, 1), kGreen);
    EXPECT_EQ(pixel(5, 5), kBlack);

    // DECR from 0 wraps to 255, INCR from 255 wraps to 0.
    clear(kBlack);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_DECR);
    quad(0, 0, 2, 2, kBlack);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
    device->SetRenderState(D3DRS_STENCILREF, 255);
    quad(0, 0, kSize, kSize, kRed);
    EXPECT_EQ(pixel(0, 0), kRed) << "0 - 1 wrapped to 255";
    EXPECT_EQ(pixel(3, 3), kBlack);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_INCR);
    quad(0, 0, 2, 2, kRed);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
    device->SetRenderState(D3DRS_STENCILREF, 0);
    quad(0, 0, 1, 1, kBlue);
    EXPECT_EQ(pixel(0, 0), kBlue) << "255 + 1 wrapped to 0";
}

TEST_F(GlDeviceTest, CullingKeepsDirect3DsClockwiseFrontFaces) {
    device->SetRenderState(D3DRS_ZENABLE, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    clear(kBlack);
    // Clockwise on a y-down screen: right along the top, then down.
    draw<ScreenVertex>(D3DPT_TRIANGLELIST,
                       {{0, 0, 0.1f, 1, kGreen, 0, 0}, {8, 0, 0.1f, 1, kGreen, 0, 0}, {0, 8, 0.1f, 1, kGreen, 0, 0}}, 1);
    EXPECT_EQ(pixel(1, 1), kGreen);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    clear(kBlack);
    draw<ScreenVertex>(D3DPT_TRIANGLELIST,
                       {{0, 0, 0.1f, 1, kGreen, 0, 0}, {8, 0, 0.1f, 1, kGreen, 0, 0}, {0, 8, 0.1f, 1, kGreen, 0, 0}}, 1);
    EXPECT_EQ(pixel(1, 1), kBlack);
}

TEST_F(GlDeviceTest, FlatShadingTakesTheFirstVertex) {
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    clear(kBlack);
    draw<ScreenVertex>(D3DPT_TRIANGLELIST,
                       {{0, 0, 0.1f, 1, kRed, 0, 0}, {16, 0, 0.1f, 1, kGreen, 0, 0}, {0, 16, 0.1f, 1, kBlue, 0, 0}}, 1);
    EXPECT_EQ(pixel(4, 4), kRed);
}

TEST_F(GlDeviceTest, ProjectionsMapDepthZeroToOne) {
    // Identity transforms: clip z is the depth written.
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 0.6f, 0);
    const auto tri = [&](float z, D3DCOLOR c) {
        draw<Vertex>(D3DPT_TRIANGLESTRIP,
                     {{-1, 1, z, 0, 0, 1, c, {}}, {1, 1, z, 0, 0, 1, c, {}}, {-1, -1, z, 0, 0, 1, c, {}},
                      {1, -1, z, 0, 0, 1, c, {}}},
                     2);
    };
    tri(0.7f, kRed);
    EXPECT_EQ(pixel(8, 8), kBlack) << "0.7 is behind the cleared 0.6";
    tri(-0.1f, kRed);
    EXPECT_EQ(pixel(8, 8), kBlack) << "depth below 0 is clipped";
    tri(0.5f, kGreen);
    EXPECT_EQ(pixel(8, 8), kGreen);
    EXPECT_EQ(pixel(0, 0), kGreen) << "the quad covers the viewport";
}

TEST_F(GlDeviceTest, RenderTargetsResetTheViewportAndX8ReadsOpaque) {
    TextureHandle t;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &t), D3D_OK);
    SurfaceHandle level, back;
    device->GetSurfaceLevel(t, 0, &level);
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    device->SetDepthStencilSurface(SurfaceHandle{});
    ASSERT_EQ(device->SetRenderTarget(0, level), D3D_OK);
    D3DVIEWPORT9 vp;
    device->GetViewport(&vp);
    EXPECT_EQ(vp.Width, 4u);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00000000, 1.0f, 0);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    quad(0, 0, 4, 1, 0x00FF0000 | 0x10000000);  // alpha 16 passes the test
    const std::vector<D3DCOLOR> px = pixels(level);
    EXPECT_EQ(px[0], kRed) << "top row drawn, alpha reads 255";
    EXPECT_EQ(px[4], kBlack) << "second row cleared, alpha reads 255";

    // Sampled, the X8 target gives alpha 1 too.
    device->SetRenderTarget(0, back);
    device->SetTexture(0, t);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
    quad(0, 0, 4, 4, 0xFFFFFFFF);
    EXPECT_EQ(pixel(0, 0), kRed);
    EXPECT_EQ(pixel(0, 1), kBlack);
    device->Release(level);
    device->Release(t);
}

TEST_F(GlDeviceTest, StretchRectScalesBetweenTargets) {
    clear(kBlack);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    quad(0, 0, kSize, kSize / 2, kRed);  // top half red
    SurfaceHandle back, small;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    ASSERT_EQ(device->CreateRenderTarget(4, 4, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, true, &small), D3D_OK);
    ASSERT_EQ(device->StretchRect(back, nullptr, small, nullptr, D3DTEXF_POINT), D3D_OK);
    const std::vector<D3DCOLOR> px = pixels(small);
    EXPECT_EQ(px[0], kRed);
    EXPECT_EQ(px[3 * 4], kBlack);
    device->Release(small);
}

TEST_F(GlDeviceTest, ProgramsDrawWithTheDirect3DConventionsAndTheAlphaTest) {
    const std::string vs = R"(
void main() { gl_Position = gfxScreenPosition(gfx_position); }
)";
    const std::string fs = R"(
uniform vec4 colour;
void main() { gfxWriteColour(colour); }
)";
    ProgramHandle p;
    std::string errors;
    ASSERT_EQ(device->CreateProgram(vs, fs, &p, &errors), D3D_OK) << errors;
    const float green[4] = {0, 1, 0, 1};
    ASSERT_EQ(device->SetProgramUniform(p, "colour", UniformType::Float4, green), D3D_OK);
    device->SetProgram(p);
    clear(kBlack);
    quad(2, 3, 4, 5, kRed);
    EXPECT_EQ(pixel(2, 3), kGreen);
    EXPECT_EQ(pixel(1, 3), kBlack);
    const float faint[4] = {1, 1, 1, 2.0f / 255.0f};
    device->SetProgramUniform(p, "colour", UniformType::Float4, faint);
    quad(2, 3, 4, 5, kRed);
    EXPECT_EQ(pixel(2, 3), kGreen) << "the alpha test discards alpha 2 in programs too";
    device->SetProgram(ProgramHandle{});
    quad(2, 3, 4, 5, kRed);
    EXPECT_EQ(pixel(2, 3), kRed) << "no program: fixed function again";
    device->Release(p);

    EXPECT_EQ(device->CreateProgram("void main() { nonsense; }", fs, &p, &errors), D3DERR_INVALIDCALL);
    EXPECT_FALSE(errors.empty());
}

TEST_F(GlDeviceTest, CompressedTexturesUploadBlocksAndSample) {
    TextureHandle t;
    ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &t), D3D_OK);
    D3DLOCKED_RECT lr;
    ASSERT_EQ(device->LockRect(t, 0, &lr, nullptr, 0), D3D_OK);
    EXPECT_EQ(lr.Pitch, 8) << "one row of 4x4 blocks";
    const std::uint8_t red[8] = {0x00, 0xF8, 0, 0, 0, 0, 0, 0};  // colour 0 pure red, every index 0
    std::memcpy(lr.pBits, red, 8);
    device->UnlockRect(t, 0);
    device->SetTexture(0, t);
    clear(kBlack);
    quad(0, 0, 4, 4, 0xFFFFFFFF);
    EXPECT_EQ(pixel(2, 2), kRed);
    device->Release(t);
}

TEST_F(GlDeviceTest, CubeAndFlatTexturesOfNeighbouringStagesSampleApart) {
    TextureHandle flat, cube;
    ASSERT_EQ(device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &flat), D3D_OK);
    ASSERT_EQ(device->CreateCubeTexture(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &cube), D3D_OK);
    D3DLOCKED_RECT lr;
    device->LockRect(flat, 0, &lr, nullptr, 0);
    *static_cast<D3DCOLOR*>(lr.pBits) = 0xFF00FFFF;
    device->UnlockRect(flat, 0);
    for (std::uint32_t face = 0; face < 6; ++face) {
        SurfaceHandle s;
        ASSERT_EQ(device->GetCubeMapSurface(cube, D3DCUBEMAP_FACES(face), 0, &s), D3D_OK);
        device->LockRect(s, &lr, nullptr, 0);
        *static_cast<D3DCOLOR*>(lr.pBits) = face == D3DCUBEMAP_FACE_POSITIVE_X ? 0xFFFFFF00 : kBlack;
        device->UnlockRect(s);
        device->Release(s);
    }
    const std::string vs = "void main() { gl_Position = gfxScreenPosition(gfx_position); }\n";
    const std::string fs = R"(
uniform sampler2D flatMap;
uniform samplerCube cubeMap;
void main() { gfxWriteColour(texture(flatMap, vec2(0.5)) * texture(cubeMap, vec3(1.0, 0.0, 0.0))); }
)";
    ProgramHandle p;
    std::string errors;
    ASSERT_EQ(device->CreateProgram(vs, fs, &p, &errors), D3D_OK) << errors;
    const std::uint32_t stage0 = 0, stage1 = 1;
    device->SetProgramUniform(p, "flatMap", UniformType::Sampler2D, &stage0);
    device->SetProgramUniform(p, "cubeMap", UniformType::SamplerCube, &stage1);
    device->SetTexture(0, flat);
    device->SetTexture(1, cube);
    device->SetProgram(p);
    clear(kBlack);
    quad(0, 0, 2, 2, kRed);
    EXPECT_EQ(pixel(0, 0), kGreen) << "cyan from stage 0 times yellow from the cube's +X face";
    device->SetProgram(ProgramHandle{});
    device->Release(p);
    device->Release(cube);
    device->Release(flat);
}

TEST_F(GlDeviceTest, FixedFunctionLightingUsesLightZeroAndTheVertexColour) {
    D3DLIGHT9 light;
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1.0f, 0.5f, 0.25f, 1.0f};
    light.Direction = {0.0f, 0.0f, 1.0f};  // shining along +z onto faces whose normal is -z
    device->SetLight(0, &light);
    device->LightEnable(0, true);
    device->SetRenderState(D3DRS_LIGHTING, 1);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    clear(kBlack);
    const D3DCOLOR grey = 0xFF808080;
    draw<Vertex>(D3DPT_TRIANGLESTRIP,
                 {{-1, 1, 0.5f, 0, 0, -1, grey, {}}, {1, 1, 0.5f, 0, 0, -1, grey, {}},
                  {-1, -1, 0.5f, 0, 0, -1, grey, {}}, {1, -1, 0.5f, 0, 0, -1, grey, {}}},
                 2);
    const D3DCOLOR lit = pixel(8, 8);
    EXPECT_NEAR(int((lit >> 16) & 0xFF), 128, 1);
    EXPECT_NEAR(int((lit >> 8) & 0xFF), 64, 1);
    EXPECT_NEAR(int(lit & 0xFF), 32, 1);
    device->LightEnable(0, false);
    clear(kBlack);
    draw<Vertex>(D3DPT_TRIANGLESTRIP,
                 {{-1, 1, 0.5f, 0, 0, -1, grey, {}}, {1, 1, 0.5f, 0, 0, -1, grey, {}},
                  {-1, -1, 0.5f, 0, 0, -1, grey, {}}, {1, -1, 0.5f, 0, 0, -1, grey, {}}},
                 2);
    EXPECT_EQ(pixel(8, 8), kBlack) << "no light, no ambient: black";
}

TEST_F(GlDeviceTest, UnchangedStatesIssueNoGlCalls) {
    clear(kBlack);
    quad(0, 0, 2, 2, kRed);
    const std::uint64_t first = glCalls();
    quad(0, 0, 2, 2, kRed);
    const std::uint64_t perRepeat = glCalls() - first;
    device->SetRenderState(D3DRS_ZENABLE, 1);  // the value it has: nothing to do
    quad(0, 0, 2, 2, kRed);
    EXPECT_EQ(glCalls() - first, 2 * perRepeat);
    device->SetRenderState(D3DRS_ZWRITEENABLE, 0);
    quad(0, 0, 2, 2, kRed);
    EXPECT_EQ(glCalls() - first, 3 * perRepeat + 1) << "one glDepthMask";
}

TEST_F(GlDeviceTest, LinearVertexFogBlendsTowardsTheFogColour) {
    device->SetRenderState(D3DRS_ZENABLE, 0);
    device->SetRenderState(D3DRS_FOGENABLE, 1);
    device->SetRenderState(D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR);
    device->SetRenderState(D3DRS_FOGCOLOR, 0xFF0000FF);
    device->SetRenderState(D3DRS_FOGSTART, floatState(0.0f));
    device->SetRenderState(D3DRS_FOGEND, floatState(1.0f));
    clear(kBlack);
    // Identity view: the fog distance is z, halfway between start and end.
    draw<Vertex>(D3DPT_TRIANGLESTRIP,
                 {{-1, 1, 0.5f, 0, 0, 1, kRed, {}}, {1, 1, 0.5f, 0, 0, 1, kRed, {}},
                  {-1, -1, 0.5f, 0, 0, 1, kRed, {}}, {1, -1, 0.5f, 0, 0, 1, kRed, {}}},
                 2);
    const D3DCOLOR c = pixel(8, 8);
    EXPECT_NEAR(int((c >> 16) & 0xFF), 128, 2);
    EXPECT_NEAR(int(c & 0xFF), 128, 2);
}

TEST_F(GlDeviceTest, ClipPlaneZeroCutsFixedFunctionGeometryInWorldSpace) {
    device->SetRenderState(D3DRS_ZENABLE, 0);
    const float keepPositiveX[4] = {1.0f, 0.0f, 0.0f, 0.0f};
    device->SetClipPlane(0, keepPositiveX);
    device->SetRenderState(D3DRS_CLIPPLANEENABLE, 1);
    clear(kBlack);
    draw<Vertex>(D3DPT_TRIANGLESTRIP,
                 {{-1, 1, 0.5f, 0, 0, 1, kRed, {}}, {1, 1, 0.5f, 0, 0, 1, kRed, {}},
                  {-1, -1, 0.5f, 0, 0, 1, kRed, {}}, {1, -1, 0.5f, 0, 0, 1, kRed, {}}},
                 2);
    EXPECT_EQ(pixel(2, 8), kBlack);
    EXPECT_EQ(pixel(13, 8), kRed);
    device->SetRenderState(D3DRS_CLIPPLANEENABLE, 0);
    draw<Vertex>(D3DPT_TRIANGLESTRIP,
                 {{-1, 1, 0.5f, 0, 0, 1, kRed, {}}, {1, 1, 0.5f, 0, 0, 1, kRed, {}},
                  {-1, -1, 0.5f, 0, 0, 1, kRed, {}}, {1, -1, 0.5f, 0, 0, 1, kRed, {}}},
                 2);
    EXPECT_EQ(pixel(2, 8), kRed);
}

TEST_F(GlDeviceTest, StageOneBlendsByTheTextureFactorsAlpha) {
    TextureHandle t;
    ASSERT_EQ(device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t), D3D_OK);
    D3DLOCKED_RECT lr;
    device->LockRect(t, 0, &lr, nullptr, 0);
    *static_cast<D3DCOLOR*>(lr.pBits) = kBlue;
    device->UnlockRect(t, 0);
    device->SetTexture(1, t);
    device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);  // the screen vertex has one UV set
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_BLENDFACTORALPHA);
    device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, 0x80000000);
    clear(kBlack);
    quad(0, 0, 2, 2, kRed);
    const D3DCOLOR c = pixel(0, 0);
    EXPECT_NEAR(int((c >> 16) & 0xFF), 127, 1) << "half of the red below";
    EXPECT_NEAR(int(c & 0xFF), 128, 1) << "half of stage 1's blue";
    device->SetTexture(1, TextureHandle{});
    device->Release(t);
}

TEST(GlDeviceMultisampled, DrawsResolvesAndCopiesTheBackBuffer) {
    EglContext context;
    ASSERT_TRUE(context.valid()) << context.error();
    std::unique_ptr<Direct3D> d3d = makeGlDirect3D();
    ASSERT_TRUE(d3d);
    std::uint32_t levels = 0;
    if (FAILED(d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, true, D3DMULTISAMPLE_NONMASKABLE,
                                               &levels)))
        GTEST_SKIP() << "no multisampling";
    D3DPRESENT_PARAMETERS params;
    params.BackBufferWidth = params.BackBufferHeight = 8;
    params.MultiSampleType = D3DMULTISAMPLE_NONMASKABLE;
    params.MultiSampleQuality = 0;
    std::unique_ptr<Device> device;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &params, &device), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kGreen, 1.0f, 0);
    SurfaceHandle back, copy;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    ASSERT_EQ(device->CreateRenderTarget(2, 2, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, true, &copy), D3D_OK);
    ASSERT_EQ(device->StretchRect(back, nullptr, copy, nullptr, D3DTEXF_LINEAR), D3D_OK);
    D3DLOCKED_RECT lr;
    EXPECT_EQ(device->LockRect(back, &lr, nullptr, D3DLOCK_READONLY), D3DERR_INVALIDCALL)
        << "multisampled surfaces are copied, not locked";
    ASSERT_EQ(device->LockRect(copy, &lr, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(*static_cast<D3DCOLOR*>(lr.pBits), kGreen);
    device->UnlockRect(copy);

    // A multisampled target of its own resolves before a scaled copy too.
    SurfaceHandle target;
    ASSERT_EQ(device->CreateRenderTarget(8, 8, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONMASKABLE, 0, false, &target), D3D_OK);
    device->SetRenderTarget(0, target);
    device->SetDepthStencilSurface(SurfaceHandle{});
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kRed, 1.0f, 0);
    ASSERT_EQ(device->StretchRect(target, nullptr, copy, nullptr, D3DTEXF_LINEAR), D3D_OK);
    ASSERT_EQ(device->LockRect(copy, &lr, nullptr, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(*static_cast<D3DCOLOR*>(lr.pBits), kRed);
    device->UnlockRect(copy);
    device->SetRenderTarget(0, back);
    device->Release(target);
    device->Release(copy);
    EXPECT_EQ(device->Present(nullptr, nullptr), D3D_OK);
    EXPECT_EQ(device->LiveResources(), 0u);
}

// The GL state that the raster key sets, as GL reports it.
std::vector<GLint> rasterSnapshot() {
    std::vector<GLint> v;
    for (GLenum cap : {GL_DEPTH_TEST, GL_BLEND, GL_CULL_FACE, GL_STENCIL_TEST, GL_MULTISAMPLE, GL_CLIP_DISTANCE0})
        v.push_back(glIsEnabled(cap));
    for (GLenum q : {GL_DEPTH_FUNC, GL_DEPTH_WRITEMASK, GL_BLEND_SRC_RGB, GL_BLEND_DST_RGB, GL_CULL_FACE_MODE,
                     GL_STENCIL_FUNC, GL_STENCIL_REF, GL_STENCIL_VALUE_MASK, GL_STENCIL_WRITEMASK, GL_STENCIL_FAIL,
                     GL_STENCIL_PASS_DEPTH_FAIL, GL_STENCIL_PASS_DEPTH_PASS, GL_STENCIL_BACK_FUNC,
                     GL_STENCIL_BACK_FAIL, GL_STENCIL_BACK_PASS_DEPTH_FAIL, GL_STENCIL_BACK_PASS_DEPTH_PASS}) {
        GLint value = 0;
        glGetIntegerv(q, &value);
        v.push_back(value);
    }
    GLboolean mask[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    for (GLboolean m : mask) v.push_back(m);
    return v;
}

TEST_F(GlDeviceTest, DiffedStateEqualsStateAppliedInFull) {
    struct Step {
        D3DRENDERSTATETYPE state;
        std::uint32_t value;
    };
    const Step steps[] = {
        {D3DRS_ZFUNC, D3DCMP_ALWAYS},        {D3DRS_ZWRITEENABLE, 0},          {D3DRS_ALPHABLENDENABLE, 1},
        {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA}, {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
        {D3DRS_CULLMODE, D3DCULL_CW},        {D3DRS_STENCILENABLE, 1},         {D3DRS_STENCILREF, 1},
        {D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE}, {D3DRS_TWOSIDEDSTENCILMODE, 1},
        {D3DRS_CCW_STENCILPASS, D3DSTENCILOP_DECR}, {D3DRS_COLORWRITEENABLE, 1},
        {D3DRS_MULTISAMPLEANTIALIAS, 0},     {D3DRS_CLIPPLANEENABLE, 1},       {D3DRS_STENCILWRITEMASK, 0x0F},
        {D3DRS_TWOSIDEDSTENCILMODE, 0},      {D3DRS_STENCILENABLE, 0},         {D3DRS_CULLMODE, D3DCULL_CCW},
        {D3DRS_ZENABLE, 0},                  {D3DRS_COLORWRITEENABLE, 0xF},    {D3DRS_ALPHABLENDENABLE, 0},
    };
    for (const Step& step : steps) {
        device->SetRenderState(step.state, step.value);
        quad(0, 0, 1, 1, kRed);
        const std::vector<GLint> diffed = rasterSnapshot();
        forceGlStateReapply(device->backend());
        quad(0, 0, 1, 1, kRed);
        EXPECT_EQ(diffed, rasterSnapshot()) << "after state " << step.state << " = " << step.value;
    }
}

TEST_F(GlDeviceTest, SimulatedLossNeedsTheDefaultPoolReleasedBeforeReset) {
    device->EndScene();
    device->SimulateDeviceLoss();
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Present(nullptr, nullptr), D3DERR_DEVICELOST);
    D3DPRESENT_PARAMETERS params;
    params.BackBufferWidth = 8;
    params.BackBufferHeight = 8;
    EXPECT_EQ(device->Reset(&params), D3DERR_INVALIDCALL) << "the test's vertex buffer is still alive";
    device->Release(vb);
    ASSERT_EQ(device->Reset(&params), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    ASSERT_EQ(device->CreateVertexBuffer(52 * 64, D3DUSAGE_DYNAMIC, 0, D3DPOOL_DEFAULT, &vb), D3D_OK);
    device->BeginScene();
    device->SetRenderState(D3DRS_LIGHTING, 0);
    clear(kBlue);
    EXPECT_EQ(pixels().size(), 64u);
    EXPECT_EQ(pixels()[63], kBlue);
}

}  // namespace
}  // namespace gfx
