// Where the floating bars go, in screen pixels: at start-up, while the main
// window moves or changes size (the strip bars and their pop-ups follow the
// strip above the view) and on Workspace/Reset toolbars (the toolboxes and
// the side bars beside the view). Pure geometry, so it is tested without a
// display; tbToolbarHost applies it.
#pragma once

#include <optional>

#include "app/shell/tbBars.h"

struct tbRect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const tbRect&) const = default;
};

// The main window's stored placement (the settings' floats).
struct tbStoredPlacement {
    float x = 0, y = 0, width = 0, height = 0;
};

// Strip bars are as high as this, and as wide as the main window leaves
// right of the strip's left edge, less this margin.
constexpr int kStripBarHeight = 40;
constexpr int kStripBarMargin = 4;

// The first place of a bar made at start-up, keeping its size: the toolboxes
// at the stored position, the side bars and editors right of the stored
// rectangle, the strip bars on the strip, the pop-ups below it.
tbRect tbStartPlace(tbBar bar, const tbStoredPlacement& stored, const tbRect& strip, const tbRect& barRect);

// While the main window moves or changes size: the strip bars over the strip,
// as wide as the window allows, and the two pop-ups below it keeping their
// size; nothing for the other bars.
std::optional<tbRect> tbStripPlace(tbBar bar, const tbRect& strip, const tbRect& mainWindow, const tbRect& barRect);

// Reset toolbars (and the first placement beside the view): the painting
// toolbox at the view's top-left corner, the flying-site toolbox at its left
// edge just below the second view (tbSecondView.h), the object bar and the
// shape manager with their right edge on the view's, at its top, all
// keeping their size; nothing for the other bars.
std::optional<tbRect> tbResetPlace(tbBar bar, const tbRect& view, const tbRect& barRect);
