#include "platform/ui/viewInputFeeder.h"

#include "platform/ui/inputPreFilter.h"

#include <algorithm>
#include <array>
#include <utility>

#include <wx/textentry.h>
#include <wx/window.h>

#include "platform/ui/wxWindowSystem.h"
#include "platform/win/winMessages.h"

namespace ui {

namespace {

// wx key codes with a virtual key of another number. Letters, digits and the
// control characters Backspace, Tab, Enter, Esc and Space have the same
// number in both and are not listed.
struct KeyPair {
    int wx;
    win::UINT vk;
};
constexpr KeyPair kKeyTable[] = {
    {WXK_DELETE, win::VK_DELETE},
    {WXK_SHIFT, win::VK_SHIFT},
    {WXK_ALT, win::VK_MENU},
    {WXK_CONTROL, win::VK_CONTROL},
    {WXK_PAUSE, win::VK_PAUSE},
    {WXK_CAPITAL, win::VK_CAPITAL},
    {WXK_END, win::VK_END},
    {WXK_HOME, win::VK_HOME},
    {WXK_LEFT, win::VK_LEFT},
    {WXK_UP, win::VK_UP},
    {WXK_RIGHT, win::VK_RIGHT},
    {WXK_DOWN, win::VK_DOWN},
    {WXK_INSERT, win::VK_INSERT},
    {WXK_NUMLOCK, win::VK_NUMLOCK},
    {WXK_SCROLL, win::VK_SCROLL},
    {WXK_PAGEUP, win::VK_PRIOR},
    {WXK_PAGEDOWN, win::VK_NEXT},
    {WXK_NUMPAD_SPACE, win::VK_SPACE},
    {WXK_NUMPAD_TAB, win::VK_TAB},
    {WXK_NUMPAD_ENTER, win::VK_RETURN},
    {WXK_NUMPAD_HOME, win::VK_HOME},
    {WXK_NUMPAD_LEFT, win::VK_LEFT},
    {WXK_NUMPAD_UP, win::VK_UP},
    {WXK_NUMPAD_RIGHT, win::VK_RIGHT},
    {WXK_NUMPAD_DOWN, win::VK_DOWN},
    {WXK_NUMPAD_PAGEUP, win::VK_PRIOR},
    {WXK_NUMPAD_PAGEDOWN, win::VK_NEXT},
    {WXK_NUMPAD_END, win::VK_END},
    {WXK_NUMPAD_INSERT, win::VK_INSERT},
    {WXK_NUMPAD_DELETE, win::VK_DELETE},
    {WXK_NUMPAD_MULTIPLY, win::VK_MULTIPLY},
    {WXK_NUMPAD_ADD, win::VK_ADD},
    {WXK_NUMPAD_SUBTRACT, win::VK_SUBTRACT},
    {WXK_NUMPAD_DECIMAL, win::VK_DECIMAL},
    {WXK_NUMPAD_DIVIDE, win::VK_DIVIDE},
    {WXK_WINDOWS_LEFT, win::VK_LWIN},
    {WXK_WINDOWS_RIGHT, win::VK_RWIN},
};

// The message of a mouse button event: {down, up} per wx button.
struct ButtonMessages {
    wxEventType down, doubleClick, up;
    win::UINT downMessage, upMessage;
};
const std::array<ButtonMessages, 3> kButtonMessages = {{
    {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP, win::WM_LBUTTONDOWN, win::WM_LBUTTONUP},
    {wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_DCLICK, wxEVT_MIDDLE_UP, win::WM_MBUTTONDOWN, win::WM_MBUTTONUP},
    {wxEVT_RIGHT_DOWN, wxEVT_RIGHT_DCLICK, wxEVT_RIGHT_UP, win::WM_RBUTTONDOWN, win::WM_RBUTTONUP},
}};

}  // namespace

win::UINT virtualKeyOf(int wxKeyCode) {
    if ((wxKeyCode >= 'A' && wxKeyCode <= 'Z') || (wxKeyCode >= '0' && wxKeyCode <= '9')) return wxKeyCode;
    switch (wxKeyCode) {
        case WXK_BACK:
        case WXK_TAB:
        case WXK_RETURN:
        case WXK_ESCAPE:
        case WXK_SPACE:
            return wxKeyCode;
        default:
            break;
    }
    if (wxKeyCode >= WXK_NUMPAD0 && wxKeyCode <= WXK_NUMPAD9) return win::VK_NUMPAD0 + (wxKeyCode - WXK_NUMPAD0);
    if (wxKeyCode >= WXK_F1 && wxKeyCode <= WXK_F24) return win::VK_F1 + (wxKeyCode - WXK_F1);
    const auto found = std::find_if(std::begin(kKeyTable), std::end(kKeyTable),
                                    [wxKeyCode](const KeyPair& pair) { return pair.wx == wxKeyCode; });
    return found == std::end(kKeyTable) ? 0 : found->vk;
}

ViewInputFeeder::ViewInputFeeder(WxWindowSystem& windows, Sink sink) : windows_(windows), sink_(std::move(sink)) {
    wxEvtHandler::AddFilter(this);
}

ViewInputFeeder::~ViewInputFeeder() { wxEvtHandler::RemoveFilter(this); }

int ViewInputFeeder::FilterEvent(wxEvent& event) {
    if (!sink_) return Event_Skip;
    if (event.GetEventType() == wxEVT_ACTIVATE_APP) {
        if (!static_cast<const wxActivateEvent&>(event).GetActive()) releaseAllKeys();
        return Event_Skip;
    }
    if (event.GetEventType() == wxEVT_MENU_CLOSE) {
        releaseAllKeys();
        return Event_Skip;
    }
    win::MSG message;
    if (translate(event, &message)) {
        // Typed into a text box, a key (Space too) belongs to the text alone.
        if (isTypedIntoText(event, message)) return Event_Skip;
        trackKey(message);
        sink_(message);
    }
    return isSwallowed(event) ? Event_Processed : Event_Skip;
}

bool ViewInputFeeder::isTypedIntoText(const wxEvent& event, const win::MSG& message) const {
    if (!dynamic_cast<const wxKeyEvent*>(&event)) return false;
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    if (!window || !dynamic_cast<wxTextEntry*>(window)) return false;
    // A key the engine was told is down still goes up there.
    const bool release = message.message == win::WM_KEYUP || message.message == win::WM_SYSKEYUP;
    return !(release && message.wParam < keysDown_.size() && keysDown_.test(message.wParam));
}

void ViewInputFeeder::trackKey(const win::MSG& message) {
    if (message.wParam >= keysDown_.size()) return;
    if (message.message == win::WM_KEYDOWN || message.message == win::WM_SYSKEYDOWN)
        keysDown_.set(message.wParam);
    else if (message.message == win::WM_KEYUP || message.message == win::WM_SYSKEYUP)
        keysDown_.reset(message.wParam);
}

void ViewInputFeeder::releaseAllKeys() {
    for (win::UINT key = 0; key < keysDown_.size(); ++key) {
        if (!keysDown_.test(key)) continue;
        keysDown_.reset(key);
        sink_(win::MSG{nullptr, key == win::VK_MENU ? win::WM_SYSKEYUP : win::WM_KEYUP, key, 0});
    }
}

bool ViewInputFeeder::translate(const wxEvent& event, win::MSG* message) {
    if (const auto* mouse = dynamic_cast<const wxMouseEvent*>(&event)) return translateMouse(*mouse, message);
    if (const auto* key = dynamic_cast<const wxKeyEvent*>(&event)) return translateKey(*key, message);
    return false;
}

bool ViewInputFeeder::isHandedOnWheel(const wxMouseEvent& event) {
    const auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    const long time = event.GetTimestamp();
    // A hand-on comes with the turn's own time, to a parent of the window
    // the turn was over (kept by address only: it may be gone by now).
    if (time == lastWheelTime_ && window &&
        std::find(lastWheelParents_.begin(), lastWheelParents_.end(), window) != lastWheelParents_.end())
        return true;
    lastWheelTime_ = time;
    lastWheelParents_.clear();
    for (const wxWindow* w = window ? window->GetParent() : nullptr; w; w = w->GetParent()) lastWheelParents_.push_back(w);
    return false;
}

bool ViewInputFeeder::translateMouse(const wxMouseEvent& event, win::MSG* message) {
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    if (!window) return false;
    const wxEventType type = event.GetEventType();
    const int x = toDevicePixels(window, event.GetX());
    const int y = toDevicePixels(window, event.GetY());

    message->hwnd = windows_.handleOf(window);
    message->wParam = 0;
    message->lParam = win::MAKELPARAM(x, y);
    if (type == wxEVT_MOTION) {
        message->message = win::WM_MOUSEMOVE;
        return true;
    }
    if (type == wxEVT_MOUSEWHEEL) {
        if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || isHandedOnWheel(event)) return false;
        // wx and the system agree: positive turns away from the user.
        const int delta = std::clamp(event.GetWheelRotation(), -32768, 32767);
        const wxPoint screen = window->ClientToScreen(event.GetPosition());
        message->message = win::WM_MOUSEWHEEL;
        message->wParam = win::MAKEWPARAM(0, delta);
        message->lParam = win::MAKELPARAM(toDevicePixels(window, screen.x), toDevicePixels(window, screen.y));
        return true;
    }
    for (const ButtonMessages& button : kButtonMessages) {
        if (type == button.down || type == button.doubleClick) {
            message->message = button.downMessage;
            return true;
        }
        if (type == button.up) {
            message->message = button.upMessage;
            return true;
        }
    }
    return false;
}

bool ViewInputFeeder::translateKey(const wxKeyEvent& event, win::MSG* message) {
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    message->hwnd = windows_.handleOf(window);
    message->lParam = 0;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_CHAR) {
        // With Alt held the system makes a menu character, not a typed one.
        if (event.AltDown()) return false;
        const wxChar character = event.GetUnicodeKey();
        if (character == WXK_NONE) return false;
        message->message = win::WM_CHAR;
        message->wParam = static_cast<win::WPARAM>(character);
        return true;
    }
    if (type != wxEVT_KEY_DOWN && type != wxEVT_KEY_UP) return false;
    const win::UINT key = virtualKeyOf(event.GetKeyCode());
    if (key == 0) return false;
    const bool down = type == wxEVT_KEY_DOWN;
    const bool system = key == win::VK_MENU || event.AltDown();
    message->message = system ? (down ? win::WM_SYSKEYDOWN : win::WM_SYSKEYUP) : (down ? win::WM_KEYDOWN : win::WM_KEYUP);
    message->wParam = key;
    return true;
}

}  // namespace ui
