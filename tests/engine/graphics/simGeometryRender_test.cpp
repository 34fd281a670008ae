// Drawing loaded models on the recording device: which batches draw, with
// which material, texture, transform and blend states.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simHeirachyNode.h"
#include "engine/graphics/simMaterial.h"
#include "engine/graphics/simOptreeNode.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simTextureLayer.h"
#include "engine/graphics/simVertexBuffer.h"
#include "tests/support/geoSamples.h"
#include "tests/support/imageSamples.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"

namespace {

using testsupport::ModelResources;

// The sample with 36 vertices, its collision child given a layer of its own.
geoFileData drawableSample() {
    geoFileData geo = test::sampleGeo();
    geo.vertices.resize(36, geo.vertices[0]);
    geoFileLayer hidden = geo.roots[0].layers[0];
    hidden.batches = {{geo.box, 6, 12}};
    geo.roots[0].children[0].layers = {hidden};
    return geo;
}

class GeometryRenderTest : public ::testing::Test {
protected:
    GeometryRenderTest() {
        res.writeTexture("textures/skin.bmp");
        gfx.renderer().beginScene(false, false, false);
    }

    simGeometry* load(const geoFileData& geo) {
        res.writeGeo("models/model.geo", geo);
        if (!res.find("models", "model.geo")) return nullptr;
        return ModelResources::geometry("model.geo");
    }
    // The DrawPrimitive calls since the last clear, as (start, count).
    std::vector<std::pair<uint64_t, uint64_t>> draws() const {
        std::vector<std::pair<uint64_t, uint64_t>> out;
        for (const auto& call : gfx.recorder->calls()) {
            if (call.name == "DrawPrimitive") {
                EXPECT_EQ(call.args[0], uint64_t(gfx::D3DPT_TRIANGLELIST));
                out.emplace_back(call.args[1], call.args[2]);
            }
        }
        return out;
    }
    // The device's render state `type` as each DrawPrimitive since the last
    // clear found it (`before`: its value before the first call seen).
    std::vector<uint64_t> deviceStateAtDraws(uint32_t type, uint64_t before) const {
        std::vector<uint64_t> out;
        uint64_t value = before;
        for (const auto& call : gfx.recorder->calls()) {
            if (call.name == "SetRenderState" && call.args[0] == type) value = call.args[1];
            if (call.name == "DrawPrimitive") out.push_back(value);
        }
        return out;
    }
    simStateValue state(uint32_t id) { return gfx.state().getState(id); }
    const simRendererStateObject* object(uint32_t id) { return gfx.state().getStateObject(id); }

    testsupport::RecordingGraphics gfx;
    ModelResources res{gfx.engine};
};

TEST_F(GeometryRenderTest, DrawsTheDrawnNodesBatchesWithTheirMaterial) {
    simGeometry* model = load(drawableSample());
    ASSERT_NE(model, nullptr);
    gfx.recorder->clear();
    model->render(nullptr, nullptr, nullptr, nullptr);

    // The collision child's batch (6..12) is not drawn.
    EXPECT_EQ(draws(), (std::vector<std::pair<uint64_t, uint64_t>>{{0, 2}}));
    EXPECT_EQ(object(simRenderState_vertexBuffer), model->getVertexBuffer());
    EXPECT_EQ(object(simRenderState_material), model->getMaterial(0));
    EXPECT_EQ(object(simRenderState_texture0), model->getMaterial(0)->textures[0]);
    EXPECT_EQ(gfx.recorder->count("SetMaterial"), 1u);
    // Reflectivity 0.25: the stage-1 blend with the blend factor 63.
    EXPECT_EQ(state(simRenderState_stage1Blend), 1u);
    EXPECT_EQ(state(simRenderState_blendFactorAlpha), 63u);
    EXPECT_TRUE(gfx.engine.errors.texts().empty());
}

TEST_F(GeometryRenderTest, WorldMatrixAndGivenTextureReachTheDevice) {
    simGeometry* model = load(drawableSample());
    ASSERT_NE(model, nullptr);
    res.writeTexture("textures/override.bmp", 0xFFFF0000);
    ASSERT_TRUE(res.find("textures", "override.bmp"));
    auto* override = dynamic_cast<simTexture*>(simResources::getResource("override.bmp", false));
    ASSERT_NE(override, nullptr);

    d3dx::Matrix world = d3dx::Matrix::identity();
    world._41 = 5;
    world._42 = 6;
    model->render(&world, nullptr, nullptr, override);
    d3dx::Matrix applied;
    gfx.renderer().getTransform(1, &applied);
    EXPECT_EQ(applied._41, 5.0f);
    EXPECT_EQ(applied._42, 6.0f);
    EXPECT_EQ(object(simRenderState_texture0), override);

    // A null matrix is the identity.
    model->render(nullptr, nullptr, nullptr, nullptr);
    gfx.renderer().getTransform(1, &applied);
    EXPECT_EQ(applied._41, 0.0f);
}

TEST_F(GeometryRenderTest, BatchesDrawWholeTrianglesFromTheirFirstVertex) {
    geoFileData geo = drawableSample();
    geo.roots[0].layers[0].batches = {{geo.box, 30, 30}, {geo.box, 30, 36}, {geo.box, 3, 5}, {geo.box, 7, 15}};
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    gfx.recorder->clear();
    model->render(nullptr, nullptr, nullptr, nullptr);
    // 30..30 was dropped at load; 3..5 holds no whole triangle.
    EXPECT_EQ(draws(), (std::vector<std::pair<uint64_t, uint64_t>>{{30, 2}, {7, 2}}));
    EXPECT_TRUE(gfx.engine.errors.texts().empty());
}

TEST_F(GeometryRenderTest, NodesOfOtherKindsDrawNothing) {
    geoFileData geo = drawableSample();
    geo.roots[0].kind = 7;
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    gfx.recorder->clear();
    model->render(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(draws().empty());
    // The layer is still visited: its material was applied.
    EXPECT_EQ(object(simRenderState_material), model->getMaterial(0));
}

TEST_F(GeometryRenderTest, AColourWithPartAlphaBlendsThroughStageOne) {
    simGeometry* model = load(drawableSample());
    ASSERT_NE(model, nullptr);
    simColour half;
    half.set(128, 10, 20, 30);
    model->render(nullptr, &half, nullptr, nullptr);
    EXPECT_EQ(state(simRenderState_blendFactorAlpha), 128u);
    EXPECT_EQ(state(simRenderState_stage1Blend), 0u);  // put back after the draw

    // Opaque: the material's reflectivity blend stays.
    simColour opaque;
    opaque.set(255, 10, 20, 30);
    model->render(nullptr, &opaque, nullptr, nullptr);
    EXPECT_EQ(state(simRenderState_stage1Blend), 1u);
    EXPECT_EQ(state(simRenderState_blendFactorAlpha), 63u);
}

TEST_F(GeometryRenderTest, MaterialStatesFromReflectivityTransparencyAndSlots) {
    geoFileData geo = drawableSample();
    geo.materials[1].reflectivity = 0.001f;  // 0.255 truncates to 0
    geo.materials[1].transparency = 0.5f;
    geo.roots[0].layers[0].materialIndex = 1;  // glass: one empty slot
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    gfx.state().setState(simRenderState_alphaBlend, 0);
    gfx.recorder->clear();
    model->render(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(state(simRenderState_stage1Blend), 0u);
    EXPECT_EQ(state(simRenderState_blendFactorAlpha), 0u);
    EXPECT_EQ(state(simRenderState_mipmapFilter), 2u);
    EXPECT_EQ(object(simRenderState_texture0), nullptr);
    EXPECT_EQ(draws().size(), 1u);
    // Drawn blended, then blending is switched back off for what follows.
    EXPECT_EQ(deviceStateAtDraws(gfx::D3DRS_ALPHABLENDENABLE, 0), std::vector<uint64_t>{1});
    EXPECT_EQ(state(simRenderState_alphaBlend), 0u);
}

// A canopy listed before the fuselage behind it: the opaque layers of the
// whole model draw first with depth writes, the see-through ones after them
// blended and without depth writes; both states are put back afterwards. A
// skin whose image merely has an alpha channel (every 32-bit image does)
// stays with the opaque layers.
TEST_F(GeometryRenderTest, SeeThroughLayersDrawAfterTheOpaqueOnesWithoutDepthWrites) {
    res.write("textures/streaks.tga", imagesamples::tgaRaw(imagesamples::pattern(4, 4, true)));
    geoFileData geo = drawableSample();
    geoFileMaterial streaks = geo.materials[0];
    streaks.name = "streaks";
    streaks.textures = {"streaks.tga"};
    geo.materials.push_back(streaks);
    geoFileLayer canopy = geo.roots[0].layers[0];
    canopy.materialIndex = 1;  // glass: transparent
    canopy.batches = {{geo.box, 12, 18}};
    geoFileLayer decal = canopy;
    decal.materialIndex = 2;  // opaque material, an image with alpha
    decal.batches = {{geo.box, 18, 24}};
    geoFileNode second = geo.roots[0];
    second.name = "tail";
    second.children.clear();
    second.layers[0].batches = {{geo.box, 24, 30}};
    geo.roots[0].layers.insert(geo.roots[0].layers.begin(), {canopy, decal});
    geo.roots.push_back(second);
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    gfx.state().setState(simRenderState_alphaBlend, 0);
    gfx.state().setState(simRenderState_zWrite, 1);
    gfx.recorder->clear();
    model->render(nullptr, nullptr, nullptr, nullptr);
    // The skin, the body and the second root first, then the canopy.
    EXPECT_EQ(draws(), (std::vector<std::pair<uint64_t, uint64_t>>{{18, 2}, {0, 2}, {24, 2}, {12, 2}}));
    EXPECT_EQ(deviceStateAtDraws(gfx::D3DRS_ZWRITEENABLE, 1), (std::vector<uint64_t>{1, 1, 1, 0}));
    EXPECT_EQ(deviceStateAtDraws(gfx::D3DRS_ALPHABLENDENABLE, 0).back(), 1u);
    EXPECT_EQ(state(simRenderState_zWrite), 1u);
    EXPECT_EQ(state(simRenderState_alphaBlend), 0u);
}

TEST_F(GeometryRenderTest, ALayerWithoutMaterialKeepsTheRenderersMaterial) {
    geoFileData geo = drawableSample();
    geo.roots[0].layers[0].materialIndex = 9;
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->getRootNodes().front()->layers[0]->material, nullptr);
    simMaterial previous(nullptr);
    previous.apply();
    model->render(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(object(simRenderState_material), &previous);
    EXPECT_EQ(draws().size(), 1u);
}

TEST_F(GeometryRenderTest, ABatchDrawnAloneMakesItsBufferCurrent) {
    simGeometry* model = load(drawableSample());
    ASSERT_NE(model, nullptr);
    gfx.state().setState(simRenderState_vertexBuffer, static_cast<const simRendererStateObject*>(nullptr));
    simRenderableObject* batch = model->getAllBatches().front();
    EXPECT_TRUE(batch->canRender());
    EXPECT_FALSE(static_cast<simRenderableObject*>(model->getRootNodes().front())->canRender());
    batch->render(nullptr, nullptr, nullptr);
    EXPECT_EQ(object(simRenderState_vertexBuffer), model->getVertexBuffer());
    EXPECT_EQ(draws().back(), (std::pair<uint64_t, uint64_t>{0, 2}));
}

// Two passes, each drawing the batches again.
constexpr const char* kTwoPassEffect = R"(@effect 1
@common
#include "d3d.fxh"
uniform mat4 shader_transform_worldViewProj;
uniform vec4 shader_geometry_colour;
@vertex vs
void main() {
    d3dPosition(d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_worldViewProj));
}
@fragment ps
void main() {
    d3dColour(shader_geometry_colour);
}
@technique tech_twice_20_20
@pass vs ps
@pass vs ps
)";

TEST_F(GeometryRenderTest, AnEffectDrawsEachBatchOncePerPassKeepingTheReflectivityBlend) {
    simGeometry* model = load(drawableSample());
    ASSERT_NE(model, nullptr);
    const std::string path =
        res.write("effects/twice.fx", std::vector<uint8_t>(kTwoPassEffect, kTwoPassEffect + strlen(kTwoPassEffect)));
    simShaderEffect effect(nullptr, path, "tech_twice");
    ASSERT_NE(effect.getEffect(), nullptr) << gfx.engine.log();
    gfx.recorder->clear();
    model->render(nullptr, nullptr, &effect, nullptr);
    EXPECT_EQ(draws(), (std::vector<std::pair<uint64_t, uint64_t>>{{0, 2}, {0, 2}}));
    EXPECT_EQ(object(simRenderState_shaderEffect), &effect);
    EXPECT_EQ(state(simRenderState_stage1Blend), 1u);
    EXPECT_EQ(state(simRenderState_blendFactorAlpha), 63u);
    gfx.state().setState(simRenderState_shaderEffect, static_cast<const simRendererStateObject*>(nullptr));
}

}  // namespace

namespace {

// A canopy-like material (half transparent, a texture of its own) drawn with
// the opaque paint texture in its place: the material's opacity still asks
// for blending when the override is bound, and the diffuse alpha carries it.
TEST_F(GeometryRenderTest, ATransparentMaterialStaysSeeThroughUnderAnOverrideTexture) {
    res.writeTexture("textures/paint.bmp", 0xFFC04020u);
    ASSERT_TRUE(res.find("textures", "paint.bmp"));
    auto* paint = dynamic_cast<simTexture*>(simResources::getResource("paint.bmp", false));
    ASSERT_NE(paint, nullptr);
    ASSERT_FALSE(paint->hasAlpha());
    geoFileData geo = drawableSample();
    geo.materials[1].textures = {"skin.bmp"};  // glass, transparency 0.5
    geo.roots[0].layers[0].materialIndex = 1;
    simGeometry* model = load(geo);
    ASSERT_NE(model, nullptr);
    EXPECT_FLOAT_EQ(model->getMaterial(1)->d3dMaterial.Diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(model->getMaterial(0)->d3dMaterial.Diffuse.a, 1.0f);
    gfx.state().setState(simRenderState_alphaBlend, 0);
    gfx.recorder->clear();
    model->render(nullptr, nullptr, nullptr, paint);
    EXPECT_EQ(object(simRenderState_texture0), paint);
    EXPECT_EQ(deviceStateAtDraws(gfx::D3DRS_ALPHABLENDENABLE, 0), std::vector<uint64_t>{1});
}

}  // namespace
