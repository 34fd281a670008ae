#include "engine/graphics/simGraphicsLinks.h"

#include <vector>

#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simWindow.h"
#include "engine/gui/simGuiElement.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }

simRendererState* state() { return renderer() ? renderer()->getState() : nullptr; }

// Sampler 0 for screen-space drawing (point filtering, clamped) or for the
// scene (linear, wrapped). Set on the device directly, behind the cache's
// back: `endScreenDrawing` tells the cache the addressing it leaves.
void setSampler0(bool screen) {
    Device* device = renderer() ? renderer()->getDevice() : nullptr;
    if (!device) return;
    const uint32_t filter = screen ? D3DTEXF_POINT : D3DTEXF_LINEAR;
    const uint32_t address = screen ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, filter);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, address);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, address);
}

// The states of drawing flat over the screen, shared by the GUI pass and the
// loading screen: fog off (its state saved first), no depth test, no
// culling, alpha blending, no multisampling, the whole back buffer, no mip
// filter, sampler 0 point-sampled and clamped. `endScreenDrawing` puts the
// fog, the depth test, the sampler and multisampling back. The depth test is
// kept apart from the cache's save slots, which the GUI's own save-and-restore
// brackets overwrite; left at "always" it would carry into the next frame.
simStateValue g_depthTestBeforeScreen = D3DCMP_LESSEQUAL;

void beginScreenDrawing(simRendererState& s) {
    s.saveState(simRenderState_fog);
    s.setState(simRenderState_fog, 0);
    g_depthTestBeforeScreen = s.getState(simRenderState_zFunction);
    s.setState(simRenderState_zFunction, D3DCMP_ALWAYS);
    s.setState(simRenderState_backfaceCullMode, 0);
    s.setState(simRenderState_alphaBlend, 1);
    s.setState(simRenderState_multisample, 0);
    s.setState(simRenderState_cameraViewport, 0);
    s.setState(simRenderState_mipmapFilter, D3DTEXF_NONE);
    setSampler0(true);
}

void endScreenDrawing(simRendererState& s) {
    s.restoreState(simRenderState_fog);
    s.setState(simRenderState_zFunction, g_depthTestBeforeScreen);
    setSampler0(false);
    // The cache learns what the device holds now: a clamp a tool left in it
    // would make it skip the next request for clamp while the device wraps.
    for (const uint32_t id : {simRenderState_addressU, simRenderState_addressV})
        s.setState(id, D3DTADDRESS_WRAP, true);
    s.setState(simRenderState_multisample, 1);
}

void beginGuiPass() {
    if (simRendererState* s = state()) {
        beginScreenDrawing(*s);
        s->setState(simRenderState_stage1Blend, 0);
    }
}

void endGuiPass() {
    if (simRendererState* s = state()) endScreenDrawing(*s);
}

// One frame of the loading screen in every back buffer, so that whichever
// buffer is shown next holds it.
void drawLoadingScreen(const std::vector<simGuiElement*>& elements) {
    simRenderer* r = renderer();
    simRendererState* s = state();
    if (!r || !s || !g_graphics->getScene()) return;
    for (uint32_t i = 0; i < r->getBackBufferCount() + 1; ++i) {
        r->beginScene(false, false, false);
        beginScreenDrawing(*s);
        for (simGuiElement* element : elements)
            if (element) element->render();
        endScreenDrawing(*s);
        r->endScene(true, nullptr);
    }
}

}  // namespace

void simLinkGraphicsSystem(simSystemLinks& links) {
    auto& g = links.graphics;
    g.factory.create = [] {
        const int32_t resolution[3] = {800, 600, 60};
        new simGraphics(40, d3dx::Vector2(0, 0), d3dx::Vector2(800, 600), resolution, false, false, false, 1, false,
                        0, 1);
    };
    g.factory.destroy = [] { delete g_graphics; };
    g.renderFrame = [] {
        if (g_graphics) g_graphics->renderFrameDefault();
    };
    g.present = [] {
        // A minimised window shows nothing: its frame drew nothing to show.
        const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
        if (window && window->getWindowState() == 0) return;
        if (simRenderer* r = renderer()) r->present(nullptr);
    };
    g.renderPostScene = [](uint32_t argument) {
        if (g_graphics) g_graphics->renderPostScene(argument);
    };
    g.renderEffects = [](uint32_t argument) {
        if (g_graphics) g_graphics->renderEffects(argument);
    };
    g.countLitItems = []() -> int { return g_graphics ? static_cast<int>(g_graphics->countLitItems()) : 0; };
    g.renderLit = [](uint32_t firstLight) {
        if (g_graphics) g_graphics->renderLit(firstLight);
    };
    g.collectShadowBounds = [](std::vector<simBoundingBox>& bounds) {
        if (g_graphics) g_graphics->collectShadowBounds(bounds);
    };
    g.beginGuiPass = beginGuiPass;
    g.endGuiPass = endGuiPass;
    g.drawLoadingScreen = drawLoadingScreen;
    g.needsRedraw = [] {
        const simRendererState* state = renderer() ? renderer()->getState() : nullptr;
        return state && !state->isValid();
    };
}
