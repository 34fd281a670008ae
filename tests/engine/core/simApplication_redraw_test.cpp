// The engine application's redraw rule: after the first frame a frame is
// drawn only when something asked for it or something is running; the
// update runs every frame either way.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/core/simApplication.h"
#include "tests/engine/core/inputTestRig.h"

namespace {

// Counts the frames drawn (the redraw's pre-render broadcast) and the updates.
class Witness : public simObject {
public:
    Witness() : simObject(/*update*/ true, false, /*render*/ true, false) {}
    void update() override {
        simObject::update();
        ++updates;
    }
    void preRender() override {
        ++drawn;
        if (requestWhileDrawing) simRequestRedraw();
    }
    bool isAnimating() override { return animating; }

    int updates = 0;
    int drawn = 0;
    bool animating = false;
    bool requestWhileDrawing = false;
};

class RedrawRule : public inputtest::InputRig {
protected:
    RedrawRule() {
        // The first frame is always drawn; after it the view is idle.
        EXPECT_TRUE(runFrame());
        EXPECT_FALSE(runFrame());
    }
    // One host frame; true when it drew.
    bool runFrame() {
        application.update();
        return application.redrawIfNeeded();
    }
    // Which of the next `count` frames draw.
    std::vector<bool> frames(int count) {
        std::vector<bool> drawn;
        for (int i = 0; i < count; ++i) drawn.push_back(runFrame());
        return drawn;
    }

    Witness witness;
};

TEST_F(RedrawRule, AnIdleViewIsNotDrawnButStillUpdated) {
    const int updates = witness.updates, drawn = witness.drawn;
    EXPECT_EQ(frames(5), std::vector<bool>(5, false));
    EXPECT_EQ(witness.updates, updates + 5);
    EXPECT_EQ(witness.drawn, drawn);
}

TEST_F(RedrawRule, EachChangeIsDrawnByTheNextFrameOnly) {
    struct Case {
        const char* change;
        std::function<void()> make;
    };
    const Case cases[] = {
        {"a request from anywhere", [] { simRequestRedraw(); }},
        {"a mouse move", [this] { moveTo(10, 10); }},
        {"a message that makes no event", [this] { send(win::WM_ACTIVATE, 1); }},
        {"a timer that fires", [this] {
             simTimerRecord* timer = application.addTimer([](void*) {}, 50.0f);
             clock.advance(60.0);
             application.update();
             timer->safeDelete();
         }},
    };
    for (const Case& c : cases) {
        c.make();
        EXPECT_EQ(frames(3), (std::vector<bool>{true, false, false})) << c.change;
    }
}

TEST_F(RedrawRule, HeldInputAndRunningAnimationsDrawEveryFrame) {
    send(win::WM_KEYDOWN, win::VK_UP);
    EXPECT_EQ(frames(3), std::vector<bool>(3, true)) << "a held key";
    send(win::WM_KEYUP, win::VK_UP);
    EXPECT_EQ(frames(2), (std::vector<bool>{true, false})) << "the key let go";

    moveTo(10, 10);
    send(win::WM_LBUTTONDOWN, 1, win::MAKELPARAM(10, 10));
    EXPECT_EQ(frames(3), std::vector<bool>(3, true)) << "a held button";
    send(win::WM_LBUTTONUP, 0, win::MAKELPARAM(10, 10));
    EXPECT_EQ(frames(2), (std::vector<bool>{true, false})) << "the button let go";

    witness.animating = true;
    EXPECT_EQ(frames(3), std::vector<bool>(3, true)) << "an animation";
    witness.animating = false;
    EXPECT_EQ(frames(1), std::vector<bool>{false}) << "the animation over";
}

TEST_F(RedrawRule, ARequestMadeWhileDrawingIsDrawnByTheNextFrame) {
    simRequestRedraw();
    witness.requestWhileDrawing = true;
    EXPECT_EQ(frames(2), (std::vector<bool>{true, true}));
    witness.requestWhileDrawing = false;
    EXPECT_EQ(frames(2), (std::vector<bool>{true, false}));
}

TEST_F(RedrawRule, NoRedrawStartsInsideAFrame) {
    struct Reentrant : simObject {
        Reentrant() : simObject(true, false, false, false) {}
        void update() override { drew = g_application->redrawIfNeeded(); }  // a modal loop's timer
        bool drew = true;
    } reentrant;
    simRequestRedraw();
    application.update();
    EXPECT_FALSE(reentrant.drew);
    EXPECT_TRUE(application.redrawIfNeeded()) << "the request waits for the frame's own redraw";
}

}  // namespace
