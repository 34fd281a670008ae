#include "engine/core/simDynamics.h"

#include <ode/ode.h>

#include <algorithm>
#include <mutex>

#include "engine/core/simApplicationSync.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/scriptFunctions.h"

namespace {

void log(const char* text) {
    if (g_console) g_console->print(text);
}

}  // namespace

simDynamics::simDynamics(float dynamicsQuality) {
    log("Initialising dynamics system...");
    g_dynamics = this;
    dInitODE2(0);
    m_world = dWorldCreate();
    m_space = dSimpleSpaceCreate(nullptr);
    m_contactGroup = dJointGroupCreate(0);
    m_dynamicsQuality = dynamicsQuality;
    dWorldSetERP(m_world, 0.15);
    dWorldSetCFM(m_world, 1e-7);
    dWorldSetContactSurfaceLayer(m_world, 1.0);
    m_gravity = d3dx::Vector3(0.0f, -980.0f, 0.0f);
    dWorldSetGravity(m_world, m_gravity.x, m_gravity.y, m_gravity.z);
    m_gravityChanges = 1;
    m_scriptManager = new simScriptManager();
    registerDynamicsScriptFunctions(*m_scriptManager);
    m_simulationSpeed = 1.0;
    m_paused = false;
    m_frozen = false;
    log("done\n");
}

simDynamics::~simDynamics() {
    log("Destroying dynamics system...");
    dJointGroupDestroy(m_contactGroup);
    dSpaceDestroy(m_space);
    dWorldDestroy(m_world);
    dCloseODE();
    delete m_scriptManager;
    g_dynamics = nullptr;
    log("done\n");
}

void simLinkDynamicsSystem(simSystemLinks& links) {
    links.dynamics.create = [](float quality) { new simDynamics(quality); };
    links.dynamics.destroy = [] { delete g_dynamics; };
    links.dynamics.pause = [] { g_dynamics->pause(); };
    links.dynamics.unpause = [] { g_dynamics->unpause(); };
    links.dynamics.freeze = [] { g_dynamics->freeze(); };
    links.dynamics.unfreeze = [] { g_dynamics->unfreeze(); };
    links.dynamics.setSimulationSpeed = [](double speed) { g_dynamics->setSimulationSpeed(speed); };
    links.dynamics.setGravity = [](float x, float y, float z) {
        g_dynamics->setGravity(d3dx::Vector3(x, y, z));
    };
}

void simDynamics::setFlag(bool& flag, bool value) {
    if (flag == value) return;
    std::lock_guard<std::recursive_mutex> lock(g_dynamicsSync);
    flag = value;
}

void simDynamics::setSimulationSpeed(double speed) {
    if (speed == m_simulationSpeed) return;
    std::lock_guard<std::recursive_mutex> lock(g_dynamicsSync);
    m_simulationSpeed = speed;
}

void simDynamics::setGravity(const d3dx::Vector3& gravity) {
    if (gravity == m_gravity) return;
    m_gravity = gravity;
    dWorldSetGravity(m_world, gravity.x, gravity.y, gravity.z);
    ++m_gravityChanges;
}

void simDynamics::addObject(simObject* object) {
    std::lock_guard<std::recursive_mutex> lock(g_dynamicsSync);
    if (object) m_objects.push_back(object);
}

void simDynamics::removeObject(simObject* object) {
    std::lock_guard<std::recursive_mutex> lock(g_dynamicsSync);
    if (object) m_objects.erase(std::remove(m_objects.begin(), m_objects.end(), object), m_objects.end());
}
