// Wheels: the knob's place at both ends, set-data clamped, a turn driven by
// the real mouse around the centre reporting every step and stopping at the
// ends, no turn in the first quarter second, and the value text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/gui/simGuiWheel.h"
#include "tests/engine/gui/guiTestBench.h"

namespace {

class GuiWheelTest : public ::testing::Test {
protected:
    GuiWheelTest() {
        bench.manager->fonts[3] = bench.font.get();
        bench.recordCalls();
        bench.lua("function turned(name, value) record(name, string.format('%.1f', value)) end "
                  "createGuiWheel('w', 100, 100, 'Gain', 'turned')");
    }
    simGuiWheel* wheel() { return bench.find<simGuiWheel>("w"); }
    // The mouse at `radians` clockwise from the top, 40 pixels from the centre (148, 148).
    void pointAt(float radians) {
        bench.moveTo(static_cast<int32_t>(std::lround(148 + 40 * std::sin(radians))),
                     static_cast<int32_t>(std::lround(148 - 40 * std::cos(radians))));
    }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiWheelTest, KnobEndsAndSetData) {
    d3dx::Vector2 knob = wheel()->knobPoint();
    EXPECT_NEAR(std::atan2(knob.x - 148, 148 - knob.y), 0.349, 0.001);
    bench.lua("gui_setData('w', 250)");
    EXPECT_EQ(bench.luaValue("gui_getData('w')"), "100");
    knob = wheel()->knobPoint();
    EXPECT_NEAR(std::atan2(knob.x - 148, 148 - knob.y), -0.342, 0.001);
    bench.lua("gui_setAttribute('w', 'rangeMax', '50')");  // moves neither value nor knob
    EXPECT_FLOAT_EQ(wheel()->getAngle(), simGuiWheel::kFullTurn);
    EXPECT_TRUE(bench.takeCalls().empty());
}

TEST_F(GuiWheelTest, TurningReportsEveryStepAndStopsAtTheEnds) {
    pointAt(0.5f);
    bench.press();  // too young: no turn
    pointAt(1.0f);
    EXPECT_TRUE(bench.takeCalls().empty());
    bench.release();
    bench.advance(300.0);
    pointAt(0.5f);
    bench.press();
    EXPECT_EQ(wheel()->getWheelState(), simGuiWheel::turning);
    pointAt(0.5f + 0.6283f);  // a tenth of a turn: 10 of 0..100
    pointAt(0.5f + 2 * 0.6283f);
    std::vector<std::string> calls = bench.takeCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_NEAR(std::atof(calls[0].c_str() + 2), 10.0, 0.6);  // whole-pixel mouse positions
    EXPECT_NEAR(std::atof(calls[1].c_str() + 2), 20.0, 0.6);
    // Back past the top (where the last step is repeated) and on round the
    // left side (where the pointer angle wraps) until the low end stops it.
    pointAt(-1.0f);
    for (float a = -1.5f; a > -6.0f; a -= 0.5f) pointAt(a);
    calls = bench.takeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "w 0.0");  // stopped at the low end
    bench.release();
    EXPECT_EQ(wheel()->getWheelState(), simGuiWheel::overWheel);
}

TEST_F(GuiWheelTest, ValueUnitsAndCaption) {
    bench.lua("gui_setAttribute('w', 'unitsText', '%') gui_setData('w', 42)");
    bench.render();
    const std::vector<guitest::DrawCall> texts = bench.canvas.of(guitest::DrawCall::Kind::text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "42");
    EXPECT_FLOAT_EQ(texts[0].x, 148 - (14 + 7) / 2.0f);
    EXPECT_EQ(texts[1].text, "%");
    EXPECT_EQ(texts[2].text, "Gain");
    EXPECT_TRUE(texts[2].centred);
    EXPECT_EQ(texts[2].colour, 0xFFFFFFFFu);
}
