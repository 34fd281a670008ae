// The painting rules that need no device: the four conventions of paint
// space, the 3-D brush's shading, the undo's pixel packing, the flood's
// colour blend and the table that routes the view's events to the tools.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/scheme/tbBrushProjection.h"
#include "app/scheme/tbGeometryEvents.h"
#include "app/scheme/tbGeometryTool_flood.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbPixelRuns.h"
#include "app/scheme/tbTriangle.h"
#include "engine/core/simColour.h"
#include "engine/core/simInputEvent.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

d3dx::Vector3 through(const d3dx::Matrix& m, const d3dx::Vector3& p) {
    d3dx::Vector3 out;
    d3dx::Vec3TransformCoord(&out, &p, &m);
    return out;
}

TEST(PaintSpace, TexelRowsGrowDownwardsAndFollowTheHeight) {
    // A 64 x 32 picture: v is scaled by the height, not the width.
    EXPECT_EQ(tbPaintSpace::texelOf({0.25f, 0.5f}, 64, 32), d3dx::Vector2(16.0f, 16.0f));
    EXPECT_EQ(tbPaintSpace::texelOf({1.0f, 1.0f}, 64, 32), d3dx::Vector2(64.0f, 32.0f));
    EXPECT_EQ(tbPaintSpace::texelOf({0.0f, 0.0f}, 64, 32), d3dx::Vector2(0.0f, 0.0f));  // the top row
}

TEST(PaintSpace, TouchedPixelsTakeOneMoreAndStayInsideThePicture) {
    simBoundingRect r;
    r.growByPoint({2.0f, 3.0f});
    r.growByPoint({6.5f, 5.0f});
    const tbPaintSpace::PixelRect p = tbPaintSpace::pixelsTouched(r, 64, 32);
    EXPECT_EQ(p.left, 1);
    EXPECT_EQ(p.top, 2);
    EXPECT_EQ(p.right, 8);
    EXPECT_EQ(p.bottom, 6);
    simBoundingRect edge;
    edge.growByPoint({-40.0f, -3.0f});
    edge.growByPoint({70.0f, 40.0f});
    const tbPaintSpace::PixelRect clamped = tbPaintSpace::pixelsTouched(edge, 64, 32);
    EXPECT_EQ(clamped.left, 0);
    EXPECT_EQ(clamped.right, 64);
    EXPECT_EQ(clamped.bottom, 32);
    simBoundingRect outside;
    outside.growByPoint({100.0f, 100.0f});
    outside.growByPoint({120.0f, 120.0f});
    EXPECT_TRUE(tbPaintSpace::pixelsTouched(outside, 64, 32).empty());
    EXPECT_TRUE(tbPaintSpace::pixelsTouched(simBoundingRect{}, 64, 32).empty());
}

TEST(PaintSpace, TheProjectorIsLeftHandedWithDepthsFromZeroToOne) {
    // Looking down -z (a surface facing +z) from the origin with up +y.
    const d3dx::Matrix m = tbPaintSpace::projectorAlong({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 10.0f);
    // Depth: near plane 0, far plane 1, growing into the surface.
    EXPECT_NEAR(through(m, {0, 0, -0.01f}).z, 0.0f, 1e-6f);
    EXPECT_NEAR(through(m, {0, 0, -1000.0f}).z, 1.0f, 1e-5f);
    EXPECT_LT(through(m, {0, 0, -1.0f}).z, through(m, {0, 0, -2.0f}).z);
    // Left-handed: looking along -z, world +x is on the left (-x projected),
    // up stays up; the extent 10 spans -1..1.
    EXPECT_NEAR(through(m, {5, 0, -1}).x, -1.0f, 1e-5f);
    EXPECT_NEAR(through(m, {0, 5, -1}).y, 1.0f, 1e-5f);
    // A point moves with the projector: the picked point lands on the centre.
    const d3dx::Matrix moved = tbPaintSpace::projectorAlong({3, 4, 5}, {0, 0, 1}, {0, 1, 0}, 10.0f);
    EXPECT_NEAR(through(moved, {3, 4, 5}).x, 0.0f, 1e-6f);
    EXPECT_NEAR(through(moved, {3, 4, 5}).y, 0.0f, 1e-6f);
}

TEST(PaintSpace, SurfacesFacingStraightUpOrDownStillGetAProjectorAndATangent) {
    for (const d3dx::Vector3 n : {d3dx::Vector3{0, 1, 0}, d3dx::Vector3{0, -1, 0}, d3dx::Vector3{0, 0.9999f, 0.001f}}) {
        const d3dx::Vector3 t = tbPaintSpace::surfaceTangent(n);
        EXPECT_NEAR(d3dx::Vec3Length(&t), 1.0f, 1e-5f);
        EXPECT_NEAR(d3dx::Vec3Dot(&t, &n), 0.0f, 1e-3f);
        // The camera's up (0, 1, 0) is parallel to the view direction.
        const d3dx::Matrix m = tbPaintSpace::projectorAlong({0, 0, 0}, n, {0, 1, 0}, 10.0f);
        const d3dx::Vector3 side = through(m, t * 5.0f);
        for (float v : {side.x, side.y, side.z}) EXPECT_TRUE(std::isfinite(v));
        EXPECT_NEAR(std::hypot(side.x, side.y), 1.0f, 1e-3f);
    }
}

tbTriangle triangleAt(const d3dx::Vector3& a, const d3dx::Vector3& b, const d3dx::Vector3& c) {
    tbTriangle t;
    t.positions[0] = a;
    t.positions[1] = b;
    t.positions[2] = c;
    t.computeShape();
    return t;
}

TEST(BrushProjection, ShadesCornersByTheirPlaceUnderTheBrushAndSkipsMisses) {
    tbBrushProjection brush;
    brush.projector = tbPaintSpace::projectorAlong({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 10.0f);
    brush.projectedCentre = through(brush.projector, {0, 0, 0});
    brush.radius = 0.2f;  // one unit of the model (extent 10 -> 0.2 projected)
    simColour red;
    red.set(255, 255, 0, 0);
    d3dx::Vector2 uvs[3];
    const tbTriangle near = triangleAt({0, 0, 0}, {0, 1, 0}, {-1, 0, 0});
    ASSERT_TRUE(brush.shade(near, 0.0f, uvs));
    EXPECT_NEAR(uvs[0].x, 0.5f, 1e-5f);
    EXPECT_NEAR(uvs[1].y, 1.5f, 1e-5f);  // one radius up
    EXPECT_NEAR(uvs[2].x, 1.5f, 1e-5f);  // world -x is projected +x
    EXPECT_EQ(brush.colourAt(brush.projectedCentre.z, red), 0xFFFF0000u);
    // A quarter turn (with pi as 3.1415) moves the up corner to the side.
    ASSERT_TRUE(brush.shade(near, 90.0f, uvs));
    EXPECT_NEAR(uvs[1].x, -0.5f, 1e-3f);
    // Far away: wholly outside the brush image.
    EXPECT_FALSE(brush.shade(triangleAt({5, 5, 0}, {5, 6, 0}, {6, 5, 0}), 0.0f, uvs));
    // No radius, no shading (never a division by zero).
    brush.radius = 0.0f;
    EXPECT_FALSE(brush.shade(near, 0.0f, uvs));
}

// A triangle reaching from before the picked point's depth past the fade's
// end is cut into pieces that each lie within one stretch of the fade, the
// part beyond the end left out; each piece corner's weights put it where
// its depth says along the whole triangle.
TEST(BrushProjection, TheFadeCutLeavesPiecesWithinOneStretchEach) {
    tbBrushProjection brush;
    brush.projectedCentre = {0.0f, 0.0f, 0.5f};
    const float end = 0.5f + 255.0f / 200000.0f;
    tbTriangle t;
    const float depths[3] = {0.499f, 0.502f, 0.5005f};
    for (int i = 0; i < 3; ++i) t.brushCorners[i].z = depths[i];
    std::vector<tbBrushProjection::Piece> pieces;
    brush.cutAtFade(tbBrushProjection::cornersOf(t), pieces);
    ASSERT_GE(pieces.size(), 2u);
    bool beforeStart = false, fading = false;
    for (const tbBrushProjection::Piece& piece : pieces) {
        float lo = 1.0f, hi = 0.0f;
        for (const tbBrushProjection::Corner& c : piece) {
            EXPECT_NEAR(c.weights.x + c.weights.y + c.weights.z, 1.0f, 1e-5f);
            EXPECT_NEAR(c.of(depths), c.depth, 1e-6f);
            lo = std::min(lo, c.depth);
            hi = std::max(hi, c.depth);
        }
        EXPECT_LE(hi, end + 1e-6f);
        EXPECT_TRUE(hi <= 0.5f || lo >= 0.5f) << lo << " .. " << hi;
        (hi <= 0.5f ? beforeStart : fading) = true;
    }
    EXPECT_TRUE(beforeStart && fading);
}

TEST(BrushProjection, CornersDeeperThanThePickedPointFadeOut) {
    EXPECT_EQ(tbBrushProjection::fadedAlpha(0.5f, 0.5f, 200), 200u);  // level
    EXPECT_EQ(tbBrushProjection::fadedAlpha(0.5f, 0.4f, 200), 200u);  // nearer the viewer
    EXPECT_NEAR(double(tbBrushProjection::fadedAlpha(0.5f, 0.5f + 100.0f / 200000.0f, 255)), 155.0, 1.0);
    EXPECT_EQ(tbBrushProjection::fadedAlpha(0.5f, 0.5f + 255.0f / 200000.0f, 255), 0u);
    EXPECT_EQ(tbBrushProjection::fadedAlpha(0.5f, 0.9f, 255), 0u);
    EXPECT_EQ(tbBrushProjection::fadedAlpha(0.5f, 0.5f, 0), 0u);
}

TEST(PixelRuns, PackWhereItPaysAndGiveBackExactlyWhatWasKept) {
    const std::vector<uint32_t> flat(4096, 0xFF336699u);
    const tbPixelRuns packedFlat(flat);
    EXPECT_TRUE(packedFlat.isPacked());
    EXPECT_LT(packedFlat.memoryBytes(), 64u);
    EXPECT_EQ(packedFlat.unpack(), flat);

    std::vector<uint32_t> noisy(4096);
    for (size_t i = 0; i < noisy.size(); ++i) noisy[i] = uint32_t(i * 2654435761u);
    const tbPixelRuns kept(noisy);
    EXPECT_FALSE(kept.isPacked());
    EXPECT_EQ(kept.unpack(), noisy);

    std::vector<uint32_t> mixed(flat);
    mixed[17] = 1;
    mixed[4095] = 2;
    EXPECT_EQ(tbPixelRuns(mixed).unpack(), mixed);
    EXPECT_TRUE(tbPixelRuns(std::vector<uint32_t>{}).unpack().empty());
}

TEST(FloodBlend, RunsFromTheMainColourToTheSecondTruncated) {
    simColour a, b;
    a.set(255, 0, 0, 0);
    b.set(255, 255, 100, 10);
    EXPECT_EQ(tbBlendColours(a, b, 0.0f).toARGB(), a.toARGB());
    EXPECT_EQ(tbBlendColours(a, b, 1.0f).toARGB(), b.toARGB());
    const simColour half = tbBlendColours(a, b, 0.999f);
    EXPECT_EQ(half.red, 254);  // 255 only at the very top
    EXPECT_EQ(half.green, 99);
}

// ---- The dispatch table ----

simInputEvent event(uint32_t type, uint32_t button = 0, uint32_t state = 0) {
    simInputEvent e;
    e.type = type;
    e.button = button;
    e.buttonState = state;
    return e;
}
simInputEvent wheel(bool towards, bool shift, bool ctrl) {
    simInputEvent e = event(simInputEvent_wheel);
    e.wheelDirection = towards ? 1 : 0;
    e.shift = shift ? 1 : 0;
    e.ctrl = ctrl ? 1 : 0;
    return e;
}
simInputEvent ctrlZ(uint32_t keyState = simKeyState_pressed) {
    simInputEvent e = event(simInputEvent_key);
    e.key = 90;
    e.keyState = keyState;
    return e;
}
tbPaintInput input(int32_t tool, int32_t view, bool leftDown = false) {
    tbPaintInput in;
    in.gateOpen = true;
    in.sinceOpenMs = 5000.0;
    in.tool = tool;
    in.viewMode = view;
    in.leftDown = leftDown;
    return in;
}

constexpr uint32_t kPickAndCursor = tbPaint_clearPick | tbPaint_pick | tbPaint_prepareBrush;
const simInputEvent kMove = event(simInputEvent_mouseMove);
const simInputEvent kLeftPress = event(simInputEvent_mouseButton, simMouseButton_left, simButtonState_pressed);
const simInputEvent kLeftRelease = event(simInputEvent_mouseButton, simMouseButton_left, simButtonState_released);
const simInputEvent kRightRelease = event(simInputEvent_mouseButton, simMouseButton_right, simButtonState_released);
const simInputEvent kMiddleRelease = event(simInputEvent_mouseButton, simMouseButton_middle, simButtonState_released);

TEST(PaintDispatch, EachEventGoesToTheToolThatOwnsIt) {
    struct Case {
        const char* what;
        simInputEvent e;
        tbPaintInput in;
        uint32_t actions;
    };
    tbPaintInput dragging = input(0, 0, true);
    dragging.cameraDrag = true;
    tbPaintInput alt = input(0, 0);
    alt.alt = true;
    tbPaintInput altShape = input(1, 0);
    altShape.alt = true;
    tbPaintInput ctrlHeld = input(0, 0);
    ctrlHeld.ctrlKey = true;
    tbPaintInput ctrlShiftHeld = ctrlHeld;
    ctrlShiftHeld.shiftKey = true;
    tbPaintInput closed = input(0, 0, true);
    closed.gateOpen = false;
    tbPaintInput settling = input(0, 0, true);
    settling.sinceOpenMs = 999.0;
    const Case cases[] = {
        {"brush 3-D hover", kMove, input(0, 0), kPickAndCursor},
        {"brush 3-D drag", kMove, input(0, 0, true), kPickAndCursor | tbPaint_stamp3D},
        {"brush 3-D press", kLeftPress, input(0, 0), kPickAndCursor | tbPaint_stamp3D},
        {"brush 3-D release", kLeftRelease, input(0, 0), tbPaint_push},
        {"camera drag", kMove, dragging, tbPaint_clearPick},
        {"brush texture hover", kMove, input(0, 1), 0},
        {"brush texture drag", kMove, input(0, 1, true), tbPaint_stampTexture},
        {"brush texture press", kLeftPress, input(0, 1), tbPaint_stampTexture},
        {"shape press", kLeftPress, input(1, 0), tbPaint_shape},
        {"shape release", kLeftRelease, input(1, 1), tbPaint_shape | tbPaint_push},
        {"shape key", ctrlZ(simKeyState_released), input(1, 1), tbPaint_shape},
        {"alt shape press", kLeftPress, altShape, 0},
        {"flood hover", kMove, input(2, 0), tbPaint_clearPick | tbPaint_pick},
        {"flood press", kLeftPress, input(2, 0), 0},
        {"flood release", kLeftRelease, input(2, 0), tbPaint_clearPick | tbPaint_pick | tbPaint_flood | tbPaint_push},
        {"flood texture view", kLeftRelease, input(2, 1), tbPaint_push},
        {"picker left", kLeftRelease, input(4, 0), tbPaint_pickMainColour | tbPaint_push},
        {"picker right", kRightRelease, input(4, 1), tbPaint_pickSecondColour},
        {"picker middle", kMiddleRelease, input(4, 0), 0},
        {"alt brush press", kLeftPress, alt, 0},
        {"alt brush release", kLeftRelease, alt, tbPaint_pickMainColour | tbPaint_push},
        {"projection", kLeftPress, input(5, 0), 0},
        {"text", kMove, input(6, 0, true), 0},
        {"mirror", kLeftPress, input(7, 0), 0},
        {"ctrl+z", ctrlZ(), ctrlHeld, tbPaint_undo},
        {"ctrl+z held", ctrlZ(simKeyState_held), ctrlHeld, 0},
        {"ctrl+shift+z is no undo", ctrlZ(), ctrlShiftHeld, 0},
        {"z alone", ctrlZ(), input(0, 0), 0},
        {"gate closed", kLeftRelease, closed, 0},
        {"first second", kLeftRelease, settling, 0},
        {"wheel size up", wheel(false, true, false), input(0, 1), tbPaint_brushSizeUp},
        {"wheel size 3-D", wheel(true, true, false), input(0, 0), tbPaint_brushSizeDown | kPickAndCursor},
        {"wheel angle", wheel(true, false, true), input(0, 1), tbPaint_brushAngleDown},
        {"wheel size other tool", wheel(false, true, false), input(2, 1), 0},
        {"wheel alpha brush", wheel(false, true, true), input(0, 1), tbPaint_alphaUp},
        {"wheel alpha flood", wheel(true, true, true), input(2, 0), tbPaint_alphaDown},
        {"wheel alpha shape", wheel(true, true, true), input(1, 0), tbPaint_alphaDown | tbPaint_shape},
        {"wheel alpha text", wheel(true, true, true), input(6, 0), tbPaint_alphaDown},
        {"wheel alpha picker", wheel(true, true, true), input(4, 0), 0},
        {"wheel zoom", wheel(true, false, false), input(0, 0), 0},
    };
    for (const Case& c : cases) {
        // Every event that passes the gate without Alt goes to the UV
        // selection too, whatever the tool: it follows its manipulators.
        const uint32_t actions = tbRoutePaintEvent(c.e, c.in);
        EXPECT_EQ(actions & ~tbPaint_select, c.actions) << c.what;
        const bool passes = c.in.gateOpen && c.in.sinceOpenMs >= 1000.0 && !c.in.alt;
        EXPECT_EQ((actions & tbPaint_select) != 0, passes) << c.what;
    }
}

}  // namespace
