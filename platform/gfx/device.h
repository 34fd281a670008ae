// gfx::Device: the Direct3D-9-shaped rendering device of the engine.
//
// One interface, exactly the subset the engine and the editor call, with
// Direct3D's names, arguments, defaults and result codes, so their code reads
// as it was designed. Resources are typed handles instead of COM pointers:
// `Release(handle)` destroys, and a stale handle fails with D3DERR_INVALIDCALL.
// Two implementations sit below (gfx::DeviceBackend): OpenGL 3.3 core for the
// program and the GL tests, and a recording device for behaviour tests.
// Argument checks, handle look-ups, state defaults, scene brackets, lock
// pairing and device loss live here, once, above both.
//
// Conventions kept from Direct3D (the GL device does the translation):
// - images are top row first everywhere: lock, upload, render targets, read-back;
// - colours are D3DCOLOR (0xAARRGGBB), stored B, G, R, A in memory;
// - pixel centres are Direct3D 9's: pre-transformed (XYZRHW) vertices at
//   x - 0.5, y - 0.5 cover exactly the pixels whose integer coordinates they
//   enclose; projections map depth to 0..1;
// - setting a render target resets the viewport to the target's size; Clear
//   covers the viewport only and ignores the colour and stencil write masks.
//
// Misuse (stale handles, bad arguments, unbalanced locks or scenes) is logged
// by name through the log sink and answered with D3DERR_INVALIDCALL.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/deviceBackend.h"
#include "platform/gfx/deviceState.h"
#include "platform/gfx/handles.h"
#include "platform/gfx/results.h"

namespace gfx {

// Where the device's log lines go (default: standard error). Lines end in "\n".
void setLogSink(std::function<void(const std::string&)> sink);
void logLine(const std::string& line);

class Device {
public:
    // Made by Direct3D::CreateDevice; the backend is already set up for params.
    Device(std::unique_ptr<DeviceBackend> backend, const D3DPRESENT_PARAMETERS& params, const D3DCAPS9& caps);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // ---- present and device lifetime ----
    // D3D_OK, or D3DERR_DEVICELOST from a loss until a successful Reset.
    HRESULT TestCooperativeLevel() const;
    // Recreates the back buffer for params and puts every state back to its
    // default. Fails with D3DERR_INVALIDCALL while any default-pool resource
    // is still alive (lost or not), as Direct3D does.
    HRESULT Reset(D3DPRESENT_PARAMETERS* params);
    // Shows the back buffer (source rectangle of it into dest of the window;
    // null for whole). D3DERR_DEVICELOST while the device is lost.
    HRESULT Present(const RECT* source, const RECT* dest);
    HRESULT GetRasterStatus(std::uint32_t swapChain, D3DRASTER_STATUS* out);
    HRESULT GetDeviceCaps(D3DCAPS9* out) const;
    HRESULT BeginScene();
    HRESULT EndScene();
    // Test call: the device behaves as a lost Direct3D device from now on:
    // Present and TestCooperativeLevel report D3DERR_DEVICELOST, drawing,
    // clearing and copying do nothing, and every default-pool resource
    // reports Lost until released. Locks still work and keep the contents,
    // so objects can save what they hold before they release it.
    void SimulateDeviceLoss();

    // ---- create ----
    // levels 0 means the full chain. Render targets must be in the default pool.
    HRESULT CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                          D3DFORMAT format, D3DPOOL pool, TextureHandle* out);
    HRESULT CreateCubeTexture(std::uint32_t edge, std::uint32_t levels, std::uint32_t usage, D3DFORMAT format,
                              D3DPOOL pool, TextureHandle* out);
    // length in bytes; fvf must be one of the two vertex formats (or 0 for raw bytes).
    HRESULT CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, D3DPOOL pool,
                               VertexBufferHandle* out);
    // length in bytes; format D3DFMT_INDEX16 or D3DFMT_INDEX32.
    HRESULT CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, D3DFORMAT format, D3DPOOL pool,
                              IndexBufferHandle* out);
    HRESULT CreateRenderTarget(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                               D3DMULTISAMPLE_TYPE multiSample, std::uint32_t quality, bool lockable,
                               SurfaceHandle* out);
    HRESULT CreateDepthStencilSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                      D3DMULTISAMPLE_TYPE multiSample, std::uint32_t quality, bool discard,
                                      SurfaceHandle* out);
    HRESULT CreateOffscreenPlainSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format, D3DPOOL pool,
                                        SurfaceHandle* out);
    // A new surface handle naming one level (of one face) of a texture. It
    // goes stale with its texture; Release it when done, as on Direct3D.
    HRESULT GetSurfaceLevel(TextureHandle texture, std::uint32_t level, SurfaceHandle* out);
    HRESULT GetCubeMapSurface(TextureHandle cube, D3DCUBEMAP_FACES face, std::uint32_t level, SurfaceHandle* out);
    // The device's own surfaces and the current targets. These handles belong
    // to the device: they stay valid across Reset and are never Released.
    HRESULT GetBackBuffer(std::uint32_t swapChain, std::uint32_t index, D3DBACKBUFFER_TYPE type, SurfaceHandle* out);
    HRESULT GetRenderTarget(std::uint32_t index, SurfaceHandle* out);
    HRESULT GetDepthStencilSurface(SurfaceHandle* out);

    // ---- update ----
    // Locks map the rectangle (null: whole level) top row first, BGRA bytes for
    // colour formats. D3DLOCK_READONLY leaves the contents unchanged at unlock;
    // D3DLOCK_DISCARD gives undefined contents. One lock at a time per level.
    HRESULT LockRect(TextureHandle texture, std::uint32_t level, D3DLOCKED_RECT* out, const RECT* rect,
                     std::uint32_t flags);
    HRESULT UnlockRect(TextureHandle texture, std::uint32_t level);
    HRESULT LockRect(SurfaceHandle surface, D3DLOCKED_RECT* out, const RECT* rect, std::uint32_t flags);
    HRESULT UnlockRect(SurfaceHandle surface);
    // offset and size in bytes; size 0 means to the end of the buffer.
    HRESULT Lock(VertexBufferHandle buffer, std::uint32_t offset, std::uint32_t size, void** out,
                 std::uint32_t flags);
    HRESULT Unlock(VertexBufferHandle buffer);
    HRESULT Lock(IndexBufferHandle buffer, std::uint32_t offset, std::uint32_t size, void** out,
                 std::uint32_t flags);
    HRESULT Unlock(IndexBufferHandle buffer);
    // Copies (and scales) between colour surfaces; null rectangles mean whole.
    HRESULT StretchRect(SurfaceHandle source, const RECT* sourceRect, SurfaceHandle dest, const RECT* destRect,
                        D3DTEXTUREFILTERTYPE filter);
    HRESULT GetLevelDesc(TextureHandle texture, std::uint32_t level, D3DSURFACE_DESC* out) const;
    std::uint32_t GetLevelCount(TextureHandle texture) const;  // 0 for a stale handle
    HRESULT GetDesc(SurfaceHandle surface, D3DSURFACE_DESC* out) const;

    // ---- destroy ----
    // Destroys the resource and unbinds it wherever it is bound. Releasing a
    // texture also makes its level surfaces stale.
    HRESULT Release(TextureHandle texture);
    HRESULT Release(SurfaceHandle surface);
    HRESULT Release(VertexBufferHandle buffer);
    HRESULT Release(IndexBufferHandle buffer);
    HRESULT Release(ProgramHandle program);

    // Resources made through this device and not yet released (the device's
    // own surfaces not counted). A device destroyed with some still alive
    // logs how many.
    std::size_t LiveResources() const;

    ResourceState State(TextureHandle texture) const;
    ResourceState State(SurfaceHandle surface) const;
    ResourceState State(VertexBufferHandle buffer) const;
    ResourceState State(IndexBufferHandle buffer) const;
    ResourceState State(ProgramHandle program) const;

    // ---- states ----
    // Unsupported state types or values fail with D3DERR_INVALIDCALL.
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value);
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, std::uint32_t* out) const;
    HRESULT SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value);
    HRESULT GetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t* out) const;
    HRESULT SetSamplerState(std::uint32_t sampler, D3DSAMPLERSTATETYPE type, std::uint32_t value);
    HRESULT GetSamplerState(std::uint32_t sampler, D3DSAMPLERSTATETYPE type, std::uint32_t* out) const;
    // A null handle unbinds; an unbound stage reads opaque white.
    HRESULT SetTexture(std::uint32_t stage, TextureHandle texture);
    HRESULT GetTexture(std::uint32_t stage, TextureHandle* out) const;
    // m: 16 floats in Direct3D's layout (a D3DXMATRIX's memory).
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE which, const float* m);
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE which, float* out) const;
    HRESULT SetMaterial(const D3DMATERIAL9* material);
    HRESULT GetMaterial(D3DMATERIAL9* out) const;
    // Only light 0 exists.
    HRESULT SetLight(std::uint32_t index, const D3DLIGHT9* light);
    HRESULT GetLight(std::uint32_t index, D3DLIGHT9* out) const;
    HRESULT LightEnable(std::uint32_t index, bool enable);
    // Only plane 0 exists. The fixed-function emulation reads it in world
    // space; programs read it in clip space, as on Direct3D.
    HRESULT SetClipPlane(std::uint32_t index, const float* plane);
    HRESULT SetViewport(const D3DVIEWPORT9* viewport);
    HRESULT GetViewport(D3DVIEWPORT9* out) const;
    // The rectangle D3DRS_SCISSORTESTENABLE keeps drawing to, in render-target
    // pixels from the top-left corner (right and bottom exclusive); it must
    // lie inside the render target and may be empty. Clear ignores it.
    HRESULT SetScissorRect(const RECT* rect);
    HRESULT GetScissorRect(RECT* out) const;
    // Binding a colour target resets the viewport and the scissor rectangle
    // to its full size. Target 0
    // cannot be unbound.
    HRESULT SetRenderTarget(std::uint32_t index, SurfaceHandle surface);
    HRESULT SetDepthStencilSurface(SurfaceHandle surface);  // null unbinds

    // ---- draw ----
    HRESULT SetFVF(std::uint32_t fvf);
    HRESULT SetStreamSource(std::uint32_t stream, VertexBufferHandle buffer, std::uint32_t offsetBytes,
                            std::uint32_t stride);
    // Only between BeginScene and EndScene; count is in primitives.
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex, std::uint32_t primitiveCount);
    // A null handle unbinds.
    HRESULT SetIndices(IndexBufferHandle buffer);
    // Vertex baseVertexIndex + i of the stream for each index i read from
    // startIndex on; the indices must lie in minVertexIndex ..
    // minVertexIndex + numVertices - 1, which must lie inside the stream.
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::int32_t baseVertexIndex, std::uint32_t minVertexIndex,
                                 std::uint32_t numVertices, std::uint32_t startIndex, std::uint32_t primitiveCount);
    // count must be 0 and rects null: the viewport is cleared.
    HRESULT Clear(std::uint32_t count, const RECT* rects, std::uint32_t flags, D3DCOLOR colour, float z,
                  std::uint32_t stencil);

    // ---- effect hook: raw GLSL programs ----
    // The effect module compiles its shaders here. Sources are GLSL 330 bodies
    // without #version; the device prepends a prelude giving, for the vertex
    // stage, `vec4 gfxClipPosition(vec4 d3dClip)` (call it on the Direct3D
    // clip position to get gl_Position: y flip, 0..1 depth, half-pixel
    // offset, clip plane 0) and, for the fragment stage, `void
    // gfxWriteColour(vec4 colour)` (applies the alpha test and writes the
    // output). Vertex attributes: location 0 position, 1 normal, 2 colour
    // (BGRA bytes read as normalised RGBA), 3, 4, 5 the UV sets; a 0x144
    // vertex gives position (x, y, z, rhw), `vec4 gfxScreenPosition(vec4)`
    // places it. Sampler uniforms take a stage number (UniformType::Sampler2D
    // or SamplerCube), so SetTexture binds what they read. Compile failures
    // give D3DERR_INVALIDCALL and the log in errors.
    HRESULT CreateProgram(const std::string& vertexSource, const std::string& fragmentSource, ProgramHandle* out,
                          std::string* errors = nullptr);
    // While a program is bound, draws use it instead of the fixed-function
    // emulation; null goes back to fixed function.
    HRESULT SetProgram(ProgramHandle program);
    HRESULT SetProgramUniform(ProgramHandle program, const std::string& name, UniformType type, const void* data,
                              std::uint32_t count = 1);

    // ---- instrumentation ----
    const DeviceState& state() const { return state_; }
    std::uint64_t callCount() const { return calls_; }  // every call made on this device
    DeviceBackend& backend() { return *backend_; }

private:
    struct TextureRecord;
    struct SurfaceRecord;
    struct BufferRecord;
    struct ProgramRecord;
    struct Pools;

    HRESULT misuse(const char* call, const std::string& what) const;
    // The buffer behind a handle when it is of the kind asked for, or null.
    BufferRecord* findBuffer(VertexBufferHandle h, bool indices) const;
    HRESULT lockBuffer(const char* call, VertexBufferHandle h, bool indices, std::uint32_t offset,
                       std::uint32_t size, void** out, std::uint32_t flags);
    HRESULT unlockBuffer(const char* call, VertexBufferHandle h, bool indices);
    // Checks that the stream holds vertices first .. end - 1 for a draw.
    HRESULT checkStream(const char* call, std::uint64_t first, std::uint64_t end) const;
    void trace(const char* call, std::initializer_list<std::uint64_t> args) const;
    bool drawingSuppressed() const { return lost_; }
    HRESULT makeTexture(const char* call, const TextureDesc& desc, TextureHandle* out);
    HRESULT makeSurface(const char* call, SurfaceKind kind, const D3DSURFACE_DESC& desc, SurfaceHandle* out);
    HRESULT makeLevelSurface(const char* call, bool cubeCall, TextureHandle texture, std::uint32_t face,
                             std::uint32_t level, SurfaceHandle* out);
    // The surface behind a handle with its reference and description, or null.
    const SurfaceRecord* findSurface(const char* call, SurfaceHandle h) const;
    D3DSURFACE_DESC levelDesc(const TextureRecord& t, std::uint32_t level) const;
    SurfaceRef refOf(const SurfaceRecord& s) const;
    HRESULT targets(const char* call, RenderTargets* out) const;
    HRESULT lockLevel(const char* call, const SurfaceRecord& s, D3DLOCKED_RECT* out, const RECT* rect,
                      std::uint32_t flags);
    HRESULT unlockLevel(const char* call, const SurfaceRecord& s);
    std::uint8_t& lockFlag(const SurfaceRecord& s);
    void unbindTexture(TextureHandle h);
    void unbindSurface(SurfaceHandle h);
    void resetState();
    std::size_t liveDefaultPoolResources();

    std::unique_ptr<DeviceBackend> backend_;
    std::unique_ptr<Pools> pools_;
    D3DPRESENT_PARAMETERS params_;
    D3DCAPS9 caps_;
    DeviceState state_;
    SurfaceHandle backBuffer_, depthBuffer_;
    bool inScene_ = false;
    bool lost_ = false;
    mutable std::uint64_t calls_ = 0;
};

}  // namespace gfx
