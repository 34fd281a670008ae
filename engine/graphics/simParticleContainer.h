// simParticleContainer: the particles that share one draw call.
//
// Particles of equal texture, shader, glow and motion blur share a container
// (the planar flag is part of the match as well: a planar particle is drawn
// as a flat square, so it cannot share a draw with camera-facing ones). The
// container owns its particles: its destructor deletes every particle still
// in it. Its box grows to hold every position its particles reach and is
// never shrunk.
//
// simStreamerContainer: kept by the effects header beside the particle
// containers; nothing adds to it or draws it yet.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "engine/core/simBoundingBox.h"

class simParticle;
class simShaderEffect;
class simTexture;
class simSafeDeleteObject;

class simParticleContainer {
public:
    // The name is the texture's resource name, or "no_texture".
    simParticleContainer(simTexture* texture, simShaderEffect* shader, uint8_t glow, uint8_t motionBlur,
                         uint8_t planar);
    // Deletes every particle still in it and leaves the effects header's list.
    virtual ~simParticleContainer();

    simParticleContainer(const simParticleContainer&) = delete;
    simParticleContainer& operator=(const simParticleContainer&) = delete;

    bool matches(const simTexture* texture, const simShaderEffect* shader, uint8_t glow, uint8_t motionBlur,
                 uint8_t planar) const;

    // Writes the particles into the header's shared buffer and draws them in
    // one call with the container's effect (see simParticleSystem.h).
    // Nothing without particles, without a texture, or when the texture is
    // no longer loaded.
    void render();

    // ---- Membership, kept by the particles.
    void add(simParticle* particle) { m_particles.push_back(particle); }
    void remove(simParticle* particle) { m_particles.remove(particle); }
    const std::list<simParticle*>& getParticles() const { return m_particles; }

    // The effect for the flags when the container has no shader of its own:
    // "planarMotionParticle.fx", "motionParticle.fx", "standardParticle.fx",
    // or none for planar particles without motion blur.
    static const char* effectName(uint8_t planar, uint8_t motionBlur);

    simTexture* texture;
    simShaderEffect* shader;
    std::string name;
    uint8_t glow, motionBlur, planar;
    simBoundingBox box;

private:
    std::list<simParticle*> m_particles;
};

class simStreamerContainer {
public:
    // The name is the texture's resource name, or "NULL_TEXTURE".
    explicit simStreamerContainer(simTexture* texture);
    // Deletes every object it holds.
    virtual ~simStreamerContainer();

    simStreamerContainer(const simStreamerContainer&) = delete;
    simStreamerContainer& operator=(const simStreamerContainer&) = delete;

    simTexture* texture;
    std::string name;
    std::list<simSafeDeleteObject*> objects;  // owned
    simBoundingBox box;
};
