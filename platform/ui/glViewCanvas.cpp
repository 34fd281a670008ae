#include "platform/ui/glViewCanvas.h"

#include <wx/dcclient.h>
#include <wx/log.h>

namespace ui {

namespace {

wxGLAttributes canvasAttributes() {
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).Stencil(8).EndList();
    return attrs;
}

}  // namespace

GlViewCanvas::GlViewCanvas(wxWindow* parent, wxWindowID id)
    : wxGLCanvas(parent, canvasAttributes(), id, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS, "view") {
    // The engine redraws every frame; erasing the background only flickers.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    // GTK realises the canvas's X window some time after the dialog is shown;
    // a GLX context made before that is refused by the server. The first
    // paint is the first moment the window surely exists.
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(this);
        painted_ = true;
    });
}

GlViewCanvas::~GlViewCanvas() = default;

bool GlViewCanvas::makeCurrent() {
    if (!painted_ || !IsShownOnScreen()) return false;
    if (!context_ && !contextFailed_) {
        wxGLContextAttrs attrs;
        attrs.CoreProfile().OGLVersion(3, 3).EndList();
        context_ = std::make_unique<wxGLContext>(this, nullptr, &attrs);
        if (!context_->IsOK()) {
            context_.reset();
            contextFailed_ = true;
            wxLogError("The view could not get an OpenGL 3.3 core context.");
        }
    }
    return context_ && SetCurrent(*context_);
}

wxSize GlViewCanvas::backBufferSize() const {
    return GetClientSize() * GetContentScaleFactor();
}

}  // namespace ui
