// Clicks of the UV selection through the model's handler on the OpenGL
// device: faces picked in the 3-D view (front faces only, Shift adding,
// Ctrl removing), UV points in the texture view by a click or a drag in
// either direction, each changing click one undo step that Ctrl+Z takes
// back, and nothing at all without a selection mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>

#include "app/scheme/tbGeometryUndo.h"
#include "engine/core/simKeyboard.h"
#include "tests/app/scheme/gridModelOnGl.h"

namespace {

using testsupport::Grid;
using testsupport::kFacingZ;

constexpr uint32_t kShift = 16, kCtrl = 17;

class SelectOnGl : public testsupport::GridModelOnGl {
protected:
    void key(uint32_t code, bool down) { g_input->getKeyboard()->onKey(code, down ? 1 : 0); }
    // A press and a release of the left button at `to`, pressed at `from`;
    // the mouse drags when they lie apart.
    void clickAt(d3dx::Vector2 to, bool shift = false, bool ctrl = false) { dragFrom(to, to, shift, ctrl); }
    void dragFrom(d3dx::Vector2 from, d3dx::Vector2 to, bool shift = false, bool ctrl = false) {
        if (shift) key(kShift, true);
        if (ctrl) key(kCtrl, true);
        simMouse& mouse = *g_input->getMouse();
        mouse.onMove(int32_t(from.x), int32_t(from.y));
        mouse.onButton(simMouseButton_left, 1);
        send(simInputEvent_mouseButton, int32_t(from.x), int32_t(from.y), simMouseButton_left,
             simButtonState_pressed);
        mouse.onMove(int32_t(to.x), int32_t(to.y));
        send(simInputEvent_mouseButton, int32_t(to.x), int32_t(to.y), simMouseButton_left, simButtonState_released);
        mouse.onButton(simMouseButton_left, 0);
        if (shift) key(kShift, false);
        if (ctrl) key(kCtrl, false);
    }
    void undo() {
        key(kCtrl, true);
        simInputEvent z;
        z.type = simInputEvent_key;
        z.key = 90;
        z.keyState = simKeyState_pressed;
        model->onEvent(&z);
        key(kCtrl, false);
    }
    tbTriangle* triangle(size_t i) { return model->triangles[i].get(); }
};

TEST_F(SelectOnGl, WithoutAModeClicksInEitherViewSelectNothing) {
    build(kFacingZ, 32, 32);
    closeUp();
    app->tools().setTool(5);  // a tool that takes no clicks itself
    for (int32_t view : {0, 1}) {
        app->tools().setViewMode(view);
        clickAt(shown(triangle(40)->centre));
        dragFrom({0, 0}, {319, 239});
    }
    EXPECT_TRUE(model->selection.faces.empty());
    EXPECT_TRUE(model->selection.points.empty());
    EXPECT_EQ(model->getUndo().count(), 0u);
}

// Faces in the 3-D view, each changing click one undo step; the texture
// centre follows the selected faces' centres.
TEST_F(SelectOnGl, FacesAreClickedInTheThreeDViewAndUndoneStepByStep) {
    build(kFacingZ, 32, 32);
    closeUp();
    model->selection.mode = tbUVSelection::kFaces;
    app->tools().setTool(5);
    app->tools().setViewMode(0);
    tbTriangle* a = triangle(40);
    tbTriangle* b = triangle(90);
    using Faces = std::list<tbTriangle*>;

    clickAt(shown(a->centre));
    EXPECT_EQ(model->selection.faces, Faces{a});
    EXPECT_FLOAT_EQ(model->selection.textureCentre.x, a->centre.x);
    EXPECT_FLOAT_EQ(model->selection.textureCentre.y, a->centre.y);
    clickAt(shown(b->centre), true);
    EXPECT_EQ(model->selection.faces, (Faces{a, b}));
    EXPECT_FLOAT_EQ(model->selection.textureCentre.x, (a->centre.x + b->centre.x) / 2.0f);
    clickAt(shown(a->centre), false, true);
    EXPECT_EQ(model->selection.faces, Faces{b});
    clickAt({2, 2});  // beside the model: empties the selection
    EXPECT_TRUE(model->selection.faces.empty());
    EXPECT_EQ(model->getUndo().count(), 4u);

    undo();
    EXPECT_EQ(model->selection.faces, Faces{b});
    undo();
    EXPECT_EQ(model->selection.faces, (Faces{a, b}));
    undo();
    EXPECT_EQ(model->selection.faces, Faces{a});
    EXPECT_FLOAT_EQ(model->selection.textureCentre.x, a->centre.x);
    undo();
    EXPECT_TRUE(model->selection.faces.empty());
}

// A click takes only faces turned towards the camera; the same grid turned
// away from it offers nothing.
TEST_F(SelectOnGl, AClickInTheThreeDViewTakesOnlyFrontFaces) {
    const Grid facings[] = {kFacingZ, {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, -1}}};
    int taken = 0;
    for (const Grid& g : facings) {
        model = std::make_unique<tbGeometry>(nullptr);
        build(g, 32, 32);
        closeUp();
        model->selection.mode = tbUVSelection::kFaces;
        app->tools().setViewMode(0);
        tbTriangle* t = triangle(40);
        useCamera(1);
        d3dx::Vector3 toEye = g_graphics->getCurrentCamera()->getPosition() - t->centre;
        const bool front = d3dx::Vec3Dot(&t->faceNormal, &toEye) >= 0.0f;
        clickAt(shown(t->centre));
        EXPECT_EQ(model->selection.faces.size(), front ? 1u : 0u) << g.faceNormal.z;
        taken += front;
    }
    EXPECT_EQ(taken, 1);
}

// UV points in the texture view: a click takes the one corner nearest the
// cursor; a drag takes every corner strictly inside its rectangle,
// whichever way the mouse went.
TEST_F(SelectOnGl, UVPointsAreClickedAndDraggedInTheTextureView) {
    build(kFacingZ, 32, 32);
    model->selection.mode = tbUVSelection::kPoints;
    app->tools().setTool(2);
    app->tools().setViewMode(1);

    d3dx::Vector2 corner = textureViewPoint(0.5f, 0.5f);
    clickAt({corner.x + 3.0f, corner.y - 2.0f});
    ASSERT_EQ(model->selection.points.size(), 1u);
    const tbTriangle::CornerRef p = model->selection.points.front();
    EXPECT_FLOAT_EQ(p.triangle->uvs[p.corner].x, 0.5f);
    EXPECT_FLOAT_EQ(p.triangle->uvs[p.corner].y, 0.5f);
    EXPECT_FLOAT_EQ(model->selection.textureCentre.x, 0.5f);
    EXPECT_FLOAT_EQ(model->selection.textureCentre.y, 0.5f);
    EXPECT_NEAR(model->selection.centre3D.x, 0.0f, 1e-6f);
    EXPECT_NEAR(model->selection.centre3D.y, 0.0f, 1e-6f);

    // The corners with u and v within (0.3, 0.7): the grid's lines at 0.375,
    // 0.5 and 0.625 each way, every triangle's own corner counted.
    size_t inside = 0;
    for (const auto& t : model->triangles)
        for (const d3dx::Vector2& uv : t->uvs) inside += uv.x > 0.3f && uv.x < 0.7f && uv.y > 0.3f && uv.y < 0.7f;
    ASSERT_GT(inside, 9u);
    const d3dx::Vector2 topLeft = textureViewPoint(0.3f, 0.3f), bottomRight = textureViewPoint(0.7f, 0.7f);
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards);
        if (backwards) {
            dragFrom(bottomRight, topLeft);
        } else {
            dragFrom(topLeft, bottomRight);
        }
        EXPECT_EQ(model->selection.points.size(), inside);
        for (const tbTriangle::CornerRef& q : model->selection.points) {
            const d3dx::Vector2& uv = q.triangle->uvs[q.corner];
            EXPECT_TRUE(uv.x > 0.3f && uv.x < 0.7f && uv.y > 0.3f && uv.y < 0.7f);
        }
    }
    // The second drag found the same number again: one undo step fewer.
    EXPECT_EQ(model->getUndo().count(), 2u);
    undo();
    EXPECT_EQ(model->selection.points, (std::list<tbTriangle::CornerRef>{p}));
}

}  // namespace
