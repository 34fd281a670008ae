// Interpolation tables, the ends with and without clipping, and bad tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/core/utilsInterpolate.h"
#include "tests/support/seriousErrorRecorder.h"

TEST(InterpolateVector, Table) {
    std::vector<double> values = {10, 20, 40}, keys = {0, 1, 3};
    struct Case {
        double x;
        bool clip;
        double expected;
    };
    const Case cases[] = {
        {2, false, 30},  {0.5, false, 15}, {4, false, 50}, {4, true, 40},   {-1, false, 0},
        {-1, true, 10},  {1, false, 20},   {0, false, 10}, {3, false, 40},  {3, true, 40},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(utils::interpolateVector(values, keys, c.x, c.clip), c.expected)
            << "x " << c.x << (c.clip ? " clipped" : "");
}

TEST(InterpolateVector, RepeatedKeyMakesAStep) {
    std::vector<double> values = {0, 10, 20, 30}, keys = {0, 1, 1, 2};
    EXPECT_DOUBLE_EQ(utils::interpolateVector(values, keys, 0.5, false), 5.0);
    EXPECT_DOUBLE_EQ(utils::interpolateVector(values, keys, 1.0, false), 20.0);
    EXPECT_DOUBLE_EQ(utils::interpolateVector(values, keys, 1.5, false), 25.0);
}

TEST(InterpolateVector, EqualEndKeysGiveTheEndValueInsteadOfDividingByZero) {
    testsupport::SeriousErrorRecorder recorder;
    std::vector<double> values = {1, 2, 3}, keys = {5, 5, 5};
    EXPECT_DOUBLE_EQ(utils::interpolateVector(values, keys, 9, false), 3.0);
    EXPECT_DOUBLE_EQ(utils::interpolateVector(values, keys, 1, false), 1.0);
    EXPECT_TRUE(recorder.reports().empty());
}

TEST(InterpolateVector, BadTablesAreReportedAndGiveZero) {
    testsupport::SeriousErrorRecorder recorder;
    std::vector<double> empty, one = {4}, two = {1, 2}, three = {1, 2, 3};
    EXPECT_EQ(utils::interpolateVector(empty, empty, 1, false), 0.0);
    EXPECT_EQ(utils::interpolateVector(one, one, 5, true), 0.0);
    EXPECT_EQ(utils::interpolateVector(three, two, 1.5, false), 0.0);
    EXPECT_EQ(utils::interpolateVector(two, three, 7, false), 0.0);
    EXPECT_EQ(utils::interpolateVector(one, two, 0, false), 0.0);
    const std::vector<std::string> expected = {
        "utils::interpolateVector: tables not large enough",
        "utils::interpolateVector: tables not large enough",
        "utils::interpolateVector: tables not of equal size",
        "utils::interpolateVector: tables not of equal size",
        "utils::interpolateVector: tables not of equal size",
        "utils::interpolateVector: tables not large enough",
    };
    EXPECT_EQ(recorder.texts(), expected);
}

TEST(InterpolateVector, NotANumberGivesZero) {
    std::vector<double> values = {1, 2, 3}, keys = {0, 1, 2};
    EXPECT_EQ(utils::interpolateVector(values, keys, std::numeric_limits<double>::quiet_NaN(), false), 0.0);
}
