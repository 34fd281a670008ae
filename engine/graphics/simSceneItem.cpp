#include "engine/graphics/simSceneItem.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderableObject.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simSceneNode.h"
#include "engine/graphics/simShaderEffect.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

simRendererState* rendererState() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    return renderer ? renderer->getState() : nullptr;
}

}  // namespace

simSceneItem::simSceneItem(std::string itemName, simRenderableObject* object, simSceneNode* holder,
                           simSceneNode* group)
    : name(std::move(itemName)), renderable(object), m_holder(holder), m_group(group) {
    if (m_holder) m_holder->m_items.push_back(this);
    if (m_group) m_group->m_items.push_back(this);
}

simSceneItem::~simSceneItem() { detach(); }

void simSceneItem::detach() {
    if (simSceneNode* holder = m_holder) {
        m_holder = nullptr;
        holder->m_items.remove(this);
    }
    if (simSceneNode* group = m_group) {
        m_group = nullptr;
        group->m_items.remove(this);
        group->deleteIfEmptyBranch();
    }
    if (simScene* scene = simScene::current()) scene->removeItem(this);
    statePairs.clear();
}

void simSceneItem::render(const d3dx::Matrix* m, simShaderEffect* effect) {
    if (!renderable || visibility < 1) return;
    if (box.testFrustum(nullptr) == simBoundingBox::kOutside) return;
    simRendererState* state = rendererState();
    if (!state) return;

    for (const auto& [id, value] : statePairs) {
        state->saveState(id);
        state->setState(id, value);
    }
    if (glows) {
        state->saveState(simRenderState_shaderEffect);
        state->setState(simRenderState_shaderEffect, 0);
    }
    if (!effect) {
        // The cache holds the effect as its state-object part.
        effect = const_cast<simShaderEffect*>(
            dynamic_cast<const simShaderEffect*>(state->getStateObject(simRenderState_shaderEffect)));
    }
    d3dx::Matrix placed = world;
    if (m) d3dx::MatrixMultiply(&placed, &world, m);

    renderable->render(&placed, &colour, effect);

    if (glows) state->restoreState(simRenderState_shaderEffect);
    for (const auto& pair : statePairs) state->restoreState(pair.first);
}

void simSceneItem::updateCameraDistance(const simCamera* camera) {
    if (!renderable || !renderable->canRender() || !camera) return;
    float nearest = kFarDistanceSq;
    for (const d3dx::Vector3& corner : box.corners) {
        const d3dx::Vector3 apart = corner - camera->getPosition();
        nearest = std::min(nearest, d3dx::Vec3LengthSq(&apart));
    }
    cameraDistance = nearest;
}

void simSceneItem::applyStates(uint32_t stateId) const {
    simRendererState* state = rendererState();
    if (!state) return;
    for (uint32_t id = 0; id < kSavedStateCount; ++id)
        if (stateId == kAllSavedStates || id == stateId) state->setState(id, savedStates[id]);
}
