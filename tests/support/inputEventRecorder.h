// An engine object that keeps every input event it is handed, in arrival
// order, for tests that check what the input system sends.
#pragma once

#include <string>
#include <vector>

#include "engine/core/simInputEvent.h"
#include "engine/core/simObject.h"

namespace testsupport {

class InputEventRecorder : public simObject {
public:
    InputEventRecorder() : simObject(false, true, false, false) {}
    std::string getClassName() override { return "InputEventRecorder"; }
    void onEvent(simInputEvent* event) override { events.push_back(*event); }

    // Whether an event of that type has arrived.
    bool has(uint32_t type) const {
        for (const simInputEvent& event : events)
            if (event.type == type) return true;
        return false;
    }

    std::vector<simInputEvent> events;
};

}  // namespace testsupport
