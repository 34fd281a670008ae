#include "app/scheme/tbGeometryEvents.h"

#include <algorithm>
#include <cstring>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_flood.h"
#include "app/scheme/tbGeometryTool_shape.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"

namespace {

constexpr double kSettleMs = 1000.0;  // events are ignored this long after a model is made or opened
constexpr uint32_t kKeyZ = 90, kKeyShift = 16, kKeyCtrl = 17;
constexpr int32_t kBrush = 0, kShape = 1, kFlood = 2, kColourPicker = 4, kText = 6;
constexpr int32_t kView3D = 0, kViewTexture = 1;
constexpr float kSizeStep = 1.0f, kAngleStep = 5.0f;
constexpr int32_t kAlphaStep = 5;

bool isLeftPress(const simInputEvent& e) {
    return e.type == simInputEvent_mouseButton && e.button == simMouseButton_left &&
           e.buttonState == simButtonState_pressed;
}
bool isRelease(const simInputEvent& e) {
    return e.type == simInputEvent_mouseButton && e.buttonState == simButtonState_released;
}

uint32_t wheelActions(const simInputEvent& e, const tbPaintInput& in) {
    const bool towards = e.wheelDirection != 0;
    uint32_t actions = 0;
    if (in.tool == kBrush && e.shift && !e.ctrl) actions |= towards ? tbPaint_brushSizeDown : tbPaint_brushSizeUp;
    if (in.tool == kBrush && e.ctrl && !e.shift) actions |= towards ? tbPaint_brushAngleDown : tbPaint_brushAngleUp;
    // The cursor shows the new size or angle at once.
    if (actions && in.viewMode == kView3D) actions |= tbPaint_clearPick | tbPaint_pick | tbPaint_prepareBrush;
    const bool alphaTool = in.tool == kBrush || in.tool == kShape || in.tool == kFlood || in.tool == kText;
    if (alphaTool && e.ctrl && e.shift) actions |= towards ? tbPaint_alphaDown : tbPaint_alphaUp;
    return actions;
}

uint32_t view3DActions(const simInputEvent& e, const tbPaintInput& in) {
    if (e.type == simInputEvent_mouseMove) {
        if (in.cameraDrag) return tbPaint_clearPick;
        if (in.tool == kBrush)
            return tbPaint_clearPick | tbPaint_pick | tbPaint_prepareBrush | (in.leftDown ? tbPaint_stamp3D : 0u);
        if (in.tool == kFlood) return tbPaint_clearPick | tbPaint_pick;
        return 0;
    }
    // The fill takes what lies under the release: nothing over the backdrop.
    if (in.tool == kFlood && isRelease(e) && e.button == simMouseButton_left)
        return tbPaint_clearPick | tbPaint_pick | tbPaint_flood;
    if (in.tool == kBrush && isLeftPress(e))
        return tbPaint_clearPick | tbPaint_pick | tbPaint_prepareBrush | tbPaint_stamp3D;
    return 0;
}

uint32_t textureViewActions(const simInputEvent& e, const tbPaintInput& in) {
    if (in.tool != kBrush) return 0;
    if ((e.type == simInputEvent_mouseMove && in.leftDown) || isLeftPress(e)) return tbPaint_stampTexture;
    return 0;
}

}  // namespace

uint32_t tbRoutePaintEvent(const simInputEvent& e, const tbPaintInput& in) {
    if (!in.gateOpen || in.sinceOpenMs < kSettleMs) return 0;
    uint32_t actions = 0;
    if (!in.alt) {
        actions |= tbPaint_select;
        // The projection and text tools take their events elsewhere.
        if (in.tool == kShape) actions |= tbPaint_shape;
        if (e.type == simInputEvent_wheel) actions |= wheelActions(e, in);
        if (in.viewMode == kView3D) actions |= view3DActions(e, in);
        if (in.viewMode == kViewTexture) actions |= textureViewActions(e, in);
    }
    if ((in.tool == kColourPicker || in.alt) && isRelease(e)) {
        if (e.button == simMouseButton_left) actions |= tbPaint_pickMainColour;
        if (e.button == simMouseButton_right) actions |= tbPaint_pickSecondColour;
    }
    // Undo is Ctrl+Z alone: Ctrl+Shift+Z is redo everywhere else, and this
    // editor has none, so taking it as undo would lose a step for good.
    if (e.type == simInputEvent_key && e.keyState == simKeyState_pressed && e.key == kKeyZ && in.ctrlKey &&
        !in.shiftKey)
        actions |= tbPaint_undo;
    if (isRelease(e) && e.button == simMouseButton_left) actions |= tbPaint_push;
    return actions;
}

namespace {

tbPaintInput readInput(const tbGeometry& model) {
    tbPaintInput in;
    CtolvaneBuilderApp* app = tbApp();
    in.gateOpen = app && app->acceptsMouseInput();
    in.sinceOpenMs = model.stopwatch.getElapsed();
    in.tool = model.tools().tool();
    in.viewMode = model.tools().viewMode();
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    const simKeyboard* keyboard = g_input ? g_input->getKeyboard() : nullptr;
    in.alt = keyboard && keyboard->isAltDown();
    in.ctrlKey = keyboard && keyboard->isKeyDown(kKeyCtrl);
    in.shiftKey = keyboard && keyboard->isKeyDown(kKeyShift);
    in.leftDown = mouse && mouse->isButtonDown(simMouseButton_left);
    in.cameraDrag = mouse && (mouse->isDragging(simMouseButton_middle) || mouse->isDragging(simMouseButton_right));
    return in;
}

simColour withAlpha(const simColour& colour, int32_t alpha) {
    simColour out = colour;
    out.alpha = std::clamp(alpha, 0, 255);
    return out;
}

}  // namespace

void tbGeometry::onEvent(simInputEvent* event) {
    if (!event) return;
    const tbPaintInput input = readInput(*this);
    const uint32_t actions = tbRoutePaintEvent(*event, input);
    if (!actions) return;
    tbToolState& state = tools();
    auto has = [actions](uint32_t action) { return (actions & action) != 0; };

    if (has(tbPaint_select)) {
        if (input.viewMode == kView3D) selectIn3DView(*event);
        if (input.viewMode == kViewTexture) selectInTextureView(*event);
    }
    if (has(tbPaint_shape)) shapeTool().onEvent(*event);

    if (has(tbPaint_brushSizeUp) || has(tbPaint_brushSizeDown)) {
        state.setBrushSize(state.brushSize() + (has(tbPaint_brushSizeUp) ? kSizeStep : -kSizeStep), 0.0f, 100.0f);
        state.refreshBrushBar();
    }
    if (has(tbPaint_brushAngleUp) || has(tbPaint_brushAngleDown)) {
        state.setBrushAngle(state.brushAngle() + (has(tbPaint_brushAngleUp) ? kAngleStep : -kAngleStep));
        state.refreshBrushBar();
    }
    if (has(tbPaint_alphaUp) || has(tbPaint_alphaDown)) {
        // Clamped: 255 + 5 must not wrap round to a nearly clear colour.
        const int32_t step = has(tbPaint_alphaUp) ? kAlphaStep : -kAlphaStep;
        state.setMainColour(withAlpha(state.mainColour(), state.mainColour().alpha + step));
    }
    if (has(tbPaint_clearPick)) clearPick();
    bool hit = false;
    if (has(tbPaint_pick)) hit = pick(pickedPoint);
    if (hit && has(tbPaint_prepareBrush)) prepareBrush3D(pickedPoint, state.brushSize());
    if (hit && has(tbPaint_stamp3D)) paintBrush3D(state.getBrushTexture(), pickedPoint, state.brushSize());
    if (has(tbPaint_stampTexture))
        paintBrushTexture(state.getBrushTexture(), float(event->x), float(event->y), state.brushSize());
    if (hit && has(tbPaint_flood)) {
        std::vector<tbTriangle*> region;
        pickedObject->collectTriangles(false, region);
        floodFill(region, state.mainColour(), state.secondColour(), toolSettings.floodGradient != 0,
                  toolSettings.floodAxis);
    }
    if (has(tbPaint_pickMainColour) || has(tbPaint_pickSecondColour)) {
        simColour colour;
        if (pickColour(event->x, event->y, colour)) {
            if (has(tbPaint_pickMainColour)) state.setMainColour(colour);
            if (has(tbPaint_pickSecondColour)) state.setSecondColour(colour);
        }
    }
    if (has(tbPaint_undo)) getUndo().undo();
    if (has(tbPaint_push)) getUndo().push();
}

bool tbGeometry::pickColour(int32_t x, int32_t y, simColour& out) const {
    simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
    const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    if (!r || !window) return false;
    const int32_t width = int32_t(window->getBackBufferWidth()), height = int32_t(window->getBackBufferHeight());
    if (width < 1 || height < 1) return false;
    gfx::Device* d = r->getDevice();
    gfx::SurfaceHandle copy;
    if (gfx::FAILED(d->CreateRenderTarget(uint32_t(width), uint32_t(height), gfx::D3DFMT_A8R8G8B8,
                                     gfx::D3DMULTISAMPLE_NONE, 0, true, &copy)))
        return false;
    bool ok = gfx::SUCCEEDED(d->StretchRect(r->getBackBuffer(), nullptr, copy, nullptr, gfx::D3DTEXF_LINEAR));
    gfx::D3DLOCKED_RECT locked{};
    if (ok && gfx::SUCCEEDED(d->LockRect(copy, &locked, nullptr, gfx::D3DLOCK_READONLY))) {
        uint32_t argb = 0xFFFFFFFFu;
        if (x >= 0 && x < width && y >= 0 && y < height)
            std::memcpy(&argb, static_cast<const uint8_t*>(locked.pBits) + size_t(y) * size_t(locked.Pitch) + size_t(x) * 4,
                        4);
        // What is shown has no alpha: the colour taken is opaque.
        out = simColour::fromARGB(argb | 0xFF000000u);
        ok = gfx::SUCCEEDED(d->UnlockRect(copy));
    } else {
        ok = false;
    }
    d->Release(copy);
    return ok;
}
