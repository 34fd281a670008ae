#include "engine/graphics/simShaderEffectBinding.h"

#include <algorithm>
#include <list>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simShaderEffectCompiled.h"
#include "engine/graphics/simWindow.h"
#include "platform/sys/clock.h"

namespace {

simShaderEffectScene g_scene;
std::list<simLight*> g_ownLights;  // used while no scene keeps the list

const char* const kTransformNames[] = {
    "shader_transform_world",    "shader_transform_view",     "shader_transform_proj",
    "shader_transform_worldView", "shader_transform_viewProj", "shader_transform_worldViewProj",
};
// The renderer's transform slots in the contract's order.
constexpr simRendererState::Matrix kTransformSlots[] = {
    simRendererState::world,     simRendererState::view,           simRendererState::projection,
    simRendererState::worldView, simRendererState::viewProjection, simRendererState::worldViewProjection,
};
static_assert(std::size(kTransformNames) == std::size(kTransformSlots));

struct TextureEntry {
    const char* name;
    uint32_t stateId;
    bool cube;
};
constexpr TextureEntry kTextures[] = {
    {"shader_texture_0", simRenderState_texture0, false},  {"shader_texture_1", simRenderState_texture3, false},
    {"shader_texture_2", simRenderState_texture4, false},  {"shader_texture_3", simRenderState_texture5, false},
    {"shader_texture_4", simRenderState_texture6, false},  {"shader_texture_5", simRenderState_texture7, false},
    {"shader_texture_cubemap", simRenderState_cubemap1, true},
    {"shader_texture_shadowmap", simRenderState_texture2, false},
};

void setColour(simShaderEffectCompiled& effect, const char* name, simColour colour) {
    colour.refreshFloats();
    effect.setFloatArray(name, &colour.redF, 4);
}

void setVector(simShaderEffectCompiled& effect, const char* name, const d3dx::Vector3& v) {
    const float values[4] = {v.x, v.y, v.z, 0.0f};
    effect.setFloatArray(name, values, 4);
}

// Every sampler follows its cache slot, an empty slot included: an effect
// that kept the texture of the last batch would draw an untextured batch with
// it, and would leave on the device a texture the cache does not know of.
void bindTextures(simShaderEffectCompiled& effect, const simRendererState& state) {
    for (const TextureEntry& entry : kTextures) {
        const auto* texture = dynamic_cast<const simRendererStateTexture*>(state.getStateObject(entry.stateId));
        gfx::TextureHandle handle;
        if (texture) handle = entry.cube ? texture->getStateCubeTexture() : texture->getStateTexture2D();
        effect.setTexture(entry.name, handle);
    }
}

void bindMaterial(simShaderEffectCompiled& effect, const simRendererState& state) {
    simShaderMaterialValues m;
    const simRendererStateObject* current = state.getStateObject(simRenderState_material);
    if (!current || !g_scene.material || !g_scene.material(current, &m)) return;
    setColour(effect, "shader_material_diffuse", m.diffuse);
    setColour(effect, "shader_material_ambient", m.ambient);
    setColour(effect, "shader_material_emissive", m.emissive);
    setColour(effect, "shader_material_specular", m.specular);
    effect.setFloat("shader_material_transparency", 1.0f - m.transparency);
    effect.setFloat("shader_material_incandescance", m.incandescance);
    effect.setFloat("shader_material_specularRolloff", m.specularRolloff);
    effect.setFloat("shader_material_eccentricity", m.eccentricity);
    effect.setFloat("shader_material_reflectivity", m.reflectivity);
    effect.setFloat("shader_material_glow", m.glow);
}

void bindCamera(simShaderEffectCompiled& effect) {
    simShaderCameraValues c;
    if (!g_scene.camera || !g_scene.camera(&c)) return;
    setVector(effect, "shader_camera_eyePosition", c.eyePosition);
    setVector(effect, "shader_camera_eyeVector", c.eyeVector);
    setVector(effect, "shader_camera_upVector", c.upVector);
}

void bindLight(simShaderEffectCompiled& effect) {
    const simLight* light = simShaderEffectFirstLight();
    if (!light) return;
    setVector(effect, "shader_light_position", light->getPosition());
    setVector(effect, "shader_light_direction", light->getDirection());
    setColour(effect, "shader_light_diffuse", light->getDiffuse());
    setColour(effect, "shader_light_ambient", light->getAmbient());
    setColour(effect, "shader_light_specular", light->getSpecular());
    effect.setMatrix("shader_light_view", &light->getViewMatrix());
    effect.setMatrix("shader_light_viewProj", &light->getViewProjectionMatrix());
}

}  // namespace

void simSetShaderEffectScene(const simShaderEffectScene& scene) { g_scene = scene; }
const simShaderEffectScene& simGetShaderEffectScene() { return g_scene; }

simLight* simShaderEffectFirstLight() {
    if (g_scene.firstLight) return g_scene.firstLight();
    return g_ownLights.empty() ? nullptr : g_ownLights.front();
}

void simShaderEffectAddLight(simLight* light) {
    if (g_scene.addLight)
        g_scene.addLight(light);
    else
        g_ownLights.push_back(light);
}

void simShaderEffectRemoveLight(simLight* light) {
    if (g_scene.removeLight) g_scene.removeLight(light);
    g_ownLights.remove(light);
}

float simShaderEffectTime() { return static_cast<float>(sys::timeGetTime() % kShaderTimeWrapMs); }

void simBindShaderParameters(simShaderEffectCompiled& effect) {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    const simRendererState* state = renderer ? renderer->getState() : nullptr;
    if (state) {
        for (size_t i = 0; i < std::size(kTransformNames); ++i)
            effect.setMatrix(kTransformNames[i], &state->matrix(kTransformSlots[i]));
        bindTextures(effect, *state);
        bindMaterial(effect, *state);
    }
    bindCamera(effect);
    bindLight(effect);
    if (const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr)
        if (window->getWidth() > 0.0f) effect.setFloat("shader_misc_aspectRatio", window->getHeight() / window->getWidth());
    const float mapSize = g_scene.shadowMapSize ? g_scene.shadowMapSize() : 0.0f;
    effect.setFloat("shader_misc_shadow_mapSize", mapSize);
    effect.setFloat("shader_misc_shadow_mapTexelSize", mapSize > 0.0f ? 1.0f / mapSize : 0.0f);
    effect.setFloat("shader_general_time", simShaderEffectTime());
}
