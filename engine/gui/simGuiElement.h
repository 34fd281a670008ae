// simGuiElement: the base of every widget of the engine's GUI toolkit.
//
// It holds what every widget shares: the name scripts find it by, a screen
// rectangle, a colour and a font, ten string, integer and float attribute
// slots, visibility with fades in and out, enabled state, flashing, an
// animated move and resize, a tooltip and its place in a dialog form.
// Widgets override the drawing, input, text and change-report operations.
//
// Elements are made only while the element manager exists (g_guiElementManager);
// the manager draws, updates and routes events to them itself, so they are on
// none of the application's hook lists. An element is deleted through
// deferred deletion (`removeFromCollection`); its destructor takes it out of
// every list and clears every manager pointer that names it.
//
// Every duration is in milliseconds of the engine's clock (platform/sys/clock.h),
// read through stopwatches, so tests drive fades and moves with the manual clock.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <string>

#include "engine/core/simColour.h"
#include "engine/core/simObject.h"
#include "engine/core/simSafeDeleteObject.h"
#include "engine/core/utilsTimer.h"

class simFont;

class simGuiElement : public simSafeDeleteObject, public simObject {
public:
    static constexpr int kAttributeSlots = 10;
    // A `moveResize` coordinate that keeps its current value.
    static constexpr int32_t kKeepCoordinate = -999;
    // Half the period of the flash phase.
    static constexpr double kFlashPhaseMs = 500.0;

    // Joins the manager (drawn last, first to get events) and, when the
    // manager has a current dialog form, that form.
    simGuiElement(std::string name, int32_t x, int32_t y, int32_t width, int32_t height);
    // Leaves its form, orphans its children, leaves the manager's lists and
    // clears every manager pointer to it.
    ~simGuiElement() override;

    std::string getTypeName() override { return "simGuiElement"; }
    std::string getClassName() override { return "simGuiElement:" + m_name; }
    const std::string& getName() const { return m_name; }

    // Lets go of the element: it is deleted by the next purge.
    virtual void removeFromCollection() { safeDelete(); }

    // ---- Per-frame hooks, called by the manager
    // Fades, the flash phase and the running move.
    void update() override;
    // Nothing in the base: the manager gives the focus to the frontmost
    // element under a click before it routes the click (takesFocus).
    void onEvent(simInputEvent* event) override;
    // The base drawing step every widget runs first: the tooltip.
    virtual void render();

    // Whether the element may take the focus from a click now (visible,
    // enabled, alive); widgets may refuse for a while (the image when young).
    virtual bool takesFocus() const;
    // Mouse position inside the rectangle, edges included.
    virtual bool isMouseOver();

    // ---- Value, text and font
    virtual void setText(std::string) {}
    virtual std::string getText() { return ""; }
    virtual void setFont(simFont* font) { m_font = font; }
    virtual simFont* getFont() { return m_font; }
    virtual void setData(float value) { m_data = value; }
    virtual float getData() { return m_data; }
    virtual float getValue() { return 0.0f; }

    // One entry of a script's property table; widgets handle their own keys
    // and pass every entry to the base first.
    virtual void readAttributes(const std::string& key, const std::string& value);

    // ---- Attribute slots (indexes above 9 are ignored or read as ""/0)
    virtual void setStringAttribute(int index, std::string value);
    virtual std::string getStringAttribute(int index);
    virtual void setFloatAttribute(int index, float value);
    virtual float getFloatAttribute(int index);
    virtual void setIntAttribute(int index, int32_t value);
    virtual int32_t getIntAttribute(int index);

    // ---- Tooltip: a pop-up, or, with a target name, the text handed to the
    // element of that name every frame.
    virtual void setTooltip(std::string text, std::string targetName);
    // Reports a change of the widget's value to the script; nothing in the base.
    virtual void fireChange() {}

    // ---- Fades and moves (milliseconds; 0 or less acts at once)
    // Fades in; nothing while a fade-in runs. `flag` is kept for the engine's
    // loading screen.
    virtual void show(float ms, bool flag = false);
    // Fades out, then hides or (with `destroy`) destroys; nothing while a
    // fade-out runs. The element stays visible until the fade ends.
    virtual void hide(float ms, bool destroy);
    // Animated move and resize; kKeepCoordinate keeps a coordinate.
    virtual void moveResize(int32_t x, int32_t y, int32_t width, int32_t height, float ms);

    // ---- Geometry: a child of a form keeps its offset from where the form
    // was made.
    virtual int32_t getX();
    virtual int32_t getY();
    virtual int32_t getWidth() { return m_width; }
    virtual int32_t getHeight() { return m_height; }
    // Opacity 0..1: fade-in over fade-out, 0 when hidden.
    virtual float getAlpha();

    // ---- State
    virtual void enable() { m_enabled = true; }
    virtual void disable() { m_enabled = false; }
    bool isEnabled() const { return m_enabled; }
    virtual void setColour(const simColour& colour) { m_colour = colour; }
    const simColour& getColour() const { return m_colour; }
    virtual void setFlashing(bool flashing) { m_flashing = flashing; }
    bool isFlashing() const { return m_flashing; }
    bool getFlashPhase() const { return m_flashPhase; }
    // Shows or hides at once, ending both fades.
    virtual void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    virtual void setModal(bool modal) { m_modal = modal; }
    bool isModal() const { return m_modal; }
    // Whether, on the manager's dialog list, it asks to be the modal dialog
    // (a dialog box keeps a modal flag of its own).
    virtual bool isModalDialog() const { return m_modal; }
    bool isFadingIn() const { return m_fadingIn; }
    bool isFadingOut() const { return m_fadingOut; }
    // Replaces pointers to `old` that a widget keeps; nothing in the base.
    virtual void replaceReference(simGuiElement*, simGuiElement*) {}

    // Milliseconds since the element was made.
    double getAge() const { return m_ageStopwatch.getElapsed(); }
    // The engine clock's milliseconds when the element was made.
    double getCreationTime() const { return m_creationTime; }

    // ---- Dialog form membership
    void addChild(simGuiElement* element);
    void removeChild(simGuiElement* element);
    simGuiElement* getParentForm() const { return m_parentForm; }
    const std::list<simGuiElement*>& getChildren() const { return m_children; }

protected:
    // Whether the element acts on input now: visible, enabled, alive, and the
    // event not yet taken by another.
    bool acceptsInput() const;
    // Whether it is the manager's focus element, the one element that the
    // wheel and the arrow keys act on.
    bool hasFocus() const;
    // Restarts the widget stopwatch as if it had run `elapsedMs` already.
    void restartWidgetStopwatch(double elapsedMs = 0.0);

    std::string m_name;
    std::array<std::string, kAttributeSlots> m_stringAttributes;
    int32_t m_x, m_y, m_width, m_height;
    int32_t m_creationX, m_creationY;
    std::array<int32_t, 4> m_moveStart{};
    std::array<int32_t, 4> m_moveTarget{};
    bool m_enabled = true;
    bool m_modal = false;
    std::array<int32_t, kAttributeSlots> m_intAttributes{};
    simFont* m_font = nullptr;
    simColour m_colour;
    bool m_visible = true;
    bool m_flashing = false;
    bool m_fadingOut = false;
    bool m_fadingIn = false;
    bool m_destroyAfterFade = false;
    bool m_showFlag = false;
    double m_creationTime = 0.0;
    std::array<float, kAttributeSlots> m_floatAttributes{};
    float m_fadeOutTime = 0.0f;
    float m_fadeInTime = 0.0f;
    float m_data = 0.0f;
    float m_moveTime = 0.0f;
    utils::Timer m_flashStopwatch;
    utils::Timer m_widgetStopwatch;  // left to widgets (repeat timing)
    utils::Timer m_fadeOutStopwatch;
    utils::Timer m_fadeInStopwatch;
    utils::Timer m_ageStopwatch;
    utils::Timer m_moveStopwatch;
    bool m_flashPhase = false;
    simGuiElement* m_parentForm = nullptr;
    std::list<simGuiElement*> m_children;
    std::string m_tooltipText;
    std::string m_tooltipTarget;

private:
    void applyMoveStep();
};
