// What the main window's tests under a display stand on: wx started, the
// application made as the program makes it on a settings folder of the
// test's own, and the window shown modally while a timer walks the test's
// steps. A test ends the engine with shutDown() while the window still holds
// the view's context; TearDown puts back the command line and the links.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <wx/timer.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/shell/tbApplication.h"
#include "app/window/CtolvaneBuilderDlg.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simEngineLinks.h"
#include "platform/gfx/direct3d.h"
#include "platform/ui/wxWindowSystem.h"
#include "tests/support/tempFolder.h"
#include "tests/support/ui/wxTestApp.h"

namespace windowtest {

class MainWindowOnDisplay : public ::testing::Test {
protected:
    // The application on a fresh settings folder holding `settings`.
    void start(const std::string& settings) {
        ASSERT_TRUE(test::startWx());
        setenv("XDG_RUNTIME_DIR", home.path().c_str(), 1);
        std::filesystem::create_directories(home.file("TolvaneSim/Settings"));
        home.write("TolvaneSim/Settings/tolvaneBuilderSettings.sim", settings);
        simApplication::setProcessCommandLine(std::string(TOLVANE_SOURCE_DIR) + "/tolvaneBuilder -SETTINGSPATH \"" +
                                              home.path() + "\"");
        gfx::setDirect3DFactory(nullptr);
        systemLinks() = simSystemLinks{};
        simLinkEngineSystems(systemLinks());
        app = std::make_unique<CtolvaneBuilderApp>();
        ASSERT_TRUE(app->getStatusSuccess()) << app->getStatusReason();
    }
    void shutDown(CtolvaneBuilderDlg& dlg) {
        dlg.prepareEngineShutdown();
        app.reset();
    }
    void TearDown() override {
        app.reset();
        simApplication::useOwnCommandLine();
        systemLinks() = simSystemLinks{};
    }
    std::string savedSettings() { return home.read("TolvaneSim/Settings/tolvaneBuilderSettings.sim"); }

    testsupport::TempFolder home;
    ui::WxWindowSystem windows;
    std::unique_ptr<CtolvaneBuilderApp> app;
};

// Shows the window modally and calls `tick` every `periodMs` until the
// window ends its modal loop; a window still open after 30 s is ended, and
// `failure` names the step it was at.
struct ModalSteps {
    void run(CtolvaneBuilderDlg& dlg, const std::function<void()>& tick) {
        wxTimer watcher;
        bool ticking = false;
        watcher.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            // A step that runs pending events must not start the next one inside itself.
            if (ticking) return;
            waitedMs += periodMs;
            if (waitedMs > 30000) {
                failure = "timed out at step " + std::to_string(step);
                dlg.EndModal(wxID_OK);
                return;
            }
            ticking = true;
            tick();
            ticking = false;
        });
        watcher.Start(periodMs);
        dlg.ShowModal();
        watcher.Stop();
    }

    int periodMs = 20;
    int waitedMs = 0;
    int step = 0;
    std::string failure;
};

}  // namespace windowtest
