// simObject: the base of every engine object that takes part in the frame.
//
// Each object carries its own stopwatch and time step, and four flags fixed at
// construction that put it on the engine application's hook lists: update,
// events, render and physics. The application's broadcasts (the per-frame
// update, input events, the render passes, the physics hooks) reach an object
// through the list of each flag it has set. An object is on the list of all
// objects from its constructor to its destructor, whatever its flags.
//
// Objects are made and destroyed while the application exists; the
// application never deletes them (their owners do).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/utilsTimer.h"

struct simInputEvent;
class simBoundingBox;

class simObject {
public:
    // The longest time step an update reports, in milliseconds.
    static constexpr double kMaxTimeStepMs = 100.0;

    simObject(bool update, bool events, bool render, bool physics);
    virtual ~simObject();

    simObject(const simObject&) = delete;
    simObject& operator=(const simObject&) = delete;

    // ---- Per-frame hooks (update list)
    // The per-frame step: time step = (stopwatch ms - last reading) x the
    // application's simulation speed / 100, clamped to 0..100 ms. Subclasses
    // that override it call it first.
    virtual void update();
    virtual void preUpdate() {}
    virtual void postUpdate() {}
    virtual void fixedUpdate() {}

    // The class name; every subclass returns its own.
    virtual std::string getClassName();

    // ---- Input (events list, newest registration first)
    virtual void onEvent(simInputEvent* event);

    // ---- Physics hooks (physics list)
    virtual void preDynamics() {}
    virtual void dynamicsStep(float step);

    // ---- Render hooks (render list)
    virtual void preRender() {}
    virtual void renderPostScene(uint32_t argument);
    virtual void renderEffects(uint32_t argument);
    virtual void renderShadowCasters() {}
    virtual int countLitItems() { return 0; }
    virtual void renderLit(uint32_t firstLight);
    virtual void collectShadowBounds(std::vector<simBoundingBox>& bounds);

    // ---- Redraw: whether the object changes what the view shows by itself
    // over time (a particle in flight, a fade), so that every frame must be
    // drawn while it says so. Asked of update-flagged objects once a frame;
    // a one-off change asks for the next frame with simRequestRedraw instead.
    virtual bool isAnimating() { return false; }

    // ---- State
    double getTimeStep() const { return m_timeStep; }        // ms, set by update
    double getCreationTime() const { return m_creationTime; }  // ms of timeGetTime
    bool hasUpdateFlag() const { return m_updateFlag; }
    bool hasEventsFlag() const { return m_eventsFlag; }
    bool hasRenderFlag() const { return m_renderFlag; }
    bool hasPhysicsFlag() const { return m_physicsFlag; }

protected:
    // Restarts the object's clock as if it had just been made: stopwatch from
    // zero, time step and last reading 0 (GUI fades use it).
    void restartClock();

    utils::Timer m_stopwatch;  // runs for the object's whole life

private:
    double m_timeStep = 0.0;     // ms
    double m_lastElapsed = 0.0;  // stopwatch ms at the previous update
    double m_creationTime = 0.0;
    bool m_updateFlag;
    bool m_eventsFlag;
    bool m_renderFlag;
    bool m_physicsFlag;
};
