#include "app/shell/tbLauncher.h"

#include <utility>

#include <wx/filename.h>
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
    // A file URL, so the desktop opens it in the browser whatever the type.
    return wxLaunchDefaultBrowser(wxFileName::FileNameToURL(wxFileName(wxString::FromUTF8(path))));
}
