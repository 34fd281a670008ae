// The program's entry: shows the main window as a modal dialog from OnInit
// and returns false, so the program ends when that dialog closes.
#include <clocale>

#include <wx/app.h>

#include "app/shell/CtolvaneBuilderDlg.h"
#include "engine/core/utilsErrors.h"
#include "platform/ui/errorMessageBox.h"

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
        CtolvaneBuilderDlg dlg;
        dlg.ShowModal();
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
