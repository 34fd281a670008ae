// The sample aircraft users paint, as the generator writes them: each loads
// through the engine's model reader with its 2048 x 2048 paint texture, is
// symmetric, and its texture coordinates are islands that do not overlap,
// keep left and right apart and give every part about the same texel
// density. The pilot's left wing is on the viewer's left seen from behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/graphics/geoFile.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simMaterial.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/wholeFile.h"

namespace {

using testsupport::ModelResources;

struct Sample {
    const char* folder;  // below objects/aircraft
    const char* name;
    uint32_t minTriangles, maxTriangles;
};

const Sample kSamples[] = {
    {"fixedWing/trainers/kestrel", "kestrel", 5000, 30000},
    {"gliders/sailplanes/heron", "heron", 5000, 30000},
    {"helicopters/trainers/hornet", "hornet", 5000, 30000},
};

using testsupport::fileBytes;

std::string sampleFolder(const Sample& s) {
    return std::string(TOLVANE_SOURCE_DIR) + "/resources/objects/aircraft/" + s.folder + "/";
}

geoFileData readSample(const Sample& s) {
    const std::vector<uint8_t> bytes = fileBytes(sampleFolder(s) + s.name + ".geo");
    geoFileData geo;
    std::string error;
    EXPECT_TRUE(readGeoFile(bytes.data(), bytes.size(), geo, error)) << s.name << ": " << error;
    return geo;
}

// The triangles drawn with the paint material (material 0, the one whose
// texture is named after the model).
struct PaintTriangle {
    std::array<d3dx::Vector3, 3> p;
    std::array<d3dx::Vector2, 3> uv;
};

void collectPaint(const geoFileData& geo, const geoFileNode& node, std::vector<PaintTriangle>& out) {
    for (const geoFileLayer& layer : node.layers) {
        if (layer.materialIndex != 0) continue;
        for (const geoFileBatch& batch : layer.batches)
            for (int32_t v = batch.firstVertex; v + 2 < batch.endVertex; v += 3) {
                PaintTriangle t;
                for (int k = 0; k < 3; ++k) {
                    t.p[k] = geo.vertices[v + k].position;
                    t.uv[k] = geo.vertices[v + k].uv[0];
                }
                out.push_back(t);
            }
    }
    for (const geoFileNode& child : node.children) collectPaint(geo, child, out);
}

std::vector<PaintTriangle> paintTriangles(const geoFileData& geo) {
    std::vector<PaintTriangle> out;
    for (const geoFileNode& root : geo.roots) collectPaint(geo, root, out);
    return out;
}

float area3(const PaintTriangle& t) {
    const d3dx::Vector3 a{t.p[1].x - t.p[0].x, t.p[1].y - t.p[0].y, t.p[1].z - t.p[0].z};
    const d3dx::Vector3 b{t.p[2].x - t.p[0].x, t.p[2].y - t.p[0].y, t.p[2].z - t.p[0].z};
    const float cx = a.y * b.z - a.z * b.y, cy = a.z * b.x - a.x * b.z, cz = a.x * b.y - a.y * b.x;
    return 0.5f * std::sqrt(cx * cx + cy * cy + cz * cz);
}

float signedAreaUv(const PaintTriangle& t) {
    return 0.5f * ((t.uv[1].x - t.uv[0].x) * (t.uv[2].y - t.uv[0].y) -
                   (t.uv[2].x - t.uv[0].x) * (t.uv[1].y - t.uv[0].y));
}

class PaintableAircraft : public ::testing::TestWithParam<Sample> {};

TEST_P(PaintableAircraft, LoadsThroughTheModelReaderWithItsPaintTexture) {
    const Sample& s = GetParam();
    testsupport::RecordingGraphics gfx;
    ASSERT_TRUE(gfx.complete());
    ModelResources res(gfx.engine);
    const std::string folder = std::string("objects/aircraft/") + s.folder + "/";
    for (const std::string& file : {std::string(s.name) + ".geo", std::string(s.name) + ".png",
                                   std::string("canopyGlass.png"), std::string(s.name) + ".tvm"})
        res.write(folder + file, fileBytes(sampleFolder(s) + file));
    ASSERT_TRUE(res.find("objects/aircraft", std::string(s.name) + ".geo")) << gfx.engine.log();
    simGeometry* model = ModelResources::geometry(std::string(s.name) + ".geo");
    ASSERT_NE(model, nullptr);
    EXPECT_GE(model->getTriangleCount(), s.minTriangles);
    EXPECT_LE(model->getTriangleCount(), s.maxTriangles);
    const auto& paint = model->getMaterial(0)->textures;
    ASSERT_EQ(paint.size(), 1u);
    ASSERT_NE(paint[0], nullptr);
    EXPECT_EQ(paint[0]->getName(), std::string(s.name) + ".png");
    EXPECT_EQ(paint[0]->getWidth(), 2048);
    EXPECT_EQ(paint[0]->getHeight(), 2048);
    ASSERT_NE(model->getMaterial(1)->textures[0], nullptr) << "the canopy has its own see-through material";
    EXPECT_GT(model->getMaterial(1)->transparency, 0.0f);
}

// Vertex ranges of every layer not drawn with `skipMaterial`.
void collectRanges(const geoFileNode& node, int32_t skipMaterial, std::vector<std::pair<int32_t, int32_t>>& out) {
    for (const geoFileLayer& layer : node.layers)
        if (layer.materialIndex != skipMaterial)
            for (const geoFileBatch& batch : layer.batches) out.push_back({batch.firstVertex, batch.endVertex});
    for (const geoFileNode& child : node.children) collectRanges(child, skipMaterial, out);
}

// Every vertex has its mirror image, but for the blades (material 4): a
// turning propeller or rotor is the same shape turned, not mirrored.
TEST_P(PaintableAircraft, IsSymmetricAboutItsCentrePlane) {
    const geoFileData geo = readSample(GetParam());
    std::vector<std::pair<int32_t, int32_t>> ranges;
    for (const geoFileNode& root : geo.roots) collectRanges(root, 4, ranges);
    // Positions to a thousandth of a unit: parts on the centre plane are
    // turned out of sines and cosines that mirror only to rounding.
    std::set<std::tuple<long, long, long>> positions, mirrored;
    for (const auto& [first, end] : ranges)
        for (int32_t i = first; i < end; ++i) {
            const d3dx::Vector3& p = geo.vertices[i].position;
            const long y = std::lround(p.y * 1000), z = std::lround(p.z * 1000);
            positions.insert({std::lround(p.x * 1000), y, z});
            mirrored.insert({std::lround(-p.x * 1000), y, z});
        }
    EXPECT_GT(positions.size(), 1000u);
    EXPECT_TRUE(positions == mirrored);
}

// Rasterises every paint triangle at texel centres of a 2048 grid: no texel
// centre lies strictly inside two triangles, and every coordinate is on the
// texture.
TEST_P(PaintableAircraft, PaintIslandsDoNotOverlap) {
    const std::vector<PaintTriangle> triangles = paintTriangles(readSample(GetParam()));
    ASSERT_FALSE(triangles.empty());
    constexpr int kSize = 2048;
    std::vector<uint8_t> covered(size_t(kSize) * kSize, 0);
    size_t overlaps = 0;
    for (const PaintTriangle& t : triangles) {
        std::array<d3dx::Vector2, 3> p;
        for (int k = 0; k < 3; ++k) {
            EXPECT_GE(t.uv[k].x, 0.0f);
            EXPECT_LE(t.uv[k].x, 1.0f);
            EXPECT_GE(t.uv[k].y, 0.0f);
            EXPECT_LE(t.uv[k].y, 1.0f);
            p[k] = {t.uv[k].x * kSize, t.uv[k].y * kSize};
        }
        const float area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
        if (area == 0) continue;
        const int x0 = std::max(0, int(std::min({p[0].x, p[1].x, p[2].x}))),
                  x1 = std::min(kSize - 1, int(std::max({p[0].x, p[1].x, p[2].x}))),
                  y0 = std::max(0, int(std::min({p[0].y, p[1].y, p[2].y}))),
                  y1 = std::min(kSize - 1, int(std::max({p[0].y, p[1].y, p[2].y})));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const float cx = x + 0.5f, cy = y + 0.5f;
                bool inside = true;
                for (int k = 0; k < 3 && inside; ++k) {
                    const d3dx::Vector2& a = p[(k + 1) % 3];
                    const d3dx::Vector2& b = p[(k + 2) % 3];
                    inside = ((b.x - a.x) * (cy - a.y) - (cx - a.x) * (b.y - a.y)) / area > 1e-4f;
                }
                if (!inside) continue;
                overlaps += covered[size_t(y) * kSize + x]++ > 0;
            }
    }
    // A triangle folded over inside its island lands on its neighbours too.
    EXPECT_EQ(overlaps, 0u);
}

// Texels per unit of surface, triangle by triangle, against the
// area-weighted median: the whole paintable surface within 25 %.
TEST_P(PaintableAircraft, TexelDensityIsEvenAcrossThePaintableSurface) {
    const std::vector<PaintTriangle> triangles = paintTriangles(readSample(GetParam()));
    std::vector<std::pair<float, float>> density;  // (texels per unit, surface area)
    float total = 0;
    for (const PaintTriangle& t : triangles) {
        const float a = area3(t);
        if (a <= 0) continue;
        density.push_back({std::sqrt(std::fabs(signedAreaUv(t)) / a) * 2048, a});
        total += a;
    }
    std::sort(density.begin(), density.end());
    float running = 0, median = 0;
    for (const auto& [d, a] : density) {
        running += a;
        if (running >= total / 2) {
            median = d;
            break;
        }
    }
    ASSERT_GT(median, 0);
    // Each way, the share of the surface whose density is off by more than 25 %.
    float low = 0, high = 0;
    for (const auto& [d, a] : density) {
        if (d < median / 1.25f) low += a;
        if (d > median * 1.25f) high += a;
    }
    EXPECT_LT((low + high) / total, 0.01f) << "median " << median << " texels per unit; low " << low / total
                                           << ", high " << high / total;
}

// Islands are the groups of paint triangles joined by shared texture
// coordinates; none spans both sides of the centre plane, and each side
// has its own.
TEST_P(PaintableAircraft, LeftAndRightHalvesAreSeparateIslands) {
    const std::vector<PaintTriangle> triangles = paintTriangles(readSample(GetParam()));
    std::vector<size_t> parent(triangles.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto findRoot = [&](size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    std::map<std::pair<float, float>, size_t> firstAt;
    for (size_t i = 0; i < triangles.size(); ++i)
        for (const d3dx::Vector2& uv : triangles[i].uv) {
            auto [it, fresh] = firstAt.insert({{uv.x, uv.y}, i});
            if (!fresh) parent[findRoot(i)] = findRoot(it->second);
        }
    std::map<size_t, std::pair<bool, bool>> sides;  // island -> (has left, has right)
    for (size_t i = 0; i < triangles.size(); ++i) {
        float x = 0;
        for (const d3dx::Vector3& p : triangles[i].p) x += p.x;
        auto& side = sides[findRoot(i)];
        if (x < -1e-3f) side.first = true;
        if (x > 1e-3f) side.second = true;
    }
    int left = 0, right = 0;
    for (const auto& [island, side] : sides) {
        EXPECT_FALSE(side.first && side.second) << "an island crosses the centre plane";
        left += side.first;
        right += side.second;
    }
    EXPECT_GE(left, 3);
    EXPECT_EQ(left, right);
}

// Seen from behind (looking along +z) through the program's right-handed
// view and projection, the first batch of the wing (or, without one, the
// tailplane) -- the pilot's left -- projects to the left half of the picture.
TEST_P(PaintableAircraft, ThePilotsLeftIsTheViewersLeftFromBehind) {
    const geoFileData geo = readSample(GetParam());
    const geoFileNode* wing = nullptr;
    for (const char* name : {"tailplane", "wing"})
        for (const geoFileNode& child : geo.roots[0].children)
            if (child.name == name) wing = &child;
    ASSERT_NE(wing, nullptr);
    ASSERT_EQ(wing->layers.size(), 1u);
    ASSERT_GE(wing->layers[0].batches.size(), 2u);
    float sum = 0;
    const geoFileBatch& left = wing->layers[0].batches[0];
    for (int32_t v = left.firstVertex; v < left.endVertex; ++v) sum += geo.vertices[v].position.x;
    const float meanX = sum / float(left.endVertex - left.firstVertex);

    d3dx::Matrix view, projection, both;
    const d3dx::Vector3 eye(0, 30, -400), at(0, 30, 0), up(0, 1, 0);
    d3dx::MatrixLookAtRH(&view, &eye, &at, &up);
    d3dx::MatrixPerspectiveFovRH(&projection, 0.8f, 1.0f, 1.0f, 1000.0f);
    d3dx::MatrixMultiply(&both, &view, &projection);
    const d3dx::Vector3 marker(meanX, 30, 0);
    d3dx::Vector3 screen;
    d3dx::Vec3TransformCoord(&screen, &marker, &both);
    EXPECT_LT(screen.x, 0.0f) << "the left wing shows on the viewer's right";
}

INSTANTIATE_TEST_SUITE_P(Samples, PaintableAircraft, ::testing::ValuesIn(kSamples),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
