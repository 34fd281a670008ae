#include "platform/gfx/eglContext.h"

#include <epoxy/egl.h>

namespace gfx {

namespace {

// EGL hands every caller the same display, and terminating it destroys every
// context made on it: the display is terminated only when the last context
// of the process goes.
int g_contextsOnDisplay = 0;

EGLDisplay openSurfacelessDisplay() {
    if (epoxy_has_egl_extension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) {
        EGLDisplay d = eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (d != EGL_NO_DISPLAY) return d;
    }
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

}  // namespace

EglContext::EglContext() {
    EGLDisplay display = openSurfacelessDisplay();
    if (display == EGL_NO_DISPLAY) {
        fail("no EGL display");
        return;
    }
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor)) {
        fail("eglInitialize failed");
        return;
    }
    display_ = display;
    ++g_contextsOnDisplay;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        fail("eglBindAPI(EGL_OPENGL_API) failed");
        return;
    }
    const EGLint configAttribs[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttribs, &config, 1, &count) || count == 0) {
        // Surfaceless displays may offer no pbuffer configs; the context needs none.
        config = nullptr;
    }
    const EGLint contextAttribs[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                     EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                     EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
    if (context == EGL_NO_CONTEXT) {
        fail("eglCreateContext for OpenGL 3.3 core failed");
        return;
    }
    context_ = context;
    if (!makeCurrent()) fail("eglMakeCurrent failed");
}

EglContext::~EglContext() {
    if (display_) {
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context_) eglDestroyContext(display_, context_);
        if (--g_contextsOnDisplay == 0) eglTerminate(display_);
    }
}

bool EglContext::makeCurrent() {
    return context_ && eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_);
}

bool EglContext::fail(const char* what) {
    error_ = what;
    if (display_ && context_) eglDestroyContext(display_, context_);
    context_ = nullptr;
    return false;
}

}  // namespace gfx
