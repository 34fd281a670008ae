// The main window: a modal dialog holding the 3-D view.
//
// The engine starts inside the view the first time its OpenGL context can be
// made (GTK realises the canvas only some time after the dialog is shown):
// the application creates the engine on the view, initialises it, and from
// then on the 1 ms timer hands each tick to the application's frame drive.
// The window answers the mouse gate's questions and carries out the shell's
// immediate keys (quit, open the manual).
#pragma once

#include <memory>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "app/shell/tbInput.h"
#include "app/shell/tbMouseGate.h"

class CtolvaneBuilderApp;
class tbViewWindowHost;

namespace ui {
class GlViewCanvas;
class ViewInputFeeder;
class WxWindowSystem;
}  // namespace ui

class CtolvaneBuilderDlg : public wxDialog, public tbViewWindows, public tbInput::Actions {
public:
    CtolvaneBuilderDlg(CtolvaneBuilderApp& app, ui::WxWindowSystem& windows, wxWindow* parent = nullptr);
    ~CtolvaneBuilderDlg() override;

    ui::GlViewCanvas* view() const { return view_; }
    // Frames presented since the engine started.
    long framesDrawn() const { return framesDrawn_; }
    bool engineStarted() const { return engineStarted_; }
    // Stops the frames, lets go of the application and makes the view's
    // context current so the engine can let go of its OpenGL objects; called
    // before the application goes, which must happen before this window goes.
    bool prepareEngineShutdown();

    // tbViewWindows: no tool windows exist yet.
    bool isMainWindowEnabled() const override { return IsEnabled(); }
    bool isCursorInsideView() const override;
    bool isVisibleUnderCursor(tbGatedWindow) const override { return false; }

    // tbInput::Actions.
    void quitNow() override;
    void openFile(const std::string& path) override;

private:
    void onFrameTimer(wxTimerEvent&);
    void startEngine();
    // After each frame: the engine window follows the view's size.
    void afterFrame();

    CtolvaneBuilderApp& app_;
    ui::WxWindowSystem& windows_;
    ui::GlViewCanvas* view_ = nullptr;
    wxTimer frameTimer_;
    std::unique_ptr<tbViewWindowHost> windowHost_;
    std::unique_ptr<ui::ViewInputFeeder> inputFeeder_;
    bool engineStarted_ = false;
    long framesDrawn_ = 0;
};
