#include "engine/core/utilsFiles.h"

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/utilsStrings.h"
#include "platform/sys/files.h"

namespace utils {

bool copyFile(std::string source, std::string target, bool overwrite) {
    std::string error;
    if (sys::copyFile(source, target, overwrite, &error)) return true;
    if (g_console) g_console->printString("ERROR:utils::copyFile:" + error + "\n");
    return false;
}

bool fileExists(std::string path) { return sys::isRegularFile(path); }

std::string getProgramFolder() {
    std::string exe = sys::executablePath();
    return exe.empty() ? std::string("./") : getDirectory(exe);
}

}  // namespace utils
