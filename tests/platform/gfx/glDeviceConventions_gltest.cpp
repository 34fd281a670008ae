// Pixel probes of the OpenGL device on a headless context: the Direct3D
// conventions it promises (row order, BGRA, pixel centres, depth range,
// clears, stencil, blending, culling, alpha test) hold in its pixels.
#include "tests/platform/gfx/glDeviceFixture.h"

namespace gfx::gltest {
namespace {

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

// The scissor rectangle is in top-left-origin pixels like Direct3D's, limits
// drawing only while enabled, and leaves clears alone.
TEST_F(GlDeviceTest, ScissorRectKeepsDrawingInsideItFromTheTopLeft) {
    clear(kBlack);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    const RECT rect{1, 2, 5, 4};
    ASSERT_EQ(device->SetScissorRect(&rect), D3D_OK);
    quad(0, 0, kSize, kSize, kRed);  // not enabled yet: everywhere
    device->SetRenderState(D3DRS_SCISSORTESTENABLE, 1);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0);  // the whole viewport still
    quad(0, 0, kSize, kSize, kGreen);
    std::vector<D3DCOLOR> px = pixels();
    for (std::uint32_t y = 0; y < kSize; ++y)
        for (std::uint32_t x = 0; x < kSize; ++x) {
            const bool inside = x >= 1 && x < 5 && y >= 2 && y < 4;
            ASSERT_EQ(px[y * kSize + x], inside ? kGreen : kBlack) << x << "," << y;
        }
    device->SetRenderState(D3DRS_SCISSORTESTENABLE, 0);
    quad(0, 0, kSize, kSize, kBlue);
    EXPECT_EQ(pixel(0, 0), kBlue);
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

TEST_F(GlDeviceTest, TransformedGeometryUsesDirect3DPixelCentres) {
    // Identity transforms: screen x = (ndc + 1) * 8, screen y = (1 - ndc) * 8.
    // Edges at 0.5 and 2.5 enclose the centres of pixels 1 and 2 only, in
    // both directions, where GL's own centres would give pixels 0 and 1.
    device->SetRenderState(D3DRS_ZENABLE, 0);
    clear(kBlack);
    const float lo = 0.5f / 8 - 1, hi = 2.5f / 8 - 1;  // x edges
    const float top = 1 - 0.5f / 8, bottom = 1 - 2.5f / 8;
    draw<Vertex>(D3DPT_TRIANGLESTRIP,
                 {{lo, top, 0.5f, 0, 0, 1, kGreen, {}}, {hi, top, 0.5f, 0, 0, 1, kGreen, {}},
                  {lo, bottom, 0.5f, 0, 0, 1, kGreen, {}}, {hi, bottom, 0.5f, 0, 0, 1, kGreen, {}}},
                 2);
    const std::vector<D3DCOLOR> px = pixels();
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 4; ++x) {
            const bool inside = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            EXPECT_EQ(px[y * kSize + x], inside ? kGreen : kBlack) << x << "," << y;
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

// An unscaled copy between two targets moves exactly the source rectangle's
// pixels to the destination rectangle, top row first, and nothing else of
// the destination changes (the copy is a memory copy where the GL offers
// one, a blit otherwise: the pixels are the same).
TEST_F(GlDeviceTest, StretchRectCopiesAnUnscaledRectangleAndNothingElse) {
    SurfaceHandle source, dest;
    ASSERT_EQ(device->CreateRenderTarget(8, 8, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, true, &source), D3D_OK);
    ASSERT_EQ(device->CreateRenderTarget(16, 16, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, true, &dest), D3D_OK);
    auto fill = [this](SurfaceHandle surface, std::uint32_t width, auto colourAt) {
        D3DLOCKED_RECT lr;
        ASSERT_EQ(device->LockRect(surface, &lr, nullptr, 0), D3D_OK);
        for (std::uint32_t y = 0; y < width; ++y)
            for (std::uint32_t x = 0; x < width; ++x)
                reinterpret_cast<D3DCOLOR*>(static_cast<std::uint8_t*>(lr.pBits) + y * std::uint32_t(lr.Pitch))[x] =
                    colourAt(x, y);
        device->UnlockRect(surface);
    };
    auto sourceColour = [](std::uint32_t x, std::uint32_t y) { return 0xFF000000u | (x << 16) | (y << 8) | 0x40u; };
    fill(source, 8, sourceColour);
    fill(dest, 16, [](std::uint32_t, std::uint32_t) { return kBlack; });
    const RECT from{2, 1, 6, 4}, to{9, 10, 13, 13};
    ASSERT_EQ(device->StretchRect(source, &from, dest, &to, D3DTEXF_POINT), D3D_OK);
    const std::vector<D3DCOLOR> px = pixels(dest);
    for (std::uint32_t y = 0; y < 16; ++y)
        for (std::uint32_t x = 0; x < 16; ++x) {
            const bool inside = x >= 9 && x < 13 && y >= 10 && y < 13;
            ASSERT_EQ(px[y * 16 + x], inside ? sourceColour(x - 9 + 2, y - 10 + 1) : kBlack) << x << "," << y;
        }
    device->Release(source);
    device->Release(dest);
}

}  // namespace
}  // namespace gfx::gltest
