// The contract between the device front (gfx::Device) and its two
// implementations: OpenGL 3.3 and the recording device.
//
// The front has already checked every argument, resolved every handle and
// applied Direct3D's rules (scene brackets, device loss, lock pairing) before
// it calls down, so a backend only does the work. Resources are named by their
// handle's slot index, which the front guarantees is live for the call.
// Each group below is one resource operation: create, update, destroy, draw,
// present. Every call the front receives is first passed to trace(), which the
// recording device logs and the GL device ignores.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/deviceState.h"
#include "platform/gfx/results.h"

namespace gfx {

// Where a surface's pixels live.
enum class SurfaceKind : std::uint8_t {
    BackBuffer,    // the device's colour buffer
    DepthBuffer,   // the device's own depth-stencil buffer
    RenderTarget,  // CreateRenderTarget
    DepthStencil,  // CreateDepthStencilSurface
    Offscreen,     // CreateOffscreenPlainSurface
    TextureLevel,  // a level (and cube face) of a texture
};

struct SurfaceRef {
    SurfaceKind kind = SurfaceKind::BackBuffer;
    std::uint32_t index = 0;  // surface slot; the texture's slot for TextureLevel
    std::uint32_t face = 0;   // cube face, 0 for 2-D textures
    std::uint32_t level = 0;
};

// The surfaces a clear or draw writes to.
struct RenderTargets {
    SurfaceRef colour;
    D3DSURFACE_DESC colourDesc;
    bool hasDepth = false;
    SurfaceRef depth;
    D3DSURFACE_DESC depthDesc;
};

struct TextureDesc {
    std::uint32_t width = 0, height = 0, levels = 1;  // levels already resolved (never 0)
    std::uint32_t usage = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    D3DPOOL pool = D3DPOOL_DEFAULT;
    bool cube = false;
};

enum class UniformType : std::uint8_t {
    Float,        // count floats
    Float4,       // count vec4
    Matrix4,      // count mat4, 16 floats each: a D3DXMATRIX's memory; in GLSL `m * v`
                  // then computes Direct3D's `v * M`
    Sampler2D,    // one value: the Direct3D stage whose 2-D texture the sampler reads
    SamplerCube,  // one value: the stage whose cube texture the sampler reads
};

class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;

    // Every call of the front, by Direct3D name, with its scalar arguments
    // (handles as their ids, floats as their bits).
    virtual void trace(const char* call, std::initializer_list<std::uint64_t> args) = 0;

    // ---- create ----
    virtual HRESULT createTexture(std::uint32_t index, const TextureDesc& desc) = 0;
    virtual HRESULT createSurface(std::uint32_t index, SurfaceKind kind, const D3DSURFACE_DESC& desc) = 0;
    // Index buffers are made, locked and destroyed as vertex buffers are:
    // plain bytes in the same slots; only the draw reads them differently.
    virtual HRESULT createVertexBuffer(std::uint32_t index, std::uint32_t bytes, std::uint32_t usage) = 0;
    // vertexSource and fragmentSource are GLSL 330 bodies without #version;
    // errors receives the compiler's log on failure.
    virtual HRESULT createProgram(std::uint32_t index, const std::string& vertexSource,
                                  const std::string& fragmentSource, std::string* errors) = 0;

    // ---- update ----
    // rect lies inside the surface; for DXT formats it is aligned to 4x4 blocks.
    virtual HRESULT lockSurface(const SurfaceRef& surface, const D3DSURFACE_DESC& desc, const RECT& rect,
                                std::uint32_t flags, D3DLOCKED_RECT* out) = 0;
    virtual HRESULT unlockSurface(const SurfaceRef& surface, const D3DSURFACE_DESC& desc) = 0;
    virtual HRESULT lockVertexBuffer(std::uint32_t index, std::uint32_t offset, std::uint32_t bytes,
                                     std::uint32_t flags, void** out) = 0;
    virtual HRESULT unlockVertexBuffer(std::uint32_t index) = 0;
    virtual HRESULT stretchRect(const SurfaceRef& src, const D3DSURFACE_DESC& srcDesc, const RECT& srcRect,
                                const SurfaceRef& dst, const D3DSURFACE_DESC& dstDesc, const RECT& dstRect,
                                D3DTEXTUREFILTERTYPE filter) = 0;
    virtual HRESULT setProgramUniform(std::uint32_t index, const std::string& name, UniformType type,
                                      const void* data, std::uint32_t count) = 0;

    // ---- destroy ----
    virtual void destroyTexture(std::uint32_t index) = 0;
    virtual void destroySurface(std::uint32_t index) = 0;
    virtual void destroyVertexBuffer(std::uint32_t index) = 0;
    virtual void destroyProgram(std::uint32_t index) = 0;

    // ---- draw ----
    // Clears the viewport's rectangle of the bound targets, whatever the write masks.
    virtual HRESULT clear(const DeviceState& state, const RenderTargets& targets, std::uint32_t flags,
                          D3DCOLOR colour, float z, std::uint32_t stencil) = 0;
    // vertexCount vertices from startVertex of the stream; the front has
    // checked that they lie inside the buffer.
    virtual HRESULT draw(const DeviceState& state, const RenderTargets& targets, D3DPRIMITIVETYPE type,
                         std::uint32_t startVertex, std::uint32_t vertexCount) = 0;
    // indexCount indices of indexSize bytes from startIndex of state.indices,
    // each naming vertex baseVertex + index of the stream.
    virtual HRESULT drawIndexed(const DeviceState& state, const RenderTargets& targets, D3DPRIMITIVETYPE type,
                                std::int32_t baseVertex, std::uint32_t startIndex, std::uint32_t indexCount,
                                std::uint32_t indexSize) = 0;

    // ---- present ----
    // The backend is made with its back buffer and depth-stencil buffer sized
    // for the device's parameters; reset makes them again for new ones.
    virtual HRESULT reset(const D3DPRESENT_PARAMETERS& params) = 0;
    virtual HRESULT present(const RECT* source, const RECT* dest) = 0;
    virtual HRESULT getRasterStatus(D3DRASTER_STATUS* out) = 0;
};

}  // namespace gfx
