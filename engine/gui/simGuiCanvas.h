// simGuiCanvas: what the GUI toolkit draws and measures with.
//
// Widgets never call the renderer or a font directly: they draw through the
// current canvas, which in the program is the engine's renderer and fonts
// (rectangles and quads through the renderer's immediate drawing calls, text
// through simFont). Tests install a canvas of their own that records the
// calls and measures text with fixed metrics, so widget drawing is checked
// as rectangles, UVs and texts without a device.
//
// Every call is made inside the GUI pass, whose states (no depth test,
// alpha blending, sampler 0 point-filtered and clamped) are already set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simColour;
class simFont;
class simTexture;

class simGuiCanvas {
public:
    virtual ~simGuiCanvas() = default;

    // Textured rectangles, all with one texture, in one draw.
    virtual void drawRects(const std::vector<simScreenRect>& rects, simTexture* texture) = 0;
    // A plain rectangle in a colour, no texture.
    virtual void drawRect(const d3dx::Vector2& min, const d3dx::Vector2& max, uint32_t colour) = 0;
    // A quad of four corners (top-left, top-right, bottom-right, bottom-left)
    // with their UVs; the texture may be null.
    virtual void drawQuadUV(const d3dx::Vector2 corners[4], uint32_t colour, simTexture* texture,
                            const d3dx::Vector2 uvs[4]) = 0;
    // Sampler 0's filtering: linear for pictures that are scaled or turned,
    // point (the GUI pass's own) for the atlas and text.
    virtual void setLinearFiltering(bool linear) = 0;

    // Keeps drawing inside the screen rectangle (x, y, width, height) until
    // `clearClipRect`, so a widget's scrolled contents stay inside its frame.
    // Parts outside the back buffer are dropped; an empty one draws nothing.
    virtual void setClipRect(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void clearClipRect() = 0;

    // The text's width and height in pixels (0, 0 without a font).
    virtual d3dx::Vector2 measureText(simFont* font, const std::string& text) = 0;
    // The text from (x, y) or centred on it; nothing without a font.
    virtual void drawText(simFont* font, const std::string& text, float x, float y, const simColour& colour,
                          bool centred) = 0;

    // The canvas widgets draw with: the installed one, or the engine's.
    static simGuiCanvas& current();
    // Installs a canvas (null: the engine's again). The caller keeps it alive
    // while it is installed.
    static void install(simGuiCanvas* canvas);
};
