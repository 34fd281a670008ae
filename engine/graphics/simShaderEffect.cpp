#include "engine/graphics/simShaderEffect.h"

#include <algorithm>
#include <cstdio>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/resultCodeNames.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererCaps.h"
#include "engine/graphics/simShaderEffectBinding.h"

namespace {

// The framework's begin flag that leaves sampler states unsaved.
constexpr uint32_t kDoNotSaveSamplerState = 4;

struct ShaderVersion {
    uint32_t major, minor;
};
// Searched from the last (highest) entry down.
constexpr ShaderVersion kVertexShaderVersions[] = {{1, 1}, {2, 0}, {3, 0}};
constexpr ShaderVersion kPixelShaderVersions[] = {{0, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 0}, {3, 0}};

bool notAbove(const ShaderVersion& v, uint32_t major, uint32_t minor) {
    return v.major < major || (v.major == major && v.minor <= minor);
}

std::list<simShaderEffect*> g_effects;

}  // namespace

std::string simShaderEffect::chooseTechnique(const simShaderEffectCompiled& effect, const std::string& base,
                                             uint32_t vsMajor, uint32_t vsMinor, uint32_t psMajor, uint32_t psMinor) {
    for (auto vs = std::rbegin(kVertexShaderVersions); vs != std::rend(kVertexShaderVersions); ++vs) {
        if (!notAbove(*vs, vsMajor, vsMinor)) continue;
        for (auto ps = std::rbegin(kPixelShaderVersions); ps != std::rend(kPixelShaderVersions); ++ps) {
            if (!notAbove(*ps, psMajor, psMinor)) continue;
            char suffix[64];
            std::snprintf(suffix, sizeof suffix, "_%u%u_%u%u", vs->major, vs->minor, ps->major, ps->minor);
            const std::string name = base + suffix;
            if (effect.getTechniqueByName(name)) return name;
        }
    }
    return {};
}

simShaderEffect::simShaderEffect(simCollectionItem* collection, std::string path, std::string optionWords)
    : simResource(collection, std::move(path), std::move(optionWords)) {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    gfx::HRESULT result = gfx::D3DERR_INVALIDCALL;
    std::string message = "no renderer";
    if (renderer && renderer->getDevice())
        m_effect = simShaderEffectCompiled::createFromFile(renderer->getDevice(), getFilePath(), &result, &message);
    if (!m_effect) {
        utils::seriousError("simShaderEffect - creation failed: " + getName() + " = " + getResultCodeName(result) +
                            "\n" + message);
        return;
    }
    const simRendererCaps* caps = renderer->getCaps();
    const std::string base = getOptionWords();
    const std::string name =
        caps ? chooseTechnique(*m_effect, base, caps->vertexShaderMajor, caps->vertexShaderMinor,
                               caps->pixelShaderMajor, caps->pixelShaderMinor)
             : std::string();
    if (name.empty()) utils::seriousError("simShaderEffect - technique not found: " + base);
    m_technique = name.empty() ? 0 : m_effect->getTechniqueByName(name);
    m_effect->setTechnique(m_technique);
    g_effects.push_back(this);
}

simShaderEffect::~simShaderEffect() {
    m_effect.reset();
    g_effects.remove(this);
}

const std::list<simShaderEffect*>& simShaderEffect::getEffects() { return g_effects; }

// ---- drawing ----

void simShaderEffect::begin() {
    if (!m_effect) return;
    bindParameters();
    m_effect->begin(&m_passCount, kDoNotSaveSamplerState);
}

void simShaderEffect::beginPass(uint32_t pass) {
    if (m_effect) m_effect->beginPass(pass);
}

void simShaderEffect::endPass() {
    if (m_effect) m_effect->endPass();
}

void simShaderEffect::end() {
    if (m_effect) m_effect->end();
}

void simShaderEffect::bindParameters() {
    if (m_effect) simBindShaderParameters(*m_effect);
}

// ---- device loss ----

void simShaderEffect::onDeviceReset() {
    if (!m_effect || m_lost) return;
    m_effect->onLostDevice();
    m_lost = true;
}

void simShaderEffect::onDeviceRestore() {
    if (!m_effect) return;
    m_effect->onResetDevice();
    m_lost = false;
}

// ---- loading ----

simResource* simShaderEffect::load(simCollectionItem* collection, const std::string& path,
                                   const std::string& optionWords) {
    return new simShaderEffect(collection, path, optionWords);
}

void simShaderEffect::registerLoader() {
    if (g_resources) g_resources->registerLoader("fx", &simShaderEffect::load);
}
