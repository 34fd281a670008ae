// A manipulator on a test camera, driven by scripted mouse and key messages.
//
// The camera looks from (0, 0, -10) at the origin with a 90-degree vertical
// field of view into an 800 x 600 viewport, so a point on the plane z = 0
// lands at (400 + 30 x, 300 - 30 y): the handle length at the origin is
// 100 / 30 and the handles of a manipulator there stand 100 pixels from the
// screen centre (400, 300). The mouse works in the same pixels.
#pragma once

#include <vector>

#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "tests/engine/core/inputTestRig.h"
#include "tests/support/testCamera.h"

namespace manipulatortest {

// One scripted step.
enum class Op { move, pressLeft, releaseLeft, pressRight, releaseRight, keyDown, keyUp, wait, draw };
struct Step {
    Op op;
    int a = 0;
    int b = 0;
};

inline d3dx::Viewport testViewport() {
    d3dx::Viewport viewport;
    viewport.Width = 800;
    viewport.Height = 600;
    return viewport;
}

class ManipulatorRig : public inputtest::InputRig {
protected:
    static constexpr float kPixelsPerUnit = 30.0f;
    static constexpr float kHalfPi = 1.5707963f;

    ManipulatorRig() { source.applyCamera(&camera); }

    // Runs the steps; `draw` draws every manipulator of the container so
    // that their captured view follows their moves.
    void run(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            switch (step.op) {
                case Op::move: moveTo(step.a, step.b); break;
                case Op::pressLeft: send(win::WM_LBUTTONDOWN); break;
                case Op::releaseLeft: send(win::WM_LBUTTONUP); break;
                case Op::pressRight: send(win::WM_RBUTTONDOWN); break;
                case Op::releaseRight: send(win::WM_RBUTTONUP); break;
                case Op::keyDown: keyboard().onKey(static_cast<uint32_t>(step.a), 1); break;
                case Op::keyUp: keyboard().onKey(static_cast<uint32_t>(step.a), 0); break;
                case Op::wait: clock.advance(step.a); break;
                case Op::draw: drawAll(); break;
            }
        }
    }
    void drawAll() {
        for (manipulator* member : container.getManipulators()) member->draw(nullptr);
    }

    testsupport::TestViewSource source;
    testsupport::TestCamera camera{{0, 0, -10}, {0, 0, 0}, {0, 1, 0}, kHalfPi, testViewport(), 1.0f, 1000.0f};
    manipulatorContainer container;
};

// A press on (x, y) and a drag to (toX, toY) in a few moves, then the release.
inline std::vector<Step> dragFrom(int x, int y, int toX, int toY) {
    return {{Op::move, x, y},
            {Op::pressLeft},
            {Op::move, x + (toX - x) / 3, y + (toY - y) / 3},
            {Op::move, x + 2 * (toX - x) / 3, y + 2 * (toY - y) / 3},
            {Op::move, toX, toY},
            {Op::move, toX, toY},
            {Op::releaseLeft}};
}

}  // namespace manipulatortest
