// tbGeometryEvents: where an input event of the view goes.
//
// The model's handler (tbGeometry::onEvent) reads the event with what the
// application knows beside it (the tool, the view, the mouse gate, the
// buttons and keys held) and turns it into actions for the UV selection,
// the tools, the colour pick and the undo. That routing is this table, kept apart from the
// actions so it can be read and tested on its own.
#pragma once

#include <cstdint>

struct simInputEvent;

// What the handler reads beside the event record.
struct tbPaintInput {
    bool gateOpen = false;     // the mouse gate (the cursor over the view, no modal dialog)
    double sinceOpenMs = 0.0;  // since the model was made or opened
    int32_t tool = 0;          // 0 brush, 1 shape, 2 flood fill, 4 colour picker, 5..7 bar-driven tools
    int32_t viewMode = 0;      // 0 3-D view, 1 texture view
    bool alt = false;          // Alt held
    bool leftDown = false;     // the left button held
    bool cameraDrag = false;   // a middle- or right-button drag under way
    bool ctrlKey = false;      // the Ctrl key held (key events carry no modifiers)
    bool shiftKey = false;     // the Shift key held
};

// The actions, in the order the handler runs them.
enum tbPaintAction : uint32_t {
    tbPaint_brushSizeUp = 1u << 0,
    tbPaint_brushSizeDown = 1u << 1,
    tbPaint_brushAngleUp = 1u << 2,
    tbPaint_brushAngleDown = 1u << 3,
    tbPaint_alphaUp = 1u << 4,
    tbPaint_alphaDown = 1u << 5,
    tbPaint_clearPick = 1u << 6,
    tbPaint_pick = 1u << 7,           // pick the triangle under the mouse
    tbPaint_prepareBrush = 1u << 8,   // on a hit: place the 3-D brush cursor
    tbPaint_stamp3D = 1u << 9,        // on a hit: stamp the 3-D brush
    tbPaint_stampTexture = 1u << 10,  // stamp the brush in the texture view
    tbPaint_flood = 1u << 11,         // fill the sub-object picked last
    tbPaint_pickMainColour = 1u << 12,
    tbPaint_pickSecondColour = 1u << 13,
    tbPaint_undo = 1u << 14,
    tbPaint_push = 1u << 15,  // record an undo state (when a tool reported a change)
    tbPaint_shape = 1u << 16,  // the event to the shape tool (run after the selection)
    tbPaint_select = 1u << 17,  // the event to the UV selection of the view (run first)
};

// The actions for one event; 0 while the gate is closed or during the first
// second after the model was made or opened.
uint32_t tbRoutePaintEvent(const simInputEvent& event, const tbPaintInput& input);
