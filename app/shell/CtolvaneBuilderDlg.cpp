#include "app/shell/CtolvaneBuilderDlg.h"

#include <wx/sizer.h>
#include <wx/utils.h>

#include "app/shell/tbApplication.h"
#include "app/shell/tbCamera.h"
#include "app/shell/tbViewWindowHost.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/glDevice.h"
#include "platform/ui/glViewCanvas.h"
#include "platform/ui/viewInputFeeder.h"
#include "platform/ui/wxWindowSystem.h"

CtolvaneBuilderDlg::CtolvaneBuilderDlg(CtolvaneBuilderApp& app, ui::WxWindowSystem& windows, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Tolvane Builder", wxDefaultPosition, wxSize(1024, 768),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX | wxMINIMIZE_BOX),
      app_(app),
      windows_(windows),
      frameTimer_(this) {
    view_ = new ui::GlViewCanvas(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(view_, 1, wxEXPAND);
    SetSizer(sizer);

    Bind(wxEVT_TIMER, &CtolvaneBuilderDlg::onFrameTimer, this, frameTimer_.GetId());
    frameTimer_.StartOnce(1);
}

CtolvaneBuilderDlg::~CtolvaneBuilderDlg() {
    frameTimer_.Stop();
    inputFeeder_.reset();
    gfx::setGlPresentHook({});
}

void CtolvaneBuilderDlg::onFrameTimer(wxTimerEvent&) {
    // Ticks that would run no frame return before touching the GL context.
    if (!engineStarted_) {
        if (view_->makeCurrent()) startEngine();
    } else if (app_.frameDrive().due() && view_->makeCurrent()) {
        app_.frameDrive().tick();
    }
    // The next tick comes when the next frame is due (1 ms at the soonest),
    // not every millisecond: an idle window wakes once a frame.
    frameTimer_.StartOnce(engineStarted_ ? app_.frameDrive().nextTickMs() : 1);
}

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
    app_.setViewWindows(this);
    app_.setAfterFrame([this] { afterFrame(); });
    app_.initialise();
    inputFeeder_ = std::make_unique<ui::ViewInputFeeder>(windows_, [this](const win::MSG& message) {
        app_.windowProc(message.hwnd, message.message, message.wParam, message.lParam, false);
    });
}

void CtolvaneBuilderDlg::afterFrame() {
    ++framesDrawn_;
    // The engine was asked to close (its window procedure on a close
    // request, the script function, its own Shift+Esc).
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
}

bool CtolvaneBuilderDlg::prepareEngineShutdown() {
    frameTimer_.Stop();
    inputFeeder_.reset();
    app_.setViewWindows(nullptr);
    app_.setAfterFrame({});
    return view_->makeCurrent();
}

bool CtolvaneBuilderDlg::isCursorInsideView() const {
    const wxRect rect = view_->GetScreenRect();
    const wxPoint cursor = wxGetMousePosition();
    // Edges included: the right and bottom edge pixels count too.
    return cursor.x >= rect.x && cursor.y >= rect.y && cursor.x <= rect.GetRight() + 1 &&
           cursor.y <= rect.GetBottom() + 1;
}

void CtolvaneBuilderDlg::quitNow() {
    if (IsModal()) EndModal(wxID_CANCEL);
}

void CtolvaneBuilderDlg::openFile(const std::string& path) { wxLaunchDefaultApplication(path); }
