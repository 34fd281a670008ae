// The triangles a view draws of a height map: close up the map's own two
// triangles a square, flat blocks and far blocks merged, and whatever is
// merged still closing up without cracks, in the squares' winding, leaving
// out what lies outside the view.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "app/site/tbHeightMapLod.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

using d3dx::Vector3;

constexpr float kSpacing = 100.0f;

// A map of n x n cells 100 units apart, cell (r, c) at (100 r, height, 100 c).
struct Map {
    Map(uint32_t n, const std::function<float(uint32_t, uint32_t)>& height,
        const std::function<uint32_t(uint32_t, uint32_t, float)>& colour)
        : n(n) {
        for (uint32_t r = 0; r < n; ++r)
            for (uint32_t c = 0; c < n; ++c) {
                const float h = height(r, c);
                positions.emplace_back(float(r) * kSpacing, h, float(c) * kSpacing);
                colours.push_back(colour(r, c, h));
            }
        lod.build(n, positions, colours);
    }
    uint32_t n;
    std::vector<Vector3> positions;
    std::vector<uint32_t> colours;
    tbHeightMapLod lod;
};

float hills(uint32_t r, uint32_t c) { return 100.0f + 100.0f * std::sin(float(r) * 0.3f) * std::cos(float(c) * 0.2f); }
uint32_t byHeight(uint32_t, uint32_t, float h) { return 0x4B006400u | uint32_t(h); }
uint32_t eachOwn(uint32_t r, uint32_t c, float) { return r * 1000 + c; }

// World to clip through a right-handed camera at `eye` looking at `at`.
d3dx::Matrix viewFrom(const Vector3& eye, const Vector3& at, const Vector3& up, float fovY, float aspect) {
    d3dx::Matrix view, projection, both;
    d3dx::MatrixLookAtRH(&view, &eye, &at, &up);
    d3dx::MatrixPerspectiveFovRH(&projection, fovY, aspect, 1.0f, 100000.0f);
    return *d3dx::MatrixMultiply(&both, &view, &projection);
}

using Triangle = std::tuple<uint32_t, uint32_t, uint32_t>;

std::multiset<Triangle> trianglesOf(const std::vector<uint32_t>& indices) {
    std::multiset<Triangle> out;
    for (size_t i = 0; i + 2 < indices.size(); i += 3) out.emplace(indices[i], indices[i + 1], indices[i + 2]);
    return out;
}

// The map's own triangles (p0, p1, p2) and (p0, p2, p3) of every square.
std::multiset<Triangle> squaresOf(uint32_t n) {
    std::multiset<Triangle> out;
    for (uint32_t r = 0; r + 1 < n; ++r)
        for (uint32_t c = 0; c + 1 < n; ++c) {
            const uint32_t p0 = r * n + c, p1 = p0 + n, p2 = p1 + 1, p3 = p0 + 1;
            out.emplace(p0, p1, p2);
            out.emplace(p0, p2, p3);
        }
    return out;
}

// Twice the area, in squares, of a triangle laid out on the cells' (row,
// column) grid: positive in the winding of the map's own triangles.
long long doubleArea(uint32_t n, const Triangle& t) {
    const auto [a, b, c] = t;
    const long long ra = a / n, ca = a % n, rb = b / n, cb = b % n, rc = c / n, cc = c % n;
    return (rb - ra) * (cc - ca) - (cb - ca) * (rc - ra);
}

// Every triangle wound as the squares, together covering the whole map
// once, and every edge shared by two triangles unless it lies on the map's
// border: a corner lying on another block's edge (a crack) leaves an inner
// edge with one triangle.
void expectClosedSurface(uint32_t n, const std::vector<uint32_t>& indices) {
    long long area = 0;
    std::map<std::pair<uint32_t, uint32_t>, int> edges;
    for (const Triangle& t : trianglesOf(indices)) {
        const long long twice = doubleArea(n, t);
        EXPECT_GT(twice, 0) << std::get<0>(t) << " " << std::get<1>(t) << " " << std::get<2>(t);
        area += twice;
        const uint32_t corners[3] = {std::get<0>(t), std::get<1>(t), std::get<2>(t)};
        for (int k = 0; k < 3; ++k) {
            const uint32_t a = corners[k], b = corners[(k + 1) % 3];
            ++edges[{std::min(a, b), std::max(a, b)}];
        }
    }
    EXPECT_EQ(area, 2LL * (n - 1) * (n - 1));
    const auto onBorder = [n](uint32_t a, uint32_t b) {
        const uint32_t ra = a / n, ca = a % n, rb = b / n, cb = b % n;
        return (ra == rb && (ra == 0 || ra == n - 1)) || (ca == cb && (ca == 0 || ca == n - 1));
    };
    for (const auto& [edge, count] : edges) {
        if (onBorder(edge.first, edge.second))
            EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
        else
            EXPECT_EQ(count, 2) << edge.first << "-" << edge.second;
    }
}

// Straight down onto the map's middle from `height` units up.
d3dx::Matrix fromAbove(uint32_t n, float height) {
    const float middle = float(n - 1) * kSpacing / 2;
    return viewFrom({middle, height, middle}, {middle, 0, middle}, {0, 0, 1}, 1.5707964f, 800.0f / 600.0f);
}

TEST(HeightMapLod, CloseUpEverySquareIsTheMapsOwnTwoTriangles) {
    // Every cell of its own colour: nothing is flat.
    Map map(6, hills, eachOwn);
    std::vector<uint32_t> indices;
    map.lod.select(fromAbove(6, 400), 800, 600, &indices);
    EXPECT_EQ(trianglesOf(indices), squaresOf(6));
}

TEST(HeightMapLod, FlatBlocksAreDrawnWholeAndExact) {
    const auto flat = [](uint32_t, uint32_t) { return 0.0f; };
    const auto same = [](uint32_t, uint32_t, float) { return 0x4B00647Fu; };
    std::vector<uint32_t> indices;
    // 8 x 8 squares: one block, the two triangles of its corners.
    Map whole(9, flat, same);
    whole.lod.select(fromAbove(9, 400), 800, 600, &indices);
    EXPECT_EQ(trianglesOf(indices), (std::multiset<Triangle>{{0, 72, 80}, {0, 80, 8}}));

    // 32 x 32 squares with a bump at one end, close up: only the bump keeps
    // its squares; every merged triangle lies on the flat ground in one
    // colour, and the whole closes up.
    const auto bump = [](uint32_t r, uint32_t c) { return r > 28 && c > 28 ? float(r + c) : 0.0f; };
    Map bumpy(33, bump, byHeight);
    bumpy.lod.select(fromAbove(33, 2000), 800, 600, &indices);
    expectClosedSurface(33, indices);
    EXPECT_LT(indices.size() / 3, 200u);
    const std::multiset<Triangle> squares = squaresOf(33);
    for (const Triangle& t : trianglesOf(indices)) {
        if (squares.count(t)) continue;
        for (uint32_t corner : {std::get<0>(t), std::get<1>(t), std::get<2>(t)}) {
            EXPECT_EQ(bumpy.positions[corner].y, 0.0f);
            EXPECT_EQ(bumpy.colours[corner], bumpy.colours[std::get<0>(t)]);
        }
    }
}

// Seen from afar and low, far blocks merge more than near ones; nothing
// cracks between blocks of different sizes, nor between a map whose squares
// do not halve evenly (64 and 60 a side).
TEST(HeightMapLod, FarBlocksMergeWithoutCracks) {
    for (uint32_t n : {65u, 61u}) {
        SCOPED_TRACE(n);
        Map map(n, hills, byHeight);
        const float middle = float(n - 1) * kSpacing / 2;
        const d3dx::Matrix view =
            viewFrom({-6000, 3000, middle}, {middle, 0, middle}, {0, 1, 0}, 1.0471976f, 320.0f / 240.0f);
        std::vector<uint32_t> indices;
        map.lod.select(view, 320, 240, &indices);
        const size_t all = size_t(2) * (n - 1) * (n - 1);
        EXPECT_LT(indices.size() / 3, all / 2);
        expectClosedSurface(n, indices);
        // Nearer the eye the squares are larger on the screen: the near
        // rows keep more corners than the far ones.
        std::set<uint32_t> nearRow, farRow;
        for (uint32_t index : indices) {
            if (index / n == 0) nearRow.insert(index);
            if (index / n == n - 1) farRow.insert(index);
        }
        EXPECT_GT(nearRow.size(), farRow.size());
    }
}

TEST(HeightMapLod, WhatLiesOutsideTheViewIsLeftOut) {
    Map map(33, hills, eachOwn);
    std::vector<uint32_t> indices;
    // Looking up into the sky.
    map.lod.select(viewFrom({1600, 500, 1600}, {1600, 5000, 1600}, {0, 0, 1}, 1.0f, 1.0f), 400, 400, &indices);
    EXPECT_TRUE(indices.empty());
    // Close over one corner: only the squares near it.
    map.lod.select(viewFrom({0, 300, 0}, {0, 0, 0}, {0, 0, 1}, 1.0f, 1.0f), 400, 400, &indices);
    EXPECT_FALSE(indices.empty());
    EXPECT_LT(indices.size() / 3, 200u);
    for (uint32_t index : indices) EXPECT_LT(index / 33 + index % 33, 20u);
}

TEST(HeightMapLod, TooFewCellsDrawNothing) {
    tbHeightMapLod lod;
    std::vector<uint32_t> indices{1, 2, 3};
    lod.build(1, {Vector3()}, {0u});
    lod.select(fromAbove(1, 100), 800, 600, &indices);
    EXPECT_TRUE(indices.empty());
}

}  // namespace
