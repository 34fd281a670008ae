#include "engine/sound/simSound_null.h"

#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"

simSound_null::simSound_null(win::HWND) {
    simLog("Creating Null Sound system...");
    m_soundOn = false;
    m_updateStopwatch.start();
    if (g_application) g_application->setStatus(true, "success");
    simLog("done\n");
}

simSound_null::~simSound_null() {
    simLog("Destroying Null Sound system...");
    simLog("done\n");
}
