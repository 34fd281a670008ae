// The application camera: its matrices against hand-worked values, its
// controls, Reset, and the 804-byte record (layout, round trip, damage).
#include "app/shell/tbCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simScene.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/sys/clock.h"
#include "tests/support/recordingGraphics.h"

namespace {

void expectNear(const d3dx::Vector3& v, float x, float y, float z, float tolerance = 1e-3f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

bool sameMatrix(const d3dx::Matrix& a, const d3dx::Matrix& b, float tolerance = 1e-5f) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(a.m[r][c] - b.m[r][c]) > tolerance) return false;
    return true;
}

class CameraTest : public ::testing::Test {
protected:
    testsupport::RecordingGraphics graphics;  // 800 x 600 back buffer
};

TEST_F(CameraTest, ViewsMatchHandWorkedValues) {
    tbCamera texture(kStartCameraPresets[0]);
    tbCamera perspective(kStartCameraPresets[1]);
    tbCamera pov(kStartCameraPresets[2]);
    tbCamera topDown(kStartCameraPresets[3]);
    for (tbCamera* camera : {&texture, &perspective, &pov, &topDown}) camera->updateMatrices();

    // Orbit: the eye is (0, 0, d) turned back by the pitch, then the yaw:
    // (-d cos p sin y, d sin p, d cos p cos y) for p = 0.5236, y = -0.7854.
    const float p = 0.52358335f, y = -0.785375f, d = 150.0f;
    expectNear(perspective.getPosition(), -d * std::cos(p) * std::sin(y), d * std::sin(p),
               d * std::cos(p) * std::cos(y), 1e-2f);
    EXPECT_NEAR(perspective.getFieldOfView(), 0.785375f, 1e-6f);
    EXPECT_NEAR(perspective.getProjectionMatrix()._22, 1.0f / std::tan(0.785375f / 2.0f), 1e-4f);

    // The texture camera looks straight at the unit square's centre from 2 away,
    // orthographically, 2 units high and 800/600 x 2 wide.
    expectNear(texture.getPosition(), 0.5f, 0.5f, 2.0f);
    EXPECT_NEAR(texture.getProjectionMatrix()._11, 2.0f / (800.0f / 600.0f * 2.0f), 1e-6f);
    EXPECT_NEAR(texture.getProjectionMatrix()._22, 1.0f, 1e-6f);
    EXPECT_NEAR(texture.getProjectionMatrix()._33, 1.0f / (0.1f - 100000.0f), 1e-9f);

    // First person: at its target, field of view pi / (2 + 4), near 1.
    expectNear(pov.getPosition(), 0.0f, 160.0f, 0.0f);
    EXPECT_NEAR(pov.getFieldOfView(), 3.1415927f / 6.0f, 1e-6f);
    EXPECT_NEAR(pov.getProjectionMatrix()._22, 1.0f / std::tan(3.1415927f / 12.0f), 1e-4f);

    // Top-down: the near plane follows the distance (at least 0.1), the far
    // plane lies 25000 beyond the unraised near plane.
    EXPECT_NEAR(topDown.getNearDistance(), 0.1f, 1e-6f);
    EXPECT_NEAR(topDown.getFarDistance(), 25000.0f, 1e-3f);
    topDown.setDistance(20000.0f);
    topDown.updateMatrices();
    EXPECT_NEAR(topDown.getNearDistance(), 7500.0f, 1e-2f);
    EXPECT_NEAR(topDown.getFarDistance(), 32500.0f, 1e-2f);
    // It looks down at the origin from d above (the target (0, -1000, 0) is
    // subtracted), pitched by the shortened half pi 1.57075, so not quite
    // straight: the eye is (0, d sin a + 1000, d cos a).
    const float a = 1.57075f;
    expectNear(topDown.getPosition(), 0.0f, 20000.0f * std::sin(a) + 1000.0f, 20000.0f * std::cos(a), 2e-2f);
}

simInputEvent wheel(bool towardsUser, bool shift = false) {
    simInputEvent e;
    e.type = simInputEvent_wheel;
    e.wheelDirection = towardsUser ? 1 : 0;
    e.shift = shift ? 1 : 0;
    return e;
}

simInputEvent key(uint32_t code, uint32_t state) {
    simInputEvent e;
    e.type = simInputEvent_key;
    e.key = code;
    e.keyState = state;
    return e;
}

TEST_F(CameraTest, WheelAndKeysZoomOnlyTheViewCamera) {
    tbCamera orbit(kStartCameraPresets[1]);
    tbCamera pov(kStartCameraPresets[2]);
    tbCamera::setViewCamera(&orbit);

    simInputEvent e = wheel(true);
    orbit.onEvent(&e);
    EXPECT_FLOAT_EQ(orbit.distance(), 180.0f);
    e = wheel(false);
    orbit.onEvent(&e);
    EXPECT_FLOAT_EQ(orbit.distance(), 144.0f);
    e = wheel(true, /*shift*/ true);  // belongs to the brush
    orbit.onEvent(&e);
    EXPECT_FLOAT_EQ(orbit.distance(), 144.0f);
    pov.onEvent(&e);  // not the view camera
    EXPECT_FLOAT_EQ(pov.distance(), 2.0f);

    orbit.setDistance(0.011f);
    for (int i = 0; i < 5; ++i) {
        e = wheel(false);
        orbit.onEvent(&e);
    }
    EXPECT_FLOAT_EQ(orbit.distance(), 0.01f);

    // First person: +-0.2 per notch, kept within -1 and 5.
    tbCamera::setViewCamera(&pov);
    for (int i = 0; i < 30; ++i) {
        e = wheel(false);
        pov.onEvent(&e);
    }
    EXPECT_FLOAT_EQ(pov.distance(), 5.0f);
    for (int i = 0; i < 60; ++i) {
        e = wheel(true);
        pov.onEvent(&e);
    }
    EXPECT_FLOAT_EQ(pov.distance(), -1.0f);
    tbCamera::setViewCamera(nullptr);
}

TEST_F(CameraTest, HeldZoomKeyZoomsByTimeNotByFrameCount) {
    sys::ManualClock clock;
    tbCamera orbit(kStartCameraPresets[1]);
    tbCamera::setViewCamera(&orbit);
    // A tap is one step.
    simInputEvent e = key(40, simKeyState_pressed);
    orbit.onEvent(&e);
    EXPECT_NEAR(orbit.distance(), 150.0f * 1.025f, 1e-3f);

    // One second held at 600 frames per second zooms as one second at 60.
    auto holdFor = [&](int frames, double frameMs) {
        for (int i = 0; i < frames; ++i) {
            clock.advance(frameMs);
            simInputEvent held = key(40, simKeyState_held);
            orbit.onEvent(&held);
        }
    };
    orbit.setDistance(100.0f);
    holdFor(600, 1000.0 / 600.0);
    const float fast = orbit.distance();
    orbit.setDistance(100.0f);
    holdFor(60, 1000.0 / 60.0);
    const float slow = orbit.distance();
    EXPECT_NEAR(fast, slow, slow * 1e-3f);
    EXPECT_NEAR(slow, 100.0f * std::pow(1.025f, 60.0f), 0.5f);

    // A long stall is capped.
    orbit.setDistance(100.0f);
    holdFor(1, 5000.0);
    EXPECT_NEAR(orbit.distance(), 100.0f * std::pow(1.025f, 6.0f), 1e-2f);
    tbCamera::setViewCamera(nullptr);
}

TEST_F(CameraTest, FixedViewsAndBackToTheSavedPerspective) {
    tbCamera camera(kStartCameraPresets[1]);
    const d3dx::Matrix start = camera.getOrientationMatrix();
    camera.setOrientationMode(3);
    EXPECT_EQ(camera.getName(), "Top");
    EXPECT_EQ(camera.projectionMode(), tbCamera::kOrthographic);
    EXPECT_EQ(graphics.graphics().getCurrentCamera(), &camera);
    camera.setOrientationMode(0);
    EXPECT_EQ(camera.getName(), "Perspective");
    EXPECT_EQ(camera.projectionMode(), tbCamera::kOrbit);
    EXPECT_TRUE(sameMatrix(camera.getOrientationMatrix(), start));
    camera.setOrientationMode(9);  // no such view: nothing changes
    EXPECT_EQ(camera.orientationMode(), 0u);
}

TEST_F(CameraTest, ResetReallyResetsTheRotation) {
    tbCamera camera(kStartCameraPresets[1]);
    // The user turned the camera twice (the saved rotation is the first turn)
    // and then looked from the top.
    camera.setRotation({0.1f, 0.2f, 0.0f});
    camera.setRotationMatrix(camera.getOrientationMatrix());
    camera.setOrientationMode(3);
    camera.setTarget({5, 6, 7});
    camera.setDistance(3.0f);

    camera.reset(kResetCameraPresets[1]);
    d3dx::Matrix expected, yaw, pitch;
    d3dx::MatrixRotationY(&yaw, -0.785375f);
    d3dx::MatrixRotationX(&pitch, 0.52358335f);
    d3dx::MatrixMultiply(&expected, &yaw, &pitch);
    EXPECT_TRUE(sameMatrix(camera.getOrientationMatrix(), expected));
    EXPECT_EQ(camera.getName(), "Perspective");
    EXPECT_EQ(camera.orientationMode(), 0u);
    EXPECT_FLOAT_EQ(camera.distance(), 150.0f);
    EXPECT_FLOAT_EQ(camera.getFarDistance(), 50000.0f);
    // Perspective after the reset keeps the reset rotation.
    camera.setOrientationMode(0);
    EXPECT_TRUE(sameMatrix(camera.getOrientationMatrix(), expected));
}

// A right-button drag turns the view camera, and the scene's first light
// follows it as a headlight: to the camera's place, shining along its view.
// With Alt held the same drag pans instead: the target moves, the angles stay.
TEST_F(CameraTest, DraggingTheViewCarriesTheHeadlightAlong) {
    simInput input;
    new simMouse();  // owned by the input system
    new simScene();  // owned by the graphics system
    simColour white;
    white.set(255, 255, 255, 255);
    simLight light("tLight", simLight::directional, {0, 0, 200}, {0, 0, -1}, 1000.0f, 1.0f, white, white, white);
    tbCamera orbit(kStartCameraPresets[1]);
    orbit.updateMatrices();
    tbCamera::setViewCamera(&orbit);

    input.getMouse()->onButton(2, 1);  // the right button
    simInputEvent move;
    move.type = simInputEvent_mouseMove;
    move.x = 150;
    move.y = 120;
    move.dx = 50;
    move.dy = 20;
    orbit.onEvent(&move);
    EXPECT_NEAR(orbit.angles().y, -0.785375f + 0.1f, 1e-6f);
    EXPECT_NEAR(orbit.angles().x, 0.52358335f + 0.04f, 1e-6f);

    // The camera's place and view as last derived (the frame rebuilds them).
    const d3dx::Vector3& at = orbit.getPosition();
    expectNear(light.getPosition(), at.x, at.y, at.z);
    const d3dx::Vector3& forward = orbit.getForward();
    expectNear(light.getDirection(), -forward.x, -forward.y, -forward.z);

    new simKeyboard();  // owned by the input system
    input.getKeyboard()->onAlt(1);
    const d3dx::Vector3 angles = orbit.angles(), target = orbit.target();
    orbit.onEvent(&move);
    EXPECT_EQ(orbit.angles().x, angles.x);
    EXPECT_EQ(orbit.angles().y, angles.y);
    const d3dx::Vector3 moved = orbit.target() - target;
    EXPECT_GT(d3dx::Vec3Length(&moved), 0.0f);
    tbCamera::setViewCamera(nullptr);
}

template <class T>
T at(const std::array<uint8_t, 804>& bytes, size_t offset) {
    T v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

TEST(CameraRecord, FieldsLieAtTheirOffsets) {
    tbCameraRecord r;
    r.angles = {1, 2, 3};
    r.projectionMode = 2;
    r.orientationMode = 5;
    r.savedRotation._11 = 4;
    r.name = "Perspective";
    r.target = {5, 6, 7};
    r.position = {8, 9, 10};
    r.forward = {11, 12, 13};
    r.up = {14, 15, 16};
    r.sphereCentre = {17, 18, 19};
    r.distance = 20;
    r.fieldOfView = 21;
    r.aspect = 22;
    r.nearZ = 23;
    r.farZ = 24;
    r.sphereRadius = 25;
    r.rotation._44 = 26;
    r.view._12 = 27;
    r.projection._21 = 28;
    r.inverseView._43 = 29;
    r.inverseRotation._34 = 30;
    const auto b = tbWriteCameraRecord(r);
    const std::vector<std::pair<size_t, float>> floats = {
        {0, 1},    {8, 3},    {20, 4},   {212, 5},  {224, 8},  {236, 11}, {248, 14}, {272, 17}, {284, 20},
        {288, 3},  {308, 21}, {312, 22}, {316, 22}, {320, 23}, {324, 23}, {328, 24}, {332, 24}, {336, 8},
        {348, 25}, {356 + 60, 26}, {420 + 4, 27}, {548 + 16, 28}, {612 + 56, 29}, {740 + 44, 30}};
    for (const auto& [offset, value] : floats) EXPECT_EQ(at<float>(b, offset), value) << "offset " << offset;
    EXPECT_EQ(at<uint32_t>(b, 12), 2u);
    EXPECT_EQ(at<uint32_t>(b, 16), 5u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data() + 84)), "Perspective");
    // Zero, reserved and unused bytes are zeros.
    for (auto [from, to] : std::vector<std::pair<size_t, size_t>>{
             {84 + 12, 212}, {260, 272}, {292, 308}, {340, 348}, {352, 356}, {484, 548}, {676, 740}})
        for (size_t i = from; i < to; ++i) ASSERT_EQ(b[i], 0) << "byte " << i;
}

TEST_F(CameraTest, RecordRoundTripRebuildsTheSameCamera) {
    tbCamera written(kStartCameraPresets[1]);
    written.setTarget({1, 2, 3});
    written.setDistance(42.0f);
    written.setOrientationMode(4);
    written.updateMatrices();
    std::string longName(127, 'n');

    FILE* file = std::tmpfile();
    ASSERT_TRUE(written.save(file));
    EXPECT_EQ(std::ftell(file), 804);
    std::rewind(file);
    tbCamera read(kStartCameraPresets[0]);
    ASSERT_TRUE(read.load(file));
    std::fclose(file);
    EXPECT_EQ(read.getName(), "Bottom");
    EXPECT_EQ(read.orientationMode(), 4u);
    EXPECT_EQ(read.projectionMode(), tbCamera::kOrthographic);
    EXPECT_FLOAT_EQ(read.distance(), 42.0f);
    EXPECT_TRUE(sameMatrix(read.getViewMatrix(), written.getViewMatrix(), 1e-4f));
    EXPECT_TRUE(sameMatrix(read.getProjectionMatrix(), written.getProjectionMatrix(), 1e-6f));

    // A 127-character name survives; a field without a NUL gives its first
    // 127 characters, which write back unchanged.
    tbCameraRecord record = written.toRecord();
    record.name = longName;
    auto bytes = tbWriteCameraRecord(record);
    tbCameraRecord back;
    ASSERT_TRUE(tbReadCameraRecord(bytes.data(), bytes.size(), back));
    EXPECT_EQ(back.name, longName);
    bytes[84 + 127] = 'x';
    ASSERT_TRUE(tbReadCameraRecord(bytes.data(), bytes.size(), back));
    EXPECT_EQ(back.name, longName);
}

TEST_F(CameraTest, DamagedRecordsAreRefusedAndLeaveTheDefaults) {
    tbCamera source(kStartCameraPresets[1]);
    source.updateMatrices();
    const auto good = tbWriteCameraRecord(source.toRecord());
    struct Damage {
        const char* name;
        size_t offset;
        float value;
    };
    const float nan = std::nanf(""), inf = INFINITY;
    for (const Damage& d : std::vector<Damage>{{"NaN pitch", 0, nan},
                                               {"infinite target", 212, inf},
                                               {"NaN distance", 284, nan},
                                               {"NaN in the rotation", 356 + 20, nan},
                                               {"negative near", 324, -5.0f},
                                               {"far before near", 332, 0.01f},
                                               {"zero aspect", 316, 0.0f},
                                               {"negative aspect", 316, -1.25f}}) {
        SCOPED_TRACE(d.name);
        auto bytes = good;
        std::memcpy(bytes.data() + d.offset, &d.value, 4);
        tbCameraRecord out;
        EXPECT_FALSE(tbReadCameraRecord(bytes.data(), bytes.size(), out));

        tbCamera camera(kStartCameraPresets[2]);
        camera.setDistance(3.5f);
        FILE* file = std::tmpfile();
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::rewind(file);
        EXPECT_FALSE(camera.load(file));
        std::fclose(file);
        EXPECT_EQ(camera.getName(), "POV");
        EXPECT_FLOAT_EQ(camera.distance(), 2.0f);
    }
    // Cut short.
    tbCameraRecord out;
    EXPECT_FALSE(tbReadCameraRecord(good.data(), 803, out));
    // Modes past their last value are taken as the last; a distance of 0
    // is raised where the controls keep it.
    auto bytes = good;
    const uint32_t nine = 9;
    const float zero = 0.0f;
    std::memcpy(bytes.data() + 12, &nine, 4);
    std::memcpy(bytes.data() + 16, &nine, 4);
    std::memcpy(bytes.data() + 284, &zero, 4);
    ASSERT_TRUE(tbReadCameraRecord(bytes.data(), bytes.size(), out));
    EXPECT_EQ(out.projectionMode, 2u);
    EXPECT_EQ(out.orientationMode, 6u);
    // An orbit distance of 0 is raised to the least the wheel leaves.
    out.projectionMode = tbCamera::kOrbit;
    tbCamera camera(kStartCameraPresets[1]);
    camera.fromRecord(out);
    EXPECT_FLOAT_EQ(camera.distance(), 0.01f);
}

}  // namespace
