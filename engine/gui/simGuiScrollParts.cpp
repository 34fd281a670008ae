#include "engine/gui/simGuiScrollParts.h"

#include <algorithm>
#include <cmath>

#include "engine/core/simInputEvent.h"

simGuiScrollParts::Outcome simGuiScrollParts::onEvent(const simInputEvent& event, const Layout& layout) {
    Outcome outcome;
    const bool leftButton = event.type == simInputEvent_mouseButton && event.button == simMouseButton_left;
    const bool mouseEvent = event.type == simInputEvent_mouseMove || event.type == simInputEvent_mouseButton;
    const bool inColumn = layout.columnLeft < event.x && event.x < layout.columnRight;
    for (int part = up; part <= thumb; ++part) {
        int32_t& state = m_states[part];
        if (leftButton && event.buttonState == simButtonState_pressed && state == hovered) {
            state = pressed;
            outcome.pressed = true;
        } else if (leftButton && event.buttonState == simButtonState_released && state == pressed) {
            state = normal;
            if (part == up) outcome.step = -1;
            if (part == down) outcome.step = 1;
        }
        if (state != pressed && mouseEvent)
            state = inColumn && layout.bands[part].contains(event.y) ? hovered : normal;
    }
    return outcome;
}

simGuiScrollBarStates simGuiScrollParts::skinStates() const {
    return {static_cast<uint32_t>(m_states[up]), static_cast<uint32_t>(m_states[down]),
            static_cast<uint32_t>(m_states[thumb])};
}

int32_t simGuiThumbEdge(double origin, double track, double position, double count) {
    const double edge = count > 0.0 ? origin + track * position / count : origin;
    if (!std::isfinite(edge)) return 0;
    return static_cast<int32_t>(std::clamp(edge, -2147483648.0, 2147483647.0));
}

int32_t simGuiRowAfterArrowKey(const simInputEvent& event, float selected, int32_t count) {
    if (event.type != simInputEvent_key || event.keyState != simKeyState_released) return -1;
    constexpr int32_t kUp = 38, kDown = 40;  // virtual keys
    if (event.key == kUp && selected > 0.0f) return static_cast<int32_t>(selected - 1.0f);
    if (event.key == kDown && selected < static_cast<float>(count - 1)) return static_cast<int32_t>(selected + 1.0f);
    return -1;
}
