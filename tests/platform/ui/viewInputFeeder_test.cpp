#include <ostream>
#include <vector>

#include <gtest/gtest.h>
#include <wx/defs.h>
#include <wx/event.h>

#include "platform/ui/viewInputFeeder.h"
#include "platform/ui/wxWindowSystem.h"
#include "platform/win/winMessages.h"

namespace {

TEST(VirtualKeys, WxKeysMapToTheEnginesCodes) {
    struct Case {
        int wx;
        win::UINT vk;
    } cases[] = {
        {'A', 'A'},
        {'Z', 'Z'},
        {'0', '0'},
        {WXK_BACK, win::VK_BACK},
        {WXK_TAB, win::VK_TAB},
        {WXK_RETURN, win::VK_RETURN},
        {WXK_ESCAPE, win::VK_ESCAPE},
        {WXK_SPACE, win::VK_SPACE},
        {WXK_SHIFT, win::VK_SHIFT},
        {WXK_CONTROL, win::VK_CONTROL},
        {WXK_ALT, win::VK_MENU},
        {WXK_DELETE, win::VK_DELETE},
        {WXK_LEFT, win::VK_LEFT},
        {WXK_PAGEDOWN, win::VK_NEXT},
        {WXK_NUMPAD0, win::VK_NUMPAD0},
        {WXK_NUMPAD4, win::VK_NUMPAD0 + 4},
        {WXK_NUMPAD9, win::VK_NUMPAD0 + 9},
        {WXK_NUMPAD_ENTER, win::VK_RETURN},
        {WXK_NUMPAD_LEFT, win::VK_LEFT},
        {WXK_F1, win::VK_F1},
        {WXK_F12, win::VK_F1 + 11},
        {WXK_WINDOWS_LEFT, win::VK_LWIN},
        // Keys without a code of their own: punctuation would collide with
        // other keys ('.' is 46, the code of Delete), so it comes only as a
        // character.
        {'.', 0},
        {',', 0},
        {'a', 0},
        {WXK_NONE, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ui::virtualKeyOf(c.wx), c.vk) << "wx key " << c.wx;
}

}  // namespace

namespace {

// A wx key event as the toolkit makes it: the key code, the typed code point
// for characters, and whether Alt or Ctrl was held.
wxKeyEvent keyEvent(wxEventType type, int keyCode, bool alt = false, wxChar character = WXK_NONE) {
    wxKeyEvent event(type);
    event.m_keyCode = keyCode;
    event.m_uniChar = character;
    event.SetAltDown(alt);
    return event;
}

struct Sent {
    win::UINT message;
    win::WPARAM wParam;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Sent& sent) {
    return out << "{message " << sent.message << ", wParam " << sent.wParam << "}";
}

class FeederKeys : public ::testing::Test {
protected:
    FeederKeys() : feeder(windows, [this](const win::MSG& message) { sent.push_back({message.message, message.wParam}); }) {}

    void feed(wxEvent&& event) { EXPECT_EQ(feeder.FilterEvent(event), wxEventFilter::Event_Skip); }

    ui::WxWindowSystem windows;
    std::vector<Sent> sent;
    ui::ViewInputFeeder feeder;
};

TEST_F(FeederKeys, KeysBecomeKeyMessagesAndAltMakesThemSystemKeys) {
    using namespace win;
    feed(keyEvent(wxEVT_KEY_DOWN, 'A'));
    feed(keyEvent(wxEVT_CHAR, 'a', false, L'a'));
    feed(keyEvent(wxEVT_KEY_DOWN, WXK_ALT, true));
    feed(keyEvent(wxEVT_KEY_UP, 'A', true));                  // let go of while Alt is held
    feed(keyEvent(wxEVT_KEY_DOWN, WXK_RETURN, true));         // Alt+Enter
    feed(keyEvent(wxEVT_CHAR, WXK_RETURN, true, L'\r'));      // a menu character: none
    feed(keyEvent(wxEVT_KEY_UP, WXK_ALT, false));
    feed(keyEvent(wxEVT_KEY_DOWN, WXK_NUMPAD4));
    feed(keyEvent(wxEVT_KEY_DOWN, '.'));                      // no key code of its own
    feed(keyEvent(wxEVT_CHAR, '.', false, L'.'));
    feed(keyEvent(wxEVT_CHAR, 0, false, static_cast<wxChar>(0x1F600)));
    feed(keyEvent(wxEVT_KEY_DOWN, WXK_F1));
    const std::vector<Sent> expected = {
        {WM_KEYDOWN, 'A'},         {WM_CHAR, 'a'},          {WM_SYSKEYDOWN, VK_MENU},
        {WM_SYSKEYUP, 'A'},        {WM_SYSKEYDOWN, VK_RETURN}, {WM_SYSKEYUP, VK_MENU},
        {WM_KEYDOWN, VK_NUMPAD0 + 4}, {WM_CHAR, '.'},       {WM_CHAR, 0x1F600},
        {WM_KEYDOWN, VK_F1},
    };
    EXPECT_EQ(sent, expected);
}

TEST_F(FeederKeys, LosingTheFocusReleasesEveryKeyStillDown) {
    using namespace win;
    feed(keyEvent(wxEVT_KEY_DOWN, WXK_SHIFT));
    feed(keyEvent(wxEVT_KEY_DOWN, 'W'));
    feed(keyEvent(wxEVT_KEY_DOWN, 'Q'));
    feed(keyEvent(wxEVT_KEY_UP, 'Q'));
    feed(keyEvent(wxEVT_KEY_DOWN, WXK_ALT, true));
    sent.clear();
    feed(wxActivateEvent(wxEVT_ACTIVATE_APP, true));
    EXPECT_TRUE(sent.empty()) << "gaining the focus releases nothing";
    feed(wxActivateEvent(wxEVT_ACTIVATE_APP, false));
    const std::vector<Sent> expected = {{WM_KEYUP, VK_SHIFT}, {WM_SYSKEYUP, VK_MENU}, {WM_KEYUP, 'W'}};
    EXPECT_EQ(sent, expected);
    sent.clear();
    feed(wxActivateEvent(wxEVT_ACTIVATE_APP, false));
    EXPECT_TRUE(sent.empty()) << "each key is released once";
}

// The first key that walks a pop-up menu reaches the windows, its release
// goes to the menu: the key is released when the menu closes, or the view
// would take it as held from then on.
TEST_F(FeederKeys, AMenuClosingReleasesTheKeysItTook) {
    using namespace win;
    feed(wxMenuEvent(wxEVT_MENU_OPEN));
    feed(keyEvent(wxEVT_KEY_DOWN, WXK_DOWN));
    feed(wxMenuEvent(wxEVT_MENU_OPEN));  // a submenu
    feed(wxMenuEvent(wxEVT_MENU_CLOSE));
    feed(wxMenuEvent(wxEVT_MENU_CLOSE));
    feed(keyEvent(wxEVT_KEY_UP, WXK_RETURN));
    const std::vector<Sent> expected = {{WM_KEYDOWN, VK_DOWN}, {WM_KEYUP, VK_DOWN}, {WM_KEYUP, VK_RETURN}};
    EXPECT_EQ(sent, expected);
}

}  // namespace
