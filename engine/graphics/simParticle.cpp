#include "engine/graphics/simParticle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simParticleContainer.h"
#include "engine/graphics/simParticleSystem.h"
#include "engine/graphics/simParticleType.h"
#include "engine/graphics/simParticleVertex.h"
#include "engine/graphics/simRenderer.h"
#include "platform/sys/clock.h"

using d3dx::Vector3;

namespace {

constexpr float kDefaultDynamicsQuality = 180.0f;

uint32_t packARGB(int alpha, int red, int green, int blue) {
    return static_cast<uint32_t>(alpha & 0xFF) << 24 | static_cast<uint32_t>(red & 0xFF) << 16 |
           static_cast<uint32_t>(green & 0xFF) << 8 | static_cast<uint32_t>(blue & 0xFF);
}

}  // namespace

simParticle::simParticle(simParticleType* type, const Vector3& at, const Vector3& initialVelocity)
    : simObject(true, false, false, false),
      simSafeDeleteObject(false),
      world(d3dx::Matrix::identity()),
      position(at),
      velocity(initialVelocity),
      m_randomValue(std::rand()),
      m_type(type) {
    ownColour.set(0, 0, 0, 0);
    if (simEffectsHeader* header = simEffectsHeader::current()) header->particleMade();
    if (!type) return;

    // A random timing shortens each particle's life by up to R ms. Values of
    // 0 or less mean none: between -2 and -1 the offset's modulus would be 0.
    float offset = 0.0f;
    const float randomTiming = type->usableRandomTiming();
    if (randomTiming > 0.0f) {
        const int span = static_cast<int>(randomTiming + 1.0f);
        offset = static_cast<float>(std::rand() % span) - randomTiming;
    }
    if (!type->frames.empty() && type->frames.back().time > 0.0f) m_lifetime = type->frames.back().time + offset;
    if (type->geometry) world = d3dx::Matrix::identity();
    alterContainer(type->pickTexture(0), type->shader, type->glow, type->motionBlur, type->planar);
    m_birthTime = static_cast<float>(sys::timeGetTime());
    if (type->gravity) acceleration = Vector3(0, kGravity, 0);
}

simParticle::~simParticle() {
    if (destroyCallback) destroyCallback(this);
    if (simEffectsHeader* header = simEffectsHeader::current()) header->particleDestroyed();
    if (m_container) m_container->remove(this);
}

void simParticle::alterContainer(simTexture* texture, simShaderEffect* shader, uint8_t glow, uint8_t motionBlur,
                                 uint8_t planar) {
    if (m_container) m_container->remove(this);
    m_container = nullptr;
    simEffectsHeader* header = simEffectsHeader::current();
    simParticleContainer* container =
        header ? header->getContainer(texture, shader, glow, motionBlur, planar) : nullptr;
    if (!container) {
        utils::seriousError("simParticle::alterContainer - no container found");
        return;
    }
    m_container = container;
    container->add(this);
}

float simParticle::dynamicsQuality() {
    // A quality of 0 or less would make the age step endless.
    if (g_options && g_options->default_dynamicsQuality > 0)
        return static_cast<float>(g_options->default_dynamicsQuality);
    return kDefaultDynamicsQuality;
}

void simParticle::update() {
    simObject::update();
    if (g_application && (g_application->isPaused() || g_application->isFrozen())) return;
    if (paused) return;
    const float dt = static_cast<float>(getTimeStep());

    // The age moves by a fixed step per frame, not by the elapsed time.
    m_age += (1000.0f / dynamicsQuality()) * speedFactor;
    if (attachedPosition) position = *attachedPosition;
    if (m_lifetime > 0.0f && m_age > m_lifetime) {
        if (m_type && m_type->loop) {
            m_age = 0.0f;
        } else {
            safeDelete();
            return;
        }
    }

    if (m_type && m_type->textures.size() > 1) {
        // Textures in turn over the lifetime; an endless particle shows the last.
        const int count = static_cast<int>(m_type->textures.size());
        int index = count - 1;
        if (m_lifetime > 0.0f) {
            const float at = static_cast<float>(count) / m_lifetime * m_age;
            index = static_cast<int>(std::clamp(at, 0.0f, static_cast<float>(count - 1)));
        }
        simTexture* texture = m_type->pickTexture(index);
        if (m_container && m_container->texture != texture)
            alterContainer(texture, m_type->shader, m_type->glow, m_type->motionBlur, m_type->planar);
    }

    previousPosition = position;
    position += velocity * (speedFactor * dt);
    velocity += acceleration * (speedFactor * dt);
    if (acceleration == Vector3(0, 0, 0)) {
        const float drag = 1.0f - dt * 0.001f;
        velocity *= drag;
        spin *= drag;
    }
    if (m_container) m_container->box.growByPoint(position);
}

bool simParticle::frameValues(uint32_t* colour, float* size) const {
    if (!m_type || m_type->frames.empty()) return false;
    const std::vector<simParticleFrame>& frames = m_type->frames;
    if (frames.size() == 1) {
        const simParticleFrame& f = frames[0];
        *colour = packARGB(static_cast<int>(f.alpha), static_cast<int>(f.red), static_cast<int>(f.green),
                           static_cast<int>(f.blue));
        *size = f.size;
        return true;
    }
    for (size_t i = 0; i + 1 < frames.size(); ++i) {
        const simParticleFrame& a = frames[i];
        const simParticleFrame& b = frames[i + 1];
        if (!(a.time <= m_age && m_age < b.time)) continue;
        const float t = std::clamp((m_age - a.time) / (b.time - a.time), 0.01f, 0.99f);
        auto mix = [t](float x, float y) { return x * (1.0f - t) + y * t; };
        *size = mix(a.size, b.size);
        const int alpha = static_cast<int>(mix(a.alpha, b.alpha));
        if (useOwnColour) {
            simColour own = ownColour;
            own.alpha = static_cast<int32_t>(std::clamp(alphaFactor * static_cast<float>(alpha), 0.0f, 255.0f));
            *colour = own.toARGB();
        } else {
            *colour = packARGB(alpha, static_cast<int>(mix(a.red, b.red)), static_cast<int>(mix(a.green, b.green)),
                               static_cast<int>(mix(a.blue, b.blue)));
        }
        return true;
    }
    // Before the first frame or after the last: invisible, the size kept.
    *colour = 0;
    return true;
}

void simParticle::interpolateFrames(simParticleVertex* vertices, int32_t* counter, int32_t capacity) {
    uint32_t colour = m_colour;
    float size = m_size;
    if (!frameValues(&colour, &size)) return;
    if (*counter < 0 || *counter >= capacity) return;
    m_colour = colour;
    m_size = size;
    if (applySizeFactor) m_size *= sizeFactor;
    drawPosition = position;

    const float quality = dynamicsQuality();
    Vector3 corners[simParticleVertex::kCorners];
    Vector3 normal(0, 0, 0);
    const bool planarType = m_type && m_type->planar;
    const bool blurred = m_type && m_type->motionBlur;
    if (!planarType) {
        if (groundClamp && drawPosition.y - m_size * 0.5f < groundHeight) {
            m_size = 2.0f * std::fabs(drawPosition.y - groundHeight);
            if (velocity.y < 0.0f) velocity.y = 0.03f;
        }
        const float k = 60.0f / (quality / 100.0f);
        Vector3 motion = (motionFromSpin ? spin : velocity) * k;
        for (Vector3& corner : corners) corner = drawPosition - motion * 0.5f;
        if (blurred) {
            if (motion.x * motion.x + motion.y * motion.y + motion.z * motion.z < 0.000001f)
                motion = Vector3(0, 0.001f, 0);
            normal = motion;
        }
    } else if (!blurred) {
        // A flat square in the x-z plane, corners in the shared buffer's order.
        const float s = m_size;
        const Vector3& p = position;
        const Vector3 flat[simParticleVertex::kCorners] = {
            {p.x - s, p.y, p.z - s}, {p.x + s, p.y, p.z - s}, {p.x + s, p.y, p.z + s},
            {p.x - s, p.y, p.z - s}, {p.x + s, p.y, p.z + s}, {p.x - s, p.y, p.z + s},
        };
        std::copy(flat, flat + simParticleVertex::kCorners, corners);
    } else {
        const Vector3 motion = velocity * (2000.0f * (1.0f / (quality / 100.0f)));
        normal = motion;
        for (Vector3& corner : corners) corner = position - motion * 0.5f;
    }

    simParticleVertex* out = vertices + static_cast<ptrdiff_t>(*counter) * simParticleVertex::kCorners;
    for (int i = 0; i < simParticleVertex::kCorners; ++i) {
        out[i].position = corners[i];
        if (blurred) out[i].normal = normal;
        out[i].colour = m_colour;
        out[i].uv[2].x = m_size;
    }
    ++*counter;
    if (g_graphics && g_graphics->getRenderer())
        ++g_graphics->getRenderer()->getStats().counters[simRenderStats::particlesDrawn];
}
