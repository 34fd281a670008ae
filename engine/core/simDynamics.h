// simDynamics: the engine's physics system.
//
// It owns one ODE world with gravity (0, -980, 0) (centimetres per second
// squared), its collision space and contact joint group, the pause and freeze
// flags, a simulation speed, the list of engine objects registered with it
// (cameras) and a Lua host of its own with the script functions a flight
// model needs. One object exists, reached through g_dynamics. In this program
// the world is made, configured and destroyed but never stepped.
//
// The flags, the speed and the object list are guarded by the engine's
// dynamics lock (g_dynamicsSync), the same lock that guards the deferred
// deletions, so that a step on another thread would never see an object
// half deleted. Each setter takes the lock only when it changes something.
#pragma once

#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

struct dxWorld;
struct dxSpace;
struct dxJointGroup;
class simObject;
class simScriptManager;
struct simSystemLinks;

class simDynamics {
public:
    // Initialises ODE, makes and configures the world, space and joint group,
    // and makes the dynamics host with its script functions. Sets g_dynamics.
    explicit simDynamics(float dynamicsQuality);
    // Destroys the joint group, space and world, closes ODE, deletes the
    // dynamics host and clears g_dynamics.
    virtual ~simDynamics();

    simDynamics(const simDynamics&) = delete;
    simDynamics& operator=(const simDynamics&) = delete;

    // ---- Run state (forwarded by the engine application)
    void pause() { setFlag(m_paused, true); }
    void unpause() { setFlag(m_paused, false); }
    void freeze() { setFlag(m_frozen, true); }
    void unfreeze() { setFlag(m_frozen, false); }
    bool isPaused() const { return m_paused; }
    bool isFrozen() const { return m_frozen; }
    // Per cent; the engine's initialisation passes the options' value.
    void setSimulationSpeed(double speed);
    double getSimulationSpeed() const { return m_simulationSpeed; }
    double getDynamicsQuality() const { return m_dynamicsQuality; }

    // Passes a new gravity vector to the world; an equal vector changes nothing.
    void setGravity(const d3dx::Vector3& gravity);
    const d3dx::Vector3& getGravity() const { return m_gravity; }
    // How many times a gravity vector went to the world, construction included.
    int getGravityChangeCount() const { return m_gravityChanges; }

    // ---- Registered objects: null pointers are ignored; removal takes every
    // entry of the object.
    void addObject(simObject* object);
    void removeObject(simObject* object);
    const std::vector<simObject*>& getObjects() const { return m_objects; }

    dxWorld* getWorld() const { return m_world; }
    dxSpace* getSpace() const { return m_space; }
    dxJointGroup* getContactGroup() const { return m_contactGroup; }
    simScriptManager* getScriptManager() const { return m_scriptManager; }

private:
    void setFlag(bool& flag, bool value);

    dxWorld* m_world = nullptr;
    dxSpace* m_space = nullptr;
    dxJointGroup* m_contactGroup = nullptr;
    simScriptManager* m_scriptManager = nullptr;  // owned
    double m_dynamicsQuality = 0.0;
    double m_simulationSpeed = 1.0;
    bool m_paused = false;
    bool m_frozen = false;
    d3dx::Vector3 m_gravity;
    int m_gravityChanges = 0;
    std::vector<simObject*> m_objects;
};

// Joins the dynamics world to the engine application: creation with the
// options' quality, the run-state calls and the gravity of the script
// function `dynamics_setGravity`. Called once at start-up, like the other links.
void simLinkDynamicsSystem(simSystemLinks& links);
