#include "engine/core/simInput.h"

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "platform/win/winMessages.h"
#include "platform/win/winWindows.h"

simInput::simInput() { g_input = this; }

simInput::~simInput() {
    if (g_console) g_console->print("Destroying input system...");
    delete m_mouse;
    delete m_keyboard;
    if (g_input == this) g_input = nullptr;
    if (g_console) g_console->print("done\n");
}

void simInput::onEvent(simInputEvent* event) {
    if (!m_enabled || !g_application) return;
    g_application->eventConsumed = false;
    g_application->onEvent(event);
}

void simInput::sendEvent(simInputEvent& event) {
    event.shift = m_keyboard && m_keyboard->isKeyDown(win::VK_SHIFT) ? 1 : 0;
    event.ctrl = m_keyboard && m_keyboard->isKeyDown(win::VK_CONTROL) ? 1 : 0;
    onEvent(&event);
}

bool isCursorInsideWindow(win::HWND window) {
    if (!window) return false;
    win::POINT cursor;
    win::RECT rect;
    if (!win::GetCursorPos(&cursor) || !win::GetWindowRect(window, &rect)) return false;
    return cursor.x >= rect.left && cursor.x <= rect.right && cursor.y >= rect.top && cursor.y <= rect.bottom;
}
