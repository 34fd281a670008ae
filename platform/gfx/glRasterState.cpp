#include "platform/gfx/glRasterState.h"

#include <epoxy/gl.h>

#include <array>

#include "platform/gfx/glCalls.h"

namespace gfx {

namespace {

// Translation tables indexed by the Direct3D value (0 is unused).
constexpr std::array<GLenum, kCmpFuncCount> kCmp = {
    GL_ALWAYS, GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS,
};
static_assert(kCmp.size() == D3DCMP_ALWAYS + 1);

constexpr std::array<GLenum, kBlendCount> kBlend = {
    GL_ONE, GL_ZERO, GL_ONE, GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA,
};
static_assert(kBlend.size() == D3DBLEND_INVSRCALPHA + 1);

// INCR and DECR wrap on Direct3D; the saturating forms are not offered.
constexpr std::array<GLenum, kStencilOpCount> kStencilOp = {
    GL_KEEP, GL_KEEP, GL_ZERO, GL_REPLACE, GL_KEEP, GL_KEEP, GL_KEEP, GL_INCR_WRAP, GL_DECR_WRAP,
};
static_assert(kStencilOp.size() == D3DSTENCILOP_DECR + 1);

// Field positions in the key.
enum : unsigned {
    kDepthEnable = 0, kDepthWrite = 1, kDepthFunc = 2,  // 4 bits
    kBlendEnable = 6, kBlendSrc = 7, kBlendDst = 11,     // 4 + 4 bits
    kCull = 15,                                          // 2 bits
    kColourMask = 17,                                    // 4 bits
    kMultisample = 21, kClipPlane = 22,
    kStencilEnable = 23, kTwoSided = 24,
    kStencilFunc = 25, kStencilFail = 29, kStencilZFail = 33, kStencilPass = 37,
    kCcwFunc = 41, kCcwFail = 45, kCcwZFail = 49, kCcwPass = 53,  // 4 bits each, up to bit 56
};
// In hi: reference, read mask, write mask, 8 bits each.
enum : unsigned { kStencilRef = 0, kStencilReadMask = 8, kStencilWriteMask = 16 };

constexpr std::uint64_t bits(unsigned from, unsigned count) { return ((std::uint64_t(1) << count) - 1) << from; }

constexpr std::uint64_t kDepthTestGroup = bits(kDepthEnable, 1) | bits(kDepthFunc, 4);
constexpr std::uint64_t kDepthWriteGroup = bits(kDepthWrite, 1);
constexpr std::uint64_t kBlendGroup = bits(kBlendEnable, 9);
constexpr std::uint64_t kCullGroup = bits(kCull, 2);
constexpr std::uint64_t kColourMaskGroup = bits(kColourMask, 4);
constexpr std::uint64_t kMultisampleGroup = bits(kMultisample, 1);
constexpr std::uint64_t kClipGroup = bits(kClipPlane, 1);
constexpr std::uint64_t kStencilLoGroup = bits(kStencilEnable, 34);
constexpr std::uint64_t kStencilHiFuncGroup = bits(kStencilRef, 16);
constexpr std::uint64_t kStencilHiWriteGroup = bits(kStencilWriteMask, 8);

std::uint64_t field(std::uint64_t key, unsigned from, unsigned count) { return (key >> from) & bits(0, count); }

void enable(GLenum cap, bool on) {
    if (on)
        GFX_GL(glEnable(cap));
    else
        GFX_GL(glDisable(cap));
}

}  // namespace

RasterKey packRasterKey(const DeviceState& s) {
    const auto& rs = s.renderStates;
    const auto put = [](std::uint64_t value, unsigned at) { return value << at; };
    RasterKey k;
    k.lo = put(rs[D3DRS_ZENABLE] != 0, kDepthEnable) | put(rs[D3DRS_ZWRITEENABLE] != 0, kDepthWrite) |
           put(rs[D3DRS_ZFUNC], kDepthFunc) | put(rs[D3DRS_ALPHABLENDENABLE] != 0, kBlendEnable) |
           put(rs[D3DRS_SRCBLEND], kBlendSrc) | put(rs[D3DRS_DESTBLEND], kBlendDst) |
           put(rs[D3DRS_CULLMODE], kCull) | put(rs[D3DRS_COLORWRITEENABLE] & 0xF, kColourMask) |
           put(rs[D3DRS_MULTISAMPLEANTIALIAS] != 0, kMultisample) | put(rs[D3DRS_CLIPPLANEENABLE] & 1, kClipPlane);
    if (rs[D3DRS_STENCILENABLE]) {
        k.lo |= put(1, kStencilEnable) | put(rs[D3DRS_TWOSIDEDSTENCILMODE] != 0, kTwoSided) |
                put(rs[D3DRS_STENCILFUNC], kStencilFunc) | put(rs[D3DRS_STENCILFAIL], kStencilFail) |
                put(rs[D3DRS_STENCILZFAIL], kStencilZFail) | put(rs[D3DRS_STENCILPASS], kStencilPass);
        if (rs[D3DRS_TWOSIDEDSTENCILMODE])
            k.lo |= put(rs[D3DRS_CCW_STENCILFUNC], kCcwFunc) | put(rs[D3DRS_CCW_STENCILFAIL], kCcwFail) |
                    put(rs[D3DRS_CCW_STENCILZFAIL], kCcwZFail) | put(rs[D3DRS_CCW_STENCILPASS], kCcwPass);
        k.hi = put(rs[D3DRS_STENCILREF] & 0xFF, kStencilRef) | put(rs[D3DRS_STENCILMASK] & 0xFF, kStencilReadMask);
    }
    // The write mask applies whether or not the test is on (Clear ignores it).
    k.hi |= put(rs[D3DRS_STENCILWRITEMASK] & 0xFF, kStencilWriteMask);
    return k;
}

void RasterStateCache::apply(RasterKey key, bool force) {
    force = force || !valid_;
    const std::uint64_t lo = force ? ~0ull : key.lo ^ applied_.lo;
    const std::uint64_t hi = force ? ~0ull : key.hi ^ applied_.hi;
    if (!(lo | hi)) return;
    const std::uint64_t k = key.lo;

    if (lo & kDepthTestGroup) {
        enable(GL_DEPTH_TEST, field(k, kDepthEnable, 1));
        GFX_GL(glDepthFunc(kCmp[field(k, kDepthFunc, 4)]));
    }
    if (lo & kDepthWriteGroup) GFX_GL(glDepthMask(field(k, kDepthWrite, 1) ? GL_TRUE : GL_FALSE));
    if (lo & kBlendGroup) {
        enable(GL_BLEND, field(k, kBlendEnable, 1));
        GFX_GL(glBlendFunc(kBlend[field(k, kBlendSrc, 4)], kBlend[field(k, kBlendDst, 4)]));
    }
    if (lo & kCullGroup) {
        // Rendering is y-flipped, so Direct3D's clockwise faces are GL's
        // counter-clockwise (front) ones.
        const std::uint64_t cull = field(k, kCull, 2);
        enable(GL_CULL_FACE, cull != D3DCULL_NONE);
        GFX_GL(glCullFace(cull == D3DCULL_CW ? GL_FRONT : GL_BACK));
    }
    if (lo & kColourMaskGroup) {
        const std::uint64_t m = field(k, kColourMask, 4);
        GFX_GL(glColorMask(m & 1, (m >> 1) & 1, (m >> 2) & 1, (m >> 3) & 1));
    }
    if (lo & kMultisampleGroup) enable(GL_MULTISAMPLE, field(k, kMultisample, 1));
    if (lo & kClipGroup) enable(GL_CLIP_DISTANCE0, field(k, kClipPlane, 1));
    if ((lo & kStencilLoGroup) || (hi & kStencilHiFuncGroup)) {
        enable(GL_STENCIL_TEST, field(k, kStencilEnable, 1));
        const bool twoSided = field(k, kTwoSided, 1);
        const GLint ref = static_cast<GLint>(field(key.hi, kStencilRef, 8));
        const GLuint readMask = static_cast<GLuint>(field(key.hi, kStencilReadMask, 8));
        const unsigned func = twoSided ? kCcwFunc : kStencilFunc, fail = twoSided ? kCcwFail : kStencilFail;
        const unsigned zfail = twoSided ? kCcwZFail : kStencilZFail, pass = twoSided ? kCcwPass : kStencilPass;
        GFX_GL(glStencilFuncSeparate(GL_FRONT, kCmp[field(k, kStencilFunc, 4)], ref, readMask));
        GFX_GL(glStencilOpSeparate(GL_FRONT, kStencilOp[field(k, kStencilFail, 4)],
                                   kStencilOp[field(k, kStencilZFail, 4)], kStencilOp[field(k, kStencilPass, 4)]));
        GFX_GL(glStencilFuncSeparate(GL_BACK, kCmp[field(k, func, 4)], ref, readMask));
        GFX_GL(glStencilOpSeparate(GL_BACK, kStencilOp[field(k, fail, 4)], kStencilOp[field(k, zfail, 4)],
                                   kStencilOp[field(k, pass, 4)]));
    }
    if (hi & kStencilHiWriteGroup) GFX_GL(glStencilMask(static_cast<GLuint>(field(key.hi, kStencilWriteMask, 8))));
    applied_ = key;
    valid_ = true;
}

void RasterStateCache::openWriteMasksForClear() {
    GFX_GL(glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE));
    GFX_GL(glDepthMask(GL_TRUE));
    GFX_GL(glStencilMask(0xFF));
    applied_.lo = (applied_.lo & ~(kColourMaskGroup | kDepthWriteGroup)) | bits(kColourMask, 4) | bits(kDepthWrite, 1);
    applied_.hi = (applied_.hi & ~kStencilHiWriteGroup) | bits(kStencilWriteMask, 8);
}

}  // namespace gfx
