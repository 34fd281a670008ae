// The brush in the 3-D view on the bundled kestrel: a stroke across the
// wing's gently curved top, made of many small triangles, paints every texel
// under the brush's footprint.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"
#include "app/scheme/tbTriangle.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbMouseGate.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simCamera.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/app/scheme/editorOnGl.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

namespace {

class KestrelStroke : public apptest::EditorOnGl {
protected:
    void SetUp() override {
        startEditor(320, 240, tbToolState::kModeScheme);
        if (HasFatalFailure()) return;
        project = new tbProject_model();
        ASSERT_TRUE(project->onNew("kestrel")) << app->getStatusReason();
        app->update();
        app->redraw();
    }
    void TearDown() override {
        delete project;
        stopEditor();
    }
    tbGeometry& model() { return *project->getModel(); }

    tbProject_model* project = nullptr;
};

// The model's highest upward-facing point over (x, z), with its triangle
// and the normal interpolated there, as the 3-D view's pick gives them.
bool dropOnto(tbGeometry& m, float x, float z, tbTriangle*& hitTriangle, d3dx::Vector3& hit, d3dx::Vector3& normal) {
    float best = -1e30f;
    hitTriangle = nullptr;
    for (const auto& t : m.triangles) {
        if (!(t->faceNormal.y > 0.2f)) continue;
        const d3dx::Vector3* p = t->positions;
        const float d = (p[1].z - p[2].z) * (p[0].x - p[2].x) + (p[2].x - p[1].x) * (p[0].z - p[2].z);
        if (d == 0.0f) continue;
        const float a = ((p[1].z - p[2].z) * (x - p[2].x) + (p[2].x - p[1].x) * (z - p[2].z)) / d;
        const float b = ((p[2].z - p[0].z) * (x - p[2].x) + (p[0].x - p[2].x) * (z - p[2].z)) / d;
        const float c = 1.0f - a - b;
        if (a < 0.0f || b < 0.0f || c < 0.0f) continue;
        const float y = a * p[0].y + b * p[1].y + c * p[2].y;
        if (y <= best) continue;
        best = y;
        hitTriangle = t.get();
        hit = {x, y, z};
        normal = t->normals[0] * a + t->normals[1] * b + t->normals[2] * c;
        d3dx::Vec3Normalize(&normal, &normal);
    }
    return hitTriangle != nullptr;
}

bool reddish(uint32_t argb) {
    return ((argb >> 16) & 0xFF) > 180 && ((argb >> 8) & 0xFF) < 100 && (argb & 0xFF) < 100;
}

// The texels whose surface point lies well inside the brush image as the
// last preparation projects it, on every face of the model turned towards
// the brush near the picked point: found from the model itself, not from
// the patch the brush gathered.
void addFootprintTexels(const tbGeometry& m, const d3dx::Vector3& hit, float size, std::set<size_t>& out) {
    const tbBrushProjection& brush = m.brush3D;
    const uint32_t width = m.getTextureMap()->getWidth(), height = m.getTextureMap()->getHeight();
    for (const auto& t : m.triangles) {
        const d3dx::Vector3 offset = t->centre - hit;
        if (!(d3dx::Vec3Dot(&t->faceNormal, &m.pickedNormal) > 0.9f) || d3dx::Vec3Length(&offset) > size + t->radius)
            continue;
        d3dx::Vector2 texel[3];
        for (int k = 0; k < 3; ++k) texel[k] = {t->uvs[k].x * float(width), t->uvs[k].y * float(height)};
        const float area = (texel[1].x - texel[0].x) * (texel[2].y - texel[0].y) -
                           (texel[2].x - texel[0].x) * (texel[1].y - texel[0].y);
        if (std::fabs(area) < 1e-6f) continue;
        const int left = int(std::floor(std::min({texel[0].x, texel[1].x, texel[2].x})));
        const int right = int(std::ceil(std::max({texel[0].x, texel[1].x, texel[2].x})));
        const int top = int(std::floor(std::min({texel[0].y, texel[1].y, texel[2].y})));
        const int bottom = int(std::ceil(std::max({texel[0].y, texel[1].y, texel[2].y})));
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const d3dx::Vector2 c{float(x) + 0.5f, float(y) + 0.5f};
                const float w1 = ((c.x - texel[0].x) * (texel[2].y - texel[0].y) -
                                  (texel[2].x - texel[0].x) * (c.y - texel[0].y)) / area;
                const float w2 = ((texel[1].x - texel[0].x) * (c.y - texel[0].y) -
                                  (c.x - texel[0].x) * (texel[1].y - texel[0].y)) / area;
                const float w0 = 1.0f - w1 - w2;
                if (w0 < 0.0f || w1 < 0.0f || w2 < 0.0f) continue;
                const d3dx::Vector3 point = t->positions[0] * w0 + t->positions[1] * w1 + t->positions[2] * w2;
                d3dx::Vector3 p;
                d3dx::Vec3TransformCoord(&p, &point, &brush.projector);
                const float u = (p.x - brush.projectedCentre.x) / brush.radius + 0.5f;
                const float v = (p.y - brush.projectedCentre.y) / brush.radius + 0.5f;
                if (u > 0.1f && u < 0.9f && v > 0.1f && v < 0.9f && x >= 0 && y >= 0 && x < int(width) &&
                    y < int(height))
                    out.insert(size_t(y) * width + size_t(x));
            }
    }
}

// A stroke of the brush along the kestrel's wing in the 3-D view, where the
// wing's top curves gently across many small triangles: every texel under
// the brush's footprint gets paint, none of the triangles inside the stroke
// stays unpainted.
TEST_F(KestrelStroke, AStrokeAcrossTheWingPaintsEveryTexelUnderTheBrush) {
    tbGeometry& m = model();
    tbTextureMap& map = *m.getTextureMap();
    // The right wing's top, along the span (x), at the middle of its chord.
    float chordLow = 1e30f, chordHigh = -1e30f;
    const float from = m.box.max.x * 0.4f, to = m.box.max.x * 0.85f;
    for (const auto& t : m.triangles)
        if (t->centre.x > from && t->centre.x < to && t->faceNormal.y > 0.9f)
            chordLow = std::min(chordLow, t->centre.z), chordHigh = std::max(chordHigh, t->centre.z);
    ASSERT_LT(chordLow, chordHigh);
    const float z = (chordLow + chordHigh) / 2.0f;

    simColour red;
    red.set(255, 255, 0, 0);
    app->tools().setMainColour(red);
    app->tools().setBrushAngle(0.0f);
    const float size = app->tools().brushSize();
    std::set<size_t> footprint;
    int stamps = 0;
    for (float x = from; x < to; x += size * 0.5f) {
        tbTriangle* t = nullptr;
        d3dx::Vector3 hit, normal;
        if (!dropOnto(m, x, z, t, hit, normal)) continue;
        m.pickedTriangle = t;
        m.pickedPoint = hit;
        m.pickedNormal = normal;
        m.prepareBrush3D(hit, size);
        ASSERT_GT(m.brush3D.radius, 0.0f);
        m.paintBrush3D(nullptr, hit, size);  // no image: the whole square
        addFootprintTexels(m, hit, size, footprint);
        ++stamps;
    }
    EXPECT_GT(stamps, 10);
    EXPECT_GT(footprint.size(), size_t(2000));

    d3dx::Image image;
    ASSERT_TRUE(map.readSurface(map.getPaintSurface(), image));
    std::vector<uint32_t> picture = imagesamples::bitmapOf(image).pixels;
    for (uint32_t& p : picture) p |= 0xFF000000u;
    std::filesystem::create_directories("test-artefacts");
    testsupport::writePicture(picture, map.getWidth(), map.getHeight(), "test-artefacts/kestrelWingStroke.png");
    size_t unpainted = 0;
    for (size_t at : footprint) {
        if (reddish(picture[at])) continue;
        if (++unpainted <= 5) ADD_FAILURE() << "texel " << at % map.getWidth() << ", " << at / map.getWidth();
    }
    EXPECT_EQ(unpainted, 0u) << "of " << footprint.size();
}

}  // namespace
