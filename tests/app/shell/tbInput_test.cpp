// The editor's input system: its key table (what each released key does, and
// when), and the mouse it owns.
#include "app/shell/tbInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shell/tbMouse.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "platform/win/virtualDesktop.h"
#include "platform/win/winMessages.h"
#include "tests/support/testCamera.h"

namespace {

class GatedApplication : public simApplication {
public:
    GatedApplication() : simApplication(simVersion(2, 5, 'a'), "inputTest", nullptr, true) {}
    bool acceptsMouseInput() override { return gateOpen; }
    bool gateOpen = true;
};

class RecordingActions : public tbInput::Actions {
public:
    void askToExit() override { calls.push_back("exit"); }
    void openUserManual() override { calls.push_back("manual"); }
    std::vector<std::string> calls;
};

class InputSystem : public ::testing::Test {
protected:
    InputSystem() {
        // The engine window the mouse's positions and the ground pick are in.
        application.createWindow(desktop.addWindow(0, 0, 100, 100));
        input = new tbInput(tools, &actions);
        mouse = new tbMouse();
        keyboard = new simKeyboard();
    }
    ~InputSystem() override { delete input; }

    // Presses the keys in order and lets go of them in reverse.
    void chord(std::initializer_list<uint32_t> keys) {
        for (uint32_t key : keys) keyboard->onKey(key, 1);
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) keyboard->onKey(*key, 0);
    }

    win::VirtualDesktop desktop;
    GatedApplication application;
    tbToolState tools;
    RecordingActions actions;
    tbInput* input = nullptr;
    tbMouse* mouse = nullptr;
    simKeyboard* keyboard = nullptr;
};

TEST_F(InputSystem, KeyTable) {
    struct Case {
        const char* name;
        std::vector<uint32_t> keys;  // pressed in order, let go of in reverse
        bool gateOpen;
        std::vector<std::string> calls;
        int viewMode;  // from 0
    };
    const Case cases[] = {
        {"Shift+Esc asks to exit", {win::VK_SHIFT, win::VK_ESCAPE}, true, {"exit"}, 0},
        {"Esc alone does nothing", {win::VK_ESCAPE}, true, {}, 0},
        {"Space toggles the view over the view", {win::VK_SPACE}, true, {}, 1},
        {"Space elsewhere does nothing", {win::VK_SPACE}, false, {}, 0},
        {"F1 opens the manual", {win::VK_F1}, true, {"manual"}, 0},
        {"F1 opens it with the gate closed too", {win::VK_F1}, false, {"manual"}, 0},
        {"other keys do nothing", {'A', win::VK_RETURN}, true, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        actions.calls.clear();
        tools.setViewMode(0);
        application.gateOpen = c.gateOpen;
        for (uint32_t key : c.keys) keyboard->onKey(key, 1);
        EXPECT_EQ(actions.calls, std::vector<std::string>{}) << "nothing on the press";
        EXPECT_EQ(tools.viewMode(), 0) << "nothing on the press";
        for (auto key = c.keys.rbegin(); key != c.keys.rend(); ++key) keyboard->onKey(*key, 0);
        EXPECT_EQ(actions.calls, c.calls);
        EXPECT_EQ(tools.viewMode(), c.viewMode);
    }
}

TEST_F(InputSystem, HeldKeysAndADisabledSystemDoNothing) {
    keyboard->onKey(win::VK_F1, 1);
    keyboard->update();  // a held key repeats as "held" each frame
    keyboard->onKey(win::VK_F1, 1);
    EXPECT_TRUE(actions.calls.empty());
    keyboard->onKey(win::VK_F1, 0);
    EXPECT_EQ(actions.calls, std::vector<std::string>{"manual"});

    input->setEnabled(false);
    chord({win::VK_SHIFT, win::VK_ESCAPE});
    chord({win::VK_SPACE});
    EXPECT_EQ(actions.calls, std::vector<std::string>{"manual"});
    EXPECT_EQ(tools.viewMode(), 0);
}

TEST_F(InputSystem, OwnsItsMouse) {
    EXPECT_EQ(tbInput::current(), input);
    EXPECT_EQ(input->mouse(), mouse);
    EXPECT_EQ(g_input->getMouse(), mouse);
    EXPECT_EQ(mouse->getClassName(), "simMouse");
    // A mouse that goes first unregisters itself from both.
    delete mouse;
    EXPECT_EQ(input->mouse(), nullptr);
    EXPECT_EQ(g_input->getMouse(), nullptr);
    mouse = new tbMouse();
    EXPECT_EQ(input->mouse(), mouse);
    // The input system deletes the mouse it owns, once (the sanitiser would
    // see a second delete).
    delete input;
    input = nullptr;
    EXPECT_EQ(tbInput::current(), nullptr);
    EXPECT_EQ(g_input, nullptr);
}

TEST_F(InputSystem, EveryEventStartsUnhandled) {
    mouse->setHandled();
    EXPECT_TRUE(mouse->isHandled());
    mouse->onMove(10, 10);
    EXPECT_FALSE(mouse->isHandled());
    mouse->setHandled();
    chord({'A'});
    EXPECT_FALSE(mouse->isHandled());
}

TEST_F(InputSystem, TheGroundUnderTheCursorIsNoneAboveTheHorizon) {
    // Level, 10 units up, on a 100 x 100 view: the horizon runs across the middle.
    const testsupport::TestCamera level({0, 10, -10}, {0, 10, 0}, {0, 1, 0}, 1.5707964f,
                                        {0, 0, 100, 100, 0.0f, 1.0f}, 1.0f, 100.0f);
    d3dx::Vector3 point{7, 7, 7};
    EXPECT_FALSE(mouse->groundUnderCursor(&point)) << "no camera";
    testsupport::TestViewSource source;
    source.applyCamera(&level);
    mouse->onMove(50, 75);
    ASSERT_TRUE(mouse->groundUnderCursor(&point));
    EXPECT_NEAR(point.x, 0.0f, 1e-3f);
    EXPECT_NEAR(point.y, 0.0f, 1e-3f);
    EXPECT_NEAR(point.z, 10.0f, 1e-3f);
    mouse->onMove(50, 25);
    d3dx::Vector3 unchanged{7, 7, 7};
    EXPECT_FALSE(mouse->groundUnderCursor(&unchanged));
    EXPECT_EQ(unchanged, (d3dx::Vector3{7, 7, 7}));
}

}  // namespace
