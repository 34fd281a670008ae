// The floating tool bars and pop-ups of the main window, in the order the
// tool-bar host creates them, and what each one is: its caption, the kind
// of window and where it first goes.
//
// The bars themselves are made by their own units and registered with the
// host (tbToolbarHost); a bar nobody registered is simply absent.
#pragma once

#include <cstdint>
#include <optional>

#include "app/shell/tbMouseGate.h"
#include "app/shell/tbToolTable.h"

enum class tbBar : uint8_t {
    toolbox, flyingSiteToolbox, objectBar, shapeManager,
    brushBar, brushShapePicker, shapeBar, floodFillBar, projectImageBar, uvMappingBar, textBar, textEditor,
    mirrorBar, panoramaBar, lightingBar, collisionBar, positionsBar, weatherBar,
    primitiveEditor, areaEditor, heightMapEditor, skylineEditor, waterEditor,
};
constexpr int kBarCount = 23;

enum class tbBarPlace : uint8_t {
    windowPosition,  // the main window's stored position
    rightEdge,       // right of the main window's stored rectangle, at its top
    strip,           // the strip above the 3-D view
    popup,           // under the strip, opened from a strip bar's button
};

struct tbBarInfo {
    tbBar bar;
    const char* caption;  // null: the bar has no title bar
    tbBarPlace place;
    const char* logLine;  // null: nothing logged when it is made
};

// The table, in creation order.
const tbBarInfo& tbBarInfoOf(tbBar bar);

// The bar that shows a tool's settings (tbToolTable's bars).
tbBar tbBarOf(tbToolBar bar);
// The bar the mouse gate asks about, or nothing for the two strip bars the
// gate does not test (the text bar and the panorama bar).
std::optional<tbGatedWindow> tbGatedWindowOf(tbBar bar);
