#include "engine/core/simSafeDeleteObject.h"

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"

simSafeDeleteObject::simSafeDeleteObject(bool delayed) : m_delayed(delayed) {}

simSafeDeleteObject::~simSafeDeleteObject() {
    if (m_marked && g_application) g_application->removeFromSafeDeleteList(this);
}

std::string simSafeDeleteObject::getTypeName() { return "simSafeDeleteObject"; }

void simSafeDeleteObject::safeDelete() {
    if (!g_application || m_marked) return;
    m_marked = true;
    if (m_delayed) {
        m_stopwatch.reset();
        m_stopwatch.start();
    }
    g_application->addToSafeDeleteList(this);
}

void simSafeDeleteObject::cancelSafeDelete() {
    if (!g_application || !m_marked) return;
    m_marked = false;
    g_application->removeFromSafeDeleteList(this);
}

bool simSafeDeleteObject::isDueForDeletion() const {
    if (!m_marked) return false;
    return !m_delayed || m_stopwatch.getElapsed() > kDelayMs;
}
