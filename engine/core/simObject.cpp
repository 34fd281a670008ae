#include "engine/core/simObject.h"

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "platform/sys/clock.h"

simObject::simObject(bool update, bool events, bool render, bool physics)
    : m_updateFlag(update), m_eventsFlag(events), m_renderFlag(render), m_physicsFlag(physics) {
    m_stopwatch.start();
    m_creationTime = static_cast<double>(sys::timeGetTime());
    if (g_application) g_application->registerObject(this);
}

simObject::~simObject() {
    if (g_application) g_application->unregisterObject(this);
}

void simObject::update() {
    const double speed = g_application ? g_application->getSimulationSpeed() : 100.0;
    const double elapsed = m_stopwatch.getElapsed();
    m_timeStep = (elapsed - m_lastElapsed) * (speed / 100.0);
    // A fresh reading, taken after the step, as the next step's origin.
    m_lastElapsed = m_stopwatch.getElapsed();
    if (m_timeStep < 0.0) m_timeStep = 0.0;
    if (m_timeStep > kMaxTimeStepMs) m_timeStep = kMaxTimeStepMs;
}

std::string simObject::getClassName() { return "simObject"; }

void simObject::onEvent(simInputEvent*) {}
void simObject::dynamicsStep(float) {}
void simObject::renderPostScene(uint32_t) {}
void simObject::renderEffects(uint32_t) {}
void simObject::renderLit(uint32_t) {}
void simObject::collectShadowBounds(std::vector<simBoundingBox>&) {}

void simObject::restartClock() {
    m_stopwatch.reset();
    m_stopwatch.start();
    m_timeStep = 0.0;
    m_lastElapsed = 0.0;
}
