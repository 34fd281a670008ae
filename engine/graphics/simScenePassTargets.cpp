#include "engine/graphics/simScenePassTargets.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"

namespace simScenePass {

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }

simRendererState* state() { return renderer() ? renderer()->getState() : nullptr; }

gfx::Device* device() { return renderer() ? renderer()->getDevice() : nullptr; }

float backBufferWidth() {
    const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    return window ? window->getBackBufferWidth() : 0.0f;
}

float backBufferHeight() {
    const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    return window ? window->getBackBufferHeight() : 0.0f;
}

bool createDepthSurface(uint32_t width, uint32_t height, gfx::D3DFORMAT format, gfx::SurfaceHandle* out) {
    *out = {};
    gfx::Device* d = device();
    return d && gfx::SUCCEEDED(d->CreateDepthStencilSurface(width, height, format, gfx::D3DMULTISAMPLE_NONE, 0, true, out));
}

bool topLevelSurface(const simTexture* texture, gfx::SurfaceHandle* out) {
    *out = {};
    gfx::Device* d = device();
    return d && texture && texture->getTexture() && gfx::SUCCEEDED(d->GetSurfaceLevel(texture->getTexture(), 0, out));
}

void releaseSurface(gfx::SurfaceHandle& surface) {
    if (!surface) return;
    if (gfx::Device* d = device()) d->Release(surface);
    surface = {};
}

void bindTargets(gfx::SurfaceHandle target, gfx::SurfaceHandle depth) {
    gfx::Device* d = device();
    if (!d) return;
    d->SetRenderTarget(0, target);
    d->SetDepthStencilSurface(depth);
}

void bindDefaultTargets() {
    if (simRenderer* r = renderer()) bindTargets(r->getDefaultRenderTarget(), r->getDefaultDepthStencil());
}

void clear(bool depth, uint32_t colour) {
    gfx::Device* d = device();
    if (!d) return;
    const uint32_t flags = gfx::D3DCLEAR_TARGET | (depth ? gfx::D3DCLEAR_ZBUFFER : 0u);
    d->Clear(0, nullptr, flags, colour, 1.0f, 0);
}

simTexture* ownedTexture(simTexture* texture) {
    if (g_resources && texture) g_resources->unindexResource(texture);
    return texture;
}

}  // namespace simScenePass
