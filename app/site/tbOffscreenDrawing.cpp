#include "app/site/tbOffscreenDrawing.h"

#include <iterator>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

struct KnownState {
    uint32_t id;
    simStateValue value;
};
// Everything a material, an effect or the frame may have left that would
// change what a screen primitive writes; blending is set apart.
constexpr KnownState kStates[] = {
    {simRenderState_shaderEffect, 0}, {simRenderState_zWrite, 0},       {simRenderState_zFunction, 8},  // always
    {simRenderState_lighting, 0},     {simRenderState_backfaceCullMode, 0}, {simRenderState_blendMode, 0},
    {simRenderState_stencilMode, 0},  {simRenderState_fog, 0},          {simRenderState_stage1Blend, 0},
    {simRenderState_clipPlaneEnable, 0},  {simRenderState_mipmapFilter, 0},
};
static_assert(std::size(kStates) + 1 == tbOffscreenDrawing::kKnownStates, "one saved value per state, and blending");

}  // namespace

tbOffscreenDrawing::tbOffscreenDrawing(SurfaceHandle target, SurfaceHandle depth, bool blend) {
    simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!r || !r->getDevice() || !target) return;
    m_renderer = r;
    Device* d = r->getDevice();
    simRendererState* cache = r->getState();
    m_ownScene = !r->isInScene();
    if (m_ownScene) r->beginScene(false, false, false);
    d->GetViewport(&m_viewport);
    d->GetRenderState(D3DRS_ALPHATESTENABLE, &m_alphaTest);
    d->SetRenderTarget(0, target);  // the viewport becomes the whole target
    d->SetDepthStencilSurface(depth);
    d->SetRenderState(D3DRS_ALPHATESTENABLE, 0);
    for (size_t i = 0; i < std::size(kStates); ++i) {
        m_saved[i] = cache->getState(kStates[i].id);
        cache->setState(kStates[i].id, kStates[i].value, true);
    }
    m_saved[std::size(kStates)] = cache->getState(simRenderState_alphaBlend);
    cache->setState(simRenderState_alphaBlend, blend ? 1u : 0u, true);
}

tbOffscreenDrawing::~tbOffscreenDrawing() {
    if (!m_renderer) return;
    Device* d = m_renderer->getDevice();
    simRendererState* cache = m_renderer->getState();
    d->SetRenderTarget(0, m_renderer->getBackBuffer());
    d->SetDepthStencilSurface(m_renderer->getDefaultDepthStencil());
    d->SetViewport(&m_viewport);
    d->SetRenderState(D3DRS_ALPHATESTENABLE, m_alphaTest);
    for (size_t i = 0; i < std::size(kStates); ++i) cache->setState(kStates[i].id, m_saved[i], true);
    cache->setState(simRenderState_alphaBlend, m_saved[std::size(kStates)], true);
    if (m_ownScene) m_renderer->endScene(false, nullptr);
}
