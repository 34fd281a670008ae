// The mouse gate: whether the mouse may act in the 3-D view now.
//
// It is open only while the main window is enabled (a modal dialog of the
// main window disables it), the cursor lies inside the view (edges
// included), and no visible tool window lies under the cursor. The engine
// asks it before the mouse acts; the cameras, the input handler and the
// projects' event handlers ask it too. The text bar and the panorama bar sit
// in the strip beside the view and are not tested.
#pragma once

#include <array>
#include <cstdint>

// The tool windows that close the gate when visible under the cursor, in the
// order they are asked about.
enum class tbGatedWindow : uint8_t {
    objectBar, toolbox, shapeManager, uvMappingBar, brushBar, shapeBar, floodFillBar,
    projectImageBar, mirrorBar, brushShapePicker, textEditor, flyingSiteToolbox, lightingBar,
    collisionBar, positionsBar, weatherBar, areaEditor, heightMapEditor, primitiveEditor,
    skylineEditor, waterEditor,
};
constexpr int kGatedWindowCount = 21;

// The window queries the gate is made of; the main window answers them.
class tbViewWindows {
public:
    virtual ~tbViewWindows() = default;
    virtual bool isMainWindowEnabled() const = 0;
    // The cursor inside the view's screen rectangle, edges included.
    virtual bool isCursorInsideView() const = 0;
    // The window exists, is visible and the cursor lies inside it, edges included.
    virtual bool isVisibleUnderCursor(tbGatedWindow window) const = 0;
};

// The gate, asked in the order above; stops at the first answer that closes it.
bool tbIsMouseOverView(const tbViewWindows& windows);
