// CtolvaneBuilderApp: the editor's application object.
//
// The engine half of the program (the wx application only shows the main
// window): it holds the shared editor state (tool state, settings, progress
// box, current project through tbProject), creates the engine inside the
// main window's view, loads the editor's own resources and cameras, drives
// the frame and, when it goes, saves the settings and takes the engine down
// in order.
//
// Order of life: constructor (settings folder "<documents>/TolvaneSim/",
// its folders made) -> createEngine(view) -> initialise() -> frames through
// frameDrive().tick() from the main window's 1 ms timer -> destructor
// (settings saved, project deleted, engine destroyed).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/shell/tbFrameDrive.h"
#include "app/shell/tbInput.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplication.h"

class simConsole;
class tbOptions;
class tbViewWindows;

class CtolvaneBuilderApp : public simApplication {
public:
    // Below this the timer's ticks run no frame: the display's refresh, so an
    // idle editor does not render frames nobody sees.
    static constexpr double kFrameThresholdMs = 1000.0 / 60.0;
    static constexpr const char* kDiagnosticFile = "tolvaneBuilder_diagnostic.txt";

    // `progressBoxes` makes the progress box windows (none in tests).
    explicit CtolvaneBuilderApp(tbProgress::BoxFactory progressBoxes = {});
    // Saves the settings, deletes the current project, then the engine goes.
    ~CtolvaneBuilderApp() override;

    // The console, the options (sound off), the graphics system for the view
    // `window`, then, when graphics started, input, mouse and the rest.
    void createEngine(win::HWND window, int width, int height, tbInput::Actions* actions);
    // Settings, the engine's own initialise, the editor's resources, fonts,
    // light and cameras; starts the frame drive.
    void initialise() override;

    // A close request of the engine (its keyboard's Shift+Esc) goes to the
    // main window's exit, which asks about the open project first; without
    // a main window the engine stops as it always did.
    void close() override;

    // The mouse gate, asked of the main window's windows (closed without them).
    bool acceptsMouseInput() override;
    void setViewWindows(const tbViewWindows* windows) { m_viewWindows = windows; }
    // The main window's per-frame step, run after every frame, drawn or not.
    void setAfterFrame(std::function<void()> step) { m_afterFrame = std::move(step); }
    // The main window's per-frame step for Alt: while the mouse gate is
    // closed, an Alt held as the pointer left the view counts as let go. An
    // Alt already up is left alone, so an idle frame sends no event (and is
    // not drawn).
    void releaseAltOutsideView();
    // The main window was minimised or restored: the engine window's state
    // follows (0 minimised, 1 normal, its change applied), so a minimised
    // window draws and presents nothing at all.
    void setViewMinimised(bool minimised);

    tbToolState& tools() { return m_tools; }
    tbProgress& progress() { return m_progress; }
    tbOptions* options() const { return m_options.get(); }
    tbFrameDrive& frameDrive() { return m_frameDrive; }
    // The frames the frame drive has drawn (not those it ran without drawing).
    long framesDrawn() const { return m_framesDrawn; }

private:
    // The engine's frame steps, as the frame drive runs them.
    class EngineFrame : public tbFrameDrive::Frame {
    public:
        explicit EngineFrame(CtolvaneBuilderApp& app) : m_app(app) {}
        void update() override { m_app.update(); }
        void purge() override { m_app.purgeSafeDeleteObjects(false); }
        // Only a frame whose picture may have changed is drawn.
        void redraw() override {
            if (m_app.redrawIfNeeded()) ++m_app.m_framesDrawn;
        }
        void afterFrame() override {
            if (m_app.m_afterFrame) m_app.m_afterFrame();
        }

    private:
        CtolvaneBuilderApp& m_app;
    };

    void loadResources();
    void createCameras();

    tbToolState m_tools;
    tbProgress m_progress;
    std::unique_ptr<tbOptions> m_options;
    const tbViewWindows* m_viewWindows = nullptr;
    tbInput::Actions* m_actions = nullptr;
    std::function<void()> m_afterFrame;
    long m_framesDrawn = 0;
    EngineFrame m_engineFrame{*this};
    tbFrameDrive m_frameDrive{m_engineFrame, kFrameThresholdMs};
};

// The one application object (null when none exists).
CtolvaneBuilderApp* tbApp();
