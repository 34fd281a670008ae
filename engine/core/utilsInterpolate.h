// utils::interpolateVector: piecewise-linear interpolation in a number table.
//
// The script maths functions interpolate flight-model tables with it.
#pragma once

#include <vector>

namespace utils {

// Interpolates x over ascending keys into values: the segment i with
// keys[i] <= x < keys[i+1] gives values[i] + (x - keys[i]) / (keys[i+1] -
// keys[i]) * (values[i+1] - values[i]); a repeated key makes a step.
// Outside the keys the first or last segment is extended, or with clip the
// first or last value is given. Tables of unequal size or with fewer than two
// entries are reported through utils::seriousError and give 0. An end
// segment whose two keys are equal cannot be extended and gives its end
// value. Keys out of order, or x not a number, give 0.
double interpolateVector(std::vector<double>& values, std::vector<double>& keys, double x, bool clip);

}  // namespace utils
