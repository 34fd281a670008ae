// The model's triangles without a device: texture-coordinate normalisation,
// the hashed neighbour search against comparing every pair, the
// re-triangulation of thin neighbours, edge flags and the gathering walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextureCoordinate.h"
#include "engine/graphics/geoFile.h"
#include "tests/app/scheme/pairwiseNeighbours.h"
#include "tests/app/scheme/schemeModels.h"

namespace {

// The import's loops as first written, for values where they end.
float loopNormalise(float u) {
    if (std::fabs(u) < 1e-7f) u = 0.0f;
    if (std::fabs(u - 1.0f) < 1e-7f) u = 1.0f;
    while (u > 1.0f) u -= 1.0f;
    while (u < 0.0f) u += 1.0f;
    return u;
}

TEST(TextureCoordinate, NormalisesAsTheLoopsDidAndEndsForEveryValue) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float in, out;
    } cases[] = {
        {1.00000005f, 1.0f}, {2.5f, 0.5f},   {-0.25f, 0.75f},  {1.0f, 1.0f},      {0.0f, 0.0f},
        {-0.0f, 0.0f},       {5e-8f, 0.0f},  {2.0f, 1.0f},     {-1.0f, 0.0f},     {-2.0f, 0.0f},
        {3e7f, 1.0f},        {-3e7f, 0.0f},  {1e30f, 1.0f},    {-1e30f, 0.0f},    {16777216.0f, 1.0f},
        {inf, 0.0f},         {-inf, 0.0f},   {std::numeric_limits<float>::quiet_NaN(), 0.0f},
    };
    for (const auto& c : cases) EXPECT_EQ(tbTextureCoordinate::normalise(c.in), c.out) << c.in;

    // Every value the loops can finish quickly: the same float, bit for bit.
    for (float u = -40.0f; u <= 40.0f; u += 0.0137f) {
        for (float v : {u, std::nextafter(u, 1e9f), std::nextafter(u, -1e9f), -1e-6f, 1.0f + 1e-6f}) {
            ASSERT_EQ(tbTextureCoordinate::normalise(v), loopNormalise(v)) << v;
        }
    }
}

// Two models built from the same vertices, one with the program's search and
// one comparing every pair: every triangle must come out the same.
void expectSameAsPairwise(const std::vector<simVertex>& vertices) {
    tbGeometry hashed(nullptr), reference(nullptr);
    hashed.vertices = reference.vertices = vertices;
    hashed.buildTriangles();
    reference.buildTriangles(&test::PairwiseNeighbours::make);
    ASSERT_EQ(hashed.triangles.size(), reference.triangles.size());
    auto indices = [](const std::vector<tbTriangle*>& list) {
        std::vector<uint32_t> out;
        for (const tbTriangle* t : list) out.push_back(t->index);
        return out;
    };
    for (size_t i = 0; i < hashed.triangles.size(); ++i) {
        const tbTriangle& a = *hashed.triangles[i];
        const tbTriangle& b = *reference.triangles[i];
        ASSERT_EQ(a.degenerate, b.degenerate) << i;
        for (int c = 0; c < 3; ++c) {
            // Bit for bit, so NaN corners compare too.
            ASSERT_EQ(std::memcmp(&a.positions[c], &b.positions[c], sizeof a.positions[c]), 0) << i;
            ASSERT_EQ(std::memcmp(&a.uvs[c], &b.uvs[c], sizeof a.uvs[c]), 0) << i;
            ASSERT_EQ(a.edgeFlags[c], b.edgeFlags[c]) << i;
            ASSERT_EQ(a.cornerLists[c].size(), b.cornerLists[c].size()) << i;
            for (size_t k = 0; k < a.cornerLists[c].size(); ++k) {
                ASSERT_EQ(a.cornerLists[c][k].triangle->index, b.cornerLists[c][k].triangle->index) << i;
                ASSERT_EQ(a.cornerLists[c][k].corner, b.cornerLists[c][k].corner) << i;
            }
        }
        ASSERT_EQ(indices(a.edgeNeighbours), indices(b.edgeNeighbours)) << i;
        ASSERT_EQ(indices(a.cornerNeighbours), indices(b.cornerNeighbours)) << i;
        ASSERT_EQ(indices(a.textureNeighbours), indices(b.textureNeighbours)) << i;
    }
}

simVertex vertexAt(float x, float y, float z, float u, float v) {
    simVertex out;
    out.position = {x, y, z};
    out.normal = {0, 0, -1};
    out.uv[0] = {u, v};
    return out;
}

// A fan around one centre, a duplicated triangle, corners at -0 and +0, a
// thin triangle that the import re-triangulates, a seam where the texture
// coordinates jump, NaN corners and one or two vertices left over.
std::vector<simVertex> awkwardVertices() {
    std::vector<simVertex> v;
    for (int i = 0; i < 8; ++i) {
        const float a0 = float(i) * 0.785f, a1 = float(i + 1) * 0.785f;
        v.push_back(vertexAt(0, 0, 0, 0.5f, 0.5f));
        v.push_back(vertexAt(std::cos(a0), std::sin(a0), 0, 0.1f * float(i), 0.0f));
        v.push_back(vertexAt(std::cos(a1), std::sin(a1), 0, 0.1f * float(i + 1), 0.0f));
    }
    v.insert(v.end(), v.begin(), v.begin() + 3);  // a duplicate of the first triangle
    v.push_back(vertexAt(-0.0f, 0, -0.0f, 0.5f, 0.5f));  // the fan's centre at -0
    v.push_back(vertexAt(0, -1, 0, 0.3f, 0.3f));
    v.push_back(vertexAt(1, -1, 0, 0.4f, 0.3f));
    // The thin-triangle pair: P (C, A, B) and the flat Q (B, A, M).
    v.push_back(vertexAt(11, 1, 0, 0.5f, 1.0f));
    v.push_back(vertexAt(10, 0, 0, 0.0f, 0.0f));
    v.push_back(vertexAt(12, 0, 0, 1.0f, 0.0f));
    v.push_back(vertexAt(12, 0, 0, 1.0f, 0.0f));
    v.push_back(vertexAt(10, 0, 0, 0.0f, 0.0f));
    v.push_back(vertexAt(11, 0, 0, 0.5f, 0.0f));
    // A seam: the same edge with other texture coordinates.
    v.push_back(vertexAt(10, 0, 0, 0.7f, 0.7f));
    v.push_back(vertexAt(12, 0, 0, 0.9f, 0.7f));
    v.push_back(vertexAt(11, -1, 0, 0.8f, 0.9f));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    v.push_back(vertexAt(nan, 0, 0, nan, 0));
    v.push_back(vertexAt(nan, 0, 0, nan, 0));
    v.push_back(vertexAt(0, 0, 0, 0.5f, 0.5f));
    v.push_back(vertexAt(5, 5, 5, 0, 0));  // left over
    return v;
}

TEST(NeighbourSearch, GivesTheSameListsInTheSameOrderAsComparingEveryPair) {
    expectSameAsPairwise(test::gridVertices(9, 7));
    expectSameAsPairwise(awkwardVertices());
    // The bundled aircraft.
    std::vector<uint8_t> bytes;
    {
        FILE* f = std::fopen((test::sparrowFolder() + "/sparrow.geo").c_str(), "rb");
        ASSERT_NE(f, nullptr);
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(uint8_t(c));
        std::fclose(f);
    }
    geoFileData geo;
    std::string error;
    ASSERT_TRUE(readGeoFile(bytes.data(), bytes.size(), geo, error)) << error;
    ASSERT_GT(geo.vertices.size(), 3u);
    // At most its first 3,000 triangles, so the pairwise reference stays quick
    // whatever size the sample grows to.
    const size_t count = std::min<size_t>(geo.vertices.size(), 9000);
    expectSameAsPairwise(std::vector<simVertex>(geo.vertices.begin(), geo.vertices.begin() + ptrdiff_t(count)));
}

TEST(NeighbourSearch, AThinNeighbourIsRetriangulatedKeepingIndicesAndWinding) {
    tbGeometry model(nullptr);
    model.vertices = awkwardVertices();
    model.buildTriangles();
    ASSERT_EQ(model.triangles.size(), 14u);  // the left-over vertex makes none
    // P was (C, A, B) and Q the flat (B, A, M): now P (B, C, M), Q (M, C, A).
    const tbTriangle& p = *model.triangles[10];
    const tbTriangle& q = *model.triangles[11];
    EXPECT_EQ(p.positions[0], (d3dx::Vector3{12, 0, 0}));
    EXPECT_EQ(p.positions[1], (d3dx::Vector3{11, 1, 0}));
    EXPECT_EQ(p.positions[2], (d3dx::Vector3{11, 0, 0}));
    EXPECT_EQ(q.positions[0], (d3dx::Vector3{11, 0, 0}));
    EXPECT_EQ(q.positions[1], (d3dx::Vector3{11, 1, 0}));
    EXPECT_EQ(q.positions[2], (d3dx::Vector3{10, 0, 0}));
    EXPECT_EQ(q.degenerate, 0);
    EXPECT_EQ(p.index, 10u);
    EXPECT_EQ(q.vertexIndices[0], 33u);
    EXPECT_EQ(q.importedUvs[2], (d3dx::Vector2{0.5f, 0.0f}));  // imported coordinates stay
    EXPECT_EQ(q.uvs[2], (d3dx::Vector2{0.0f, 0.0f}));          // the painted ones move
    // Both keep the winding: their normals still face the same way.
    EXPECT_EQ(p.faceNormal.z, q.faceNormal.z);
    // The -0 corner counts as the fan's centre: a corner neighbour of it.
    const tbTriangle& zero = *model.triangles[9];
    EXPECT_FALSE(model.triangles[0]->cornerLists[0].empty());
    bool found = false;
    for (const auto& ref : model.triangles[0]->cornerLists[0]) found |= ref.triangle == &zero;
    EXPECT_TRUE(found);
}

TEST(EdgeFlags, AnEdgeIsOpenWhereTheTextureDoesNotContinueAcrossIt) {
    tbGeometry model(nullptr);
    model.vertices = test::gridVertices(2, 1);
    // The second quad's copy of the shared edge gets other coordinates.
    model.vertices[6].uv[0] = {0.9f, 0.9f};
    model.vertices[9].uv[0] = {0.9f, 0.9f};
    model.buildTriangles();
    const tbTriangle& first = *model.triangles[0];  // (0,0) (0,1) (1,1)
    const tbTriangle& second = *model.triangles[1];  // (0,0) (1,1) (1,0)
    // Inside a quad the diagonal continues: closed.
    EXPECT_EQ(first.edgeFlags[2], 0);
    EXPECT_EQ(second.edgeFlags[0], 0);
    // Between the quads the edge (1,0)-(1,1) is shared but the texture jumps.
    const tbTriangle& third = *model.triangles[2];
    ASSERT_EQ(second.edgeNeighbours.size(), 2u);
    EXPECT_EQ(second.edgeFlags[1], 1);
    EXPECT_EQ(std::count(third.textureNeighbours.begin(), third.textureNeighbours.end(), &second), 0);
    // Outer edges stay open.
    EXPECT_EQ(first.edgeFlags[0], 1);
}

TEST(CollectNear, GathersEachTriangleOnceAndStopsAtReachAndFolds) {
    tbGeometry model(nullptr);
    model.vertices = test::gridVertices(10, 10);
    model.buildTriangles();
    tbTriangle& start = *model.getTriangle(2 * (5 * 10 + 5));
    std::vector<tbTriangle*> near;
    start.collectNear(start.centre, 1.0f, 7, near);
    std::set<tbTriangle*> unique(near.begin(), near.end());
    EXPECT_EQ(unique.size(), near.size());
    EXPECT_EQ(near.front(), &start);
    for (const tbTriangle* t : near) {
        const d3dx::Vector3 d = t->centre - start.centre;
        EXPECT_LE(std::sqrt(d.x * d.x + d.y * d.y), t->radius + 1.0f);
    }
    EXPECT_GT(near.size(), 6u);
    EXPECT_LT(near.size(), 40u);
    // The same stamp again finds everything visited.
    std::vector<tbTriangle*> again;
    start.collectNear(start.centre, 1.0f, 7, again);
    EXPECT_TRUE(again.empty());

    // A fold of 90 degrees stops the walk: lift the far half of a strip.
    tbGeometry folded(nullptr);
    folded.vertices = test::gridVertices(4, 1);
    for (simVertex& v : folded.vertices) {
        if (v.position.x > 2.0f) {
            v.position.z = v.position.x - 2.0f;
            v.position.x = 2.0f;
        }
    }
    folded.buildTriangles();
    std::vector<tbTriangle*> flat;
    folded.triangles[0]->collectNear({0, 0, 0}, 100.0f, 1, flat);
    EXPECT_EQ(flat.size(), 4u);
}

TEST(CollectNear, WalksAVeryLongStripWithoutDeepRecursion) {
    tbGeometry model(nullptr);
    model.vertices = test::gridVertices(20000, 1);
    model.buildTriangles();
    std::vector<tbTriangle*> all;
    model.triangles[0]->collectNear({0, 0, 0}, 1e9f, 3, all);
    EXPECT_EQ(all.size(), model.triangles.size());
}

// Neighbours of a smooth surface whose face normals differ by a rounding
// step: their unit normals' dot product comes out just above 1 (no arc
// cosine), and the walk must still cross them.
TEST(CollectNear, CrossesNeighboursWhoseNormalsDifferByARoundingStep) {
    tbGeometry model(nullptr);
    model.vertices = test::gridVertices(3, 1);
    model.buildTriangles();
    const d3dx::Vector3 a{-0.0435817987f, 0.998888016f, -0.0180047005f};
    const d3dx::Vector3 b{-0.0435817949f, 0.998888016f, -0.0180047005f};
    for (const auto& t : model.triangles) t->faceNormal = t->index % 2 ? b : a;
    ASSERT_TRUE(std::isnan(tbAngleDegrees(a, b)));  // the pair is the one that matters
    std::vector<tbTriangle*> all;
    model.triangles[0]->collectNear({0, 0, 0}, 100.0f, 1, all);
    EXPECT_EQ(all.size(), model.triangles.size());
}

TEST(GeometryLookUps, OutOfRangeIndicesGiveNone) {
    tbGeometry model(nullptr);
    model.vertices = test::gridVertices(1, 1);
    model.buildTriangles();
    EXPECT_EQ(model.getTriangle(-1), nullptr);
    EXPECT_EQ(model.getTriangle(2), nullptr);
    EXPECT_NE(model.getTriangle(1), nullptr);
    EXPECT_EQ(model.getMaterial(0), nullptr);
    const struct {
        const char* name;
        uint32_t stored, kind;
    } kinds[] = {{"wing", 0, 0}, {"wing__col", 0, 3}, {"x__shad", 0, 4}, {"x__shad__helper", 0, 5},
                 {"x__helper__col", 0, 5}, {"odd", 7, 7}};
    for (const auto& k : kinds) EXPECT_EQ(tbGeometryObject::kindForName(k.name, k.stored), k.kind) << k.name;
}

}  // namespace
