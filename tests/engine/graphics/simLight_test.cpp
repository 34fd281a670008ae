// The engine light on the recording device: its device record, direction
// rules, matrices, the light list the effects read, and the restore.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>

#include "engine/graphics/simLight.h"
#include "engine/graphics/simShaderEffectBinding.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/support/recordingGraphics.h"

using namespace gfx;
using testsupport::RecordingGraphics;

namespace {

simColour colour(int a, int r, int g, int b) {
    simColour c;
    c.set(a, r, g, b);
    return c;
}

std::unique_ptr<simLight> makeLight(int32_t type, d3dx::Vector3 position, d3dx::Vector3 direction) {
    return std::make_unique<simLight>("sun", type, position, direction, 1.5f, 2.5f, colour(255, 255, 128, 0),
                                      colour(255, 51, 0, 0), colour(128, 0, 0, 255));
}

TEST(SimLight, APointLightShinesFromItsPositionToTheOrigin) {
    RecordingGraphics rig;
    auto light = makeLight(simLight::point, {0, 10, 0}, {1, 0, 0});
    EXPECT_FLOAT_EQ(light->getDirection().x, 0.0f);
    EXPECT_FLOAT_EQ(light->getDirection().y, -1.0f);
    EXPECT_FLOAT_EQ(light->getDirection().z, 0.0f);
    EXPECT_EQ(light->getRecord().Type, D3DLIGHT_POINT);
}

TEST(SimLight, TheDeviceGetsLightZeroWithTheRecordsValues) {
    RecordingGraphics rig;
    auto light = makeLight(simLight::directional, {1, 2, 3}, {0, 0, 4});
    D3DLIGHT9 record;
    ASSERT_EQ(rig.device().GetLight(0, &record), D3D_OK);
    EXPECT_EQ(record.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_FLOAT_EQ(record.Direction.z, 1.0f);  // normalised
    EXPECT_FLOAT_EQ(record.Position.y, 2.0f);
    EXPECT_FLOAT_EQ(record.Diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(record.Diffuse.g, 128 / 255.0f);
    EXPECT_FLOAT_EQ(record.Specular.r, 0.2f);  // the specular red, everywhere
    EXPECT_FLOAT_EQ(record.Specular.a, 0.2f);
    EXPECT_FLOAT_EQ(record.Ambient.b, 1.0f);
    EXPECT_FLOAT_EQ(record.Ambient.a, 128 / 255.0f);
    EXPECT_FLOAT_EQ(record.Range, std::sqrt(FLT_MAX));
    EXPECT_FLOAT_EQ(record.Falloff, 1.0f);
    EXPECT_EQ(record.Attenuation0 + record.Attenuation1 + record.Attenuation2, 0.0f);
    EXPECT_TRUE(rig.device().state().light0Enabled);
    EXPECT_FLOAT_EQ(light->getFirstValue(), 1.5f);
    EXPECT_FLOAT_EQ(light->getSecondValue(), 2.5f);
}

TEST(SimLight, MatricesFollowTheDirectionAndTheProjection) {
    RecordingGraphics rig;
    auto light = makeLight(simLight::directional, {0, 0, -5}, {0, 0, -1});
    // Looking along +z from the origin after moving by -position: the
    // position lands 0 in front, a point at the origin 5 ahead.
    d3dx::Vector3 origin{0, 0, 0}, out;
    d3dx::Vec3TransformCoord(&out, &origin, &light->getViewMatrix());
    EXPECT_NEAR(out.z, 5.0f, 1e-5f);
    d3dx::Matrix scale;
    d3dx::MatrixScaling(&scale, 2, 2, 2);
    light->setProjectionMatrix(scale);
    light->setDirection({0, 0, -3});
    EXPECT_FLOAT_EQ(light->getDirection().z, -1.0f);
    d3dx::Vec3TransformCoord(&out, &origin, &light->getViewProjectionMatrix());
    EXPECT_NEAR(out.z, 10.0f, 1e-5f);
}

TEST(SimLight, MovingTheLightReachesTheDeviceAndItsView) {
    RecordingGraphics rig;
    auto light = makeLight(simLight::directional, {0, 0, -5}, {0, 0, -1});
    light->setPosition({1, 2, -8});
    D3DLIGHT9 record;
    ASSERT_EQ(rig.device().GetLight(0, &record), D3D_OK);
    EXPECT_FLOAT_EQ(record.Position.x, 1.0f);
    EXPECT_FLOAT_EQ(record.Position.y, 2.0f);
    EXPECT_FLOAT_EQ(record.Position.z, -8.0f);
    EXPECT_FLOAT_EQ(record.Direction.z, -1.0f);  // the direction stays
    // The view now starts at the new position: the origin lies 8 ahead.
    d3dx::Vector3 origin{0, 0, 0}, out;
    d3dx::Vec3TransformCoord(&out, &origin, &light->getViewMatrix());
    EXPECT_NEAR(out.z, 8.0f, 1e-5f);
}

TEST(SimLight, ALightShiningStraightDownOrUpStillHasAView) {
    RecordingGraphics rig;
    // A sun overhead is the common case of a flying site; a light along the
    // y axis has no sideways axis with y as up.
    for (const d3dx::Vector3& direction : {d3dx::Vector3(0, -1, 0), d3dx::Vector3(0, 1, 0),
                                           d3dx::Vector3(0.0006f, 1, 0.0008f)}) {
        // The light stands 10 units towards its direction from the origin.
        auto light = makeLight(simLight::directional, direction * 10.0f, direction);
        const d3dx::Matrix& view = light->getViewMatrix();
        for (int i = 0; i < 16; ++i) ASSERT_TRUE(std::isfinite(view.m[i / 4][i % 4])) << direction.y;
        // The ground point the light shines on lies 10 ahead, on the view's axis.
        d3dx::Vector3 origin{0, 0, 0}, out;
        d3dx::Vec3TransformCoord(&out, &origin, &view);
        EXPECT_NEAR(out.x, 0.0f, 1e-3f);
        EXPECT_NEAR(out.y, 0.0f, 1e-3f);
        EXPECT_NEAR(out.z, 10.0f, 1e-2f);
        // The view keeps lengths: a unit step along x stays a unit step.
        d3dx::Vector3 step{1, 0, 0}, turned;
        d3dx::Vec3TransformNormal(&turned, &step, &view);
        EXPECT_NEAR(d3dx::Vec3Length(&turned), 1.0f, 1e-4f);
    }
}

TEST(SimLight, TheFirstLightMadeIsTheOneTheEffectsRead) {
    RecordingGraphics rig;
    EXPECT_EQ(simShaderEffectFirstLight(), nullptr);
    auto first = makeLight(simLight::directional, {0, 1, 0}, {0, -1, 0});
    auto second = makeLight(simLight::directional, {0, 1, 0}, {0, -1, 0});
    EXPECT_EQ(simShaderEffectFirstLight(), first.get());
    first.reset();
    EXPECT_EQ(simShaderEffectFirstLight(), second.get());
    second.reset();
    EXPECT_EQ(simShaderEffectFirstLight(), nullptr);
}

TEST(SimLight, TheLightIsAppliedAgainAfterAReset) {
    RecordingGraphics rig;
    auto light = makeLight(simLight::directional, {0, 1, 0}, {0, -1, 0});
    rig.device().SimulateDeviceLoss();
    rig.graphics().renderFrameDefault();
    rig.graphics().renderFrameDefault();
    ASSERT_TRUE(rig.state().isValid()) << rig.engine.log();
    D3DLIGHT9 record;
    ASSERT_EQ(rig.device().GetLight(0, &record), D3D_OK);
    EXPECT_FLOAT_EQ(record.Direction.y, -1.0f);
    EXPECT_TRUE(rig.device().state().light0Enabled);
    // A restore without a reset does not apply it again.
    rig.recorder->clear();
    light->onDeviceRestore();
    EXPECT_EQ(rig.recorder->count("SetLight"), 0u);
}

}  // namespace
