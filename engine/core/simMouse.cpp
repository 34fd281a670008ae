#include "engine/core/simMouse.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simWindow.h"
#include "platform/sys/clock.h"
#include "platform/win/winWindows.h"

namespace {

// The mouse gate: open without an application, else its answer.
bool gateOpen() { return !g_application || g_application->acceptsMouseInput(); }

// Truncates towards zero like a C cast, but clamps first: a corner far off
// screen must not overflow the conversion.
int32_t truncateToInt(float value) {
    if (value >= static_cast<float>(INT32_MAX)) return INT32_MAX;
    if (value <= static_cast<float>(INT32_MIN)) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// x scaled from `from` pixels to `to` pixels, truncated towards zero; left as
// it is while either size is missing.
int32_t scale(int32_t x, int32_t from, int32_t to) {
    if (from <= 0 || to <= 0) return x;
    return static_cast<int32_t>(static_cast<int64_t>(x) * to / from);
}

}  // namespace

simMouse::simMouse() : simObject(true, true, false, false) {
    if (g_input) g_input->m_mouse = this;
    if (!win::SetCursorPos(kStartX, kStartY)) {
        // Wayland and some remote displays keep the cursor to the user; the
        // engine then works from wherever the cursor is.
        static bool logged = false;
        if (!logged && g_console) {
            g_console->print("simMouse - the display does not let the cursor be moved; it stays where it is\n");
            logged = true;
        }
    }
}

simMouse::~simMouse() {
    if (g_input && g_input->m_mouse == this) g_input->m_mouse = nullptr;
}

std::string simMouse::getClassName() { return "simMouse"; }
std::string simMouse::getTypeName() { return "simMouse"; }

bool simMouse::backBufferSize(int32_t* width, int32_t* height) {
    if (const simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr) {
        *width = static_cast<int32_t>(window->getBackBufferWidth());
        *height = static_cast<int32_t>(window->getBackBufferHeight());
        return true;
    }
    win::RECT client;
    if (!g_application || !win::GetClientRect(g_application->getWindow(), &client)) return false;
    *width = client.right - client.left;
    *height = client.bottom - client.top;
    return true;
}

void simMouse::onMove(int32_t x, int32_t y) {
    m_previousX = m_x;
    m_previousY = m_y;

    win::RECT client;
    int32_t bufferWidth = 0, bufferHeight = 0;
    if (g_application && win::GetClientRect(g_application->getWindow(), &client) &&
        backBufferSize(&bufferWidth, &bufferHeight)) {
        x = scale(x, client.right - client.left, bufferWidth);
        y = scale(y, client.bottom - client.top, bufferHeight);
    }
    m_x = x;
    m_y = y;
    m_accumulatedDx += m_x - m_previousX;
    m_accumulatedDy += m_y - m_previousY;

    simInputEvent event;
    event.type = simInputEvent_mouseMove;
    event.x = m_x;
    event.y = m_y;
    event.dx = m_x - m_previousX;
    event.dy = m_y - m_previousY;
    if (g_input) g_input->sendEvent(event);
}

void simMouse::onButton(uint32_t button, uint8_t down) {
    if (button >= kButtonCount) return;
    if (down && !gateOpen()) return;
    Button& state = m_buttons[button];
    const bool wasDown = state.down != 0;
    if (!down && wasDown) state.released = 1;
    state.down = down ? 1 : 0;

    const double now = static_cast<double>(sys::timeGetTime());
    if (down) {
        if (state.lastReleaseMs >= 0.0 && now - state.lastReleaseMs < kDoubleClickMs)
            sendButtonEvent(simInputEvent_mouseButton, button, simButtonState_doubleClick);
    } else {
        state.lastReleaseMs = now;
    }

    // Each message reports its own change: a press is a press even when the
    // button was let go of earlier in this frame, and only the release that
    // let go of a held button counts as a release after a press.
    const uint32_t reported = down ? simButtonState_pressed
                                   : (wasDown ? simButtonState_released : simButtonState_releasedWithoutPress);
    sendButtonEvent(simInputEvent_mouseButton, button, reported);

    if (!down && state.dragging) {
        state.dragging = 0;
        state.dragEnded = 1;
        sendButtonEvent(simInputEvent_dragEnd, button, 0);
    }
}

void simMouse::onWheel(uint8_t towardsUser) {
    if (!gateOpen()) return;
    simInputEvent event;
    event.type = simInputEvent_wheel;
    event.wheelDirection = towardsUser ? 1 : 0;
    if (g_input) g_input->sendEvent(event);
}

void simMouse::sendButtonEvent(uint32_t type, uint32_t button, uint32_t state) {
    simInputEvent event;
    event.type = type;
    event.x = m_x;
    event.y = m_y;
    event.button = button;
    event.buttonState = state;
    if (g_input) g_input->sendEvent(event);
}

void simMouse::update() {
    simObject::update();
    m_previousX = m_x;
    m_previousY = m_y;
    const bool open = gateOpen();
    for (Button& button : m_buttons) {
        button.released = 0;
        button.dragEnded = 0;
        if (!open) button.down = 0;
    }
}

void simMouse::onEvent(simInputEvent* event) {
    simObject::onEvent(event);
    if (event->type == simInputEvent_mouseMove) {
        for (Button& button : m_buttons) {
            if (button.down && (std::abs(event->x - button.pressX) >= kDragThreshold ||
                                std::abs(event->y - button.pressY) >= kDragThreshold))
                button.dragging = 1;
        }
    } else if (event->type == simInputEvent_mouseButton && event->buttonState == simButtonState_pressed &&
               event->button < kButtonCount) {
        m_buttons[event->button].pressX = m_x;
        m_buttons[event->button].pressY = m_y;
    }
}

bool simMouse::isButtonDown(uint32_t button) const { return button < kButtonCount && m_buttons[button].down; }
bool simMouse::wasButtonReleased(uint32_t button) const {
    return button < kButtonCount && m_buttons[button].released;
}
bool simMouse::wasDragEnded(uint32_t button) const { return button < kButtonCount && m_buttons[button].dragEnded; }
bool simMouse::isDragging(uint32_t button) const { return button < kButtonCount && m_buttons[button].dragging; }
int32_t simMouse::getPressX(uint32_t button) const { return button < kButtonCount ? m_buttons[button].pressX : 0; }
int32_t simMouse::getPressY(uint32_t button) const { return button < kButtonCount ? m_buttons[button].pressY : 0; }

bool simMouse::isInsideRect(d3dx::Vector2 min, d3dx::Vector2 max) const {
    if (std::isnan(min.x) || std::isnan(min.y) || std::isnan(max.x) || std::isnan(max.y)) return false;
    return m_x >= truncateToInt(min.x) && m_x <= truncateToInt(max.x) && m_y >= truncateToInt(min.y) &&
           m_y <= truncateToInt(max.y);
}
