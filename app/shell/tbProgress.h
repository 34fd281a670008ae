// tbProgress: the progress box that long operations (import, export) show.
//
// The box itself is a window (the dialog layer's progress box); this class
// holds the decisions: one box at a time, a new position only when it has
// moved by a whole percent, and the box destroyed when the work ends, so no
// window is left behind per operation.
#pragma once

#include <functional>
#include <memory>
#include <string>

// A shown progress box. Destroying it closes its window.
class tbProgressBox {
public:
    virtual ~tbProgressBox() = default;
    // Shows the bar at `percent` (0..100) and redraws the box at once, since
    // the caller keeps the thread busy.
    virtual void setPosition(int percent) = 0;
};

class tbProgress {
public:
    // Makes and shows a box with a title and a text; null when it cannot.
    using BoxFactory = std::function<std::unique_ptr<tbProgressBox>(const std::string& title,
                                                                    const std::string& text)>;

    explicit tbProgress(BoxFactory factory) : m_factory(std::move(factory)) {}
    // The windows come later than the application: the main window hands in
    // its factory once it exists (and an empty one before it goes).
    void setFactory(BoxFactory factory) { m_factory = std::move(factory); }

    // Opens the box and sets the value to 0; nothing when a box is open.
    void show(const std::string& title, const std::string& text);
    // Moves the bar to the value truncated toward zero, when a box is open and
    // the value differs by 1 or more from the last one shown.
    void set(float percent);
    // Destroys the box and sets the value to 0; nothing when none is open.
    void hide();

    bool isOpen() const { return m_box != nullptr; }
    float value() const { return m_value; }

private:
    BoxFactory m_factory;
    std::unique_ptr<tbProgressBox> m_box;
    float m_value = 0.0f;
};
