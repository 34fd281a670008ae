// tbInput: the editor's input system.
//
// The engine's input system, plus the shell's own keys, acted on when they
// are released: Shift+Esc quits at once (no save question), Space toggles
// between the 3-D and the texture view while the mouse gate is open, F1 opens
// the user manual. What quitting and opening a file mean belongs to the
// window layer, reached through `tbInput::Actions`.
#pragma once

#include <string>

#include "engine/core/simInput.h"

class tbToolState;

class tbInput : public simInput {
public:
    class Actions {
    public:
        virtual ~Actions() = default;
        virtual void quitNow() = 0;
        virtual void openFile(const std::string& path) = 0;
    };

    tbInput(tbToolState& tools, Actions* actions) : m_tools(tools), m_actions(actions) {}

    void onEvent(simInputEvent* event) override;

    // The user manual, under the program folder.
    static std::string helpFilePath();

private:
    tbToolState& m_tools;
    Actions* m_actions;
};
