// Present on a context that has a window-like default framebuffer (an EGL
// pbuffer): the back buffer's top row ends up at the top of the window, the
// hook is told, and nothing changes on the device's side.
#include <epoxy/egl.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/glDevice.h"

namespace gfx {
namespace {

// A GL 3.3 core context current on a small pbuffer surface.
class PbufferContext {
public:
    PbufferContext(int width, int height) {
        display_ = eglGetDisplay(EGL_DEFAULT_DISPLAY);
        if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) return;
        eglBindAPI(EGL_OPENGL_API);
        const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint count = 0;
        if (!eglChooseConfig(display_, configAttribs, &config, 1, &count) || count == 0) return;
        const EGLint surfaceAttribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        surface_ = eglCreatePbufferSurface(display_, config, surfaceAttribs);
        const EGLint contextAttribs[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                         EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                         EGL_NONE};
        context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, contextAttribs);
        if (surface_ == EGL_NO_SURFACE || context_ == EGL_NO_CONTEXT) return;
        ok_ = eglMakeCurrent(display_, surface_, surface_, context_);
    }
    ~PbufferContext() {
        if (display_ == EGL_NO_DISPLAY) return;
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
        if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
        eglTerminate(display_);
    }
    bool ok() const { return ok_; }

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLSurface surface_ = EGL_NO_SURFACE;
    EGLContext context_ = EGL_NO_CONTEXT;
    bool ok_ = false;
};

TEST(GlPresent, BlitsTheBackBufferUprightIntoTheWindowAndCallsTheHook) {
    constexpr int kW = 8, kH = 4;
    PbufferContext context(kW, kH);
    if (!context.ok()) GTEST_SKIP() << "no EGL pbuffer with OpenGL 3.3 here";
    int swaps = 0;
    setGlPresentHook(GlPresentHook{[](int* w, int* h) {
                                       *w = kW;
                                       *h = kH;
                                       return true;
                                   },
                                   [&swaps] { ++swaps; }});
    {
        std::unique_ptr<Direct3D> d3d = makeGlDirect3D();
        ASSERT_TRUE(d3d);
        D3DPRESENT_PARAMETERS params;
        params.BackBufferWidth = kW;
        params.BackBufferHeight = kH;
        std::unique_ptr<Device> device;
        ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &params, &device), D3D_OK);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
        D3DVIEWPORT9 topRow{0, 0, kW, 1, 0.0f, 1.0f};
        device->SetViewport(&topRow);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
        ASSERT_EQ(device->Present(nullptr, nullptr), D3D_OK);
        EXPECT_EQ(swaps, 1);

        // The window's framebuffer rows run bottom-up: the top row is the last.
        std::vector<std::uint8_t> window(kW * kH * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, window.data());
        const auto red = [&](int glRow) { return window[std::size_t(glRow) * kW * 4]; };
        EXPECT_EQ(red(kH - 1), 255) << "the back buffer's top row is at the window's top";
        EXPECT_EQ(red(0), 0);
    }
    setGlPresentHook({});
}

}  // namespace
}  // namespace gfx
