// OpenGL backend: clearing and drawing with the device's state.
#include <array>
#include <cstring>

#include "platform/gfx/device.h"
#include "platform/gfx/glBackend.h"
#include "platform/gfx/glCalls.h"

namespace gfx {

namespace {

// Translation tables indexed by the Direct3D value.
constexpr std::array<GLenum, D3DPT_TRIANGLESTRIP + 1> kPrimitive = {
    GL_POINTS, GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_TRIANGLES, GL_TRIANGLE_STRIP,
};
static_assert(kPrimitive.size() == 6);

constexpr std::array<GLint, kTextureAddressCount> kAddress = {GL_REPEAT, GL_REPEAT, GL_MIRRORED_REPEAT,
                                                              GL_CLAMP_TO_EDGE};
static_assert(kAddress.size() == D3DTADDRESS_CLAMP + 1);

constexpr std::array<GLint, kTextureFilterCount> kMagFilter = {GL_NEAREST, GL_NEAREST, GL_LINEAR};
// [min filter][mip filter]
constexpr std::array<std::array<GLint, kTextureFilterCount>, kTextureFilterCount> kMinFilter = {{
    {GL_NEAREST, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST_MIPMAP_LINEAR},
    {GL_NEAREST, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST_MIPMAP_LINEAR},
    {GL_LINEAR, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_LINEAR},
}};
static_assert(kMagFilter.size() == D3DTEXF_LINEAR + 1 && kMinFilter.size() == D3DTEXF_LINEAR + 1);

void colourOf(D3DCOLOR c, float out[4]) {
    out[0] = float((c >> 16) & 0xFF) / 255.0f;
    out[1] = float((c >> 8) & 0xFF) / 255.0f;
    out[2] = float(c & 0xFF) / 255.0f;
    out[3] = float(c >> 24) / 255.0f;
}

}  // namespace

void GlBackend::bindTargets(const RenderTargets& targets, const D3DVIEWPORT9& vp) {
    const GlAttachment depth = targets.hasDepth ? attachmentOf(targets.depth) : GlAttachment{};
    const GLuint fbo = framebufferFor(attachmentOf(targets.colour), targets.hasDepth ? &depth : nullptr);
    if (fbo != boundFbo_) {
        GFX_GL(glBindFramebuffer(GL_FRAMEBUFFER, fbo));
        boundFbo_ = fbo;
    }
    // Rows are stored top first, so the viewport's top-left origin is GL's
    // lower-left one unchanged.
    if (std::memcmp(&vp, &appliedViewport_, sizeof vp) != 0) {
        GFX_GL(glViewport(GLint(vp.X), GLint(vp.Y), GLsizei(vp.Width), GLsizei(vp.Height)));
        GFX_GL(glDepthRange(vp.MinZ, vp.MaxZ));
        appliedViewport_ = vp;
    }
}

void GlBackend::applyScissor(const DeviceState& state) {
    const bool on = state.renderStates[D3DRS_SCISSORTESTENABLE] != 0;
    const RECT& r = state.scissorRect;
    const bool sameRect = appliedScissor_.rect.left == r.left && appliedScissor_.rect.top == r.top &&
                          appliedScissor_.rect.right == r.right && appliedScissor_.rect.bottom == r.bottom;
    if (appliedScissor_.known && appliedScissor_.on == on && (!on || sameRect)) return;
    if (on) {
        // Rows are stored top first, as for the viewport: the rectangle's
        // top-left origin is GL's lower-left one unchanged.
        GFX_GL(glEnable(GL_SCISSOR_TEST));
        GFX_GL(glScissor(GLint(r.left), GLint(r.top), GLsizei(r.right - r.left), GLsizei(r.bottom - r.top)));
    } else {
        GFX_GL(glDisable(GL_SCISSOR_TEST));
    }
    appliedScissor_ = AppliedScissor{true, on, r};
}

HRESULT GlBackend::clear(const DeviceState& state, const RenderTargets& targets, std::uint32_t flags,
                         D3DCOLOR colour, float z, std::uint32_t stencil) {
    bindTargets(targets, state.viewport);
    const D3DVIEWPORT9& vp = state.viewport;
    GFX_GL(glEnable(GL_SCISSOR_TEST));
    GFX_GL(glScissor(GLint(vp.X), GLint(vp.Y), GLsizei(vp.Width), GLsizei(vp.Height)));
    raster_.openWriteMasksForClear();
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
        float c[4];
        colourOf(colour, c);
        GFX_GL(glClearColor(c[0], c[1], c[2], c[3]));
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
        GFX_GL(glClearDepth(z));
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_STENCIL) {
        GFX_GL(glClearStencil(GLint(stencil & 0xFF)));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    GFX_GL(glClear(mask));
    GFX_GL(glDisable(GL_SCISSOR_TEST));
    appliedScissor_.known = false;
    return D3D_OK;
}

GlProgram* GlBackend::fixedFunctionProgram(std::uint64_t key) {
    auto it = fixedPrograms_.find(key);
    if (it != fixedPrograms_.end()) return &it->second;
    GlProgram p;
    std::string errors;
    if (!buildProgram(fixedFunctionVertexBody(key), fixedFunctionFragmentBody(key), &p, &errors)) {
        // Generated code that does not compile is a fault of this device.
        logLine("gfx::GlBackend - fixed-function program failed to build:\n" + errors);
        return nullptr;
    }
    usedProgram_ = p.name;
    return &(fixedPrograms_[key] = p);
}

void GlBackend::setUniforms(GlProgram& p, const DeviceState& s, bool fixedFunction) {
    const auto& rs = s.renderStates;
    UniformValues v{};
    v.viewport[0] = float(s.viewport.X);
    v.viewport[1] = float(s.viewport.Y);
    v.viewport[2] = float(s.viewport.Width);
    v.viewport[3] = float(s.viewport.Height);
    if (rs[D3DRS_CLIPPLANEENABLE] & 1)
        std::memcpy(v.clipPlane, s.clipPlane0.data(), sizeof v.clipPlane);
    else
        v.clipPlane[3] = 1.0f;  // everything inside
    v.alphaFunc = rs[D3DRS_ALPHATESTENABLE] ? std::int32_t(rs[D3DRS_ALPHAFUNC]) : 0;
    v.alphaRef = float(rs[D3DRS_ALPHAREF] & 0xFF);
    if (fixedFunction) {
        std::memcpy(v.world, s.world.m, sizeof v.world);
        std::memcpy(v.view, s.view.m, sizeof v.view);
        std::memcpy(v.projection, s.projection.m, sizeof v.projection);
        v.material = s.material;
        v.lightDiffuse = s.light0.Diffuse;
        v.lightSpecular = s.light0.Specular;
        v.lightAmbient = s.light0.Ambient;
        v.lightPosition = s.light0.Position;
        v.lightDirection = s.light0.Direction;
        colourOf(rs[D3DRS_AMBIENT], v.ambient);
        v.fogRange[0] = stateFloat(rs[D3DRS_FOGSTART]);
        v.fogRange[1] = stateFloat(rs[D3DRS_FOGEND]);
        colourOf(rs[D3DRS_FOGCOLOR], v.fogColour);
        colourOf(rs[D3DRS_TEXTUREFACTOR], v.textureFactor);
    }
    if (p.uploaded && std::memcmp(&v, &p.last, sizeof v) == 0) return;
    p.last = v;
    p.uploaded = true;

    const auto loc = [&](Uniform u) { return p.locations[static_cast<std::size_t>(u)]; };
    const auto vec4 = [&](Uniform u, const float* f) {
        if (loc(u) >= 0) GFX_GL(glUniform4fv(loc(u), 1, f));
    };
    const auto colour = [&](Uniform u, const D3DCOLORVALUE& c) { vec4(u, &c.r); };
    const auto matrix = [&](Uniform u, const float* m) {
        if (loc(u) >= 0) GFX_GL(glUniformMatrix4fv(loc(u), 1, GL_FALSE, m));
    };
    vec4(Uniform::Viewport, v.viewport);
    vec4(Uniform::ClipPlane, v.clipPlane);
    if (loc(Uniform::AlphaFunc) >= 0) GFX_GL(glUniform1i(loc(Uniform::AlphaFunc), v.alphaFunc));
    if (loc(Uniform::AlphaRef) >= 0) GFX_GL(glUniform1f(loc(Uniform::AlphaRef), v.alphaRef));
    if (!fixedFunction) return;
    matrix(Uniform::World, v.world);
    matrix(Uniform::View, v.view);
    matrix(Uniform::Projection, v.projection);
    colour(Uniform::MatDiffuse, v.material.Diffuse);
    colour(Uniform::MatAmbient, v.material.Ambient);
    colour(Uniform::MatSpecular, v.material.Specular);
    colour(Uniform::MatEmissive, v.material.Emissive);
    if (loc(Uniform::MatPower) >= 0) GFX_GL(glUniform1f(loc(Uniform::MatPower), v.material.Power));
    colour(Uniform::LightDiffuse, v.lightDiffuse);
    colour(Uniform::LightSpecular, v.lightSpecular);
    colour(Uniform::LightAmbient, v.lightAmbient);
    if (loc(Uniform::LightPosition) >= 0) GFX_GL(glUniform3fv(loc(Uniform::LightPosition), 1, &v.lightPosition.x));
    if (loc(Uniform::LightDirection) >= 0) GFX_GL(glUniform3fv(loc(Uniform::LightDirection), 1, &v.lightDirection.x));
    vec4(Uniform::Ambient, v.ambient);
    if (loc(Uniform::FogRange) >= 0) GFX_GL(glUniform2fv(loc(Uniform::FogRange), 1, v.fogRange));
    vec4(Uniform::FogColour, v.fogColour);
    vec4(Uniform::TextureFactor, v.textureFactor);
}

void GlBackend::bindTextures(const DeviceState& s) {
    // Stage n: its 2-D texture on unit n, its cube texture on unit 8 + n;
    // whichever is not bound reads white.
    for (std::uint32_t stage = 0; stage < kStageCount; ++stage) {
        GLuint flat = white2D_, cube = whiteCube_;
        if (s.textures[stage]) {
            auto it = textures_.find(s.textures[stage].index());
            if (it != textures_.end()) (s.textureIsCube[stage] ? cube : flat) = it->second.name;
        }
        if (boundUnits_[stage] != flat) {
            GFX_GL(glActiveTexture(GL_TEXTURE0 + stage));
            GFX_GL(glBindTexture(GL_TEXTURE_2D, flat));
            boundUnits_[stage] = flat;
        }
        if (boundUnits_[kStageCount + stage] != cube) {
            GFX_GL(glActiveTexture(GL_TEXTURE0 + kStageCount + stage));
            GFX_GL(glBindTexture(GL_TEXTURE_CUBE_MAP, cube));
            boundUnits_[kStageCount + stage] = cube;
        }
    }
    // The active unit is left as it is: uploads bind on whatever unit is
    // active and then mark every unit for re-binding.
}

void GlBackend::applySamplers(const DeviceState& s) {
    for (std::uint32_t stage = 0; stage < kStageCount; ++stage) {
        const auto& want = s.samplerStates[stage];
        auto& have = appliedSamplers_[stage];
        if (samplersValid_ && want == have) continue;
        const GLuint sm = samplers_[stage];
        GFX_GL(glSamplerParameteri(sm, GL_TEXTURE_WRAP_S, kAddress[want[D3DSAMP_ADDRESSU]]));
        GFX_GL(glSamplerParameteri(sm, GL_TEXTURE_WRAP_T, kAddress[want[D3DSAMP_ADDRESSV]]));
        GFX_GL(glSamplerParameteri(sm, GL_TEXTURE_MAG_FILTER, kMagFilter[want[D3DSAMP_MAGFILTER]]));
        GFX_GL(glSamplerParameteri(sm, GL_TEXTURE_MIN_FILTER,
                                   kMinFilter[want[D3DSAMP_MINFILTER]][want[D3DSAMP_MIPFILTER]]));
        GFX_GL(glSamplerParameterf(sm, GL_TEXTURE_LOD_BIAS, stateFloat(want[D3DSAMP_MIPMAPLODBIAS])));
        have = want;
    }
    samplersValid_ = true;
}

void GlBackend::bindStream(const DeviceState& s) {
    const Buffer& b = buffers_.at(s.stream.index());
    const auto key = std::make_tuple(b.name, s.fvf, s.streamOffset);
    if (key == appliedStream_) return;
    appliedStream_ = key;
    GFX_GL(glBindBuffer(GL_ARRAY_BUFFER, b.name));
    const auto at = [&](std::uint32_t offset) {
        return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(s.streamOffset + offset));
    };
    const auto attrib = [&](GLuint location, GLint size, GLenum type, bool normalised, GLsizei stride,
                            std::uint32_t offset) {
        GFX_GL(glEnableVertexAttribArray(location));
        GFX_GL(glVertexAttribPointer(location, size, type, normalised ? GL_TRUE : GL_FALSE, stride, at(offset)));
    };
    const auto absent = [&](GLuint location, float x, float y, float z) {
        GFX_GL(glDisableVertexAttribArray(location));
        GFX_GL(glVertexAttrib4f(location, x, y, z, 1.0f));
    };
    // D3DCOLOR bytes are B, G, R, A: GL_BGRA as the size swizzles them to RGBA.
    if (s.fvf == kFvfVertex) {
        attrib(0, 3, GL_FLOAT, false, 52, 0);
        attrib(1, 3, GL_FLOAT, false, 52, 12);
        attrib(2, GL_BGRA, GL_UNSIGNED_BYTE, true, 52, 24);
        attrib(3, 2, GL_FLOAT, false, 52, 28);
        attrib(4, 2, GL_FLOAT, false, 52, 36);
        attrib(5, 2, GL_FLOAT, false, 52, 44);
    } else {
        attrib(0, 4, GL_FLOAT, false, 28, 0);
        absent(1, 0.0f, 0.0f, 1.0f);
        attrib(2, GL_BGRA, GL_UNSIGNED_BYTE, true, 28, 16);
        attrib(3, 2, GL_FLOAT, false, 28, 20);
        absent(4, 0.0f, 0.0f, 0.0f);
        absent(5, 0.0f, 0.0f, 0.0f);
    }
}

HRESULT GlBackend::prepareDraw(const DeviceState& s, const RenderTargets& targets) {
    bindTargets(targets, s.viewport);
    raster_.apply(packRasterKey(s));
    applyScissor(s);
    const bool fixedFunction = !s.program;
    GlProgram* program = fixedFunction ? fixedFunctionProgram(fixedFunctionKey(s)) : &programs_.at(s.program.index());
    if (!program) return D3DERR_DRIVERINTERNALERROR;
    if (program->name != usedProgram_) {
        GFX_GL(glUseProgram(program->name));
        usedProgram_ = program->name;
    }
    setUniforms(*program, s, fixedFunction);
    bindTextures(s);
    applySamplers(s);
    bindStream(s);
    return D3D_OK;
}

HRESULT GlBackend::draw(const DeviceState& s, const RenderTargets& targets, D3DPRIMITIVETYPE type,
                        std::uint32_t startVertex, std::uint32_t vertexCount) {
    keepStored(buffers_.at(s.stream.index()),
               s.streamOffset + (std::uint64_t(startVertex) + vertexCount) * s.streamStride);
    if (const HRESULT hr = prepareDraw(s, targets); FAILED(hr)) return hr;
    GFX_GL(glDrawArrays(kPrimitive[type], GLint(startVertex), GLsizei(vertexCount)));
    return D3D_OK;
}

HRESULT GlBackend::drawIndexed(const DeviceState& s, const RenderTargets& targets, D3DPRIMITIVETYPE type,
                               std::int32_t baseVertex, std::uint32_t startIndex, std::uint32_t indexCount,
                               std::uint32_t indexSize) {
    // The indices may name any vertex of the stream.
    Buffer& stream = buffers_.at(s.stream.index());
    keepStored(stream, stream.shadow.size());
    keepStored(buffers_.at(s.indices.index()), (std::uint64_t(startIndex) + indexCount) * indexSize);
    if (const HRESULT hr = prepareDraw(s, targets); FAILED(hr)) return hr;
    // The element binding belongs to the vertex array object, which stays
    // bound; binding it per draw is cheap and never leaves a stale buffer.
    GFX_GL(glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_.at(s.indices.index()).name));
    const auto offset = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(startIndex) * indexSize);
    GFX_GL(glDrawElementsBaseVertex(kPrimitive[type], GLsizei(indexCount),
                                    indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT, offset, baseVertex));
    return D3D_OK;
}

}  // namespace gfx
