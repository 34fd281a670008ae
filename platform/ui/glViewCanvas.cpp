// epoxy's GL headers must come before the system's, which wx's canvas includes.
#include <epoxy/glx.h>

#include "platform/ui/glViewCanvas.h"

#include <wx/dcclient.h>
#include <wx/log.h>

#include "platform/gfx/direct3d.h"
#include "platform/ui/displayMode.h"

namespace ui {

namespace {

wxGLAttributes canvasAttributes() {
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).Stencil(8).EndList();
    return attrs;
}

// Asks the current context's window to swap on the display's refresh, by
// whichever of the three swap-interval extensions the driver offers. True
// when the driver then reports an interval of one.
bool waitForRefreshOnSwap() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return false;
    const int screen = DefaultScreen(display);
    if (epoxy_has_glx_extension(display, screen, "GLX_EXT_swap_control")) {
        glXSwapIntervalEXT(display, drawable, 1);
        unsigned interval = 0;
        glXQueryDrawable(display, drawable, GLX_SWAP_INTERVAL_EXT, &interval);
        return interval == 1;
    }
    if (epoxy_has_glx_extension(display, screen, "GLX_MESA_swap_control"))
        return glXSwapIntervalMESA(1) == 0 && glXGetSwapIntervalMESA() == 1;
    // The oldest form cannot be read back; its success is all there is.
    if (epoxy_has_glx_extension(display, screen, "GLX_SGI_swap_control")) return glXSwapIntervalSGI(1) == 0;
    return false;
}

}  // namespace

GlViewCanvas::GlViewCanvas(wxWindow* parent, wxWindowID id)
    : wxGLCanvas(parent, canvasAttributes(), id, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS, "view") {
    // The engine draws the whole view; erasing the background only flickers.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    // GTK realises the canvas's X window some time after the dialog is shown;
    // a GLX context made before that is refused by the server. The first
    // paint is the first moment the window surely exists.
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(this);
        painted_ = true;
        if (exposed_) exposed_();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (exposed_) exposed_();
    });
    // The adapter made over this canvas's context reports the display the
    // view is on, so views as large as that screen are not cut down.
    gfx::setScreenSource([this](gfx::D3DDISPLAYMODE* mode) {
        *mode = displayModeOf(*this);
        return true;
    });
}

GlViewCanvas::~GlViewCanvas() { gfx::setScreenSource(nullptr); }

bool GlViewCanvas::makeCurrent() {
    if (!painted_ || !IsShownOnScreen()) return false;
    if (!context_ && !contextFailed_) {
        wxGLContextAttrs attrs;
        // PlatformDefaults sets the X11 direct-rendering flag, which is otherwise
        // left unset; an indirect context is refused by servers without it (Xvfb).
        attrs.PlatformDefaults().CoreProfile().OGLVersion(3, 3).EndList();
        context_ = std::make_unique<wxGLContext>(this, nullptr, &attrs);
        if (!context_->IsOK()) {
            context_.reset();
            contextFailed_ = true;
            wxLogError("The view could not get an OpenGL 3.3 core context.");
            return false;
        }
        if (!SetCurrent(*context_)) return false;
        swapWaits_ = waitForRefreshOnSwap();
        return true;
    }
    return context_ && SetCurrent(*context_);
}

wxSize GlViewCanvas::backBufferSize() const {
    return GetClientSize() * GetContentScaleFactor();
}

}  // namespace ui
