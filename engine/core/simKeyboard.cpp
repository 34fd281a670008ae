#include "engine/core/simKeyboard.h"

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "platform/win/winMessages.h"

simKeyboard::simKeyboard() : simObject(true, true, false, false) {
    if (g_input) g_input->m_keyboard = this;
}

simKeyboard::~simKeyboard() {
    if (g_input && g_input->m_keyboard == this) g_input->m_keyboard = nullptr;
}

std::string simKeyboard::getClassName() { return "simKeyboard"; }

void simKeyboard::onKey(uint32_t key, uint8_t down) {
    if (key >= win::VK_NUMPAD0 && key <= win::VK_NUMPAD0 + 9) key -= win::VK_NUMPAD0 - '0';
    if (key > kHighestKey) return;
    const bool wasDown = m_keyDown[key] != 0;
    if (!down && wasDown) m_keyReleased[key] = 1;
    // The state follows this message's change, never the frame's latch: a
    // release and a new press within one frame must still read as a press.
    uint32_t state;
    if (down)
        state = wasDown ? simKeyState_held : simKeyState_pressed;
    else
        state = wasDown ? simKeyState_released : simKeyState_releasedWhileUp;
    sendKeyEvent(simInputEvent_key, key, state);
    m_keyDown[key] = down ? 1 : 0;
}

void simKeyboard::onChar(uint32_t character) {
    if (character == win::VK_BACK || character == win::VK_ESCAPE || character == win::VK_RETURN ||
        character == win::VK_TAB || isKeyDown(win::VK_CONTROL))
        return;
    sendKeyEvent(simInputEvent_character, character, 0);
}

void simKeyboard::onAlt(uint32_t state) {
    uint32_t reported = 0;
    if (state == 1) {
        m_altDown = 1;
        reported = simKeyState_pressed;
    } else if (state == 0) {
        reported = m_altDown ? static_cast<uint32_t>(simKeyState_released) : 0u;
        m_altDown = 0;
    }
    sendKeyEvent(simInputEvent_alt, 0, reported);
}

void simKeyboard::update() {
    simObject::update();
    for (uint32_t key = 0; key <= kHighestKey; ++key)
        if (m_keyDown[key]) sendKeyEvent(simInputEvent_key, key, simKeyState_held);
}

void simKeyboard::onEvent(simInputEvent* event) {
    simObject::onEvent(event);
    if (event->type == simInputEvent_key && event->key == win::VK_ESCAPE &&
        event->keyState == simKeyState_released && event->shift && g_application)
        g_application->close();
}

void simKeyboard::clearPressed() {
    for (uint8_t& latch : m_keyReleased) latch = 0;
}

void simKeyboard::sendKeyEvent(uint32_t type, uint32_t key, uint32_t state) {
    simInputEvent event;
    event.type = type;
    event.key = key;
    event.keyState = state;
    if (g_input) g_input->sendEvent(event);
}
