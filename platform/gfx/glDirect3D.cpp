#include <epoxy/egl.h>
#include <epoxy/gl.h>
#include <epoxy/glx.h>

#include "platform/gfx/direct3d.h"
#include "platform/gfx/device.h"
#include "platform/gfx/glBackend.h"
#include "platform/gfx/glDevice.h"

namespace gfx {

namespace {

std::string glText(GLenum name) {
    const auto* s = reinterpret_cast<const char*>(glGetString(name));
    return s ? s : "";
}

}  // namespace

std::unique_ptr<Direct3D> makeGlDirect3D() {
    // Without a current context epoxy cannot even tell the version.
    if (eglGetCurrentContext() == EGL_NO_CONTEXT && glXGetCurrentContext() == nullptr) {
        logLine("gfx::makeGlDirect3D - no current OpenGL context\n");
        return nullptr;
    }
    if (epoxy_gl_version() < 33) {
        logLine("gfx::makeGlDirect3D - OpenGL 3.3 is needed\n");
        return nullptr;
    }
    AdapterInfo info;
    info.deviceName = glText(GL_VENDOR);
    info.driver = glText(GL_VERSION);
    info.description = glText(GL_RENDERER);
    info.desktop = currentScreen();
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    info.caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    info.caps.TextureCaps = D3DPTEXTURECAPS_MIPMAP;
    info.caps.Caps2 = D3DCAPS2_CANAUTOGENMIPMAP;
    info.caps.StencilCaps = D3DSTENCILCAPS_TWOSIDED;
    info.caps.MaxTextureWidth = info.caps.MaxTextureHeight = std::uint32_t(maxSize);
    info.caps.MaxActiveLights = 1;
    info.caps.VertexShaderVersion = D3DVS_VERSION(3, 0);
    info.caps.PixelShaderVersion = D3DPS_VERSION(3, 0);
    info.caps.NumberOfAdaptersInGroup = 1;
    info.multisampleQualityWindowed = info.multisampleQualityFullscreen = glMultisampleLevels();
    return std::make_unique<Direct3D>(std::move(info), makeGlBackend);
}

}  // namespace gfx
