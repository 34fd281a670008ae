// A headless OpenGL device of 16 x 16 pixels with helpers to draw and to
// read pixels back, for the GL device's pixel tests.
#pragma once

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/glDevice.h"

namespace gfx::gltest {

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

}  // namespace gfx::gltest
