// simKeyboard: the keyboard as the engine sees it.
//
// The engine window procedure calls `onKey`, `onChar` and `onAlt` for the key
// messages of the thread; the keyboard keeps which keys are down and which
// were let go of in this frame, and sends key, character and Alt events
// through the input system. Every held key also gets one held event per
// frame from `update`, besides the system's own repeat messages.
//
// Made by the engine application (or the host) after the input system, which
// then owns it; one per program.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simObject.h"

class simKeyboard : public simObject {
public:
    // Key codes 0..255 are used; the arrays keep the engine's 512 entries.
    static constexpr uint32_t kKeyCount = 512;
    static constexpr uint32_t kHighestKey = 255;

    // Registers as the input system's keyboard with no key down.
    simKeyboard();
    // Clears the input system's keyboard pointer.
    ~simKeyboard() override;

    std::string getClassName() override;

    // ---- Messages
    // A key press (down 1) or release (down 0). Keypad digits 96..105 become
    // the digit characters 48..57; codes above 255 are ignored. The event
    // reports the change the message made: 1 a new press, 3 a press of a
    // held key (repeat), 2 the release of a held key, 0 the release of a key
    // that was not down.
    void onKey(uint32_t key, uint8_t down);
    // A typed character, a whole Unicode code point. Backspace, Esc, Enter
    // and Tab, and anything typed while Ctrl is down, make no event.
    void onChar(uint32_t character);
    // The Alt key: 1 down, 0 up. The Alt event's state is 1 for down, 2 for
    // a release while down, 0 otherwise.
    void onAlt(uint32_t state);

    // ---- Engine object hooks
    // Sends a held event (state 3) for every key that is down, lowest code
    // first.
    void update() override;
    // Esc released while Shift is down closes the application.
    void onEvent(simInputEvent* event) override;

    // ---- Polled state
    // Clears every released latch; the engine application calls it at the
    // start of each frame.
    void clearPressed();
    // Down and released-this-frame bytes; false for codes past the arrays.
    bool isKeyDown(uint32_t key) const { return key < kKeyCount && m_keyDown[key]; }
    bool wasKeyReleased(uint32_t key) const { return key < kKeyCount && m_keyReleased[key]; }
    bool isAltDown() const { return m_altDown != 0; }

private:
    void sendKeyEvent(uint32_t type, uint32_t key, uint32_t state);

    uint8_t m_keyDown[kKeyCount] = {};
    uint8_t m_keyReleased[kKeyCount] = {};
    uint8_t m_altDown = 0;
};
