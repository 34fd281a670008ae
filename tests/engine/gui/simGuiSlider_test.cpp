// Sliders through the real mouse: drags report every move, snapping to
// divisions, the wheel only while focused, a script's set-data reports
// nothing; value texts by range; division counts from script text clamped
// and marks placed in floating point; a range of no width.
#include <gtest/gtest.h>

#include "engine/gui/simGuiSlider.h"
#include "tests/engine/gui/guiTestBench.h"

namespace {

class GuiSliderTest : public ::testing::Test {
protected:
    GuiSliderTest() {
        bench.recordCalls();
        bench.lua("function changed(name, value) record(name, string.format('%.3f', value)) end "
                  "createGuiSlider('s', 100, 100, 200, 20, 'changed')");
    }
    simGuiSlider* slider() { return bench.find<simGuiSlider>("s"); }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiSliderTest, DragReportsEveryMoveAndSnapsToDivisions) {
    // The thumb starts at x 100 (value 0 of 0..100).
    bench.drag(100, 105, 200, 105, 2);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"s 25.000", "s 50.000"}));
    bench.update();
    bench.lua("gui_setAttribute('s', 'rangeLow', '0') gui_setAttribute('s', 'rangeHigh', '1')"
              "gui_setAttribute('s', 'divisions', '3') gui_setAttribute('s', 'showDivisions', '1')");
    EXPECT_EQ(bench.luaValue("gui_getData('s')"), "1");  // lowered into the range, no report
    EXPECT_TRUE(bench.takeCalls().empty());
    bench.drag(300, 105, 160, 105, 1);  // 0.3: snaps to 0
    bench.update();
    bench.drag(100, 105, 180, 105, 1);  // 0.4: snaps to 0.5
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"s 0.000", "s 0.500"}));
}

TEST_F(GuiSliderTest, WheelMovesOnlyTheFocusedSlider) {
    bench.wheel(true);
    EXPECT_TRUE(bench.takeCalls().empty());
    bench.click(250, 110);  // focus; not on the thumb
    bench.wheel(true);
    bench.wheel(false);
    bench.wheel(false);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"s 4.000", "s 0.000", "s 0.000"}));
    bench.lua("gui_setData('s', 50)");
    EXPECT_TRUE(bench.takeCalls().empty());
}

TEST_F(GuiSliderTest, ValueTextByRange) {
    struct Case {
        const char *low, *high, *value, *text;
    };
    const Case cases[] = {{"0", "1", "0.256", "0.26"}, {"0", "10", "2.25", "2.2"},  // %0.1f of the float 2.25
                          {"0", "10.5", "-2.7", "-2"}, {"0", "100", "-0.5", "0"}};
    for (const Case& c : cases) {
        bench.lua(std::string("gui_setAttribute('s', 'rangeLow', '") + c.low + "') gui_setAttribute('s', 'rangeHigh', '" +
                  c.high + "') gui_setText('s', '" + c.value + "')");
        EXPECT_EQ(bench.luaValue("gui_getText('s')"), c.text) << c.high << " " << c.value;
    }
}

TEST_F(GuiSliderTest, DivisionCountsAreClampedAndLabelsParsed) {
    struct Case {
        const char* count;
        int32_t divisions;
    };
    const Case cases[] = {{"1000000000", 201}, {"1", 2}, {"0", 0}, {"-5", 0}, {"3", 3}};
    for (const Case& c : cases) {
        bench.lua(std::string("gui_setAttribute('s', 'divisions', '") + c.count + "')");
        EXPECT_EQ(slider()->getDivisions(), c.divisions) << c.count;
        EXPECT_EQ(slider()->getDivisionLabels().size(), static_cast<size_t>(c.divisions)) << c.count;
    }
    bench.lua("gui_setAttribute('s', 'divisionLabel', '2:High') gui_setAttribute('s', 'divisionLabel', '7:Off')"
              "gui_setAttribute('s', 'divisionLabel', 'None') gui_setAttribute('s', 'divisionLabel', '9:0:Low')");
    EXPECT_EQ(slider()->getDivisionLabels(), (std::vector<std::string>{"Low", "", "High"}));

    // Marks in floating point: 3 marks over 199 pixels sit at 0, 99.5 and 199.
    bench.lua("createGuiSlider('odd', 0, 300, 199, 20, '') gui_setAttribute('odd', 'divisions', '3')"
              "gui_setAttribute('odd', 'showDivisions', '1')");
    bench.lua("destroyGuiElement('s')");
    bench.update();
    const std::vector<guitest::DrawCall>& calls = bench.render();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_FLOAT_EQ(calls[0].pieces[3].x1 + 7, 99.5f);  // after the track, mark 0 and its lit dot
    EXPECT_FLOAT_EQ(calls[0].pieces[4].x1 + 7, 199.0f);
}

TEST_F(GuiSliderTest, ARangeOfNoWidthDoesNotDivideByZero) {
    bench.lua("gui_setAttribute('s', 'rangeLow', '5') gui_setAttribute('s', 'rangeHigh', '5')");
    EXPECT_FLOAT_EQ(slider()->getThumbX(), 100.0f);
    bench.drag(100, 105, 200, 105, 1);
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"s 5.000"}));
}
