#include "engine/graphics/simMaterial.h"

#include <algorithm>
#include <cmath>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResource.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simShaderEffectBinding.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr const char* kTextureMissing =
    "Error loading geometry - a texture resource was not located\nYou may need to reinstall TolvaneSim";

// A file float times 255, truncated towards zero. Values a file may hold
// that no int can (huge, infinite, not a number) saturate or give 0, where a
// plain cast would be undefined.
int scaledTo255(float value) {
    const float scaled = value * 255.0f;
    if (!(scaled == scaled)) return 0;
    if (scaled >= 2147483520.0f) return INT32_MAX;
    if (scaled <= -2147483648.0f) return INT32_MIN;
    return static_cast<int>(scaled);
}

// The file's colours carry red, green and blue only; alpha is opaque.
void setColour(simColour& colour, const std::array<float, 3>& rgb) {
    colour.set(255, scaledTo255(rgb[0]), scaledTo255(rgb[1]), scaledTo255(rgb[2]));
}

gfx::D3DCOLORVALUE colourValue(const simColour& c) {
    return {c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f, c.alpha / 255.0f};
}

simRendererState* currentState() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    return renderer ? renderer->getState() : nullptr;
}

void setStatus(bool success, const std::string& reason) {
    if (g_application) g_application->setStatus(success, reason);
}

}  // namespace

simMaterial::simMaterial(simGeometry* owner_, const geoFileMaterial& record, const std::string& optionWords)
    : owner(owner_) {
    name = record.name;
    if (!loadTextures(record.textures, optionWords)) return;
    if (textures.empty()) textures.push_back(dynamic_cast<simTexture*>(simResources::getResource("white.bmp", false)));

    setColour(diffuse, record.diffuse);
    setColour(emissive, record.emissive);
    setColour(ambient, record.ambient);
    setColour(specular, record.specular);
    incandescance = record.incandescance;
    transparency = record.transparency;
    glow = record.glow;
    specularRolloff = record.specularRolloff;
    eccentricity = record.eccentricity;
    reflectivity = record.reflectivity;
    buildD3DMaterial();

    if (owner) owner->addMaterial(this);
    setStatus(true, "success");
}

simMaterial::simMaterial(simGeometry* owner_) : owner(owner_) {
    name = "newMaterial";
    diffuse.set(1, 1, 1, 1);
    specular.set(1, 0, 0, 0);
    emissive.set(1, 0, 0, 0);
    ambient.set(1, 0, 0, 0);
    buildD3DMaterial();
    if (owner) owner->addMaterial(this);
    setStatus(true, "success");
}

simMaterial::~simMaterial() {
    if (owner) owner->removeMaterial(this);
}

bool simMaterial::loadTextures(const std::vector<std::string>& files, const std::string& optionWords) {
    for (const std::string& file : files) {
        if (file == "none") {
            textures.push_back(nullptr);
            continue;
        }
        // The owner geometry is the requesting holder, so the texture lives
        // as long as the model does.
        if (g_resources && !g_resources->findResource(owner, "textures", file, optionWords, true, false, 0)) {
            g_resources->findResource(owner, "", file, optionWords, true, true, 0);
        }
        auto* texture = dynamic_cast<simTexture*>(simResources::getResource(utils::getFileName(file), false));
        if (!texture) {
            setStatus(false, kTextureMissing);
            return false;
        }
        textures.push_back(texture);
    }
    return true;
}

void simMaterial::buildD3DMaterial() {
    d3dMaterial.Diffuse = colourValue(diffuse);
    // The diffuse alpha carries the material's opacity, as the fixed
    // pipeline reads it; binding a texture over the material (an override
    // such as the paint texture) tests it to keep a canopy see-through.
    if (transparency > 0.0f) d3dMaterial.Diffuse.a *= std::max(0.0f, 1.0f - transparency);
    d3dMaterial.Ambient = colourValue(ambient);
    d3dMaterial.Specular = colourValue(specular);
    d3dMaterial.Emissive = colourValue(emissive);
    d3dMaterial.Power = specularPower(eccentricity);
}

float simMaterial::specularPower(float eccentricity) {
    return eccentricity == 0.0f ? 0.0f : (1.0f / eccentricity) * 5.0f;
}

int simMaterial::reflectivityAlpha() const { return scaledTo255(reflectivity); }

void simMaterial::apply() {
    simRendererState* state = currentState();
    if (!state) return;
    state->setState(simRenderState_material, this);
    if (!textures.empty()) {
        state->setState(simRenderState_mipmapFilter, 2);
        // An empty first slot ("none") draws untextured rather than binding
        // a texture that is not there.
        if (textures.front()) {
            textures.front()->bind(0);
        } else {
            state->setState(simRenderState_texture0, static_cast<const simRendererStateObject*>(nullptr));
        }
    } else {
        state->setState(simRenderState_texture0, static_cast<const simRendererStateObject*>(nullptr));
    }
    const int alpha = reflectivityAlpha();
    state->setState(simRenderState_stage1Blend, alpha != 0 ? 1 : 0);
    state->setState(simRenderState_blendFactorAlpha, alpha != 0 ? alpha : 0);
    if (transparency > 0.0f) state->setState(simRenderState_alphaBlend, 1);
    if (effect) state->setState(simRenderState_shaderEffect, effect);
}

bool simMaterial::shaderValues(const simRendererStateObject* current, simShaderMaterialValues* out) {
    const auto* material = dynamic_cast<const simMaterial*>(current);
    if (!material || !out) return false;
    out->diffuse = material->diffuse;
    out->ambient = material->ambient;
    out->emissive = material->emissive;
    out->specular = material->specular;
    out->transparency = material->transparency;
    out->incandescance = material->incandescance;
    out->specularRolloff = material->specularRolloff;
    out->eccentricity = material->eccentricity;
    out->reflectivity = material->reflectivity;
    out->glow = material->glow;
    return true;
}

void simMaterial::linkShaderParameters() {
    simShaderEffectScene links = simGetShaderEffectScene();
    links.material = &simMaterial::shaderValues;
    simSetShaderEffectScene(links);
}
