// The 3-D view: a wxGLCanvas with its own OpenGL 3.3 core context.
//
// The engine draws into this canvas and creates no window of its own; while
// the canvas lives, the OpenGL adapter reports its display as the desktop. The
// context is made the first time the canvas is made current after its first
// paint, since GTK gives a canvas its native window only once it is realised.
// Where the driver can, presenting waits for the display's refresh (vsync),
// so the view never draws frames the screen cannot show.
#pragma once

#include <functional>
#include <memory>

#include <wx/glcanvas.h>

namespace ui {

class GlViewCanvas : public wxGLCanvas {
public:
    explicit GlViewCanvas(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~GlViewCanvas() override;

    // Makes the canvas's context current, creating it on first use. False
    // until the canvas has been painted once, or when no 3.3 core context exists.
    bool makeCurrent();

    // The drawable size in device pixels (the canvas's size scaled for HiDPI).
    wxSize backBufferSize() const;

    // Whether SwapBuffers waits for the display's refresh; known once the
    // context is made. False where the driver offers no swap interval (the
    // software rasteriser on a virtual X server).
    bool swapWaitsForRefresh() const { return swapWaits_; }

    // Called when the window system exposes or resizes the canvas: what it
    // showed is gone, and the owner must draw it again (the engine draws only
    // when something changed).
    void setExposeHandler(std::function<void()> handler) { exposed_ = std::move(handler); }

private:
    std::function<void()> exposed_;
    std::unique_ptr<wxGLContext> context_;
    bool contextFailed_ = false;
    bool painted_ = false;
    bool swapWaits_ = false;
};

}  // namespace ui
