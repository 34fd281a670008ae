// The particle system: its root `simEffectsHeader`, particle creation and
// the particle pass.
//
// The header lives as long as the scene (the scene's particle-system hooks
// make and delete it) and is reached through `simEffectsHeader::current()`.
// It owns the particle containers (the first is the default container
// without a texture, which is never drawn), the streamer containers, the
// particle material and one shared vertex buffer of (capacity + 1) x 6
// particle vertices whose corner data are written once; every container
// rewrites only positions, normals, colours and sizes and draws from its
// start.
//
// Particles are made only by scripts (`createParticle` through the engine
// application's particle link); at most capacity + 1 live at once.
//
// The particle pass (run first in the scene's sorted pass): world transform
// the identity, alpha blending on, depth writes off, depth test
// less-or-equal, no mip filter, no lighting; every container in list order
// draws itself; then depth writes and the mip filter back on and no effect.
// Each container: texture on stage 0, additive blending (ONE / INVSRCCOLOR)
// with glow else SRCALPHA / INVSRCALPHA, clamped addressing, no culling,
// flat shading, its effect's pass 0, one triangle-list draw; then wrapped
// addressing and Gouraud shading again.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "platform/d3dx/d3dxMathTypes.h"

class simMaterial;
class simParticle;
class simParticleContainer;
class simParticleType;
class simScene;
class simShaderEffect;
class simStreamerContainer;
class simTexture;
class simVertexBuffer;
struct simSystemLinks;

class simEffectsHeader {
public:
    static constexpr int32_t kDefaultCapacity = 1000;

    // Makes "system" the resources' current collection, the shared buffer
    // for 1000 particles, the particle material and the default particle and
    // streamer containers; becomes the current header. Needs the renderer
    // for its buffer (without one the buffer is missing and nothing draws).
    simEffectsHeader();
    // Logs "[~simEffectsHeader-" and "~simEffectsHeader]" around deleting
    // every container (and so every particle), the buffer and the material.
    virtual ~simEffectsHeader();

    simEffectsHeader(const simEffectsHeader&) = delete;
    simEffectsHeader& operator=(const simEffectsHeader&) = delete;

    // The header of the scene, or null.
    static simEffectsHeader* current();

    // With no texture, the default container; otherwise the first container
    // whose texture, shader, glow, motion blur and planar flag equal the
    // arguments, else a new one appended for them.
    simParticleContainer* getContainer(simTexture* texture, simShaderEffect* shader, uint8_t glow,
                                       uint8_t motionBlur, uint8_t planar);
    // Replaces the shared buffer with one for n particles (none for 0).
    void setCapacity(int32_t n);
    // The particle pass (see the top).
    void renderParticleTypes();

    int32_t getCapacity() const { return m_capacity; }
    int32_t getLiveCount() const { return m_liveCount; }
    simVertexBuffer* getVertexBuffer() const { return m_vertexBuffer; }
    simMaterial* getMaterial() const { return m_material; }
    const std::list<simParticleContainer*>& getContainers() const { return m_containers; }
    const std::list<simStreamerContainer*>& getStreamerContainers() const { return m_streamers; }

    // ---- Kept by the particles and the containers themselves.
    void particleMade() { ++m_liveCount; }
    void particleDestroyed() { --m_liveCount; }
    void forgetContainer(simParticleContainer* container) { m_containers.remove(container); }

private:
    // Loads the three particle effects into the resources.
    static void loadEffects();

    int32_t m_liveCount = 0;
    std::list<simParticleContainer*> m_containers;
    simVertexBuffer* m_vertexBuffer = nullptr;
    int32_t m_capacity = 0;
    simMaterial* m_material = nullptr;
    std::list<simStreamerContainer*> m_streamers;
};

// Makes a particle of the type at the position with the velocity (units per
// ms). Null when there is no graphics system, scene or header, or when more
// than the capacity live already; with no type it reports "createParticle -
// no type supplied" and gives null.
simParticle* createParticle(simParticleType* type, const d3dx::Vector3& position, const d3dx::Vector3& velocity);

// Joins the particle system to the engine: the "prt" loader's registration,
// the scene's particle hooks and pass, and the application's particle link
// (the script function createParticle finds the type by name among the
// loaded resources). The program calls it once at start-up before it makes
// the engine application; tests do the same.
void simLinkParticleSystem(simSystemLinks& links);
