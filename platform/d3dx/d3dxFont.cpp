#include "platform/d3dx/d3dxFont.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

namespace d3dx {

namespace {

constexpr std::int32_t kFirstAtlasSize = 256;
constexpr std::int32_t kMaxAtlasSize = 4096;
// Cells larger than this could not keep one glyph in the largest atlas.
constexpr std::int32_t kMaxHeight = 1024;
constexpr std::int32_t kGlyphPadding = 1;  // empty texels between glyphs, so filtering never bleeds

// Windows-1252 bytes 0x80..0x9F as Unicode (0: unassigned, drawn as the byte).
constexpr std::uint16_t kCp1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::uint32_t codePoint(std::uint8_t c) {
    if (c >= 0x80 && c < 0xA0 && kCp1252[c - 0x80]) return kCp1252[c - 0x80];
    return c;
}

// The font file for a family, weight and slant, by fontconfig's best match.
bool matchFile(const FontDesc& desc, std::string* file, int* index, std::string* family) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(desc.faceName.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, desc.weight >= 700 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, desc.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8* path = nullptr;
    FcChar8* name = nullptr;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        *file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch) *index = 0;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            *family = reinterpret_cast<const char*>(name);
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace

struct Font::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Impl() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

std::unique_ptr<Font> Font::Create(const FontDesc& desc, std::string* error) {
    if (desc.height <= 0 || desc.height > kMaxHeight) {
        if (error) *error = "font height out of range: " + std::to_string(desc.height);
        return nullptr;
    }
    std::string file, family;
    int index = 0;
    if (!matchFile(desc, &file, &index, &family)) {
        if (error) *error = "no font file for " + desc.faceName;
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&impl->library) != 0 || FT_New_Face(impl->library, file.c_str(), index, &impl->face) != 0 ||
        !FT_IS_SCALABLE(impl->face)) {
        if (error) *error = "cannot open font file " + file;
        return nullptr;
    }
    FT_Select_Charmap(impl->face, FT_ENCODING_UNICODE);
    // The cell is GDI's: the Windows ascent and descent of the OS/2 table
    // when there is one, else the face's own.
    const FT_Face face = impl->face;
    double ascender = face->ascender, descender = -double(face->descender);
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->usWinAscent > 0) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    if (ascender + descender <= 0 || face->units_per_EM == 0) {
        if (error) *error = "font file without metrics: " + file;
        return nullptr;
    }
    const double em = desc.height * double(face->units_per_EM) / (ascender + descender);
    if (FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(em * 64.0)), 72, 72) != 0) {
        if (error) *error = "font file cannot be scaled: " + file;
        return nullptr;
    }
    std::unique_ptr<Font> font(new Font(desc, std::move(impl)));
    font->file_ = file;
    font->family_ = family;
    font->ascent_ = static_cast<std::int32_t>(std::lround(ascender * em / face->units_per_EM));
    return font;
}

Font::Font(const FontDesc& desc, std::unique_ptr<Impl> impl) : desc_(desc), impl_(std::move(impl)) {
    atlas_.width = atlas_.height = kFirstAtlasSize;
    atlas_.pixels.assign(std::size_t(kFirstAtlasSize) * kFirstAtlasSize, 0);
    atlas_.version = 1;
}

Font::~Font() = default;

const Font::Glyph& Font::glyph(std::uint8_t c) {
    Glyph& g = glyphs_[c];
    if (g.known) return g;
    g.known = true;
    ++rendered_;
    const FT_Face face = impl_->face;
    if (FT_Load_Char(face, codePoint(c), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return g;
    const FT_GlyphSlot slot = face->glyph;
    g.advance = static_cast<std::int32_t>((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<std::int32_t>(bitmap.width);
    g.height = static_cast<std::int32_t>(bitmap.rows);
    if (!place(g.width, g.height, &g.x, &g.y)) {
        g.width = g.height = 0;
        return g;
    }
    const int pitch = bitmap.pitch;
    for (std::int32_t row = 0; row < g.height; ++row) {
        const std::uint8_t* source =
            pitch >= 0 ? bitmap.buffer + row * pitch : bitmap.buffer + (g.height - 1 - row) * -pitch;
        std::memcpy(&atlas_.pixels[std::size_t(g.y + row) * atlas_.width + g.x], source, std::size_t(g.width));
    }
    ++atlas_.version;
    return g;
}

// Shelf packing: left to right along the current shelf, a new shelf below
// when the row is full, a larger atlas when the image is.
bool Font::place(std::int32_t width, std::int32_t height, std::int32_t* x, std::int32_t* y) {
    const std::int32_t w = width + kGlyphPadding, h = height + kGlyphPadding;
    for (;;) {
        if (w > atlas_.width) {
            if (atlas_.width >= kMaxAtlasSize) return false;
            grow();
            continue;
        }
        if (shelfX_ + w > atlas_.width) {
            shelfY_ += shelfHeight_;
            shelfX_ = 0;
            shelfHeight_ = 0;
        }
        if (shelfY_ + h > atlas_.height) {
            if (atlas_.height >= kMaxAtlasSize) return false;
            grow();
            continue;
        }
        *x = shelfX_;
        *y = shelfY_;
        shelfX_ += w;
        shelfHeight_ = std::max(shelfHeight_, h);
        return true;
    }
}

// Doubles both sides; glyphs keep their texel positions (their UVs change).
void Font::grow() {
    const std::int32_t width = atlas_.width * 2, height = atlas_.height * 2;
    std::vector<std::uint8_t> pixels(std::size_t(width) * height, 0);
    for (std::int32_t row = 0; row < atlas_.height; ++row)
        std::memcpy(&pixels[std::size_t(row) * width], &atlas_.pixels[std::size_t(row) * atlas_.width],
                    std::size_t(atlas_.width));
    atlas_.pixels = std::move(pixels);
    atlas_.width = width;
    atlas_.height = height;
    ++atlas_.version;
}

// The advance sum of one line up to its last non-space character.
std::int32_t Font::lineWidth(const char* begin, const char* end) {
    while (end > begin && end[-1] == ' ') --end;
    std::int32_t width = 0;
    for (const char* p = begin; p < end; ++p)
        if (*p != '\r') width += glyph(static_cast<std::uint8_t>(*p)).advance;
    return width;
}

FontRect Font::Measure(const char* text, std::int32_t count) {
    FontRect rect;
    if (!text || count <= 0) return rect;
    const char* end = text + count;
    std::int32_t lines = 0, width = 0;
    for (const char* line = text; line <= end;) {
        const char* stop = std::find(line, end, '\n');
        width = std::max(width, lineWidth(line, stop));
        ++lines;
        if (stop == end) break;
        line = stop + 1;
    }
    rect.right = width;
    rect.bottom = lines * desc_.height;
    return rect;
}

void Font::Layout(const char* text, std::int32_t count, const FontRect& rect, std::uint32_t format,
                  std::vector<GlyphQuad>* out) {
    out->clear();
    if (!text || count <= 0) return;
    const char* end = text + count;
    std::int32_t top = rect.top;
    for (const char* line = text; line <= end; top += desc_.height) {
        const char* stop = std::find(line, end, '\n');
        std::int32_t pen = rect.left;
        if (format & DT_CENTER) pen += (rect.right - rect.left - lineWidth(line, stop)) / 2;
        for (const char* p = line; p < stop; ++p) {
            if (*p == '\r') continue;
            const Glyph& g = glyph(static_cast<std::uint8_t>(*p));
            if (g.width > 0) {
                GlyphQuad q;
                q.x0 = pen + g.left;
                q.y0 = top + ascent_ - g.top;
                q.x1 = q.x0 + g.width;
                q.y1 = q.y0 + g.height;
                q.u0 = g.x;
                q.v0 = g.y;
                q.u1 = g.x + g.width;
                q.v1 = g.y + g.height;
                out->push_back(q);
            }
            pen += g.advance;
        }
        if (stop == end) break;
        line = stop + 1;
    }
}

}  // namespace d3dx
