// The colour picker's maths and decisions, without a window.
#include <array>
#include <string>

#include <gtest/gtest.h>

#include "app/shell/CDlgColourPickerModel.h"
#include "app/shell/colourHsd.h"
#include "platform/sys/clock.h"
#include "tests/support/colourRecords.h"

namespace {

using testsupport::rgb;

testing::AssertionResult sameRgb(const simColour& got, const simColour& want) {
    if (got.red == want.red && got.green == want.green && got.blue == want.blue && got.alpha == want.alpha)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "got (" << got.red << "," << got.green << "," << got.blue << ","
                                       << got.alpha << ") want (" << want.red << "," << want.green << ","
                                       << want.blue << "," << want.alpha << ")";
}

std::array<simColour, shell::kSwatchCount> someSwatches() {
    std::array<simColour, shell::kSwatchCount> swatches;
    for (int i = 0; i < shell::kSwatchCount; ++i) swatches[i] = rgb(i, 2 * i, 3 * i, 100 + i);
    return swatches;
}

}  // namespace

TEST(ColourMaths, HueWheelAtTheTwelfths) {
    const simColour expected[12] = {
        rgb(255, 0, 0),   rgb(255, 127, 0), rgb(255, 255, 0), rgb(127, 255, 0),
        rgb(0, 255, 0),   rgb(0, 255, 127), rgb(0, 255, 255), rgb(0, 127, 255),
        rgb(0, 0, 255),   rgb(127, 0, 255), rgb(255, 0, 255), rgb(255, 0, 127),
    };
    for (int k = 0; k < 12; ++k) {
        EXPECT_TRUE(sameRgb(shell::hueToColour(static_cast<float>(k) / 12.0f), expected[k])) << "twelfth " << k;
    }
    EXPECT_TRUE(sameRgb(shell::hueToColour(1.0f), rgb(255, 0, 0))) << "the wheel closes on red";
}

TEST(ColourMaths, SaturationAndDarknessCorners) {
    struct Case {
        float saturation, darkness;
        simColour hue, want;
    } cases[] = {
        {1.0f, 0.0f, rgb(255, 0, 0), rgb(255, 0, 0)},       // full colour
        {0.0f, 0.0f, rgb(255, 0, 0), rgb(255, 255, 255)},   // white
        {1.0f, 1.0f, rgb(255, 0, 0), rgb(0, 0, 0)},         // black
        {0.0f, 1.0f, rgb(0, 0, 255), rgb(0, 0, 0)},         // black
        {0.0f, 0.5f, rgb(0, 255, 0), rgb(127, 127, 127)},   // grey truncated
        {1.0f, 0.5f, rgb(0, 0, 255), rgb(0, 0, 127)},
        {0.5f, 0.0f, rgb(255, 0, 0), rgb(255, 127, 127)},
        {0.5f, 0.5f, rgb(255, 127, 0), rgb(127, 95, 63)},   // trunc(127*.5 + 127*.5), trunc(63*.5+63.5)
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(sameRgb(shell::shadeOfHue(c.saturation, c.darkness, c.hue), c.want))
            << "s " << c.saturation << " d " << c.darkness;
    }
}

TEST(ColourMaths, ColourBackToHueSaturationDarkness) {
    const shell::HueSaturationDarkness red = shell::findHueSaturationDarkness(rgb(255, 0, 0));
    EXPECT_FLOAT_EQ(red.hue, 0.0f);
    EXPECT_FLOAT_EQ(red.saturation, 0.99f);
    EXPECT_FLOAT_EQ(red.darkness, 0.0f);

    const shell::HueSaturationDarkness white = shell::findHueSaturationDarkness(rgb(255, 255, 255));
    EXPECT_FLOAT_EQ(white.saturation, 0.0f);
    EXPECT_FLOAT_EQ(white.darkness, 0.0f);
    EXPECT_FLOAT_EQ(shell::findHueSaturationDarkness(rgb(0, 0, 0)).darkness, 1.0f);

    // Every colour of the square's top row at the hundredths comes back exactly
    // (below it the darkness found from the brightest channel is not the one drawn).
    for (int i : {7, 25, 50, 61, 90}) {
        for (int j : {10, 40, 80}) {
            const simColour hue = shell::hueToColour(i / 100.0f);
            const simColour colour = shell::shadeOfHue(j / 100.0f, 0.0f, hue);
            const shell::HueSaturationDarkness found = shell::findHueSaturationDarkness(colour);
            EXPECT_TRUE(sameRgb(shell::shadeOfHue(found.saturation, found.darkness, found.hueColour), colour))
                << "hue " << i << " saturation " << j;
        }
    }
}

TEST(ColourPicker, SwatchHitBoundsAndIndexMapping) {
    struct Case {
        int x, y, index;
    } cases[] = {
        {5, 5, 0},    {26, 26, 0},    {4, 5, -1},   {5, 4, -1},    {27, 10, -1},   {28, 10, 5},
        {10, 28, 1},  {10, 27, -1},   {125, 97, 29}, {120, 120, -1}, {0, 0, -1},   {28 + 23, 28, 11},
    };
    for (const Case& c : cases) EXPECT_EQ(shell::swatchAt(c.x, c.y), c.index) << c.x << "," << c.y;
}

TEST(ColourPicker, ClicksInTheFirst500MsAreIgnored) {
    sys::ManualClock clock;
    auto swatches = someSwatches();
    shell::ColourPickerModel picker(rgb(10, 20, 30), swatches);
    picker.shown();
    clock.advance(499);
    EXPECT_FALSE(picker.leftButton(shell::PickerArea::square, 50, 50, 100, 100, true));
    EXPECT_FALSE(picker.rightButton(shell::PickerArea::swatches, 10, 10));
    EXPECT_TRUE(sameRgb(picker.current(), rgb(10, 20, 30)));
    EXPECT_TRUE(sameRgb(swatches[0], rgb(0, 0, 0, 100)));
    clock.advance(1);
    EXPECT_TRUE(picker.leftButton(shell::PickerArea::square, 50, 50, 100, 100, true));
    // Showing again (the window shown after being hidden) restarts the wait.
    picker.shown();
    EXPECT_FALSE(picker.leftButton(shell::PickerArea::hueBar, 10, 5, 100, 10, true));
}

TEST(ColourPicker, CancelGivesTheStartColourExactlyAfterAnyPicking) {
    sys::ManualClock clock;
    auto swatches = someSwatches();
    const simColour start = rgb(12, 200, 77, 31);
    shell::ColourPickerModel picker(start, swatches);
    picker.shown();
    clock.advance(600);
    picker.leftButton(shell::PickerArea::hueBar, 70, 3, 100, 10, true);
    picker.leftButton(shell::PickerArea::square, 10, 90, 100, 100, false);
    picker.leftButton(shell::PickerArea::swatches, 30, 30, 150, 130, true);
    picker.typed(shell::PickerChannel::red, "300");
    picker.typed(shell::PickerChannel::alpha, "9");
    EXPECT_TRUE(sameRgb(picker.start(), start));
    EXPECT_TRUE(sameRgb(picker.accepted(), rgb(255, swatches[6].green, swatches[6].blue, 9)));
}

TEST(ColourPicker, PicksFromSquareHueBarAndSwatches) {
    sys::ManualClock clock;
    auto swatches = someSwatches();
    shell::ColourPickerModel picker(rgb(255, 0, 0), swatches);
    picker.shown();
    clock.advance(500);
    // The hue bar keeps saturation and darkness.
    ASSERT_TRUE(picker.leftButton(shell::PickerArea::hueBar, 50, 0, 100, 12, true));
    EXPECT_FLOAT_EQ(picker.hue(), 0.5f);
    EXPECT_TRUE(sameRgb(picker.current(), shell::shadeOfHue(0.99f, 0.0f, rgb(0, 255, 255))));
    // The square sets saturation from x and darkness from y; outside it nothing.
    ASSERT_TRUE(picker.leftButton(shell::PickerArea::square, 25, 75, 100, 100, false));
    EXPECT_FLOAT_EQ(picker.saturation(), 0.25f);
    EXPECT_FLOAT_EQ(picker.darkness(), 0.75f);
    EXPECT_FALSE(picker.leftButton(shell::PickerArea::square, 100, 10, 100, 100, false));
    EXPECT_FALSE(picker.leftButton(shell::PickerArea::square, -1, 10, 100, 100, false));
    // A swatch gives its colour and its alpha; dragging over the grid does not.
    EXPECT_FALSE(picker.leftButton(shell::PickerArea::swatches, 30, 10, 150, 130, false));
    ASSERT_TRUE(picker.leftButton(shell::PickerArea::swatches, 30, 10, 150, 130, true));
    EXPECT_TRUE(sameRgb(picker.current(), rgb(5, 10, 15)));
    EXPECT_EQ(picker.alpha(), 105);
    // The right button stores the current colour with the picker's alpha.
    picker.typed(shell::PickerChannel::blue, "200");
    picker.typed(shell::PickerChannel::alpha, "44");
    ASSERT_TRUE(picker.rightButton(shell::PickerArea::swatches, 125, 100));
    EXPECT_TRUE(sameRgb(swatches[29], rgb(5, 10, 200, 44)));
    EXPECT_FALSE(picker.rightButton(shell::PickerArea::square, 10, 10));
}

TEST(ColourPicker, EditsClampAndLeaveTheCrossHairAlone) {
    auto swatches = someSwatches();
    shell::ColourPickerModel picker(rgb(255, 0, 0), swatches);
    const float hue = picker.hue(), saturation = picker.saturation(), darkness = picker.darkness();
    struct Case {
        shell::PickerChannel channel;
        const char* text;
        int value;
        bool redraw;
    } cases[] = {
        {shell::PickerChannel::red, "300", 255, false},  // already 255: nothing changes
        {shell::PickerChannel::green, "300", 255, true},
        {shell::PickerChannel::blue, "-4", 0, false},
        {shell::PickerChannel::blue, "abc", 0, false},
        {shell::PickerChannel::blue, "12x", 12, true},
        {shell::PickerChannel::red, "99999999999999", 255, false},
        {shell::PickerChannel::alpha, "256", 255, false},
        {shell::PickerChannel::alpha, "", 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(picker.typed(c.channel, c.text), c.redraw) << c.text;
        EXPECT_EQ(picker.valueOf(c.channel), c.value) << c.text;
    }
    EXPECT_EQ(picker.current().alpha, 255);
    EXPECT_EQ(picker.hue(), hue);
    EXPECT_EQ(picker.saturation(), saturation);
    EXPECT_EQ(picker.darkness(), darkness);
    // An edit is rewritten only when its number differs, so "012" stays.
    EXPECT_FALSE(picker.editNeedsRewrite(shell::PickerChannel::blue, "012"));
    EXPECT_TRUE(picker.editNeedsRewrite(shell::PickerChannel::blue, "13"));
}

TEST(ColourPicker, PicturesShowTheSquareCrossHairAndSwatches) {
    sys::ManualClock clock;
    auto swatches = someSwatches();
    shell::ColourPickerModel picker(rgb(0, 0, 255), swatches);
    picker.shown();
    clock.advance(500);
    picker.leftButton(shell::PickerArea::square, 40, 30, 80, 60, false);
    shell::RgbPicture square;
    picker.drawSquare(square, 80, 60);
    auto at = [&](const shell::RgbPicture& p, int x, int y) {
        const uint8_t* b = &p.bytes[(y * p.width + x) * 3];
        return rgb(b[0], b[1], b[2]);
    };
    EXPECT_TRUE(sameRgb(at(square, 0, 0), rgb(255, 255, 255)));
    EXPECT_TRUE(sameRgb(at(square, 79, 59), shell::shadeOfHue(79 / 80.0f, 59 / 60.0f, shell::hueToColour(picker.hue()))));
    EXPECT_TRUE(sameRgb(at(square, 40, 5), rgb(255, 255, 255))) << "vertical cross-hair line";
    EXPECT_TRUE(sameRgb(at(square, 70, 30), rgb(255, 255, 255))) << "horizontal cross-hair line";

    shell::RgbPicture grid;
    picker.drawSwatches(grid, 150, 130, rgb(1, 2, 3));
    EXPECT_TRUE(sameRgb(at(grid, 2, 2), rgb(1, 2, 3)));
    EXPECT_TRUE(sameRgb(at(grid, 5, 5), rgb(0, 0, 0)));
    EXPECT_TRUE(sameRgb(at(grid, 6 + 23 * 5, 6 + 23 * 4), rgb(29, 58, 87)));
}
