#include "app/shell/tbInput.h"

#include "app/shell/tbToolState.h"
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/utilsStrings.h"

namespace {
constexpr uint32_t kKeyEscape = 27, kKeySpace = 32, kKeyF1 = 112;
}

std::string tbInput::helpFilePath() {
    const std::string folder = g_application ? g_application->getProgramFolder() : std::string();
    return utils::joinPath(folder, "resources/tolvaneBuilder/help/UserManual.pdf");
}

void tbInput::onEvent(simInputEvent* event) {
    if (!event || !isEnabled()) return;
    simInput::onEvent(event);
    if (event->type != simInputEvent_key || event->keyState != simKeyState_released) return;
    switch (event->key) {
        case kKeyEscape:
            if (event->shift && m_actions) m_actions->quitNow();
            return;
        case kKeySpace:
            if (g_application && g_application->acceptsMouseInput()) m_tools.setViewMode(m_tools.viewMode() == 0 ? 1 : 0);
            return;
        case kKeyF1:
            if (m_actions) m_actions->openFile(helpFilePath());
            return;
        default: return;
    }
}
