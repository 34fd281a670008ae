// d3dx::Font: text faces, glyph atlases and DrawText layout, standing in for
// the extension library's font object and the GDI heights under it.
//
// A font is made from a face name, a GDI-style cell height in pixels, a
// weight (400 regular, 700 bold) and italic. fontconfig resolves the name to
// a file ("Arial" gives Liberation Sans, its metric twin); FreeType renders
// the glyphs. As in GDI, a positive height is the cell height (ascent plus
// descent), so the em size is height x units per em / (ascender - descender).
//
// Glyphs are rendered once, on first use, into the font's atlas: one 8-bit
// coverage image packed in shelves, which doubles in size when full (earlier
// glyphs keep their places). The device side uploads the atlas when its
// version changes and draws the quads that `layout` gives, all in one batch.
//
// Text is single-byte (Windows-1252 for the printable range; other bytes map
// to the same code point); "\n" breaks lines. Measuring follows DrawText with
// DT_CALCRECT: each line's width is the advance sum up to its last non-space
// character (trailing spaces are left out); the height is the line count
// times the cell height. Layout puts lines top down from the rectangle's
// top, at its left or, with DT_CENTER, centred between its left and right;
// nothing is clipped.
//
// No device, no files of its own: the font's atlas is plain memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace d3dx {

// DrawText format bits that the layout reads.
enum : std::uint32_t {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
};

struct FontDesc {
    std::int32_t height = 0;   // cell height in pixels (> 0)
    std::uint32_t weight = 400;  // 400 regular, 700 bold
    bool italic = false;
    std::string faceName;      // a family name fontconfig knows, e.g. "Arial"
};

// A rectangle in pixels: left, top inclusive; right, bottom exclusive.
struct FontRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// One glyph to draw: the screen rectangle and its place in the atlas (pixels).
struct GlyphQuad {
    std::int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::int32_t u0 = 0, v0 = 0, u1 = 0, v1 = 0;
};

// The coverage image (one byte a pixel, rows top first).
struct FontAtlas {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    std::uint32_t version = 0;  // bumped whenever pixels change or the image grows
};

class Font {
public:
    // Null when fontconfig finds no file or FreeType cannot open it; error says which.
    static std::unique_ptr<Font> Create(const FontDesc& desc, std::string* error);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // The DT_CALCRECT rectangle, at (0, 0), of the first `count` bytes of
    // `text` (count within the text: the caller resolves "all"); empty for
    // a count of 0 or less.
    FontRect Measure(const char* text, std::int32_t count);
    // The quads of the first `count` bytes laid out in `rect` (see above);
    // renders glyphs not yet in the atlas.
    void Layout(const char* text, std::int32_t count, const FontRect& rect, std::uint32_t format,
                std::vector<GlyphQuad>* out);

    const FontAtlas& atlas() const { return atlas_; }
    const FontDesc& desc() const { return desc_; }
    // The font file fontconfig chose, and its family name.
    const std::string& file() const { return file_; }
    const std::string& family() const { return family_; }
    // Glyphs rendered so far (each is rendered once).
    std::uint32_t renderedGlyphs() const { return rendered_; }
    std::int32_t ascent() const { return ascent_; }

private:
    struct Glyph {
        bool known = false;
        std::int32_t advance = 0;          // pixels
        std::int32_t left = 0, top = 0;    // bitmap offset from the pen, y up
        std::int32_t width = 0, height = 0;
        std::int32_t x = 0, y = 0;         // place in the atlas
    };
    struct Impl;

    Font(const FontDesc& desc, std::unique_ptr<Impl> impl);
    const Glyph& glyph(std::uint8_t c);
    bool place(std::int32_t width, std::int32_t height, std::int32_t* x, std::int32_t* y);
    void grow();
    std::int32_t lineWidth(const char* begin, const char* end);

    FontDesc desc_;
    std::unique_ptr<Impl> impl_;
    std::string file_, family_;
    std::int32_t ascent_ = 0;  // baseline below the cell top, pixels
    Glyph glyphs_[256];
    FontAtlas atlas_;
    std::int32_t shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
    std::uint32_t rendered_ = 0;
};

}  // namespace d3dx
