// simInput: the engine's input system.
//
// The engine window procedure hands mouse and keyboard messages to the mouse
// and the keyboard that the input system holds; they turn them into input
// events and send each one through `simInput::onEvent`, which passes it to
// the engine application (and so to every object registered for events). A
// host's subclass (its own input system) sees every event first by
// overriding `onEvent`.
//
// One input system exists per program, published in g_input by its
// constructor. The mouse and the keyboard register themselves with it when
// they are made and the input system deletes them when it goes.
#pragma once

#include <cstdint>

#include "platform/win/winTypes.h"

struct simInputEvent;
class simMouse;
class simKeyboard;

class simInput {
public:
    // Sets g_input; no mouse or keyboard yet; enabled.
    simInput();
    // Logs "Destroying input system...", deletes the mouse and the keyboard,
    // clears g_input and logs "done\n".
    virtual ~simInput();
    simInput(const simInput&) = delete;
    simInput& operator=(const simInput&) = delete;

    // When enabled: clears the application's event-consumed flag and passes
    // the event to the application. When disabled: nothing.
    virtual void onEvent(simInputEvent* event);

    // Sets the event's Shift and Ctrl from the keyboard's keys 16 and 17 and
    // sends it through `onEvent`. The mouse and keyboard send every event so.
    void sendEvent(simInputEvent& event);

    simMouse* getMouse() const { return m_mouse; }
    simKeyboard* getKeyboard() const { return m_keyboard; }
    bool isEnabled() const { return m_enabled != 0; }
    void setEnabled(bool enabled) { m_enabled = enabled ? 1 : 0; }

private:
    // The mouse and keyboard constructors and destructors set and clear these.
    friend class simMouse;
    friend class simKeyboard;

    simMouse* m_mouse = nullptr;
    simKeyboard* m_keyboard = nullptr;
    uint8_t m_enabled = 1;
};

// Whether the system cursor lies inside the window's rectangle, edges
// included; false for a null or unknown window.
bool isCursorInsideWindow(win::HWND window);
