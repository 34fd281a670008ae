#include <gtest/gtest.h>
#include <wx/defs.h>

#include "platform/ui/viewInputFeeder.h"
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
