// Skinned pieces from the theme atlas: nine-slice frames, the vertical
// scroll bar and the tooltip box.
//
// The atlas is the manager's `themeTexture`, 512 x 512 pixels; every piece's
// texture coordinates are atlas pixels divided by 512. The builders only
// append `simScreenRect` records to a caller's list, so a widget draws its
// frame, scroll bar and other pieces with the atlas in one call; `drawFrame`
// and `drawTooltipBox` draw at once. Nothing is built or drawn while the
// manager has no theme texture.
//
// Frame styles: 0 dialog box (32-pixel corners, with an optional tab-shaped
// top row), 1 and 2 thin borders (16-pixel corners), 3 and 4 small boxes
// (9-pixel corners, 1-pixel edge strips), 5 dark and 6 widget (16-pixel
// corners). Other numbers build nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"

class simColour;

inline constexpr float kGuiAtlasSize = 512.0f;

// Frame style numbers scripts name ("simGuiFrameStyle_dialogBox" 0,
// "simGuiFrameStyle_thinBorder" 2, "simGuiFrameStyle_dark" 5,
// "simGuiFrameStyle_widget" 6; any other text 1).
int parseFrameStyle(const std::string& name);

// One piece: a screen rectangle textured from the atlas pixels (ax1, ay1) to
// (ax2, ay2).
simScreenRect atlasPiece(float x1, float y1, float x2, float y2, uint32_t colour, float ax1, float ay1, float ax2,
                         float ay2);

// The nine pieces of a frame from (x1, y1) to (x2, y2): corners, edges, centre.
// With style 0 and a top-row width that is not 0 the top row ends at
// x1 + topRowWidth (a tab); the rest keeps x2.
void buildFrameGeometry(float x1, float y1, float x2, float y2, uint32_t style, std::vector<simScreenRect>& out,
                        const simColour& colour, float topRowWidth = 0.0f);
// The nine pieces of a box from an atlas cell (atlasX, atlasY, atlasWidth x
// atlasHeight) with `corner`-pixel corners; edges and centre stretch.
void buildNineSliceCell(float x1, float y1, float x2, float y2, float atlasX, float atlasY, float atlasWidth,
                        float atlasHeight, float corner, uint32_t colour, std::vector<simScreenRect>& out);
// The nine pieces of a button from a 32 x 32 atlas square at (atlasX,
// atlasY), cut 12 | 8 | 12 each way: 12-pixel corners, stretched edges and middle.
void buildButtonSquare(float x1, float y1, float x2, float y2, float atlasX, float atlasY, uint32_t colour,
                       std::vector<simScreenRect>& out);
void drawFrame(float x1, float y1, float x2, float y2, uint32_t style, const simColour& colour,
               float topRowWidth = 0.0f);

// The states of a scroll bar's parts: 0 normal, 1 mouse over, 2 pressed.
struct simGuiScrollBarStates {
    uint32_t up = 0, down = 0, thumb = 0;
};

// A vertical scroll bar down the right edge of the widget (x1, y1)-(x2, y2):
// arrows, track, and a thumb from `thumbStart` to `thumbEnd` (fractions of
// the track), at least 32 pixels long and kept inside the track.
void buildScrollBarGeometry(float x1, float y1, float x2, float y2, simGuiScrollBarStates states, float thumbStart,
                            float thumbEnd, std::vector<simScreenRect>& out);

// The tooltip box with its text in font 0 at `opacity` (0..255); it opens to
// the right of (x, y), or to the left when it would leave the back buffer.
void drawTooltipBox(float x, float y, const std::string& text, int32_t opacity);
