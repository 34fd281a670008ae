// OpenGL backend: surfaces, textures, framebuffers, locks and copies.
#include <iterator>
#include <vector>

#include "platform/gfx/glBackend.h"
#include "platform/gfx/glCalls.h"

namespace gfx {

namespace {

constexpr GlFormat kGlFormats[] = {
    {D3DFMT_A8R8G8B8, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, false, false},
    {D3DFMT_X8R8G8B8, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, false, true},
    {D3DFMT_R32F, GL_R32F, GL_RED, GL_FLOAT, false, true},
    {D3DFMT_DXT1, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 0, 0, true, false},
    {D3DFMT_DXT5, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0, 0, true, false},
    {D3DFMT_D24S8, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, false, false},
    {D3DFMT_D16, GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, false, false},
};

GLenum faceTarget(GLenum target, std::uint32_t face) {
    return target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : target;
}

// Gives alpha (and for R32F green and blue) the value 1 when sampled, as
// Direct3D reads those formats.
void setSwizzle(GLenum target, const GlFormat& f) {
    if (!f.opaque) return;
    if (f.format == D3DFMT_R32F) {
        GFX_GL(glTexParameteri(target, GL_TEXTURE_SWIZZLE_G, GL_ONE));
        GFX_GL(glTexParameteri(target, GL_TEXTURE_SWIZZLE_B, GL_ONE));
    }
    GFX_GL(glTexParameteri(target, GL_TEXTURE_SWIZZLE_A, GL_ONE));
}

void forceOpaque(std::vector<std::uint8_t>& bgra) {
    for (std::size_t i = 3; i < bgra.size(); i += 4) bgra[i] = 0xFF;
}

}  // namespace

const GlFormat* glFormat(D3DFORMAT format) {
    for (const GlFormat& f : kGlFormats)
        if (f.format == format) return &f;
    return nullptr;
}

// ---- surfaces ----

HRESULT GlBackend::makeSurfaceStorage(Surface& s) {
    const GlFormat* f = glFormat(s.desc.Format);
    const GLsizei w = GLsizei(s.desc.Width), h = GLsizei(s.desc.Height);
    const bool depth = formatInfo(s.desc.Format)->depth;
    const GLsizei samples = s.kind == SurfaceKind::BackBuffer || s.kind == SurfaceKind::DepthBuffer
                                ? samples_
                                : glSamplesFor(s.desc.MultiSampleType, s.desc.MultiSampleQuality);
    if (s.kind == SurfaceKind::Offscreen) {
        s.memory.assign(std::size_t(formatPitch(*formatInfo(s.desc.Format), s.desc.Width)) * s.desc.Height, 0);
        return D3D_OK;
    }
    if (depth || samples) {
        GFX_GL(glGenRenderbuffers(1, &s.renderbuffer));
        GFX_GL(glBindRenderbuffer(GL_RENDERBUFFER, s.renderbuffer));
        if (samples)
            GFX_GL(glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, f->internal, w, h));
        else
            GFX_GL(glRenderbufferStorage(GL_RENDERBUFFER, f->internal, w, h));
    } else {
        GFX_GL(glGenTextures(1, &s.texture));
        GFX_GL(glBindTexture(GL_TEXTURE_2D, s.texture));
        GFX_GL(glTexImage2D(GL_TEXTURE_2D, 0, f->internal, w, h, 0, f->layout, f->type, nullptr));
        GFX_GL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0));
        boundUnits_.fill(~0u);
    }
    return glResult();
}

void GlBackend::freeSurfaceStorage(Surface& s) {
    if (s.texture) GFX_GL(glDeleteTextures(1, &s.texture));
    if (s.renderbuffer) GFX_GL(glDeleteRenderbuffers(1, &s.renderbuffer));
    s.texture = s.renderbuffer = 0;
    boundUnits_.fill(~0u);
}

HRESULT GlBackend::createSurface(std::uint32_t index, SurfaceKind kind, const D3DSURFACE_DESC& desc) {
    Surface s;
    s.kind = kind;
    s.desc = desc;
    const HRESULT hr = makeSurfaceStorage(s);
    if (FAILED(hr)) {
        freeSurfaceStorage(s);
        return hr;
    }
    surfaces_[index] = std::move(s);
    return D3D_OK;
}

void GlBackend::destroySurface(std::uint32_t index) {
    auto it = surfaces_.find(index);
    if (it == surfaces_.end()) return;
    if (it->second.texture) dropFramebuffersUsing(it->second.texture, false);
    if (it->second.renderbuffer) dropFramebuffersUsing(it->second.renderbuffer, true);
    freeSurfaceStorage(it->second);
    surfaces_.erase(it);
}

// ---- textures ----

HRESULT GlBackend::createTexture(std::uint32_t index, const TextureDesc& d) {
    const GlFormat* f = glFormat(d.format);
    const FormatInfo* info = formatInfo(d.format);
    if (f->compressed && !epoxy_has_gl_extension("GL_EXT_texture_compression_s3tc")) return D3DERR_NOTAVAILABLE;
    Texture t;
    t.desc = d;
    t.format = f;
    t.target = d.cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
    GFX_GL(glGenTextures(1, &t.name));
    GFX_GL(glBindTexture(t.target, t.name));
    boundUnits_.fill(~0u);
    std::vector<std::uint8_t> zeros;
    for (std::uint32_t face = 0; face < (d.cube ? 6u : 1u); ++face)
        for (std::uint32_t level = 0; level < d.levels; ++level) {
            const GLsizei w = GLsizei(mipSize(d.width, level)), h = GLsizei(mipSize(d.height, level));
            const GLenum target = faceTarget(t.target, face);
            if (f->compressed) {
                zeros.assign(std::size_t(formatPitch(*info, GLuint(w))) * formatRows(*info, GLuint(h)), 0);
                GFX_GL(glCompressedTexImage2D(target, GLint(level), f->internal, w, h, 0, GLsizei(zeros.size()),
                                              zeros.data()));
            } else {
                GFX_GL(glTexImage2D(target, GLint(level), f->internal, w, h, 0, f->layout, f->type, nullptr));
            }
        }
    // The level range is always set, so a texture with fewer levels than a
    // full chain is complete for mipmapped sampling.
    GFX_GL(glTexParameteri(t.target, GL_TEXTURE_BASE_LEVEL, 0));
    GFX_GL(glTexParameteri(t.target, GL_TEXTURE_MAX_LEVEL, GLint(d.levels - 1)));
    setSwizzle(t.target, *f);
    const HRESULT hr = glResult();
    if (FAILED(hr)) {
        GFX_GL(glDeleteTextures(1, &t.name));
        return hr;
    }
    textures_[index] = t;
    return D3D_OK;
}

void GlBackend::destroyTexture(std::uint32_t index) {
    auto it = textures_.find(index);
    if (it == textures_.end()) return;
    dropFramebuffersUsing(it->second.name, false);
    GFX_GL(glDeleteTextures(1, &it->second.name));
    for (auto l = locks_.begin(); l != locks_.end();)
        l = std::get<0>(l->first) == SurfaceKind::TextureLevel && std::get<1>(l->first) == index ? locks_.erase(l)
                                                                                                  : std::next(l);
    textures_.erase(it);
    boundUnits_.fill(~0u);
}

// ---- framebuffers ----

GlAttachment GlBackend::attachmentOf(const SurfaceRef& ref) {
    if (ref.kind == SurfaceKind::TextureLevel) {
        const Texture& t = textures_.at(ref.index);
        return GlAttachment{false, t.name, faceTarget(t.target, ref.face), GLint(ref.level)};
    }
    const Surface& s = ref.kind == SurfaceKind::BackBuffer    ? backBuffer_
                       : ref.kind == SurfaceKind::DepthBuffer ? depthBuffer_
                                                              : surfaces_.at(ref.index);
    return s.renderbuffer ? GlAttachment{true, s.renderbuffer, 0, 0} : GlAttachment{false, s.texture, GL_TEXTURE_2D, 0};
}

GLuint GlBackend::framebufferFor(const GlAttachment& colour, const GlAttachment* depth) {
    const auto key = std::make_pair(colour, depth ? *depth : GlAttachment{});
    auto it = framebuffers_.find(key);
    if (it != framebuffers_.end()) return it->second;
    GLuint fbo = 0;
    GFX_GL(glGenFramebuffers(1, &fbo));
    GFX_GL(glBindFramebuffer(GL_FRAMEBUFFER, fbo));
    boundFbo_ = fbo;
    const auto attach = [](GLenum point, const GlAttachment& a) {
        if (a.renderbuffer)
            GFX_GL(glFramebufferRenderbuffer(GL_FRAMEBUFFER, point, GL_RENDERBUFFER, a.name));
        else
            GFX_GL(glFramebufferTexture2D(GL_FRAMEBUFFER, point, a.target, a.name, a.level));
    };
    attach(GL_COLOR_ATTACHMENT0, colour);
    if (depth && depth->name) {
        // D24S8 has a stencil part; D16 has none.
        GLint stencilBits = 0;
        if (depth->renderbuffer) {
            GFX_GL(glBindRenderbuffer(GL_RENDERBUFFER, depth->name));
            GFX_GL(glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_STENCIL_SIZE, &stencilBits));
        }
        attach(stencilBits ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT, *depth);
    }
    framebuffers_[key] = fbo;
    return fbo;
}

void GlBackend::dropFramebuffersUsing(GLuint name, bool renderbuffer) {
    for (auto it = framebuffers_.begin(); it != framebuffers_.end();) {
        const auto& [c, d] = it->first;
        if ((c.name == name && c.renderbuffer == renderbuffer) || (d.name == name && d.renderbuffer == renderbuffer)) {
            if (boundFbo_ == it->second) boundFbo_ = ~0u;
            GFX_GL(glDeleteFramebuffers(1, &it->second));
            it = framebuffers_.erase(it);
        } else {
            ++it;
        }
    }
}

GLuint GlBackend::readFramebufferFor(const SurfaceRef& ref, const D3DSURFACE_DESC& desc) {
    const GLuint fbo = framebufferFor(attachmentOf(ref), nullptr);
    if (desc.MultiSampleType == D3DMULTISAMPLE_NONE) return fbo;
    // Multisampled surfaces are resolved into a single-sample scratch copy of
    // their size, which reads and scaled copies can then use.
    const GLsizei w = GLsizei(desc.Width), h = GLsizei(desc.Height);
    if (!resolve_.fbo || resolve_.width != w || resolve_.height != h) {
        freeResolve();
        resolve_.width = w;
        resolve_.height = h;
        GFX_GL(glGenTextures(1, &resolve_.texture));
        GFX_GL(glBindTexture(GL_TEXTURE_2D, resolve_.texture));
        boundUnits_.fill(~0u);
        GFX_GL(glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr));
        GFX_GL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0));
        GFX_GL(glGenFramebuffers(1, &resolve_.fbo));
        GFX_GL(glBindFramebuffer(GL_FRAMEBUFFER, resolve_.fbo));
        GFX_GL(glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, resolve_.texture, 0));
    }
    GFX_GL(glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo));
    GFX_GL(glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolve_.fbo));
    boundFbo_ = ~0u;
    GFX_GL(glDisable(GL_SCISSOR_TEST));
    GFX_GL(glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST));
    return resolve_.fbo;
}

void GlBackend::freeResolve() {
    if (resolve_.fbo) GFX_GL(glDeleteFramebuffers(1, &resolve_.fbo));
    if (resolve_.texture) GFX_GL(glDeleteTextures(1, &resolve_.texture));
    resolve_ = Resolve{};
}

// ---- locks ----

void GlBackend::readPixels(const SurfaceRef& ref, const D3DSURFACE_DESC& desc, std::vector<std::uint8_t>& out) {
    const GlFormat* f = glFormat(desc.Format);
    if (ref.kind == SurfaceKind::TextureLevel) {
        const Texture& t = textures_.at(ref.index);
        GFX_GL(glBindTexture(t.target, t.name));
        boundUnits_.fill(~0u);
        const GLenum target = faceTarget(t.target, ref.face);
        if (f->compressed)
            GFX_GL(glGetCompressedTexImage(target, GLint(ref.level), out.data()));
        else
            GFX_GL(glGetTexImage(target, GLint(ref.level), f->layout, f->type, out.data()));
    } else if (ref.kind == SurfaceKind::Offscreen) {
        out = surfaces_.at(ref.index).memory;
    } else {
        GFX_GL(glBindFramebuffer(GL_READ_FRAMEBUFFER, readFramebufferFor(ref, desc)));
        boundFbo_ = ~0u;
        GFX_GL(glReadPixels(0, 0, GLsizei(desc.Width), GLsizei(desc.Height), f->layout, f->type, out.data()));
    }
    if (desc.Format == D3DFMT_X8R8G8B8) forceOpaque(out);
}

void GlBackend::writePixels(const SurfaceRef& ref, const D3DSURFACE_DESC& desc, const RECT& r,
                            const std::vector<std::uint8_t>& in) {
    const GlFormat* f = glFormat(desc.Format);
    const FormatInfo* info = formatInfo(desc.Format);
    if (ref.kind == SurfaceKind::Offscreen) {
        surfaces_.at(ref.index).memory = in;
        return;
    }
    GLenum target = GL_TEXTURE_2D;
    GLint level = 0;
    if (ref.kind == SurfaceKind::TextureLevel) {
        const Texture& t = textures_.at(ref.index);
        GFX_GL(glBindTexture(t.target, t.name));
        target = faceTarget(t.target, ref.face);
        level = GLint(ref.level);
    } else if (ref.kind != SurfaceKind::BackBuffer && surfaces_.at(ref.index).texture) {
        GFX_GL(glBindTexture(GL_TEXTURE_2D, surfaces_.at(ref.index).texture));
    } else {
        // Renderbuffers (the back buffer, multisampled targets) take no
        // writes: locks of them only read.
        return;
    }
    boundUnits_.fill(~0u);
    if (f->compressed) {
        GFX_GL(glCompressedTexSubImage2D(target, level, 0, 0, GLsizei(desc.Width), GLsizei(desc.Height),
                                         f->internal, GLsizei(in.size()), in.data()));
        return;
    }
    // Only the locked rectangle goes up; the rest of the level is as it was.
    const std::size_t pitch = formatPitch(*info, desc.Width);
    GFX_GL(glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(desc.Width)));
    GFX_GL(glTexSubImage2D(target, level, r.left, r.top, r.right - r.left, r.bottom - r.top, f->layout, f->type,
                           in.data() + std::size_t(r.top) * pitch + std::size_t(r.left) * info->blockBytes));
    GFX_GL(glPixelStorei(GL_UNPACK_ROW_LENGTH, 0));
}

HRESULT GlBackend::lockSurface(const SurfaceRef& ref, const D3DSURFACE_DESC& desc, const RECT& rect,
                               std::uint32_t flags, D3DLOCKED_RECT* out) {
    const FormatInfo* info = formatInfo(desc.Format);
    Lock& lock = locks_[{ref.kind, ref.index, ref.face, ref.level}];
    lock.flags = flags;
    lock.rect = rect;
    lock.pixels.assign(std::size_t(formatPitch(*info, desc.Width)) * formatRows(*info, desc.Height), 0);
    if (!(flags & D3DLOCK_DISCARD)) readPixels(ref, desc, lock.pixels);
    const std::uint32_t pitch = formatPitch(*info, desc.Width);
    out->Pitch = std::int32_t(pitch);
    out->pBits = lock.pixels.data() + std::size_t(rect.top / info->blockSize) * pitch +
                 std::size_t(rect.left / info->blockSize) * info->blockBytes;
    return glResult();
}

HRESULT GlBackend::unlockSurface(const SurfaceRef& ref, const D3DSURFACE_DESC& desc) {
    auto it = locks_.find({ref.kind, ref.index, ref.face, ref.level});
    if (it == locks_.end()) return D3DERR_INVALIDCALL;
    if (!(it->second.flags & D3DLOCK_READONLY)) writePixels(ref, desc, it->second.rect, it->second.pixels);
    locks_.erase(it);
    return glResult();
}

// ---- copies ----

bool GlBackend::copyImage(const SurfaceRef& src, const D3DSURFACE_DESC& srcDesc, const RECT& sr,
                          const SurfaceRef& dst, const D3DSURFACE_DESC& dstDesc, const RECT& dr) {
    if (!copyImageOffered_) return false;
    if (sr.right - sr.left != dr.right - dr.left || sr.bottom - sr.top != dr.bottom - dr.top) return false;
    // The back buffer may be the window's own framebuffer and may be
    // multisampled; multisampled surfaces need a resolve.
    for (const auto* ref : {&src, &dst})
        if (ref->kind == SurfaceKind::BackBuffer || ref->kind == SurfaceKind::DepthBuffer) return false;
    if (srcDesc.MultiSampleType != D3DMULTISAMPLE_NONE || dstDesc.MultiSampleType != D3DMULTISAMPLE_NONE) return false;
    const GlFormat* sf = glFormat(srcDesc.Format);
    const GlFormat* df = glFormat(dstDesc.Format);
    if (!sf || !df || sf->internal != df->internal) return false;
    struct Image {
        GLuint name;
        GLenum target;
        GLint level, layer;
    };
    auto imageOf = [this](const SurfaceRef& ref) {
        if (ref.kind == SurfaceKind::TextureLevel) {
            const Texture& t = textures_.at(ref.index);
            return Image{t.name, t.target, GLint(ref.level), GLint(ref.face)};
        }
        const Surface& s = surfaces_.at(ref.index);
        return s.renderbuffer ? Image{s.renderbuffer, GL_RENDERBUFFER, 0, 0} : Image{s.texture, GL_TEXTURE_2D, 0, 0};
    };
    const Image from = imageOf(src), to = imageOf(dst);
    if (!from.name || !to.name) return false;
    // Both surfaces store their top row first, so rectangles copy as they are.
    GFX_GL(glCopyImageSubData(from.name, from.target, from.level, sr.left, sr.top, from.layer, to.name, to.target,
                              to.level, dr.left, dr.top, to.layer, sr.right - sr.left, sr.bottom - sr.top, 1));
    return true;
}

HRESULT GlBackend::stretchRect(const SurfaceRef& src, const D3DSURFACE_DESC& srcDesc, const RECT& sr,
                               const SurfaceRef& dst, const D3DSURFACE_DESC& dstDesc, const RECT& dr,
                               D3DTEXTUREFILTERTYPE filter) {
    if (src.kind == SurfaceKind::Offscreen) return D3DERR_INVALIDCALL;
    // A blit is a draw over the destination, whose cost on a software
    // rasteriser follows the destination's whole size; an unscaled copy
    // copies only the rectangle's memory.
    if (copyImage(src, srcDesc, sr, dst, dstDesc, dr)) return glResult();
    const GLuint readFbo = readFramebufferFor(src, srcDesc);
    const GLuint drawFbo = framebufferFor(attachmentOf(dst), nullptr);
    GFX_GL(glBindFramebuffer(GL_READ_FRAMEBUFFER, readFbo));
    GFX_GL(glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFbo));
    boundFbo_ = ~0u;
    GFX_GL(glDisable(GL_SCISSOR_TEST));
    GFX_GL(glBlitFramebuffer(sr.left, sr.top, sr.right, sr.bottom, dr.left, dr.top, dr.right, dr.bottom,
                             GL_COLOR_BUFFER_BIT, filter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST));
    return glResult();
}

}  // namespace gfx
