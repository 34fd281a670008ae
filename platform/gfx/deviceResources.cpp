// Device front: creating, locking, copying and releasing resources.
#include <algorithm>

#include "platform/gfx/device.h"
#include "platform/gfx/deviceRecords.h"
#include "platform/gfx/formats.h"

namespace gfx {

namespace {

bool sizeValid(std::uint32_t w, std::uint32_t h) { return w >= 1 && h >= 1 && w <= 8192 && h <= 8192; }

// rect (or the whole size for null) inside w x h, aligned to blocks.
bool resolveRect(const RECT* rect, std::uint32_t w, std::uint32_t h, std::uint32_t block, RECT* out) {
    *out = rect ? *rect : RECT{0, 0, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h)};
    if (out->left < 0 || out->top < 0 || out->right > static_cast<std::int32_t>(w) ||
        out->bottom > static_cast<std::int32_t>(h) || out->left >= out->right || out->top >= out->bottom)
        return false;
    if (block > 1 && (out->left % block || out->top % block)) return false;
    return true;
}

}  // namespace

// ---- create ----

HRESULT Device::makeTexture(const char* call, const TextureDesc& in, TextureHandle* out) {
    if (!out) return misuse(call, "null output");
    *out = TextureHandle{};
    const FormatInfo* f = formatInfo(in.format);
    if (!f || f->depth) return misuse(call, "unsupported texture format " + std::to_string(in.format));
    if (!sizeValid(in.width, in.height)) return misuse(call, "size outside 1..8192");
    if ((in.usage & D3DUSAGE_RENDERTARGET) && (in.pool != D3DPOOL_DEFAULT || f->blockSize > 1))
        return misuse(call, "render-target textures must be uncompressed and in the default pool");
    if (in.pool == D3DPOOL_SYSTEMMEM) return misuse(call, "textures cannot live in system memory");
    TextureDesc desc = in;
    const std::uint32_t full = fullMipCount(in.width, in.height);
    desc.levels = in.levels == 0 ? full : std::min(in.levels, full);
    TextureRecord record;
    record.desc = desc;
    record.locked.assign((desc.cube ? 6 : 1) * desc.levels, 0);
    TextureHandle h = pools_->textures.add(std::move(record));
    const HRESULT hr = backend_->createTexture(h.index(), desc);
    if (FAILED(hr)) {
        pools_->textures.remove(h);
        logLine(std::string("gfx::Device::") + call + " - failed: " + resultName(hr) + "\n");
        return hr;
    }
    *out = h;
    return D3D_OK;
}

HRESULT Device::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                              D3DFORMAT format, D3DPOOL pool, TextureHandle* out) {
    trace("CreateTexture", {width, height, levels, usage, format, pool});
    return makeTexture("CreateTexture", TextureDesc{width, height, levels, usage, format, pool, false}, out);
}

HRESULT Device::CreateCubeTexture(std::uint32_t edge, std::uint32_t levels, std::uint32_t usage, D3DFORMAT format,
                                  D3DPOOL pool, TextureHandle* out) {
    trace("CreateCubeTexture", {edge, levels, usage, format, pool});
    return makeTexture("CreateCubeTexture", TextureDesc{edge, edge, levels, usage, format, pool, true}, out);
}

HRESULT Device::CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, D3DPOOL pool,
                                   VertexBufferHandle* out) {
    trace("CreateVertexBuffer", {length, usage, fvf, pool});
    const char* call = "CreateVertexBuffer";
    if (!out) return misuse(call, "null output");
    *out = VertexBufferHandle{};
    if (length == 0) return misuse(call, "empty buffer");
    if (fvf != 0 && !fvfStride(fvf)) return misuse(call, "unsupported vertex format " + std::to_string(fvf));
    BufferRecord record{length, usage, fvf, pool};
    VertexBufferHandle h = pools_->buffers.add(record);
    const HRESULT hr = backend_->createVertexBuffer(h.index(), length, usage);
    if (FAILED(hr)) {
        pools_->buffers.remove(h);
        logLine(std::string("gfx::Device::CreateVertexBuffer - failed: ") + resultName(hr) + "\n");
        return hr;
    }
    *out = h;
    return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, D3DFORMAT format, D3DPOOL pool,
                                  IndexBufferHandle* out) {
    trace("CreateIndexBuffer", {length, usage, format, pool});
    const char* call = "CreateIndexBuffer";
    if (!out) return misuse(call, "null output");
    *out = IndexBufferHandle{};
    if (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32)
        return misuse(call, "unsupported index format " + std::to_string(format));
    const std::uint32_t indexSize = format == D3DFMT_INDEX16 ? 2 : 4;
    if (length < indexSize) return misuse(call, "buffer smaller than one index");
    BufferRecord record{length, usage, 0, pool};
    record.indexSize = indexSize;
    const VertexBufferHandle h = pools_->buffers.add(record);
    const HRESULT hr = backend_->createVertexBuffer(h.index(), length, usage);
    if (FAILED(hr)) {
        pools_->buffers.remove(h);
        logLine(std::string("gfx::Device::CreateIndexBuffer - failed: ") + resultName(hr) + "\n");
        return hr;
    }
    out->id = h.id;
    return D3D_OK;
}

HRESULT Device::makeSurface(const char* call, SurfaceKind kind, const D3DSURFACE_DESC& desc, SurfaceHandle* out) {
    if (!out) return misuse(call, "null output");
    *out = SurfaceHandle{};
    const FormatInfo* f = formatInfo(desc.Format);
    if (!f || f->blockSize > 1 || f->depth != (kind == SurfaceKind::DepthStencil))
        return misuse(call, "unsupported surface format " + std::to_string(desc.Format));
    if (!sizeValid(desc.Width, desc.Height)) return misuse(call, "size outside 1..8192");
    SurfaceRecord record;
    record.kind = kind;
    record.desc = desc;
    SurfaceHandle h = pools_->surfaces.add(record);
    pools_->surfaces.find(h)->self = h;
    const HRESULT hr = backend_->createSurface(h.index(), kind, desc);
    if (FAILED(hr)) {
        pools_->surfaces.remove(h);
        logLine(std::string("gfx::Device::") + call + " - failed: " + resultName(hr) + "\n");
        return hr;
    }
    *out = h;
    return D3D_OK;
}

HRESULT Device::CreateRenderTarget(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                   D3DMULTISAMPLE_TYPE multiSample, std::uint32_t quality, bool lockable,
                                   SurfaceHandle* out) {
    trace("CreateRenderTarget", {width, height, format, multiSample, quality, lockable});
    D3DSURFACE_DESC d{format, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT, multiSample, quality, width, height};
    return makeSurface("CreateRenderTarget", SurfaceKind::RenderTarget, d, out);
}

HRESULT Device::CreateDepthStencilSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                          D3DMULTISAMPLE_TYPE multiSample, std::uint32_t quality, bool discard,
                                          SurfaceHandle* out) {
    trace("CreateDepthStencilSurface", {width, height, format, multiSample, quality, discard});
    D3DSURFACE_DESC d{format, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT, multiSample, quality, width, height};
    return makeSurface("CreateDepthStencilSurface", SurfaceKind::DepthStencil, d, out);
}

HRESULT Device::CreateOffscreenPlainSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                            D3DPOOL pool, SurfaceHandle* out) {
    trace("CreateOffscreenPlainSurface", {width, height, format, pool});
    D3DSURFACE_DESC d{format, 0, pool, D3DMULTISAMPLE_NONE, 0, width, height};
    return makeSurface("CreateOffscreenPlainSurface", SurfaceKind::Offscreen, d, out);
}

D3DSURFACE_DESC Device::levelDesc(const TextureRecord& t, std::uint32_t level) const {
    return D3DSURFACE_DESC{t.desc.format, t.desc.usage,          t.desc.pool,
                           D3DMULTISAMPLE_NONE, 0, mipSize(t.desc.width, level), mipSize(t.desc.height, level)};
}

HRESULT Device::makeLevelSurface(const char* call, bool cubeCall, TextureHandle texture, std::uint32_t face,
                                 std::uint32_t level, SurfaceHandle* out) {
    if (!out) return misuse(call, "null output");
    *out = SurfaceHandle{};
    TextureRecord* t = pools_->textures.find(texture);
    if (!t) return misuse(call, "stale texture handle");
    if (level >= t->desc.levels || face >= (t->desc.cube ? 6u : 1u)) return misuse(call, "no such level or face");
    if (t->desc.cube != cubeCall)
        return misuse(call, t->desc.cube ? "a cube texture needs GetCubeMapSurface" : "not a cube texture");
    SurfaceRecord record;
    record.kind = SurfaceKind::TextureLevel;
    record.desc = levelDesc(*t, level);
    record.texture = texture;
    record.face = face;
    record.level = level;
    record.lost = t->lost;
    SurfaceHandle h = pools_->surfaces.add(record);
    pools_->textures.find(texture)->views.push_back(h);
    *out = h;
    return D3D_OK;
}

HRESULT Device::GetSurfaceLevel(TextureHandle texture, std::uint32_t level, SurfaceHandle* out) {
    trace("GetSurfaceLevel", {texture.id, level});
    return makeLevelSurface("GetSurfaceLevel", false, texture, 0, level, out);
}

HRESULT Device::GetCubeMapSurface(TextureHandle cube, D3DCUBEMAP_FACES face, std::uint32_t level, SurfaceHandle* out) {
    trace("GetCubeMapSurface", {cube.id, face, level});
    return makeLevelSurface("GetCubeMapSurface", true, cube, face, level, out);
}

HRESULT Device::GetBackBuffer(std::uint32_t swapChain, std::uint32_t index, D3DBACKBUFFER_TYPE, SurfaceHandle* out) {
    trace("GetBackBuffer", {swapChain, index});
    if (swapChain != 0 || index != 0 || !out) return misuse("GetBackBuffer", "only back buffer 0 of swap chain 0");
    *out = backBuffer_;
    return D3D_OK;
}

HRESULT Device::GetRenderTarget(std::uint32_t index, SurfaceHandle* out) {
    trace("GetRenderTarget", {index});
    if (index != 0 || !out) return misuse("GetRenderTarget", "only target 0 exists");
    *out = state_.renderTarget;
    return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(SurfaceHandle* out) {
    trace("GetDepthStencilSurface", {});
    if (!out) return misuse("GetDepthStencilSurface", "null output");
    *out = state_.depthStencil;
    return state_.depthStencil ? D3D_OK : D3DERR_NOTAVAILABLE;
}

// ---- update ----

const Device::SurfaceRecord* Device::findSurface(const char* call, SurfaceHandle h) const {
    const SurfaceRecord* s = pools_->surfaces.find(h);
    if (!s) {
        misuse(call, "stale surface handle");
        return nullptr;
    }
    if (s->kind == SurfaceKind::TextureLevel && !pools_->textures.find(s->texture)) {
        misuse(call, "surface of a released texture");
        return nullptr;
    }
    return s;
}

SurfaceRef Device::refOf(const SurfaceRecord& s) const {
    if (s.kind == SurfaceKind::TextureLevel) return SurfaceRef{s.kind, s.texture.index(), s.face, s.level};
    return SurfaceRef{s.kind, s.self.index(), 0, 0};
}

std::uint8_t& Device::lockFlag(const SurfaceRecord& s) {
    if (s.kind != SurfaceKind::TextureLevel) return const_cast<SurfaceRecord&>(s).locked;
    TextureRecord* t = pools_->textures.find(s.texture);
    return t->locked[s.face * t->desc.levels + s.level];
}

HRESULT Device::lockLevel(const char* call, const SurfaceRecord& s, D3DLOCKED_RECT* out, const RECT* rect,
                          std::uint32_t flags) {
    if (!out) return misuse(call, "null output");
    const FormatInfo* f = formatInfo(s.desc.Format);
    if (f->depth) return misuse(call, "depth-stencil surfaces cannot be locked");
    if (s.desc.MultiSampleType != D3DMULTISAMPLE_NONE) return misuse(call, "multisampled surfaces cannot be locked");
    RECT r;
    if (!resolveRect(rect, s.desc.Width, s.desc.Height, f->blockSize, &r)) return misuse(call, "rectangle outside the surface");
    std::uint8_t& locked = lockFlag(s);
    if (locked) return misuse(call, "surface is already locked");
    const HRESULT hr = backend_->lockSurface(refOf(s), s.desc, r, flags, out);
    if (FAILED(hr)) return hr;
    locked = 1;
    return D3D_OK;
}

HRESULT Device::unlockLevel(const char* call, const SurfaceRecord& s) {
    std::uint8_t& locked = lockFlag(s);
    if (!locked) return misuse(call, "surface is not locked");
    locked = 0;
    return backend_->unlockSurface(refOf(s), s.desc);
}

HRESULT Device::LockRect(TextureHandle texture, std::uint32_t level, D3DLOCKED_RECT* out, const RECT* rect,
                         std::uint32_t flags) {
    trace("LockRect", {texture.id, level, flags});
    const TextureRecord* t = pools_->textures.find(texture);
    if (!t) return misuse("LockRect", "stale texture handle");
    if (level >= t->desc.levels || t->desc.cube) return misuse("LockRect", "no such level of a 2-D texture");
    SurfaceRecord s;
    s.kind = SurfaceKind::TextureLevel;
    s.desc = levelDesc(*t, level);
    s.texture = texture;
    s.level = level;
    return lockLevel("LockRect", s, out, rect, flags);
}

HRESULT Device::UnlockRect(TextureHandle texture, std::uint32_t level) {
    trace("UnlockRect", {texture.id, level});
    const TextureRecord* t = pools_->textures.find(texture);
    if (!t || level >= t->desc.levels || t->desc.cube) return misuse("UnlockRect", "stale texture or no such level");
    SurfaceRecord s;
    s.kind = SurfaceKind::TextureLevel;
    s.desc = levelDesc(*t, level);
    s.texture = texture;
    s.level = level;
    return unlockLevel("UnlockRect", s);
}

HRESULT Device::LockRect(SurfaceHandle surface, D3DLOCKED_RECT* out, const RECT* rect, std::uint32_t flags) {
    trace("LockRect", {surface.id, 0, flags});
    const SurfaceRecord* s = findSurface("LockRect", surface);
    return s ? lockLevel("LockRect", *s, out, rect, flags) : D3DERR_INVALIDCALL;
}

HRESULT Device::UnlockRect(SurfaceHandle surface) {
    trace("UnlockRect", {surface.id, 0});
    const SurfaceRecord* s = pools_->surfaces.find(surface);
    if (!s || (s->kind == SurfaceKind::TextureLevel && !pools_->textures.find(s->texture)))
        return misuse("UnlockRect", "stale surface handle");
    return unlockLevel("UnlockRect", *s);
}

Device::BufferRecord* Device::findBuffer(VertexBufferHandle h, bool indices) const {
    BufferRecord* b = pools_->buffers.find(h);
    return b && (b->indexSize != 0) == indices ? b : nullptr;
}

namespace {

const char* bufferKind(bool indices) { return indices ? "index buffer" : "vertex buffer"; }

}  // namespace

HRESULT Device::lockBuffer(const char* call, VertexBufferHandle h, bool indices, std::uint32_t offset,
                           std::uint32_t size, void** out, std::uint32_t flags) {
    BufferRecord* b = findBuffer(h, indices);
    if (!b) return misuse(call, std::string("stale ") + bufferKind(indices) + " handle");
    if (!out) return misuse(call, "null output");
    if (b->locked) return misuse(call, std::string(bufferKind(indices)) + " is already locked");
    if (size == 0) size = offset < b->length ? b->length - offset : 0;
    if (offset >= b->length || size > b->length - offset) return misuse(call, "range outside the buffer");
    const HRESULT hr = backend_->lockVertexBuffer(h.index(), offset, size, flags, out);
    if (FAILED(hr)) return hr;
    b->locked = true;
    return D3D_OK;
}

HRESULT Device::unlockBuffer(const char* call, VertexBufferHandle h, bool indices) {
    BufferRecord* b = findBuffer(h, indices);
    if (!b) return misuse(call, std::string("stale ") + bufferKind(indices) + " handle");
    if (!b->locked) return misuse(call, std::string(bufferKind(indices)) + " is not locked");
    b->locked = false;
    return backend_->unlockVertexBuffer(h.index());
}

HRESULT Device::Lock(VertexBufferHandle buffer, std::uint32_t offset, std::uint32_t size, void** out,
                     std::uint32_t flags) {
    trace("Lock", {buffer.id, offset, size, flags});
    return lockBuffer("Lock", buffer, false, offset, size, out, flags);
}

HRESULT Device::Unlock(VertexBufferHandle buffer) {
    trace("Unlock", {buffer.id});
    return unlockBuffer("Unlock", buffer, false);
}

HRESULT Device::Lock(IndexBufferHandle buffer, std::uint32_t offset, std::uint32_t size, void** out,
                     std::uint32_t flags) {
    trace("LockIndices", {buffer.id, offset, size, flags});
    return lockBuffer("LockIndices", VertexBufferHandle{buffer.id}, true, offset, size, out, flags);
}

HRESULT Device::Unlock(IndexBufferHandle buffer) {
    trace("UnlockIndices", {buffer.id});
    return unlockBuffer("UnlockIndices", VertexBufferHandle{buffer.id}, true);
}

HRESULT Device::StretchRect(SurfaceHandle source, const RECT* sourceRect, SurfaceHandle dest, const RECT* destRect,
                            D3DTEXTUREFILTERTYPE filter) {
    trace("StretchRect", {source.id, dest.id, filter});
    const char* call = "StretchRect";
    const SurfaceRecord* src = findSurface(call, source);
    const SurfaceRecord* dst = findSurface(call, dest);
    if (!src || !dst) return D3DERR_INVALIDCALL;
    if (source == dest) return misuse(call, "source and destination are the same surface");
    if (filter > D3DTEXF_LINEAR) return misuse(call, "unsupported filter");
    const FormatInfo* sf = formatInfo(src->desc.Format);
    const FormatInfo* df = formatInfo(dst->desc.Format);
    if (sf->depth || df->depth || sf->blockSize > 1 || df->blockSize > 1)
        return misuse(call, "only uncompressed colour surfaces can be copied");
    if (!(dst->desc.Usage & D3DUSAGE_RENDERTARGET)) return misuse(call, "destination is not a render target");
    if (src->desc.Pool == D3DPOOL_SYSTEMMEM) return misuse(call, "source is in system memory");
    if (lockFlag(*src) || lockFlag(*dst)) return misuse(call, "a surface is locked");
    RECT sr, dr;
    if (!resolveRect(sourceRect, src->desc.Width, src->desc.Height, 1, &sr) ||
        !resolveRect(destRect, dst->desc.Width, dst->desc.Height, 1, &dr))
        return misuse(call, "rectangle outside its surface");
    if (drawingSuppressed()) return D3D_OK;
    return backend_->stretchRect(refOf(*src), src->desc, sr, refOf(*dst), dst->desc, dr, filter);
}

HRESULT Device::GetLevelDesc(TextureHandle texture, std::uint32_t level, D3DSURFACE_DESC* out) const {
    trace("GetLevelDesc", {texture.id, level});
    const TextureRecord* t = pools_->textures.find(texture);
    if (!t || !out || level >= t->desc.levels) return misuse("GetLevelDesc", "stale texture or no such level");
    *out = levelDesc(*t, level);
    return D3D_OK;
}

std::uint32_t Device::GetLevelCount(TextureHandle texture) const {
    trace("GetLevelCount", {texture.id});
    const TextureRecord* t = pools_->textures.find(texture);
    return t ? t->desc.levels : 0;
}

HRESULT Device::GetDesc(SurfaceHandle surface, D3DSURFACE_DESC* out) const {
    trace("GetDesc", {surface.id});
    const SurfaceRecord* s = pools_->surfaces.find(surface);
    if (!s || !out) return misuse("GetDesc", "stale surface handle");
    *out = s->desc;
    return D3D_OK;
}

// ---- destroy ----

void Device::unbindTexture(TextureHandle h) {
    for (std::uint32_t stage = 0; stage < kStageCount; ++stage)
        if (state_.textures[stage] == h) {
            state_.textures[stage] = TextureHandle{};
            state_.textureIsCube[stage] = false;
        }
}

void Device::unbindSurface(SurfaceHandle h) {
    if (state_.renderTarget == h) {
        state_.renderTarget = backBuffer_;
        state_.viewport = D3DVIEWPORT9{0, 0, params_.BackBufferWidth, params_.BackBufferHeight, 0.0f, 1.0f};
        state_.scissorRect =
            RECT{0, 0, std::int32_t(params_.BackBufferWidth), std::int32_t(params_.BackBufferHeight)};
    }
    if (state_.depthStencil == h) state_.depthStencil = SurfaceHandle{};
}

HRESULT Device::Release(TextureHandle texture) {
    trace("Release", {texture.id});
    TextureRecord* t = pools_->textures.find(texture);
    if (!t) return misuse("Release", "stale texture handle");
    for (SurfaceHandle view : t->views) {
        unbindSurface(view);
        pools_->surfaces.remove(view);
    }
    unbindTexture(texture);
    backend_->destroyTexture(texture.index());
    pools_->textures.remove(texture);
    return D3D_OK;
}

HRESULT Device::Release(SurfaceHandle surface) {
    trace("Release", {surface.id});
    SurfaceRecord* s = pools_->surfaces.find(surface);
    if (!s) return misuse("Release", "stale surface handle");
    if (s->kind == SurfaceKind::BackBuffer || s->kind == SurfaceKind::DepthBuffer)
        return misuse("Release", "the device's own surfaces are never released");
    unbindSurface(surface);
    if (s->kind == SurfaceKind::TextureLevel) {
        if (TextureRecord* t = pools_->textures.find(s->texture))
            t->views.erase(std::remove(t->views.begin(), t->views.end(), surface), t->views.end());
    } else {
        backend_->destroySurface(surface.index());
    }
    pools_->surfaces.remove(surface);
    return D3D_OK;
}

HRESULT Device::Release(VertexBufferHandle buffer) {
    trace("Release", {buffer.id});
    if (!findBuffer(buffer, false)) return misuse("Release", "stale vertex buffer handle");
    if (state_.stream == buffer) state_.stream = VertexBufferHandle{};
    backend_->destroyVertexBuffer(buffer.index());
    pools_->buffers.remove(buffer);
    return D3D_OK;
}

HRESULT Device::Release(IndexBufferHandle buffer) {
    trace("Release", {buffer.id});
    const VertexBufferHandle slot{buffer.id};
    if (!findBuffer(slot, true)) return misuse("Release", "stale index buffer handle");
    if (state_.indices == buffer) state_.indices = IndexBufferHandle{};
    backend_->destroyVertexBuffer(slot.index());
    pools_->buffers.remove(slot);
    return D3D_OK;
}

ResourceState Device::State(TextureHandle texture) const {
    const TextureRecord* t = pools_->textures.find(texture);
    return !t ? ResourceState::Stale : t->lost ? ResourceState::Lost : ResourceState::Valid;
}

ResourceState Device::State(SurfaceHandle surface) const {
    const SurfaceRecord* s = pools_->surfaces.find(surface);
    if (!s) return ResourceState::Stale;
    if (s->kind == SurfaceKind::TextureLevel) return State(s->texture);
    return s->lost ? ResourceState::Lost : ResourceState::Valid;
}

ResourceState Device::State(VertexBufferHandle buffer) const {
    const BufferRecord* b = findBuffer(buffer, false);
    return !b ? ResourceState::Stale : b->lost ? ResourceState::Lost : ResourceState::Valid;
}

ResourceState Device::State(IndexBufferHandle buffer) const {
    const BufferRecord* b = findBuffer(VertexBufferHandle{buffer.id}, true);
    return !b ? ResourceState::Stale : b->lost ? ResourceState::Lost : ResourceState::Valid;
}

}  // namespace gfx
