#include "engine/graphics/simFont.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include <fontconfig/fontconfig.h>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simWindow.h"
#include "platform/d3dx/d3dxFont.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

gfx::Device* device() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    return renderer ? renderer->getDevice() : nullptr;
}

void logFontError(const std::string& text) {
    if (g_console) g_console->printString(text);
}

}  // namespace

// The atlas on the device: a texture the state cache can bind to slot 0,
// refilled from the font's atlas image whenever that changes.
class simFont::Atlas : public simRendererStateTexture {
public:
    ~Atlas() override { release(); }
    gfx::TextureHandle getStateTexture2D() const override { return m_texture; }
    gfx::TextureHandle getStateCubeTexture() const override { return {}; }
    gfx::TextureHandle texture() const { return m_texture; }

    // Brings the texture up to the image. True when the texture was made
    // anew (the state cache must then bind it again).
    bool update(const d3dx::FontAtlas& image, bool* ok) {
        *ok = false;
        gfx::Device* d = device();
        if (!d) return false;
        bool made = false;
        if (!m_texture || m_width != image.width || m_height != image.height) {
            release();
            if (FAILED(d->CreateTexture(uint32_t(image.width), uint32_t(image.height), 1, D3DUSAGE_DYNAMIC,
                                        D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &m_texture)))
                return false;
            m_width = image.width;
            m_height = image.height;
            m_version = 0;
            made = true;
        }
        if (m_version != image.version) {
            D3DLOCKED_RECT locked;
            if (FAILED(d->LockRect(m_texture, 0, &locked, nullptr, D3DLOCK_DISCARD))) return made;
            // White texels whose alpha is the glyph coverage: the vertex colour tints them.
            for (int32_t y = 0; y < image.height; ++y) {
                auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch);
                const uint8_t* coverage = &image.pixels[size_t(y) * size_t(image.width)];
                for (int32_t x = 0; x < image.width; ++x) row[x] = uint32_t(coverage[x]) << 24 | 0x00FFFFFFu;
            }
            d->UnlockRect(m_texture, 0);
            m_version = image.version;
        }
        *ok = true;
        return made;
    }

    void release() {
        if (m_texture)
            if (gfx::Device* d = device()) d->Release(m_texture);
        m_texture = {};
        m_version = 0;
    }

private:
    gfx::TextureHandle m_texture;
    int32_t m_width = 0, m_height = 0;
    uint32_t m_version = 0;  // of the image last uploaded
};

int32_t simFont::pixelHeight(float size) {
    // MulDiv: the exact product and quotient, rounded half away from zero.
    const int64_t n = int64_t(int32_t(size)) * 96;
    return int32_t(n >= 0 ? (n + 36) / 72 : -((-n + 36) / 72));
}

simFont::simFont(simCollectionItem* collection, std::string name, std::string faceName, float size, bool bold,
                 bool italic)
    : simResource(collection, std::move(name), ""), m_atlas(std::make_unique<Atlas>()) {
    // The font system stands in for the screen's device context.
    if (!FcInit()) {
        logFontError("ERROR: (simFont) - failed to create DC\n");
        return;
    }
    d3dx::FontDesc desc;
    desc.height = pixelHeight(size);
    desc.weight = bold ? 700 : 400;
    desc.italic = italic;
    desc.faceName = faceName;
    std::string error;
    m_font = d3dx::Font::Create(desc, &error);
    if (!m_font) {
        logFontError("ERROR: (simFont) - D3DXCreateFont failed\n");
        return;
    }
    m_size = size;
    m_bold = bold ? 1 : 0;
    m_italic = italic ? 1 : 0;
    m_faceName = std::move(faceName);
    gfx::RECT spaced, packed;
    measureText("a a", -1, &spaced);
    measureText("aa", -1, &packed);
    m_spaceWidth = float(spaced.right - packed.right);
}

simFont::~simFont() = default;

gfx::TextureHandle simFont::getAtlasTexture() const { return m_atlas->texture(); }

// ---- measuring ----

void simFont::measureText(const std::string& text, int32_t count, gfx::RECT* out) {
    if (!out) return;
    *out = gfx::RECT{0, 0, 1, 1};
    const int32_t length = int32_t(text.size());
    // A count past the text measures the text; any negative count all of it.
    const int32_t measured = count < 0 || count > length ? length : count;
    if (text.empty() || measured == 0 || !m_font) return;
    const d3dx::FontRect r = m_font->Measure(text.data(), measured);
    *out = gfx::RECT{r.left, r.top, r.right, r.bottom};
    // The measure leaves trailing spaces out: add them back, never walking
    // before the first character.
    for (int32_t i = measured - 1; i >= 0 && text[size_t(i)] == ' '; --i)
        out->right = int32_t(float(out->right) + m_spaceWidth);
}

// ---- drawing ----

void simFont::drawText(const std::string& text, float x, float y, const simColour& colour, int32_t count) {
    gfx::RECT r;
    measureText(text, -1, &r);
    const int32_t left = int32_t(x), top = int32_t(y);
    draw(text, gfx::RECT{left, top, left + r.right, top + r.bottom}, d3dx::DT_NOCLIP, colour, count);
}

void simFont::drawTextCentred(const std::string& text, float x, float y, const simColour& colour, int32_t count) {
    gfx::RECT r;
    measureText(text, -1, &r);
    const float halfWidth = float(r.right) * 0.5f, halfHeight = float(r.bottom) * 0.5f;
    const gfx::RECT centred{int32_t(x - halfWidth), int32_t(y - halfHeight), int32_t(x + halfWidth),
                            int32_t(y + halfHeight)};
    draw(text, centred, d3dx::DT_CENTER | d3dx::DT_NOCLIP, colour, count);
}

void simFont::draw(const std::string& text, const gfx::RECT& rect, uint32_t format, const simColour& colour,
                   int32_t count) {
    if (!m_font || !g_graphics) return;
    if (const simWindow* window = g_graphics->getWindow(); window && window->getWindowState() == 0) return;
    simRenderer* renderer = g_graphics->getRenderer();
    simRendererState* state = renderer ? renderer->getState() : nullptr;
    if (!state || count == 0) return;
    const int32_t length = int32_t(text.size());
    const int32_t drawn = count < 0 || count > length ? length : count;

    std::vector<d3dx::GlyphQuad> quads;
    m_font->Layout(text.data(), drawn, d3dx::FontRect{rect.left, rect.top, rect.right, rect.bottom}, format, &quads);
    if (quads.empty()) return;
    bool ok = false;
    const bool remade = m_atlas->update(m_font->atlas(), &ok);
    if (!ok) return;

    const float du = 1.0f / float(m_font->atlas().width), dv = 1.0f / float(m_font->atlas().height);
    const uint32_t argb = colour.toARGB();
    std::vector<simScreenRect> rects;
    rects.reserve(quads.size());
    for (const d3dx::GlyphQuad& q : quads) {
        simScreenRect s;
        s.x1 = float(q.x0);
        s.y1 = float(q.y0);
        s.x2 = float(q.x1);
        s.y2 = float(q.y1);
        s.colour = argb;
        s.u1 = float(q.u0) * du;
        s.v1 = float(q.v0) * dv;
        s.u2 = float(q.u1) * du;
        s.v2 = float(q.v1) * dv;
        rects.push_back(s);
    }
    // The two states are kept here, not in the cache's save slots: text is
    // drawn inside the GUI's own save-and-restore brackets, whose saved
    // values the slots hold.
    const simStateValue alphaBlend = state->getState(simRenderState_alphaBlend);
    const simStateValue blendMode = state->getState(simRenderState_blendMode);
    state->setState(simRenderState_alphaBlend, 1);
    state->setState(simRenderState_blendMode, 0);
    // A texture made anew has the same state object: bind it again by force.
    if (remade) state->setState(simRenderState_texture0, m_atlas.get(), true);
    renderer->drawRects(rects, m_atlas.get());
    state->setState(simRenderState_alphaBlend, alphaBlend);
    state->setState(simRenderState_blendMode, blendMode);
}

// ---- device loss ----

void simFont::onDeviceReset() {
    if (!m_font || m_lost) return;
    m_atlas->release();
    m_lost = true;
}

void simFont::onDeviceRestore() {
    // The next draw makes the texture again from the atlas image.
    if (m_font) m_lost = false;
}

// ---- the engine's fonts ----

void simCreateEngineFonts() {
    simCollectionItem* global = g_resources ? g_resources->getGlobalResources() : nullptr;
    new simFont(global, "renderStatsFont", "Arial", 12.0f, false, false);
    new simFont(global, "consoleFont", "Arial", 10.0f, false, false);
    new simFont(global, "versionFont", "Arial", 12.0f, false, false);
    new simFont(global, "infoFont", "Arial", 13.0f, true, false);
}

void simLinkEngineFonts(simSystemLinks& links) { links.graphics.createEngineFonts = &simCreateEngineFonts; }
