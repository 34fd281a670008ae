// The box: growing (also far beyond a kilometre), corners and sphere, its
// 24-byte file form, screen extents and the frustum test.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simBoundingRect.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/support/tempFolder.h"
#include "tests/support/testCamera.h"

using d3dx::Vector2;
using d3dx::Vector3;

namespace {

simBoundingBox boxOf(const Vector3& lo, const Vector3& hi) {
    simBoundingBox box;
    box.growByPoint(lo);
    box.growByPoint(hi);
    return box;
}

std::string floatBytes(std::initializer_list<float> fields) {
    std::string bytes;
    for (float f : fields) bytes.append(reinterpret_cast<const char*>(&f), 4);
    return bytes;
}

}  // namespace

TEST(SimBoundingBox, SinglePointGivesAZeroBoxWithoutExtent) {
    simBoundingBox box;
    box.growByPoint({1, 2, 3});
    EXPECT_EQ(box.min, Vector3(1, 2, 3));
    EXPECT_EQ(box.max, Vector3(1, 2, 3));
    EXPECT_FALSE(box.hasExtent());
    EXPECT_FALSE(box.isEmpty());
    EXPECT_EQ(box.radius, 0.0f);
    for (const Vector3& corner : box.corners) EXPECT_EQ(corner, Vector3(1, 2, 3));
}

TEST(SimBoundingBox, GrowsCorrectlyFarBeyondAKilometre) {
    // The world is in centimetres: 2 to 3 km out, on every side of the origin.
    simBoundingBox box = boxOf({200000, -300000, 5}, {250000, -250000, 6});
    EXPECT_EQ(box.min, Vector3(200000, -300000, 5));
    EXPECT_EQ(box.max, Vector3(250000, -250000, 6));
    simBoundingBox other = boxOf({-400000, 0, 0}, {-350000, 1, 1});
    box.growByBox(other);
    EXPECT_EQ(box.min, Vector3(-400000, -300000, 0));
    EXPECT_EQ(box.max, Vector3(250000, 1, 6));
}

TEST(SimBoundingBox, CornersFollowTheFixedOrderAndTheSphereHalfTheDiagonal) {
    simBoundingBox box = boxOf({0, 0, 0}, {2, 4, 4});
    const Vector3 expected[8] = {{0, 0, 0}, {2, 0, 0}, {2, 4, 0}, {0, 4, 0},
                                 {0, 0, 4}, {2, 0, 4}, {2, 4, 4}, {0, 4, 4}};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(box.corners[i], expected[i]) << "corner " << i;
    EXPECT_EQ(box.centre, Vector3(1, 2, 2));
    EXPECT_FLOAT_EQ(box.radius, 3.0f);
}

TEST(SimBoundingBox, EmptyBoxesAndBoxesWithoutExtentAreNotMerged) {
    simBoundingBox empty, alsoEmpty;
    empty.growByBox(alsoEmpty);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.hasExtent());

    simBoundingBox box = boxOf({0, 0, 0}, {1, 1, 1}), point;
    point.growByPoint({5, 5, 5});
    box.growByBox(point);
    EXPECT_EQ(box.max, Vector3(1, 1, 1));
    box.growByBox(empty);
    EXPECT_EQ(box.min, Vector3(0, 0, 0));
}

TEST(SimBoundingBox, ContainsPointsOnItsFaces) {
    simBoundingBox box = boxOf({0, 0, 0}, {1, 1, 1});
    EXPECT_TRUE(box.containsPoint({1, 0.5f, 0}));
    EXPECT_TRUE(box.containsPoint({0.5f, 0.5f, 0.5f}));
    EXPECT_FALSE(box.containsPoint({1.001f, 0.5f, 0.5f}));
    EXPECT_FALSE(simBoundingBox().containsPoint({0, 0, 0}));
}

TEST(SimBoundingBox, FileFormRoundTripsAndRecomputesTheRest) {
    testsupport::TempFolder folder;
    simBoundingBox box = boxOf({-1, -2, -3}, {4, 5, 6});
    FILE* out = std::fopen(folder.file("b.bin").c_str(), "wb");
    ASSERT_TRUE(box.write(out));
    std::fclose(out);
    EXPECT_EQ(folder.read("b.bin"), floatBytes({-1, -2, -3, 4, 5, 6}));

    simBoundingBox back;
    FILE* in = std::fopen(folder.file("b.bin").c_str(), "rb");
    ASSERT_TRUE(back.read(in));
    std::fclose(in);
    EXPECT_EQ(back.min, box.min);
    EXPECT_EQ(back.max, box.max);
    EXPECT_EQ(back.corners[6], Vector3(4, 5, 6));
    EXPECT_EQ(back.centre, box.centre);
    EXPECT_FLOAT_EQ(back.radius, box.radius);
}

TEST(SimBoundingBox, EmptyBoxKeepsItsFileSentinelAndReadsBackEmpty) {
    testsupport::TempFolder folder;
    FILE* out = std::fopen(folder.file("e.bin").c_str(), "wb");
    ASSERT_TRUE(simBoundingBox().write(out));
    std::fclose(out);
    const std::string sentinel = floatBytes({100000, 100000, 100000, -100000, -100000, -100000});
    EXPECT_EQ(folder.read("e.bin"), sentinel);

    simBoundingBox back;
    FILE* in = std::fopen(folder.file("e.bin").c_str(), "rb");
    ASSERT_TRUE(back.read(in));
    std::fclose(in);
    EXPECT_TRUE(back.isEmpty());
    back.growByPoint({300000, 0, 0});  // beyond the old sentinel
    EXPECT_EQ(back.min, Vector3(300000, 0, 0));
}

TEST(SimBoundingBox, TruncatedReadFailsAndChangesNothing) {
    testsupport::TempFolder folder;
    folder.write("short.bin", floatBytes({1, 2, 3, 4, 5}));
    simBoundingBox box = boxOf({0, 0, 0}, {1, 1, 1});
    FILE* in = std::fopen(folder.file("short.bin").c_str(), "rb");
    EXPECT_FALSE(box.read(in));
    std::fclose(in);
    EXPECT_EQ(box.min, Vector3(0, 0, 0));
    EXPECT_EQ(box.max, Vector3(1, 1, 1));
    EXPECT_FALSE(box.read(nullptr));
    EXPECT_FALSE(box.write(nullptr));
}

namespace {
const d3dx::Matrix kIdentity = d3dx::Matrix::identity();
}  // namespace

TEST(SimBoundingBox, ScreenExtentsOfAVisibleBox) {
    d3dx::Viewport vp{10, 20, 100, 100, 0, 1};
    simBoundingBox box = boxOf({-0.5f, -0.5f, 0.2f}, {0.5f, 0.5f, 0.8f});
    Vector2 lo, hi;
    ASSERT_TRUE(box.getScreenExtents(lo, hi, &kIdentity, &kIdentity, &kIdentity, &vp));
    EXPECT_EQ(lo, Vector2(35, 45));
    EXPECT_EQ(hi, Vector2(85, 95));

    // Mirrored in x, the first corner is the rightmost on screen and counts.
    d3dx::Matrix mirror;
    d3dx::MatrixScaling(&mirror, -1, 1, 1);
    simBoundingBox offset = boxOf({0.1f, -0.5f, 0.2f}, {0.5f, 0.5f, 0.8f});
    ASSERT_TRUE(offset.getScreenExtents(lo, hi, &mirror, &kIdentity, &kIdentity, &vp));
    EXPECT_FLOAT_EQ(hi.x, 10 + (1 - 0.1f) * 50);
    EXPECT_FLOAT_EQ(lo.x, 10 + (1 - 0.5f) * 50);

    simBoundingRect rect;
    ASSERT_TRUE(box.getScreenRect(rect, &kIdentity, &kIdentity, &kIdentity, &vp));
    EXPECT_EQ(rect.left, 35);
    EXPECT_EQ(rect.bottom, 95);
}

TEST(SimBoundingBox, BoxPartlyBehindTheCameraHasNoScreenExtents) {
    d3dx::Viewport vp{0, 0, 100, 100, 0, 1};
    simBoundingBox box = boxOf({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    Vector2 lo(7, 7), hi(7, 7);
    EXPECT_FALSE(box.getScreenExtents(lo, hi, &kIdentity, &kIdentity, &kIdentity, &vp));
    EXPECT_EQ(lo, Vector2());
    EXPECT_EQ(hi, Vector2());

    simBoundingRect rect;
    rect.growByPoint({1, 2});
    EXPECT_FALSE(box.getScreenRect(rect, &kIdentity, &kIdentity, &kIdentity, &vp));
    EXPECT_EQ(rect.min, Vector2(1, 2));
}

TEST(SimBoundingBox, ScreenExtentsWithoutMatricesUseTheRenderersCurrentOnes) {
    simBoundingBox box = boxOf({-1, -1, -1}, {1, 1, 1});
    Vector2 lo(7, 7), hi(7, 7);
    ASSERT_EQ(getViewSource(), nullptr);
    EXPECT_FALSE(box.getScreenExtents(lo, hi));  // nothing to project with
    EXPECT_EQ(lo, Vector2());

    testsupport::TestViewSource source;
    testsupport::TestCamera camera({0, 0, -10}, {0, 0, 0}, {0, 1, 0}, 1.0f, {20, 10, 400, 300, 0, 1}, 1, 100);
    source.applyCamera(&camera);
    Vector2 expectedLo, expectedHi;
    ASSERT_TRUE(box.getScreenExtents(expectedLo, expectedHi, nullptr, &camera.getViewMatrix(),
                                     &camera.getProjectionMatrix(), &camera.getViewport()));
    ASSERT_TRUE(box.getScreenExtents(lo, hi));
    EXPECT_EQ(lo, expectedLo);
    EXPECT_EQ(hi, expectedHi);
    // Symmetric about the view axis: centred on the viewport's centre.
    EXPECT_FLOAT_EQ((lo.x + hi.x) / 2, 220.0f);
    EXPECT_FLOAT_EQ((lo.y + hi.y) / 2, 160.0f);
}

namespace {

// The cube -10..10 on every axis as a view volume.
simViewVolume cubeVolume() {
    simViewVolume v;
    const Vector3 normals[6] = {{1, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int i = 0; i < 6; ++i) v.planes[i] = {normals[i], 10.0};
    v.centre = Vector3(0, 0, 0);
    v.radius = 17.3205f;
    return v;
}

}  // namespace

TEST(SimBoundingBox, FrustumTestTable) {
    const simViewVolume volume = cubeVolume();
    struct Case {
        const char* what;
        Vector3 lo, hi;
        int expected;
    };
    const Case cases[] = {
        {"well inside", {-1, -1, -1}, {1, 1, 1}, simBoundingBox::kInside},
        {"far away", {20, 20, 20}, {22, 22, 22}, simBoundingBox::kOutside},
        {"across the right plane", {9, -1, -1}, {11, 1, 1}, simBoundingBox::kCut},
        {"sphere cuts, corners all outside", {10.5f, -1, -1}, {12, 1, 1}, simBoundingBox::kOutside},
        {"sphere cuts, corners all inside", {8, -1, -1}, {9.9f, 1, 1}, simBoundingBox::kInside},
        {"beyond the left plane", {-15, -1, -1}, {-13, 1, 1}, simBoundingBox::kOutside},
    };
    for (const Case& c : cases) {
        simBoundingBox box = boxOf(c.lo, c.hi);
        EXPECT_EQ(box.testFrustum(nullptr, volume), c.expected) << c.what;
    }
}

TEST(SimBoundingBox, ABoxNeverSetIsNotCulled) {
    // A scene item whose box nobody set must still be drawn, with or without
    // a world matrix; only a camera can say it is outside, and here none can.
    const simViewVolume volume = cubeVolume();
    simBoundingBox empty;
    EXPECT_EQ(empty.testFrustum(nullptr, volume), simBoundingBox::kCut);
    EXPECT_EQ(empty.testFrustum(&kIdentity, volume), simBoundingBox::kCut);
}

TEST(SimBoundingBox, FrustumTestWithAWorldMatrixUsesTheBoxAroundTheTurnedCorners) {
    const simViewVolume volume = cubeVolume();
    simBoundingBox box = boxOf({-1, -1, -1}, {1, 1, 1});
    d3dx::Matrix turn, move, world;
    d3dx::MatrixRotationZ(&turn, 0.78539816f);
    d3dx::MatrixTranslation(&move, 9, 0, 0);
    d3dx::MatrixMultiply(&world, &turn, &move);
    EXPECT_EQ(box.testFrustum(&world, volume), simBoundingBox::kCut);
    EXPECT_NEAR(box.worldMax.x, 9 + 1.41421f, 1e-4f);
    EXPECT_NEAR(box.worldMin.y, -1.41421f, 1e-4f);
    EXPECT_EQ(box.worldCorners[1].x, box.worldMax.x);
    EXPECT_EQ(box.worldCorners[1].y, box.worldMin.y);
    // The local box is untouched.
    EXPECT_EQ(box.max, Vector3(1, 1, 1));

    d3dx::MatrixTranslation(&world, 100, 0, 0);
    EXPECT_EQ(box.testFrustum(&world, volume), simBoundingBox::kOutside);
}

TEST(SimBoundingBox, FrustumTestReadsTheCurrentCameraVolume) {
    simBoundingBox far = boxOf({50, 50, 50}, {51, 51, 51});
    ASSERT_EQ(getCurrentViewVolume(), nullptr);
    EXPECT_EQ(far.testFrustum(nullptr), simBoundingBox::kCut);  // no camera: cut

    const simViewVolume volume = cubeVolume();
    setCurrentViewVolume(&volume);
    EXPECT_EQ(far.testFrustum(nullptr), simBoundingBox::kOutside);
    setCurrentViewVolume(nullptr);
}
