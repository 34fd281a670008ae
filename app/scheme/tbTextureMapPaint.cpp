// The painting tools' side of the paint texture: the drawing bracket, the
// undo commit's snapshot and rectangles of pixels in and out.
#include <algorithm>
#include <bit>
#include <cstring>

#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbDevice.h"
#include "engine/core/simApplication.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

struct KnownState {
    uint32_t id;
    simStateValue value;
};
// Everything a material, an effect or the frame may have left that would
// change what a screen primitive writes into the picture. The texture of
// stage 0 and the addressing are the tools' to set inside the bracket.
constexpr KnownState kKnownStates[] = {
    {simRenderState_texture0, 0},        {simRenderState_shaderEffect, 0},
    {simRenderState_zWrite, 0},          {simRenderState_zFunction, 8},  // always
    {simRenderState_lighting, 0},        {simRenderState_backfaceCullMode, 0},
    {simRenderState_blendMode, 0},  // source alpha over inverse source alpha
    {simRenderState_stencilMode, 0},     {simRenderState_fog, 0},
    {simRenderState_stage1Blend, 0},     {simRenderState_blendFactorAlpha, 0},
    {simRenderState_cubemap1, 0},        {simRenderState_alphaBlend, 1},
    {simRenderState_clipPlaneEnable, 0}, {simRenderState_addressU, D3DTADDRESS_WRAP},
    {simRenderState_addressV, D3DTADDRESS_WRAP},
};
static_assert(std::size(kKnownStates) == 16, "the bracket keeps one saved value per known state");

// Red, green and blue: blending never writes partial alpha into the picture.
constexpr uint32_t kColourOnly = 0x7;

RECT toRect(const tbPaintSpace::PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

void tbTextureMap::beginDrawing() {
    simRenderer* r = tbRenderer();
    if (!r || !m_drawing || m_bracket.open) return;
    Device* d = r->getDevice();
    simRendererState* cache = r->getState();
    m_bracket.open = true;
    m_bracket.window = {};
    m_bracket.ownScene = !r->isInScene();
    if (m_bracket.ownScene) r->beginScene(false, false, false);
    d->GetViewport(&m_bracket.viewport);
    d->GetRenderState(D3DRS_COLORWRITEENABLE, &m_bracket.colourMask);
    d->GetRenderState(D3DRS_SCISSORTESTENABLE, &m_bracket.scissorTest);
    d->GetScissorRect(&m_bracket.scissorRect);
    d->SetRenderTarget(0, m_drawing);  // the viewport becomes the whole texture
    d->SetDepthStencilSurface(m_depth);
    for (size_t i = 0; i < std::size(kKnownStates); ++i) {
        m_bracket.states[i] = cache->getState(kKnownStates[i].id);
        // Forced: a state set behind the cache's back must not survive.
        cache->setState(kKnownStates[i].id, kKnownStates[i].value, true);
    }
    d->SetRenderState(D3DRS_COLORWRITEENABLE, kColourOnly);
    d->SetRenderState(D3DRS_SCISSORTESTENABLE, 0);
}

void tbTextureMap::beginDrawing(const simBoundingRect& area) {
    beginDrawing();
    if (!m_bracket.open) return;
    const tbPaintSpace::PixelRect rect = tbPaintSpace::pixelsTouched(area, m_width, m_height);
    Device* d = tbRenderer()->getDevice();
    // Beyond about half the picture a window saves nothing over drawing in
    // place; the drawing surface is then only clipped to the area.
    if (rect.area() * 2 < int64_t(m_width) * m_height && bindWindow(rect)) {
        m_bracket.window = rect;
        return;
    }
    const RECT scissor = toRect(rect);
    d->SetScissorRect(&scissor);
    d->SetRenderState(D3DRS_SCISSORTESTENABLE, 1);
}

bool tbTextureMap::bindWindow(const tbPaintSpace::PixelRect& rect) {
    Device* d = tbRenderer()->getDevice();
    const uint32_t width = uint32_t(rect.right - rect.left), height = uint32_t(rect.bottom - rect.top);
    if (!m_window || m_windowWidth < width || m_windowHeight < height) {
        if (m_window) d->Release(m_window);
        m_window = {};
        // Grown in powers of two, so a stroke of growing stamps makes few.
        m_windowWidth = std::bit_ceil(std::max(width, 64u));
        m_windowHeight = std::bit_ceil(std::max(height, 64u));
        if (FAILED(d->CreateRenderTarget(m_windowWidth, m_windowHeight, m_targetFormat, D3DMULTISAMPLE_NONE, 0, false,
                                         &m_window)))
            m_window = {};
        if (!m_window) return false;
    }
    // The window starts as the picture under it, so blending sees it.
    const RECT source = toRect(rect), inWindow{0, 0, int32_t(width), int32_t(height)};
    if (FAILED(d->StretchRect(m_drawing, &source, m_window, &inWindow, D3DTEXF_POINT))) return false;
    d->SetRenderTarget(0, m_window);
    // Depth is always passed and never written in the bracket: no depth surface.
    d->SetDepthStencilSurface({});
    const D3DVIEWPORT9 viewport{0, 0, width, height, 0.0f, 1.0f};
    d->SetViewport(&viewport);
    return true;
}

d3dx::Vector2 tbTextureMap::drawingOrigin() const {
    return {float(m_bracket.window.left), float(m_bracket.window.top)};
}

void tbTextureMap::endDrawing(const simBoundingRect& touched) {
    simRenderer* r = tbRenderer();
    if (!r || !m_bracket.open) return;
    Device* d = r->getDevice();
    tbPaintSpace::PixelRect area = tbPaintSpace::pixelsTouched(touched, m_width, m_height);
    const tbPaintSpace::PixelRect& window = m_bracket.window;
    if (!window.empty()) {
        // Nothing was drawn outside the window.
        area = {std::max(area.left, window.left), std::max(area.top, window.top), std::min(area.right, window.right),
                std::min(area.bottom, window.bottom)};
        if (!area.empty()) {
            const RECT rect = toRect(area);
            const RECT inWindow{area.left - window.left, area.top - window.top, area.right - window.left,
                                area.bottom - window.top};
            d->StretchRect(m_window, &inWindow, m_drawing, &rect, D3DTEXF_POINT);
            if (m_paint) d->StretchRect(m_window, &inWindow, m_paint, &rect, D3DTEXF_POINT);
        }
    } else if (m_paint && !area.empty()) {
        const RECT rect = toRect(area);
        d->StretchRect(m_drawing, &rect, m_paint, &rect, D3DTEXF_POINT);
    }
    d->SetRenderTarget(0, r->getBackBuffer());
    d->SetDepthStencilSurface(r->getDefaultDepthStencil());
    d->SetViewport(&m_bracket.viewport);
    // Binding the back buffer reset the scissor rectangle to its whole size.
    d->SetScissorRect(&m_bracket.scissorRect);
    d->SetRenderState(D3DRS_SCISSORTESTENABLE, m_bracket.scissorTest);
    d->SetRenderState(D3DRS_COLORWRITEENABLE, m_bracket.colourMask);
    simRendererState* cache = r->getState();
    for (size_t i = 0; i < std::size(kKnownStates); ++i) cache->setState(kKnownStates[i].id, m_bracket.states[i]);
    if (m_bracket.ownScene) r->endScene(false, nullptr);
    // The model shows the paint: the next frame draws it, whatever made the change.
    simRequestRedraw();
    m_bracket.open = false;
    m_bracket.window = {};
}

void tbTextureMap::endDrawing() {
    simBoundingRect whole;
    whole.growByPoint({0.0f, 0.0f});
    whole.growByPoint({float(m_width), float(m_height)});
    endDrawing(whole);
}

void tbTextureMap::takeSnapshot() {
    simRenderer* r = tbRenderer();
    if (r && m_paint && m_snapshot) r->getDevice()->StretchRect(m_paint, nullptr, m_snapshot, nullptr, D3DTEXF_POINT);
}

SurfaceHandle tbTextureMap::makeScratch(const tbPaintSpace::PixelRect& rect) const {
    SurfaceHandle scratch;
    simRenderer* r = tbRenderer();
    if (!r || rect.empty()) return scratch;
    r->getDevice()->CreateRenderTarget(uint32_t(rect.right - rect.left), uint32_t(rect.bottom - rect.top),
                                       D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, true, &scratch);
    return scratch;
}

bool tbTextureMap::readPixels(SurfaceHandle surface, const tbPaintSpace::PixelRect& rect,
                              std::vector<uint32_t>& out) const {
    SurfaceHandle scratch = makeScratch(rect);
    if (!scratch || !surface) return false;
    Device* d = tbRenderer()->getDevice();
    const RECT source = toRect(rect);
    const uint32_t width = uint32_t(rect.right - rect.left), height = uint32_t(rect.bottom - rect.top);
    bool ok = SUCCEEDED(d->StretchRect(surface, &source, scratch, nullptr, D3DTEXF_POINT));
    D3DLOCKED_RECT locked{};
    if (ok && SUCCEEDED(d->LockRect(scratch, &locked, nullptr, D3DLOCK_READONLY))) {
        out.resize(size_t(width) * height);
        for (uint32_t row = 0; row < height; ++row)
            std::memcpy(out.data() + size_t(row) * width,
                        static_cast<const uint8_t*>(locked.pBits) + size_t(row) * size_t(locked.Pitch),
                        size_t(width) * 4);
        ok = SUCCEEDED(d->UnlockRect(scratch));
    } else {
        ok = false;
    }
    d->Release(scratch);
    return ok;
}

bool tbTextureMap::writePixels(const tbPaintSpace::PixelRect& rect, const std::vector<uint32_t>& pixels) {
    const uint32_t width = uint32_t(std::max(rect.right - rect.left, 0));
    const uint32_t height = uint32_t(std::max(rect.bottom - rect.top, 0));
    if (pixels.size() != size_t(width) * height) return false;
    SurfaceHandle scratch = makeScratch(rect);
    if (!scratch) return false;
    Device* d = tbRenderer()->getDevice();
    D3DLOCKED_RECT locked{};
    bool ok = SUCCEEDED(d->LockRect(scratch, &locked, nullptr, D3DLOCK_DISCARD));
    if (ok) {
        for (uint32_t row = 0; row < height; ++row) {
            auto* line = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(row) * size_t(locked.Pitch));
            for (uint32_t x = 0; x < width; ++x) line[x] = pixels[size_t(row) * width + x] | 0xFF000000u;
        }
        ok = SUCCEEDED(d->UnlockRect(scratch));
    }
    const RECT dest = toRect(rect);
    if (ok && m_paint) ok = SUCCEEDED(d->StretchRect(scratch, nullptr, m_paint, &dest, D3DTEXF_POINT));
    if (ok && m_drawing) ok = SUCCEEDED(d->StretchRect(scratch, nullptr, m_drawing, &dest, D3DTEXF_POINT));
    d->Release(scratch);
    simRequestRedraw();
    return ok;
}
