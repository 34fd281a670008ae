// The shadow handler on the recording device: the darkening alpha, the
// stencil pass's state sequence, the shadow map's creation and failures, the
// caster fit and the shadow-map pass's targets.
#include <gtest/gtest.h>

#include <cmath>
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
using scenetest::BroadcastListener;
using scenetest::cubeAt;
using scenetest::events;
using scenetest::joined;
using scenetest::kQuarterTurn;
using scenetest::NotingRenderable;
using scenetest::SceneTest;
using testsupport::SceneTestCamera;

namespace {

TEST(ShadowDarkening, AlphaIsKeptWithinTheByteForEveryAmbient) {
    struct Case {
        int ambient;
        uint32_t alpha;
    };
    const Case cases[] = {
        {0, 255}, {60, 165}, {100, 105}, {101, 103},  // 103.5 truncated
        {170, 0}, {171, 0},                            // -1.5 would wrap round to 255
        {200, 0}, {255, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(simSceneShadower::darkeningAlpha(c.ambient), c.alpha) << c.ambient;
}

simColour colour(int red, int green, int blue) {
    simColour c;
    c.set(255, red, green, blue);
    return c;
}

// A camera looking at the origin and a light with the given ambient.
class ShadowerTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        camera = std::make_unique<SceneTestCamera>("A");
        camera->look({0, 0, 10}, {0, 0, 0}, kQuarterTurn, 1.0f, 100.0f);
    }
    void makeLight(const simColour& ambient) {
        light = std::make_unique<simLight>("sun", simLight::directional, Vector3(0, 100, 0), Vector3(0, -1, 0), 0.0f,
                                           0.0f, colour(255, 255, 255), colour(0, 0, 0), ambient);
    }
    simSceneShadower& shadower() { return scene().getShadower(); }

    std::unique_ptr<SceneTestCamera> camera;
    std::unique_ptr<simLight> light;
};

TEST_F(ShadowerTest, LightsJoinTheSceneList) {
    makeLight(colour(50, 50, 50));
    EXPECT_EQ(scene().getLights().getLight(0), light.get());
    EXPECT_EQ(scene().getLights().getLight(1), nullptr);
    light.reset();
    EXPECT_EQ(scene().getLights().getLight(0), nullptr);
}

TEST_F(ShadowerTest, StencilPassWithoutALightDoesNothing) {
    rig.recorder->clear();
    shadower().renderStencilShadows();
    EXPECT_EQ(rig.recorder->calls().size(), 0u) << rig.recorder->text();
}

TEST_F(ShadowerTest, StencilPassMarksThenDarkensWithTheClampedAlpha) {
    // This program's light is brighter than 170 in ambient: the darkening
    // must not wrap round to an opaque black.
    makeLight(colour(200, 180, 150));
    BroadcastListener listener;
    listener.onLit = [] {
        const simRendererState* s = g_graphics->getRenderer()->getState();
        events().push_back("stencil " + std::to_string(s->getState(simRenderState_stencilMode)) + " blend " +
                           std::to_string(s->getState(simRenderState_blendMode)) + " depth " +
                           std::to_string(s->getState(simRenderState_zWrite)) + "," +
                           std::to_string(s->getState(simRenderState_zFunction)));
        // A shape for the darkening to darken.
        g_graphics->getRenderer()->drawRect(d3dx::Vector2(0, 0), d3dx::Vector2(4, 4), 0xFF000000u, nullptr);
    };
    state().setState(simRenderState_zWrite, 1);
    state().setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
    shadower().renderStencilShadows();
    // The shapes are marked without depth (ALWAYS is 8); the lit pass after
    // the darkening gets its depth states back.
    EXPECT_EQ(joined(events()), "lit:0\nstencil 2 blend 2 depth 0,8\n");
    EXPECT_EQ(state().getState(simRenderState_stencilMode), 0u);
    EXPECT_EQ(state().getState(simRenderState_blendMode), 0u);
    EXPECT_EQ(state().getState(simRenderState_zWrite), 1u);
    EXPECT_EQ(state().getState(simRenderState_zFunction), static_cast<simStateValue>(gfx::D3DCMP_LESSEQUAL));
    EXPECT_EQ(state().getState(simRenderState_alphaBlend), 1u);
    // Flat shading around the pass, Gouraud after it.
    const std::string log = rig.recorder->text();
    const size_t flat = log.find("SetRenderState(9,1)");
    const size_t gouraud = log.rfind("SetRenderState(9,2)");
    ASSERT_NE(flat, std::string::npos) << log;
    ASSERT_NE(gouraud, std::string::npos) << log;
    EXPECT_LT(flat, gouraud);
    // The shape, then one rectangle (two triangles) drawn after the stencil
    // mode became 3.
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), 2u);
}

TEST_F(ShadowerTest, DarkeningDrawsOnlyWhileTheStencilMayHoldShapes) {
    // The darkening rectangle covers the whole back buffer: shaded for
    // nothing when no shape has marked the stencil since its clear. A shape
    // marked for one camera still darkens under the next one's rectangle.
    makeLight(colour(50, 50, 50));
    BroadcastListener listener;
    simRenderer* renderer = g_graphics->getRenderer();
    auto draws = [&] {
        rig.recorder->clear();
        shadower().renderStencilShadows();
        return rig.recorder->count("DrawPrimitive");
    };
    renderer->clear(false, false, true);
    EXPECT_EQ(draws(), 0u) << "nothing marked since the clear";
    listener.onLit = [] {
        g_graphics->getRenderer()->drawRect(d3dx::Vector2(0, 0), d3dx::Vector2(4, 4), 0xFF000000u, nullptr);
    };
    EXPECT_EQ(draws(), 2u) << "a shape, then the darkening";
    listener.onLit = nullptr;
    EXPECT_EQ(draws(), 1u) << "the next camera: the shape is still marked";
    renderer->clear(true, true, false);
    EXPECT_EQ(draws(), 1u) << "a clear that keeps the stencil keeps the marks";
    renderer->clear(false, false, true);
    EXPECT_EQ(draws(), 0u) << "the stencil cleared again";
}

TEST_F(ShadowerTest, CastersAreTheStencilShapesWithoutAShadowMap) {
    makeLight(colour(50, 50, 50));
    NotingRenderable caster("caster"), weak("weak");
    simSceneNode* root = scene().getRootNode();
    for (NotingRenderable* r : {&caster, &weak}) {
        auto* item = new simSceneItem(r->name, r, root);
        item->box = cubeAt({0, 0, 0});
        item->castsShadow = true;
        item->visibility = r == &caster ? 200 : 199;
        shadower().getCasters().push_back(item);
    }
    shadower().renderStencilShadows();
    EXPECT_EQ(joined(events()), "draw:caster\n");
}

TEST_F(ShadowerTest, WithAShadowMapTheStencilPassWaitsForLitItems) {
    makeLight(colour(50, 50, 50));
    shadower().shadowMapWidth = shadower().shadowMapHeight = 128.0f;
    BroadcastListener listener;
    shadower().renderStencilShadows();
    EXPECT_TRUE(events().empty());
    listener.litItems = 1;
    shadower().renderStencilShadows();
    EXPECT_EQ(joined(events()), "lit:0\n");
}

TEST_F(ShadowerTest, WithoutASizeNoShadowMapIsMade) {
    shadower().create();
    EXPECT_EQ(shadower().getShadowMap(), nullptr);
    EXPECT_FALSE(shadower().hasSurfaces());
    EXPECT_EQ(shadower().getShadowEffect(), nullptr);
    EXPECT_EQ(shadower().getLitEffect(), shadower().getLowLightingEffect());
    EXPECT_EQ(state().getState(simRenderState_texture2), 0u);
}

TEST_F(ShadowerTest, ASizedHandlerMakesItsMapAndSurfacesAndDrawsIntoThem) {
    shadower().shadowMapWidth = 256.0f;
    shadower().shadowMapHeight = 128.0f;
    shadower().create();
    ASSERT_NE(shadower().getShadowMap(), nullptr);
    EXPECT_TRUE(shadower().hasSurfaces());
    EXPECT_EQ(shadower().getShadowMap()->getWidth(), 256);
    EXPECT_EQ(shadower().getShadowMap()->getFormat(), gfx::D3DFMT_R32F);
    EXPECT_EQ(state().getStateObject(simRenderState_texture2), shadower().getShadowMap());

    rig.recorder->clear();
    shadower().renderShadowMap();
    // Into the map, cleared white, the border lines, then back to the frame.
    EXPECT_EQ(rig.recorder->count("SetRenderTarget"), 2u) << rig.recorder->text();
    EXPECT_EQ(rig.recorder->count("SetDepthStencilSurface"), 2u);
    EXPECT_EQ(rig.recorder->count("Clear"), 1u);
    gfx::SurfaceHandle target;
    ASSERT_EQ(rig.device().GetRenderTarget(0, &target), gfx::D3D_OK);
    EXPECT_EQ(target, rig.renderer().getDefaultRenderTarget());
    gfx::D3DVIEWPORT9 v;
    ASSERT_EQ(rig.device().GetViewport(&v), gfx::D3D_OK);
    EXPECT_EQ(v.Width, 800u);

    // A device loss drops them; the recreate makes them again.
    scene().onDeviceRelease();
    EXPECT_EQ(shadower().getShadowMap(), nullptr);
    scene().onDeviceRecreate();
    EXPECT_NE(shadower().getShadowMap(), nullptr);
    EXPECT_TRUE(shadower().hasSurfaces());
}

TEST_F(ShadowerTest, AFailedShadowTextureLeavesShadowMappingOff) {
    shadower().shadowMapWidth = shadower().shadowMapHeight = 256.0f;
    rig.recorder->failNext(gfx::Recorder::Failure::CreateRenderTarget, gfx::D3DERR_OUTOFVIDEOMEMORY);
    rig.engine.clearLog();
    shadower().create();
    EXPECT_EQ(shadower().getShadowMap(), nullptr);
    EXPECT_NE(rig.engine.log().find(
                  "ERROR (simSceneShadower): Shadow render texture not created. Shadowing disabled.\n"),
              std::string::npos)
        << rig.engine.log();
    rig.recorder->clear();
    shadower().renderShadowMap();
    EXPECT_EQ(rig.recorder->count("SetRenderTarget"), 0u);
}

TEST_F(ShadowerTest, BoundsCollectOnlyCastersThatMayCast) {
    NotingRenderable r("r");
    simSceneNode* root = scene().getRootNode();
    auto caster = [&](int visibility, bool flag, float half) {
        auto* item = new simSceneItem("c", &r, root);
        item->box = cubeAt({0, 0, 0}, half);
        item->visibility = visibility;
        item->castsShadow = flag;
        shadower().getCasters().push_back(item);
    };
    caster(200, true, 1.0f);   // collected
    caster(199, true, 1.0f);   // too faint
    caster(250, false, 1.0f);  // does not cast
    caster(250, true, 0.0f);   // a point: no extent
    BroadcastListener listener;
    listener.extraBound = cubeAt({5, 0, 0});
    shadower().collectBounds();
    EXPECT_EQ(shadower().getShadowBounds().size(), 2u);
}

TEST_F(ShadowerTest, FitKeepsNearAtOneWhenTheCameraIsInsideACaster) {
    NotingRenderable r("r");
    auto* item = new simSceneItem("c", &r, scene().getRootNode());
    item->box = cubeAt({0, 0, 8}, 5.0f);  // its sphere holds the camera at z = 10
    item->visibility = 200;
    item->castsShadow = true;
    shadower().getCasters().push_back(item);
    shadower().collectBounds();
    shadower().fitToCamera();
    EXPECT_FLOAT_EQ(shadower().getNearDistance(), 1.0f);
    EXPECT_FALSE(std::isnan(shadower().getFarDistance()));
    EXPECT_GT(shadower().getFarDistance(), 2.0f);
    EXPECT_TRUE(shadower().getCasterBox().hasExtent());
    EXPECT_TRUE(shadower().getReceiverBox().hasExtent());
}

TEST_F(ShadowerTest, FitWithoutCastersLeavesAnEmptySlice) {
    shadower().collectBounds();
    shadower().fitToCamera();
    EXPECT_FLOAT_EQ(shadower().getNearDistance(), 10000.0f);
    EXPECT_FLOAT_EQ(shadower().getFarDistance(), 0.0f);
    EXPECT_FALSE(shadower().getCasterBox().hasExtent());
}

TEST_F(ShadowerTest, BoundsFarAwayOrOutOfViewDoNotEnterTheFit) {
    BroadcastListener listener;
    listener.extraBound = cubeAt({0, 0, -20000});  // beyond 10000
    shadower().collectBounds();
    shadower().fitToCamera();
    EXPECT_FALSE(shadower().getCasterBox().hasExtent());
    listener.extraBound = cubeAt({500, 0, 0});  // outside the view
    shadower().collectBounds();
    shadower().fitToCamera();
    EXPECT_FALSE(shadower().getCasterBox().hasExtent());
}

TEST_F(ShadowerTest, LightFitPutsTheCastersInsideTheShadowTransform) {
    BroadcastListener listener;
    listener.extraBound = cubeAt({0, 0, 0}, 2.0f);
    // A slanting sun and one straight overhead, where a look-at with the
    // world's up has no sideways axis.
    for (const Vector3 direction : {Vector3(1, -2, 0.5f), Vector3(0, -1, 0)}) {
        light = std::make_unique<simLight>("sun", simLight::directional, Vector3(0, 100, 0), direction, 0.0f, 0.0f,
                                           colour(255, 255, 255), colour(0, 0, 0), colour(50, 50, 50));
        shadower().collectBounds();
        shadower().fitToCamera();
        shadower().fitLight();
        d3dx::Vector4 p;
        const Vector3 centre = shadower().getCasterBox().centre;
        d3dx::Vec3Transform(&p, &centre, &shadower().getShadowTransform());
        EXPECT_LE(std::fabs(p.x / p.w), 1.0f) << direction.y;
        EXPECT_LE(std::fabs(p.y / p.w), 1.0f) << direction.y;
        EXPECT_GT(shadower().getLightFarPlane(), 1.5f) << direction.y;
        light.reset();
    }
}

TEST_F(ShadowerTest, LightFitWithoutCastersKeepsAFiniteTransform) {
    makeLight(colour(50, 50, 50));
    shadower().collectBounds();
    shadower().fitToCamera();
    shadower().fitLight();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_TRUE(std::isfinite(shadower().getShadowTransform()(r, c))) << r << c;
}

TEST_F(ShadowerTest, ReceiversOffOneEdgeOfTheLightViewStayFinite) {
    // Casters far off to the side of what the camera sees: every receiver
    // corner clamps to one edge of the light's view.
    makeLight(colour(50, 50, 50));
    BroadcastListener listener;
    listener.extraBound = cubeAt({-8, 0, 0}, 0.5f);
    shadower().collectBounds();
    shadower().fitToCamera();
    shadower().fitLight();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_TRUE(std::isfinite(shadower().getShadowTransform()(r, c))) << r << c;
}

}  // namespace
