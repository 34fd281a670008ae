#include "app/shell/CtolvaneBuilderDlg.h"

#include <epoxy/gl.h>
#include <wx/sizer.h>

#include "platform/ui/glViewCanvas.h"

CtolvaneBuilderDlg::CtolvaneBuilderDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Tolvane Builder", wxDefaultPosition, wxSize(1024, 768),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX | wxMINIMIZE_BOX),
      frameTimer_(this) {
    view_ = new ui::GlViewCanvas(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(view_, 1, wxEXPAND);
    SetSizer(sizer);

    Bind(wxEVT_TIMER, &CtolvaneBuilderDlg::onFrameTimer, this, frameTimer_.GetId());
    frameTimer_.Start(1);
}

void CtolvaneBuilderDlg::onFrameTimer(wxTimerEvent&) { renderFrame(); }

void CtolvaneBuilderDlg::renderFrame() {
    if (!view_->makeCurrent()) return;
    const wxSize size = view_->backBufferSize();
    glViewport(0, 0, size.x, size.y);
    glClearColor(0.20f, 0.30f, 0.45f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    view_->SwapBuffers();
    ++framesDrawn_;
}
