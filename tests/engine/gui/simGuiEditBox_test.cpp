// Edit boxes through the real mouse and keyboard on the test clock: editing
// starts on a click and selects everything, typing (UTF-8 by code point)
// replaces or inserts at the caret, Enter/click-outside commit and report
// once, Esc drops, numeric boxes clamp and reformat, held keys repeat,
// Tab moves on, cut/copy/paste go through a fake clipboard, and the text
// shown is masked, suffixed and shortened.
#include <gtest/gtest.h>

#include "engine/gui/simGuiClipboard.h"
#include "engine/gui/simGuiEditBox.h"
#include "tests/engine/gui/guiTestBench.h"

namespace {

class FakeClipboard final : public simGuiClipboard {
public:
    bool getText(std::string& out) override {
        if (!held) return false;
        out = text;
        return true;
    }
    void setText(const std::string& value) override {
        text = value;
        held = true;
    }
    std::string text;
    bool held = false;
};

class GuiEditBoxTest : public ::testing::Test {
protected:
    GuiEditBoxTest() {
        simGuiClipboard::install(&clipboard);
        bench.recordCalls();
        bench.lua("function changed(name, text) record(name, text) end "
                  "createGuiEditBox('e', 100, 100, 120, 20, 'changed') gui_setText('e', 'hello')");
    }
    ~GuiEditBoxTest() override { simGuiClipboard::install(nullptr); }
    simGuiEditBox* box() { return bench.find<simGuiEditBox>("e"); }
    // Starts editing with a click and lets the box settle.
    void edit() {
        bench.moveTo(110, 110);
        bench.click(111, 110);
        bench.clock.advance(150.0);
    }
    void type(const std::string& codePoints) {
        for (const unsigned char c : codePoints) bench.character(c);
    }
    // Press and release, as the keyboard sends them.
    void key(uint32_t code) {
        bench.key(code, simKeyState_pressed);
        bench.key(code, simKeyState_released);
    }
    FakeClipboard clipboard;
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiEditBoxTest, TypingReplacesTheSelectionAndEnterCommitsOnce) {
    edit();
    ASSERT_EQ(box()->getState(), simGuiEditBox::editing);
    EXPECT_TRUE(box()->isAllSelected());
    EXPECT_EQ(bench.manager->editElement, box());
    type("ab");
    bench.character(0x00E9);  // é, two bytes
    bench.character(0x1F600);
    EXPECT_EQ(box()->getEditBuffer(), "ab\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(box()->getCaret(), 4);
    key(37);  // Left
    key(8);   // Backspace removes the é whole
    EXPECT_EQ(box()->getEditBuffer(), "ab\xF0\x9F\x98\x80");
    key(36);  // Home
    bench.character('>');
    EXPECT_EQ(box()->getEditBuffer(), ">ab\xF0\x9F\x98\x80");
    EXPECT_TRUE(bench.takeCalls().empty());
    key(13);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"e >ab\xF0\x9F\x98\x80"}));
    EXPECT_EQ(box()->getState(), simGuiEditBox::idle);
    EXPECT_EQ(bench.manager->editElement, nullptr);
}

TEST_F(GuiEditBoxTest, EscapeDropsAndAClickOutsideCommits) {
    edit();
    type("x");
    key(27);
    EXPECT_EQ(bench.luaValue("gui_getText('e')"), "hello");
    EXPECT_TRUE(bench.takeCalls().empty());
    edit();
    key(35);  // End
    type("!");
    bench.click(400, 400);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"e hello!"}));
}

TEST_F(GuiEditBoxTest, NumericBoxesClampReformatAndReportOnce) {
    struct Case {
        const char* attributes;
        const char* typed;
        bool enter;
        const char* text;
    };
    const Case cases[] = {
        {"gui_setAttribute('e', 'numericOnlyInteger', '1') gui_setAttribute('e', 'rangeHigh', '100')", "150", true,
         "100"},
        {"", "12.7", true, "12"},
        {"gui_setAttribute('e', 'numericOnlyFloat', '1') gui_setAttribute('e', 'rangeHigh', '0')", "3,5", true, "3.5"},
        {"", "3,5", false, "3.0"},  // a click outside reads up to the comma
        {"", "a-1b", true, "-1.0"},  // letters refused
    };
    for (const Case& c : cases) {
        bench.lua(c.attributes);
        edit();
        type(c.typed);
        if (c.enter) {
            key(13);
        } else {
            bench.click(400, 400);
        }
        EXPECT_EQ(bench.luaValue("gui_getText('e')"), c.text) << c.typed;
        EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{std::string("e ") + c.text})) << c.typed;
        bench.update();
    }
    // A script's own number is formatted and not reported (no endless loop
    // for a callback that normalises its box).
    bench.lua("function changed(name, text) record(name, text) gui_setData(name, 7) end gui_setData('e', 2.5)");
    EXPECT_EQ(bench.luaValue("gui_getText('e')"), "2.5");
    EXPECT_TRUE(bench.takeCalls().empty());
    edit();
    type("9");
    key(13);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"e 9.0"}));
    EXPECT_EQ(bench.luaValue("gui_getText('e')"), "7.0");
}

TEST_F(GuiEditBoxTest, HeldKeysRepeatAfter900MsThenEvery50) {
    edit();
    key(35);
    bench.key(8, simKeyState_pressed);  // one character at once
    EXPECT_EQ(box()->getEditBuffer(), "hell");
    bench.clock.advance(850.0);
    bench.key(8, simKeyState_held);
    EXPECT_EQ(box()->getEditBuffer(), "hell");
    bench.clock.advance(51.0);
    bench.key(8, simKeyState_held);
    EXPECT_EQ(box()->getEditBuffer(), "hel");
    bench.clock.advance(30.0);
    bench.key(8, simKeyState_held);
    EXPECT_EQ(box()->getEditBuffer(), "hel");
    bench.clock.advance(21.0);
    bench.key(8, simKeyState_held);
    EXPECT_EQ(box()->getEditBuffer(), "he");
}

TEST_F(GuiEditBoxTest, TabMovesToTheNamedEditBoxOnly) {
    bench.lua("createGuiEditBox('next', 100, 140, 120, 20, 'changed') gui_setText('next', 'n')"
              "createGuiLabel('label', 0, 0, 10, 10, '', '', 'left')"
              "gui_setEditBoxTabStopElement('e', 'missing')");
    edit();
    key(9);  // names no element: nothing
    EXPECT_EQ(box()->getState(), simGuiEditBox::editing);
    bench.lua("gui_setEditBoxTabStopElement('e', 'label')");
    key(9);  // not an edit box: nothing
    EXPECT_EQ(box()->getState(), simGuiEditBox::editing);
    bench.lua("gui_setEditBoxTabStopElement('e', 'next')");
    key(9);
    EXPECT_EQ(box()->getState(), simGuiEditBox::idle);
    EXPECT_EQ(bench.find<simGuiEditBox>("next")->getState(), simGuiEditBox::editing);
    EXPECT_EQ(bench.manager->editElement, bench.find("next"));
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"e hello"}));
}

TEST_F(GuiEditBoxTest, CutCopyAndPasteThroughTheClipboard) {
    edit();
    bench.key('C', simKeyState_released);  // without Ctrl: nothing
    EXPECT_FALSE(clipboard.held);
    // Ctrl comes with the event.
    simInputEvent copy;
    copy.type = simInputEvent_key;
    copy.key = 'X';
    copy.keyState = simKeyState_released;
    copy.ctrl = 1;
    // Each event new, as the input system hands it on: not yet consumed.
    const auto send = [&] {
        g_application->eventConsumed = false;
        bench.manager->onEvent(&copy);
    };
    send();
    EXPECT_EQ(clipboard.text, "hello");
    EXPECT_EQ(box()->getEditBuffer(), "");
    clipboard.setText("w\xC3\xB6rld");
    copy.key = 'V';
    send();
    send();
    EXPECT_EQ(box()->getEditBuffer(), "w\xC3\xB6rldw\xC3\xB6rld");
    EXPECT_EQ(box()->getCaret(), 10);
}

TEST_F(GuiEditBoxTest, ShownTextIsMaskedSuffixedAndShortened) {
    bench.lua("gui_setAttribute('e', 'password', '1') gui_setText('e', 'p\xC3\xA4ss')");
    EXPECT_EQ(box()->shownText(), "****");
    bench.lua("gui_setAttribute('e', 'password', '0') gui_setAttribute('e', 'units', 'm')"
              "gui_setText('e', 'a rather long text for this box')");
    // 112 pixels of room: 13 code points and "..." (16 x 7).
    EXPECT_EQ(box()->shownText(), "a rather long...");
    bench.lua("gui_setText('e', '12')");
    EXPECT_EQ(box()->shownText(), "12 m");
}
