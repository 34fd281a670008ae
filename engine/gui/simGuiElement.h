// simGuiElement: the base of every widget of the engine's GUI toolkit.
//
// This is the part of the element that the engine itself relies on: a name
// by which scripts and the engine find it, its place in the element
// manager's lists, its per-frame update, input and drawing hooks, a float
// datum (a progress bar shows it as its filled fraction), visibility with a
// fade-in, and deletion through deferred deletion. Elements are made only
// while the element manager exists; the manager draws, updates and routes
// events to them itself, so they are on none of the application's hook lists.
#pragma once

#include <string>

#include "engine/core/simObject.h"
#include "engine/core/simSafeDeleteObject.h"
#include "engine/core/utilsTimer.h"

class simGuiElement : public simSafeDeleteObject, public simObject {
public:
    // Joins the manager (drawn last, first to get events).
    simGuiElement(std::string name, int32_t x, int32_t y, int32_t width, int32_t height);
    // Leaves the manager's lists (when the manager still exists).
    ~simGuiElement() override;

    std::string getTypeName() override { return "simGuiElement"; }
    std::string getClassName() override { return "simGuiElement:" + m_name; }

    const std::string& getName() const { return m_name; }

    // ---- Per-frame hooks, called by the manager
    void update() override;
    void onEvent(simInputEvent* event) override;
    // Draws the element with the renderer's current states; nothing in the base.
    virtual void render() {}

    // ---- Value and text
    virtual void setData(float value) { m_data = value; }
    virtual float getData() { return m_data; }
    virtual void setText(std::string) {}
    virtual std::string getText() { return ""; }

    // ---- State
    virtual void enable() { m_enabled = true; }
    virtual void disable() { m_enabled = false; }
    bool isEnabled() const { return m_enabled; }
    // Shows or hides at once, ending any fade.
    virtual void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    // Fades in over `ms`; nothing while a fade-in runs.
    virtual void show(float ms, bool flag = false);
    bool isFadingIn() const { return m_fadingIn; }

    // Lets go of the element: it is deleted by the next purge.
    virtual void removeFromCollection() { safeDelete(); }

protected:
    std::string m_name;
    int32_t m_x, m_y, m_width, m_height;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_fadingIn = false;
    bool m_showFlag = false;
    float m_fadeInTime = 0.0f;  // ms
    float m_data = 0.0f;
    utils::Timer m_fadeInStopwatch;
};
