// The shape tool without a display: editing the outline by input sequences
// (append, insert, drag points and handles, curve and straighten segments,
// delete), undoing each edit, the curves' step counts, the outline's
// triangles and fill colours, and the 3-D fill's clipping of model
// triangles under the outline with their texture coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbShapeClip.h"
#include "app/scheme/tbShapeOutline.h"
#include "engine/core/simInputEvent.h"

namespace {

using V2 = d3dx::Vector2;
using Tool = tbGeometryTool_shape;

// One step of the user: a move, the left button pressed or released there,
// the right button clicked, a key released, or a curve button checked.
struct Step {
    enum Kind { kMove, kPress, kRelease, kReleaseUnpressed, kRightClick, kKeyUp, kKeyDown, kCurve } kind;
    float x = 0, y = 0;
    uint32_t key = 0;
    Tool::CurveButton curve = Tool::kNoCurveButton;
};
Step move(float x, float y) { return {Step::kMove, x, y}; }
Step keyUp(uint32_t key) { return {Step::kKeyUp, 0, 0, key}; }
Step keyDown(uint32_t key) { return {Step::kKeyDown, 0, 0, key}; }
Step curve(Tool::CurveButton b) { return {Step::kCurve, 0, 0, 0, b}; }
// A click as the engine reports it: the move there, the press, the release.
std::vector<Step> click(float x, float y) { return {move(x, y), {Step::kPress, x, y}, {Step::kRelease, x, y}}; }
std::vector<Step> dragFrom(float x0, float y0, float x1, float y1) {
    return {move(x0, y0), {Step::kPress, x0, y0}, move(x1, y1), {Step::kRelease, x1, y1}};
}
std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
std::vector<Step> operator+(std::vector<Step> a, const Step& b) {
    a.push_back(b);
    return a;
}

void run(Tool& tool, const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        if (s.kind == Step::kCurve) {
            tool.setCurveButton(s.curve);
            continue;
        }
        simInputEvent e;
        e.x = int32_t(s.x);
        e.y = int32_t(s.y);
        switch (s.kind) {
        case Step::kMove: e.type = simInputEvent_mouseMove; break;
        case Step::kPress: e.type = simInputEvent_mouseButton, e.buttonState = simButtonState_pressed; break;
        case Step::kRelease: e.type = simInputEvent_mouseButton, e.buttonState = simButtonState_released; break;
        case Step::kReleaseUnpressed:
            e.type = simInputEvent_mouseButton, e.buttonState = simButtonState_releasedWithoutPress;
            break;
        case Step::kRightClick:
            e.type = simInputEvent_mouseButton, e.button = simMouseButton_right, e.buttonState = simButtonState_released;
            break;
        case Step::kKeyUp: e.type = simInputEvent_key, e.key = s.key, e.keyState = simKeyState_released; break;
        case Step::kKeyDown: e.type = simInputEvent_key, e.key = s.key, e.keyState = simKeyState_pressed; break;
        case Step::kCurve: break;
        }
        tool.onEvent(e);
    }
}

tbShapePoint straight(float x, float y) {
    tbShapePoint p;
    p.position = {x, y};
    return p;
}
tbShapePoint curved(float x, float y, V2 out = {10, 0}, V2 in = {10, 0}) {
    tbShapePoint p = straight(x, y);
    p.curved = 1;
    p.outHandle = out;
    p.inHandle = in;
    return p;
}

// A square of side 100 from (100, 100), clockwise on screen.
const std::vector<Step> kSquare = click(100, 100) + click(200, 100) + click(200, 200) + click(100, 200);
const std::vector<tbShapePoint> kSquarePoints = {straight(100, 100), straight(200, 100), straight(200, 200),
                                                 straight(100, 200)};

struct EditCase {
    const char* what;
    std::vector<Step> steps;
    std::vector<tbShapePoint> outline;
    int32_t selected;
};

TEST(ShapeTool, EditsTheOutlineAsTheUserDrawsIt) {
    const EditCase cases[] = {
        // A press away from every point selects none; a curving click keeps it so.
        {"the first click appends a point at the mouse", click(100, 100), {straight(100, 100)}, 0},
        {"clicks away from the outline append and select", kSquare, kSquarePoints, 3},
        {"a release without a press appends nothing", click(100, 100) + Step{Step::kReleaseUnpressed, 300, 300},
         {straight(100, 100)}, 0},
        {"the right button draws nothing", std::vector<Step>{move(50, 50), {Step::kRightClick, 50, 50}}, {}, -1},
        {"delete removes the newest point and selects the one before", kSquare + keyUp(46),
         {straight(100, 100), straight(200, 100), straight(200, 200)}, 2},
        {"backspace does the same", kSquare + keyUp(8), {straight(100, 100), straight(200, 100), straight(200, 200)},
         2},
        {"a key going down deletes nothing", kSquare + keyDown(46), kSquarePoints, 3},
        {"delete on a one-point outline leaves none and no selection", click(100, 100) + keyUp(46), {}, -1},
        {"delete with nothing selected does nothing", std::vector<Step>{keyUp(46)}, {}, -1},
        {"a click near a segment inserts at the perpendicular's foot", kSquare + click(150, 112),
         {straight(100, 100), straight(150, 100), straight(200, 100), straight(200, 200), straight(100, 200)}, 1},
        {"a click near the closing segment inserts at the front", kSquare + click(88, 150),
         {straight(100, 150), straight(100, 100), straight(200, 100), straight(200, 200), straight(100, 200)}, 0},
        {"20 pixels from every segment is away from the outline", kSquare + click(150, 80),
         {straight(100, 100), straight(200, 100), straight(200, 200), straight(100, 200), straight(150, 80)}, 4},
        {"the square's corner pixel grabs the point", kSquare + dragFrom(105, 95, 130, 60),
         {straight(130, 60), straight(200, 100), straight(200, 200), straight(100, 200)}, 0},
        {"one pixel beyond the square is on the segment", kSquare + click(106, 100),
         {straight(100, 100), straight(106, 100), straight(200, 100), straight(200, 200), straight(100, 200)}, 1},
        {"Create Curve curves the segment instead of inserting",
         kSquare + curve(Tool::kCreateCurve) + click(150, 105),
         {curved(100, 100), straight(200, 100), straight(200, 200), straight(100, 200)}, -1},
        {"Create Curve on the closing segment curves the last point",
         kSquare + curve(Tool::kCreateCurve) + click(95, 150),
         {straight(100, 100), straight(200, 100), straight(200, 200), curved(100, 200)}, -1},
        {"Clear Curve straightens it again",
         kSquare + curve(Tool::kCreateCurve) + click(150, 105) + curve(Tool::kClearCurve) + click(150, 105),
         kSquarePoints, -1},
        {"a curve button is used once, then clicks insert again",
         kSquare + curve(Tool::kCreateCurve) + click(150, 112) + click(150, 118),
         {curved(100, 100), straight(150, 100), straight(200, 100), straight(200, 200), straight(100, 200)}, 1},
        {"dragging the out-handle's end sets the out-handle",
         kSquare + curve(Tool::kCreateCurve) + click(150, 105) + dragFrom(110, 100, 130, 120),
         {curved(100, 100, {30, 20}), straight(200, 100), straight(200, 200), straight(100, 200)}, 0},
        {"dragging the in-handle's end (beside the next point) sets the in-handle",
         kSquare + curve(Tool::kCreateCurve) + click(150, 105) + dragFrom(210, 100, 220, 90),
         {curved(100, 100, {10, 0}, {20, -10}), straight(200, 100), straight(200, 200), straight(100, 200)}, 0},
        {"a drag ends on the release: the next move only hovers",
         kSquare + dragFrom(200, 200, 250, 250) + move(10, 10),
         {straight(100, 100), straight(200, 100), straight(250, 250), straight(100, 200)}, 2},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        tbGeometry model(nullptr);
        Tool& tool = model.shapeTool();
        int32_t unchecked = 0;
        tool.setCurveButtonListener([&](Tool::CurveButton b) {
            EXPECT_EQ(b, Tool::kNoCurveButton);
            ++unchecked;
        });
        run(tool, c.steps);
        EXPECT_EQ(tool.points(), c.outline);
        EXPECT_EQ(tool.selectedIndex(), c.selected);
        EXPECT_EQ(tool.dragIndex(), -1);
        EXPECT_EQ(tool.curveButton(), Tool::kNoCurveButton);
        int32_t checked = 0;
        for (const Step& s : c.steps) checked += s.kind == Step::kCurve ? 1 : 0;
        EXPECT_EQ(unchecked, checked);
    }
}

TEST(ShapeTool, HoveringMarksThePointOrHandleLastInOrderAndTheNearestSegment) {
    tbGeometry model(nullptr);
    Tool& tool = model.shapeTool();
    // Two points 8 pixels apart: both squares hold (104, 100); the later one wins.
    const tbStoredShape triangle{"", {straight(100, 100), straight(108, 100), straight(104, 150)}};
    tool.restore(&triangle);
    run(tool, {move(104, 100)});
    EXPECT_EQ(tool.hoveredIndex(), 1);
    EXPECT_EQ(tool.hoveredPart(), Tool::kThePoint);
    EXPECT_EQ(tool.insertionIndex(), -1);
    // Near two segments (about 14 and 18 pixels away): the nearer one's
    // foot is taken, to go before its end point.
    run(tool, {move(120, 128)});
    EXPECT_EQ(tool.hoveredIndex(), -1);
    EXPECT_EQ(tool.insertionIndex(), 2);
    EXPECT_NEAR(tool.insertionPoint().x, 106.0f, 1.0f);
    EXPECT_NEAR(tool.insertionPoint().y, 127.0f, 1.0f);
    // Far from everything: nothing.
    run(tool, {move(400, 400)});
    EXPECT_EQ(tool.insertionIndex(), -1);
    EXPECT_EQ(tool.insertionPoint(), (V2{0, 0}));
}

TEST(ShapeTool, UndoBringsBackTheOutlineAsItWasBeforeEachEdit) {
    tbGeometry model(nullptr);
    Tool& tool = model.shapeTool();
    tbGeometryUndo& undo = model.getUndo();
    std::vector<std::vector<tbShapePoint>> seen{tool.points()};
    const std::vector<std::vector<Step>> edits = {
        click(100, 100), click(200, 100), click(200, 200),     // appended
        click(150, 110),                                       // inserted on a segment
        std::vector<Step>{curve(Tool::kCreateCurve)} + click(125, 104),  // curved
        dragFrom(200, 200, 220, 240),                          // dragged
        {keyUp(46)},                                           // deleted
    };
    for (const auto& edit : edits) {
        run(tool, edit);
        ASSERT_NE(tool.points(), seen.back());
        seen.push_back(tool.points());
        EXPECT_EQ(undo.count(), seen.size() - 1);
        EXPECT_EQ(tool.snapshotRecord().name, "undo_shape");
        EXPECT_FALSE(undo.shapeChanged());
    }
    for (size_t i = seen.size() - 1; i > 0; --i) {
        undo.undo();
        EXPECT_EQ(tool.points(), seen[i - 1]) << i;
        EXPECT_EQ(tool.selectedIndex(), -1);
        EXPECT_EQ(tool.hoveredIndex(), -1);
    }
    EXPECT_EQ(undo.count(), 0u);
}

TEST(ShapeTool, ClearingUnderADragLeavesNothingToMove) {
    tbGeometry model(nullptr);
    Tool& tool = model.shapeTool();
    run(tool, kSquare + move(200, 200) + Step{Step::kPress, 200, 200});
    model.clearShape();
    run(tool, std::vector<Step>{move(250, 250), {Step::kRelease, 250, 250}, keyUp(46)});
    EXPECT_TRUE(tool.points().empty());
    tool.restore(nullptr);  // nothing to restore from
    EXPECT_TRUE(tool.points().empty());
}

// ---- The outline's geometry

TEST(ShapeOutline, CurvesTakeOneStepPerTenPixelsFromTwelveToThirtyTwo) {
    const struct {
        float length;
        int32_t steps;
    } cases[] = {{0, 12}, {50, 12}, {125, 12}, {130, 13}, {255, 25}, {320, 32}, {400, 32}, {1e30f, 32}, {NAN, 12}};
    for (const auto& c : cases) {
        EXPECT_EQ(tbShapeOutline::curveSteps(curved(0, 0), straight(c.length, 0)), c.steps) << c.length;
    }
}

TEST(ShapeOutline, ACurveRunsFromItsPointToTheNextAndItsHandlesBendIt) {
    const tbShapePoint from = curved(0, 0, {0, 5}, {0, 5}), to = straight(100, 0);
    EXPECT_EQ(tbShapeOutline::curvePoint(from, to, 0.0f), (V2{0, 0}));
    const V2 end = tbShapeOutline::curvePoint(from, to, 1.0f);
    EXPECT_NEAR(end.x, 100.0f, 1e-3f);
    EXPECT_NEAR(end.y, 0.0f, 1e-3f);
    // Both handles along +y shape the spline through points above the ends
    // (each handle reaches ten times its length back): it leaves along +y.
    EXPECT_GT(tbShapeOutline::curvePoint(from, to, 0.5f).y, 1.0f);
    // Handles along the chord leave it straight.
    const V2 mid = tbShapeOutline::curvePoint(curved(0, 0, {-10, 0}, {10, 0}), to, 0.5f);
    EXPECT_NEAR(mid.y, 0.0f, 1e-3f);
}

TEST(ShapeOutline, ThePolygonAndItsTriangles) {
    EXPECT_TRUE(tbShapeOutline::triangles({straight(0, 0), straight(10, 0)}).empty());
    const std::vector<V2> square = tbShapeOutline::triangles(kSquarePoints);
    ASSERT_EQ(square.size(), 6u);
    auto area = [](const std::vector<V2>& t) {
        float sum = 0;
        for (size_t i = 0; i + 2 < t.size(); i += 3)
            sum += std::fabs((t[i + 1].x - t[i].x) * (t[i + 2].y - t[i].y) -
                             (t[i + 2].x - t[i].x) * (t[i + 1].y - t[i].y)) / 2;
        return sum;
    };
    EXPECT_FLOAT_EQ(area(square), 10000.0f);
    // A curved side of 100 pixels adds 12 points, its own first.
    std::vector<tbShapePoint> bent = kSquarePoints;
    bent[0] = curved(100, 100, {0, -20}, {0, 20});
    const std::vector<V2> ring = tbShapeOutline::polygon(bent);
    ASSERT_EQ(ring.size(), 3u + 12u);
    EXPECT_EQ(ring[0], (V2{100, 100}));
    EXPECT_EQ(ring[12], (V2{200, 100}));
    EXPECT_GT(area(tbShapeOutline::triangles(bent)), 10000.0f);  // the side bulges out (up)
}

TEST(ShapeOutline, CornerColoursGradeAcrossTheRectangleAlongTheAxis) {
    simBoundingRect rect;
    rect.growByPoint({100, 200});
    rect.growByPoint({200, 400});
    const simColour black = simColour::fromARGB(0xFF000000u), white = simColour::fromARGB(0xFFFFFFFFu);
    const struct {
        V2 corner;
        bool gradient;
        uint32_t axis;
        uint32_t argb;
    } cases[] = {
        {{150, 300}, false, 0, 0xFF000000u}, {{100, 400}, true, 0, 0xFF000000u}, {{200, 200}, true, 0, 0xFFFFFFFFu},
        {{150, 200}, true, 0, 0xFF7F7F7Fu},  {{150, 300}, true, 1, 0xFF7F7F7Fu}, {{150, 400}, true, 1, 0xFFFFFFFFu},
        {{150, 200}, true, 2, 0xFF7F7F7Fu},  // Z has no screen axis: it grades along x
    };
    for (const auto& c : cases)
        EXPECT_EQ(tbShapeOutline::cornerColour(c.corner, rect, black, white, c.gradient, c.axis), c.argb)
            << c.corner.x << ", " << c.corner.y << " axis " << c.axis;
    // A rectangle with no height has nothing to grade along y.
    simBoundingRect flat;
    flat.growByPoint({0, 5});
    flat.growByPoint({10, 5});
    EXPECT_EQ(tbShapeOutline::cornerColour({5, 5}, flat, black, white, true, 1), 0xFF000000u);
}

// ---- The 3-D fill's clip

// A model triangle seen on screen at `screen`, textured with `uv`, its face
// towards -z (the camera below stands at z = -10).
std::unique_ptr<tbTriangle> seen(const V2 (&screen)[3], const V2 (&uv)[3]) {
    auto t = std::make_unique<tbTriangle>();
    for (int k = 0; k < 3; ++k) {
        t->screenCorners[k] = screen[k];
        t->uvs[k] = uv[k];
        t->positions[k] = {screen[k].x, screen[k].y, 0.0f};
    }
    t->centre = {0, 0, 0};
    t->faceNormal = {0, 0, -1};
    return t;
}

// The texture coordinate the triangle's affine map gives a screen point.
V2 affineUv(const tbTriangle& t, const V2& p) {
    const V2 a = t.screenCorners[0], b = t.screenCorners[1] - a, c = t.screenCorners[2] - a, d = p - a;
    const float det = b.x * c.y - b.y * c.x;
    const float s = (d.x * c.y - d.y * c.x) / det, r = (b.x * d.y - b.y * d.x) / det;
    return t.uvs[0] + (t.uvs[1] - t.uvs[0]) * s + (t.uvs[2] - t.uvs[0]) * r;
}

float piecesArea(const std::vector<tbClipCorner>& pieces) {
    float sum = 0;
    for (size_t i = 0; i + 2 < pieces.size(); i += 3) {
        const V2 a = pieces[i].screen, b = pieces[i + 1].screen, c = pieces[i + 2].screen;
        sum += std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
    }
    return sum;
}

TEST(ShapeClip, PiecesUnderTheOutlineKeepTheModelsTextureCoordinates) {
    const std::vector<V2> outline = tbShapeOutline::triangles(kSquarePoints);  // 100..200 square
    const V2 uv[3] = {{0.1f, 0.2f}, {0.9f, 0.3f}, {0.4f, 0.8f}};
    const struct {
        const char* what;
        V2 screen[3];
        float area;  // of the part under the square
    } cases[] = {
        {"wholly inside", {{110, 110}, {190, 120}, {150, 190}}, 0.5f * std::fabs(80.0f * 80.0f - 10.0f * 40.0f)},
        {"wholly outside", {{300, 300}, {390, 320}, {350, 390}}, 0.0f},
        {"across the left edge", {{50, 120}, {150, 120}, {50, 180}}, 0.5f * 50 * 30},
        {"holding the whole square", {{0, 0}, {500, 0}, {0, 500}}, 10000.0f},
        {"over a corner", {{150, 150}, {250, 150}, {150, 250}}, 50.0f * 50.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto t = seen(c.screen, uv);
        tbShapeClip clip(outline, false, tbViewer{{0, 0, -10}, {0, 0, 1}});
        std::vector<tbClipCorner> pieces;
        clip.clipTriangle(*t, pieces);
        EXPECT_EQ(pieces.size() % 3, 0u);
        EXPECT_NEAR(piecesArea(pieces), c.area, 0.5f);
        for (const tbClipCorner& corner : pieces) {
            EXPECT_GE(corner.screen.x, 100.0f - 1e-3f);
            EXPECT_LE(corner.screen.x, 200.0f + 1e-3f);
            const V2 expected = affineUv(*t, corner.screen);
            EXPECT_NEAR(corner.uv.x, expected.x, 1e-4f);
            EXPECT_NEAR(corner.uv.y, expected.y, 1e-4f);
        }
    }
}

// One-sided, only faces turned towards the view are painted: not those
// facing away, nor those edge-on to it (a fin seen from above), whose
// triangles show as a line and would be taken whole. An orthographic view
// looks along its direction everywhere; a perspective one from its position.
TEST(ShapeClip, OneSidedPaintsOnlyFacesTurnedTowardsTheView) {
    const std::vector<V2> outline = tbShapeOutline::triangles(kSquarePoints);
    const V2 uv[3] = {{0, 0}, {1, 0}, {0, 1}};
    const tbViewer perspective{{0, 0, -10}, {0, 0, 1}}, offAxis{{5, 0, -10}, {0, 0, 1}};
    const tbViewer orthographic{{5, 0, -10}, {0, 0, 1}, true};
    const struct {
        const char* what;
        d3dx::Vector3 normal;
        tbViewer viewer;
        bool painted;
    } cases[] = {
        {"towards", {0, 0, -1}, perspective, true},
        {"away", {0, 0, 1}, perspective, false},
        {"edge-on", {1, 0, 0}, perspective, false},
        {"edge-on, rounded", {1, 0, -1e-5f}, perspective, false},
        {"the other side edge-on", {-1, 0, 0}, perspective, false},
        {"turned to a camera off the axis", {1, 0, 0}, offAxis, true},
        {"edge-on to an orthographic view", {1, 0, 0}, orthographic, false},
        {"towards an orthographic view", {0.6f, 0, -0.8f}, orthographic, true},
    };
    for (const auto& c : cases) {
        const auto t = seen({{110, 110}, {190, 110}, {110, 190}}, uv);
        t->faceNormal = c.normal;
        std::vector<tbClipCorner> oneSided, doubleSided;
        tbShapeClip(outline, false, c.viewer).clipTriangle(*t, oneSided);
        tbShapeClip(outline, true, c.viewer).clipTriangle(*t, doubleSided);
        EXPECT_EQ(oneSided.size(), c.painted ? 3u : 0u) << c.what;
        EXPECT_EQ(doubleSided.size(), 3u) << c.what;
    }
}

TEST(ShapeClip, UvAtAScreenPointFollowsTheTriangle) {
    const V2 uv[3] = {{0.1f, 0.2f}, {0.9f, 0.3f}, {0.4f, 0.8f}};
    const auto t = seen({{0, 0}, {100, 10}, {30, 90}}, uv);
    for (const V2 p : {V2{0, 0}, V2{40, 30}, V2{60, 20}, V2{30, 60}}) {
        const V2 got = t->uvAtScreenPoint(p), expected = affineUv(*t, p);
        EXPECT_NEAR(got.x, expected.x, 1e-4f) << p.x << ", " << p.y;
        EXPECT_NEAR(got.y, expected.y, 1e-4f) << p.x << ", " << p.y;
    }
    // A line from corner 0 that runs beside the opposite edge never meets it.
    EXPECT_EQ(t->uvAtScreenPoint({-70, 80}), (V2{0, 0}));
}

}  // namespace
