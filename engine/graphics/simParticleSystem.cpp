#include "engine/graphics/simParticleSystem.h"

#include <new>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simMaterial.h"
#include "engine/graphics/simParticle.h"
#include "engine/graphics/simParticleContainer.h"
#include "engine/graphics/simParticleType.h"
#include "engine/graphics/simParticleVertex.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/gfx/d3dTypes.h"

namespace {

simEffectsHeader* g_effectsHeader = nullptr;

void log(const char* text) {
    if (g_console) g_console->print(text);
}

}  // namespace

simEffectsHeader::simEffectsHeader() {
    g_effectsHeader = this;
    if (g_resources) g_resources->setCollection("system");
    setCapacity(kDefaultCapacity);
    loadEffects();

    // The particle pass never applies the material; it is kept for effects
    // that read the current material.
    m_material = new simMaterial(nullptr);
    m_material->diffuse.set(255, 255, 255, 255);
    m_material->ambient.set(255, 0, 0, 0);
    m_material->specular.set(255, 255, 255, 255);

    m_containers.push_back(new simParticleContainer(nullptr, nullptr, 0, 0, 0));
    m_streamers.push_back(new simStreamerContainer(nullptr));
}

void simEffectsHeader::loadEffects() {
    // The containers take their effects by name from the loaded resources;
    // nothing else loads these three, and without them a camera-facing
    // particle collapses to its centre and draws nothing.
    struct EffectFile {
        const char* file;
        const char* technique;
    };
    static constexpr EffectFile kEffects[] = {
        {"standardParticle.fx", "tech_standardParticle"},
        {"motionParticle.fx", "tech_motionParticle"},
        {"planarMotionParticle.fx", "tech_planarMotionParticle"},
    };
    if (!g_resources) return;
    for (const EffectFile& effect : kEffects)
        g_resources->findResource(nullptr, "effects", effect.file, effect.technique, false, true, simRootKind_resources);
}

simEffectsHeader::~simEffectsHeader() {
    log("[~simEffectsHeader-");
    // Each container leaves the list as it goes.
    while (!m_containers.empty()) delete m_containers.front();
    for (simStreamerContainer* streamer : m_streamers) delete streamer;
    m_streamers.clear();
    delete m_vertexBuffer;
    m_vertexBuffer = nullptr;
    delete m_material;
    m_material = nullptr;
    log("~simEffectsHeader]");
    if (g_effectsHeader == this) g_effectsHeader = nullptr;
}

simEffectsHeader* simEffectsHeader::current() { return g_effectsHeader; }

simParticleContainer* simEffectsHeader::getContainer(simTexture* texture, simShaderEffect* shader, uint8_t glow,
                                                     uint8_t motionBlur, uint8_t planar) {
    if (!texture) return m_containers.empty() ? nullptr : m_containers.front();
    for (simParticleContainer* container : m_containers) {
        if (container->matches(texture, shader, glow, motionBlur, planar)) return container;
    }
    m_containers.push_back(new simParticleContainer(texture, shader, glow, motionBlur, planar));
    return m_containers.back();
}

void simEffectsHeader::setCapacity(int32_t n) {
    delete m_vertexBuffer;
    m_vertexBuffer = nullptr;
    m_capacity = n;
    if (n == 0 || !g_graphics || !g_graphics->getRenderer()) return;
    const int32_t vertexCount = (n + 1) * simParticleVertex::kCorners;
    m_vertexBuffer = new simVertexBuffer(vertexCount, sizeof(simParticleVertex), simVertex::kFormat, true, false);
    // The corner data are written once here; the particles rewrite only
    // positions, normals, colours and sizes.
    auto* vertices = static_cast<simParticleVertex*>(m_vertexBuffer->lock(simVertexBuffer::lockPlain, 0, -1));
    if (!vertices) return;
    for (int32_t i = 0; i < vertexCount; ++i)
        new (&vertices[i]) simParticleVertex(d3dx::Vector3(0, 0, 0), i % simParticleVertex::kCorners, 0xFFFFFFFF, 0.0f);
    m_vertexBuffer->unlock();
}

void simEffectsHeader::renderParticleTypes() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    simRendererState* state = renderer ? renderer->getState() : nullptr;
    if (!state) return;
    renderer->setTransform(1, nullptr);
    state->setState(simRenderState_alphaBlend, 1);
    state->setState(simRenderState_zWrite, 0);
    state->setState(simRenderState_zFunction, gfx::D3DCMP_LESSEQUAL);
    state->setState(simRenderState_mipmapFilter, 0);
    state->setState(simRenderState_lighting, 0);
    for (simParticleContainer* container : m_containers) container->render();
    state->setState(simRenderState_zWrite, 1);
    state->setState(simRenderState_mipmapFilter, 1);
    state->setState(simRenderState_shaderEffect, static_cast<const simRendererStateObject*>(nullptr));
}

simParticle* createParticle(simParticleType* type, const d3dx::Vector3& position, const d3dx::Vector3& velocity) {
    simEffectsHeader* header = simEffectsHeader::current();
    if (!g_graphics || !simScene::current() || !header) return nullptr;
    if (header->getLiveCount() > header->getCapacity()) return nullptr;
    if (!type) {
        utils::seriousError("createParticle - no type supplied");
        return nullptr;
    }
    return new simParticle(type, position, velocity);
}

void simLinkParticleSystem(simSystemLinks& links) {
    simScene::ParticleSystemHooks hooks;
    hooks.create = [](simScene*) { new simEffectsHeader(); };
    hooks.destroy = [](simScene*) { delete simEffectsHeader::current(); };
    simScene::setParticleSystemHooks(hooks);
    simScene::setParticlePass([] {
        if (simEffectsHeader* header = simEffectsHeader::current()) header->renderParticleTypes();
    });
    links.particles.createParticle = [](const std::string& typeName, const float p[3], const float v[3]) {
        auto* type = dynamic_cast<simParticleType*>(simResources::getResource(typeName, false));
        createParticle(type, d3dx::Vector3(p[0], p[1], p[2]), d3dx::Vector3(v[0], v[1], v[2]));
    };
}
