#include "app/shell/tbInput.h"

#include "app/shell/tbMouse.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInputEvent.h"

namespace {
constexpr uint32_t kKeyEscape = 27, kKeySpace = 32, kKeyF1 = 112;
tbInput* g_current = nullptr;
}  // namespace

tbInput::tbInput(tbToolState& tools, Actions* actions) : m_tools(tools), m_actions(actions) { g_current = this; }

tbInput::~tbInput() {
    delete m_mouse;  // its destructor clears m_mouse and the engine's pointer to it
    if (g_current == this) g_current = nullptr;
}

tbInput* tbInput::current() { return g_current; }

void tbInput::onEvent(simInputEvent* event) {
    if (!event || !isEnabled()) return;
    simInput::onEvent(event);
    if (event->type != simInputEvent_key || event->keyState != simKeyState_released) return;
    switch (event->key) {
        case kKeyEscape:
            if (event->shift && m_actions) m_actions->askToExit();
            return;
        case kKeySpace:
            if (g_application && g_application->acceptsMouseInput()) m_tools.setViewMode(m_tools.viewMode() == 0 ? 1 : 0);
            return;
        case kKeyF1:
            if (m_actions) m_actions->openUserManual();
            return;
        default: return;
    }
}
