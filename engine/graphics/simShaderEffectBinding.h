// The engine's shader parameter contract: the `shader_*` parameters every
// effect may declare, set by name from the current state each time an
// effect begins.
//
// Effects declare the parameters they read as uniforms of the same names:
//   mat4  shader_transform_world, _view, _proj, _worldView, _viewProj, _worldViewProj
//   sampler2D shader_texture_0 .. shader_texture_5, shader_texture_shadowmap;
//   samplerCube shader_texture_cubemap
//   vec4  shader_material_diffuse, _ambient, _emissive, _specular (colour / 255)
//   float shader_material_transparency (1 - transparency), _incandescance,
//         _specularRolloff, _eccentricity, _reflectivity, _glow
//   vec4  shader_camera_eyePosition, _eyeVector, _upVector (w = 0)
//   vec4  shader_light_position, _direction (w = 0), _diffuse, _ambient, _specular
//   mat4  shader_light_view, shader_light_viewProj
//   float shader_misc_aspectRatio (window height / width),
//         shader_misc_shadow_mapSize, shader_misc_shadow_mapTexelSize,
//         shader_general_time (milliseconds, see below)
//   vec4  shader_geometry_colour (set by the model batches, not here)
//
// Groups: the transforms and the aspect ratio, shadow-map size and time are
// set every time; the textures only for cache slots that hold one; the
// material only while the renderer has a current material; the camera only
// while there is a current camera; the light only while a light exists. A
// group that is passed over keeps what the effect held before.
//
// The scene, its cameras and the materials are built by other modules; they
// reach the binding through `simShaderEffectScene`, installed once. Without
// it (or with a null entry) the group is passed over, except the light list,
// which then is the lights' own list in order of creation.
#pragma once

#include <cstdint>

#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simLight;
class simRendererStateObject;
class simShaderEffectCompiled;

// The material values of the contract.
struct simShaderMaterialValues {
    simColour diffuse, ambient, emissive, specular;
    float transparency = 0.0f;  // 0 opaque .. 1 clear; the contract passes 1 - this
    float incandescance = 0.0f, specularRolloff = 0.0f, eccentricity = 0.0f, reflectivity = 0.0f, glow = 0.0f;
};

// The camera vectors of the contract.
struct simShaderCameraValues {
    d3dx::Vector3 eyePosition, eyeVector, upVector;
};

struct simShaderEffectScene {
    // The material the render-state cache holds (state id 12): false when
    // `current` is null or not a material.
    bool (*material)(const simRendererStateObject* current, simShaderMaterialValues* out) = nullptr;
    // The current camera: false when there is none.
    bool (*camera)(simShaderCameraValues* out) = nullptr;
    // The scene's light list: first light (null when none), add and remove.
    simLight* (*firstLight)() = nullptr;
    void (*addLight)(simLight* light) = nullptr;
    void (*removeLight)(simLight* light) = nullptr;
    // The shadow-map size in texels (0 without shadow map).
    float (*shadowMapSize)() = nullptr;
};

// Installs the scene's entries (a default-made record removes them).
void simSetShaderEffectScene(const simShaderEffectScene& scene);
const simShaderEffectScene& simGetShaderEffectScene();

// The light list the binding reads: the scene's, or the lights' own.
simLight* simShaderEffectFirstLight();
void simShaderEffectAddLight(simLight* light);
void simShaderEffectRemoveLight(simLight* light);

// "shader_general_time": milliseconds since program start, wrapped every
// hour. A float holds every millisecond of an hour exactly, and an hour is a
// whole number of every period an effect animates with, so the wrap is seamless.
inline constexpr uint32_t kShaderTimeWrapMs = 3600000;
float simShaderEffectTime();

// Sets the whole contract on `effect` from the renderer, its state cache,
// the engine window and the scene entries.
void simBindShaderParameters(simShaderEffectCompiled& effect);
