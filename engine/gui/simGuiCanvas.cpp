#include "engine/gui/simGuiCanvas.h"

#include <algorithm>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "platform/gfx/device.h"

namespace {

// The engine's renderer and fonts; draws nothing while there is no renderer.
class RendererCanvas final : public simGuiCanvas {
public:
    void drawRects(const std::vector<simScreenRect>& rects, simTexture* texture) override {
        if (simRenderer* r = renderer()) r->drawRects(rects, texture);
    }
    void drawRect(const d3dx::Vector2& min, const d3dx::Vector2& max, uint32_t colour) override {
        if (simRenderer* r = renderer()) r->drawRect(min, max, colour, nullptr);
    }
    void drawQuadUV(const d3dx::Vector2 c[4], uint32_t colour, simTexture* texture,
                    const d3dx::Vector2 uv[4]) override {
        if (simRenderer* r = renderer()) r->drawQuadUV(c[0], c[1], c[2], c[3], colour, texture, uv[0], uv[1], uv[2], uv[3]);
    }
    void setLinearFiltering(bool linear) override {
        gfx::Device* device = this->device();
        if (!device) return;
        const uint32_t filter = linear ? gfx::D3DTEXF_LINEAR : gfx::D3DTEXF_POINT;
        device->SetSamplerState(0, gfx::D3DSAMP_MAGFILTER, filter);
        device->SetSamplerState(0, gfx::D3DSAMP_MINFILTER, filter);
    }
    // A scissor rectangle inside the viewport (the GUI pass draws to the
    // whole back buffer), turned on and off with the scissor test.
    void setClipRect(int32_t x, int32_t y, int32_t width, int32_t height) override {
        gfx::Device* device = this->device();
        if (!device) return;
        gfx::D3DVIEWPORT9 vp;
        device->GetViewport(&vp);
        const int64_t left = std::clamp<int64_t>(x, vp.X, int64_t(vp.X) + vp.Width);
        const int64_t top = std::clamp<int64_t>(y, vp.Y, int64_t(vp.Y) + vp.Height);
        const int64_t right = std::clamp<int64_t>(int64_t(x) + std::max(width, 0), left, int64_t(vp.X) + vp.Width);
        const int64_t bottom = std::clamp<int64_t>(int64_t(y) + std::max(height, 0), top, int64_t(vp.Y) + vp.Height);
        const gfx::RECT rect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
        device->SetScissorRect(&rect);
        device->SetRenderState(gfx::D3DRS_SCISSORTESTENABLE, 1);
    }
    void clearClipRect() override {
        if (gfx::Device* device = this->device()) device->SetRenderState(gfx::D3DRS_SCISSORTESTENABLE, 0);
    }
    d3dx::Vector2 measureText(simFont* font, const std::string& text) override {
        if (!font) return {0.0f, 0.0f};
        gfx::RECT rect{};
        font->measureText(text, -1, &rect);
        return {static_cast<float>(rect.right), static_cast<float>(rect.bottom)};
    }
    void drawText(simFont* font, const std::string& text, float x, float y, const simColour& colour,
                  bool centred) override {
        if (!font) return;
        if (centred) {
            font->drawTextCentred(text, x, y, colour);
        } else {
            font->drawText(text, x, y, colour);
        }
    }

private:
    static simRenderer* renderer() {
        simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
        return r && r->isInScene() ? r : nullptr;
    }
    static gfx::Device* device() {
        simRenderer* r = renderer();
        return r ? r->getDevice() : nullptr;
    }
};

RendererCanvas g_rendererCanvas;
simGuiCanvas* g_installed = nullptr;

}  // namespace

simGuiCanvas& simGuiCanvas::current() { return g_installed ? *g_installed : g_rendererCanvas; }

void simGuiCanvas::install(simGuiCanvas* canvas) { g_installed = canvas; }
