// The device front's rules, driven through the recording device.
#include "platform/gfx/recordingDevice.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/gfx/device.h"

namespace gfx {
namespace {

class RecordingDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        setLogSink([this](const std::string& line) { log += line; });
        rec = std::make_shared<Recorder>();
        d3d = makeRecordingDirect3D(rec);
        params.BackBufferWidth = 64;
        params.BackBufferHeight = 32;
        ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &params, &device), D3D_OK);
        rec->clear();
    }
    void TearDown() override {
        device.reset();
        setLogSink(nullptr);
    }

    TextureHandle makeTexture(D3DPOOL pool = D3DPOOL_MANAGED, std::uint32_t usage = 0) {
        TextureHandle t;
        EXPECT_EQ(device->CreateTexture(4, 4, 1, usage, D3DFMT_A8R8G8B8, pool, &t), D3D_OK);
        return t;
    }

    std::shared_ptr<Recorder> rec;
    std::unique_ptr<Direct3D> d3d;
    D3DPRESENT_PARAMETERS params;
    std::unique_ptr<Device> device;
    std::string log;
};

TEST_F(RecordingDeviceTest, LogsEveryCallInOrderWithItsArguments) {
    device->SetRenderState(D3DRS_ZENABLE, 0);
    device->SetRenderState(D3DRS_ZENABLE, 0);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    EXPECT_EQ(rec->text(), "SetRenderState(7,0)\nSetRenderState(7,0)\nSetSamplerState(0,1,3)\n");
    EXPECT_EQ(rec->count("SetRenderState"), 2u);
    EXPECT_EQ(rec->count("SetRenderState", D3DRS_ZENABLE), 2u);
    EXPECT_EQ(rec->count("SetRenderState", D3DRS_LIGHTING), 0u);
    EXPECT_EQ(device->callCount(), 3u);
}

TEST_F(RecordingDeviceTest, StartsWithDirect3DDefaultsAndTheEngineAlphaTest) {
    struct Case {
        D3DRENDERSTATETYPE state;
        std::uint32_t value;
    };
    const Case cases[] = {
        {D3DRS_ALPHATESTENABLE, 1},        {D3DRS_ALPHAREF, 2},         {D3DRS_ALPHAFUNC, D3DCMP_GREATER},
        {D3DRS_ZENABLE, 1},                {D3DRS_ZFUNC, D3DCMP_LESSEQUAL}, {D3DRS_CULLMODE, D3DCULL_CCW},
        {D3DRS_LIGHTING, 1},               {D3DRS_COLORWRITEENABLE, 0xF}, {D3DRS_STENCILMASK, 0xFFFFFFFF},
        {D3DRS_TEXTUREFACTOR, 0xFFFFFFFF}, {D3DRS_SHADEMODE, D3DSHADE_GOURAUD},
    };
    for (const Case& c : cases) {
        std::uint32_t v = 0;
        ASSERT_EQ(device->GetRenderState(c.state, &v), D3D_OK);
        EXPECT_EQ(v, c.value) << "state " << c.state;
    }
    std::uint32_t op = 0;
    device->GetTextureStageState(0, D3DTSS_COLOROP, &op);
    EXPECT_EQ(op, D3DTOP_MODULATE);
    device->GetTextureStageState(1, D3DTSS_COLOROP, &op);
    EXPECT_EQ(op, D3DTOP_DISABLE);
    D3DVIEWPORT9 vp;
    device->GetViewport(&vp);
    EXPECT_EQ(vp.Width, 64u);
    EXPECT_EQ(vp.Height, 32u);
}

TEST_F(RecordingDeviceTest, RejectsUnsupportedStatesAndValuesByName) {
    EXPECT_EQ(device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(8), 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetRenderState(D3DRS_CULLMODE, 7), D3DERR_INVALIDCALL);
    EXPECT_NE(log.find("D3DRS_CULLMODE cannot take 7"), std::string::npos) << log;
    EXPECT_EQ(device->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_DISABLE), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetSamplerState(0, D3DSAMP_MIPFILTER, 9), D3DERR_INVALIDCALL);
    std::uint32_t v = 0;
    device->GetRenderState(D3DRS_CULLMODE, &v);
    EXPECT_EQ(v, D3DCULL_CCW);  // unchanged by the rejected call
}

TEST_F(RecordingDeviceTest, StaleHandlesFailTheirLookUp) {
    TextureHandle t = makeTexture();
    ASSERT_EQ(device->SetTexture(0, t), D3D_OK);
    ASSERT_EQ(device->Release(t), D3D_OK);
    TextureHandle bound;
    device->GetTexture(0, &bound);
    EXPECT_FALSE(bound) << "a released texture is unbound";
    TextureHandle reused = makeTexture();  // takes the same slot
    EXPECT_EQ(reused.index(), t.index());
    EXPECT_NE(reused, t);
    EXPECT_EQ(device->State(t), ResourceState::Stale);
    EXPECT_EQ(device->SetTexture(0, t), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Release(t), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->State(reused), ResourceState::Valid);
    EXPECT_NE(log.find("stale texture handle"), std::string::npos);
}

TEST_F(RecordingDeviceTest, LevelSurfacesGoStaleWithTheirTexture) {
    TextureHandle t = makeTexture(D3DPOOL_DEFAULT, D3DUSAGE_RENDERTARGET);
    SurfaceHandle level;
    ASSERT_EQ(device->GetSurfaceLevel(t, 0, &level), D3D_OK);
    ASSERT_EQ(device->SetRenderTarget(0, level), D3D_OK);
    D3DVIEWPORT9 vp;
    device->GetViewport(&vp);
    EXPECT_EQ(vp.Width, 4u) << "binding a target resets the viewport to its size";
    device->Release(t);
    EXPECT_EQ(device->State(level), ResourceState::Stale);
    SurfaceHandle current, back;
    device->GetRenderTarget(0, &current);
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    EXPECT_EQ(current, back) << "releasing the bound target falls back to the back buffer";
}

TEST_F(RecordingDeviceTest, LocksPairUpAndKeepTheirContents) {
    TextureHandle t = makeTexture();
    D3DLOCKED_RECT lr;
    ASSERT_EQ(device->LockRect(t, 0, &lr, nullptr, 0), D3D_OK);
    EXPECT_EQ(lr.Pitch, 16);
    static_cast<std::uint32_t*>(lr.pBits)[5] = 0x11223344;
    EXPECT_EQ(device->LockRect(t, 0, &lr, nullptr, 0), D3DERR_INVALIDCALL) << "double lock";
    ASSERT_EQ(device->UnlockRect(t, 0), D3D_OK);
    EXPECT_EQ(device->UnlockRect(t, 0), D3DERR_INVALIDCALL) << "unlock without lock";
    RECT r{1, 1, 3, 3};
    ASSERT_EQ(device->LockRect(t, 0, &lr, &r, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(*static_cast<std::uint32_t*>(lr.pBits), 0x11223344u) << "the rectangle starts at (1, 1)";
    device->UnlockRect(t, 0);
    RECT outside{0, 0, 5, 4};
    EXPECT_EQ(device->LockRect(t, 0, &lr, &outside, 0), D3DERR_INVALIDCALL);
}

TEST_F(RecordingDeviceTest, InjectsFailuresOnDemand) {
    rec->failNext(Recorder::Failure::Lock, D3DERR_INVALIDCALL);
    TextureHandle t = makeTexture();
    D3DLOCKED_RECT lr;
    EXPECT_EQ(device->LockRect(t, 0, &lr, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->LockRect(t, 0, &lr, nullptr, 0), D3D_OK) << "a failed lock leaves the level unlocked";
    device->UnlockRect(t, 0);

    rec->failAlways(Recorder::Failure::CreateRenderTarget, D3DERR_OUTOFVIDEOMEMORY);
    SurfaceHandle s;
    EXPECT_EQ(device->CreateRenderTarget(8, 8, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, false, &s),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_FALSE(s);
    TextureHandle rt;
    EXPECT_EQ(device->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &rt),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_TRUE(makeTexture()) << "plain textures are not affected";
    rec->failAlways(Recorder::Failure::CreateRenderTarget, D3D_OK);
    EXPECT_EQ(device->CreateRenderTarget(8, 8, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, false, &s), D3D_OK);

    rec->failNext(Recorder::Failure::CreateProgram, D3DERR_INVALIDCALL);
    ProgramHandle p;
    std::string errors;
    EXPECT_EQ(device->CreateProgram("void main(){}", "void main(){}", &p, &errors), D3DERR_INVALIDCALL);
    EXPECT_FALSE(p);
    EXPECT_FALSE(errors.empty());
}

TEST_F(RecordingDeviceTest, SimulatedLossFollowsTheDirect3DProtocol) {
    TextureHandle managed = makeTexture(D3DPOOL_MANAGED);
    TextureHandle dynamic = makeTexture(D3DPOOL_DEFAULT, D3DUSAGE_DYNAMIC);
    VertexBufferHandle vb;
    ASSERT_EQ(device->CreateVertexBuffer(52 * 3, D3DUSAGE_DYNAMIC, kFvfVertex, D3DPOOL_DEFAULT, &vb), D3D_OK);
    device->SetRenderState(D3DRS_LIGHTING, 0);

    device->SimulateDeviceLoss();
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Present(nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(device->State(managed), ResourceState::Valid);
    EXPECT_EQ(device->State(dynamic), ResourceState::Lost);
    EXPECT_EQ(device->State(vb), ResourceState::Lost);
    void* bytes = nullptr;
    EXPECT_EQ(device->Lock(vb, 0, 0, &bytes, 0), D3D_OK) << "a lost buffer can still be saved";
    device->Unlock(vb);
    device->BeginScene();
    device->SetFVF(kFvfVertex);
    device->SetStreamSource(0, vb, 0, 52);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3D_OK);
    device->EndScene();
    EXPECT_EQ(rec->count("DrawPrimitive"), 1u);

    D3DPRESENT_PARAMETERS p = params;
    EXPECT_EQ(device->Reset(&p), D3DERR_INVALIDCALL) << "default-pool resources still alive";
    EXPECT_NE(log.find("2 default-pool resources still alive"), std::string::npos) << log;
    device->Release(dynamic);
    device->Release(vb);

    rec->failNext(Recorder::Failure::Reset, D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&p), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);

    p.BackBufferWidth = 128;
    ASSERT_EQ(device->Reset(&p), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr), D3D_OK);
    std::uint32_t lighting = 0;
    device->GetRenderState(D3DRS_LIGHTING, &lighting);
    EXPECT_EQ(lighting, 1u) << "Reset puts states back to their defaults";
    D3DVIEWPORT9 vp;
    device->GetViewport(&vp);
    EXPECT_EQ(vp.Width, 128u);
    EXPECT_EQ(rec->count("Reset"), 3u);
}

TEST_F(RecordingDeviceTest, DrawingNeedsASceneAMatchingStreamAndStaysInsideTheBuffer) {
    VertexBufferHandle vb;
    ASSERT_EQ(device->CreateVertexBuffer(28 * 6, D3DUSAGE_DYNAMIC, kFvfScreenVertex, D3DPOOL_DEFAULT, &vb), D3D_OK);
    device->SetFVF(kFvfScreenVertex);
    device->SetStreamSource(0, vb, 0, 28);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3DERR_INVALIDCALL) << "outside a scene";
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 1, 2), D3DERR_INVALIDCALL) << "past the end";
    EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 4), D3D_OK);
    device->SetStreamSource(0, vb, 0, 52);
    EXPECT_EQ(device->DrawPrimitive(D3DPT_LINELIST, 0, 1), D3DERR_INVALIDCALL) << "stride mismatch";
    EXPECT_EQ(device->Present(nullptr, nullptr), D3DERR_INVALIDCALL) << "present inside a scene";
    ASSERT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
}

TEST_F(RecordingDeviceTest, IndexedDrawingIsRecordedAndChecksItsIndicesAndVertexRange) {
    VertexBufferHandle vb;
    ASSERT_EQ(device->CreateVertexBuffer(28 * 4, D3DUSAGE_DYNAMIC, kFvfScreenVertex, D3DPOOL_DEFAULT, &vb), D3D_OK);
    IndexBufferHandle narrow, wide, bad;
    EXPECT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &bad), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->CreateIndexBuffer(1, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &bad), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->CreateIndexBuffer(2 * 6, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &narrow), D3D_OK);
    ASSERT_EQ(device->CreateIndexBuffer(4 * 6, 0, D3DFMT_INDEX32, D3DPOOL_MANAGED, &wide), D3D_OK);
    EXPECT_EQ(rec->count("CreateIndexBuffer"), 4u);
    // The handle kinds keep apart although they share the buffers' slots.
    EXPECT_EQ(device->State(VertexBufferHandle{narrow.id}), ResourceState::Stale);
    EXPECT_EQ(device->State(IndexBufferHandle{vb.id}), ResourceState::Stale);
    EXPECT_EQ(device->SetIndices(IndexBufferHandle{vb.id}), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->SetStreamSource(0, VertexBufferHandle{wide.id}, 0, 28), D3DERR_INVALIDCALL);

    void* p = nullptr;
    ASSERT_EQ(device->Lock(narrow, 0, 0, &p, 0), D3D_OK);
    EXPECT_EQ(device->Lock(narrow, 0, 0, &p, 0), D3DERR_INVALIDCALL) << "locked twice";
    const std::uint16_t quad[6] = {0, 1, 2, 0, 2, 3};
    std::memcpy(p, quad, sizeof quad);
    ASSERT_EQ(device->Unlock(narrow), D3D_OK);
    EXPECT_EQ(device->Unlock(narrow), D3DERR_INVALIDCALL);

    device->SetFVF(kFvfScreenVertex);
    device->SetStreamSource(0, vb, 0, 28);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3DERR_INVALIDCALL) << "no indices";
    ASSERT_EQ(device->SetIndices(narrow), D3D_OK);
    struct Case {
        std::int32_t base;
        std::uint32_t minVertex, vertices, startIndex, primitives;
        HRESULT result;
        const char* what;
    };
    const Case cases[] = {
        {0, 0, 4, 0, 2, D3D_OK, "the whole quad"},
        {0, 0, 4, 3, 1, D3D_OK, "the second triangle"},
        {0, 0, 4, 1, 2, D3DERR_INVALIDCALL, "indices past the end"},
        {1, 0, 4, 0, 2, D3DERR_INVALIDCALL, "vertices past the end"},
        {-1, 0, 4, 0, 2, D3DERR_INVALIDCALL, "vertices before the start"},
        {-1, 1, 3, 0, 1, D3D_OK, "a base below zero lifted by the lowest index"},
        {0, 0, 0, 0, 1, D3DERR_INVALIDCALL, "no vertices"},
        {0, 0, 4, 0, 0, D3DERR_INVALIDCALL, "no primitives"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, c.base, c.minVertex, c.vertices, c.startIndex,
                                               c.primitives),
                  c.result)
            << c.what;
    rec->clear();
    ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3D_OK);
    EXPECT_EQ(rec->text(), "DrawIndexedPrimitive(4,0,0,4,0,2)\n");

    ASSERT_EQ(device->Lock(narrow, 0, 0, &p, 0), D3D_OK);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3DERR_INVALIDCALL) << "locked";
    device->Unlock(narrow);
    // Releasing the bound index buffer unbinds it.
    ASSERT_EQ(device->Release(narrow), D3D_OK);
    EXPECT_EQ(device->state().indices, IndexBufferHandle{});
    EXPECT_EQ(device->Release(narrow), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->SetIndices(wide), D3D_OK);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3D_OK);
    device->EndScene();
    device->Release(wide);
    device->Release(vb);
}

TEST_F(RecordingDeviceTest, ClearFillsTheViewportAndStretchRectCopies) {
    SurfaceHandle rt, copy;
    ASSERT_EQ(device->CreateRenderTarget(8, 8, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, true, &rt), D3D_OK);
    ASSERT_EQ(device->CreateRenderTarget(4, 4, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, true, &copy), D3D_OK);
    device->SetRenderTarget(0, rt);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    D3DVIEWPORT9 vp{2, 2, 2, 2, 0.0f, 1.0f};
    ASSERT_EQ(device->SetViewport(&vp), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x80FF0000, 1.0f, 0);
    ASSERT_EQ(device->StretchRect(rt, nullptr, copy, nullptr, D3DTEXF_POINT), D3D_OK);
    D3DLOCKED_RECT lr;
    ASSERT_EQ(device->LockRect(copy, &lr, nullptr, D3DLOCK_READONLY), D3D_OK);
    const auto* px = static_cast<const std::uint32_t*>(lr.pBits);
    EXPECT_EQ(px[0], 0xFF0000FFu);
    EXPECT_EQ(px[1 * 4 + 1], 0x80FF0000u);
    device->UnlockRect(copy);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 2.0f, 0), D3DERR_INVALIDCALL);
    device->SetDepthStencilSurface(SurfaceHandle{});
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);

    SurfaceHandle smallDepth;
    ASSERT_EQ(device->CreateDepthStencilSurface(4, 4, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, true, &smallDepth), D3D_OK);
    device->SetDepthStencilSurface(smallDepth);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3DERR_INVALIDCALL)
        << "the 4x4 depth surface does not cover the 8x8 target";
    device->SetDepthStencilSurface(SurfaceHandle{});
    device->Release(smallDepth);
    device->Release(copy);
    device->Release(rt);
}

TEST_F(RecordingDeviceTest, ScissorRectIsCheckedRecordedAndResetWithTheTarget) {
    RECT rect;
    ASSERT_EQ(device->GetScissorRect(&rect), D3D_OK);
    EXPECT_EQ(rect.right, 64);
    EXPECT_EQ(rect.bottom, 32);
    EXPECT_EQ(device->state().renderStates[D3DRS_SCISSORTESTENABLE], 0u);
    const RECT inside{2, 3, 10, 12};
    ASSERT_EQ(device->SetScissorRect(&inside), D3D_OK);
    EXPECT_EQ(device->state().scissorRect.bottom, 12);
    EXPECT_EQ(rec->count("SetScissorRect"), 1u);
    EXPECT_NE(rec->text().find("SetScissorRect(2,3,10,12)"), std::string::npos);
    const RECT bad[] = {{-1, 0, 4, 4}, {0, 0, 65, 4}, {5, 0, 4, 4}, {0, 0, 4, 33}};
    for (const RECT& r : bad) EXPECT_EQ(device->SetScissorRect(&r), D3DERR_INVALIDCALL) << r.left << " " << r.right;
    EXPECT_EQ(device->SetScissorRect(nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->state().scissorRect.right, 10) << "a refused rectangle leaves the old one";
    const RECT empty{4, 4, 4, 4};
    EXPECT_EQ(device->SetScissorRect(&empty), D3D_OK);

    SurfaceHandle back;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    ASSERT_EQ(device->SetRenderTarget(0, back), D3D_OK);
    EXPECT_EQ(device->state().scissorRect.right, 64);
    EXPECT_EQ(device->state().scissorRect.left, 0);
}

TEST_F(RecordingDeviceTest, CountsWhatIsLeftAliveAndSaysSoAtDestruction) {
    EXPECT_EQ(device->LiveResources(), 0u);
    TextureHandle t = makeTexture();
    SurfaceHandle level;
    device->GetSurfaceLevel(t, 0, &level);
    EXPECT_EQ(device->LiveResources(), 2u);
    device->Release(t);
    EXPECT_EQ(device->LiveResources(), 0u) << "the level went with its texture";
    makeTexture();
    device.reset();
    EXPECT_NE(log.find("destroyed with 1 resources still alive"), std::string::npos) << log;
}

TEST_F(RecordingDeviceTest, RasterStatusesComeFromTheQueueThenTheStandingAnswer) {
    rec->rasterQueue = {{false, 300}, {false, 590}};
    rec->rasterStatus = {true, 0};
    D3DRASTER_STATUS s;
    device->GetRasterStatus(0, &s);
    EXPECT_EQ(s.ScanLine, 300u);
    device->GetRasterStatus(0, &s);
    EXPECT_EQ(s.ScanLine, 590u);
    device->GetRasterStatus(0, &s);
    EXPECT_TRUE(s.InVBlank);
    EXPECT_EQ(rec->count("GetRasterStatus"), 3u);
}

TEST_F(RecordingDeviceTest, TheDevicesOwnSurfacesAreNeverReleased) {
    SurfaceHandle back, depth;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back);
    device->GetDepthStencilSurface(&depth);
    EXPECT_EQ(device->Release(back), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Release(depth), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->State(back), ResourceState::Valid);
}

TEST(RecordingDirect3D, ReportsTheConfiguredAdapter) {
    auto rec = std::make_shared<Recorder>();
    rec->adapter.description = "NVIDIA GeForce Go 7300";
    rec->adapter.multisampleQualityWindowed = 10;
    rec->adapter.multisampleQualityFullscreen = 0;
    setDirect3DFactory([rec] { return makeRecordingDirect3D(rec); });
    std::unique_ptr<Direct3D> d3d = Direct3DCreate9(D3D_SDK_VERSION);
    setDirect3DFactory(nullptr);
    ASSERT_TRUE(d3d);
    D3DADAPTER_IDENTIFIER9 id;
    ASSERT_EQ(d3d->GetAdapterIdentifier(0, 0, &id), D3D_OK);
    EXPECT_STREQ(id.Description, "NVIDIA GeForce Go 7300");
    std::uint32_t levels = 0;
    EXPECT_EQ(d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, true, D3DMULTISAMPLE_NONMASKABLE,
                                              &levels),
              D3D_OK);
    EXPECT_EQ(levels, 10u);
    EXPECT_EQ(d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, false,
                                              D3DMULTISAMPLE_NONMASKABLE, &levels),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 3u);
    D3DDISPLAYMODE mode;
    EXPECT_EQ(d3d->EnumAdapterModes(0, D3DFMT_X8R8G8B8, 3, &mode), D3DERR_INVALIDCALL);
    EXPECT_FALSE(Direct3DCreate9(31));
}

}  // namespace
}  // namespace gfx
