// The main window: a modal dialog holding the 3-D view.
//
// A 1 ms timer drives the frame. For now a frame only clears the view.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

namespace ui {
class GlViewCanvas;
}

class CtolvaneBuilderDlg : public wxDialog {
public:
    explicit CtolvaneBuilderDlg(wxWindow* parent = nullptr);

    ui::GlViewCanvas* view() const { return view_; }
    // Frames drawn since the window opened.
    long framesDrawn() const { return framesDrawn_; }

private:
    void onFrameTimer(wxTimerEvent&);
    void renderFrame();

    ui::GlViewCanvas* view_ = nullptr;
    wxTimer frameTimer_;
    long framesDrawn_ = 0;
};
