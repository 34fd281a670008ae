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
#include "engine/core/simOptions.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/recordingDevice.h"
#include "platform/sys/clock.h"
#include "platform/win/virtualDesktop.h"
#include "platform/win/winMessages.h"
#include "tests/support/inputEventRecorder.h"
#include "tests/support/virtualWindowHost.h"

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

// The same with the engine's graphics system on the recording device: the
// graphics window keeps the back-buffer size and takes the window-state
// changes. The window host reports the view as the test sets it.
class GraphicsInputRig : public InputRig {
protected:
    GraphicsInputRig() {
        std::shared_ptr<gfx::Recorder> device = deviceRecorder;
        gfx::setDirect3DFactory([device] { return gfx::makeRecordingDirect3D(device); });
        const int32_t resolution[3] = {1024, 768, 60};
        graphics = new simGraphics(40, d3dx::Vector2(0, 0), d3dx::Vector2(kViewWidth, kViewHeight), resolution,
                                   false, false, false, 1, false, 1, 1);
    }
    ~GraphicsInputRig() override {
        delete graphics;
        gfx::setDirect3DFactory(nullptr);
    }

    simWindow& window() { return *graphics->getWindow(); }

    simOptions options;
    testsupport::VirtualWindowHost host{desktop};
    std::shared_ptr<gfx::Recorder> deviceRecorder = std::make_shared<gfx::Recorder>();
    simGraphics* graphics = nullptr;
};

}  // namespace inputtest
