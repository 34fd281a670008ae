// OpenGL backend: lifetime, back buffer, vertex buffers, programs and present.
// Surfaces, textures and copies are in glSurfaces.cpp, drawing in glDraw.cpp.
#include "platform/gfx/glBackend.h"

#include <algorithm>
#include <mutex>

#include "platform/gfx/device.h"
#include "platform/gfx/glCalls.h"
#include "platform/gfx/glDevice.h"

namespace gfx {

namespace {

std::mutex g_hookMutex;
GlPresentHook g_presentHook;

}  // namespace

HRESULT glResult() {
    GLenum e;
    bool oom = false, any = false;
    while ((e = GFX_GL(glGetError())) != GL_NO_ERROR) {
        any = true;
        oom |= e == GL_OUT_OF_MEMORY;
    }
    return oom ? D3DERR_OUTOFVIDEOMEMORY : any ? D3DERR_INVALIDCALL : D3D_OK;
}

void setGlPresentHook(GlPresentHook hook) {
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_presentHook = std::move(hook);
}

thread_local std::uint64_t g_glCallCount = 0;

std::uint64_t glCalls() { return glCallCount(); }

std::unique_ptr<DeviceBackend> makeGlBackend(const D3DPRESENT_PARAMETERS& params, HRESULT* hr) {
    if (epoxy_gl_version() < 33) {
        *hr = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    auto backend = std::make_unique<GlBackend>();
    *hr = backend->init(params);
    if (FAILED(*hr)) return nullptr;
    return backend;
}

void forceGlStateReapply(DeviceBackend& glBackend) { static_cast<GlBackend&>(glBackend).forceReapply(); }

// ---- lifetime ----

GlBackend::GlBackend() = default;

GlBackend::~GlBackend() {
    for (auto& [i, t] : textures_) GFX_GL(glDeleteTextures(1, &t.name));
    for (auto& [i, s] : surfaces_) freeSurfaceStorage(s);
    for (auto& [i, b] : buffers_) GFX_GL(glDeleteBuffers(1, &b.name));
    for (auto& [i, p] : programs_) GFX_GL(glDeleteProgram(p.name));
    for (auto& [k, p] : fixedPrograms_) GFX_GL(glDeleteProgram(p.name));
    for (auto& [k, fbo] : framebuffers_) GFX_GL(glDeleteFramebuffers(1, &fbo));
    freeBackBuffer();
    freeResolve();
    GFX_GL(glDeleteTextures(1, &white2D_));
    GFX_GL(glDeleteTextures(1, &whiteCube_));
    GFX_GL(glDeleteSamplers(static_cast<GLsizei>(samplers_.size()), samplers_.data()));
    GFX_GL(glDeleteVertexArrays(1, &vao_));
    GFX_GL(glBindFramebuffer(GL_FRAMEBUFFER, 0));
}

HRESULT GlBackend::init(const D3DPRESENT_PARAMETERS& params) {
    GFX_GL(glGenVertexArrays(1, &vao_));
    GFX_GL(glBindVertexArray(vao_));
    GFX_GL(glPixelStorei(GL_PACK_ALIGNMENT, 1));
    GFX_GL(glPixelStorei(GL_UNPACK_ALIGNMENT, 1));
    // Flat shading takes the first vertex's colour, as Direct3D does.
    GFX_GL(glProvokingVertex(GL_FIRST_VERTEX_CONVENTION));
    GFX_GL(glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS));
    copyImageOffered_ = epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_ARB_copy_image");

    // Unbound stages read opaque white.
    const std::uint32_t white = 0xFFFFFFFF;
    GFX_GL(glGenTextures(1, &white2D_));
    GFX_GL(glBindTexture(GL_TEXTURE_2D, white2D_));
    GFX_GL(glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &white));
    GFX_GL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0));
    GFX_GL(glGenTextures(1, &whiteCube_));
    GFX_GL(glBindTexture(GL_TEXTURE_CUBE_MAP, whiteCube_));
    for (GLenum face = 0; face < 6; ++face)
        GFX_GL(glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                            &white));
    GFX_GL(glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL, 0));

    GFX_GL(glGenSamplers(static_cast<GLsizei>(samplers_.size()), samplers_.data()));
    for (GLuint stage = 0; stage < kStageCount; ++stage) {
        GFX_GL(glBindSampler(stage, samplers_[stage]));
        GFX_GL(glBindSampler(kStageCount + stage, samplers_[stage]));
    }
    return makeBackBuffer(params);
}

void GlBackend::forceReapply() {
    raster_.invalidate();
    samplersValid_ = false;
    boundFbo_ = ~0u;
    appliedViewport_ = D3DVIEWPORT9{~0u, ~0u, 0, 0, -1.0f, -1.0f};
    appliedScissor_.known = false;
    usedProgram_ = ~0u;
    appliedStream_ = {~0u, ~0u, ~0u};
    boundUnits_.fill(~0u);
    GFX_GL(glBindVertexArray(vao_));
}

std::uint32_t glMultisampleLevels() {
    GLint maxSamples = 0;
    GFX_GL(glGetIntegerv(GL_MAX_SAMPLES, &maxSamples));
    std::uint32_t levels = 0;
    while (levels < 4 && (2 << levels) <= maxSamples) ++levels;
    return levels;
}

GLsizei glSamplesFor(D3DMULTISAMPLE_TYPE type, std::uint32_t quality) {
    const std::uint32_t levels = glMultisampleLevels();
    if (type == D3DMULTISAMPLE_NONE || levels == 0) return 0;
    return GLsizei(2) << std::min(quality, levels - 1);
}

HRESULT GlBackend::makeBackBuffer(const D3DPRESENT_PARAMETERS& params) {
    params_ = params;
    samples_ = glSamplesFor(params.MultiSampleType, params.MultiSampleQuality);
    const D3DMULTISAMPLE_TYPE ms = samples_ ? D3DMULTISAMPLE_NONMASKABLE : D3DMULTISAMPLE_NONE;
    backBuffer_ = Surface{};
    backBuffer_.kind = SurfaceKind::BackBuffer;
    backBuffer_.desc = D3DSURFACE_DESC{D3DFMT_X8R8G8B8, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT, ms, 0,
                                       params.BackBufferWidth, params.BackBufferHeight};
    // The back buffer keeps RGBA8 so destination alpha exists for blending.
    HRESULT hr = makeSurfaceStorage(backBuffer_);
    if (FAILED(hr)) return hr;
    if (params.EnableAutoDepthStencil) {
        depthBuffer_ = Surface{};
        depthBuffer_.kind = SurfaceKind::DepthBuffer;
        depthBuffer_.desc = D3DSURFACE_DESC{params.AutoDepthStencilFormat, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT,
                                            ms, 0, params.BackBufferWidth, params.BackBufferHeight};
        hr = makeSurfaceStorage(depthBuffer_);
        if (FAILED(hr)) return hr;
    }
    forceReapply();
    return glResult();
}

void GlBackend::freeBackBuffer() {
    for (Surface* s : {&backBuffer_, &depthBuffer_}) {
        if (s->renderbuffer) dropFramebuffersUsing(s->renderbuffer, true);
        if (s->texture) dropFramebuffersUsing(s->texture, false);
        freeSurfaceStorage(*s);
    }
}

HRESULT GlBackend::reset(const D3DPRESENT_PARAMETERS& params) {
    freeBackBuffer();
    return makeBackBuffer(params);
}

// ---- vertex buffers ----

HRESULT GlBackend::createVertexBuffer(std::uint32_t index, std::uint32_t bytes, std::uint32_t usage) {
    Buffer b;
    b.shadow.assign(bytes, 0);
    b.usage = (usage & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW;
    b.storedBytes = bytes;
    GFX_GL(glGenBuffers(1, &b.name));
    GFX_GL(glBindBuffer(GL_ARRAY_BUFFER, b.name));
    GFX_GL(glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), nullptr, b.usage));
    appliedStream_ = {~0u, ~0u, ~0u};
    const HRESULT hr = glResult();
    if (FAILED(hr)) {
        GFX_GL(glDeleteBuffers(1, &b.name));
        return hr;
    }
    buffers_[index] = std::move(b);
    return D3D_OK;
}

HRESULT GlBackend::lockVertexBuffer(std::uint32_t index, std::uint32_t offset, std::uint32_t bytes,
                                    std::uint32_t flags, void** out) {
    Buffer& b = buffers_.at(index);
    b.lockOffset = offset;
    b.lockBytes = bytes;
    b.lockFlags = flags;
    *out = b.shadow.data() + offset;
    return D3D_OK;
}

HRESULT GlBackend::unlockVertexBuffer(std::uint32_t index) {
    Buffer& b = buffers_.at(index);
    if (b.lockFlags & D3DLOCK_READONLY) return D3D_OK;
    const std::uint32_t end = b.lockOffset + b.lockBytes;
    // A discarding lock orphans the old storage instead of waiting for draws
    // that still read it. What lies outside the locked range is undefined
    // then, as on Direct3D, so the new storage ends with the range: drivers
    // clear new storage, and a whole buffer's worth for every immediate
    // draw of a few vertices cost more than the draw. A later lock or draw
    // past that end stores the whole shadow again.
    if (b.lockFlags & D3DLOCK_DISCARD) {
        storeBuffer(b, end);
    } else if (end > b.storedBytes) {
        storeBuffer(b, std::uint32_t(b.shadow.size()));
    } else {
        GFX_GL(glBindBuffer(GL_ARRAY_BUFFER, b.name));
        appliedStream_ = {~0u, ~0u, ~0u};
        GFX_GL(glBufferSubData(GL_ARRAY_BUFFER, GLintptr(b.lockOffset), GLsizeiptr(b.lockBytes),
                               b.shadow.data() + b.lockOffset));
    }
    return glResult();
}

void GlBackend::storeBuffer(Buffer& b, std::uint32_t bytes) {
    GFX_GL(glBindBuffer(GL_ARRAY_BUFFER, b.name));
    appliedStream_ = {~0u, ~0u, ~0u};
    GFX_GL(glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), b.shadow.data(), b.usage));
    b.storedBytes = bytes;
}

void GlBackend::keepStored(Buffer& b, std::uint64_t bytes) {
    if (bytes > b.storedBytes) storeBuffer(b, std::uint32_t(b.shadow.size()));
}

void GlBackend::destroyVertexBuffer(std::uint32_t index) {
    auto it = buffers_.find(index);
    if (it == buffers_.end()) return;
    GFX_GL(glDeleteBuffers(1, &it->second.name));
    buffers_.erase(it);
    appliedStream_ = {~0u, ~0u, ~0u};
}

// ---- programs ----

HRESULT GlBackend::createProgram(std::uint32_t index, const std::string& vertexSource,
                                 const std::string& fragmentSource, std::string* errors) {
    GlProgram p;
    if (!buildProgram(vertexSource, fragmentSource, &p, errors)) return D3DERR_INVALIDCALL;
    programs_[index] = p;
    usedProgram_ = ~0u;
    return D3D_OK;
}

void GlBackend::destroyProgram(std::uint32_t index) {
    auto it = programs_.find(index);
    if (it == programs_.end()) return;
    GFX_GL(glDeleteProgram(it->second.name));
    programs_.erase(it);
    usedProgram_ = ~0u;
}

HRESULT GlBackend::setProgramUniform(std::uint32_t index, const std::string& name, UniformType type,
                                     const void* data, std::uint32_t count) {
    GlProgram& p = programs_.at(index);
    auto cached = p.namedLocations.find(name);
    if (cached == p.namedLocations.end())
        cached = p.namedLocations.emplace(name, GFX_GL(glGetUniformLocation(p.name, name.c_str()))).first;
    const GLint loc = cached->second;
    if (loc < 0) return D3D_OK;  // as an effect ignores parameters it does not declare
    GFX_GL(glUseProgram(p.name));
    usedProgram_ = p.name;
    const auto* f = static_cast<const float*>(data);
    const GLsizei n = GLsizei(count);
    switch (type) {
        case UniformType::Float: GFX_GL(glUniform1fv(loc, n, f)); break;
        case UniformType::Float4: GFX_GL(glUniform4fv(loc, n, f)); break;
        case UniformType::Matrix4: GFX_GL(glUniformMatrix4fv(loc, n, GL_FALSE, f)); break;
        case UniformType::Sampler2D:
            GFX_GL(glUniform1i(loc, GLint(*static_cast<const std::uint32_t*>(data))));
            break;
        case UniformType::SamplerCube:
            GFX_GL(glUniform1i(loc, GLint(kStageCount + *static_cast<const std::uint32_t*>(data))));
            break;
    }
    return glResult();
}

// ---- present ----

HRESULT GlBackend::present(const RECT* source, const RECT* dest) {
    GlPresentHook hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_presentHook;
    }
    int windowW = 0, windowH = 0;
    if (!hook.windowSize || !hook.windowSize(&windowW, &windowH)) return D3D_OK;  // headless
    const GLuint readFbo = readFramebufferFor(SurfaceRef{SurfaceKind::BackBuffer}, backBuffer_.desc);
    const RECT whole{0, 0, std::int32_t(params_.BackBufferWidth), std::int32_t(params_.BackBufferHeight)};
    const RECT s = source ? *source : whole;
    const RECT d = dest ? *dest : RECT{0, 0, windowW, windowH};
    GFX_GL(glBindFramebuffer(GL_READ_FRAMEBUFFER, readFbo));
    GFX_GL(glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0));
    boundFbo_ = ~0u;
    // A context without a window surface has no default framebuffer to show.
    if (GFX_GL(glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER)) != GL_FRAMEBUFFER_COMPLETE) return D3D_OK;
    GFX_GL(glDisable(GL_SCISSOR_TEST));
    // The window's rows run bottom-up: this is the one place the image flips.
    GFX_GL(glBlitFramebuffer(s.left, s.top, s.right, s.bottom, d.left, windowH - d.top, d.right, windowH - d.bottom,
                             GL_COLOR_BUFFER_BIT, GL_LINEAR));
    if (hook.swap) hook.swap();
    return glResult();
}

HRESULT GlBackend::getRasterStatus(D3DRASTER_STATUS* out) {
    // GL paces frames through the swap interval; report the blank at once.
    *out = D3DRASTER_STATUS{true, 0};
    return D3D_OK;
}

}  // namespace gfx
