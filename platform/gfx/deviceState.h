// Everything the device has been told to draw with: render, stage and sampler
// states, bound resources, transforms, material, light, viewport, scissor
// rectangle, targets.
//
// The device front keeps one of these and hands it, read-only, to its backend
// when it draws or clears, so a backend never keeps a second copy that could
// drift. Defaults are Direct3D 9's after creation or Reset, except that the
// alpha test starts on with reference 2 and GREATER, as the engine wants it
// everywhere (effects included).
#pragma once

#include <array>
#include <cstdint>

#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

namespace gfx {

// Identity-initialised 4x4 matrix in Direct3D's layout: row-major, row vectors
// (a point p transforms as p * M; the translation is in m[12..14]).
struct Matrix16 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct DeviceState {
    std::array<std::uint32_t, kRenderStateCount> renderStates{};
    std::array<std::array<std::uint32_t, kTextureStageStateCount>, kStageCount> stageStates{};
    std::array<std::array<std::uint32_t, kSamplerStateCount>, kStageCount> samplerStates{};
    std::array<TextureHandle, kStageCount> textures{};
    std::array<bool, kStageCount> textureIsCube{};  // kept beside the handle for the backends

    Matrix16 world, view, projection;
    D3DMATERIAL9 material;
    D3DLIGHT9 light0;
    bool light0Enabled = false;
    std::array<float, 4> clipPlane0{};

    D3DVIEWPORT9 viewport;
    // Pixels outside it are not drawn while D3DRS_SCISSORTESTENABLE is on;
    // top-left origin, right and bottom exclusive. The whole target by default.
    RECT scissorRect{};
    SurfaceHandle renderTarget;
    SurfaceHandle depthStencil;  // null: no depth-stencil bound

    std::uint32_t fvf = 0;
    VertexBufferHandle stream;
    std::uint32_t streamOffset = 0;  // bytes
    std::uint32_t streamStride = 0;  // bytes
    IndexBufferHandle indices;  // null: no index buffer set

    ProgramHandle program;  // null: the fixed-function emulation draws

    // Sets every field to its default for a back buffer of the given size.
    void setDefaults(std::uint32_t backBufferWidth, std::uint32_t backBufferHeight);
};

// Bytes per vertex of a supported vertex format, or 0 for any other.
std::uint32_t fvfStride(std::uint32_t fvf);

// Reads a float passed through a DWORD render or sampler state.
float stateFloat(std::uint32_t bits);
std::uint32_t floatState(float value);

}  // namespace gfx
