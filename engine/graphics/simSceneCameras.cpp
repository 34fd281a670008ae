#include "engine/graphics/simSceneCameras.h"

#include "engine/graphics/simCamera.h"
#include "engine/graphics/simRendererLog.h"

simSceneCameras::~simSceneCameras() {
    simRendererLog("Destroying scene cameras...");
    // Each camera is taken off before it goes, so the walk never meets a
    // freed camera, and a camera listed twice is deleted once.
    m_active = nullptr;
    while (!m_list.empty()) {
        simCamera* camera = m_list.front();
        m_list.remove(camera);
        delete camera;
    }
    simRendererLog("done\n");
}

simCamera* simSceneCameras::get(int32_t index) const {
    if (index < 0) return nullptr;
    for (simCamera* camera : m_list)
        if (index-- == 0) return camera;
    return nullptr;
}

simCamera* simSceneCameras::find(const std::string& name) const {
    for (simCamera* camera : m_list)
        if (camera->getName() == name) return camera;
    return nullptr;
}

bool simSceneCameras::add(simCamera* camera) {
    m_list.push_back(camera);
    if (m_active) return false;
    m_active = camera;
    return true;
}

bool simSceneCameras::setActive(simCamera* camera) {
    for (simCamera* listed : m_list)
        if (listed == camera && camera) {
            m_active = camera;
            return true;
        }
    return false;
}

void simSceneCameras::remove(simCamera* camera) {
    m_list.remove(camera);
    if (m_active == camera) m_active = m_list.empty() ? nullptr : m_list.front();
}
