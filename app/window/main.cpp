// The program's entry: makes the window system and the application object,
// shows the main window as a modal dialog from OnInit and returns false, so
// the program ends when that dialog closes. The application object goes
// while the main window still holds the view's OpenGL context, so the engine
// lets go of its objects on a live context.
#include <clocale>
#include <memory>

#include <wx/app.h>

#include "app/shell/tbErrorBox.h"
#include "app/window/CtolvaneBuilderDlg.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbDesktopClipboard.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/core/simSystemLinks.h"
#include "platform/ui/errorMessageBox.h"
#include "platform/ui/messageBox.h"
#include "platform/ui/wxWindowSystem.h"

namespace {

// wxEntry reports a false OnInit as a failure; the program tells a main
// window that ran apart from a start-up that never got that far.
bool mainWindowRan = false;

class TolvaneBuilderWxApp : public wxApp {
public:
    bool OnInit() override {
        // GTK sets the user's locale; settings files and "%f" output need '.'.
        std::setlocale(LC_NUMERIC, "C");
        utils::setSeriousErrorSink(ui::showErrorMessageBox);
        // The model-scheme work's error boxes, over the active window.
        tbSetErrorBoxSink([](const std::string& title, const std::string& text) { ui::showError(text, title); });
        ui::WxWindowSystem windows;
        // The engine's in-view edit boxes cut, copy and paste through the desktop's clipboard.
        tbDesktopClipboard clipboard;
        simLinkEngineSystems(systemLinks());
        auto app = std::make_unique<CtolvaneBuilderApp>();
        // Another instance was asked to come to the front instead.
        if (!app->getStatusSuccess()) return false;
        {
            CtolvaneBuilderDlg dlg(*app, windows);
            dlg.ShowModal();
            dlg.prepareEngineShutdown();
            app.reset();
        }
        mainWindowRan = true;
        return false;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TolvaneBuilderWxApp);

int main(int argc, char** argv) {
    wxEntry(argc, argv);
    return mainWindowRan ? 0 : 1;
}
