// simInputEvent: the record every input event handler receives.
//
// The input system fills one record per event from a cleared state and hands
// it to the engine application, which passes it to every object registered
// for events and then to the event callbacks. Handlers read it and never keep
// it: the record lives only for the call.
#pragma once

#include <cstdint>

// What happened (`type`).
enum simInputEventType : uint32_t {
    simInputEvent_mouseMove = 1,
    simInputEvent_mouseButton = 2,
    simInputEvent_wheel = 3,
    simInputEvent_dragEnd = 4,
    simInputEvent_key = 5,
    simInputEvent_alt = 6,
    simInputEvent_character = 7,
};

// Mouse buttons (`button`).
enum simMouseButtonIndex : uint32_t {
    simMouseButton_left = 0,
    simMouseButton_middle = 1,
    simMouseButton_right = 2,
};

// Button states (`buttonState`).
enum simButtonState : uint32_t {
    simButtonState_releasedWithoutPress = 0,
    simButtonState_pressed = 1,
    simButtonState_released = 2,
    simButtonState_doubleClick = 4,
};

// Key states (`keyState`). Alt events use pressed (down), released (after
// being down) and 0 otherwise.
enum simKeyState : uint32_t {
    simKeyState_releasedWhileUp = 0,
    simKeyState_pressed = 1,
    simKeyState_released = 2,
    simKeyState_held = 3,
};

struct simInputEvent {
    uint32_t type = 0;           // simInputEventType
    uint8_t wheelDirection = 0;  // wheel events: 1 when turned towards the user
    uint8_t shift = 0;           // 1 while Shift (key 16) is down
    uint8_t ctrl = 0;            // 1 while Ctrl (key 17) is down
    int32_t x = 0, y = 0;        // back-buffer pixels (move, button, drag end)
    int32_t dx = 0, dy = 0;      // back-buffer pixels since the previous move (move)
    uint32_t button = 0;         // simMouseButtonIndex
    uint32_t buttonState = 0;    // simButtonState
    uint32_t key = 0;            // key code (key events) or Unicode code point (character events)
    uint32_t keyState = 0;       // simKeyState

    // Zeroes every field but the wheel direction, Shift and Ctrl, which each
    // event sets itself.
    void clear() {
        const uint8_t keepWheel = wheelDirection, keepShift = shift, keepCtrl = ctrl;
        *this = simInputEvent{};
        wheelDirection = keepWheel;
        shift = keepShift;
        ctrl = keepCtrl;
    }
};
