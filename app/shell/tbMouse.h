// tbMouse: the editor's mouse.
//
// The engine's mouse, owned by the editor's input system (`tbInput`), plus
// what the editors want of it: the point of the ground under the cursor for
// placing things on a flying site, a flag for the event being handled, and
// the cursor's texture.
//
// Made after tbInput (createEngine), which then owns it and deletes it when
// it goes; the engine's input system knows it as its mouse too.
#pragma once

#include "engine/core/simMouse.h"

class simTexture;

class tbMouse : public simMouse {
public:
    // The name of the cursor's texture, looked up among the loaded resources.
    static constexpr const char* kCursorTexture = "white.bmp";

    // Registers as the mouse of the current tbInput (and, through simMouse,
    // of the engine's input system).
    tbMouse();
    // Clears both registrations.
    ~tbMouse() override;

    std::string getClassName() override { return "simMouse"; }

    // Clears the handled flag for the new event, then the engine mouse's
    // handling (press positions, drags).
    void onEvent(simInputEvent* event) override;

    // Set by whoever acts on the event now going round, so that later
    // listeners of the same event can leave it alone; every new event starts
    // unhandled.
    void setHandled() { m_handled = true; }
    bool isHandled() const { return m_handled; }

    // The point of the ground plane (y = 0) under the cursor, seen by the
    // current camera: true with *point set, or false (point unchanged) when
    // the cursor's ray does not come down to the ground in front of the
    // camera (a click above the horizon) or there is no camera.
    bool groundUnderCursor(d3dx::Vector3* point);

    // The cursor's texture, found by name each time (a loaded "white.bmp"),
    // so a texture that was released is never reached; null when none.
    static simTexture* cursorTexture();

private:
    bool m_handled = false;
};
