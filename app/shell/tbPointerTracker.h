// Where the pointer is, for the mouse gate: followed from the windows' own
// mouse events (entering, leaving and moving over the view, any event of a
// tool bar's window) as they arrive, so the gate's questions read this state
// instead of asking the display server for the cursor and every window's
// rectangle each time.
#pragma once

#include <functional>
#include <optional>

#include "app/shell/tbMouseGate.h"

class tbPointerTracker : public tbViewWindows {
public:
    using Enabled = std::function<bool()>;
    using Visible = std::function<bool(tbGatedWindow)>;

    // `enabled`: whether the main window takes input now; `visible`: whether
    // a bar's window is shown.
    tbPointerTracker(Enabled enabled, Visible visible)
        : m_enabled(std::move(enabled)), m_visible(std::move(visible)) {}

    // An event of the view: the pointer inside its client area or not (a
    // drag that holds the mouse still reports to the view from outside).
    void pointerInView(bool inside) {
        m_inView = inside;
        m_overBar.reset();
    }
    // An event of a tool bar's window (`bar` null for one the gate ignores):
    // the pointer is over that bar, so not over the view.
    void pointerOverBar(std::optional<tbGatedWindow> bar) {
        m_inView = false;
        m_overBar = bar;
    }
    // An event of any other window.
    void pointerElsewhere() {
        m_inView = false;
        m_overBar.reset();
    }

    bool isMainWindowEnabled() const override { return m_enabled(); }
    bool isCursorInsideView() const override { return m_inView; }
    bool isVisibleUnderCursor(tbGatedWindow window) const override {
        return m_overBar == window && m_visible(window);
    }

private:
    Enabled m_enabled;
    Visible m_visible;
    bool m_inView = false;
    std::optional<tbGatedWindow> m_overBar;
};
