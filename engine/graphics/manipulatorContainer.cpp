#include "engine/graphics/manipulatorContainer.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/core/simManipulatorContainerStack.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simCamera.h"
#include "platform/gfx/d3dTypes.h"

manipulatorContainer::manipulatorContainer() { pushCurrentManipulatorContainer(this); }

manipulatorContainer::~manipulatorContainer() {
    for (manipulator* member : m_manipulators) member->m_container = nullptr;
    m_manipulators.clear();
    active = nullptr;
    selected = nullptr;
    // Only this container leaves the stack: a newer current one stays current.
    removeCurrentManipulatorContainer(this);
}

manipulatorContainer* manipulatorContainer::current() { return g_manipulatorContainer; }

void manipulatorContainer::add(manipulator* member) {
    if (member) m_manipulators.push_back(member);
}

void manipulatorContainer::remove(manipulator* member) {
    m_manipulators.remove(member);
    if (active == member) active = nullptr;
    if (selected == member) selected = nullptr;
}

void manipulatorContainer::drawAll() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    simRendererState* state = renderer ? renderer->getState() : nullptr;
    if (!state) return;
    state->setState(simRenderState_zWrite, 0);
    state->setState(simRenderState_zFunction, gfx::D3DCMP_ALWAYS);
    state->setState(simRenderState_backfaceCullMode, 0);
    renderer->setTransform(1, nullptr);
    // The handles are picked through the scene's main camera; without one
    // the current camera stays as it is.
    if (simScene* scene = simScene::current()) {
        if (simCamera* main = scene->getActiveCamera()) g_graphics->setCurrentCamera(main);
    }

    simPrimitiveBatch batch;
    for (manipulator* member : m_manipulators) {
        if (member) member->draw(&batch);
    }
    renderer->drawBatch(batch, nullptr);

    state->setState(simRenderState_zWrite, 1);
    state->setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
}

void simLinkManipulatorContainers(simSystemLinks& links) {
    links.manipulatorContainers.create = [] { return new manipulatorContainer(); };
    links.manipulatorContainers.destroy = [](manipulatorContainer* container) { delete container; };
}
