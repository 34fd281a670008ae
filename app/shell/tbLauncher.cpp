#include "app/shell/tbLauncher.h"

#include <utility>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

namespace {
tbLauncher& installed() {
    static tbLauncher launcher;
    return launcher;
}
}  // namespace

tbLauncher tbSetLauncher(tbLauncher launcher) { return std::exchange(installed(), std::move(launcher)); }

bool tbLaunch(const std::string& path) {
    if (installed()) return installed()(path);
    // wx would show a box of its own when no browser starts; the callers tell
    // the user in the program's words, so wx's is kept quiet.
    wxLogNull quiet;
    // A file URL, so the desktop opens it in the browser whatever the type.
    return wxLaunchDefaultBrowser(wxFileName::FileNameToURL(wxFileName(wxString::FromUTF8(path))));
}
