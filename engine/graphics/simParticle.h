// simParticle: one short-lived sprite that moves, ages and dies on its own.
//
// Made only by `createParticle` (simParticleSystem.h), from a particle type,
// a position and a velocity. Each frame's update ages it by a fixed step
// (1000 / the dynamics quality ms, times its speed factor), moves it by the
// elapsed time, and asks for its deferred deletion once its age passes a
// positive lifetime (a looping type starts again at age 0). Its size and
// colour follow the type's key frames at its age; the container that shares
// its texture, shader, glow and motion blur writes its six corners into the
// shared buffer (`interpolateFrames`) and draws them.
//
// The particle keeps a plain pointer to its type: a type stays loaded while
// any of its particles lives. The public settings below are for callers; the
// engine itself leaves them at their defaults.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simColour.h"
#include "engine/core/simObject.h"
#include "engine/core/simSafeDeleteObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simParticleContainer;
class simParticleType;
class simShaderEffect;
class simTexture;
struct simParticleVertex;

class simParticle : public simObject, public simSafeDeleteObject {
public:
    // Gravity's pull (units per ms per ms).
    static constexpr float kGravity = -0.0003f;

    // See the top and createParticle. Joins the effects header's live count
    // and the container of its first texture.
    simParticle(simParticleType* type, const d3dx::Vector3& position, const d3dx::Vector3& velocity);
    // Calls the destroy callback when set, leaves the live count and its
    // container.
    ~simParticle() override;

    std::string getClassName() override { return "simParticle"; }
    std::string getTypeName() override { return "simParticle"; }

    // The frame step (see the top). Nothing while the engine application is
    // paused or frozen, or the particle is paused.
    void update() override;
    // A particle moves and fades every frame while it lives.
    bool isAnimating() override { return true; }

    // Leaves its container and joins the effects header's container for
    // these values; without a header or a container it reports "simParticle::
    // alterContainer - no container found" and stays without one.
    void alterContainer(simTexture* texture, simShaderEffect* shader, uint8_t glow, uint8_t motionBlur,
                        uint8_t planar);

    // Writes this particle's six corners at slot `counter` of the locked
    // buffer and advances the counter; a type without key frames writes
    // nothing. `capacity` is the number of slots the buffer holds.
    void interpolateFrames(simParticleVertex* vertices, int32_t* counter, int32_t capacity);

    // ---- State
    simParticleType* getType() const { return m_type; }
    simParticleContainer* getContainer() const { return m_container; }
    float getAge() const { return m_age; }          // ms
    float getLifetime() const { return m_lifetime; }  // ms; 0 endless
    float getSize() const { return m_size; }
    uint32_t getColour() const { return m_colour; }  // ARGB of the last draw
    int32_t getRandomValue() const { return m_randomValue; }
    float getBirthTime() const { return m_birthTime; }  // ms of timeGetTime

    // ---- Public settings (see the top)
    simColour ownColour;          // (0, 0, 0, 0); with useOwnColour, drawn instead of the frames' colour
    uint8_t useOwnColour = 0;
    uint8_t motionFromSpin = 0;   // stretch along the spin vector instead of the velocity
    uint8_t applySizeFactor = 0;
    uint8_t groundClamp = 0;      // keep the sprite above groundHeight
    d3dx::Matrix world;           // the identity when the type has a geometry
    d3dx::Vector3 position, previousPosition, drawPosition;
    d3dx::Vector3 velocity;       // units per ms
    d3dx::Vector3 spin;
    d3dx::Vector3 acceleration;   // units per ms per ms
    const d3dx::Vector3* attachedPosition = nullptr;  // copied into the position every update
    float alphaFactor = 1.0f;     // scales the frames' alpha with useOwnColour
    float sizeFactor = 1.0f;
    float groundHeight = 0.0f;
    float speedFactor = 1.0f;
    uint8_t alive = 1;
    uint8_t paused = 0;
    void (*destroyCallback)(simParticle* particle) = nullptr;

private:
    friend class simParticleContainer;
    // The colour and size at the particle's age (false: no frames).
    bool frameValues(uint32_t* colour, float* size) const;
    static float dynamicsQuality();

    int32_t m_randomValue;
    simParticleType* m_type;
    simParticleContainer* m_container = nullptr;
    uint32_t m_colour = 0xFFFFFFFF;
    float m_size = 0.0f;
    float m_birthTime = 0.0f;
    float m_age = 0.0f;
    float m_lifetime = 0.0f;
};
