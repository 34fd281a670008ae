#include "engine/core/simApplication.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "engine/core/scriptFunctions.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simApplicationSync.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simObject.h"
#include "engine/core/simProfiler.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/simSystemLinks.h"

std::recursive_mutex g_dynamicsSync;
std::recursive_mutex g_updateSync;
std::recursive_mutex g_redrawSync;

simSystemLinks& systemLinks() {
    static simSystemLinks links;
    return links;
}

// ---- Timer and event-callback records

simTimerRecord::simTimerRecord(Callback callbackFunction, float interval)
    : simSafeDeleteObject(false), callback(callbackFunction), intervalMs(interval) {
    stopwatch.start();
}

simTimerRecord::~simTimerRecord() {
    if (g_application) g_application->removeTimer(this);
}

simEventCallbackRecord::simEventCallbackRecord(Callback callbackFunction)
    : simSafeDeleteObject(false), callback(callbackFunction) {}

simEventCallbackRecord::~simEventCallbackRecord() {
    if (g_application) g_application->removeEventCallback(this);
}

// ---- Construction and destruction

simApplication::simApplication(simVersion version, std::string name, win::HINSTANCE instance,
                               bool allowMultipleInstances) {
    g_console = nullptr;
    m_version = version;
    g_application = this;
    m_title = name + " v" + m_version.text();

    const simSystemLinks& links = systemLinks();
    if (!allowMultipleInstances && links.window.activateOtherInstance &&
        links.window.activateOtherInstance(m_title)) {
        setStatus(false, "simApplication_multipleProgramInstance");
        return;
    }

    parseCommandLine();
    m_messageStopwatch.start();
    frameStopwatch.start();
    eventConsumed = false;
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    m_instance = instance;
    if (links.window.registerClass) links.window.registerClass(instance);

    if (!g_profiler) new simProfiler();
    if (!g_scriptManager) g_scriptManager = new simScriptManager();
    if (!g_resources && links.resources.factory.create) links.resources.factory.create();
    m_startupStopwatch.start();

    registerEngineScriptFunctions(*g_scriptManager);
}

simApplication::~simApplication() {
    destroySystems();
    // Timers and callbacks still registered belong to the engine.
    m_timers.forEach([](simTimerRecord* timer) { delete timer; });
    m_eventCallbacks.forEach([](simEventCallbackRecord* record) { delete record; });
    // What was let go and is still waiting (GUI elements released by their
    // manager, when no resource system purged them) is deleted now, while
    // the lists it leaves still exist.
    purgeSafeDeleteObjects(true);
    g_application = nullptr;
}

// ---- Registries

void simApplication::registerObject(simObject* object) {
    if (!object) return;
    m_allObjects.add(object);
    if (object->hasUpdateFlag()) m_updateList.add(object);
    if (object->hasRenderFlag()) m_renderList.add(object);
    if (object->hasEventsFlag()) m_eventsList.add(object);
    if (object->hasPhysicsFlag()) m_physicsList.add(object);
}

void simApplication::unregisterObject(simObject* object) {
    if (!object) return;
    m_allObjects.remove(object);
    if (object->hasUpdateFlag()) m_updateList.remove(object);
    if (object->hasRenderFlag()) m_renderList.remove(object);
    if (object->hasEventsFlag()) m_eventsList.remove(object);
    if (object->hasPhysicsFlag()) m_physicsList.remove(object);
}

void simApplication::registerScriptManager(simScriptManager* manager) {
    if (manager) m_scriptManagers.push_back(manager);
}

void simApplication::unregisterScriptManager(simScriptManager* manager) {
    m_scriptManagers.erase(std::remove(m_scriptManagers.begin(), m_scriptManagers.end(), manager),
                           m_scriptManagers.end());
}

simScriptManager* simApplication::findScriptManager(lua_State* state) const {
    for (simScriptManager* manager : m_scriptManagers) {
        if (manager->getState() == state) return manager;
    }
    return nullptr;
}

void simApplication::addToSafeDeleteList(simSafeDeleteObject* object) { m_safeDeleteList.add(object); }

void simApplication::removeFromSafeDeleteList(simSafeDeleteObject* object) {
    m_safeDeleteList.remove(object);
}

simTimerRecord* simApplication::addTimer(simTimerRecord::Callback callback, float intervalMs) {
    auto* timer = new simTimerRecord(callback, intervalMs);
    m_timers.add(timer);
    return timer;
}

void simApplication::removeTimer(simTimerRecord* timer) { m_timers.remove(timer); }

void simApplication::removeEventCallback(simEventCallbackRecord* record) {
    m_eventCallbacks.remove(record);
}

simEventCallbackRecord* simApplication::addEventCallback(simEventCallbackRecord::Callback callback) {
    auto* record = new simEventCallbackRecord(callback);
    m_eventCallbacks.add(record);
    return record;
}

// ---- Status, messages, run state

void simApplication::setStatus(bool success, std::string reason) {
    if (!success) simLog("failed: " + reason + "\n");
    m_statusSuccess = success;
    m_statusReason = std::move(reason);
}

void simApplication::addMessage(const simMessage& message) {
    if (message.text.empty()) return;
    m_messages.push_back(message);
    if (m_messages.size() > kMaxMessages) m_messages.pop_front();
    m_messageStopwatch.reset();
    m_messageStopwatch.start();
}

void simApplication::close() { stopRunning(); }

void simApplication::shutdown() { stopRunning(); }

void simApplication::stopRunning() {
    m_running = false;
    m_quitRequested = true;
}

namespace {

// Pause and freeze reach the dynamics system when there is one.
void forwardToDynamics(void (*operation)()) {
    if (g_dynamics && operation) operation();
}

}  // namespace

void simApplication::pause() {
    forwardToDynamics(systemLinks().dynamics.pause);
    m_paused = true;
}

void simApplication::unpause() {
    forwardToDynamics(systemLinks().dynamics.unpause);
    m_paused = false;
}

void simApplication::freeze() {
    forwardToDynamics(systemLinks().dynamics.freeze);
    m_frozen = true;
}

void simApplication::unfreeze() {
    forwardToDynamics(systemLinks().dynamics.unfreeze);
    m_frozen = false;
}
