// simRendererState: the cache of the engine's own render states.
//
// All drawing code sets its states through `setState` with the engine's
// state ids (below). The cache keeps the last value of each id and touches
// the device only when a value changes, so code may set every state it needs
// on every draw: a repeated state costs one compare and no device call.
// `force` re-applies a value whatever the cache holds (used after a device
// reset). Temporary drawing brackets its changes with `saveState` and
// `restoreState`; id 37 means every id.
//
// Values are pointer-sized (`simStateValue`). Object ids (textures, vertex
// buffer, material, camera, shader effect) hold the address of a
// `simRendererStateObject`; pass the object itself and the cache takes its
// address. The clip plane (id 30) is copied: the cache keeps its four floats
// by value, so the caller's plane may go away.
//
// Misuse is reported by name through `utils::seriousError` and changes
// nothing: an id outside 0..37, a value for an object id that names no live
// object of the right kind, a non-zero number for the clip plane.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "engine/graphics/simRendererStateObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simRenderer;

// The engine's state ids; the table beside `setState` in simRendererState.cpp
// gives each one's device effect.
enum simRenderStateId : uint32_t {
    simRenderState_none = 0,
    simRenderState_texture0 = 1,
    simRenderState_texture3 = 2,
    simRenderState_texture4 = 3,
    simRenderState_texture5 = 4,
    simRenderState_texture6 = 5,
    simRenderState_texture7 = 6,
    simRenderState_vertexBuffer = 7,
    simRenderState_shaderEffect = 8,
    simRenderState_zWrite = 9,
    simRenderState_zFunction = 10,
    simRenderState_lighting = 11,
    simRenderState_material = 12,
    simRenderState_backfaceCullMode = 13,
    simRenderState_blendMode = 14,
    simRenderState_stencilMode = 15,
    simRenderState_fog = 16,
    simRenderState_mipmapFilter = 17,
    simRenderState_stage1Blend = 18,
    simRenderState_blendFactorAlpha = 19,
    simRenderState_unused20 = 20,
    simRenderState_cubemap1 = 21,
    simRenderState_texture2 = 22,
    simRenderState_alphaBlend = 23,
    simRenderState_multisample = 24,
    simRenderState_cameraViewport = 25,
    simRenderState_shadeMode = 26,
    simRenderState_clipping = 27,
    simRenderState_clearColour = 28,
    simRenderState_clipPlaneEnable = 29,
    simRenderState_clipPlane = 30,
    simRenderState_fogColour = 31,
    simRenderState_addressU = 32,
    simRenderState_addressV = 33,
    simRenderState_spare34 = 34,
    simRenderState_ambient = 35,
    simRenderState_spare36 = 36,
    simRenderState_all = 37,  // "every id" for saveState and restoreState
};

class simRendererState {
public:
    static constexpr uint32_t kStateCount = 38;
    // Whether drawing under a stencil mode (id 15) may write the stencil:
    // every mode but off (0) and the test-only mode (3); a value the table
    // does not know leaves the device as it was, which may write.
    static bool stencilModeWrites(simStateValue mode) { return mode != 0 && mode != 3; }

    // Slots of the transform cache: the three set by `simRenderer::setTransform`
    // and their products.
    enum Matrix : uint32_t { projection, world, view, worldView, viewProjection, worldViewProjection, matrixCount };

    // Sets every state with force and applies the device defaults.
    explicit simRendererState(simRenderer* renderer);
    // Clears the renderer's pointer to this cache.
    virtual ~simRendererState();

    simRendererState(const simRendererState&) = delete;
    simRendererState& operator=(const simRendererState&) = delete;

    // ---- Setting states: skipped when the value is cached already, unless forced.
    // Numbers (bools, enums, counts, colours). A raw value for an object id
    // must be a `toStateValue` of a live object.
    template <typename V>
        requires(std::is_integral_v<V> || std::is_enum_v<V>)
    void setState(uint32_t id, V value, bool force = false) {
        setValue(id, numericValue(value), force);
    }
    // Object ids: the object (null for none).
    void setState(uint32_t id, const simRendererStateObject* object, bool force = false) {
        setValue(id, toStateValue(object), force);
    }
    // None, for any id (0 for numbers).
    void setState(uint32_t id, std::nullptr_t, bool force = false) { setValue(id, 0, force); }
    // The clip plane: four floats (a, b, c, d), copied; null for none.
    void setState(uint32_t id, const float* plane, bool force = false);
    void setState(uint32_t id, const d3dx::Plane* plane, bool force = false) {
        setState(id, plane ? &plane->a : static_cast<const float*>(nullptr), force);
    }

    // The cached value of an id (0 for ids outside 0..37).
    simStateValue getState(uint32_t id) const { return id < kStateCount ? m_current[id] : 0; }
    // The object an object id holds, or null.
    const simRendererStateObject* getStateObject(uint32_t id) const;
    // The cached clip plane; meaningful while id 30 is not 0.
    const d3dx::Plane& getClipPlane() const { return m_currentPlane; }

    // ---- Save and restore: id 37 means every id.
    void saveState(uint32_t id);
    // `setState` (id, saved value), not forced; 37 walks the ids in ascending order.
    void restoreState(uint32_t id);

    // Fog start and end, each set on the device only when it changes.
    void setFogRange(float start, float end);
    float getFogStart() const { return m_fogStart; }
    float getFogEnd() const { return m_fogEnd; }

    // The fixed device states the engine draws with; leaves the texture ids
    // and the effect id at 0 (forced).
    void applyDeviceDefaults();
    // After a device reset: every id but 20 forced from its cached value, fog
    // start and end, then the device defaults again.
    void reapplyAll();

    // Clears every current and saved entry that refers to `object`. Called by
    // the object's destructor; no device call (releasing a device resource
    // unbinds it).
    void forgetObject(const simRendererStateObject* object);

    // ---- Validity: false from a lost Present or a device update until the
    // device is usable again.
    bool isValid() const { return m_valid != 0; }
    void setValid(bool valid) { m_valid = valid ? 1u : 0u; }

    // ---- The transform cache.
    d3dx::Matrix& matrix(Matrix which) { return m_matrices[which]; }
    const d3dx::Matrix& matrix(Matrix which) const { return m_matrices[which]; }

    simRenderer* getRenderer() const { return m_renderer; }

private:
    template <typename V>
    static simStateValue numericValue(V value) {
        // Engine values are 32-bit: a negative int means its 32-bit pattern.
        if constexpr (sizeof(V) <= sizeof(uint32_t)) {
            return static_cast<simStateValue>(static_cast<uint32_t>(value));
        } else {
            return static_cast<simStateValue>(value);
        }
    }

    // The skip test is inline so that a repeated state costs one compare.
    void setValue(uint32_t id, simStateValue value, bool force) {
        if (id >= kStateCount || id == simRenderState_clipPlane) return setChecked(id, value, force);
        if (id == simRenderState_none) return;
        if (!force && m_current[id] == value) return;
        change(id, value);
    }
    void setChecked(uint32_t id, simStateValue value, bool force);
    // Stores the new value, then applies its device effect.
    void change(uint32_t id, simStateValue value);
    void apply(uint32_t id);
    void applyTexture(uint32_t id, simStateValue value, bool allow2D, bool allowCube);
    void applyStencilMode(simStateValue mode);
    void applyStage1Blend(simStateValue mode);
    template <typename Kind>
    const Kind* objectOfKind(uint32_t id, simStateValue value, const char* kind) const;

    uint32_t m_valid = 1;
    simRenderer* m_renderer;
    simStateValue m_current[kStateCount] = {};
    simStateValue m_saved[kStateCount] = {};
    d3dx::Plane m_currentPlane;  // id 30's plane while its value is 1
    d3dx::Plane m_savedPlane;
    float m_fogStart = 0.0f;
    float m_fogEnd = 0.0f;
    d3dx::Matrix m_matrices[matrixCount];
};
