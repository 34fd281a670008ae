// Writing to the engine log from the engine application's own files: the
// text goes to the console when one exists and is dropped otherwise (the
// objects made before the console log nothing).
#pragma once

#include <string>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"

inline void simLog(const std::string& text) {
    if (g_console) g_console->printString(text);
}
