// A display-less engine for input tests: an engine application whose mouse
// gate the test opens and closes, the input system with its mouse and
// keyboard, an engine window of 800 x 600 on a virtual desktop, the manual
// clock, and a recorder of every input event in arrival order.
//
// Tests drive it with window messages, exactly as the host's filter does, and
// with `frame()`, the engine's per-frame update.
#pragma once

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simInputLinks.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/simObject.h"
#include "engine/core/simSystemLinks.h"
#include "platform/sys/clock.h"
#include "platform/win/virtualDesktop.h"
#include "platform/win/winMessages.h"
#include "tests/support/inputEventRecorder.h"

namespace inputtest {

// The engine application with the host's mouse gate as a switch.
class GatedApplication : public simApplication {
public:
    GatedApplication() : simApplication(simVersion(2, 5, 'a'), "inputTest", nullptr, true) {}
    bool acceptsMouseInput() override { return gateOpen; }
    bool gateOpen = true;
};

using EventRecorder = testsupport::InputEventRecorder;

// One event as a table row shows it: the type and the fields that kind uses.
struct Seen {
    uint32_t type;
    uint32_t code;   // button, or key / character
    uint32_t state;  // button state, or key state
    bool operator==(const Seen&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << "{type " << seen.type << ", code " << seen.code << ", state " << seen.state << "}";
}

inline Seen seen(const simInputEvent& event) {
    switch (event.type) {
        case simInputEvent_mouseButton:
        case simInputEvent_dragEnd:
            return {event.type, event.button, event.buttonState};
        case simInputEvent_key:
        case simInputEvent_alt:
        case simInputEvent_character:
            return {event.type, event.key, event.keyState};
        default:
            return {event.type, 0, 0};
    }
}

class InputRig : public ::testing::Test {
protected:
    static constexpr int kViewX = 100, kViewY = 50, kViewWidth = 800, kViewHeight = 600;

    InputRig() {
        simLinkInputSystem(systemLinks());
        view = desktop.addWindow(kViewX, kViewY, kViewWidth, kViewHeight);
        application.createWindow(view);
        new simInput();
        new simMouse();
        new simKeyboard();
        recorder = new EventRecorder();
        clock.set(10000.0);
    }
    ~InputRig() override {
        delete recorder;
        delete g_input;
    }

    simMouse& mouse() { return *g_input->getMouse(); }
    simKeyboard& keyboard() { return *g_input->getKeyboard(); }

    // One message of the engine window through the host's filter.
    win::LRESULT send(win::UINT message, win::WPARAM wParam = 0, win::LPARAM lParam = 0) {
        return application.windowProc(view, message, wParam, lParam, false);
    }
    void moveTo(int x, int y) { send(win::WM_MOUSEMOVE, 0, win::MAKELPARAM(x, y)); }
    void frame() { application.update(); }

    // The events since the last call, as table rows, leaving out the kinds
    // given (move events, say, when a table is about buttons).
    std::vector<Seen> take(std::initializer_list<uint32_t> leaveOut = {}) {
        std::vector<Seen> rows;
        for (const simInputEvent& event : recorder->events) {
            if (std::find(leaveOut.begin(), leaveOut.end(), event.type) == leaveOut.end())
                rows.push_back(seen(event));
        }
        recorder->events.clear();
        return rows;
    }

    win::VirtualDesktop desktop;
    sys::ManualClock clock;
    GatedApplication application;
    win::HWND view = nullptr;
    EventRecorder* recorder = nullptr;
};

}  // namespace inputtest
