// Feeds the program's wx input to the engine as window messages.
//
// A global wx event filter: every mouse and key event of every window of the
// program passes through it before the window handles it, and it hands the
// matching window message to a sink (the host's message filter, which calls
// the engine window procedure). The event then goes on to its window
// unchanged, except Space and the wheel over the colour picker and the tool
// bars, which stop here (inputPreFilter.h).
//
// The messages take the shapes the engine's window procedure expects:
//  - mouse positions in device pixels of the event's own window (HiDPI
//    scaled), with that window's handle, so the engine can place them in its
//    view; a wx double click is a press, since the engine makes double clicks
//    from press times itself;
//  - wheel turns as WM_MOUSEWHEEL with the signed delta in the high word,
//    one message a turn: wx hands a turn nobody handled on to each parent
//    window in turn, and those hand-ons pass the filter again;
//  - keys as virtual-key codes, Alt and every key while Alt is held as system
//    keys; keys without a virtual-key code are left out;
//  - characters as WM_CHAR carrying the whole Unicode code point;
//  - keys typed into a text-entry control (a name box of a tool bar) stay
//    with it, Space included: Delete there edits the text, not the model;
//    only the release of a key the engine already has down still goes to it;
//  - when the program loses the focus, a release of every key it sent down,
//    since the release itself then goes to another program and a key left
//    down would be reported held every frame; the same when a menu closes,
//    since an open menu takes the keys' releases (the first key pressed to
//    walk a menu still reaches the windows, and a Down left held would zoom
//    the view every frame from then on).
#pragma once

#include <bitset>
#include <functional>
#include <vector>

#include <wx/event.h>
#include <wx/eventfilter.h>

#include "platform/win/winTypes.h"

namespace ui {

class WxWindowSystem;

class ViewInputFeeder : public wxEventFilter {
public:
    using Sink = std::function<void(const win::MSG& message)>;

    // Installs the filter; `windows` gives the windows their handles and
    // must outlive the feeder.
    ViewInputFeeder(WxWindowSystem& windows, Sink sink);
    // Removes the filter.
    ~ViewInputFeeder() override;
    ViewInputFeeder(const ViewInputFeeder&) = delete;
    ViewInputFeeder& operator=(const ViewInputFeeder&) = delete;

    // Sends the message of an input event to the sink; lets the event go on
    // unless the window it is for swallows it.
    int FilterEvent(wxEvent& event) override;

    // The window message of a wx event; false for events that make none.
    bool translate(const wxEvent& event, win::MSG* message);

private:
    bool translateMouse(const wxMouseEvent& event, win::MSG* message);
    bool translateKey(const wxKeyEvent& event, win::MSG* message);
    // A key event of a text-entry control that the engine must not see.
    bool isTypedIntoText(const wxEvent& event, const win::MSG& message) const;
    // A wheel event wx handed on from a child window to its parent: the
    // same turn again.
    bool isHandedOnWheel(const wxMouseEvent& event);
    // Follows which keys the engine was told are down.
    void trackKey(const win::MSG& message);
    void releaseAllKeys();

    WxWindowSystem& windows_;
    Sink sink_;
    std::bitset<256> keysDown_;
    // The last wheel turn sent: its time and the parents of the window it
    // was over.
    long lastWheelTime_ = -1;
    std::vector<const wxWindow*> lastWheelParents_;
};

// The virtual-key code of a wx key code; 0 for a key that has none.
win::UINT virtualKeyOf(int wxKeyCode);

}  // namespace ui
