// tbInput: the editor's input system.
//
// The engine's input system, plus the shell's own keys, acted on when they
// are released: Shift+Esc leaves the program as File > Exit does (asking
// about the open project first), Space toggles
// between the 3-D and the texture view while the mouse gate is open, F1 opens
// the user manual as Help > User manual does. What quitting and opening the
// manual mean belongs to the window layer, reached through `tbInput::Actions`.
//
// It owns the editor's mouse (tbMouse), which registers itself with the
// current input system when it is made; one input system per program,
// reached through `tbInput::current`.
#pragma once

#include "engine/core/simInput.h"

class tbMouse;
class tbToolState;

class tbInput : public simInput {
public:
    class Actions {
    public:
        virtual ~Actions() = default;
        // Leave as File > Exit does: at once with no project open, else
        // after the save question (whose Cancel keeps the program running).
        virtual void askToExit() = 0;
        virtual void openUserManual() = 0;
    };

    // Becomes the current input system.
    tbInput(tbToolState& tools, Actions* actions);
    // Deletes the owned mouse, then stops being the current input system.
    ~tbInput() override;

    // The input system made last and not yet gone, or null.
    static tbInput* current();
    // The owned mouse, null until one registers.
    tbMouse* mouse() const { return m_mouse; }

    void onEvent(simInputEvent* event) override;

private:
    friend class tbMouse;  // registers and unregisters itself

    tbToolState& m_tools;
    Actions* m_actions;
    tbMouse* m_mouse = nullptr;
};
