#include "engine/graphics/simSceneGlowHandler.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScenePassTargets.h"
#include "engine/graphics/simSceneItem.h"
#include "engine/graphics/simRenderableObject.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "platform/gfx/device.h"

using namespace simScenePass;

namespace {

simShaderEffect* effectNamed(const char* file) {
    return dynamic_cast<simShaderEffect*>(simResources::getResource(file, false));
}

// Loads an effect from "effects" with its technique base and gives it back
// (null when it is not there).
simShaderEffect* loadEffect(const char* technique, const char* file) {
    if (!g_resources) return nullptr;
    g_resources->findResource(nullptr, "effects", file, technique, false, true, 0);
    return effectNamed(file);
}

bool glowingItemsOn() {
    return g_options && g_options->default_glows;
}

}  // namespace

simSceneGlowHandler::simSceneGlowHandler()
    : simCollectionItem(nullptr, "", false, false), simDeviceDependantObject(true) {
    simRendererLog("Creating glow handler...");
    m_glowEffect = loadEffect("tech_glow", "glow.fx");
    m_blurXEffect = loadEffect("tech_glowBlur_x", "glowblur_x.fx");
    m_blurYEffect = loadEffect("tech_glowBlur_y", "glowblur_y.fx");
    loadEffect("tech_glowhighlighter", "glowhighlighter.fx");
    simRendererLog("done\n");
}

simSceneGlowHandler::~simSceneGlowHandler() {
    simRendererLog("Destroying glow handler...");
    releaseSurfaces();
    deleteMaps();
    simRendererLog("done\n");
}

void simSceneGlowHandler::releaseSurfaces() {
    releaseSurface(m_depthSurface);
    releaseSurface(m_surfaces[0]);
    releaseSurface(m_surfaces[1]);
}

void simSceneGlowHandler::deleteMaps() {
    for (simTexture*& map : m_maps) {
        delete map;
        map = nullptr;
    }
}

void simSceneGlowHandler::onDeviceRelease() {
    releaseSurfaces();
    deleteMaps();
}

void simSceneGlowHandler::onDeviceRecreate() {
    const uint32_t value = enabled;
    enabled = 0;
    create(value);
}

void simSceneGlowHandler::create(uint32_t value) {
    if (value == enabled) return;
    enabled = value;
    onDeviceRelease();
    if (enabled == 0) return;

    m_mapWidth = backBufferWidth() * kMapScale;
    m_mapHeight = backBufferHeight() * kMapScale;
    const auto width = static_cast<uint32_t>(m_mapWidth);
    const auto height = static_cast<uint32_t>(m_mapHeight);
    for (int i = 0; i < 2; ++i) {
        m_maps[i] = ownedTexture(new simTexture(this, "simSceneGlowHandler_glowMap_downSample", width, height,
                                                gfx::D3DFMT_X8R8G8B8, true, false, false));
        if (!simRendererStatusGood()) {
            simRendererLog("ERROR (simSceneGlowHandler): Glow downsample render texture not created. Glows disabled.\n");
            delete m_maps[i];
            m_maps[i] = nullptr;
            enabled = 0;
            return;
        }
        if (!topLevelSurface(m_maps[i], &m_surfaces[i])) {
            simRendererLog("ERROR (simSceneGlowHandler): Glow downsample render surface not attached. Glows disabled.\n");
            delete m_maps[i];
            m_maps[i] = nullptr;
            enabled = 0;
            return;
        }
    }
    if (!createDepthSurface(width, height, gfx::D3DFMT_D24S8, &m_depthSurface)) {
        simRendererLog("ERROR (simSceneGlowHandler): Glow depth surface not attached. Glows disabled.\n");
        enabled = 0;
    }
}

void simSceneGlowHandler::removeItem(simSceneItem* item) {
    (item->glows ? m_glowItems : m_plainItems).remove(item);
}

void simSceneGlowHandler::drawThrough(const char* effectName, simTexture* texture) {
    simShaderEffect* effect = effectNamed(effectName);
    simRenderer* r = renderer();
    if (!effect || !r) return;
    effect->begin();
    effect->beginPass(0);
    r->drawRect(d3dx::Vector2(0.0f, 0.0f), d3dx::Vector2(m_mapWidth, m_mapHeight), 0xFFFFFFFFu, texture);
    effect->endPass();
    effect->end();
}

void simSceneGlowHandler::render() {
    simRenderer* r = renderer();
    simRendererState* s = state();
    gfx::Device* d = device();
    if (!m_maps[0] || !m_maps[1] || !hasSurfaces() || !r || !s || !d) return;

    // Downsample the finished frame, then the bright parts into map 1.
    d->StretchRect(r->getBackBuffer(), nullptr, m_surfaces[0], nullptr, gfx::D3DTEXF_LINEAR);
    bindTargets(m_surfaces[1], {});
    clear(false, 0xFF000000u);
    drawThrough("brightPassShader.fx", m_maps[0]);

    if (glowingItemsOn() && !m_glowItems.empty()) {
        bindTargets(m_surfaces[1], m_depthSurface);
        s->setState(simRenderState_blendMode, 0);
        s->setState(simRenderState_alphaBlend, 1);
        r->setTransform(1, nullptr);
        s->setState(simRenderState_zWrite, 1);
        s->setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
        s->setState(simRenderState_backfaceCullMode, 0);
        for (simSceneItem* item : m_glowItems) {
            item->applyStates(simRenderState_material);
            item->applyStates(simRenderState_texture0);
            if (item->renderable) item->renderable->render(&item->world, &item->colour, m_glowEffect);
        }
        bindTargets(m_surfaces[1], {});
    }

    // The separable blur: horizontal into map 0, vertical back into map 1.
    bindTargets(m_surfaces[0], {});
    clear(false, 0x00000000u);
    drawThrough("glowblur_x.fx", m_maps[1]);
    bindTargets(m_surfaces[1], {});
    clear(false, 0x00000000u);
    drawThrough("glowblur_y.fx", m_maps[0]);

    // Screen blend onto the frame: black adds nothing.
    bindDefaultTargets();
    s->setState(simRenderState_blendMode, 1);
    r->drawRect(d3dx::Vector2(0.0f, 0.0f), d3dx::Vector2(backBufferWidth(), backBufferHeight()), 0xFFFFFFFFu,
                m_maps[1]);
    s->setState(simRenderState_blendMode, 0);
}
