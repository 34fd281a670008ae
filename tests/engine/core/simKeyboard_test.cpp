#include "engine/core/simScriptManager.h"
#include "tests/engine/core/inputTestRig.h"

namespace {

using inputtest::Seen;
using namespace win;

constexpr uint32_t kKey = simInputEvent_key;
constexpr uint32_t kAlt = simInputEvent_alt;
constexpr uint32_t kChar = simInputEvent_character;

// A scripted keyboard step: a message with its key or character, or a frame.
struct Step {
    UINT message;  // 0 for a frame
    WPARAM wParam = 0;
};
constexpr Step kFrame{0};

struct KeyCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<Seen> expected;
};

class KeyMessages : public inputtest::InputRig {
protected:
    void run(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            if (step.message == 0)
                frame();
            else
                send(step.message, step.wParam);
        }
    }
};

TEST_F(KeyMessages, KeySequencesGiveTheirEvents) {
    const WPARAM a = 'A';
    const KeyCase cases[] = {
        {"press and release", {{WM_KEYDOWN, a}, {WM_KEYUP, a}}, {{kKey, a, 1}, {kKey, a, 2}}},
        {"held across three frames: the system's repeats and one held event per frame",
         {{WM_KEYDOWN, a}, kFrame, {WM_KEYDOWN, a}, kFrame, kFrame, {WM_KEYUP, a}},
         {{kKey, a, 1}, {kKey, a, 3}, {kKey, a, 3}, {kKey, a, 3}, {kKey, a, 3}, {kKey, a, 2}}},
        {"a release and a new press within one frame: the press is a press",
         {{WM_KEYDOWN, a}, {WM_KEYUP, a}, {WM_KEYDOWN, a}},
         {{kKey, a, 1}, {kKey, a, 2}, {kKey, a, 1}}},
        {"a release of a key that is not down", {{WM_KEYUP, a}}, {{kKey, a, 0}}},
        {"keypad 4 is the digit 4", {{WM_KEYDOWN, VK_NUMPAD0 + 4}}, {{kKey, '4', 1}}},
        {"keypad 0 and 9 are the digits", {{WM_KEYDOWN, VK_NUMPAD0}, {WM_KEYDOWN, VK_NUMPAD0 + 9}},
         {{kKey, '0', 1}, {kKey, '9', 1}}},
        {"codes past 255 are ignored", {{WM_KEYDOWN, 300}, {WM_KEYUP, 300}, kFrame}, {}},
        {"held keys come lowest code first",
         {{WM_KEYDOWN, 'Z'}, {WM_KEYDOWN, VK_SHIFT}, kFrame},
         {{kKey, 'Z', 1}, {kKey, VK_SHIFT, 1}, {kKey, VK_SHIFT, 3}, {kKey, 'Z', 3}}},
        {"Alt down and up", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}, {{kAlt, 0, 1}, {kAlt, 0, 2}}},
        {"Alt up without Alt down", {{WM_SYSKEYUP, VK_MENU}}, {{kAlt, 0, 0}}},
        {"Alt auto-repeat reports down each time",
         {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}},
         {{kAlt, 0, 1}, {kAlt, 0, 1}, {kAlt, 0, 2}}},
        {"a key released while Alt is held is released and not held any longer",
         {{WM_KEYDOWN, a}, {WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, a}, kFrame, {WM_SYSKEYUP, VK_MENU}, kFrame},
         {{kKey, a, 1}, {kAlt, 0, 1}, {kKey, a, 2}, {kAlt, 0, 2}}},
        {"a key pressed while Alt is held is the system's, not the engine's",
         {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, a}, kFrame},
         {{kAlt, 0, 1}}},
        {"Alt with Enter makes no key event", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_RETURN}},
         {{kAlt, 0, 1}}},
        {"a character", {{WM_CHAR, 'q'}}, {{kChar, 'q', 0}}},
        {"Backspace, Esc, Enter and Tab make no character",
         {{WM_CHAR, VK_BACK}, {WM_CHAR, VK_ESCAPE}, {WM_CHAR, VK_RETURN}, {WM_CHAR, VK_TAB}}, {}},
        {"a character beyond one byte keeps its whole code point",
         {{WM_CHAR, 0x00E9}, {WM_CHAR, 0x0108}, {WM_CHAR, 0x1F600}},
         {{kChar, 0x00E9, 0}, {kChar, 0x0108, 0}, {kChar, 0x1F600, 0}}},
        {"a letter typed with Ctrl down gives its keys but no character",
         {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'S'}, {WM_CHAR, 19}, {WM_KEYUP, 'S'}, {WM_KEYUP, VK_CONTROL},
          {WM_CHAR, 's'}},
         {{kKey, VK_CONTROL, 1}, {kKey, 'S', 1}, {kKey, 'S', 2}, {kKey, VK_CONTROL, 2}, {kChar, 's', 0}}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        delete g_input->getKeyboard();
        new simKeyboard();
        take();
        run(c.steps);
        EXPECT_EQ(take(), c.expected);
    }
}

TEST_F(KeyMessages, ShiftAndCtrlAreCarriedByEveryLaterEvent) {
    send(WM_KEYDOWN, VK_SHIFT);
    EXPECT_EQ(recorder->events.back().shift, 0) << "Shift goes down after its own event";
    send(WM_KEYDOWN, VK_CONTROL);
    EXPECT_EQ(recorder->events.back().shift, 1);
    EXPECT_EQ(recorder->events.back().ctrl, 0);
    send(WM_LBUTTONDOWN);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    send(WM_CHAR, 'x');  // no character while Ctrl is down
    send(WM_SYSKEYDOWN, VK_MENU);
    for (size_t i = 2; i < recorder->events.size(); ++i) {
        EXPECT_EQ(recorder->events[i].shift, 1) << "event " << i;
        EXPECT_EQ(recorder->events[i].ctrl, 1) << "event " << i;
    }
    EXPECT_EQ(recorder->events.size(), 5u);
    send(WM_KEYUP, VK_SHIFT);
    send(WM_KEYUP, VK_CONTROL);
    recorder->events.clear();
    send(WM_KEYDOWN, 'B');
    EXPECT_EQ(recorder->events.back().shift, 0);
    EXPECT_EQ(recorder->events.back().ctrl, 0);
}

TEST_F(KeyMessages, EscReleasedWithShiftDownClosesTheApplication) {
    send(WM_KEYDOWN, VK_ESCAPE);
    send(WM_KEYUP, VK_ESCAPE);
    EXPECT_FALSE(application.isQuitRequested()) << "Esc alone";
    send(WM_KEYDOWN, VK_SHIFT);
    send(WM_KEYUP, VK_ESCAPE);
    EXPECT_FALSE(application.isQuitRequested()) << "Esc released without being down";
    send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(application.isQuitRequested()) << "only the release closes";
    send(WM_KEYUP, VK_ESCAPE);
    EXPECT_TRUE(application.isQuitRequested());
    EXPECT_FALSE(application.isRunning());
}

TEST_F(KeyMessages, PolledStateFollowsTheFrame) {
    send(WM_KEYDOWN, 'A');
    EXPECT_TRUE(keyboard().isKeyDown('A'));
    send(WM_KEYUP, 'A');
    EXPECT_FALSE(keyboard().isKeyDown('A'));
    EXPECT_TRUE(keyboard().wasKeyReleased('A'));
    EXPECT_EQ(systemLinks().input.keyPressed('A'), 1);
    frame();
    EXPECT_FALSE(keyboard().wasKeyReleased('A')) << "the frame clears the latches first";
    EXPECT_EQ(systemLinks().input.keyPressed('A'), 0);
    send(WM_SYSKEYDOWN, VK_MENU);
    EXPECT_TRUE(keyboard().isAltDown());
    EXPECT_FALSE(keyboard().isKeyDown(VK_MENU)) << "Alt is its own event, not a key";
}

TEST_F(KeyMessages, ADisabledInputSystemPassesNothingOn) {
    g_input->setEnabled(false);
    send(WM_KEYDOWN, 'A');
    send(WM_LBUTTONDOWN);
    EXPECT_TRUE(recorder->events.empty());
    EXPECT_TRUE(keyboard().isKeyDown('A')) << "the state is still kept";
}

TEST_F(KeyMessages, TheInputSystemClearsTheConsumedFlagBeforeEachEvent) {
    application.eventConsumed = true;
    send(WM_KEYDOWN, 'A');
    EXPECT_FALSE(application.eventConsumed);
}

}  // namespace

namespace {

// Scripts read the keyboard through the engine's script functions.
class KeyScripts : public inputtest::InputRig {
protected:
    double evaluate(const std::string& expression) {
        g_scriptManager->executeString("result = " + expression);
        g_scriptManager->getGlobal("result");
        const double value = g_scriptManager->getNumber(0, 1);
        g_scriptManager->pop(1);
        return value;
    }
};

TEST_F(KeyScripts, KeyDownAndKeyPressedReadTheKeyboard) {
    ASSERT_NE(g_scriptManager, nullptr);
    EXPECT_EQ(evaluate("keyboard_keyDown('A')"), 0.0);
    send(win::WM_KEYDOWN, 'A');
    EXPECT_EQ(evaluate("keyboard_keyDown('A')"), 1.0);
    EXPECT_EQ(evaluate("keyboard_keyPressed('A')"), 0.0) << "pressed means let go of in this frame";
    send(win::WM_KEYUP, 'A');
    EXPECT_EQ(evaluate("keyboard_keyDown('A')"), 0.0);
    EXPECT_EQ(evaluate("keyboard_keyPressed('A')"), 1.0);
    frame();
    EXPECT_EQ(evaluate("keyboard_keyPressed('A')"), 0.0);
}

}  // namespace
