#include "engine/graphics/simScene.h"

#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/utilsTimer.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simRenderableObject.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererLog.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simSceneEffectLinks.h"
#include "engine/graphics/simSceneItem.h"
#include "engine/graphics/simSceneNode.h"
#include "platform/gfx/d3dTypes.h"

namespace {

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }
simRendererState* rendererState() { return renderer() ? renderer()->getState() : nullptr; }

simScene::ParticlePass g_particlePass = nullptr;
simScene::ParticleSystemHooks g_particleSystem;

// The value each of the state ids 1..19 is put back to after the cameras:
// nothing bound, no blending, depth written and tested less-or-equal.
simStateValue defaultStateAfterScene(uint32_t id) {
    if (id == simRenderState_zWrite) return 1;
    if (id == simRenderState_zFunction) return gfx::D3DCMP_LESSEQUAL;
    return 0;
}

}  // namespace

void simScene::setParticlePass(ParticlePass pass) { g_particlePass = pass; }

void simScene::setParticleSystemHooks(ParticleSystemHooks hooks) { g_particleSystem = hooks; }

simGraphicsScene* simScene::create() { return new simScene(); }

simScene* simScene::current() { return g_graphics ? dynamic_cast<simScene*>(g_graphics->getScene()) : nullptr; }

simScene::simScene() {
    simRendererLog("Creating scene...");
    if (g_graphics) g_graphics->setScene(this);
    simSceneInstallEffectLinks(this);
    m_rootNodes.push_back(new simSceneNode(0, 0, nullptr));
    if (g_particleSystem.create) g_particleSystem.create(this);
    simRendererLog("done\n");
}

simScene::~simScene() {
    simRendererLog("Destroying scene...");
    if (g_particleSystem.destroy) g_particleSystem.destroy(this);
    // Roots first: deleting the tree frees the items, which leave the lists
    // below as they go.
    while (!m_rootNodes.empty()) {
        simSceneNode* root = m_rootNodes.front();
        m_rootNodes.pop_front();
        delete root;
    }
    simSceneRemoveEffectLinks(this);
    if (g_graphics && g_graphics->getScene() == this) g_graphics->setScene(nullptr);
    simRendererLog("done\n");
    // The members follow: the lights and cameras still listed, then the glow,
    // reflection and shadow handlers.
}

// ---- Device loss

void simScene::onDeviceRelease() {
    m_shadower.onDeviceRelease();
    m_reflector.onDeviceRelease();
    m_glow.onDeviceRelease();
}

void simScene::onDeviceRecreate() {
    m_shadower.onDeviceRecreate();
    m_reflector.onDeviceRecreate();
    m_glow.onDeviceRecreate();
}

// ---- The frame

void simScene::render(bool withPasses, bool withGlow) {
    if (m_cameras.size() == 0 || !g_graphics) return;
    for (simCamera* camera : m_cameras.getList()) camera->preRender();
    g_graphics->preSceneRender();
    if (withPasses && m_shadower.shadowMapWidth > 0.0f && m_shadower.shadowMapHeight > 0.0f)
        m_shadower.collectBounds();

    utils::Timer stopwatch;
    stopwatch.start();
    renderCameras(withPasses);
    simRenderer* r = renderer();
    if (r) r->getStats().sceneRenderMs = static_cast<float>(stopwatch.getElapsed());

    if (r) r->setCameraViewport(nullptr);
    g_graphics->postSceneRender();
    if (r) r->setTransform(1, &g_graphics->getIdentityMatrix());
    if (simRendererState* state = rendererState()) {
        for (uint32_t id = 1; id <= simRenderState_blendFactorAlpha; ++id)
            state->setState(id, defaultStateAfterScene(id));
    }
    if (withGlow) m_glow.render();
}

void simScene::renderCameras(bool withPasses) {
    // Hooks may move the index or change the current camera: both are read
    // again at every step.
    g_graphics->setCurrentCameraIndex(0);
    while (g_graphics->getCurrentCameraIndex() >= 0 &&
           static_cast<size_t>(g_graphics->getCurrentCameraIndex()) < m_cameras.size()) {
        simCamera* camera = getCamera(g_graphics->getCurrentCameraIndex());
        makeCurrent(camera);
        if (camera && camera->isActive()) {
            camera->apply();
            sortItems(camera);
            if (withPasses) m_shadower.renderShadowMap();
            m_reflector.render();
            g_graphics->preLitPass(g_graphics->getCurrentCamera());
            if (withPasses) m_shadower.renderStencilShadows();
            renderNodes(0);
            g_graphics->postLitPass(g_graphics->getCurrentCamera());
            g_graphics->preEffectsPass(g_graphics->getCurrentCamera());
            renderSorted(0);
            g_graphics->postEffectsPass(g_graphics->getCurrentCamera());
        }
        g_graphics->setCurrentCameraIndex(g_graphics->getCurrentCameraIndex() + 1);
    }
}

void simScene::renderNodes(uint32_t argument) {
    if (simRendererState* state = rendererState()) {
        state->setState(simRenderState_alphaBlend, 0);
        // Opaque geometry is tested and written less-or-equal, whatever an
        // earlier pass (the reflection's sorted items, a hook) left behind:
        // with writes off or the test "always", later faces would win.
        state->setState(simRenderState_zWrite, 1);
        state->setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
    }
    for (simSceneNode* root : m_rootNodes) root->render(nullptr);
    if (g_application) g_application->renderPostScene(argument);
}

void simScene::renderSorted(uint32_t argument) {
    if (g_particlePass) g_particlePass();
    simRendererState* state = rendererState();
    if (state) {
        state->setState(simRenderState_alphaBlend, 1);
        state->setState(simRenderState_zWrite, 0);
        // Farthest first, so that nearer transparent items blend over farther ones.
        for (auto it = m_sortedItems.rbegin(); it != m_sortedItems.rend(); ++it) {
            (*it)->applyStates(simSceneItem::kAllSavedStates);
            (*it)->render(nullptr, nullptr);
        }
    }
    if (g_application) g_application->renderEffects(argument);
}

void simScene::sortItems(const simCamera* camera) {
    m_sortedItems.clear();
    for (simSceneItem* item : m_sortedPassItems) item->updateCameraDistance(camera);
    for (simSceneItem* item : m_sortedPassItems) {
        if (!item->renderable || !item->renderable->canRender()) continue;
        auto farther = std::find_if(m_sortedItems.begin(), m_sortedItems.end(), [item](const simSceneItem* other) {
            return other->cameraDistance > item->cameraDistance;
        });
        m_sortedItems.insert(farther, item);
    }
}

// ---- Cameras

void simScene::makeCurrent(simCamera* camera) {
    if (g_graphics) g_graphics->setCurrentCamera(camera);
}

void simScene::addCamera(simCamera* camera) {
    if (m_cameras.add(camera)) makeCurrent(camera);
    if (g_graphics) g_graphics->onCamerasChanged();
}

void simScene::removeCamera(simCamera* camera) {
    m_cameras.remove(camera);
    // The graphics system must not keep a camera that is going away.
    if (g_graphics && g_graphics->getCurrentCamera() == camera) makeCurrent(m_cameras.getActive());
    if (g_graphics) g_graphics->onCamerasChanged();
}

// ---- Nodes and items

void simScene::removeItem(simSceneItem* item) {
    m_items.remove(item);
    m_sortedPassItems.remove(item);
    m_sortedItems.remove(item);
    std::list<simSceneItem*>& casters = m_shadower.getCasters();
    if (std::find(casters.begin(), casters.end(), item) != casters.end()) {
        casters.remove(item);
        m_shadower.fitToCamera();
    }
    m_glow.removeItem(item);
}

void simScene::replaceNodeState(uint32_t stateId, simStateValue oldValue, simStateValue newValue) {
    for (simSceneNode* root : m_rootNodes) root->replaceState(stateId, oldValue, newValue);
}

void simScene::applyStateOverride(const simSceneNode* node) {
    const uint32_t id = node->getStateId();
    simRendererState* state = rendererState();
    if (id == 0 || !state) return;
    for (const StateOverride& entry : m_stateOverrides) {
        if (entry.first == id) return state->setState(id, entry.second);
    }
    state->setState(id, node->getStateValue());
}
