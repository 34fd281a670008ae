// Device front: lifetime, present, states and drawing. Resource creation,
// update and destruction are in deviceResources.cpp.
#include "platform/gfx/device.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/gfx/deviceRecords.h"
#include "platform/gfx/formats.h"
#include "platform/gfx/stateTables.h"

namespace gfx {

namespace {

std::mutex g_sinkMutex;
std::function<void(const std::string&)> g_sink;

std::uint64_t bitsOf(float f) { return floatState(f); }

}  // namespace

void setLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    g_sink = std::move(sink);
}

void logLine(const std::string& line) {
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    if (g_sink)
        g_sink(line);
    else
        std::fputs(line.c_str(), stderr);
}

Device::Device(std::unique_ptr<DeviceBackend> backend, const D3DPRESENT_PARAMETERS& params, const D3DCAPS9& caps)
    : backend_(std::move(backend)), pools_(std::make_unique<Pools>()), params_(params), caps_(caps) {
    SurfaceRecord back;
    back.kind = SurfaceKind::BackBuffer;
    back.desc.Format = D3DFMT_X8R8G8B8;
    back.desc.Usage = D3DUSAGE_RENDERTARGET;
    backBuffer_ = pools_->surfaces.add(back);
    pools_->surfaces.find(backBuffer_)->self = backBuffer_;
    if (params_.EnableAutoDepthStencil) {
        SurfaceRecord depth;
        depth.kind = SurfaceKind::DepthBuffer;
        depth.desc.Format = params_.AutoDepthStencilFormat;
        depth.desc.Usage = D3DUSAGE_DEPTHSTENCIL;
        depthBuffer_ = pools_->surfaces.add(depth);
        pools_->surfaces.find(depthBuffer_)->self = depthBuffer_;
    }
    resetState();
}

Device::~Device() {
    // Whatever the caller left alive goes with the device (the backend frees
    // its own objects); saying so points at a missing Release.
    if (const std::size_t alive = LiveResources())
        logLine("gfx::Device - destroyed with " + std::to_string(alive) + " resources still alive\n");
}

std::size_t Device::LiveResources() const {
    const std::size_t own = (backBuffer_ ? 1 : 0) + (depthBuffer_ ? 1 : 0);
    return pools_->textures.liveCount() + pools_->surfaces.liveCount() - own + pools_->buffers.liveCount() +
           pools_->programs.liveCount();
}

HRESULT Device::misuse(const char* call, const std::string& what) const {
    logLine(std::string("gfx::Device::") + call + " - " + what + "\n");
    return D3DERR_INVALIDCALL;
}

void Device::trace(const char* call, std::initializer_list<std::uint64_t> args) const {
    ++calls_;
    backend_->trace(call, args);
}

void Device::resetState() {
    for (SurfaceHandle h : {backBuffer_, depthBuffer_}) {
        if (SurfaceRecord* s = pools_->surfaces.find(h)) {
            s->desc.Width = params_.BackBufferWidth;
            s->desc.Height = params_.BackBufferHeight;
            s->desc.MultiSampleType = params_.MultiSampleType;
            s->desc.MultiSampleQuality = params_.MultiSampleQuality;
        }
    }
    state_.setDefaults(params_.BackBufferWidth, params_.BackBufferHeight);
    state_.renderTarget = backBuffer_;
    state_.depthStencil = depthBuffer_;
    inScene_ = false;
}

// ---- present and device lifetime ----

HRESULT Device::TestCooperativeLevel() const {
    trace("TestCooperativeLevel", {});
    return lost_ ? D3DERR_DEVICELOST : D3D_OK;
}

std::size_t Device::liveDefaultPoolResources() {
    std::size_t n = 0;
    pools_->textures.forEach([&](TextureHandle, TextureRecord& t) { n += t.desc.pool == D3DPOOL_DEFAULT; });
    pools_->buffers.forEach([&](VertexBufferHandle, BufferRecord& b) { n += b.pool == D3DPOOL_DEFAULT; });
    pools_->surfaces.forEach([&](SurfaceHandle, SurfaceRecord& s) {
        n += (s.kind == SurfaceKind::RenderTarget || s.kind == SurfaceKind::DepthStencil) ||
             (s.kind == SurfaceKind::Offscreen && s.desc.Pool == D3DPOOL_DEFAULT);
    });
    return n;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* params) {
    trace("Reset", {params ? params->BackBufferWidth : 0u, params ? params->BackBufferHeight : 0u});
    if (!params) return misuse("Reset", "null parameters");
    if (inScene_) return misuse("Reset", "called inside BeginScene/EndScene");
    if (const std::size_t alive = liveDefaultPoolResources())
        return misuse("Reset", std::to_string(alive) + " default-pool resources still alive");
    D3DPRESENT_PARAMETERS p = *params;
    if (p.BackBufferWidth == 0) p.BackBufferWidth = params_.BackBufferWidth;
    if (p.BackBufferHeight == 0) p.BackBufferHeight = params_.BackBufferHeight;
    const HRESULT hr = backend_->reset(p);
    if (FAILED(hr)) {
        // A failed Reset leaves the device lost, as on Direct3D.
        lost_ = true;
        logLine(std::string("gfx::Device::Reset - failed: ") + resultName(hr) + "\n");
        return hr;
    }
    params_ = p;
    *params = p;
    lost_ = false;
    resetState();
    return D3D_OK;
}

HRESULT Device::Present(const RECT* source, const RECT* dest) {
    trace("Present", {source != nullptr, dest != nullptr});
    if (inScene_) return misuse("Present", "called inside BeginScene/EndScene");
    if (lost_) return D3DERR_DEVICELOST;
    return backend_->present(source, dest);
}

HRESULT Device::GetRasterStatus(std::uint32_t swapChain, D3DRASTER_STATUS* out) {
    trace("GetRasterStatus", {swapChain});
    if (swapChain != 0 || !out) return misuse("GetRasterStatus", "swap chain 0 and an output record are needed");
    return backend_->getRasterStatus(out);
}

HRESULT Device::GetDeviceCaps(D3DCAPS9* out) const {
    trace("GetDeviceCaps", {});
    if (!out) return misuse("GetDeviceCaps", "null output");
    *out = caps_;
    return D3D_OK;
}

HRESULT Device::BeginScene() {
    trace("BeginScene", {});
    if (inScene_) return misuse("BeginScene", "already in a scene");
    inScene_ = true;
    return D3D_OK;
}

HRESULT Device::EndScene() {
    trace("EndScene", {});
    if (!inScene_) return misuse("EndScene", "not in a scene");
    inScene_ = false;
    return D3D_OK;
}

void Device::SimulateDeviceLoss() {
    trace("SimulateDeviceLoss", {});
    lost_ = true;
    pools_->textures.forEach([](TextureHandle, TextureRecord& t) { t.lost |= t.desc.pool == D3DPOOL_DEFAULT; });
    pools_->buffers.forEach([](VertexBufferHandle, BufferRecord& b) { b.lost |= b.pool == D3DPOOL_DEFAULT; });
    pools_->surfaces.forEach([](SurfaceHandle, SurfaceRecord& s) {
        s.lost |= s.kind == SurfaceKind::RenderTarget || s.kind == SurfaceKind::DepthStencil ||
                  (s.kind == SurfaceKind::Offscreen && s.desc.Pool == D3DPOOL_DEFAULT);
    });
}

// ---- states ----

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) {
    trace("SetRenderState", {state, value});
    const StateInfo& info = renderStateInfo(state);
    if (info.kind == StateKind::Unsupported) return misuse("SetRenderState", "unsupported state " + std::to_string(state));
    if (!stateValueValid(info.kind, value))
        return misuse("SetRenderState", std::string(info.name) + " cannot take " + std::to_string(value));
    state_.renderStates[state] = value;
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, std::uint32_t* out) const {
    trace("GetRenderState", {state});
    if (!out || renderStateInfo(state).kind == StateKind::Unsupported)
        return misuse("GetRenderState", "unsupported state " + std::to_string(state));
    *out = state_.renderStates[state];
    return D3D_OK;
}

HRESULT Device::SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) {
    trace("SetTextureStageState", {stage, type, value});
    const StateInfo& info = stageStateInfo(type);
    if (stage >= kStageCount || info.kind == StateKind::Unsupported)
        return misuse("SetTextureStageState", "unsupported stage " + std::to_string(stage) + " state " +
                                                  std::to_string(type));
    if (!stateValueValid(info.kind, value))
        return misuse("SetTextureStageState", std::string(info.name) + " cannot take " + std::to_string(value));
    state_.stageStates[stage][type] = value;
    return D3D_OK;
}

HRESULT Device::GetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t* out) const {
    trace("GetTextureStageState", {stage, type});
    if (!out || stage >= kStageCount || stageStateInfo(type).kind == StateKind::Unsupported)
        return misuse("GetTextureStageState", "unsupported stage state");
    *out = state_.stageStates[stage][type];
    return D3D_OK;
}

HRESULT Device::SetSamplerState(std::uint32_t sampler, D3DSAMPLERSTATETYPE type, std::uint32_t value) {
    trace("SetSamplerState", {sampler, type, value});
    const StateInfo& info = samplerStateInfo(type);
    if (sampler >= kStageCount || info.kind == StateKind::Unsupported)
        return misuse("SetSamplerState", "unsupported sampler " + std::to_string(sampler) + " state " +
                                             std::to_string(type));
    if (!stateValueValid(info.kind, value))
        return misuse("SetSamplerState", std::string(info.name) + " cannot take " + std::to_string(value));
    state_.samplerStates[sampler][type] = value;
    return D3D_OK;
}

HRESULT Device::GetSamplerState(std::uint32_t sampler, D3DSAMPLERSTATETYPE type, std::uint32_t* out) const {
    trace("GetSamplerState", {sampler, type});
    if (!out || sampler >= kStageCount || samplerStateInfo(type).kind == StateKind::Unsupported)
        return misuse("GetSamplerState", "unsupported sampler state");
    *out = state_.samplerStates[sampler][type];
    return D3D_OK;
}

HRESULT Device::SetTexture(std::uint32_t stage, TextureHandle texture) {
    trace("SetTexture", {stage, texture.id});
    if (stage >= kStageCount) return misuse("SetTexture", "no stage " + std::to_string(stage));
    bool cube = false;
    if (texture) {
        const TextureRecord* t = pools_->textures.find(texture);
        if (!t) return misuse("SetTexture", "stale texture handle");
        cube = t->desc.cube;
    }
    state_.textures[stage] = texture;
    state_.textureIsCube[stage] = cube;
    return D3D_OK;
}

HRESULT Device::GetTexture(std::uint32_t stage, TextureHandle* out) const {
    trace("GetTexture", {stage});
    if (!out || stage >= kStageCount) return misuse("GetTexture", "no stage " + std::to_string(stage));
    *out = state_.textures[stage];
    return D3D_OK;
}

namespace {

Matrix16* transformSlot(DeviceState& s, D3DTRANSFORMSTATETYPE which) {
    switch (which) {
        case D3DTS_WORLD: return &s.world;
        case D3DTS_VIEW: return &s.view;
        case D3DTS_PROJECTION: return &s.projection;
    }
    return nullptr;
}

}  // namespace

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE which, const float* m) {
    trace("SetTransform", {which});
    Matrix16* slot = transformSlot(state_, which);
    if (!slot || !m) return misuse("SetTransform", "unsupported transform " + std::to_string(which) + " or null matrix");
    std::memcpy(slot->m, m, sizeof(slot->m));
    return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE which, float* out) const {
    trace("GetTransform", {which});
    Matrix16* slot = transformSlot(const_cast<DeviceState&>(state_), which);
    if (!slot || !out) return misuse("GetTransform", "unsupported transform " + std::to_string(which));
    std::memcpy(out, slot->m, sizeof(slot->m));
    return D3D_OK;
}

HRESULT Device::SetMaterial(const D3DMATERIAL9* material) {
    trace("SetMaterial", {});
    if (!material) return misuse("SetMaterial", "null material");
    state_.material = *material;
    return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL9* out) const {
    trace("GetMaterial", {});
    if (!out) return misuse("GetMaterial", "null output");
    *out = state_.material;
    return D3D_OK;
}

HRESULT Device::SetLight(std::uint32_t index, const D3DLIGHT9* light) {
    trace("SetLight", {index});
    if (index != 0 || !light) return misuse("SetLight", "only light 0 exists");
    if (light->Type != D3DLIGHT_POINT && light->Type != D3DLIGHT_DIRECTIONAL)
        return misuse("SetLight", "unsupported light type " + std::to_string(light->Type));
    state_.light0 = *light;
    return D3D_OK;
}

HRESULT Device::GetLight(std::uint32_t index, D3DLIGHT9* out) const {
    trace("GetLight", {index});
    if (index != 0 || !out) return misuse("GetLight", "only light 0 exists");
    *out = state_.light0;
    return D3D_OK;
}

HRESULT Device::LightEnable(std::uint32_t index, bool enable) {
    trace("LightEnable", {index, enable});
    if (index != 0) return misuse("LightEnable", "only light 0 exists");
    state_.light0Enabled = enable;
    return D3D_OK;
}

HRESULT Device::SetClipPlane(std::uint32_t index, const float* plane) {
    trace("SetClipPlane", {index, plane ? bitsOf(plane[0]) : 0, plane ? bitsOf(plane[1]) : 0,
                           plane ? bitsOf(plane[2]) : 0, plane ? bitsOf(plane[3]) : 0});
    if (index != 0 || !plane) return misuse("SetClipPlane", "only plane 0 exists");
    std::memcpy(state_.clipPlane0.data(), plane, sizeof(float) * 4);
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT9* vp) {
    trace("SetViewport", {vp ? vp->X : 0u, vp ? vp->Y : 0u, vp ? vp->Width : 0u, vp ? vp->Height : 0u});
    if (!vp) return misuse("SetViewport", "null viewport");
    const SurfaceRecord* rt = pools_->surfaces.find(state_.renderTarget);
    const std::uint64_t right = std::uint64_t(vp->X) + vp->Width, bottom = std::uint64_t(vp->Y) + vp->Height;
    if (vp->Width == 0 || vp->Height == 0 || !rt || right > rt->desc.Width || bottom > rt->desc.Height ||
        vp->MinZ < 0.0f || vp->MaxZ > 1.0f || vp->MinZ > vp->MaxZ)
        return misuse("SetViewport", "viewport outside the render target or depth range outside 0..1");
    state_.viewport = *vp;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT9* out) const {
    trace("GetViewport", {});
    if (!out) return misuse("GetViewport", "null output");
    *out = state_.viewport;
    return D3D_OK;
}

HRESULT Device::SetScissorRect(const RECT* rect) {
    trace("SetScissorRect", {rect ? std::uint64_t(std::uint32_t(rect->left)) : 0u,
                             rect ? std::uint64_t(std::uint32_t(rect->top)) : 0u,
                             rect ? std::uint64_t(std::uint32_t(rect->right)) : 0u,
                             rect ? std::uint64_t(std::uint32_t(rect->bottom)) : 0u});
    if (!rect) return misuse("SetScissorRect", "null rectangle");
    const SurfaceRecord* rt = pools_->surfaces.find(state_.renderTarget);
    if (!rt || rect->left < 0 || rect->top < 0 || rect->left > rect->right || rect->top > rect->bottom ||
        std::uint32_t(rect->right) > rt->desc.Width || std::uint32_t(rect->bottom) > rt->desc.Height)
        return misuse("SetScissorRect", "rectangle outside the render target or inverted");
    state_.scissorRect = *rect;
    return D3D_OK;
}

HRESULT Device::GetScissorRect(RECT* out) const {
    trace("GetScissorRect", {});
    if (!out) return misuse("GetScissorRect", "null output");
    *out = state_.scissorRect;
    return D3D_OK;
}

HRESULT Device::SetRenderTarget(std::uint32_t index, SurfaceHandle surface) {
    trace("SetRenderTarget", {index, surface.id});
    if (index != 0) return misuse("SetRenderTarget", "only target 0 exists");
    const SurfaceRecord* s = findSurface("SetRenderTarget", surface);
    if (!s) return D3DERR_INVALIDCALL;
    if (!(s->desc.Usage & D3DUSAGE_RENDERTARGET) || formatInfo(s->desc.Format)->depth)
        return misuse("SetRenderTarget", "surface is not a colour render target");
    state_.renderTarget = surface;
    state_.viewport = D3DVIEWPORT9{0, 0, s->desc.Width, s->desc.Height, 0.0f, 1.0f};
    state_.scissorRect = RECT{0, 0, std::int32_t(s->desc.Width), std::int32_t(s->desc.Height)};
    return D3D_OK;
}

HRESULT Device::SetDepthStencilSurface(SurfaceHandle surface) {
    trace("SetDepthStencilSurface", {surface.id});
    if (surface) {
        const SurfaceRecord* s = findSurface("SetDepthStencilSurface", surface);
        if (!s) return D3DERR_INVALIDCALL;
        if (!(s->desc.Usage & D3DUSAGE_DEPTHSTENCIL)) return misuse("SetDepthStencilSurface", "not a depth-stencil surface");
    }
    state_.depthStencil = surface;
    return D3D_OK;
}

// ---- draw ----

HRESULT Device::targets(const char* call, RenderTargets* out) const {
    RenderTargets t;
    const SurfaceRecord* colour = pools_->surfaces.find(state_.renderTarget);
    t.colour = refOf(*colour);
    t.colourDesc = colour->desc;
    if (const SurfaceRecord* depth = pools_->surfaces.find(state_.depthStencil)) {
        // Direct3D draws only when the depth-stencil surface covers the
        // target and has its multisample type.
        if (depth->desc.Width < colour->desc.Width || depth->desc.Height < colour->desc.Height ||
            depth->desc.MultiSampleType != colour->desc.MultiSampleType)
            return misuse(call, "depth-stencil surface smaller than the target or of another multisample type");
        t.hasDepth = true;
        t.depth = refOf(*depth);
        t.depthDesc = depth->desc;
    }
    *out = t;
    return D3D_OK;
}

HRESULT Device::SetFVF(std::uint32_t fvf) {
    trace("SetFVF", {fvf});
    if (!fvfStride(fvf)) return misuse("SetFVF", "unsupported vertex format " + std::to_string(fvf));
    state_.fvf = fvf;
    return D3D_OK;
}

HRESULT Device::SetStreamSource(std::uint32_t stream, VertexBufferHandle buffer, std::uint32_t offsetBytes,
                                std::uint32_t stride) {
    trace("SetStreamSource", {stream, buffer.id, offsetBytes, stride});
    if (stream != 0) return misuse("SetStreamSource", "only stream 0 exists");
    if (buffer) {
        const BufferRecord* b = findBuffer(buffer, false);
        if (!b) return misuse("SetStreamSource", "stale vertex buffer handle");
        if (offsetBytes > b->length) return misuse("SetStreamSource", "offset past the end of the buffer");
    }
    state_.stream = buffer;
    state_.streamOffset = offsetBytes;
    state_.streamStride = stride;
    return D3D_OK;
}

namespace {

std::uint64_t verticesFor(D3DPRIMITIVETYPE type, std::uint32_t primitives) {
    switch (type) {
        case D3DPT_POINTLIST: return primitives;
        case D3DPT_LINELIST: return 2ull * primitives;
        case D3DPT_TRIANGLELIST: return 3ull * primitives;
        case D3DPT_TRIANGLESTRIP: return primitives + 2ull;
    }
    return 0;
}

}  // namespace

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex, std::uint32_t primitiveCount) {
    trace("DrawPrimitive", {type, startVertex, primitiveCount});
    const char* call = "DrawPrimitive";
    if (!inScene_) return misuse(call, "outside BeginScene/EndScene");
    const std::uint64_t vertices = verticesFor(type, primitiveCount);
    if (vertices == 0 || primitiveCount == 0) return misuse(call, "unsupported primitive type or no primitives");
    if (FAILED(checkStream(call, startVertex, startVertex + vertices))) return D3DERR_INVALIDCALL;
    RenderTargets t;
    if (FAILED(targets(call, &t))) return D3DERR_INVALIDCALL;
    if (drawingSuppressed()) return D3D_OK;
    return backend_->draw(state_, t, type, startVertex, static_cast<std::uint32_t>(vertices));
}

HRESULT Device::checkStream(const char* call, std::uint64_t first, std::uint64_t end) const {
    const BufferRecord* b = findBuffer(state_.stream, false);
    if (!b) return misuse(call, "no vertex buffer on stream 0");
    if (b->locked) return misuse(call, "vertex buffer is locked");
    const std::uint32_t stride = fvfStride(state_.fvf);
    if (!stride || stride != state_.streamStride)
        return misuse(call, "vertex format and stream stride do not match");
    if (first > end || state_.streamOffset + end * stride > b->length)
        return misuse(call, "draw reads past the end of the vertex buffer");
    if (state_.program && !pools_->programs.find(state_.program)) return misuse(call, "stale program handle");
    return D3D_OK;
}

HRESULT Device::SetIndices(IndexBufferHandle buffer) {
    trace("SetIndices", {buffer.id});
    if (buffer && !findBuffer(VertexBufferHandle{buffer.id}, true))
        return misuse("SetIndices", "stale index buffer handle");
    state_.indices = buffer;
    return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::int32_t baseVertexIndex,
                                     std::uint32_t minVertexIndex, std::uint32_t numVertices,
                                     std::uint32_t startIndex, std::uint32_t primitiveCount) {
    trace("DrawIndexedPrimitive", {type, std::uint64_t(std::int64_t(baseVertexIndex)), minVertexIndex, numVertices,
                                   startIndex, primitiveCount});
    const char* call = "DrawIndexedPrimitive";
    if (!inScene_) return misuse(call, "outside BeginScene/EndScene");
    const std::uint64_t indices = verticesFor(type, primitiveCount);
    if (indices == 0 || primitiveCount == 0) return misuse(call, "unsupported primitive type or no primitives");
    const BufferRecord* ib = findBuffer(VertexBufferHandle{state_.indices.id}, true);
    if (!ib) return misuse(call, "no index buffer set");
    if (ib->locked) return misuse(call, "index buffer is locked");
    if ((startIndex + indices) * ib->indexSize > ib->length)
        return misuse(call, "draw reads past the end of the index buffer");
    const std::int64_t first = std::int64_t(baseVertexIndex) + minVertexIndex;
    if (numVertices == 0 || first < 0) return misuse(call, "vertex range outside the stream");
    if (FAILED(checkStream(call, std::uint64_t(first), std::uint64_t(first) + numVertices)))
        return D3DERR_INVALIDCALL;
    RenderTargets t;
    if (FAILED(targets(call, &t))) return D3DERR_INVALIDCALL;
    if (drawingSuppressed()) return D3D_OK;
    return backend_->drawIndexed(state_, t, type, baseVertexIndex, startIndex, static_cast<std::uint32_t>(indices),
                                 ib->indexSize);
}

HRESULT Device::Clear(std::uint32_t count, const RECT* rects, std::uint32_t flags, D3DCOLOR colour, float z,
                      std::uint32_t stencil) {
    trace("Clear", {count, flags, colour, bitsOf(z), stencil});
    if (count != 0 || rects) return misuse("Clear", "only whole-viewport clears are offered");
    if (flags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) return misuse("Clear", "unknown flags");
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !pools_->surfaces.find(state_.depthStencil))
        return misuse("Clear", "depth or stencil clear without a depth-stencil surface");
    if (z < 0.0f || z > 1.0f) return misuse("Clear", "depth outside 0..1");
    RenderTargets t;
    if (FAILED(targets("Clear", &t))) return D3DERR_INVALIDCALL;
    if (flags == 0 || drawingSuppressed()) return D3D_OK;
    return backend_->clear(state_, t, flags, colour, z, stencil);
}

// ---- effect hook ----

HRESULT Device::CreateProgram(const std::string& vertexSource, const std::string& fragmentSource,
                              ProgramHandle* out, std::string* errors) {
    trace("CreateProgram", {});
    if (!out) return misuse("CreateProgram", "null output");
    *out = ProgramHandle{};
    if (vertexSource.empty() || fragmentSource.empty()) return misuse("CreateProgram", "empty shader source");
    ProgramHandle h = pools_->programs.add({});
    std::string log;
    const HRESULT hr = backend_->createProgram(h.index(), vertexSource, fragmentSource, &log);
    if (FAILED(hr)) {
        pools_->programs.remove(h);
        if (errors) *errors = log;
        logLine(std::string("gfx::Device::CreateProgram - failed: ") + resultName(hr) + "\n" + log);
        return hr;
    }
    *out = h;
    return D3D_OK;
}

HRESULT Device::SetProgram(ProgramHandle program) {
    trace("SetProgram", {program.id});
    if (program && !pools_->programs.find(program)) return misuse("SetProgram", "stale program handle");
    state_.program = program;
    return D3D_OK;
}

HRESULT Device::SetProgramUniform(ProgramHandle program, const std::string& name, UniformType type,
                                  const void* data, std::uint32_t count) {
    trace("SetProgramUniform", {program.id, static_cast<std::uint64_t>(type), count});
    if (!pools_->programs.find(program)) return misuse("SetProgramUniform", "stale program handle");
    if (!data || count == 0 || name.empty()) return misuse("SetProgramUniform", "no name or no data");
    if ((type == UniformType::Sampler2D || type == UniformType::SamplerCube) &&
        (count != 1 || *static_cast<const std::uint32_t*>(data) >= kStageCount))
        return misuse("SetProgramUniform", "a sampler takes one stage number below 8");
    return backend_->setProgramUniform(program.index(), name, type, data, count);
}

HRESULT Device::Release(ProgramHandle program) {
    trace("Release", {program.id});
    if (!pools_->programs.find(program)) return misuse("Release", "stale program handle");
    if (state_.program == program) state_.program = ProgramHandle{};
    backend_->destroyProgram(program.index());
    pools_->programs.remove(program);
    return D3D_OK;
}

ResourceState Device::State(ProgramHandle program) const {
    return pools_->programs.find(program) ? ResourceState::Valid : ResourceState::Stale;
}

}  // namespace gfx
