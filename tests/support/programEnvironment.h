// How a test or a benchmark starts the built program: the program beside the
// calling one, on a given display, with a fresh home folder of its own (HOME
// and the XDG folders, so its settings, documents and single-instance lock
// never meet the user's or another run's).
#pragma once

#include <string>

#include "tests/support/childProcess.h"

namespace testsupport {

// <folder of the calling program>/tolvaneBuilder (the build's bin folder).
std::string builtProgramPath();
// The folder of the calling program.
std::string callingProgramFolder();

// Makes the folders of a home under `home` (its documents folder is
// <home>/Documents) and gives the environment that points the program at
// them and at `display`, with the X11 backend of GTK.
ChildOptions programEnvironment(const std::string& home, const std::string& display);

}  // namespace testsupport
