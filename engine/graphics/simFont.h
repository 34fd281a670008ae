// simFont: a text font resource, drawn in the view by the engine, the GUI
// toolkit and the application.
//
// The font is the d3dx layer's (platform/d3dx/d3dxFont.h: fontconfig finds
// the face, "Arial" gives its metric twin; FreeType renders glyphs once into
// the font's atlas). The height in pixels is the size in points at 96 dots
// an inch, rounded as MulDiv rounds (a 10-point font is 13 pixels high);
// bold is weight 700, else 400.
//
// Drawing: each call lays the string out into glyph quads and draws them in
// one batch through the renderer's rectangle call, with the atlas as the
// texture of slot 0 and alpha blending on (both put back afterwards from the
// font's own copies, so the renderer's save slots are left alone). Only
// inside a scene. Nothing is clipped.
//
// Measuring gives the rectangle (0, 0, width, height) of a text; trailing
// spaces, which the layout's measure leaves out, are added as space widths
// (the width of "a a" less that of "aa").
//
// Device loss: the atlas texture lives in the default pool; the reset
// releases it and the restore lets the next draw make and fill it again from
// the atlas image kept in memory.
//
// Failures: a font that cannot be had logs "ERROR: (simFont) - D3DXCreateFont
// failed" (or "ERROR: (simFont) - failed to create DC" when the font system
// itself cannot start) and draws and measures nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/simColour.h"
#include "engine/core/simResource.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

namespace d3dx {
class Font;
}
struct simSystemLinks;

class simFont : public simResource, public simDeviceDependantObject {
public:
    // Makes the font `faceName` at `size` points. Needs the graphics system.
    simFont(simCollectionItem* collection, std::string name, std::string faceName, float size, bool bold,
            bool italic);
    ~simFont() override;

    std::string getTypeName() override { return "simFont"; }

    // The rectangle of the first `count` characters of `text` (-1 or more
    // than the text: all of it); (0, 0, 1, 1) for an empty text, a count of
    // 0 or no font.
    void measureText(const std::string& text, int32_t count, gfx::RECT* out);
    // Draws the first `count` characters (negative or past the end: all; 0:
    // none) with the top-left corner of the whole text's rectangle at (x, y),
    // in `colour`. Nothing without a font or while the window is minimised.
    void drawText(const std::string& text, float x, float y, const simColour& colour, int32_t count = -1);
    // The same, the whole text's rectangle centred on (x, y) and each line
    // centred in it.
    void drawTextCentred(const std::string& text, float x, float y, const simColour& colour, int32_t count = -1);

    // ---- Device loss.
    void onDeviceReset() override;
    void onDeviceRestore() override;

    // ---- Reading.
    bool hasFont() const { return m_font != nullptr; }
    d3dx::Font* getFont() const { return m_font.get(); }
    bool isBold() const { return m_bold != 0; }
    bool isItalic() const { return m_italic != 0; }
    float getSize() const { return m_size; }
    float getSpaceWidth() const { return m_spaceWidth; }
    const std::string& getFaceName() const { return m_faceName; }
    // The device texture of the atlas (null before the first draw and
    // between a reset and the next draw).
    gfx::TextureHandle getAtlasTexture() const;

    // Pixel height of a size in points: MulDiv(truncated size, 96, 72).
    static int32_t pixelHeight(float size);

private:
    class Atlas;
    void draw(const std::string& text, const gfx::RECT& rect, uint32_t format, const simColour& colour,
              int32_t count);

    uint8_t m_bold = 0, m_italic = 0;
    float m_size = 0.0f;        // points
    float m_spaceWidth = 0.0f;  // pixels
    std::string m_faceName;
    std::unique_ptr<d3dx::Font> m_font;
    std::unique_ptr<Atlas> m_atlas;
    bool m_lost = false;
};

// The engine's four fonts, made when the engine initialises: "renderStatsFont"
// Arial 12, "consoleFont" Arial 10, "versionFont" Arial 12, "infoFont" Arial 13
// bold, in "globalResources".
void simCreateEngineFonts();
// Puts simCreateEngineFonts in the graphics links.
void simLinkEngineFonts(simSystemLinks& links);
