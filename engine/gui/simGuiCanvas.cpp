#include "engine/gui/simGuiCanvas.h"

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
        simRenderer* r = renderer();
        gfx::Device* device = r ? r->getDevice() : nullptr;
        if (!device) return;
        const uint32_t filter = linear ? gfx::D3DTEXF_LINEAR : gfx::D3DTEXF_POINT;
        device->SetSamplerState(0, gfx::D3DSAMP_MAGFILTER, filter);
        device->SetSamplerState(0, gfx::D3DSAMP_MINFILTER, filter);
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
};

RendererCanvas g_rendererCanvas;
simGuiCanvas* g_installed = nullptr;

}  // namespace

simGuiCanvas& simGuiCanvas::current() { return g_installed ? *g_installed : g_rendererCanvas; }

void simGuiCanvas::install(simGuiCanvas* canvas) { g_installed = canvas; }
