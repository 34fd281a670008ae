#include "engine/core/utilsPicking.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsGeometry2D.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/support/testCamera.h"

namespace {

using d3dx::Vector2;
using d3dx::Vector3;
using testsupport::TestCamera;
using testsupport::TestViewSource;

constexpr float kQuarterTurn = 1.5707964f;

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-3f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectNear(const Vector2& actual, const Vector2& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// Looks along +z from 8 units in front of the origin, 90 degrees wide, onto a
// 100 x 100 viewport; near 5 and far 10 put the origin at depth 0.75. A point
// at view distance z lands at depth (2z - 10) / z and at x = 50 + 50 x / z.
TestCamera frontCamera(d3dx::Viewport viewport = {0, 0, 100, 100, 0.0f, 1.0f}) {
    return TestCamera({0, 0, -8}, {0, 0, 0}, {0, 1, 0}, kQuarterTurn, viewport, 5.0f, 10.0f);
}

// Looks straight down at the origin from 10 units up; screen right is +x and
// screen up is +z, so the mouse at (75, 50) is over (5, 0, 0).
TestCamera downCamera() {
    return TestCamera({0, 10, 0}, {0, 0, 0}, {0, 0, 1}, kQuarterTurn, {0, 0, 100, 100, 0.0f, 1.0f},
                      1.0f, 100.0f);
}

TEST(Picking, WorldToScreenKeepsOnlyPointsBetweenNearAndFar) {
    const TestCamera camera = frontCamera();
    const d3dx::Matrix world = d3dx::Matrix::identity();
    struct Case {
        const char* name;
        Vector3 point;
        bool expected;
        Vector3 screen;
    };
    const Case cases[] = {
        {"origin", {0, 0, 0}, true, {50, 50, 0.75f}},
        {"right", {4, 0, 0}, true, {75, 50, 0.75f}},
        {"up", {0, 4, 0}, true, {50, 25, 0.75f}},
        {"just inside the far plane", {0, 0, 1.9f}, true, {50, 50, 0.989899f}},
        {"on the near plane", {0, 0, -3}, false, {50, 50, 0}},
        {"on the far plane", {0, 0, 2}, false, {50, 50, 1}},
        {"behind the camera", {0, 0, -10}, false, {50, 50, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Vector3 screen;
        EXPECT_EQ(utils::worldToScreen(c.point, &screen, &world, &camera.getViewMatrix(),
                                       &camera.getProjectionMatrix(), &camera.getViewport()),
                  c.expected);
        expectNear(screen, c.screen);
        Vector2 screen2D;
        EXPECT_EQ(utils::worldToScreen2D(c.point, &screen2D, &world, &camera.getViewMatrix(),
                                         &camera.getProjectionMatrix(), &camera.getViewport()),
                  c.expected);
        expectNear(screen2D, {c.screen.x, c.screen.y}, 1e-3f);
    }
}

TEST(Picking, WorldToScreenFillsMissingArgumentsFromTheRenderer) {
    const TestCamera camera = frontCamera({20, 10, 100, 100, 0.0f, 1.0f});
    Vector3 screen{-1, -1, -1};
    // Nothing to project with: no source, no matrices.
    EXPECT_FALSE(utils::worldToScreen({0, 0, 0}, &screen));
    EXPECT_EQ(screen, (Vector3{-1, -1, -1}));

    TestViewSource source;
    source.applyCamera(&camera);
    ASSERT_TRUE(utils::worldToScreen({0, 0, 0}, &screen));
    expectNear(screen, {70, 60, 0.75f});  // the viewport's offset applies

    // The renderer's world transform moves the point; a given one replaces it.
    d3dx::MatrixTranslation(&source.world, 4, 0, 0);
    ASSERT_TRUE(utils::worldToScreen({0, 0, 0}, &screen));
    expectNear(screen, {95, 60, 0.75f});
    const d3dx::Matrix identity = d3dx::Matrix::identity();
    ASSERT_TRUE(utils::worldToScreen({0, 0, 0}, &screen, &identity));
    expectNear(screen, {70, 60, 0.75f});
}

TEST(Picking, ScreenToWorldRayKeepsTheOriginsDistance) {
    const TestCamera camera = frontCamera();
    Vector3 world;
    ASSERT_TRUE(utils::screenToWorldRay({50, 50}, &world, &camera));
    expectNear(world, {0, 0, 0});
    // Under (75, 50) at the origin's depth lies (4, 0, 0); the result is the
    // point 8 units from the camera towards it: (0, 0, -8) + 8 (4, 0, 8) / sqrt(80).
    ASSERT_TRUE(utils::screenToWorldRay({75, 50}, &world, &camera));
    expectNear(world, {3.5777088f, 0, -0.8445824f});

    // Without a camera, the current one; without either, nothing.
    Vector3 unchanged{7, 7, 7};
    EXPECT_FALSE(utils::screenToWorldRay({75, 50}, &unchanged));
    EXPECT_EQ(unchanged, (Vector3{7, 7, 7}));
    TestViewSource source;
    source.applyCamera(&camera);
    ASSERT_TRUE(utils::screenToWorldRay({75, 50}, &world));
    expectNear(world, {3.5777088f, 0, -0.8445824f});
}

// Looks straight down at the origin from 10 units up, as downCamera does, but
// orthographic: 20 x 20 world units fill the viewport, near 1, far 100.
TestCamera downOrthographicCamera() {
    return TestCamera::orthographic({0, 10, 0}, {0, 0, 0}, {0, 0, 1}, 20, 20,
                                    {0, 0, 100, 100, 0.0f, 1.0f}, 1.0f, 100.0f);
}

TEST(Picking, ScreenRayStartsOnTheNearPlaneAndRunsAway) {
    struct Case {
        const char* name;
        TestCamera camera;
        Vector2 screen;
        Vector3 start, direction;
    };
    const Case cases[] = {
        {"perspective, centre", frontCamera(), {50, 50}, {0, 0, -3}, {0, 0, 1}},
        // Under (75, 50) at view distance 5 lies x = 2.5.
        {"perspective, right",
         frontCamera(),
         {75, 50},
         {2.5f, 0, -3},
         Vector3{1, 0, 2} / std::sqrt(5.0f)},
        {"orthographic, right", downOrthographicCamera(), {75, 50}, {5, 9, 0}, {0, -1, 0}},
        {"orthographic, top left", downOrthographicCamera(), {0, 0}, {-10, 9, 10}, {0, -1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Vector3 start, direction;
        ASSERT_TRUE(utils::screenRay(c.screen, &start, &direction, &c.camera));
        expectNear(start, c.start);
        expectNear(direction, c.direction);
    }
    // A viewport without area has no rays.
    const TestCamera empty = frontCamera({0, 0, 0, 0, 0.0f, 1.0f});
    Vector3 start{7, 7, 7}, direction{7, 7, 7};
    EXPECT_FALSE(utils::screenRay({0, 0}, &start, &direction, &empty));
    EXPECT_EQ(start, (Vector3{7, 7, 7}));
    EXPECT_EQ(direction, (Vector3{7, 7, 7}));
}

TEST(Picking, ScreenToWorldRayLooksAheadWhereverTheOriginLies) {
    struct Case {
        const char* name;
        TestCamera camera;
        Vector2 screen;
        Vector3 world;
    };
    const Case cases[] = {
        // The origin 8 units behind: the point is 8 units ahead.
        {"origin behind the camera",
         TestCamera({0, 0, -8}, {0, 0, -20}, {0, 1, 0}, kQuarterTurn, {0, 0, 100, 100, 0.0f, 1.0f},
                    1.0f, 100.0f),
         {50, 50},
         {0, 0, -16}},
        // The origin beside the camera, in its own plane.
        {"origin in the camera's plane",
         TestCamera({5, 0, 0}, {5, 0, 10}, {0, 1, 0}, kQuarterTurn, {0, 0, 100, 100, 0.0f, 1.0f},
                    1.0f, 100.0f),
         {50, 50},
         {5, 0, 5}},
        // An orthographic camera's ray is the pixel's own line, 10 units down.
        {"orthographic", downOrthographicCamera(), {75, 50}, {5, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Vector3 world{7, 7, 7};
        ASSERT_TRUE(utils::screenToWorldRay(c.screen, &world, &c.camera));
        expectNear(world, c.world);
    }
}

// The input system with its mouse and a view source. Without an engine
// application or window the mouse takes its positions as given.
class MouseRay : public ::testing::Test {
protected:
    MouseRay() { new simMouse(); }  // owned by the input system

    void moveMouseTo(int x, int y) { g_input->getMouse()->onMove(x, y); }

    simInput input;
    TestViewSource source;
};

TEST_F(MouseRay, MeetsPlanes) {
    const TestCamera camera = downCamera();
    source.applyCamera(&camera);
    struct Case {
        int x, y;
        Vector3 ground;
    };
    const Case cases[] = {
        {50, 50, {0, 0, 0}}, {75, 50, {5, 0, 0}}, {50, 25, {0, 0, 5}}, {0, 100, {-10, 0, -10}}};
    for (const Case& c : cases) {
        moveMouseTo(c.x, c.y);
        Vector3 hit;
        ASSERT_EQ(utils::mouseToGroundPlane(&hit), &hit) << c.x << "," << c.y;
        expectNear(hit, c.ground);
    }
    // The wall x = 2: the ray from (0, 10, 0) towards (5, 0, 0) meets it 40% of the way.
    moveMouseTo(75, 50);
    const d3dx::Plane wall(1, 0, 0, -2);
    Vector3 hit;
    ASSERT_EQ(utils::mouseToPlane(&hit, wall, &camera), &hit);
    expectNear(hit, {2, 6, 0});
}

TEST_F(MouseRay, ParallelToTheGroundGivesNoPoint) {
    const TestCamera level({0, 10, -10}, {0, 10, 0}, {0, 1, 0}, kQuarterTurn,
                           {0, 0, 100, 100, 0.0f, 1.0f}, 1.0f, 100.0f);
    source.applyCamera(&level);
    moveMouseTo(50, 50);
    Vector3 hit{3, 3, 3};
    EXPECT_EQ(utils::mouseToGroundPlane(&hit), nullptr);
    EXPECT_EQ(hit, (Vector3{3, 3, 3}));
    // Below the horizon the ground is met.
    moveMouseTo(50, 75);
    ASSERT_NE(utils::mouseToGroundPlane(&hit), nullptr);
    expectNear(hit, {0, 0, 10});
}

TEST_F(MouseRay, GroundIsMetOnlyInFrontOfTheCamera) {
    const d3dx::Viewport viewport{0, 0, 100, 100, 0.0f, 1.0f};
    const TestCamera levelAtOrigin({0, 10, 0}, {0, 10, 10}, {0, 1, 0}, kQuarterTurn, viewport,
                                   1.0f, 100.0f);
    const TestCamera levelBeforeOrigin({0, 10, -10}, {0, 10, 0}, {0, 1, 0}, kQuarterTurn,
                                       viewport, 1.0f, 100.0f);
    const TestCamera underground({0, -5, 0}, {0, -10, 0}, {0, 0, 1}, kQuarterTurn, viewport, 1.0f,
                                 100.0f);
    const TestCamera orthographic = downOrthographicCamera();
    struct Case {
        const char* name;
        const TestCamera* camera;
        int x, y;
        bool hits;
        Vector3 ground;
    };
    const Case cases[] = {
        // The origin in the camera's plane used to leave the ray without a depth.
        {"below the horizon, origin beside the camera", &levelAtOrigin, 50, 75, true, {0, 0, 20}},
        {"above the horizon, origin beside the camera", &levelAtOrigin, 50, 25, false, {}},
        // The ray's line meets the ground behind the camera.
        {"above the horizon", &levelBeforeOrigin, 50, 25, false, {}},
        {"below the ground looking down", &underground, 50, 50, false, {}},
        {"orthographic", &orthographic, 75, 25, true, {5, 0, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        moveMouseTo(c.x, c.y);
        Vector3 hit{3, 3, 3};
        if (c.hits) {
            ASSERT_EQ(utils::mouseToGroundPlane(&hit, c.camera), &hit);
            expectNear(hit, c.ground);
        } else {
            EXPECT_EQ(utils::mouseToGroundPlane(&hit, c.camera), nullptr);
            EXPECT_EQ(hit, (Vector3{3, 3, 3}));
        }
    }
}

TEST_F(MouseRay, NeedsACameraAndAMouse) {
    Vector3 hit{3, 3, 3};
    EXPECT_EQ(utils::mouseToGroundPlane(&hit), nullptr);  // no current camera
    const TestCamera camera = downCamera();
    delete g_input->getMouse();
    EXPECT_EQ(utils::mouseToGroundPlane(&hit, &camera), nullptr);  // no mouse
    EXPECT_EQ(hit, (Vector3{3, 3, 3}));
}

TEST(Picking, PointInTriangleIncludesEdges) {
    // A tilted triangle, so that no axis is special.
    const Vector3 a{0, 0, 0}, b{4, 0, 4}, c{0, 4, 0};
    struct Case {
        const char* name;
        Vector3 p;
        bool expected;
    };
    const Case cases[] = {
        {"inside", {1, 1, 1}, true},
        {"on an edge", {2, 0, 2}, true},
        {"a corner", {0, 4, 0}, true},
        {"on the long edge", {2, 2, 2}, true},
        {"beyond the long edge", {3, 3, 3}, false},
        {"beside the short edge", {-1, 1, 0}, false},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(utils::pointInTriangle(k.p, a, b, c), k.expected) << k.name;
        EXPECT_EQ(utils::pointInTriangle(k.p, c, b, a), k.expected) << k.name << " reversed";
    }
    EXPECT_TRUE(utils::sameSide({1, 1, 0}, {3, 5, 0}, {0, 0, 0}, {1, 0, 0}));
    EXPECT_TRUE(utils::sameSide({1, 0, 0}, {3, -5, 0}, {0, 0, 0}, {1, 0, 0}));  // on the line
    EXPECT_FALSE(utils::sameSide({1, 1, 0}, {3, -5, 0}, {0, 0, 0}, {1, 0, 0}));
}

// The flattening the paint picking used to do: look at the triangle along its
// normal with the camera's up, project orthographically, then blend along the
// line from corner 0 through the point. Kept here to show that the blend in
// the triangle's plane gives the same values wherever this one has any.
Vector2 flattenedUV(const Vector3& point, const Vector3 p[3], const Vector2 uv[3],
                    const Vector3& cameraUp) {
    Vector3 e1 = p[1] - p[0], e2 = p[2] - p[0], normal;
    d3dx::Vec3Normalize(&e1, &e1);
    d3dx::Vec3Normalize(&e2, &e2);
    d3dx::Vec3Cross(&normal, &e1, &e2);
    const Vector3 eye{0, 0, 0};
    d3dx::Matrix look, ortho, both;
    d3dx::MatrixLookAtLH(&look, &eye, &normal, &cameraUp);
    d3dx::MatrixOrthoLH(&ortho, 1, 1, 0.01f, 1000);
    d3dx::MatrixMultiply(&both, &look, &ortho);
    Vector2 q[3], qp;
    for (int i = 0; i < 3; ++i) {
        Vector3 t;
        d3dx::Vec3TransformCoord(&t, &p[i], &both);
        q[i] = {t.x, t.y};
    }
    Vector3 t;
    d3dx::Vec3TransformCoord(&t, &point, &both);
    qp = {t.x, t.y};
    const Vector2 crossing = utils::intersectLines2D(q[0], qp - q[0], q[1], q[2] - q[1]);
    Vector2 along = crossing - q[1], edge = q[2] - q[1], toPoint = qp - q[0],
            toCrossing = crossing - q[0];
    const float s = d3dx::Vec2Length(&along) / d3dx::Vec2Length(&edge);
    const float r = d3dx::Vec2Length(&toPoint) / d3dx::Vec2Length(&toCrossing);
    const Vector2 atCrossing = uv[1] * (1 - s) + uv[2] * s;
    return uv[0] * (1 - r) + atCrossing * r;
}

TEST(Picking, InterpolatedUVMatchesTheFlattenedBlend) {
    const Vector2 uv[3] = {{0.1f, 0.2f}, {0.9f, 0.3f}, {0.4f, 0.8f}};
    const Vector3 triangles[][3] = {
        {{0, 0, 5}, {3, 0, 5}, {0, 2, 5}},  // facing the camera
        {{1, 1, 1}, {4, 2, 0}, {2, 5, 3}},  // tilted
        {{0, -2, 0}, {0, 1, 3}, {2, 0, 1}},
    };
    const float weights[][3] = {{0.2f, 0.3f, 0.5f}, {0.6f, 0.2f, 0.2f}, {0.1f, 0.8f, 0.1f}};
    for (const auto& p : triangles) {
        for (const auto& w : weights) {
            const Vector3 point = p[0] * w[0] + p[1] * w[1] + p[2] * w[2];
            Vector2 result;
            utils::interpolateTriangleUV(point, p[0], p[1], p[2], uv[0], uv[1], uv[2], &result);
            expectNear(result, uv[0] * w[0] + uv[1] * w[1] + uv[2] * w[2]);
            expectNear(result, flattenedUV(point, p, uv, {0, 1, 0}), 1e-3f);
        }
    }
}

TEST(Picking, InterpolatedUVOnATriangleFacingTheCamerasUp) {
    // A wing top seen from a level camera: the flattening had no value here.
    const Vector3 p0{0, 0, 0}, p1{0, 0, 2}, p2{2, 0, 0};
    const Vector2 uv0{0, 0}, uv1{1, 0}, uv2{0, 1};
    Vector2 uv;
    utils::interpolateTriangleUV({0.5f, 0, 0.5f}, p0, p1, p2, uv0, uv1, uv2, &uv);
    expectNear(uv, {0.25f, 0.25f});
    // A point above the triangle counts as its foot on it.
    utils::interpolateTriangleUV({0.5f, 3, 0.5f}, p0, p1, p2, uv0, uv1, uv2, &uv);
    expectNear(uv, {0.25f, 0.25f});
    // Corners give their own values; a flat triangle gives corner 0's.
    utils::interpolateTriangleUV(p1, p0, p1, p2, uv0, uv1, uv2, &uv);
    expectNear(uv, uv1);
    utils::interpolateTriangleUV({1, 0, 1}, p0, p0, p2, {0.5f, 0.5f}, uv1, uv2, &uv);
    expectNear(uv, {0.5f, 0.5f});
}

TEST(Picking, InterpolatedNormalIsNormalised) {
    const Vector3 p0{0, 0, 0}, p1{2, 0, 0}, p2{0, 0, 2};  // facing up
    const Vector3 n0{0, 0, 1}, n1{1, 0, 0}, n2{0, 1, 0};
    Vector3 normal;
    utils::interpolateTriangleNormal({1, 0, 0}, p0, p1, p2, n0, n1, n2, &normal);
    expectNear(normal, {0.70710677f, 0, 0.70710677f}, 1e-5f);
    utils::interpolateTriangleNormal({0, 0, 0}, p0, p1, p2, n0, n1, n2, &normal);
    expectNear(normal, n0, 1e-5f);
    utils::interpolateTriangleNormal({0.5f, 0, 0.5f}, p0, p1, p2, n0, n1, n2, &normal);
    expectNear(normal, Vector3{0.25f, 0.25f, 0.5f} / std::sqrt(0.375f), 1e-5f);
}

TEST(Picking, AngleInViewPlane) {
    struct Case {
        Vector3 point, target;
        float expected;
    };
    const Case cases[] = {
        {{1, 0, 0}, {0, 0, 1}, -kQuarterTurn},
        {{0, 1, 0}, {0, 0, 1}, 0.0f},
        {{-1, 1, 3}, {0, 0, 1}, 0.7853982f},
        {{0, 0, -1}, {1, 0, 0}, -kQuarterTurn},  // looking along +x, -z is to the right
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(utils::angleInViewPlane(c.point, c.target, {0, 1, 0}), c.expected, 1e-5f);
    }
}

TEST(Picking, AngleDifferenceAcrossTheWrap) {
    struct Case {
        float a, b, expected;
    };
    const Case cases[] = {
        {0.1f, 6.2f, 0.183f},                             // across the wrap, not 6.1
        {6.2f, 0.1f, 0.183f},      {0.0f, -0.5f, 0.5f},   // 6.283 and 5.783
        {-0.1f, 0.1f, 0.2f},                              // 6.183 and 0.1
        {1.0f, 2.0f, 1.0f},        {5.0f, 1.0f, 2.283f},  // 1 is taken a turn on
        {-3.2f, 0.0f, 3.2f},                              // below -3.1415 stays; 0 becomes 6.283
        {-3.1415f, 3.0f, 0.1415f},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(utils::angleDifference(c.a, c.b), c.expected, 1e-5f) << c.a << " " << c.b;
    }
}

}  // namespace
