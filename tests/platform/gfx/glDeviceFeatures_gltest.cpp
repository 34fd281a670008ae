// The OpenGL device's features beyond the basic conventions: effect
// programs, compressed and cube textures, fixed-function lighting, fog, clip
// plane and stage blending, multisampling, state diffing and device loss.
#include "tests/platform/gfx/glDeviceFixture.h"

namespace gfx::gltest {
namespace {

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
}  // namespace gfx::gltest
