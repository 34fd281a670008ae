// The mirror tool's matching across x = 0: on a symmetric model every
// written triangle finds its twin on the other side, in either direction;
// halves sharing one UV area copy nothing; a triangle on the plane copies
// from itself; and on a model whose right half is bent off symmetry (some
// corners fall off, some stay on) the grid finds exactly what trying every
// pair finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "app/scheme/tbMirrorMatch.h"
#include "tests/app/scheme/mirrorModels.h"

namespace {

// Corner k of a left triangle is the mirror image of corner kTwin[k] of its twin.
constexpr int kTwin[3] = {0, 2, 1};

void expectSameCopies(const std::vector<tbMirrorCopy>& got, const std::vector<tbMirrorCopy>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].target, expected[i].target) << i;
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(got[i].sourceUvs[k].x, expected[i].sourceUvs[k].x, 1e-5f) << i << " corner " << k;
            EXPECT_NEAR(got[i].sourceUvs[k].y, expected[i].sourceUvs[k].y, 1e-5f) << i << " corner " << k;
        }
    }
}

TEST(MirrorMatch, EachTriangleOfASymmetricModelCopiesFromItsTwin) {
    const auto model = test::modelFrom(test::symmetricBody(48, 12));
    const std::vector<tbTriangle*> work = test::everyTriangle(*model);
    const size_t half = work.size() / 2;
    ASSERT_EQ(half, 48u / 2 * 12 * 2);

    for (int direction : {0, 1}) {
        SCOPED_TRACE(direction);
        // Direction 0 writes the left half (the second) from the right.
        const size_t written = direction == 0 ? half : 0, read = direction == 0 ? 0 : half;
        std::vector<tbMirrorCopy> expected;
        for (size_t i = 0; i < half; ++i) {
            tbTriangle* target = work[written + i];
            const tbTriangle* twin = work[read + i];
            const tbMirrorCopy copy{target, {twin->uvs[kTwin[0]], twin->uvs[kTwin[1]], twin->uvs[kTwin[2]]}};
            bool own = true;
            for (int k = 0; k < 3; ++k) {
                const d3dx::Vector2 d = copy.sourceUvs[k] - target->uvs[k];
                own = own && d.x * d.x + d.y * d.y <= 0.005f;
            }
            if (!own) expected.push_back(copy);
        }
        // Only the triangles along the top line, whose twins' UVs lie within
        // the tolerance of their own, keep their paint.
        EXPECT_EQ(expected.size(), half - 2 * 12);
        std::vector<float> reported;
        expectSameCopies(tbMatchMirror(work, direction, [&](float share) { reported.push_back(share); }), expected);
        ASSERT_FALSE(reported.empty());
        EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
        EXPECT_EQ(reported.back(), 1.0f);
        expectSameCopies(test::pairwiseMirror(work, direction), expected);
    }
}

TEST(MirrorMatch, HalvesSharingOneUVAreaCopyNothing) {
    std::vector<simVertex> vertices = test::symmetricBody(16, 4);
    const size_t half = vertices.size() / 2;
    for (size_t i = 0; i < half; ++i) vertices[half + i].uv[0] = vertices[i - i % 3 + size_t(kTwin[i % 3])].uv[0];
    const auto model = test::modelFrom(vertices);
    EXPECT_TRUE(tbMatchMirror(test::everyTriangle(*model), 0).empty());
    EXPECT_TRUE(tbMatchMirror(test::everyTriangle(*model), 1).empty());
}

TEST(MirrorMatch, ATriangleOnThePlaneIsWrittenFromItselfInBothDirections) {
    tbTriangle t;
    t.positions[0] = {-1, 0, 0};
    t.positions[1] = {1, 0, 0};
    t.positions[2] = {0, 0, 1};
    t.uvs[0] = {0, 0};
    t.uvs[1] = {1, 0};
    t.uvs[2] = {0.5f, 1};
    t.computeShape();
    ASSERT_EQ(t.centre.x, 0.0f);
    for (int direction : {0, 1}) {
        const std::vector<tbMirrorCopy> copies = tbMatchMirror({&t}, direction);
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(copies[0].sourceUvs[0], t.uvs[1]);
        EXPECT_EQ(copies[0].sourceUvs[1], t.uvs[0]);
        EXPECT_EQ(copies[0].sourceUvs[2], t.uvs[2]);
    }
}

TEST(MirrorMatch, AnAsymmetricModelMatchesAsEveryPairWould) {
    // The right half bent outwards along its normals by up to 0.3, smoothly
    // (shared corners move together): where the bend passes the plane and
    // corner tolerances a corner goes unmatched and its triangle keeps its paint.
    std::vector<simVertex> vertices = test::symmetricBody(40, 20);
    for (size_t i = 0; i < vertices.size() / 2; ++i) {
        simVertex& v = vertices[i];
        const float bend = 0.3f * std::max(0.0f, std::sin(0.7f * v.position.z) * std::cos(1.3f * v.position.y));
        v.position.x += bend * v.normal.x;
        v.position.y += bend * v.normal.y;
    }
    const auto model = test::modelFrom(vertices);
    std::vector<tbTriangle*> work = test::everyTriangle(*model);
    // A triangle that is not made of numbers matches nothing, as writer or source.
    tbTriangle broken;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    broken.positions[0] = {nan, 0, 0};
    broken.positions[1] = {1, nan, 0};
    broken.positions[2] = {0, 1, nan};
    broken.computeShape();
    work.insert(work.begin() + 7, &broken);

    for (int direction : {0, 1}) {
        SCOPED_TRACE(direction);
        const std::vector<tbMirrorCopy> copies = tbMatchMirror(work, direction);
        EXPECT_GT(copies.size(), 0u);
        EXPECT_LT(copies.size(), work.size() / 2);
        expectSameCopies(copies, test::pairwiseMirror(work, direction));
    }
}

}  // namespace
