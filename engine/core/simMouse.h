// simMouse: the mouse as the engine sees it.
//
// The engine window procedure calls `onMove`, `onButton` and `onWheel` for
// the mouse messages of the engine window; the mouse keeps the cursor
// position in back-buffer pixels and the state of its three buttons, and
// sends move, button, wheel and end-of-drag events through the input system.
// Drags are tracked from the events themselves (`onEvent`), so a host's mouse
// that overrides the handler sees the same rule.
//
// Positions arrive in client pixels of the engine window and are kept in
// back-buffer pixels, the pixels the engine draws and picks in.
//
// The mouse gate: before a press, a wheel turn or the per-frame button state
// counts, the mouse asks the engine application's `acceptsMouseInput`. While
// it says no, presses and wheel turns are dropped and the frame update lets
// go of every button.
//
// Made by the engine application (or the host) after the input system, which
// then owns it; one per program.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/simObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simMouse : public simObject {
public:
    static constexpr int kButtonCount = 3;
    // A press is a double click when it comes less than this after the same
    // button's last release (milliseconds of the system clock).
    static constexpr double kDoubleClickMs = 150.0;
    // A held button drags once the cursor is this far from its press position
    // on either axis (back-buffer pixels).
    static constexpr int kDragThreshold = 4;
    // Where the cursor is put when the mouse is made (screen pixels).
    static constexpr int kStartX = 200, kStartY = 200;

    // Registers as the input system's mouse, puts the position at (200, 200)
    // and moves the system cursor there. A display that refuses to move the
    // cursor leaves it where the user has it; that is logged once.
    simMouse();
    // Clears the input system's mouse pointer.
    ~simMouse() override;

    std::string getClassName() override;
    // The name of the mouse's own kind, "simMouse" like the class name.
    virtual std::string getTypeName();

    // ---- Messages of the engine window
    // A move to (x, y) in client pixels of the engine window: scaled to
    // back-buffer pixels, accumulated and sent as a move event.
    void onMove(int32_t x, int32_t y);
    // A press (down 1) or release (down 0) of button 0 left, 1 middle, 2
    // right; other buttons are ignored. A press comes as a double-click event
    // first when it follows the button's last release within 150 ms, then as
    // a press; a release reports whether it let go of a held button, and
    // ends a drag of that button with an end-of-drag event.
    void onButton(uint32_t button, uint8_t down);
    // A wheel notch (towardsUser 1 when turned towards the user); dropped
    // while the gate is closed.
    void onWheel(uint8_t towardsUser);

    // ---- Engine object hooks
    // Per frame: previous position := position; clears the released and
    // drag-ended latches and, while the gate is closed, lets go of every
    // button.
    void update() override;
    // Tracks press positions (button events with state pressed) and starts
    // drags (move events past the threshold).
    void onEvent(simInputEvent* event) override;

    // ---- Polled state
    int32_t getX() const { return m_x; }
    int32_t getY() const { return m_y; }
    int32_t getPreviousX() const { return m_previousX; }
    int32_t getPreviousY() const { return m_previousY; }
    int32_t getAccumulatedDx() const { return m_accumulatedDx; }
    int32_t getAccumulatedDy() const { return m_accumulatedDy; }
    // Per button; false for a button index past the last.
    bool isButtonDown(uint32_t button) const;
    bool wasButtonReleased(uint32_t button) const;  // released this frame
    bool wasDragEnded(uint32_t button) const;       // a drag ended this frame
    bool isDragging(uint32_t button) const;
    int32_t getPressX(uint32_t button) const;
    int32_t getPressY(uint32_t button) const;

    // ---- The ground under the cursor
    // Where the ray from the current camera through the cursor meets the
    // ground plane y = 0 in front of the camera. Needs the view source (the
    // graphics system) and its current camera; without them the points stay
    // as they were and none is found.
    // A cursor whose ray never comes down to the ground (above the horizon,
    // or a camera under the ground) finds none: hasGroundPoint is false and
    // the point keeps its last value. While the left button is down, a found
    // ground point that moved sets the ground movement to the step.
    void pickGroundPoint();
    bool hasGroundPoint() const { return m_hasGroundPoint; }
    const d3dx::Vector3& getGroundPoint() const { return m_groundPoint; }
    const d3dx::Vector3& getPreviousGroundPoint() const { return m_previousGroundPoint; }
    const d3dx::Vector3& getGroundMovement() const { return m_groundMovement; }

    // Whether the cursor's integer position lies within [(int)min.x,
    // (int)max.x] x [(int)min.y, (int)max.y], bounds included, each corner
    // truncated towards zero. A corner that is not a number contains nothing.
    bool isInsideRect(d3dx::Vector2 min, d3dx::Vector2 max) const;

private:
    struct Button {
        uint8_t down = 0;
        uint8_t released = 0;    // let go of while held, this frame
        uint8_t dragEnded = 0;   // a drag ended, this frame
        uint8_t dragging = 0;
        double lastReleaseMs = -1.0;  // system clock; negative before the first release
        int32_t pressX = 0, pressY = 0;
    };

    // The back-buffer size the graphics window keeps (truncated to whole
    // pixels), else the engine window's client size; false when neither is
    // known.
    static bool backBufferSize(int32_t* width, int32_t* height);
    // Sends a button-kind event (button, double click, drag end) at the
    // current position.
    void sendButtonEvent(uint32_t type, uint32_t button, uint32_t state);

    int32_t m_x = kStartX, m_y = kStartY;
    int32_t m_previousX = 0, m_previousY = 0;
    int32_t m_accumulatedDx = 0, m_accumulatedDy = 0;
    d3dx::Vector3 m_groundPoint, m_previousGroundPoint, m_groundMovement;
    bool m_hasGroundPoint = false;
    Button m_buttons[kButtonCount];
};
