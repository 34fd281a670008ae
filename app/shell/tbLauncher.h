// Opens a document with the desktop's own program for it (the user manual in
// the browser). The program's launcher asks the desktop; tests install one
// that records.
#pragma once

#include <functional>
#include <string>

// True when the desktop took the document. A failure shows nothing: the
// caller says what could not be opened.
using tbLauncher = std::function<bool(const std::string& path)>;

// Installs a launcher (empty: the desktop's again) and gives back the one it
// replaces.
tbLauncher tbSetLauncher(tbLauncher launcher);
bool tbLaunch(const std::string& path);
