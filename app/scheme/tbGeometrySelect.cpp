// The click selection of faces and UV points in both views.
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/shell/tbSceneCameras.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr uint32_t kKeyShift = 16, kKeyCtrl = 17;
constexpr int32_t kView3D = 0, kViewTexture = 1;

d3dx::Vector2 onScreen(const d3dx::Vector3& point) {
    d3dx::Vector2 screen;
    utils::worldToScreen2D(point, &screen);
    return screen;
}

}  // namespace

void tbMeshPart::selectInTextureView(const tbUVPointer& pointer, tbUVSelection& selection) const {
    for (const auto& triangle : triangles()) {
        tbTriangle& t = *triangle;
        d3dx::Vector2 corners[3];
        for (int c = 0; c < 3; ++c) corners[c] = onScreen({t.uvs[c].x, 1.0f - t.uvs[c].y, 0.0f});
        if (selection.mode == tbUVSelection::kPoints)
            for (uint32_t c = 0; c < 3; ++c) selection.offerPoint({&t, c}, corners[c], pointer);
        if (selection.mode == tbUVSelection::kFaces)
            selection.offerFace(&t, (corners[0] + corners[1] + corners[2]) * (1.0f / 3.0f), pointer);
    }
}

void tbMeshPart::selectIn3DView(const tbUVPointer& pointer, const d3dx::Vector3& eye, tbUVSelection& selection) const {
    if (pointer.dragging) {
        d3dx::Vector2 lo, hi;
        const d3dx::Vector2 dragLow = pointer.low(), dragHigh = pointer.high();
        if (box.getScreenExtents(lo, hi) &&
            (hi.x < dragLow.x || lo.x > dragHigh.x || hi.y < dragLow.y || lo.y > dragHigh.y))
            return;
    }
    for (const auto& triangle : triangles()) {
        tbTriangle& t = *triangle;
        if (!pointer.dragging) {
            // A click takes only what faces the camera: the front of the model.
            d3dx::Vector3 toEye = eye - t.centre;
            d3dx::Vec3Normalize(&toEye, &toEye);
            if (d3dx::Vec3Dot(&t.faceNormal, &toEye) < 0.0f) continue;
        }
        // Only what the mode selects is projected.
        if (selection.mode == tbUVSelection::kPoints)
            for (uint32_t c = 0; c < 3; ++c) selection.offerPoint({&t, c}, onScreen(t.positions[c]), pointer);
        if (selection.mode == tbUVSelection::kFaces) selection.offerFace(&t, onScreen(t.centre), pointer);
    }
}

void tbGeometry::selectIn3DView(const simInputEvent& event) { selectInView(event, kView3D); }

void tbGeometry::selectInTextureView(const simInputEvent& event) { selectInView(event, kViewTexture); }

void tbGeometry::selectInView(const simInputEvent& event, int32_t view) {
    // The release that ends a drag of the view's manipulator is no click:
    // the manipulator counts as busy for one event after it let go.
    const manipulator& gizmo = *m_selectionGizmos[view];
    const bool busyNow = gizmo.isHovered() || gizmo.isDragging();
    const bool busy = busyNow || m_selectionGizmoWasBusy[view];
    m_selectionGizmoWasBusy[view] = busyNow;
    if (busy || selection.mode == tbUVSelection::kNone) return;
    if (event.type != simInputEvent_mouseButton || event.button != simMouseButton_left ||
        event.buttonState != simButtonState_released)
        return;
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse || !tbUseSceneCamera(view == kView3D ? 1 : 0)) return;

    tbUVPointer pointer;
    pointer.mouse = {float(mouse->getX()), float(mouse->getY())};
    pointer.dragging = mouse->isDragging(simMouseButton_left);
    pointer.press = {float(mouse->getPressX(simMouseButton_left)), float(mouse->getPressY(simMouseButton_left))};
    const d3dx::Vector3 eye = g_graphics->getCurrentCamera()->getPosition();

    selection.beginClick();
    tbForEachPaintablePart(roots, [&](const tbMeshPart& part) {
        if (view == kView3D) {
            part.selectIn3DView(pointer, eye, selection);
        } else {
            part.selectInTextureView(pointer, selection);
        }
    });
    const simKeyboard* keyboard = g_input->getKeyboard();
    selection.applyClick(keyboard && keyboard->isKeyDown(kKeyShift), keyboard && keyboard->isKeyDown(kKeyCtrl));
    updateUVSelectionCentre();
    if (!selection.countsChanged()) return;
    m_undo->setSelectionChanged();
    m_undo->push();
}

void tbGeometry::updateUVSelectionCentre() {
    selection.updateCentre();
    m_selectionGizmos[kView3D]->setPosition(selection.centre3D);
    m_selectionGizmos[kViewTexture]->setPosition({selection.textureCentre.x, selection.textureCentre.y, 0.0f});
}
