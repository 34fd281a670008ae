// The maths functions against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/d3dx/d3dxMath.h"

using namespace d3dx;

namespace {

constexpr float kHalfPi = 1.57079633f;
constexpr float kEps = 1e-5f;

void expectNear(const Vector3& actual, const Vector3& expected, float eps = kEps) {
    EXPECT_NEAR(actual.x, expected.x, eps);
    EXPECT_NEAR(actual.y, expected.y, eps);
    EXPECT_NEAR(actual.z, expected.z, eps);
}

void expectNear(const Matrix& actual, const Matrix& expected, float eps = kEps) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(actual.m[i][j], expected.m[i][j], eps) << "at " << i << "," << j;
}

Vector3 transform(const Vector3& v, const Matrix& m) {
    Vector3 out;
    Vec3TransformCoord(&out, &v, &m);
    return out;
}

}  // namespace

TEST(D3dxMatrix, LookAtLHHasTheCameraAxesInItsColumns) {
    // From (3, 4, 0) towards the origin with z up: forward (-0.6, -0.8, 0),
    // right = up x forward = (0.8, -0.6, 0), true up (0, 0, 1).
    Vector3 eye(3, 4, 0), at(0, 0, 0), up(0, 0, 1);
    Matrix view;
    EXPECT_EQ(MatrixLookAtLH(&view, &eye, &at, &up), &view);
    expectNear(view, Matrix(0.8f, 0, -0.6f, 0, -0.6f, 0, -0.8f, 0, 0, 1, 0, 0, 0, 0, 5, 1));
    expectNear(transform(at, view), {0, 0, 5});
    expectNear(transform({1, 0, 0}, view), {0.8f, 0, 4.4f});
}

TEST(D3dxMatrix, LookAtRHLooksDownNegativeZ) {
    Vector3 eye(0, 0, 5), at(0, 0, 0), up(0, 1, 0);
    Matrix view;
    MatrixLookAtRH(&view, &eye, &at, &up);
    expectNear(transform(at, view), {0, 0, -5});
    expectNear(transform({1, 0, 0}, view), {1, 0, -5});
}

TEST(D3dxMatrix, PerspectiveFovRHMapsNearAndFarToZeroAndOne) {
    Matrix proj;
    MatrixPerspectiveFovRH(&proj, kHalfPi, 2.0f, 1.0f, 101.0f);
    // yScale = cot(pi/4) = 1, xScale = 1/2, q = 101 / (1 - 101).
    expectNear(proj, Matrix(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.01f, -1, 0, 0, -1.01f, 0));
    EXPECT_NEAR(transform({0, 0, -1}, proj).z, 0.0f, kEps);
    EXPECT_NEAR(transform({0, 0, -101}, proj).z, 1.0f, kEps);
    expectNear(transform({2, 1, -2}, proj), {0.5f, 0.5f, 0.5f * (-1.01f * -2 - 1.01f)});
}

TEST(D3dxMatrix, PerspectiveFovLHMapsNearAndFarToZeroAndOne) {
    Matrix proj;
    MatrixPerspectiveFovLH(&proj, kHalfPi, 1.0f, 2.0f, 10.0f);
    EXPECT_NEAR(transform({0, 0, 2}, proj).z, 0.0f, kEps);
    EXPECT_NEAR(transform({0, 0, 10}, proj).z, 1.0f, kEps);
    expectNear(transform({4, -4, 4}, proj), {1, -1, transform({0, 0, 4}, proj).z});
}

TEST(D3dxMatrix, OrthoProjectionsMapTheBoxToClipSpace) {
    Matrix lh, rh;
    MatrixOrthoLH(&lh, 4, 2, 1, 11);
    expectNear(lh, Matrix(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.1f, 0, 0, 0, -0.1f, 1));
    expectNear(transform({2, 1, 11}, lh), {1, 1, 1});
    expectNear(transform({-2, -1, 1}, lh), {-1, -1, 0});

    MatrixOrthoRH(&rh, 4, 2, 1, 11);
    expectNear(rh, Matrix(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -0.1f, 0, 0, 0, -0.1f, 1));
    expectNear(transform({2, 1, -11}, rh), {1, 1, 1});
    expectNear(transform({0, 0, -1}, rh), {0, 0, 0});
}

TEST(D3dxMatrix, RotationsFollowTheLeftHandedRowVectorConvention) {
    Matrix x, y, z, ypr;
    MatrixRotationX(&x, kHalfPi);
    MatrixRotationY(&y, kHalfPi);
    MatrixRotationZ(&z, kHalfPi);
    expectNear(transform({0, 1, 0}, x), {0, 0, 1});
    expectNear(transform({1, 0, 0}, y), {0, 0, -1});
    expectNear(transform({1, 0, 0}, z), {0, 1, 0});

    // Roll, then pitch, then yaw: y goes to z by the pitch, z to x by the yaw.
    MatrixRotationYawPitchRoll(&ypr, kHalfPi, kHalfPi, 0.0f);
    expectNear(transform({0, 1, 0}, ypr), {1, 0, 0});
    MatrixRotationYawPitchRoll(&ypr, 0.3f, -0.7f, 1.1f);
    Matrix rz, rx, ry;
    expectNear(ypr, *MatrixRotationZ(&rz, 1.1f) * *MatrixRotationX(&rx, -0.7f) * *MatrixRotationY(&ry, 0.3f));
}

TEST(D3dxMatrix, MultiplyAppliesTheLeftMatrixFirst) {
    Matrix t, s, ts;
    MatrixTranslation(&t, 1, 2, 3);
    MatrixScaling(&s, 2, 2, 2);
    MatrixMultiply(&ts, &t, &s);
    expectNear(transform({1, 1, 1}, ts), {4, 6, 8});
    MatrixMultiply(&ts, &s, &t);
    expectNear(transform({1, 1, 1}, ts), {3, 4, 5});
    // The result may alias an argument.
    MatrixMultiply(&t, &t, &s);
    expectNear(transform({1, 1, 1}, t), {4, 6, 8});
}

TEST(D3dxMatrix, InverseUndoesTheMatrixAndRefusesASingularOne) {
    Matrix a(2, 0, 1, 0, 1, 3, 0, 0, 0, 1, 4, 0, 5, -2, 1, 1), inv, product;
    float det = 0;
    ASSERT_EQ(MatrixInverse(&inv, &det, &a), &inv);
    EXPECT_NEAR(det, 25.0f, 1e-4f);  // 2*12 - 0 + 1*1
    expectNear(*MatrixMultiply(&product, &a, &inv), Matrix::identity());

    Matrix singular(1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1), untouched = Matrix::identity();
    EXPECT_EQ(MatrixInverse(&untouched, &det, &singular), nullptr);
    EXPECT_EQ(det, 0.0f);
    EXPECT_TRUE(MatrixIsIdentity(&untouched));
}

TEST(D3dxMatrix, ReflectMirrorsInTheNormalisedPlane) {
    Plane p(0, 2, 0, -2);  // y = 1, not normalised
    Matrix r;
    MatrixReflect(&r, &p);
    expectNear(transform({0, 3, 0}, r), {0, -1, 0});
    expectNear(transform({5, 1, -2}, r), {5, 1, -2});
}

TEST(D3dxMatrix, TransposeSwapsRowsAndColumns) {
    Matrix a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16), t;
    MatrixTranspose(&t, &a);
    EXPECT_EQ(t._12, 5.0f);
    EXPECT_EQ(t._41, 4.0f);
    EXPECT_EQ(t._43, 12.0f);
}

TEST(D3dxVector, TransformsTakeWIntoAccount) {
    Matrix t;
    MatrixTranslation(&t, 1, 2, 3);
    Vector3 p(1, 1, 1);
    Vector4 out;
    Vec3Transform(&out, &p, &t);
    EXPECT_EQ(out, Vector4(2, 3, 4, 1));
    Vector4 dir(1, 1, 1, 0);
    Vec4Transform(&out, &dir, &t);
    EXPECT_EQ(out, Vector4(1, 1, 1, 0));
    Vector3 n;
    Vec3TransformNormal(&n, &p, &t);
    EXPECT_EQ(n, Vector3(1, 1, 1));
    Vector2 q(1, 1), q2;
    Vec2TransformCoord(&q2, &q, &t);
    EXPECT_EQ(q2, Vector2(2, 3));
}

TEST(D3dxVector, APointOnTheEyePlaneGoesToInfinityWithoutADivisionByZero) {
    // w = 0 for every point: the quotients of the division, signed, and NaN for 0 / 0.
    Matrix flat = Matrix::identity();
    flat._44 = 0.0f;
    const Vector3 out = transform(Vector3(2, -3, 0), flat);
    EXPECT_EQ(out.x, std::numeric_limits<float>::infinity());
    EXPECT_EQ(out.y, -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(out.z));
}

TEST(D3dxVector, NormalizeGivesUnitLengthAndZeroForZero) {
    Vector3 v(3, 0, 4), zero;
    Vec3Normalize(&v, &v);
    expectNear(v, {0.6f, 0, 0.8f});
    Vec3Normalize(&v, &zero);
    EXPECT_EQ(v, Vector3());
    Vector2 w(0, -2), zero2;
    Vec2Normalize(&w, &w);
    EXPECT_EQ(w, Vector2(0, -1));
    Vec2Normalize(&w, &zero2);
    EXPECT_EQ(w, Vector2());
}

TEST(D3dxVector, SmallOperations) {
    Vector3 a(1, 2, 3), b(4, 5, 6), c;
    EXPECT_EQ(Vec3Dot(&a, &b), 32.0f);
    EXPECT_EQ(*Vec3Cross(&c, &a, &b), Vector3(-3, 6, -3));
    EXPECT_EQ(*Vec3Lerp(&c, &a, &b, 0.5f), Vector3(2.5f, 3.5f, 4.5f));
    EXPECT_EQ(*Vec3Add(&c, &a, &b), Vector3(5, 7, 9));
    EXPECT_EQ(*Vec3Subtract(&c, &b, &a), Vector3(3, 3, 3));
    EXPECT_EQ(*Vec3Scale(&c, &a, 2), Vector3(2, 4, 6));
    Vector3 lo(1, 9, 3), hi(4, 0, 6);
    EXPECT_EQ(*Vec3Minimize(&c, &lo, &hi), Vector3(1, 0, 3));
    EXPECT_EQ(*Vec3Maximize(&c, &lo, &hi), Vector3(4, 9, 6));
    Vector3 v(2, 3, 6);
    EXPECT_EQ(Vec3Length(&v), 7.0f);
    Vector2 p(3, 4), q(1, 0);
    EXPECT_EQ(Vec2Length(&p), 5.0f);
    EXPECT_EQ(Vec2Dot(&p, &q), 3.0f);
    EXPECT_EQ(Vec2CCW(&q, &p), 4.0f);
}

TEST(D3dxVector, CatmullRomPassesThroughTheInnerPoints) {
    Vector2 v0(0, 0), v1(1, 1), v2(2, 0), v3(3, 1), out;
    EXPECT_EQ(*Vec2CatmullRom(&out, &v0, &v1, &v2, &v3, 0.0f), v1);
    EXPECT_EQ(*Vec2CatmullRom(&out, &v0, &v1, &v2, &v3, 1.0f), v2);
    Vec2CatmullRom(&out, &v0, &v1, &v2, &v3, 0.5f);
    EXPECT_NEAR(out.x, 1.5f, kEps);
    EXPECT_NEAR(out.y, 0.5f, kEps);
}

TEST(D3dxProject, MapsClipSpaceIntoAViewportWithAnOrigin) {
    Viewport vp{100, 50, 200, 100, 0.25f, 0.75f};
    Vector3 out, p(0, 0, 0.5f);
    Vec3Project(&out, &p, &vp, nullptr, nullptr, nullptr);
    expectNear(out, {200, 100, 0.5f});
    p = Vector3(1, 1, 1);
    expectNear(*Vec3Project(&out, &p, &vp, nullptr, nullptr, nullptr), {300, 50, 0.75f});
    p = Vector3(-1, -1, 0);
    expectNear(*Vec3Project(&out, &p, &vp, nullptr, nullptr, nullptr), {100, 150, 0.25f});
}

TEST(D3dxProject, UnprojectReturnsTheProjectedPoint) {
    Viewport vp{40, 30, 640, 480, 0.1f, 0.9f};
    Matrix world, view, proj;
    MatrixRotationY(&world, 0.4f);
    Vector3 eye(10, 5, -20), at(0, 0, 0), up(0, 1, 0);
    MatrixLookAtLH(&view, &eye, &at, &up);
    MatrixPerspectiveFovLH(&proj, 0.8f, 640.0f / 480.0f, 1.0f, 100.0f);
    for (const Vector3& p : {Vector3(1, 2, 3), Vector3(-4, 0.5f, 2), Vector3(0, 0, 0)}) {
        Vector3 screen, back;
        Vec3Project(&screen, &p, &vp, &proj, &view, &world);
        EXPECT_GT(screen.z, 0.1f);
        EXPECT_LT(screen.z, 0.9f);
        ASSERT_NE(Vec3Unproject(&back, &screen, &vp, &proj, &view, &world), nullptr);
        expectNear(back, p, 1e-3f);
    }
    // The centre of the viewport, not of the render target, is on the view axis.
    Vector3 centre(40 + 320, 30 + 240, 0.5f), onAxis;
    Vec3Unproject(&onAxis, &centre, &vp, &proj, &view, nullptr);
    Vector3 dir = onAxis - eye, axis = at - eye, cross;
    Vec3Cross(&cross, &dir, &axis);
    EXPECT_NEAR(Vec3Length(&cross) / (Vec3Length(&dir) * Vec3Length(&axis)), 0.0f, 1e-4f);
}

TEST(D3dxPlane, FromPointNormalAndDistances) {
    Vector3 point(1, 2, 3), normal(0, 0, 1), q(5, 5, 10);
    Plane p;
    PlaneFromPointNormal(&p, &point, &normal);
    EXPECT_EQ(p, Plane(0, 0, 1, -3));
    EXPECT_EQ(PlaneDotCoord(&p, &q), 7.0f);
    EXPECT_EQ(PlaneDotNormal(&p, &q), 10.0f);
    Plane big(0, 3, 4, 10);
    EXPECT_EQ(*PlaneNormalize(&p, &big), Plane(0, 0.6f, 0.8f, 2));
    Vector3 a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    EXPECT_EQ(*PlaneFromPoints(&p, &a, &b, &c), Plane(0, 0, 1, 0));
}

TEST(D3dxPlane, IntersectLineExtendsTheLineAndRefusesParallelOnes) {
    Plane ground(0, 1, 0, 0);
    Vector3 a(0, 1, 0), b(1, 2, 0), out(7, 7, 7);
    ASSERT_EQ(PlaneIntersectLine(&out, &ground, &a, &b), &out);
    expectNear(out, {-1, 0, 0});

    Vector3 c(1, 1, 0), untouched(7, 7, 7);
    EXPECT_EQ(PlaneIntersectLine(&untouched, &ground, &a, &c), nullptr);
    EXPECT_EQ(untouched, Vector3(7, 7, 7));
}
