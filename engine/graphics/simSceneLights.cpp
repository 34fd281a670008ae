#include "engine/graphics/simSceneLights.h"

#include "engine/graphics/simLight.h"
#include "engine/graphics/simRendererLog.h"

simSceneLights::~simSceneLights() {
    simRendererLog("[~simSceneLights");
    // A light's destructor leaves this list; take each one off first so that
    // the walk never meets a freed light.
    while (!m_list.empty()) {
        simLight* light = m_list.front();
        m_list.remove(light);
        delete light;
    }
    simRendererLog("~simSceneLights]");
}

simLight* simSceneLights::getLight(int32_t index) const {
    if (index < 0) return nullptr;
    for (simLight* light : m_list)
        if (index-- == 0) return light;
    return nullptr;
}

void simSceneLights::addLight(simLight* light) { m_list.push_back(light); }

void simSceneLights::removeLight(simLight* light) { m_list.remove(light); }
