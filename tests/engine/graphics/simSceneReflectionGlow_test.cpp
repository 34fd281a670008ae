// The reflection and glow handlers on the recording device: idle until
// switched on, their maps and surfaces, the render-target and state
// sequences of their passes, failures and device loss.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/graphics/simLight.h"
#include "engine/graphics/simSceneItem.h"
#include "engine/graphics/simSceneNode.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/d3dTypes.h"
#include "tests/engine/graphics/sceneTestRig.h"

using d3dx::Vector3;
using scenetest::cubeAt;
using scenetest::events;
using scenetest::joined;
using scenetest::kQuarterTurn;
using scenetest::NotingRenderable;
using scenetest::SceneTest;
using testsupport::SceneTestCamera;

namespace {

// The names of the device calls in order, for sequence checks.
std::string callNames(const gfx::Recorder& recorder, std::initializer_list<const char*> keep) {
    std::string names;
    for (const auto& call : recorder.calls())
        for (const char* name : keep)
            if (call.name == name) names += call.name + " ";
    return names;
}

class HandlerTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        camera = std::make_unique<SceneTestCamera>("A");
        camera->look({0, 5, 10}, {0, 0, 0}, kQuarterTurn, 1.0f, 100.0f);
        camera->apply();
    }
    simSceneReflector& reflector() { return scene().getReflector(); }
    simSceneGlowHandler& glow() { return scene().getGlowHandler(); }
    std::unique_ptr<SceneTestCamera> camera;
};

// ---- Reflection

TEST_F(HandlerTest, DisabledReflectionLeavesEverythingAlone) {
    EXPECT_EQ(reflector().enabled, 0u);
    EXPECT_EQ(reflector().getReflectionMap(), nullptr);
    rig.recorder->clear();
    reflector().render();
    EXPECT_EQ(rig.recorder->calls().size(), 0u) << rig.recorder->text();
}

TEST_F(HandlerTest, MirrorPlaneClipPlaneAndReflection) {
    reflector().setPlane({0, 2, 0}, {0, 1, 0});
    EXPECT_FLOAT_EQ(reflector().getMirrorPlane().b, 1.0f);
    EXPECT_FLOAT_EQ(reflector().getMirrorPlane().d, -2.0f);
    EXPECT_FLOAT_EQ(reflector().getClipPlane().b, -1.0f);
    EXPECT_FLOAT_EQ(reflector().getClipPlane().d, 2.0f);
    // A point 3 above the mirror lands 3 below it.
    const Vector3 above(1, 5, 1);
    Vector3 mirrored;
    d3dx::Vec3TransformCoord(&mirrored, &above, &reflector().getReflectionMatrix());
    EXPECT_NEAR(mirrored.y, -1.0f, 1e-5f);
    EXPECT_NEAR(mirrored.x, 1.0f, 1e-5f);
}

TEST_F(HandlerTest, ReflectionDrawsMirroredIntoItsMapWithOverridesThenPutsEverythingBack) {
    reflector().create(1);
    ASSERT_NE(reflector().getReflectionMap(), nullptr);
    EXPECT_EQ(reflector().getReflectionMap()->getWidth(), 800);
    EXPECT_EQ(reflector().getReflectionMap()->getHeight(), 600);
    EXPECT_TRUE(reflector().hasSurfaces());

    NotingRenderable r("r");
    auto* node = new simSceneNode(simRenderState_backfaceCullMode, 2, scene().getRootNode());
    auto* item = new simSceneItem("r", &r, node);
    item->box = cubeAt({0, 1, 0});
    state().setState(simRenderState_backfaceCullMode, 2);
    rig.recorder->clear();
    reflector().render();

    EXPECT_EQ(joined(events()), "draw:r\n");
    EXPECT_EQ(r.cullAtDraw.back(), 0u);  // the override, not the node's 2
    EXPECT_TRUE(scene().getStateOverrides().empty());
    EXPECT_EQ(callNames(*rig.recorder, {"SetRenderTarget", "SetDepthStencilSurface", "Clear", "SetClipPlane"}),
              "SetRenderTarget SetDepthStencilSurface Clear SetClipPlane SetRenderTarget SetDepthStencilSurface ");
    EXPECT_EQ(rig.recorder->count("SetRenderState", gfx::D3DRS_CLIPPLANEENABLE), 2u);  // on, then off
    gfx::SurfaceHandle target;
    ASSERT_EQ(rig.device().GetRenderTarget(0, &target), gfx::D3D_OK);
    EXPECT_EQ(target, rig.renderer().getDefaultRenderTarget());
    d3dx::Matrix view;
    rig.renderer().getTransform(2, &view);
    EXPECT_EQ(view, camera->getViewMatrix());
    EXPECT_EQ(state().getState(simRenderState_zWrite), 0u);
    EXPECT_EQ(state().getState(simRenderState_alphaBlend), 1u);
}

TEST_F(HandlerTest, CreateWithTheSameValueDoesNothingAndRecreateRebuilds) {
    reflector().create(1);
    simTexture* map = reflector().getReflectionMap();
    rig.recorder->clear();
    reflector().create(1);
    EXPECT_EQ(reflector().getReflectionMap(), map);
    EXPECT_EQ(rig.recorder->calls().size(), 0u);
    scene().onDeviceRelease();
    EXPECT_EQ(reflector().getReflectionMap(), nullptr);
    EXPECT_EQ(reflector().enabled, 1u);
    scene().onDeviceRecreate();
    EXPECT_NE(reflector().getReflectionMap(), nullptr);
    EXPECT_TRUE(reflector().hasSurfaces());
    reflector().create(0);
    EXPECT_EQ(reflector().getReflectionMap(), nullptr);
    EXPECT_FALSE(reflector().hasSurfaces());
}

TEST_F(HandlerTest, AFailedReflectionTextureDisablesTheHandler) {
    rig.recorder->failNext(gfx::Recorder::Failure::CreateRenderTarget, gfx::D3DERR_OUTOFVIDEOMEMORY);
    rig.engine.clearLog();
    reflector().create(1);
    EXPECT_EQ(reflector().enabled, 0u);
    EXPECT_EQ(reflector().getReflectionMap(), nullptr);
    EXPECT_NE(rig.engine.log().find(
                  "ERROR (simSceneReflector): Reflection render texture not created. Reflections disabled.\n"),
              std::string::npos)
        << rig.engine.log();
}

// ---- Glow

TEST_F(HandlerTest, DisabledGlowLeavesEverythingAlone) {
    EXPECT_EQ(glow().enabled, 0u);
    rig.recorder->clear();
    glow().render();
    EXPECT_EQ(rig.recorder->calls().size(), 0u);
}

TEST_F(HandlerTest, GlowMapsAreAThirdOfTheBackBuffer) {
    glow().create(1);
    ASSERT_NE(glow().getMap(0), nullptr);
    ASSERT_NE(glow().getMap(1), nullptr);
    EXPECT_TRUE(glow().hasSurfaces());
    EXPECT_EQ(glow().getMap(0)->getWidth(), 266);   // 800 x 0.333
    EXPECT_EQ(glow().getMap(0)->getHeight(), 199);  // 600 x 0.333
    EXPECT_EQ(glow().getMap(1)->getFormat(), gfx::D3DFMT_X8R8G8B8);
}

TEST_F(HandlerTest, GlowPassDownsamplesBlursAndComposesOntoTheFrame) {
    glow().create(1);
    rig.recorder->clear();
    glow().render();
    EXPECT_EQ(callNames(*rig.recorder, {"StretchRect", "SetRenderTarget", "Clear"}),
              "StretchRect SetRenderTarget Clear SetRenderTarget Clear SetRenderTarget Clear SetRenderTarget ");
    gfx::SurfaceHandle target;
    ASSERT_EQ(rig.device().GetRenderTarget(0, &target), gfx::D3D_OK);
    EXPECT_EQ(target, rig.renderer().getDefaultRenderTarget());
    EXPECT_EQ(state().getState(simRenderState_blendMode), 0u);
}

TEST_F(HandlerTest, GlowItemsLeaveTheListTheirFlagNames) {
    NotingRenderable r("r");
    auto* glowing = new simSceneItem("g", &r, scene().getRootNode());
    glowing->glows = true;
    auto* plain = new simSceneItem("p", &r, scene().getRootNode());
    glow().getGlowItems().push_back(glowing);
    glow().getPlainItems().push_back(plain);
    delete glowing;
    delete plain;
    EXPECT_TRUE(glow().getGlowItems().empty());
    EXPECT_TRUE(glow().getPlainItems().empty());
}

TEST_F(HandlerTest, GlowRebuildsAfterADeviceLoss) {
    glow().create(1);
    scene().onDeviceRelease();
    EXPECT_EQ(glow().getMap(0), nullptr);
    EXPECT_FALSE(glow().hasSurfaces());
    scene().onDeviceRecreate();
    EXPECT_NE(glow().getMap(0), nullptr);
    EXPECT_TRUE(glow().hasSurfaces());
}

TEST_F(HandlerTest, EveryPassRunsInItsPlaceWhenAllAreOn) {
    simColour white, dim;
    white.set(255, 255, 255, 255);
    dim.set(255, 60, 60, 60);
    simLight light("sun", simLight::directional, Vector3(0, 100, 0), Vector3(1, -2, 0), 0.0f, 0.0f, white, dim, dim);
    scenetest::BroadcastListener listener;
    listener.litItems = 1;
    listener.extraBound = cubeAt({0, 0, 0}, 2.0f);
    scene().getShadower().shadowMapWidth = scene().getShadower().shadowMapHeight = 64.0f;
    scene().getShadower().create();
    reflector().create(1);
    glow().create(1);
    ASSERT_TRUE(scene().getShadower().hasSurfaces());
    scenetest::markRecorder() = rig.recorder.get();
    rig.recorder->clear();
    scene().render(true, true);

    // Shadow map (the first target switch and its white clear), the
    // reflection (clip plane), the lit hooks and stencil, the nodes, the
    // sorted pass, then the glow's downsample once after the camera.
    std::string order;
    for (const auto& call : rig.recorder->calls()) {
        if (call.name == "Clear" && call.args.size() > 2 && call.args[2] == 0xFFFFFFFFu) order += "shadowMapClear ";
        if (call.name == "SetClipPlane" || call.name == "StretchRect") order += call.name + " ";
        if (call.name.rfind("mark:", 0) == 0) order += call.name.substr(5) + " ";
    }
    EXPECT_EQ(order,
              "preSceneRender:A shadowMapClear SetClipPlane postScene effects preLitPass:A lit:0 postScene "
              "postLitPass:A preEffectsPass:A effects postEffectsPass:A postSceneRender:A StretchRect ");
}

}  // namespace
