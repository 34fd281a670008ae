// Effects on the OpenGL device: the engine's own effects compile, every
// parameter of the contract reaches its uniform, pass states and the
// device's pixel conventions hold in drawn pixels, a broken shader is
// reported, and an effect draws again after a device loss.
#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/simResources.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simShaderEffectBinding.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "platform/sys/clock.h"
#include "tests/engine/graphics/stateObjects.h"
#include "tests/support/graphicsOnGl.h"
#include "tests/support/tempFolder.h"

using namespace gfx;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 48;

struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};

class GlEffect : public testsupport::GraphicsOnGl {
protected:
    GlEffect() : GraphicsOnGl(kWidth, kHeight) {}
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        savedScene = simGetShaderEffectScene();
    }
    void TearDown() override {
        simSetShaderEffectScene(savedScene);  // the tests install entries of their own
        GraphicsOnGl::TearDown();
    }

    std::unique_ptr<simShaderEffect> make(const std::string& name, const std::string& text, const std::string& base) {
        folder.write(name, text);
        return std::make_unique<simShaderEffect>(nullptr, folder.file(name), base);
    }

    // Draws screen rectangles (pixel corners, ARGB colours) through the effect.
    void drawRects(simShaderEffect& effect, const std::vector<std::pair<RECT, uint32_t>>& rects) {
        std::vector<ScreenVertex> v;
        for (const auto& [r, c] : rects) {
            // Direct3D 9 pixel centres: a corner at x - 0.5 covers pixel x exactly.
            const float l = r.left - 0.5f, t = r.top - 0.5f, rr = r.right - 0.5f, b = r.bottom - 0.5f;
            const ScreenVertex quad[6] = {{l, t, 0, 1, c, 0, 0},  {rr, t, 0, 1, c, 1, 0}, {rr, b, 0, 1, c, 1, 1},
                                          {l, t, 0, 1, c, 0, 0},  {rr, b, 0, 1, c, 1, 1}, {l, b, 0, 1, c, 0, 1}};
            v.insert(v.end(), quad, quad + 6);
        }
        Device& d = rig->device();
        VertexBufferHandle buffer;
        ASSERT_EQ(d.CreateVertexBuffer(uint32_t(v.size() * sizeof(ScreenVertex)), D3DUSAGE_DYNAMIC, kFvfScreenVertex,
                                       D3DPOOL_DEFAULT, &buffer),
                  D3D_OK);
        void* bytes = nullptr;
        ASSERT_EQ(d.Lock(buffer, 0, 0, &bytes, 0), D3D_OK);
        std::memcpy(bytes, v.data(), v.size() * sizeof(ScreenVertex));
        d.Unlock(buffer);
        d.SetFVF(kFvfScreenVertex);
        d.SetStreamSource(0, buffer, 0, sizeof(ScreenVertex));
        rig->renderer().beginScene(true, true, true);
        effect.begin();
        for (uint32_t pass = 0; pass < effect.getPassCount(); ++pass) {
            effect.beginPass(pass);
            d.DrawPrimitive(D3DPT_TRIANGLELIST, 0, uint32_t(v.size() / 3));
            effect.endPass();
        }
        effect.end();
        rig->renderer().endSceneWithoutPresent();
        d.Release(buffer);
    }

    uint32_t pixel(uint32_t x, uint32_t y) {
        D3DLOCKED_RECT locked;
        const SurfaceHandle surface = rig->renderer().getBackBuffer();
        const RECT r{int32_t(x), int32_t(y), int32_t(x + 1), int32_t(y + 1)};
        if (rig->device().LockRect(surface, &locked, &r, D3DLOCK_READONLY) != D3D_OK) return 0;
        uint32_t value;
        std::memcpy(&value, locked.pBits, 4);
        rig->device().UnlockRect(surface);
        return value | 0xFF000000u;
    }

    testsupport::TempFolder folder;
    simShaderEffectScene savedScene;
};

TEST_F(GlEffect, TheProgramsEffectsCompileAndFindTheirTechniques) {
    simResources resources;
    simShaderEffect::registerLoader();
    const std::string root = std::string(TOLVANE_SOURCE_DIR) + "/resources/";
    struct Effect {
        const char* folder;
        const char* file;
        const char* base;
    };
    const Effect effects[] = {
        {"effects", "lighting_low.fx", "tech_lighting_low"},
        {"effects", "lighting_high.fx", "tech_lighting_high"},
        {"effects", "lighting_env_low.fx", "tech_lighting_env_low"},
        {"effects", "lighting_env_high.fx", "tech_lighting_env_high"},
        {"effects", "shadow.fx", "tech_shadow"},
        {"effects", "glow.fx", "tech_glow"},
        {"effects", "glowblur_x.fx", "tech_glowBlur_x"},
        {"effects", "glowblur_y.fx", "tech_glowBlur_y"},
        {"effects", "glowhighlighter.fx", "tech_glowhighlighter"},
        {"effects", "standardParticle.fx", "tech_standardParticle"},
        {"effects", "motionParticle.fx", "tech_motionParticle"},
        {"effects", "planarMotionParticle.fx", "tech_planarMotionParticle"},
        {"tolvaneBuilder/shaders", "lighting.fx", "tech_lighting"},
        {"tolvaneBuilder/shaders", "collisionSurfaceRoughness.fx", "tech_collisionSurfaceRoughness"},
    };
    for (const Effect& e : effects) {
        ASSERT_TRUE(resources.loadUnknownResource(nullptr, root + e.folder + "/" + e.file, e.base)) << e.file;
        auto* effect = dynamic_cast<simShaderEffect*>(simResources::getResource(e.file, false));
        ASSERT_TRUE(effect) << e.file;
        EXPECT_TRUE(effect->getEffect()) << e.file;
        EXPECT_NE(effect->getTechnique(), 0u) << e.file;
    }
    for (const std::string& report : rig->engine.errors.texts()) ADD_FAILURE() << report;
}

TEST_F(GlEffect, ABrokenShaderIsReportedWithTheCompilersText) {
    auto effect = make("broken.fx", "@effect 1\n@vertex v\nvoid main() { undeclared(); }\n@fragment f\n"
                                    "void main() {}\n@technique t_20_20\n@pass v f\n", "t");
    EXPECT_FALSE(effect->getEffect());
    ASSERT_EQ(rig->engine.errors.texts().size(), 1u);
    const std::string report = rig->engine.errors.texts()[0];
    EXPECT_EQ(report.rfind("simShaderEffect - creation failed: broken.fx = D3DERR_INVALIDCALL\n", 0), 0u) << report;
    EXPECT_NE(report.find("undeclared"), std::string::npos) << report;
    EXPECT_NE(rig->engine.log().find("SERIOUS ERROR: simShaderEffect - creation failed: broken.fx"), std::string::npos);
}

// A fragment stage that reads every parameter of the contract, so that the
// compiler keeps each uniform.
const char* const kContract = R"(@effect 1
@common
#include "d3d.fxh"
uniform mat4 shader_transform_world, shader_transform_view, shader_transform_proj;
uniform mat4 shader_transform_worldView, shader_transform_viewProj, shader_transform_worldViewProj;
uniform sampler2D shader_texture_0, shader_texture_1, shader_texture_2, shader_texture_3;
uniform sampler2D shader_texture_4, shader_texture_5, shader_texture_shadowmap;
uniform samplerCube shader_texture_cubemap;
uniform vec4 shader_material_diffuse, shader_material_ambient, shader_material_emissive, shader_material_specular;
uniform float shader_material_transparency, shader_material_incandescance, shader_material_specularRolloff;
uniform float shader_material_eccentricity, shader_material_reflectivity, shader_material_glow;
uniform vec4 shader_camera_eyePosition, shader_camera_eyeVector, shader_camera_upVector;
uniform vec4 shader_light_position, shader_light_direction, shader_light_diffuse, shader_light_ambient;
uniform vec4 shader_light_specular;
uniform mat4 shader_light_view, shader_light_viewProj;
uniform float shader_misc_aspectRatio, shader_misc_shadow_mapSize, shader_misc_shadow_mapTexelSize;
uniform float shader_general_time;
@vertex vs
void main() { d3dScreenPosition(gfx_position); }
@fragment ps
void main() {
    mat4 m = shader_transform_world + shader_transform_view + shader_transform_proj + shader_transform_worldView +
             shader_transform_viewProj + shader_transform_worldViewProj + shader_light_view + shader_light_viewProj;
    vec4 t = texture(shader_texture_0, vec2(0.5)) + texture(shader_texture_1, vec2(0.5)) +
             texture(shader_texture_2, vec2(0.5)) + texture(shader_texture_3, vec2(0.5)) +
             texture(shader_texture_4, vec2(0.5)) + texture(shader_texture_5, vec2(0.5)) +
             texture(shader_texture_shadowmap, vec2(0.5)) + texture(shader_texture_cubemap, vec3(1.0));
    vec4 v = shader_material_diffuse + shader_material_ambient + shader_material_emissive + shader_material_specular +
             shader_camera_eyePosition + shader_camera_eyeVector + shader_camera_upVector + shader_light_position +
             shader_light_direction + shader_light_diffuse + shader_light_ambient + shader_light_specular;
    float f = shader_material_transparency + shader_material_incandescance + shader_material_specularRolloff +
              shader_material_eccentricity + shader_material_reflectivity + shader_material_glow +
              shader_misc_aspectRatio + shader_misc_shadow_mapSize + shader_misc_shadow_mapTexelSize +
              shader_general_time;
    d3dColour(m[0] + m[1] + m[2] + m[3] + t + v + vec4(f));
}
@technique tech_contract_20_20
@pass vs ps
)";

d3dx::Matrix numbered(float start) {
    d3dx::Matrix m;
    float* f = &m._11;
    for (int i = 0; i < 16; ++i) f[i] = start + float(i);
    return m;
}

simColour colour(int a, int r, int g, int b) {
    simColour c;
    c.set(a, r, g, b);
    return c;
}

std::vector<float> uniform(GLint program, const char* name, int floats) {
    std::vector<float> out(size_t(floats), -999.0f);
    const GLint at = glGetUniformLocation(GLuint(program), name);
    if (at >= 0) glGetUniformfv(GLuint(program), at, out.data());
    return out;
}

GLint samplerUnit(GLint program, const char* name) {
    GLint unit = -1;
    const GLint at = glGetUniformLocation(GLuint(program), name);
    if (at >= 0) glGetUniformiv(GLuint(program), at, &unit);
    return unit;
}

TEST_F(GlEffect, EveryContractParameterReachesItsUniform) {
    sys::ManualClock clock(4000000.0);  // past the hour: the time wraps
    simShaderEffectScene scene;
    scene.material = [](const simRendererStateObject*, simShaderMaterialValues* m) {
        m->diffuse = colour(255, 255, 0, 0);
        m->ambient = colour(255, 0, 255, 0);
        m->emissive = colour(255, 0, 0, 255);
        m->specular = colour(0, 51, 102, 204);
        m->transparency = 0.25f;
        m->incandescance = 2.0f;
        m->specularRolloff = 3.0f;
        m->eccentricity = 4.0f;
        m->reflectivity = 5.0f;
        m->glow = 6.0f;
        return true;
    };
    scene.camera = [](simShaderCameraValues* c) {
        c->eyePosition = {1, 2, 3};
        c->eyeVector = {0, 0, 1};
        c->upVector = {0, 1, 0};
        return true;
    };
    scene.shadowMapSize = [] { return 512.0f; };
    simSetShaderEffectScene(scene);

    Device& d = rig->device();
    std::vector<TextureHandle> textures(8);
    for (int i = 0; i < 7; ++i) ASSERT_EQ(d.CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &textures[i]), D3D_OK);
    ASSERT_EQ(d.CreateCubeTexture(4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &textures[7]), D3D_OK);
    const uint32_t slots[] = {simRenderState_texture0, simRenderState_texture3, simRenderState_texture4,
                              simRenderState_texture5, simRenderState_texture6, simRenderState_texture7,
                              simRenderState_texture2};
    std::vector<std::unique_ptr<graphicstest::FakeTexture>> fakes;
    for (int i = 0; i < 7; ++i) {
        fakes.push_back(std::make_unique<graphicstest::FakeTexture>(textures[i], TextureHandle{}));
        rig->state().setState(slots[i], fakes.back().get());
    }
    fakes.push_back(std::make_unique<graphicstest::FakeTexture>(TextureHandle{}, textures[7]));
    rig->state().setState(simRenderState_cubemap1, fakes.back().get());
    graphicstest::FakeMaterial material;
    rig->state().setState(simRenderState_material, &material);

    const d3dx::Matrix world = numbered(1), view = numbered(20), proj = numbered(40);
    rig->renderer().setTransform(1, &world);
    rig->renderer().setTransform(2, &view);
    rig->renderer().setTransform(0, &proj);
    simLight light("sun", simLight::directional, {0, 10, 0}, {0, 0, 2}, 0, 0, colour(255, 255, 255, 255),
                   colour(255, 128, 0, 0), colour(255, 51, 51, 51));

    auto effect = make("contract.fx", kContract, "tech_contract");
    ASSERT_TRUE(effect->getEffect());
    effect->begin();
    effect->beginPass(0);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    ASSERT_NE(program, 0);

    // Matrices: Direct3D's memory layout, float for float.
    const std::pair<const char*, simRendererState::Matrix> transforms[] = {
        {"shader_transform_world", simRendererState::world},
        {"shader_transform_view", simRendererState::view},
        {"shader_transform_proj", simRendererState::projection},
        {"shader_transform_worldView", simRendererState::worldView},
        {"shader_transform_viewProj", simRendererState::viewProjection},
        {"shader_transform_worldViewProj", simRendererState::worldViewProjection},
    };
    for (const auto& [name, slot] : transforms) {
        const d3dx::Matrix& m = rig->state().matrix(slot);
        EXPECT_EQ(uniform(program, name, 16), std::vector<float>(&m._11, &m._11 + 16)) << name;
    }
    EXPECT_EQ(uniform(program, "shader_light_view", 16),
              std::vector<float>(&light.getViewMatrix()._11, &light.getViewMatrix()._11 + 16));
    EXPECT_EQ(uniform(program, "shader_light_viewProj", 16),
              std::vector<float>(&light.getViewProjectionMatrix()._11, &light.getViewProjectionMatrix()._11 + 16));

    // Samplers read the stages where the state cache binds the same textures.
    const std::pair<const char*, GLint> samplers[] = {
        {"shader_texture_0", 0}, {"shader_texture_1", 3}, {"shader_texture_2", 4},         {"shader_texture_3", 5},
        {"shader_texture_4", 6}, {"shader_texture_5", 7}, {"shader_texture_shadowmap", 2}, {"shader_texture_cubemap", 8 + 1},
    };
    for (const auto& [name, unit] : samplers) EXPECT_EQ(samplerUnit(program, name), unit) << name;

    using V = std::vector<float>;
    const std::pair<const char*, V> vectors[] = {
        {"shader_material_diffuse", V{1, 0, 0, 1}},
        {"shader_material_ambient", V{0, 1, 0, 1}},
        {"shader_material_emissive", V{0, 0, 1, 1}},
        {"shader_material_specular", V{0.2f, 0.4f, 0.8f, 0}},
        {"shader_camera_eyePosition", V{1, 2, 3, 0}},
        {"shader_camera_eyeVector", V{0, 0, 1, 0}},
        {"shader_camera_upVector", V{0, 1, 0, 0}},
        {"shader_light_position", V{0, 10, 0, 0}},
        {"shader_light_direction", V{0, 0, 1, 0}},
        {"shader_light_diffuse", V{1, 1, 1, 1}},
        {"shader_light_ambient", V{0.2f, 0.2f, 0.2f, 1}},
        {"shader_light_specular", V{128 / 255.0f, 0, 0, 1}},
    };
    for (const auto& [name, value] : vectors) {
        const V got = uniform(program, name, 4);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(got[i], value[i]) << name << "[" << i << "]";
    }
    const std::pair<const char*, float> floats[] = {
        {"shader_material_transparency", 0.75f}, {"shader_material_incandescance", 2.0f},
        {"shader_material_specularRolloff", 3.0f}, {"shader_material_eccentricity", 4.0f},
        {"shader_material_reflectivity", 5.0f},  {"shader_material_glow", 6.0f},
        {"shader_misc_aspectRatio", 0.75f},      {"shader_misc_shadow_mapSize", 512.0f},
        {"shader_misc_shadow_mapTexelSize", 1.0f / 512.0f}, {"shader_general_time", 400000.0f},
    };
    for (const auto& [name, value] : floats) EXPECT_FLOAT_EQ(uniform(program, name, 1)[0], value) << name;
    effect->endPass();
    effect->end();
    for (auto& fake : fakes) fake.reset();
    for (TextureHandle t : textures) d.Release(t);
}

TEST_F(GlEffect, WithoutAMaterialTheMaterialValuesStay) {
    bool withMaterial = true;
    static bool* give = nullptr;
    give = &withMaterial;
    simShaderEffectScene scene;
    scene.material = [](const simRendererStateObject*, simShaderMaterialValues* m) {
        m->glow = 0.5f;
        return *give;
    };
    simSetShaderEffectScene(scene);
    graphicstest::FakeMaterial material;
    rig->state().setState(simRenderState_material, &material);
    auto effect = make("contract.fx", kContract, "tech_contract");
    effect->bindParameters();
    rig->state().setState(simRenderState_material, 0);
    withMaterial = false;
    effect->begin();
    effect->beginPass(0);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_FLOAT_EQ(uniform(program, "shader_material_glow", 1)[0], 0.5f);
    effect->endPass();
    effect->end();
}

// The engine's model vertex (format 0x352).
struct ModelVertex {
    float x, y, z;
    float nx, ny, nz;
    uint32_t colour;
    float uv[6];
};
static_assert(sizeof(ModelVertex) == 52);

TEST_F(GlEffect, TheLowLightingEffectLightsAModelThroughTheContract) {
    simShaderEffectScene scene;
    scene.material = [](const simRendererStateObject*, simShaderMaterialValues* m) {
        m->diffuse = colour(255, 200, 0, 0);
        m->ambient = colour(255, 0, 0, 0);
        m->emissive = colour(255, 0, 0, 0);
        return true;
    };
    simSetShaderEffectScene(scene);
    graphicstest::FakeMaterial material;
    rig->state().setState(simRenderState_material, &material);
    rig->state().setState(simRenderState_backfaceCullMode, 0);
    // Shining into the screen, onto a quad that faces the viewer.
    simLight light("sun", simLight::directional, {0, 0, -10}, {0, 0, 1}, 0, 0, colour(255, 255, 255, 255),
                   colour(255, 0, 0, 0), colour(255, 0, 0, 0));
    d3dx::Matrix projection;
    d3dx::MatrixOrthoLH(&projection, float(kWidth), float(kHeight), 0.0f, 1.0f);
    rig->renderer().setTransform(0, &projection);
    rig->renderer().setTransform(1, nullptr);
    rig->renderer().setTransform(2, nullptr);

    simResources resources;
    simShaderEffect::registerLoader();
    ASSERT_TRUE(resources.loadUnknownResource(
        nullptr, std::string(TOLVANE_SOURCE_DIR) + "/resources/effects/lighting_low.fx", "tech_lighting_low"));
    auto* effect = dynamic_cast<simShaderEffect*>(simResources::getResource("lighting_low.fx", false));
    ASSERT_TRUE(effect && effect->getEffect());
    const float white[4] = {1, 1, 1, 1};
    effect->getEffect()->setFloatArray("shader_geometry_colour", white, 4);  // the model batch's part

    // World x -16..16 is pixels 16..47 of a 64-pixel target.
    const ModelVertex corners[4] = {{-16, 10, 0.5f, 0, 0, -1, 0xFFFFFFFFu, {}}, {16, 10, 0.5f, 0, 0, -1, 0xFFFFFFFFu, {}},
                                    {16, -10, 0.5f, 0, 0, -1, 0xFFFFFFFFu, {}}, {-16, -10, 0.5f, 0, 0, -1, 0xFFFFFFFFu, {}}};
    const ModelVertex quad[6] = {corners[0], corners[1], corners[2], corners[0], corners[2], corners[3]};
    Device& d = rig->device();
    VertexBufferHandle buffer;
    ASSERT_EQ(d.CreateVertexBuffer(sizeof quad, D3DUSAGE_DYNAMIC, kFvfVertex, D3DPOOL_DEFAULT, &buffer), D3D_OK);
    void* bytes = nullptr;
    ASSERT_EQ(d.Lock(buffer, 0, 0, &bytes, 0), D3D_OK);
    std::memcpy(bytes, quad, sizeof quad);
    d.Unlock(buffer);
    d.SetFVF(kFvfVertex);
    d.SetStreamSource(0, buffer, 0, sizeof(ModelVertex));
    rig->state().setState(simRenderState_clearColour, 0xFF000000u);
    rig->renderer().beginScene(true, true, true);
    effect->begin();
    ASSERT_EQ(effect->getPassCount(), 1u);
    effect->beginPass(0);
    d.DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
    effect->endPass();
    effect->end();
    rig->renderer().endSceneWithoutPresent();
    d.Release(buffer);

    const uint32_t lit = pixel(32, 24);
    EXPECT_NEAR(int((lit >> 16) & 0xFF), 200, 2);
    EXPECT_EQ(lit & 0xFFFFu, 0u);
    EXPECT_EQ(pixel(15, 24), 0xFF000000u);
    EXPECT_EQ(pixel(16, 24) & 0xFF0000u, lit & 0xFF0000u);
    EXPECT_EQ(pixel(47, 24) & 0xFF0000u, lit & 0xFF0000u);
    EXPECT_EQ(pixel(48, 24), 0xFF000000u);
}

// A flat colour through the pass's alpha test.
const char* const kAlphaTest = R"(@effect 1
@common
#include "d3d.fxh"
@vertex vs
out vec4 colour;
void main() { colour = gfx_colour; d3dScreenPosition(gfx_position); }
@fragment ps
in vec4 colour;
void main() { d3dColour(colour); }
@technique tech_flat_20_20
@pass vs ps
@state ALPHATESTENABLE TRUE
@state ALPHAFUNC GREATER
@state ALPHAREF 128
@state ALPHABLENDENABLE FALSE
@state ZENABLE FALSE
)";

TEST_F(GlEffect, PassesDrawWithTheAlphaTestAndDirect3DPixelCentres) {
    auto effect = make("flat.fx", kAlphaTest, "tech_flat");
    ASSERT_TRUE(effect->getEffect());
    rig->state().setState(simRenderState_clearColour, 0xFF000000u);
    uint32_t alphaTestBefore = 0, alphaTest = 0;
    rig->device().GetRenderState(D3DRS_ALPHATESTENABLE, &alphaTestBefore);
    drawRects(*effect, {{RECT{8, 4, 16, 12}, 0xFFFF0000u}, {RECT{30, 4, 40, 12}, 0x8000FF00u},
                        {RECT{30, 20, 40, 30}, 0x8100FF00u}});
    // Exactly the pixels the rectangle encloses: none on either side.
    EXPECT_EQ(pixel(8, 4), 0xFFFF0000u);
    EXPECT_EQ(pixel(15, 11), 0xFFFF0000u);
    EXPECT_EQ(pixel(7, 4), 0xFF000000u);
    EXPECT_EQ(pixel(16, 11), 0xFF000000u);
    EXPECT_EQ(pixel(8, 3), 0xFF000000u);
    EXPECT_EQ(pixel(8, 12), 0xFF000000u);
    // Alpha 128 is not greater than 128; 129 is.
    EXPECT_EQ(pixel(35, 8), 0xFF000000u);
    EXPECT_EQ(pixel(35, 25), 0xFF00FF00u);
    rig->device().GetRenderState(D3DRS_ALPHATESTENABLE, &alphaTest);
    EXPECT_EQ(alphaTest, alphaTestBefore);  // put back by end
}

TEST_F(GlEffect, AnEffectDrawsAgainAfterADeviceLoss) {
    auto effect = make("flat.fx", kAlphaTest, "tech_flat");
    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();
    rig->graphics().renderFrameDefault();
    ASSERT_TRUE(rig->state().isValid()) << rig->engine.log();
    rig->state().setState(simRenderState_clearColour, 0xFF000000u);
    drawRects(*effect, {{RECT{8, 4, 16, 12}, 0xFF0000FFu}});
    EXPECT_EQ(pixel(10, 6), 0xFF0000FFu);
    EXPECT_EQ(effect->getEffect()->lostCount(), 1u);
    EXPECT_EQ(effect->getEffect()->resetCount(), 1u);
}

}  // namespace
