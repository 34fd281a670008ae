// The shape tool's fills on the OpenGL device with small textures, against
// CPU references computed the other way round (from each texel back to the
// screen): a concave outline in the texture view, flat and graded along X
// and Y; an outline over the model in the 3-D view, clipped to the model's
// triangles, flat and graded, one- and double-sided; undo after a fill; and
// the outline's preview drawn over the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProjectFile.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbMouseGate.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simWindow.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/app/scheme/editorOnGl.h"
#include "tests/app/scheme/mapSurface.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

namespace {

using V2 = d3dx::Vector2;
constexpr uint32_t kGrey = 0xFF808080u;
constexpr uint32_t kSize = 64;

// Crossing-number test and distance to the ring's edges: the reference's own
// geometry, independent of the triangulator the fill uses.
bool insideRing(const std::vector<V2>& ring, const V2& p) {
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const V2 &a = ring[i], &b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}
float distanceToRing(const std::vector<V2>& ring, const V2& p) {
    float best = 1e30f;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const V2 d = ring[i] - ring[j], w = p - ring[j];
        const float t = std::clamp((w.x * d.x + w.y * d.y) / (d.x * d.x + d.y * d.y), 0.0f, 1.0f);
        const V2 q = w - d * t;
        best = std::min(best, std::sqrt(q.x * q.x + q.y * q.y));
    }
    return best;
}
uint32_t blend(uint32_t a, uint32_t b, float t) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float from = float((a >> shift) & 0xFF), to = float((b >> shift) & 0xFF);
        out |= uint32_t(std::lround(from + (to - from) * t)) << shift;
    }
    return out;
}
int channelDifference(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

class ShapeFillOnGl : public testsupport::ModelOnGl {
protected:

    simCamera* camera(int32_t index) { return dynamic_cast<simScene*>(g_graphics->getScene())->getCamera(index); }

    // An 8 x 8 grid over (-1..1, -1..1, 0) x `scale`, texture coordinates
    // ((x + 1) / 2, (1 - y) / 2) before scaling, facing the 3-D view's
    // camera or away.
    void build(bool facingCamera, float scale = 1.0f) {
        const float towards = camera(1)->getPosition().z >= 0.0f ? 1.0f : -1.0f;
        const d3dx::Vector3 normal{0, 0, facingCamera ? towards : -towards};
        model->materials.push_back(std::make_unique<tbMaterial>(model.get(), 0));
        model->materials[0]->paintFlag = 1;
        constexpr int kCells = 8;
        const float step = 2.0f / kCells;
        for (int row = 0; row < kCells; ++row)
            for (int col = 0; col < kCells; ++col) {
                const float a = -1.0f + step * float(col), b = -1.0f + step * float(row);
                const V2 c[4] = {{a, b}, {a + step, b}, {a + step, b + step}, {a, b + step}};
                for (const auto& half : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
                    std::array<int, 3> order = half;
                    const V2 e1 = c[order[1]] - c[order[0]], e2 = c[order[2]] - c[order[0]];
                    if ((e1.x * e2.y - e1.y * e2.x) * normal.z < 0.0f) std::swap(order[1], order[2]);
                    for (int k : order) {
                        simVertex v;
                        v.position = {c[k].x * scale, c[k].y * scale, 0.0f};
                        v.normal = normal;
                        v.uv[0] = uvAt(c[k]);
                        model->vertices.push_back(v);
                    }
                }
            }
        model->buildTriangles();
        auto root = std::make_unique<tbGeometryObject>(model.get());
        auto part = std::make_unique<tbMeshPart>(root.get());
        part->material = model->materials[0].get();
        part->endVertex = uint32_t(model->vertices.size());
        for (const simVertex& v : model->vertices) part->box.growByPoint(v.position), model->box.growByPoint(v.position);
        part->box.update();
        root->box = part->box;
        root->meshParts.push_back(std::move(part));
        model->roots.push_back(std::move(root));
        model->box.update();
        auto map = std::make_unique<tbTextureMap>(model.get());
        ASSERT_TRUE(map->open(kSize, kSize, imagesamples::bmp24(imagesamples::solid(kSize, kSize, kGrey))));
        model->setTextureMap(std::move(map));
        model->stopwatch.setElapsed(5000.0);
    }
    static V2 uvAt(const V2& p) { return {(p.x + 1.0f) / 2.0f, (1.0f - p.y) / 2.0f}; }

    std::vector<uint32_t> paint() {
        return testsupport::mapSurface(*model->getTextureMap(), model->getTextureMap()->getPaintSurface()).pixels;
    }
    void keep(const std::vector<uint32_t>& picture, uint32_t width, uint32_t height, const std::string& name) {
        std::filesystem::create_directories("test-artefacts/shapeFill");
        testsupport::writePicture(picture, width, height, "test-artefacts/shapeFill/" + name + ".png");
    }
    void setOutline(const std::vector<V2>& screen) {
        tbStoredShape shape;
        for (const V2& p : screen) {
            tbShapePoint point;
            point.position = p;
            shape.points.push_back(point);
        }
        model->shapeTool().restore(&shape);
    }
    // Where the texture view shows the texture coordinate (u, v).
    V2 textureViewPoint(const V2& uv) {
        g_graphics->setCurrentCamera(camera(0));
        camera(0)->apply();
        V2 a, b;
        utils::worldToScreen2D({0, 0, 0}, &a);
        utils::worldToScreen2D({1, 1, 0}, &b);
        return {a.x + (b.x - a.x) * uv.x, a.y + (b.y - a.y) * (1.0f - uv.y)};
    }

    // Compares the paint with `expected` (0: untouched) texel by texel,
    // leaving out the texels whose centre lies within `margin` of an edge
    // (`nearEdge`); returns how many texels were painted in the reference.
    template <typename Expected, typename NearEdge>
    int compare(const Expected& expected, const NearEdge& nearEdge) {
        const std::vector<uint32_t> picture = paint();
        int painted = 0, worst = 0;
        for (uint32_t y = 0; y < kSize; ++y)
            for (uint32_t x = 0; x < kSize; ++x) {
                const V2 uv{(float(x) + 0.5f) / kSize, (float(y) + 0.5f) / kSize};
                if (nearEdge(uv)) continue;
                const uint32_t want = expected(uv), got = picture[y * kSize + x];
                if (want == 0) {
                    EXPECT_EQ(got, kGrey) << x << ", " << y;
                    continue;
                }
                ++painted;
                worst = std::max(worst, channelDifference(want, got));
            }
        // Corner colours are cut to whole values before they are blended,
        // and a piece's texels are a texel's width from where the reference
        // takes them.
        EXPECT_LE(worst, 5);
        return painted;
    }
};

const uint32_t kMain = 0xFF2040E0u, kSecond = 0xFFF0C010u;

// An L-shaped (concave) outline drawn over the texture view paints the
// texels under it, graded across its rectangle along X or Y.
TEST_F(ShapeFillOnGl, TheTextureViewFillPaintsTheTexelsUnderTheOutline) {
    build(true);
    const std::vector<V2> uvRing = {{0.1f, 0.1f}, {0.8f, 0.1f}, {0.8f, 0.4f}, {0.4f, 0.4f}, {0.4f, 0.9f}, {0.1f, 0.9f}};
    std::vector<V2> screen;
    for (const V2& uv : uvRing) screen.push_back(textureViewPoint(uv));
    const struct {
        const char* name;
        bool gradient;
        uint32_t axis;
    } cases[] = {{"flat", false, 0}, {"gradientX", true, 0}, {"gradientY", true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        model->getTextureMap()->writePixels({0, 0, int32_t(kSize), int32_t(kSize)},
                                            std::vector<uint32_t>(kSize * kSize, kGrey));
        setOutline(screen);
        model->applyShapeTextureView(simColour::fromARGB(kMain), simColour::fromARGB(kSecond), c.gradient, c.axis);
        keep(paint(), kSize, kSize, std::string("textureView_") + c.name);
        const int painted = compare(
            [&](const V2& uv) -> uint32_t {
                if (!insideRing(uvRing, uv)) return 0;
                if (!c.gradient) return kMain;
                return blend(kMain, kSecond, c.axis == 0 ? (uv.x - 0.1f) / 0.7f : (uv.y - 0.1f) / 0.8f);
            },
            [&](const V2& uv) { return distanceToRing(uvRing, uv) < 1.0f / kSize; });
        // The L covers 0.7 x 0.3 + 0.3 x 0.5 of the texture.
        EXPECT_NEAR(float(painted) / (kSize * kSize), 0.36f, 0.05f);
        EXPECT_TRUE(model->getUndo().paintChanged());
        model->getUndo().push();
    }
}

// An outline over the model in the 3-D view paints the texels of the model
// that show under it; a model facing away takes paint only double-sided.
TEST_F(ShapeFillOnGl, TheThreeDFillPaintsThePartOfTheModelUnderTheOutline) {
    const struct {
        const char* name;
        bool facing, doubleSided, gradient;
        uint32_t axis;
        bool paints;
    } cases[] = {
        {"flat", true, false, false, 0, true},          {"gradientX", true, false, true, 0, true},
        {"gradientY", true, true, true, 1, true},        {"awayOneSided", false, false, false, 0, false},
        {"awayDoubleSided", false, true, false, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Built twice: the second time large enough to cover about 200
        // pixels of the view, whatever the camera's distance.
        V2 low, high;
        for (float scale = 1.0f, pass = 0; pass < 2; ++pass) {
            model = std::make_unique<tbGeometry>(nullptr);
            build(c.facing, scale);
            model->updateTriangleScreenPositions();
            low = {1e30f, 1e30f}, high = {-1e30f, -1e30f};
            for (const auto& t : model->triangles)
                for (const V2& s : t->screenCorners)
                    low = {std::min(low.x, s.x), std::min(low.y, s.y)},
                    high = {std::max(high.x, s.x), std::max(high.y, s.y)};
            scale *= 200.0f / std::max(high.x - low.x, 1.0f);
        }
        ASSERT_NEAR(high.x - low.x, 200.0f, 40.0f) << "the model does not grow on screen with its size";
        model->toolSettings.shapeDoubleSided = c.doubleSided ? 1 : 0;
        const V2 mid = (low + high) * 0.5f, half = (high - low) * 0.3f;
        const std::vector<V2> ring = {{mid.x, mid.y - half.y}, {mid.x + half.x, mid.y}, {mid.x, mid.y + half.y},
                                      {mid.x - half.x, mid.y}};
        setOutline(ring);
        model->applyShape3D(simColour::fromARGB(kMain), simColour::fromARGB(kSecond), c.gradient, c.axis);
        keep(paint(), kSize, kSize, std::string("3dView_") + c.name);

        // From a texel back to the screen through its triangle's corners.
        auto screenOf = [&](const V2& uv, V2* out) {
            for (const auto& t : model->triangles) {
                const V2 a = t->uvs[0], b = t->uvs[1] - a, e = t->uvs[2] - a, d = uv - a;
                const float det = b.x * e.y - b.y * e.x;
                const float s = (d.x * e.y - d.y * e.x) / det, r = (b.x * d.y - b.y * d.x) / det;
                if (s < -1e-4f || r < -1e-4f || s + r > 1.0001f) continue;
                *out = t->screenCorners[0] + (t->screenCorners[1] - t->screenCorners[0]) * s +
                       (t->screenCorners[2] - t->screenCorners[0]) * r;
                return true;
            }
            return false;
        };
        const float pixelsPerTexel = (high.x - low.x) / kSize;
        const int painted = compare(
            [&](const V2& uv) -> uint32_t {
                V2 s;
                if (!c.paints || !screenOf(uv, &s) || !insideRing(ring, s)) return 0;
                if (!c.gradient) return kMain;
                return blend(kMain, kSecond,
                             c.axis == 0 ? (s.x - ring[3].x) / (ring[1].x - ring[3].x)
                                         : (s.y - ring[0].y) / (ring[2].y - ring[0].y));
            },
            [&](const V2& uv) {
                V2 s;
                return screenOf(uv, &s) && distanceToRing(ring, s) < 1.5f * pixelsPerTexel;
            });
        // The diamond covers half of a 0.6 x 0.6 square of the model.
        // Perspective stretches it on the texture: about a fifth of it.
        if (c.paints)
            EXPECT_NEAR(float(painted) / (kSize * kSize), 0.2f, 0.06f);
        else
            EXPECT_EQ(painted, 0);
    }
}

TEST_F(ShapeFillOnGl, AFillIsOneUndoStepAndTwoPointsFillNothing) {
    build(true);
    setOutline({textureViewPoint({0.2f, 0.2f}), textureViewPoint({0.7f, 0.7f})});
    tbApplyShapeFill(*model, 1, simColour::fromARGB(kMain), simColour::fromARGB(kSecond));
    EXPECT_EQ(model->getUndo().count(), 0u);
    const std::vector<uint32_t> before = paint();
    for (int32_t view : {1, 0}) {
        setOutline({textureViewPoint({0.2f, 0.2f}), textureViewPoint({0.7f, 0.2f}), textureViewPoint({0.5f, 0.7f})});
        if (view == 0) {
            model->updateTriangleScreenPositions();
            const tbTriangle& t = *model->triangles[60];
            setOutline({t.screenCorners[0], t.screenCorners[1], t.screenCorners[2]});
        }
        tbApplyShapeFill(*model, view, simColour::fromARGB(kMain), simColour::fromARGB(kSecond));
        EXPECT_NE(paint(), before) << view;
        EXPECT_EQ(model->getUndo().count(), 1u) << view;
        model->getUndo().undo();
        EXPECT_EQ(paint(), before) << view;
    }
}

// The current outline goes into the project's tool settings on save and
// comes back on open, in place of whatever outline the model had.
TEST_F(ShapeFillOnGl, TheOutlineIsKeptWithTheProject) {
    build(true);
    tbStoredShape shape{"", {}};
    for (const V2 p : {V2{10, 20}, V2{300, 40}, V2{150, 200}}) {
        tbShapePoint point;
        point.position = p;
        shape.points.push_back(point);
    }
    tbGeometryTool_shape::makeCurved(shape.points[2]);
    model->shapeTool().restore(&shape);
    tbFileGeometry saved;
    ASSERT_TRUE(model->save(saved));
    EXPECT_EQ(saved.settings.shapeOutline, shape.points);

    tbGeometry reopened(nullptr);
    const tbStoredShape other{"", {shape.points[1]}};
    reopened.shapeTool().restore(&other);
    ASSERT_TRUE(reopened.open(saved, tbProjectFileData::kCurrentVersion));
    EXPECT_EQ(reopened.shapeTool().points(), shape.points);
}

// The outline over the 3-D view: its points, a curved segment with its
// handles and the faint fill, drawn over the model.
TEST_F(ShapeFillOnGl, ThePreviewDrawsTheOutlineOverTheModel) {
    build(true);
    app->options()->showSecondView = false;
    app->tools().setTool(tbGeometryTool_shape::kTool);
    app->tools().setMainColour(simColour::fromARGB(0xFFFF0000u));
    model->updateTriangleScreenPositions();
    tbStoredShape shape{"", {}};
    for (const V2 p : {V2{100, 60}, V2{220, 70}, V2{200, 180}, V2{110, 170}}) {
        tbShapePoint point;
        point.position = p;
        shape.points.push_back(point);
    }
    tbGeometryTool_shape::makeCurved(shape.points[1]);  // handles (10, 0): the side bulges out to the right
    model->shapeTool().restore(&shape);
    simRenderer* r = g_graphics->getRenderer();
    r->beginScene(true, true, false);
    model->render();
    r->endScene(false, nullptr);
    const uint32_t width = g_graphics->getWindow()->getBackBufferWidth();
    const uint32_t height = g_graphics->getWindow()->getBackBufferHeight();
    std::vector<uint32_t> frame(size_t(width) * height, 0);
    gfx::D3DLOCKED_RECT locked{};
    ASSERT_EQ(r->getDevice()->LockRect(r->getBackBuffer(), &locked, nullptr, gfx::D3DLOCK_READONLY), gfx::D3D_OK);
    for (uint32_t y = 0; y < height; ++y)
        std::copy_n(reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch),
                    width, &frame[size_t(y) * width]);
    r->getDevice()->UnlockRect(r->getBackBuffer());
    for (uint32_t& p : frame) p |= 0xFF000000u;
    keep(frame, width, height, "preview3D");
    auto at = [&](int x, int y) { return frame[size_t(y) * width + size_t(x)] & 0xFFFFFFu; };
    EXPECT_EQ(at(98, 58), 0xFFFFFFu);  // a point's white square, outside the fill
    // The straight first segment in white under the faint fill: light, not
    // the dark red of the fill over the backdrop.
    EXPECT_GT((at(160, 65) >> 8) & 0xFF, 0x50u);
    EXPECT_EQ(at(230, 70), 0x00FF00u);   // the out-handle's end, green
    const uint32_t inside = at(160, 120);  // faint red over whatever lies beneath
    EXPECT_GT((inside >> 16) & 0xFF, (inside >> 8) & 0xFF);
}

}  // namespace
