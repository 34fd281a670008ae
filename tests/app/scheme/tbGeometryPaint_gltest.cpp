// Painting on the OpenGL device with small textures: the brush's stamps in
// both views land on the texels under the mouse (also on a face looking
// straight up and on a texture that is not square), the flood fill paints
// exactly its sub-object's triangles against a CPU reference, undo brings
// back the exact pixels, a stamp works after a lost device, the colour pick
// reads the shown frame, and the paint bracket leaves the frame's states
// and an opaque picture behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/bars/CDlgObjectBarModel.h"
#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbMouseGate.h"
#include "app/shell/tbToolStateView.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/app/scheme/gridModelOnGl.h"
#include "tests/support/imageSamples.h"

namespace {

using testsupport::colourOf;
using testsupport::Grid;
using testsupport::kBlue;
using testsupport::kFacingZ;
using testsupport::kGreen;
using testsupport::kGrey;
using testsupport::kRed;

class PaintOnGl : public testsupport::GridModelOnGl {};

// The texture view: a square of 20 x size texels centred on the texel under
// the mouse, v counted down the picture's height, on a 64 x 32 texture.
TEST_F(PaintOnGl, ATextureViewStampCoversTheSquareUnderTheMouse) {
    build(kFacingZ, 64, 32);
    app->tools().setMainColour(colourOf(kRed));
    const d3dx::Vector2 mouse = textureViewPoint(0.25f, 0.25f);
    model->paintBrushTexture(nullptr, mouse.x, mouse.y, 0.2f);  // a square of 4 texels
    d3dx::Vector2 fraction;
    ASSERT_TRUE(tbPaintSpace::textureViewFraction(mouse.x, mouse.y, &fraction));
    const d3dx::Vector2 centre{64.0f * fraction.x, 32.0f * (1.0f - fraction.y)};
    EXPECT_NEAR(centre.x, 16.0f, 0.5f);
    EXPECT_NEAR(centre.y, 8.0f, 0.5f);
    const int left = int(centre.x - 2.0f), right = int(centre.x + 2.0f);
    const int top = int(centre.y - 2.0f), bottom = int(centre.y + 2.0f);
    const std::vector<uint32_t> picture = paint();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            ASSERT_EQ(picture[size_t(y) * 64 + size_t(x)], inside ? kRed : kGrey) << x << ", " << y;
        }
    // The drawing surface holds the same picture.
    EXPECT_EQ(pixels(map().getDrawingSurface()), picture);
    EXPECT_EQ(model->getUndo().paintChanged(), true);
}

// The 3-D view: the brush paints around the picked point's texel and not
// far from it, on a face looking at the viewer, straight up or straight down.
TEST_F(PaintOnGl, AThreeDStampPaintsAroundThePickedPointOnEveryFacing) {
    const Grid grids[] = {kFacingZ,
                          {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}, {0, 1, 0}},    // a wing top
                          {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {0, -1, 0}}};  // its underside
    for (const Grid& g : grids) {
        SCOPED_TRACE(g.n.y);
        model = std::make_unique<tbGeometry>(nullptr);
        build(g, 64, 32);
        app->tools().setMainColour(colourOf(kRed));
        useCamera(1);
        pickAt(g, 0.3f, 0.55f);
        model->prepareBrush3D(model->pickedPoint, 0.3f);
        EXPECT_GT(model->brush3D.radius, 0.0f);
        EXPECT_FALSE(model->brush3D.patch.empty());
        model->paintBrush3D(nullptr, model->pickedPoint, 0.3f);
        const std::vector<uint32_t> picture = paint();
        const d3dx::Vector2 uv = Grid::uvAt(0.3f, 0.55f);
        EXPECT_EQ(at(picture, uv.x * 64.0f, uv.y * 32.0f), kRed);
        const d3dx::Vector2 far = Grid::uvAt(-0.8f, -0.8f);
        EXPECT_EQ(at(picture, far.x * 64.0f, far.y * 32.0f), kGrey);
        const size_t red = size_t(std::count(picture.begin(), picture.end(), kRed));
        EXPECT_LT(red, picture.size() / 4);
    }
}

// A brush far smaller than the triangles under it on a 256 x 256 texture:
// the stamp changes only the brush's own square around the picked texel,
// the rest of the picked triangle keeps its colour, the undo step covers
// only that square, and the frame's scissor test comes back afterwards.
TEST_F(PaintOnGl, AThreeDStampOnALargeTriangleTouchesOnlyTheBrushsSquare) {
    Grid coarse = kFacingZ;
    coarse.cells = 2;  // triangles 128 texels along their legs
    build(coarse, 256, 256);
    gfx::Device* device = g_graphics->getRenderer()->getDevice();
    const gfx::RECT frameScissor{10, 20, 30, 40};
    device->SetScissorRect(&frameScissor);
    device->SetRenderState(gfx::D3DRS_SCISSORTESTENABLE, 1);
    app->tools().setMainColour(colourOf(kRed));
    useCamera(1);
    pickAt(coarse, 0.3f, 0.55f);
    model->prepareBrush3D(model->pickedPoint, 0.2f);
    model->paintBrush3D(nullptr, model->pickedPoint, 0.2f);

    // The brush square is about 25 texels across, the triangles 128.
    const d3dx::Vector2 centre = Grid::uvAt(0.3f, 0.55f) * 256.0f;
    const std::vector<uint32_t> picture = paint();
    EXPECT_EQ(at(picture, centre.x, centre.y), kRed);
    size_t changed = 0;
    for (uint32_t y = 0; y < 256; ++y)
        for (uint32_t x = 0; x < 256; ++x) {
            if (picture[size_t(y) * 256 + x] == kGrey) continue;
            ++changed;
            ASSERT_LT(std::fabs(float(x) + 0.5f - centre.x), 16.0f) << x << "," << y;
            ASSERT_LT(std::fabs(float(y) + 0.5f - centre.y), 16.0f) << x << "," << y;
        }
    EXPECT_GT(changed, size_t(20 * 20));
    const simBoundingRect& dirty = model->getUndo().dirtyRect();
    EXPECT_LT(dirty.max.x - dirty.min.x, 28.0f);
    EXPECT_LT(dirty.max.y - dirty.min.y, 28.0f);

    uint32_t scissorTest = 0;
    gfx::RECT scissor{};
    device->GetRenderState(gfx::D3DRS_SCISSORTESTENABLE, &scissorTest);
    device->GetScissorRect(&scissor);
    EXPECT_EQ(scissorTest, 1u);
    EXPECT_EQ(scissor.left, frameScissor.left);
    EXPECT_EQ(scissor.bottom, frameScissor.bottom);
    device->SetRenderState(gfx::D3DRS_SCISSORTESTENABLE, 0);
}

// A brush turned 20 degrees away from a large flat face: the picked
// triangle's corners lie far beyond the depth where the fade ends on one
// side and far above the picked point on the other. The texel under the
// picked point still gets the whole colour (the corners' clamped alphas,
// interpolated, would give it about half), and the texels deep enough along
// the projector get none.
TEST_F(PaintOnGl, AFadingStampPaintsFullyAtThePickedPointsDepth) {
    Grid big{{10, 0, 0}, {0, 10, 0}, {0, 0, 1}, {0, 0, 1}};
    big.cells = 2;  // squares of 10 units, 128 texels
    build(big, 256, 256);
    app->tools().setMainColour(colourOf(kRed));
    useCamera(1);
    pickAt(big, 0.5f, -0.5f);
    const float tilt = 20.0f / 180.0f * 3.1415f;
    model->pickedNormal = {std::sin(tilt), 0.0f, std::cos(tilt)};
    model->prepareBrush3D(model->pickedPoint, 16.0f);  // the image reaches 6 units each way
    model->paintBrush3D(nullptr, model->pickedPoint, 16.0f);
    const std::vector<uint32_t> picture = paint();
    auto texel = [&](float a, float b) {
        const d3dx::Vector2 uv = Grid::uvAt(a, b) * 256.0f;
        return at(picture, uv.x, uv.y);
    };
    EXPECT_EQ(texel(0.5f, -0.5f), kRed);
    // 5 units either way along x: 1.7 units above or below the picked point
    // along the projector, where the fade ends after 1.275.
    const uint32_t sides[2] = {texel(0.0f + 0.01f, -0.5f), texel(1.0f - 0.01f, -0.5f)};
    EXPECT_TRUE((sides[0] == kRed && sides[1] == kGrey) || (sides[0] == kGrey && sides[1] == kRed))
        << std::hex << sides[0] << " " << sides[1];
}

// Successive walks over the patch each reach every triangle: the visit
// stamp never repeats one a triangle already carries.
// The screen positions picking reads are taken through the 3-D view's
// camera, whatever camera and transforms the last drawing left behind (the
// texture view's camera, the 2-D text's identity transforms).
TEST_F(PaintOnGl, ScreenPositionsAreSeenThroughTheThreeDViewsCamera) {
    build(kFacingZ, 64, 32);
    ASSERT_TRUE(useCamera(1));
    model->updateTriangleScreenPositions();
    const tbTriangle& t = *model->triangles[5];
    const d3dx::Vector2 expected[3] = {t.screenCorners[0], t.screenCorners[1], t.screenCorners[2]};

    ASSERT_TRUE(useCamera(0));
    const d3dx::Matrix identity = d3dx::Matrix::identity();
    for (uint32_t which : {0u, 1u, 2u}) g_graphics->getRenderer()->setTransform(which, &identity);
    model->updateTriangleScreenPositions();
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(t.screenCorners[i].x, expected[i].x, 1e-3f) << i;
        EXPECT_NEAR(t.screenCorners[i].y, expected[i].y, 1e-3f) << i;
    }
}

// An object switched off takes no part in the projections after camera
// moves; switched on again (enabled or shown) it is picked where it shows
// now, not where it showed when it went off.
TEST_F(PaintOnGl, AnObjectSwitchedOnAgainIsPickedWhereItShows) {
    build(kFacingZ, 64, 32);
    ASSERT_TRUE(useCamera(1));
    model->updateTriangleScreenPositions();
    tbTriangle& t = *model->triangles[5];
    const d3dx::Vector2 now[3] = {t.screenCorners[0], t.screenCorners[1], t.screenCorners[2]};
    for (const bars::ObjectPage page : {bars::ObjectPage::enabled, bars::ObjectPage::visible}) {
        SCOPED_TRACE(page == bars::ObjectPage::enabled ? "enabled" : "shown");
        tbGeometryObject& object = *model->roots[0];
        bars::ObjectBarModel::setTicked(object, page, false);
        // Where a camera move, seen while it was off, left it.
        for (d3dx::Vector2& corner : t.screenCorners) corner = {-500, -500};
        bars::ObjectBarModel::setTicked(object, page, true);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(t.screenCorners[i].x, now[i].x, 1e-3f) << i;
            EXPECT_NEAR(t.screenCorners[i].y, now[i].y, 1e-3f) << i;
        }
    }
}

TEST_F(PaintOnGl, EveryPreparationGathersTheWholePatch) {
    build(kFacingZ, 64, 32);
    useCamera(1);
    pickAt(kFacingZ, 0.1f, 0.1f);
    model->prepareBrush3D(model->pickedPoint, 0.5f);
    const std::vector<tbTriangle*> first = model->brush3D.patch;
    ASSERT_FALSE(first.empty());
    for (int i = 0; i < 50; ++i) {
        model->prepareBrush3D(model->pickedPoint, 0.5f);
        ASSERT_EQ(model->brush3D.patch, first);
    }
}

// A walk passes over triangles that carry its stamp, so a stamp handed out
// twice (as random stamps are, now and then) leaves part of a later patch
// ungathered: a million stamps in a row are all new, and none is 0, the
// stamp every triangle starts with.
TEST_F(PaintOnGl, NoVisitStampIsHandedOutTwice) {
    build(kFacingZ, 64, 32);
    std::vector<uint32_t> stamps(1u << 20);
    for (uint32_t& stamp : stamps) stamp = model->nextVisitStamp();
    std::sort(stamps.begin(), stamps.end());
    EXPECT_NE(stamps.front(), 0u);
    EXPECT_EQ(std::adjacent_find(stamps.begin(), stamps.end()), stamps.end());
}

// The CPU's picture of a fill: pixels whose centre lies inside a region
// triangle get the colours interpolated from its corners.
struct Expected {
    bool inside = false;
    float argb[4] = {};
};
Expected reference(const std::vector<tbTriangle*>& region, const std::vector<uint32_t>& cornerColours, float x,
                   float y, uint32_t width, uint32_t height) {
    Expected e;
    for (size_t i = 0; i < region.size(); ++i) {
        d3dx::Vector2 p[3];
        for (int k = 0; k < 3; ++k) p[k] = tbPaintSpace::texelOf(region[i]->uvs[k], width, height);
        const float d = (p[1].y - p[2].y) * (p[0].x - p[2].x) + (p[2].x - p[1].x) * (p[0].y - p[2].y);
        const float w0 = ((p[1].y - p[2].y) * (x - p[2].x) + (p[2].x - p[1].x) * (y - p[2].y)) / d;
        const float w1 = ((p[2].y - p[0].y) * (x - p[2].x) + (p[0].x - p[2].x) * (y - p[2].y)) / d;
        const float w[3] = {w0, w1, 1.0f - w0 - w1};
        if (w[0] <= 0 || w[1] <= 0 || w[2] <= 0) continue;
        e.inside = true;
        for (int c = 0; c < 4; ++c) {
            e.argb[c] = 0;
            for (int k = 0; k < 3; ++k) e.argb[c] += w[k] * float((cornerColours[i * 3 + size_t(k)] >> (24 - 8 * c)) & 0xFF);
        }
        return e;
    }
    return e;
}

TEST_F(PaintOnGl, AFloodFillPaintsItsSubObjectAgainstACpuReference) {
    Grid g = kFacingZ;
    g.cells = 4;
    build(g, 64, 32, {0, 0, 0}, 2);  // the root holds the lower two rows, its child the upper two
    const simColour main = colourOf(0xFF000000u), second = colourOf(0xFFFF8000u);
    for (const bool gradient : {false, true}) {
        SCOPED_TRACE(gradient);
        model->getTextureMap()->writePixels({0, 0, 64, 32}, std::vector<uint32_t>(64 * 32, kGrey));
        std::vector<tbTriangle*> region;
        model->roots[0]->collectTriangles(false, region);
        ASSERT_EQ(region.size(), 16u);
        model->floodFill(region, main, second, gradient, 1);
        // Corner colours: y runs from -1 (main) to 0 (second) over the region.
        std::vector<uint32_t> corners;
        for (const tbTriangle* t : region)
            for (const d3dx::Vector3& p : t->positions) {
                const float s = gradient ? (p.y + 1.0f) : 0.0f;
                corners.push_back(0xFF000000u | (uint32_t(255.0f * s) << 16) | (uint32_t(128.0f * s) << 8));
            }
        const std::vector<uint32_t> picture = paint();
        int worst = 0;
        for (uint32_t y = 0; y < 32; ++y)
            for (uint32_t x = 0; x < 64; ++x) {
                const Expected e = reference(region, corners, float(x) + 0.5f, float(y) + 0.5f, 64, 32);
                const uint32_t got = picture[size_t(y) * 64 + x];
                if (!e.inside) {
                    ASSERT_EQ(got, kGrey) << x << ", " << y;
                    continue;
                }
                for (int c = 1; c < 4; ++c)
                    worst = std::max(worst, std::abs(int((got >> (24 - 8 * c)) & 0xFF) - int(std::lround(e.argb[c]))));
            }
        EXPECT_LE(worst, 2);
        // The lower half of the picture (v > 0.5) is the root's; the child's
        // upper half stays as it was.
        EXPECT_EQ(at(picture, 5, 5), kGrey);
        EXPECT_NE(at(picture, 5, 30), kGrey);
    }
}

// Culling or blending left off by the frame (a mirrored material switches
// culling on) changes nothing inside the bracket, and the frame gets its
// own states back afterwards.
TEST_F(PaintOnGl, TheBracketSetsItsOwnStatesAndPutsTheFramesBack) {
    Grid mirrored = kFacingZ;
    mirrored.faceNormal = {0, 0, -1};
    build(mirrored, 32, 32);
    simRendererState& cache = *g_graphics->getRenderer()->getState();
    cache.setState(simRenderState_backfaceCullMode, 1);
    cache.setState(simRenderState_alphaBlend, 0);
    cache.setState(simRenderState_zFunction, 4);
    gfx::D3DVIEWPORT9 before{};
    g_graphics->getRenderer()->getDevice()->GetViewport(&before);
    std::vector<tbTriangle*> region;
    model->roots[0]->collectTriangles(true, region);
    model->floodFill(region, colourOf(kBlue), colourOf(kBlue), false, 0);
    const std::vector<uint32_t> picture = paint();
    EXPECT_EQ(size_t(std::count(picture.begin(), picture.end(), kBlue)), picture.size());
    EXPECT_EQ(cache.getState(simRenderState_backfaceCullMode), 1u);
    EXPECT_EQ(cache.getState(simRenderState_alphaBlend), 0u);
    EXPECT_EQ(cache.getState(simRenderState_zFunction), 4u);
    gfx::D3DVIEWPORT9 after{};
    g_graphics->getRenderer()->getDevice()->GetViewport(&after);
    EXPECT_EQ(after.Width, before.Width);
    EXPECT_EQ(after.Height, before.Height);
    EXPECT_FALSE(g_graphics->getRenderer()->isInScene());
}

// Half-transparent paint blends into the colour but leaves the picture
// opaque.
TEST_F(PaintOnGl, TranslucentPaintKeepsThePictureOpaque) {
    build(kFacingZ, 32, 32);
    std::vector<tbTriangle*> region;
    model->roots[0]->collectTriangles(true, region);
    gfx::Device& d = *g_graphics->getRenderer()->getDevice();
    auto firstPixel = [&] {
        gfx::D3DLOCKED_RECT locked{};
        EXPECT_EQ(d.LockRect(map().getDrawingSurface(), &locked, nullptr, gfx::D3DLOCK_READONLY), gfx::D3D_OK);
        const uint32_t pixel = locked.pBits ? *static_cast<const uint32_t*>(locked.pBits) : 0u;
        d.UnlockRect(map().getDrawingSurface());
        return pixel;
    };
    const uint32_t before = firstPixel();
    model->floodFill(region, colourOf(0x80FF0000u), colourOf(0x80FF0000u), false, 0);
    const uint32_t pixel = firstPixel();
    EXPECT_EQ(pixel >> 24, before >> 24);
    EXPECT_NEAR(double((pixel >> 16) & 0xFF), 0xC0, 2);  // half red over grey
}

// Stamps far smaller than the picture: each blends over the paint already
// there (a second translucent stamp over the first one's overlap), one at
// the picture's corner paints only its part inside, nothing else changes,
// and the drawing surface ends with the same picture as the paint surface.
TEST_F(PaintOnGl, SmallTranslucentStampsBlendOverThePaintAlreadyThere) {
    build(kFacingZ, 256, 256);
    app->tools().setMainColour(colourOf(0x80FF0000u));
    const float size = 1.0f;  // squares of 20 texels
    const d3dx::Vector2 first = textureViewPoint(40.0f / 256.0f, 40.0f / 256.0f);
    const d3dx::Vector2 second = textureViewPoint(50.0f / 256.0f, 50.0f / 256.0f);
    const d3dx::Vector2 corner = textureViewPoint(0.0f, 0.0f);
    model->paintBrushTexture(nullptr, first.x, first.y, size);
    model->paintBrushTexture(nullptr, second.x, second.y, size);
    model->paintBrushTexture(nullptr, corner.x, corner.y, size);
    // The squares span texels 30..50, 40..60 and 0..10 both ways.
    const std::vector<uint32_t> picture = paint();
    auto red = [&](int x, int y) { return int((picture[size_t(y) * 256 + size_t(x)] >> 16) & 0xFF); };
    const struct {
        int x, y, red;
    } probes[] = {{33, 34, 0xBF},   {57, 56, 0xBF},  {45, 45, 0xDF},  {3, 3, 0xBF},
                  {100, 100, 0x80}, {33, 66, 0x80},  {20, 15, 0x80},  {255, 255, 0x80}};
    for (const auto& probe : probes) EXPECT_NEAR(red(probe.x, probe.y), probe.red, 3) << probe.x << ", " << probe.y;
    const auto painted = std::count_if(picture.begin(), picture.end(), [](uint32_t c) { return ((c >> 16) & 0xFF) > 0x90; });
    EXPECT_NEAR(double(painted), 400.0 + 400.0 - 100.0 + 100.0, 90.0);
    EXPECT_EQ(pixels(map().getDrawingSurface()), picture);
}

// Undo brings back the exact pixels of each step in turn; each state keeps
// only its own step's area.
TEST_F(PaintOnGl, UndoRestoresExactPixelsStepByStep) {
    build(kFacingZ, 64, 32);
    tbGeometryUndo& undo = model->getUndo();
    const float size = 0.3f;
    std::vector<std::vector<uint32_t>> pictures{paint()};
    const struct {
        float u, v;
        uint32_t colour;
    } strokes[] = {{0.2f, 0.3f, kRed}, {0.25f, 0.35f, kBlue}, {0.8f, 0.7f, kGreen}};
    for (const auto& s : strokes) {
        app->tools().setMainColour(colourOf(s.colour));
        const d3dx::Vector2 mouse = textureViewPoint(s.u, s.v);
        model->paintBrushTexture(nullptr, mouse.x, mouse.y, size);
        model->paintBrushTexture(nullptr, mouse.x + 3.0f, mouse.y, size);
        undo.push();
        EXPECT_TRUE(undo.dirtyRect().isEmpty());
        pictures.push_back(paint());
    }
    ASSERT_EQ(undo.count(), 3u);
    // The green stroke's state lies far from the red one: only its own area.
    const tbPaintSpace::PixelRect green = undo.states().back()->area;
    EXPECT_GT(green.left, 32);
    EXPECT_LT((green.right - green.left) * (green.bottom - green.top), 64 * 32 / 4);
    for (int step = 2; step >= 0; --step) {
        undo.undo();
        EXPECT_EQ(paint(), pictures[size_t(step)]) << step;
        EXPECT_EQ(pixels(map().getDrawingSurface()), pictures[size_t(step)]) << step;
        EXPECT_EQ(pixels(map().getSnapshotSurface()), pictures[size_t(step)]) << step;
    }
    undo.undo();  // an empty history does nothing
    EXPECT_EQ(paint(), pictures[0]);
    // Painting goes on from the undone picture; its step is undone again.
    app->tools().setMainColour(colourOf(kRed));
    const d3dx::Vector2 mouse = textureViewPoint(0.5f, 0.5f);
    model->paintBrushTexture(nullptr, mouse.x, mouse.y, size);
    undo.push();
    undo.undo();
    EXPECT_EQ(paint(), pictures[0]);
}

TEST_F(PaintOnGl, TheHistoryKeepsTwentyFiveStates) {
    build(kFacingZ, 32, 32);
    tbGeometryUndo& undo = model->getUndo();
    app->tools().setMainColour(colourOf(kRed));
    std::vector<std::vector<uint32_t>> pictures;
    for (int i = 0; i < 26; ++i) {
        const d3dx::Vector2 mouse = textureViewPoint(float(i % 6) / 6.0f + 0.05f, float(i / 6) / 5.0f + 0.05f);
        model->paintBrushTexture(nullptr, mouse.x, mouse.y, 0.05f);
        undo.push();
        pictures.push_back(paint());
    }
    EXPECT_EQ(undo.count(), tbGeometryUndo::kMaxStates);
    for (size_t i = 0; i < tbGeometryUndo::kMaxStates; ++i) undo.undo();
    EXPECT_EQ(paint(), pictures[0]);
}

// A step whose pixels cannot be read is dropped whole: the selection and
// shape reports of that step do not turn up in the next state.
TEST_F(PaintOnGl, AStepThatCannotBeKeptIsForgottenWhole) {
    build(kFacingZ, 32, 32);
    tbGeometryUndo& undo = model->getUndo();
    undo.addTriangle({1, 1}, {5, 1}, {1, 5});
    undo.setSelectionChanged();
    undo.setShapeChanged();
    map().onDeviceReset();  // no snapshot to read from
    undo.push();
    map().onDeviceRestore();
    EXPECT_EQ(undo.count(), 0u);
    EXPECT_FALSE(undo.paintChanged());
    EXPECT_FALSE(undo.selectionChanged());
    EXPECT_FALSE(undo.shapeChanged());
    EXPECT_TRUE(undo.dirtyRect().isEmpty());
    undo.push();
    EXPECT_EQ(undo.count(), 0u);
}

TEST_F(PaintOnGl, AStampAfterALostDeviceStillPaints) {
    build(kFacingZ, 64, 32);
    app->tools().setMainColour(colourOf(kRed));
    const d3dx::Vector2 first = textureViewPoint(0.2f, 0.2f);
    model->paintBrushTexture(nullptr, first.x, first.y, 0.2f);
    model->getUndo().push();
    const std::vector<uint32_t> before = paint();
    g_graphics->getRenderer()->getDevice()->SimulateDeviceLoss();
    g_graphics->getRenderer()->getState()->setValid(false);
    ASSERT_TRUE(g_graphics->getRenderer()->handleLostDevice());
    EXPECT_EQ(paint(), before);
    app->tools().setMainColour(colourOf(kBlue));
    const d3dx::Vector2 second = textureViewPoint(0.7f, 0.7f);
    model->paintBrushTexture(nullptr, second.x, second.y, 0.2f);
    const std::vector<uint32_t> after = paint();
    EXPECT_EQ(at(after, 0.7f * 64.0f, 0.7f * 32.0f), kBlue);
    EXPECT_EQ(at(after, 0.2f * 64.0f, 0.2f * 32.0f), kRed);
    model->getUndo().push();
    model->getUndo().undo();
    EXPECT_EQ(paint(), before);
}

// The colour pick reads the frame as shown: left into the main colour,
// right into the second, opaque white outside the view; nothing in the
// first second after the model was made.
TEST_F(PaintOnGl, TheColourPickTakesTheShownFrame) {
    build(kFacingZ, 32, 32);
    simRenderer& r = *g_graphics->getRenderer();
    r.beginScene(false, false, false);
    r.getDevice()->SetRenderTarget(0, r.getBackBuffer());
    r.getDevice()->Clear(0, nullptr, gfx::D3DCLEAR_TARGET, 0xFF123456u, 1.0f, 0);
    r.endScene(false, nullptr);
    app->tools().setTool(4);
    app->tools().setMainColour(colourOf(kRed));
    app->tools().setSecondColour(colourOf(kRed));

    model->stopwatch.setElapsed(500.0);
    send(simInputEvent_mouseButton, 10, 10, simMouseButton_left, simButtonState_released);
    EXPECT_EQ(app->tools().mainColour().toARGB(), kRed);

    model->stopwatch.setElapsed(5000.0);
    send(simInputEvent_mouseButton, 10, 10, simMouseButton_left, simButtonState_released);
    EXPECT_EQ(app->tools().mainColour().toARGB(), 0xFF123456u);
    EXPECT_EQ(app->tools().secondColour().toARGB(), kRed);
    send(simInputEvent_mouseButton, 5000, 10, simMouseButton_right, simButtonState_released);
    EXPECT_EQ(app->tools().secondColour().toARGB(), 0xFFFFFFFFu);
}

// Through the handler: Ctrl+Shift+wheel keeps the alpha within 0..255 both
// ways (253 up stops at 255, 2 down stops at 0, never wrapping round to the
// other end), a brush press in the texture view stamps, the release records
// the step and Ctrl+Z takes it back.
TEST_F(PaintOnGl, TheHandlerStampsRecordsAndUndoes) {
    build(kFacingZ, 64, 32);
    app->tools().setTool(0);
    app->tools().setViewMode(1);
    const struct {
        int32_t start;
        uint8_t wheelDirection;  // 0 away from the user: up
        int32_t end;
    } turns[] = {{253, 0, 255}, {2, 1, 0}};
    for (const auto& turn : turns) {
        simColour colour = colourOf(kRed);
        colour.alpha = turn.start;
        app->tools().setMainColour(colour);
        simInputEvent wheel;
        wheel.type = simInputEvent_wheel;
        wheel.ctrl = wheel.shift = 1;
        wheel.wheelDirection = turn.wheelDirection;
        for (int notch = 0; notch < 2; ++notch) {
            model->onEvent(&wheel);
            EXPECT_EQ(app->tools().mainColour().alpha, turn.end) << turn.start << ", notch " << notch;
        }
    }
    app->tools().setMainColour(colourOf(kRed));

    const std::vector<uint32_t> before = paint();
    const d3dx::Vector2 mouse = textureViewPoint(0.5f, 0.5f);
    send(simInputEvent_mouseButton, int32_t(mouse.x), int32_t(mouse.y), simMouseButton_left, simButtonState_pressed);
    send(simInputEvent_mouseButton, int32_t(mouse.x), int32_t(mouse.y), simMouseButton_left, simButtonState_released);
    EXPECT_NE(paint(), before);
    EXPECT_EQ(model->getUndo().count(), 1u);
    g_input->getKeyboard()->onKey(17, 1);
    simInputEvent z;
    z.type = simInputEvent_key;
    z.key = 90;
    z.keyState = simKeyState_pressed;
    model->onEvent(&z);
    EXPECT_EQ(paint(), before);
    EXPECT_EQ(model->getUndo().count(), 0u);
}

// The flood fill takes the object under the release: a release over the
// backdrop fills nothing, even right after the mouse was over the model.
TEST_F(PaintOnGl, AFloodFillTakesOnlyWhatLiesUnderTheRelease) {
    build(kFacingZ, 32, 32);
    closeUp();
    app->tools().setTool(2);
    app->tools().setViewMode(0);
    app->tools().setMainColour(colourOf(kRed));
    const std::vector<uint32_t> before = paint();
    const d3dx::Vector2 onModel = shown(model->triangles[40]->centre);
    send(simInputEvent_mouseMove, int32_t(onModel.x), int32_t(onModel.y));
    ASSERT_NE(model->pickedObject, nullptr);
    send(simInputEvent_mouseMove, 2, 2);
    send(simInputEvent_mouseButton, 2, 2, simMouseButton_left, simButtonState_released);
    EXPECT_EQ(paint(), before);
    send(simInputEvent_mouseButton, int32_t(onModel.x), int32_t(onModel.y), simMouseButton_left,
         simButtonState_released);
    const std::vector<uint32_t> filled = paint();
    EXPECT_GT(std::count(filled.begin(), filled.end(), kRed), std::ptrdiff_t(filled.size() / 2));
}

// Shift+wheel steps the brush size and Ctrl+wheel its angle, and the brush
// bar is told each time, so its fields show the new values.
TEST_F(PaintOnGl, TheWheelStepsTheBrushAndTheBrushBarFollows) {
    struct CountingView : tbToolStateView {
        int refreshes = 0;
        void refreshBrushBar() override { ++refreshes; }
    } view;
    build(kFacingZ, 32, 32);
    app->tools().setTool(0);
    app->tools().setViewMode(1);
    app->tools().setView(&view);
    app->tools().setBrushSize(20.0f, 0.0f, 100.0f);
    app->tools().setBrushAngle(30.0f);
    simInputEvent wheel;
    wheel.type = simInputEvent_wheel;
    wheel.shift = 1;
    model->onEvent(&wheel);
    EXPECT_EQ(app->tools().brushSize(), 21.0f);
    wheel.shift = 0;
    wheel.ctrl = 1;
    wheel.wheelDirection = 1;  // towards the user
    model->onEvent(&wheel);
    EXPECT_EQ(app->tools().brushAngle(), 25.0f);
    EXPECT_EQ(view.refreshes, 2);
    app->tools().setView(nullptr);
}

}  // namespace
