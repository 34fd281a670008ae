// Push buttons driven through the real mouse and keyboard on the test clock:
// a table of input sequences with the actions a script records and the
// states they leave; Enter and Esc on the OK and cancel elements; the frame
// and highlight squares drawn for each state; failing actions logged.
#include <gtest/gtest.h>

#include <functional>

#include "engine/gui/simGuiButton.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;
using guitest::DrawCall;

namespace {

class GuiButtonTest : public ::testing::Test {
protected:
    GuiButtonTest() {
        bench.recordCalls();
        bench.lua("function clicked(name) record('clicked', name) end "
                  "createGuiButton('ok', 100, 100, 80, 24, 'OK', 'clicked')");
        bench.advance(300.0);  // past the quiet time
        bench.update();        // the drag-ended flag of earlier moves is cleared
    }
    simGuiButton* button() { return bench.find<simGuiButton>("ok"); }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiButtonTest, InputSequences) {
    struct Case {
        const char* name;
        std::function<void(guitest::GuiBench&)> input;
        std::vector<std::string> calls;
        uint32_t state;
    };
    const Case cases[] = {
        {"click", [](auto& b) { b.click(140, 110); }, {"clicked ok"}, simGuiButton::hover},
        {"hover only", [](auto& b) { b.moveTo(140, 110); }, {}, simGuiButton::hover},
        {"press, leave, release outside",
         [](auto& b) {
             b.moveTo(140, 110);
             b.press();
             b.moveTo(400, 400);
             b.release();
         },
         {"clicked ok"},
         simGuiButton::hover},
        {"press outside, release on it",
         [](auto& b) {
             b.moveTo(400, 400);
             b.press();
             b.moveTo(140, 110);
             b.release();
         },
         {},  // the last release already ran the action: nothing until the next press
         simGuiButton::hover},
        {"right click", [](auto& b) {
             b.moveTo(140, 110);
             b.press(simMouseButton_right);
             b.release(simMouseButton_right);
         },
         {}, simGuiButton::hover},
        {"move away", [](auto& b) { b.moveTo(10, 10); }, {}, simGuiButton::normal},
        {"disabled", [](auto& b) {
             b.lua("gui_setEnabledState('ok', 0)");
             b.click(140, 110);
             b.lua("gui_setEnabledState('ok', 1)");
         },
         {}, simGuiButton::hover},  // enabling under the mouse hovers
        {"second click", [](auto& b) { b.click(141, 111); }, {"clicked ok"}, simGuiButton::hover},
    };
    for (const Case& c : cases) {
        c.input(bench);
        EXPECT_EQ(bench.takeCalls(), c.calls) << c.name;
        EXPECT_EQ(button()->getState(), c.state) << c.name;
        EXPECT_EQ(bench.luaValue("gui_exists('ok')"), "1");
        bench.update();
    }
}

TEST_F(GuiButtonTest, ANewButtonIgnoresInputForAQuarterSecond) {
    bench.lua("createGuiButton('young', 300, 100, 80, 24, 'New', 'clicked')");
    bench.click(340, 110);
    EXPECT_TRUE(bench.takeCalls().empty());
    EXPECT_EQ(bench.find<simGuiButton>("young")->getState(), simGuiButton::normal);
    bench.advance(251.0);
    bench.click(340, 110);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"clicked young"}));
}

TEST_F(GuiButtonTest, EnterAndEscapeActOnReleaseAfterAPressTheButtonSaw) {
    bench.lua("createGuiButton('cancel', 200, 100, 80, 24, 'Cancel', 'record(\"cancelled\")')"
              "gui_setOkElement('ok') gui_setCancelElement('cancel')");
    bench.advance(300.0);
    bench.key(simGuiButton::kEnter, simKeyState_pressed);
    bench.key(simGuiButton::kEnter, simKeyState_held);
    EXPECT_TRUE(bench.takeCalls().empty());
    bench.key(simGuiButton::kEnter, simKeyState_released);
    bench.key(simGuiButton::kEscape, simKeyState_pressed);
    bench.key(simGuiButton::kEscape, simKeyState_released);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"clicked ok", "cancelled"}));

    // A press made while an edit element holds the keyboard arms nothing.
    bench.manager->editElement = bench.find("cancel");
    bench.key(simGuiButton::kEnter, simKeyState_pressed);
    bench.manager->editElement = nullptr;
    bench.key(simGuiButton::kEnter, simKeyState_released);
    EXPECT_TRUE(bench.takeCalls().empty());
}

TEST_F(GuiButtonTest, FrameAndHighlightSquaresFollowTheState) {
    auto squares = [&] {
        const std::vector<DrawCall>& calls = bench.render();
        EXPECT_FALSE(calls.empty());
        std::vector<AtlasRect> cells;
        for (size_t i = 0; i < calls[0].pieces.size(); i += 9) cells.push_back(guitest::atlasPixels(calls[0].pieces[i]));
        return cells;
    };
    EXPECT_EQ(squares(), (std::vector<AtlasRect>{{0, 96, 12, 108}}));  // highlight faded out
    bench.moveTo(140, 110);
    bench.clock.advance(75.0);
    std::vector<AtlasRect> cells = squares();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[1], (AtlasRect{32, 96, 44, 108}));
    EXPECT_EQ(bench.render()[0].pieces[9].colour >> 24, 127u);  // half-way through the fade
    bench.press();
    EXPECT_EQ(squares()[1], (AtlasRect{64, 96, 76, 108}));
    bench.release();
    bench.lua("gui_setEnabledState('ok', 0)");
    EXPECT_EQ(squares(), (std::vector<AtlasRect>{{96, 96, 108, 108}}));
    // The caption is centred: "OK" is 14 x 13 on the bench.
    const std::vector<DrawCall> texts = bench.canvas.of(DrawCall::Kind::text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x, 133);
    EXPECT_EQ(texts[0].y, 105);
    // The 12-pixel corners keep their size; the middle stretches.
    const simScreenRect middle = bench.render()[0].pieces[8];
    EXPECT_EQ(guitest::screenRect(middle), (AtlasRect{112, 112, 168, 112}));
}

TEST_F(GuiButtonTest, AFailingActionIsLoggedAndTheProgramGoesOn) {
    bench.lua("function clicked(name) error('broken ' .. name) end");
    const int top = bench.luaStackTop();
    bench.rig.engine.clearLog();
    bench.click(140, 110);
    EXPECT_NE(bench.rig.engine.log().find("broken ok"), std::string::npos) << bench.rig.engine.log();
    EXPECT_EQ(bench.luaStackTop(), top);
    bench.click(140, 110);  // and the button still works
    EXPECT_EQ(button()->getState(), simGuiButton::hover);
}
