#include "engine/graphics/simRendererLog.h"

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/resultCodeNames.h"

void simRendererLog(const std::string& text) {
    if (g_console) g_console->printString(text);
}

std::string simRendererFailureText(const std::string& prefix, gfx::HRESULT result) {
    return prefix + getResultCodeName(result);
}

void simRendererSetStatus(bool success, const std::string& reason) {
    if (g_application) g_application->setStatus(success, reason);
}

bool simRendererStatusGood() { return !g_application || g_application->getStatusSuccess(); }
