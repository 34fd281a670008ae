// The main window: a frame with the menu bar, the strip the tool bars sit
// on, the 3-D view and the status line, run modally: ShowModal runs its own
// event loop until EndModal, and the program ends when it returns. Unlike a
// modal dialog it holds no input grab, so the floating tool bars take clicks
// and keys beside it, and the menu bar opens from the keyboard (Alt with a
// menu's mnemonic, F10) as every GTK program's does.
//
// The engine starts inside the view the first time its OpenGL context can be
// made (GTK realises the canvas only some time after the dialog is shown):
// the application creates the engine on the view and initialises it (the
// settings are read then), and only then does the window take its stored
// placement, set its menu's check marks, place the tool bars, select the
// empty mode and make its commands. From then on the 1 ms timer hands each
// tick to the application's frame drive.
//
// The commands' decisions live in tbProjectCommands and tbViewCommands; this
// window opens the dialogs they ask for (tbCommandWindows). The mouse gate
// reads where the pointer is from the windows' own mouse events
// (tbPointerTracker). The close box asks to save first and can be cancelled;
// Enter and Esc do nothing here (Shift+Esc quits through the engine).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/frame.h>
#include <wx/timer.h>

#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbInput.h"
#include "app/shell/tbPointerTracker.h"
#include "app/shell/tbToolbarHost.h"

class CtolvaneBuilderApp;
class tbProjectCommands;
class tbSchemeEditing;
class tbViewCommands;
class tbViewWindowHost;
class wxEventLoopBase;
class wxMenu;
class wxMenuBar;
class wxMenuItem;
class wxStaticText;

namespace sitebars {
class SiteBarsPresenter;
}

namespace ui {
class GlViewCanvas;
class ViewInputFeeder;
class WxWindowSystem;
}  // namespace ui

class CtolvaneBuilderDlg : public wxFrame, public tbCommandWindows, public tbInput::Actions {
public:
    enum : int { idRenderView = 1001, idBottomFrame = 1107, idStatusLine = 1108, idTopStrip = 1114 };

    CtolvaneBuilderDlg(CtolvaneBuilderApp& app, ui::WxWindowSystem& windows, wxWindow* parent = nullptr);
    ~CtolvaneBuilderDlg() override;

    // Shows the window and runs its event loop until EndModal; gives
    // EndModal's result. The window is hidden again when it returns.
    int ShowModal();
    void EndModal(int result);
    bool IsModal() const { return modalLoop_ != nullptr; }

    ui::GlViewCanvas* view() const { return view_; }
    // Frames presented since the engine started.
    long framesDrawn() const { return framesDrawn_; }
    bool engineStarted() const { return engineStarted_; }
    // Stops the frames, lets go of the application and makes the view's
    // context current so the engine can let go of its OpenGL objects; called
    // before the application goes, which must happen before this window goes.
    bool prepareEngineShutdown();

    tbToolbarHost& toolbars() { return toolbars_; }
    const tbPointerTracker& pointer() const { return pointer_; }
    // The menu's top-level menus by title ("File", ... "Help").
    wxMenu* menu(const std::string& title) const;
    // The menu's item of a command id.
    wxMenuItem* menuItem(int id) const;
    // Runs a menu command as choosing it does (nothing before the engine runs).
    void runCommand(int id);
    // The check marks and enabled items as the menu shows them when opened.
    void updateMenu();

    void setStatusText(const std::string& text);
    std::string statusText() const;

    // ---- tbCommandWindows.
    std::string pickModel() override;
    std::string chooseFile(const tbFileRequest& request) override;
    std::string chooseSchemeName(const std::string& schemeName, const std::string& modelName) override;
    bool chooseSiteNames(std::string& fileName, std::string& name, std::string& description) override;
    void showOptions() override;
    void setTitle(const std::string& title) override { SetTitle(wxString::FromUTF8(title)); }
    void quit() override { quitNow(); }
    void showBar(tbBar bar) override { toolbars_.show(bar); }
    void refreshBrushBar() override { toolbars_.refreshBrushBar(); }
    void exchangeToolSettings(bool fromFile) override;
    void resetToolbars() override;
    wxWindow* boxParent() override { return this; }

    // ---- tbInput::Actions.
    // Shift+Esc, from this window's keys, the input system or the engine's
    // close request: File > Exit, once, after the event that asked.
    void askToExit() override;
    // F1: as Help > User manual, which says so when the manual cannot be opened.
    void openUserManual() override;

private:
    class PointerFilter;

    // Ends the modal run: the program goes.
    void quitNow();
    wxMenuBar* makeMenuBar();
    // The bottom frame with the status line inside it.
    wxWindow* makeStatusLine();
    // The status text wrapped to the line's width and centred in its frame.
    void placeStatusText();
    void onFrameTimer(wxTimerEvent&);
    void onMaximiseTimer(wxTimerEvent&);
    void startEngine();
    // After each frame: the engine window follows the view's size.
    void afterFrame();
    void onMenu(wxCommandEvent& event);
    void onClose(wxCloseEvent& event);
    void onMoveOrSize();
    void onPointerEvent(const wxMouseEvent& event, wxWindow* window);
    void restorePlacement();
    void recordPlacement();
    void layoutToolbars();
    std::string applicationTitle() const;

    CtolvaneBuilderApp& app_;
    ui::WxWindowSystem& windows_;
    ui::GlViewCanvas* view_ = nullptr;
    wxWindow* topStrip_ = nullptr;
    wxStaticText* statusLine_ = nullptr;
    std::string statusPlain_ = "STATUS BAR";  // as set, before wrapping
    // The menu bar's menus by title; the menu bar owns them.
    std::vector<std::pair<std::string, wxMenu*>> menus_;
    wxEventLoopBase* modalLoop_ = nullptr;
    wxTimer frameTimer_;
    wxTimer maximiseTimer_;  // the stored maximise, once the normal size is out
    tbToolbarHost toolbars_;
    tbPointerTracker pointer_;
    std::unique_ptr<PointerFilter> pointerFilter_;
    std::unique_ptr<tbViewWindowHost> windowHost_;
    std::unique_ptr<ui::ViewInputFeeder> inputFeeder_;
    std::unique_ptr<tbSchemeEditing> schemeEditing_;
    std::unique_ptr<tbProjectCommands> projectCommands_;
    std::unique_ptr<tbViewCommands> viewCommands_;
    std::unique_ptr<sitebars::SiteBarsPresenter> siteBars_;  // what the site's bars show and decide
    bool engineStarted_ = false;
    bool engineStopping_ = false;  // the frame timer is never armed again
    bool exitAsked_ = false;       // an exit is waiting to run or asking
    // The stored placement is recorded only once it has been taken.
    bool placementRestored_ = false;
    bool maximisePending_ = false;
    long framesDrawn_ = 0;
};
