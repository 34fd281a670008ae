#include "engine/graphics/simParticleContainer.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simSafeDeleteObject.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simParticle.h"
#include "engine/graphics/simParticleSystem.h"
#include "engine/graphics/simParticleVertex.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/gfx/d3dTypes.h"

namespace {

constexpr simStateValue kAddressWrap = 1;
constexpr simStateValue kAddressClamp = 3;
constexpr simStateValue kBlendAlpha = 0;
constexpr simStateValue kBlendAdditive = 1;

}  // namespace

simParticleContainer::simParticleContainer(simTexture* containerTexture, simShaderEffect* containerShader,
                                           uint8_t glowFlag, uint8_t motionBlurFlag, uint8_t planarFlag)
    : texture(containerTexture),
      shader(containerShader),
      name(containerTexture ? containerTexture->getName() : "no_texture"),
      glow(glowFlag),
      motionBlur(motionBlurFlag),
      planar(planarFlag) {}

simParticleContainer::~simParticleContainer() {
    while (!m_particles.empty()) {
        simParticle* particle = m_particles.front();
        m_particles.pop_front();
        particle->m_container = nullptr;
        delete particle;
    }
    if (simEffectsHeader* header = simEffectsHeader::current()) header->forgetContainer(this);
}

bool simParticleContainer::matches(const simTexture* t, const simShaderEffect* s, uint8_t g, uint8_t m,
                                   uint8_t p) const {
    return texture == t && shader == s && glow == g && motionBlur == m && planar == p;
}

const char* simParticleContainer::effectName(uint8_t planarFlag, uint8_t motionBlurFlag) {
    if (planarFlag && motionBlurFlag) return "planarMotionParticle.fx";
    if (motionBlurFlag) return "motionParticle.fx";
    if (!planarFlag) return "standardParticle.fx";
    return nullptr;
}

void simParticleContainer::render() {
    if (m_particles.empty() || !texture) return;
    // The texture may have been let go since the particles were made.
    if (!simResources::getResource(name, false)) return;
    simEffectsHeader* header = simEffectsHeader::current();
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    simVertexBuffer* buffer = header ? header->getVertexBuffer() : nullptr;
    if (!renderer || !renderer->getState() || !buffer) return;
    simRendererState* state = renderer->getState();

    const int32_t slots = buffer->getVertexCount() / simParticleVertex::kCorners;
    const int32_t wanted = std::min<int32_t>(static_cast<int32_t>(m_particles.size()), slots);
    auto* vertices = static_cast<simParticleVertex*>(
        buffer->lock(simVertexBuffer::lockDiscard, 0, wanted * simParticleVertex::kCorners));
    int32_t written = 0;
    if (vertices) {
        for (simParticle* particle : m_particles) particle->interpolateFrames(vertices, &written, wanted);
        buffer->unlock();
    }

    simShaderEffect* effect = shader;
    if (!effect) {
        const char* fallback = effectName(planar, motionBlur);
        effect = fallback ? dynamic_cast<simShaderEffect*>(simResources::getResource(fallback, false)) : nullptr;
    }
    if (written > 0) {
        state->setState(simRenderState_texture0, texture);
        state->setState(simRenderState_blendMode, glow ? kBlendAdditive : kBlendAlpha);
        state->setState(simRenderState_addressU, kAddressClamp);
        state->setState(simRenderState_addressV, kAddressClamp);
        state->setState(simRenderState_backfaceCullMode, 0);
        state->setState(simRenderState_shaderEffect, effect);
        state->setState(simRenderState_shadeMode, gfx::D3DSHADE_FLAT);
        if (effect) {
            effect->begin();
            effect->beginPass(0);
        }
        buffer->render(gfx::D3DPT_TRIANGLELIST, true, written * 2, 0);
        if (effect) {
            effect->endPass();
            effect->end();
        }
    }
    state->setState(simRenderState_addressU, kAddressWrap);
    state->setState(simRenderState_addressV, kAddressWrap);
    state->setState(simRenderState_shadeMode, gfx::D3DSHADE_GOURAUD);
}

simStreamerContainer::simStreamerContainer(simTexture* streamerTexture)
    : texture(streamerTexture), name(streamerTexture ? streamerTexture->getName() : "NULL_TEXTURE") {}

simStreamerContainer::~simStreamerContainer() {
    for (simSafeDeleteObject* object : objects) delete object;
}
