#include "app/window/CtolvaneBuilderDlg.h"

#include <algorithm>
#include <map>
#include <span>

#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/scheme/bars/tbPaintingBars.h"
#include "app/scheme/bars/tbSchemeToolBars.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "app/scheme/tbModelSchemeKind.h"
#include "app/shell/CDlgExport.h"
#include "app/shell/CDlgFileBrowser.h"
#include "app/shell/CDlgModelPicker.h"
#include "app/shell/CDlgOptions.h"
#include "app/shell/CDlgOptionsTarget.h"
#include "app/shell/CDlgProgress.h"
#include "app/shell/tbApplication.h"
#include "app/window/tbMainMenu.h"
#include "app/window/tbMenuIds.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbProject.h"
#include "app/window/tbProjectCommands.h"
#include "app/scheme/tbSchemeEditing.h"
#include "app/window/tbViewCommands.h"
#include "app/shell/tbViewWindowHost.h"
#include "app/shell/tbWindowPlacement.h"
#include "app/site/bars/tbSiteToolBars.h"
#include "app/site/tbFlyingSiteKind.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/glDevice.h"
#include "platform/ui/glViewCanvas.h"
#include "platform/ui/viewInputFeeder.h"
#include "platform/ui/wxWindowSystem.h"

namespace {

constexpr int kStripHeight = 40;
// The status line's room inside its frame: above and below, and either side.
constexpr int kStatusMargin = 4;
constexpr int kStatusInset = 4;
// Long enough for GTK to have sent the restored size to the window manager.
constexpr int kMaximiseDelayMs = 250;

// wx refuses item ids above 0x7fff, where several of the program's command
// ids lie (Undo is 57643): the wx items get ids of their own, by table row.
int wxIdOfRow(size_t row) { return wxID_HIGHEST + 1 + static_cast<int>(row); }

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1)
        parts.push_back(path.substr(start, slash - start));
    parts.push_back(path.substr(start));
    return parts;
}

// The labels of every menu of the table, each with its mnemonic: the menu
// bar's titles under "", a menu's entries under its path ("File/New").
std::map<std::string, std::pair<std::vector<std::string>, std::vector<std::string>>> menuLabels() {
    std::map<std::string, std::pair<std::vector<std::string>, std::vector<std::string>>> labels;
    for (const tbMenuItem& item : tbMainMenuItems()) {
        const std::vector<std::string> parts = splitPath(item.path);
        std::string menu;
        for (const std::string& part : parts) {
            std::vector<std::string>& plain = labels[menu].first;
            if (part != "-" && std::find(plain.begin(), plain.end(), part) == plain.end()) plain.push_back(part);
            menu += (menu.empty() ? "" : "/") + part;
        }
    }
    for (auto& [menu, pair] : labels) pair.second = tbWithMnemonics(pair.first);
    return labels;
}

// The menus in the order of the table, each made once: "File/New/Model
// scheme" makes "File", its submenu "New" and the item.
wxMenu* submenu(wxMenu* parent, const wxString& label, const wxString& marked) {
    for (wxMenuItem* item : parent->GetMenuItems())
        if (item->GetSubMenu() && item->GetItemLabelText() == label) return item->GetSubMenu();
    auto* menu = new wxMenu;
    parent->AppendSubMenu(menu, marked);
    return menu;
}

}  // namespace

// Follows the pointer from every mouse event of the program's windows, once
// per event, for the mouse gate and the pop-ups.
class CtolvaneBuilderDlg::PointerFilter : public wxEventFilter {
public:
    explicit PointerFilter(CtolvaneBuilderDlg& dlg) : dlg_(dlg) { wxEvtHandler::AddFilter(this); }
    ~PointerFilter() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override {
        if (const auto* mouse = dynamic_cast<const wxMouseEvent*>(&event))
            dlg_.onPointerEvent(*mouse, wxDynamicCast(event.GetEventObject(), wxWindow));
        return Event_Skip;
    }

private:
    CtolvaneBuilderDlg& dlg_;
};

CtolvaneBuilderDlg::CtolvaneBuilderDlg(CtolvaneBuilderApp& app, ui::WxWindowSystem& windows, wxWindow* parent)
    : wxFrame(parent, wxID_ANY, "TolvaneBuilder", wxDefaultPosition, wxSize(1024, 768)),
      app_(app),
      windows_(windows),
      frameTimer_(this),
      maximiseTimer_(this),
      toolbars_([this](const std::string& text) { setStatusText(text); }),
      pointer_([this] { return IsEnabled(); },
               [this](tbGatedWindow gated) {
                   for (int i = 0; i < kBarCount; ++i) {
                       const auto bar = static_cast<tbBar>(i);
                       if (tbGatedWindowOf(bar) == gated) return toolbars_.isShown(bar);
                   }
                   return false;
               }) {
    SetMenuBar(makeMenuBar());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // The strip bars float over this strip; it shows nothing itself.
    topStrip_ = new wxPanel(this, idTopStrip, wxDefaultPosition, wxSize(-1, kStripHeight));
    sizer->Add(topStrip_, 0, wxEXPAND);
    view_ = new ui::GlViewCanvas(this);
    view_->SetId(idRenderView);
    sizer->Add(view_, 1, wxEXPAND);
    sizer->Add(makeStatusLine(), 0, wxEXPAND | wxLEFT | wxRIGHT, 1);
    SetSizer(sizer);

    app_.progress().setFactory(CProgressBox::factory(this));
    pointerFilter_ = std::make_unique<PointerFilter>(*this);

    Bind(wxEVT_TIMER, &CtolvaneBuilderDlg::onFrameTimer, this, frameTimer_.GetId());
    Bind(wxEVT_TIMER, &CtolvaneBuilderDlg::onMaximiseTimer, this, maximiseTimer_.GetId());
    Bind(wxEVT_MENU, &CtolvaneBuilderDlg::onMenu, this);
    Bind(wxEVT_CLOSE_WINDOW, &CtolvaneBuilderDlg::onClose, this);
    Bind(wxEVT_MOVE, [this](wxMoveEvent& event) {
        event.Skip();
        onMoveOrSize();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        onMoveOrSize();
    });
    // A minimised window draws nothing; restored, it draws again.
    Bind(wxEVT_ICONIZE, [this](wxIconizeEvent& event) {
        event.Skip();
        if (engineStarted_) app_.setViewMinimised(event.IsIconized());
    });
    // Enter and Esc do nothing in the main window (the engine still gets
    // them as key presses), so the dialog's own handling of the two keys is
    // skipped but the key events still follow.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        // Shift+Esc exits, whichever control has the focus; the engine never
        // sees it pressed, so it does not ask a second time on the release.
        if (key == WXK_ESCAPE && event.ShiftDown()) {
            askToExit();
            return;
        }
        if (key == WXK_ESCAPE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
            event.DoAllowNextEvent();
        } else {
            event.Skip();
        }
    });
    frameTimer_.StartOnce(1);
}

CtolvaneBuilderDlg::~CtolvaneBuilderDlg() {
    frameTimer_.Stop();
    maximiseTimer_.Stop();
    pointerFilter_.reset();
    inputFeeder_.reset();
    gfx::setGlPresentHook({});
}

int CtolvaneBuilderDlg::ShowModal() {
    Show();
    wxGUIEventLoop loop;
    modalLoop_ = &loop;
    const int result = loop.Run();
    modalLoop_ = nullptr;
    Hide();
    return result;
}

void CtolvaneBuilderDlg::EndModal(int result) {
    if (modalLoop_) modalLoop_->ScheduleExit(result);
}

wxWindow* CtolvaneBuilderDlg::makeStatusLine() {
    // The frame and the line are laid out by hand: a frame's own sizer keeps
    // room for a caption above its contents, which pushed the line's text
    // below the window's bottom edge.
    auto* bottom = new wxPanel(this);
    auto* frame = new wxStaticBox(bottom, idBottomFrame, wxEmptyString);
    statusLine_ = new wxStaticText(bottom, idStatusLine, "STATUS BAR");
    // Two lines: a tool's help ("Shape tool: ...") is longer than a 1024-pixel
    // window is wide, and is wrapped at a word rather than cut.
    bottom->SetMinSize(wxSize(-1, 2 * statusLine_->GetBestSize().y + 2 * kStatusMargin));
    bottom->Bind(wxEVT_SIZE, [this, bottom, frame](wxSizeEvent&) {
        const wxSize size = bottom->GetClientSize();
        frame->SetSize(0, 0, size.x, size.y);
        placeStatusText();
    });
    return bottom;
}

void CtolvaneBuilderDlg::placeStatusText() {
    const wxSize size = statusLine_->GetParent()->GetClientSize();
    const int width = std::max(size.x - 2 * kStatusInset, 0);
    statusLine_->SetLabel(wxString::FromUTF8(statusPlain_));
    if (width > 0) statusLine_->Wrap(width);
    const int height = statusLine_->GetBestSize().y;
    statusLine_->SetSize(kStatusInset, (size.y - height) / 2, width, height);
}

wxMenuBar* CtolvaneBuilderDlg::makeMenuBar() {
    const auto labels = menuLabels();
    auto marked = [&labels](const std::string& menu, const std::string& label) {
        const auto& [plain, withMnemonics] = labels.at(menu);
        const size_t at = size_t(std::find(plain.begin(), plain.end(), label) - plain.begin());
        return wxString::FromUTF8(withMnemonics[at]);
    };
    auto* bar = new wxMenuBar;
    const std::span<const tbMenuItem> items = tbMainMenuItems();
    for (size_t row = 0; row < items.size(); ++row) {
        const tbMenuItem& item = items[row];
        const std::vector<std::string> parts = splitPath(item.path);
        auto found = std::find_if(menus_.begin(), menus_.end(), [&](const auto& m) { return m.first == parts[0]; });
        if (found == menus_.end()) {
            menus_.emplace_back(parts[0], new wxMenu);
            found = menus_.end() - 1;
            bar->Append(found->second, marked("", parts[0]));
        }
        wxMenu* menu = found->second;
        std::string path = parts[0];
        for (size_t i = 1; i + 1 < parts.size(); ++i) {
            menu = submenu(menu, wxString::FromUTF8(parts[i]), marked(path, parts[i]));
            path += "/" + parts[i];
        }
        if (item.id == 0) {
            menu->AppendSeparator();
        } else {
            menu->Append(wxIdOfRow(row), marked(path, parts.back()), wxEmptyString,
                         item.checkable ? wxITEM_CHECK : wxITEM_NORMAL);
        }
    }
    // The check marks and enabled items are brought up to date as a menu opens.
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        event.Skip();
        updateMenu();
    });
    return bar;
}

wxMenu* CtolvaneBuilderDlg::menu(const std::string& title) const {
    for (const auto& [name, menu] : menus_)
        if (name == title) return menu;
    return nullptr;
}

wxMenuItem* CtolvaneBuilderDlg::menuItem(int id) const {
    const std::span<const tbMenuItem> items = tbMainMenuItems();
    for (size_t row = 0; row < items.size(); ++row) {
        if (items[row].id != id || id == 0) continue;
        for (const auto& [title, top] : menus_)
            if (wxMenuItem* entry = top->FindItem(wxIdOfRow(row))) return entry;
    }
    return nullptr;
}

void CtolvaneBuilderDlg::updateMenu() {
    if (!viewCommands_) return;
    for (const tbMenuItem& item : tbMainMenuItems()) {
        wxMenuItem* entry = menuItem(item.id);
        if (!entry) continue;
        if (item.checkable) entry->Check(viewCommands_->isChecked(item.id));
        entry->Enable(viewCommands_->isEnabled(item.id));
    }
}

void CtolvaneBuilderDlg::onMenu(wxCommandEvent& event) {
    view_->SetFocus();
    const std::span<const tbMenuItem> items = tbMainMenuItems();
    for (size_t row = 0; row < items.size(); ++row)
        if (wxIdOfRow(row) == event.GetId()) runCommand(items[row].id);
}

void CtolvaneBuilderDlg::runCommand(int id) {
    if (!projectCommands_ || !viewCommands_) return;
    if (!projectCommands_->run(id)) viewCommands_->run(id);
    // A command changes what the view shows without any input reaching the engine.
    app_.requestRedraw();
}

void CtolvaneBuilderDlg::onClose(wxCloseEvent& event) {
    // The save prompt's Cancel keeps the program running.
    if (projectCommands_ && event.CanVeto() && !projectCommands_->promptToSave()) {
        event.Veto();
        return;
    }
    quitNow();
}

void CtolvaneBuilderDlg::onFrameTimer(wxTimerEvent&) {
    // Ticks that would run no frame return before touching the GL context.
    if (!engineStarted_) {
        if (view_->makeCurrent()) startEngine();
    } else if (app_.frameDrive().due() && view_->makeCurrent()) {
        app_.frameDrive().tick();
    }
    // The next tick comes when the next frame is due (1 ms at the soonest),
    // not every millisecond: an idle window wakes once a frame. Once the
    // engine's shutdown has begun (perhaps inside this tick) it stays stopped.
    if (!engineStopping_) frameTimer_.StartOnce(engineStarted_ ? app_.frameDrive().nextTickMs() : 1);
}

std::string CtolvaneBuilderDlg::applicationTitle() const { return "TolvaneBuilder " + app_.getVersion().text(); }

void CtolvaneBuilderDlg::startEngine() {
    engineStarted_ = true;
    gfx::GlPresentHook hook;
    hook.windowSize = [this](int* width, int* height) {
        const wxSize size = view_->backBufferSize();
        *width = size.x;
        *height = size.y;
        return true;
    };
    hook.swap = [this] { view_->SwapBuffers(); };
    gfx::setGlPresentHook(std::move(hook));
    windowHost_ = std::make_unique<tbViewWindowHost>(*this);

    const wxSize size = view_->backBufferSize();
    app_.createEngine(windows_.handleOf(view_), size.x, size.y, this);
    if (view_->swapWaitsForRefresh()) app_.frameDrive().setThresholdMs(tbFrameDrive::kPacedThresholdMs);
    app_.setViewWindows(&pointer_);
    app_.setAfterFrame([this] { afterFrame(); });
    view_->setExposeHandler([this] { app_.requestRedraw(); });
    app_.initialise();
    inputFeeder_ = std::make_unique<ui::ViewInputFeeder>(windows_, [this](const win::MSG& message) {
        app_.windowProc(message.hwnd, message.message, message.wParam, message.lParam, false);
    });

    schemeEditing_ = tbMakeCurrentSchemeEditing();
    const tbCommandContext context{*this,           app_.tools(), app_.progress(), *schemeEditing_,
                                   app_.getSettingsFolder(), applicationTitle()};
    // The project kinds the program makes, each under the menu commands that start it.
    projectCommands_ = std::make_unique<tbProjectCommands>(
        context, std::vector<tbKindCommands>{
                     {tbMenu::newModelScheme, tbMenu::openModelScheme,
                      tbModelSchemeKind(app_.tools(), app_.progress(), *schemeEditing_)},
                     {tbMenu::newFlyingSite, tbMenu::openFlyingSite, tbFlyingSiteKind(app_.progress())},
                 });
    viewCommands_ = std::make_unique<tbViewCommands>(context, app_.options(), app_.getProgramFolder());

    restorePlacement();
    updateMenu();
    simLog("initToolbars...");
    app_.tools().setView(&toolbars_);
    tbCreatePaintingBars(this, toolbars_, app_);
    tbCreateSchemeToolBars(this, toolbars_, app_, *this);
    siteBars_ = tbCreateSiteToolBars(this, toolbars_, app_, *this);
    tbStoredPlacement stored;
    if (const tbOptions* options = app_.options())
        stored = {options->windowPosX, options->windowPosY, options->windowSizeX, options->windowSizeY};
    toolbars_.initToolbars(stored, tbScreenRect(*topStrip_));
    // The strip bars take the strip's width now, not at the window's next
    // move or resize.
    layoutToolbars();
    app_.tools().setTool(app_.tools().tool());
    app_.tools().setMode(tbToolState::kModeNone);
    simLog("done...");
    setStatusText("Ready");
    setTitle(applicationTitle());
    // The bars go to their places beside the view once the window has its
    // size; the placement of that first layout is not recorded.
    CallAfter([this] { resetToolbars(); });
    // Keys go to the engine through the view.
    view_->SetFocus();
    simLog("CtolvaneBuilderDlg::OnInitDialog]\n");
}

void CtolvaneBuilderDlg::restorePlacement() {
    tbOptions* options = app_.options();
    if (!options) return;
    std::vector<tbRect> displays;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        const wxRect area = wxDisplay(i).GetClientArea();
        const tbRect rect{area.x, area.y, area.width, area.height};
        if (wxDisplay(i).IsPrimary()) {
            displays.insert(displays.begin(), rect);
        } else {
            displays.push_back(rect);
        }
    }
    const tbRect rect = tbRestoredPlacement(
        {options->windowPosX, options->windowPosY, options->windowSizeX, options->windowSizeY}, displays);
    SetSize(rect.x, rect.y, rect.width, rect.height);
    placementRestored_ = true;
    // GTK hands the new size to the window manager only at its next layout,
    // after a maximise asked for now would have reached it: the manager
    // would then keep the size the window was mapped with as the one to
    // return to. So the maximise waits until the size has gone out, timed
    // from when the loop is free again (the rest of the start-up can take
    // longer than the wait).
    if (options->maximised) {
        maximisePending_ = true;
        CallAfter([this] { maximiseTimer_.StartOnce(kMaximiseDelayMs); });
    }
}

void CtolvaneBuilderDlg::onMaximiseTimer(wxTimerEvent&) {
    maximisePending_ = false;
    Maximize(true);
}

void CtolvaneBuilderDlg::recordPlacement() {
    tbOptions* options = app_.options();
    if (!options || !placementRestored_) return;
    tbWindowSettings settings{
        {options->windowPosX, options->windowPosY, options->windowSizeX, options->windowSizeY}, options->maximised};
    const tbWindowShow show = IsIconized()     ? tbWindowShow::minimised
                              : IsMaximized() ? tbWindowShow::maximised
                                              : tbWindowShow::normal;
    tbRecordPlacement(settings, show, tbScreenRect(*this), maximisePending_);
    options->windowPosX = settings.normal.x;
    options->windowPosY = settings.normal.y;
    options->windowSizeX = settings.normal.width;
    options->windowSizeY = settings.normal.height;
    options->maximised = settings.maximised;
}

void CtolvaneBuilderDlg::onMoveOrSize() {
    layoutToolbars();
    recordPlacement();
}

void CtolvaneBuilderDlg::layoutToolbars() {
    if (topStrip_) toolbars_.layout(tbScreenRect(*topStrip_), tbScreenRect(*this));
}

void CtolvaneBuilderDlg::resetToolbars() { toolbars_.reset(tbScreenRect(*view_)); }

void CtolvaneBuilderDlg::onPointerEvent(const wxMouseEvent& event, wxWindow* window) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN) toolbars_.closePopups(window);
    if (window == view_) {
        if (type == wxEVT_LEAVE_WINDOW) {
            pointer_.pointerInView(false);
            return;
        }
        // A drag holds the mouse: its events come here from outside the view too.
        const wxSize size = view_->GetClientSize();
        const wxPoint at = event.GetPosition();
        pointer_.pointerInView(at.x >= 0 && at.y >= 0 && at.x <= size.x && at.y <= size.y);
        return;
    }
    // Leaving any other window says nothing about where the pointer went, and
    // nor does a wheel turn there: wx hands a turn over the view on to the
    // view's parents.
    if (type == wxEVT_LEAVE_WINDOW || type == wxEVT_MOUSEWHEEL) return;
    if (const std::optional<tbBar> bar = toolbars_.barOf(window)) {
        pointer_.pointerOverBar(tbGatedWindowOf(*bar));
    } else {
        pointer_.pointerElsewhere();
    }
}

void CtolvaneBuilderDlg::afterFrame() {
    ++framesDrawn_;
    // While the pointer is off the view an Alt held as it left counts as let go.
    app_.releaseAltOutsideView();
    // The engine was told to shut down (the script function); its close
    // requests come to askToExit instead.
    if (app_.isQuitRequested()) {
        quitNow();
        return;
    }
    simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    if (!window) return;
    const wxSize size = view_->backBufferSize();
    if (size.x <= 0 || size.y <= 0) return;
    if (static_cast<int>(window->getWidth()) == size.x && static_cast<int>(window->getHeight()) == size.y) return;
    d3dx::Vector2 engineSize(static_cast<float>(size.x), static_cast<float>(size.y));
    window->setWindowSize(engineSize);
    window->applyChanges();
    if (auto* scene = dynamic_cast<simScene*>(g_graphics->getScene())) {
        for (simCamera* camera : scene->getCameras().getList())
            camera->setViewport(d3dx::Vector2(0.0f, 0.0f), engineSize);
    }
    // The model's screen positions, which picking reads, follow the new size.
    if (tbProject* project = tbProject::current()) project->refresh();
}

bool CtolvaneBuilderDlg::prepareEngineShutdown() {
    engineStopping_ = true;
    frameTimer_.Stop();
    inputFeeder_.reset();
    app_.progress().setFactory({});
    app_.tools().setView(nullptr);
    app_.setViewWindows(nullptr);
    app_.setAfterFrame({});
    view_->setExposeHandler({});
    return view_->makeCurrent();
}

void CtolvaneBuilderDlg::setStatusText(const std::string& text) {
    statusPlain_ = text;
    placeStatusText();
}

std::string CtolvaneBuilderDlg::statusText() const { return statusPlain_; }

std::string CtolvaneBuilderDlg::pickModel() {
    std::string model;
    CDlgSelectModel picker(&model, utils::joinPath(app_.getProgramFolder(), "resources"), this);
    picker.ShowModal();
    return model;
}

std::string CtolvaneBuilderDlg::chooseFile(const tbFileRequest& request) {
    std::string path = request.defaultName;
    CFileBrowserDlg browser(&path, request.filters, request.folder, request.title, request.okText, request.saveMode,
                            this);
    browser.ShowModal();
    return path;
}

std::string CtolvaneBuilderDlg::chooseSchemeName(const std::string& schemeName, const std::string& modelName) {
    std::string name = schemeName;
    CDlgExportScheme names(&name, app_.getSettingsFolder(), modelName, this);
    names.ShowModal();
    return name;
}

bool CtolvaneBuilderDlg::chooseSiteNames(std::string& fileName, std::string& name, std::string& description) {
    std::string chosenFile = fileName, chosenName = name, chosenDescription = description;
    CDlgExportFlyingSite names(&chosenFile, &chosenName, &chosenDescription, app_.getSettingsFolder(), this);
    names.ShowModal();
    // The dialog tells a cancel by an empty file name.
    if (chosenFile.empty()) return false;
    fileName = chosenFile;
    name = chosenName;
    description = chosenDescription;
    return true;
}

void CtolvaneBuilderDlg::exchangeToolSettings(bool fromFile) {
    if (fromFile)
        tbBarSettings().afterOpen();
    else
        tbBarSettings().afterNew();
}

void CtolvaneBuilderDlg::showOptions() {
    tbOptions* options = app_.options();
    if (!options) return;
    tbOptionsTarget target(*options);
    CDlgOptions dialog(target, options->swatches, this);
    dialog.ShowModal();
}

void CtolvaneBuilderDlg::quitNow() {
    if (IsModal()) EndModal(wxID_CANCEL);
}

void CtolvaneBuilderDlg::askToExit() {
    // The question is not asked inside the engine's event or frame that
    // asked, and a second request while it waits or asks is the same one.
    if (exitAsked_) return;
    exitAsked_ = true;
    CallAfter([this] {
        if (projectCommands_) {
            projectCommands_->run(tbMenu::exit);
        } else {
            quitNow();
        }
        exitAsked_ = false;
    });
}

void CtolvaneBuilderDlg::openUserManual() { runCommand(tbMenu::userManual); }
