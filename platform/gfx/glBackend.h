// The OpenGL backend of the device (internal to platform/gfx): lifetime,
// buffers, programs and present in glBackend.cpp; surfaces, textures and
// copies in glSurfaces.cpp; drawing and clearing in glDraw.cpp.
#pragma once

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include <epoxy/gl.h>

#include "platform/gfx/deviceBackend.h"
#include "platform/gfx/formats.h"
#include "platform/gfx/glRasterState.h"
#include "platform/gfx/glShaders.h"

namespace gfx {

// How a Direct3D format is stored in GL.
struct GlFormat {
    D3DFORMAT format;
    GLenum internal, layout, type;  // layout/type for uploads and read-backs
    bool compressed;
    bool opaque;  // alpha reads 1 (X8R8G8B8); R32F also reads 1 in g, b, a
};
const GlFormat* glFormat(D3DFORMAT format);

// Drains GL's error flags into a result: D3DERR_OUTOFVIDEOMEMORY when GL ran
// out of memory, D3DERR_INVALIDCALL for any other error, else D3D_OK.
HRESULT glResult();

// Quality level q of a multisampled surface has 2 << q samples; the levels
// offered are those the implementation holds, at most four (2 to 16 samples).
std::uint32_t glMultisampleLevels();
// Samples for a surface of that type and quality; 0 for a single-sample one.
GLsizei glSamplesFor(D3DMULTISAMPLE_TYPE type, std::uint32_t quality);

// One colour or depth attachment: a texture level (of a face) or a renderbuffer.
struct GlAttachment {
    bool renderbuffer = false;
    GLuint name = 0;
    GLenum target = GL_TEXTURE_2D;  // the face target for cube maps
    GLint level = 0;
    auto tie() const { return std::tie(renderbuffer, name, target, level); }
    friend bool operator<(const GlAttachment& a, const GlAttachment& b) { return a.tie() < b.tie(); }
};

class GlBackend final : public DeviceBackend {
public:
    GlBackend();
    ~GlBackend() override;
    HRESULT init(const D3DPRESENT_PARAMETERS& params);

    void trace(const char*, std::initializer_list<std::uint64_t>) override {}

    HRESULT createTexture(std::uint32_t index, const TextureDesc& desc) override;
    HRESULT createSurface(std::uint32_t index, SurfaceKind kind, const D3DSURFACE_DESC& desc) override;
    HRESULT createVertexBuffer(std::uint32_t index, std::uint32_t bytes, std::uint32_t usage) override;
    HRESULT createProgram(std::uint32_t index, const std::string& vertexSource, const std::string& fragmentSource,
                          std::string* errors) override;

    HRESULT lockSurface(const SurfaceRef& surface, const D3DSURFACE_DESC& desc, const RECT& rect,
                        std::uint32_t flags, D3DLOCKED_RECT* out) override;
    HRESULT unlockSurface(const SurfaceRef& surface, const D3DSURFACE_DESC& desc) override;
    HRESULT lockVertexBuffer(std::uint32_t index, std::uint32_t offset, std::uint32_t bytes, std::uint32_t flags,
                             void** out) override;
    HRESULT unlockVertexBuffer(std::uint32_t index) override;
    HRESULT stretchRect(const SurfaceRef& src, const D3DSURFACE_DESC& srcDesc, const RECT& srcRect,
                        const SurfaceRef& dst, const D3DSURFACE_DESC& dstDesc, const RECT& dstRect,
                        D3DTEXTUREFILTERTYPE filter) override;
    HRESULT setProgramUniform(std::uint32_t index, const std::string& name, UniformType type, const void* data,
                              std::uint32_t count) override;

    void destroyTexture(std::uint32_t index) override;
    void destroySurface(std::uint32_t index) override;
    void destroyVertexBuffer(std::uint32_t index) override;
    void destroyProgram(std::uint32_t index) override;

    HRESULT clear(const DeviceState& state, const RenderTargets& targets, std::uint32_t flags, D3DCOLOR colour,
                  float z, std::uint32_t stencil) override;
    HRESULT draw(const DeviceState& state, const RenderTargets& targets, D3DPRIMITIVETYPE type,
                 std::uint32_t startVertex, std::uint32_t vertexCount) override;
    HRESULT drawIndexed(const DeviceState& state, const RenderTargets& targets, D3DPRIMITIVETYPE type,
                        std::int32_t baseVertex, std::uint32_t startIndex, std::uint32_t indexCount,
                        std::uint32_t indexSize) override;

    HRESULT reset(const D3DPRESENT_PARAMETERS& params) override;
    HRESULT present(const RECT* source, const RECT* dest) override;
    HRESULT getRasterStatus(D3DRASTER_STATUS* out) override;

    void forceReapply();

private:
    struct Texture {
        GLuint name = 0;
        GLenum target = GL_TEXTURE_2D;
        TextureDesc desc;
        const GlFormat* format = nullptr;
    };
    // A surface of its own: colour (texture, or renderbuffer when
    // multisampled), depth-stencil (renderbuffer), or offscreen (memory only).
    struct Surface {
        SurfaceKind kind = SurfaceKind::RenderTarget;
        D3DSURFACE_DESC desc;
        GLuint texture = 0, renderbuffer = 0;
        std::vector<std::uint8_t> memory;  // offscreen surfaces
    };
    struct Buffer {
        GLuint name = 0;
        GLenum usage = GL_STATIC_DRAW;
        std::vector<std::uint8_t> shadow;  // what the GL buffer holds, for locks
        // Bytes of the GL storage: the whole shadow, or after a discarding
        // lock only up to the end of the locked range.
        std::uint32_t storedBytes = 0;
        std::uint32_t lockOffset = 0, lockBytes = 0, lockFlags = 0;
    };
    struct Lock {
        std::vector<std::uint8_t> pixels;  // the whole level, top row first
        RECT rect;                         // the part the caller may write
        std::uint32_t flags = 0;
    };

    HRESULT makeBackBuffer(const D3DPRESENT_PARAMETERS& params);
    void freeBackBuffer();
    HRESULT makeSurfaceStorage(Surface& s);
    void freeSurfaceStorage(Surface& s);
    GlAttachment attachmentOf(const SurfaceRef& ref);
    GLuint framebufferFor(const GlAttachment& colour, const GlAttachment* depth);
    void dropFramebuffersUsing(GLuint name, bool renderbuffer);
    // An FBO whose colour attachment holds ref's pixels, resolved when multisampled.
    GLuint readFramebufferFor(const SurfaceRef& ref, const D3DSURFACE_DESC& desc);
    void freeResolve();
    // A same-size copy as a memory copy (glCopyImageSubData); false when the
    // surfaces or the GL do not allow one and the copy must be a blit.
    bool copyImage(const SurfaceRef& src, const D3DSURFACE_DESC& srcDesc, const RECT& sr, const SurfaceRef& dst,
                   const D3DSURFACE_DESC& dstDesc, const RECT& dr);
    void readPixels(const SurfaceRef& ref, const D3DSURFACE_DESC& desc, std::vector<std::uint8_t>& out);
    void writePixels(const SurfaceRef& ref, const D3DSURFACE_DESC& desc, const RECT& rect,
                     const std::vector<std::uint8_t>& in);
    void bindTargets(const RenderTargets& targets, const D3DVIEWPORT9& viewport);
    void applyScissor(const DeviceState& state);
    GlProgram* fixedFunctionProgram(std::uint64_t key);
    void setUniforms(GlProgram& program, const DeviceState& state, bool fixedFunction);
    void bindTextures(const DeviceState& state);
    void bindStream(const DeviceState& state);
    // New GL storage for the first `bytes` of the buffer's shadow.
    void storeBuffer(Buffer& buffer, std::uint32_t bytes);
    // Makes sure the GL storage holds the first `bytes` of the shadow.
    void keepStored(Buffer& buffer, std::uint64_t bytes);
    // Everything a draw needs but the draw call: targets, states, program, textures and stream.
    HRESULT prepareDraw(const DeviceState& state, const RenderTargets& targets);
    void applySamplers(const DeviceState& state);

    D3DPRESENT_PARAMETERS params_;
    GLsizei samples_ = 0;  // back-buffer samples, 0 when not multisampled
    Surface backBuffer_, depthBuffer_;
    struct Resolve {
        GLuint texture = 0, fbo = 0;
        GLsizei width = 0, height = 0;
    } resolve_;  // single-sample copy of the last multisampled surface read
    GLuint vao_ = 0;
    GLuint white2D_ = 0, whiteCube_ = 0;
    std::array<GLuint, kStageCount> samplers_{};
    std::array<std::array<std::uint32_t, kSamplerStateCount>, kStageCount> appliedSamplers_{};
    std::array<GLuint, 2 * kStageCount> boundUnits_{};
    bool samplersValid_ = false;
    bool copyImageOffered_ = false;  // glCopyImageSubData (GL 4.3 or ARB_copy_image)

    std::unordered_map<std::uint32_t, Texture> textures_;
    std::unordered_map<std::uint32_t, Surface> surfaces_;
    std::unordered_map<std::uint32_t, Buffer> buffers_;
    std::unordered_map<std::uint32_t, GlProgram> programs_;
    std::unordered_map<std::uint64_t, GlProgram> fixedPrograms_;
    std::map<std::tuple<SurfaceKind, std::uint32_t, std::uint32_t, std::uint32_t>, Lock> locks_;
    std::map<std::pair<GlAttachment, GlAttachment>, GLuint> framebuffers_;

    RasterStateCache raster_;
    GLuint boundFbo_ = ~0u;
    D3DVIEWPORT9 appliedViewport_{~0u, ~0u, 0, 0, -1.0f, -1.0f};
    // The scissor test as GL has it; a clear uses the test itself and leaves
    // this unknown.
    struct AppliedScissor {
        bool known = false, on = false;
        RECT rect;
    } appliedScissor_;
    GLuint usedProgram_ = ~0u;
    std::tuple<std::uint32_t, std::uint32_t, std::uint32_t> appliedStream_{~0u, ~0u, ~0u};
};

}  // namespace gfx
