#include "engine/core/utilsInterpolate.h"

#include "engine/core/utilsErrors.h"

namespace utils {
namespace {

// The value on the line through (k0, v0) and (k1, v1) at x; the end value v0
// when the two keys are equal and the line is undefined.
double extend(double v0, double k0, double v1, double k1, double x) {
    if (k0 == k1) return v0;
    return v0 + (x - k0) / (k0 - k1) * (v0 - v1);
}

}  // namespace

double interpolateVector(std::vector<double>& values, std::vector<double>& keys, double x, bool clip) {
    bool usable = true;
    if (values.size() != keys.size()) {
        seriousError("utils::interpolateVector: tables not of equal size");
        usable = false;
    }
    if (values.size() < 2 || keys.size() < 2) {
        seriousError("utils::interpolateVector: tables not large enough");
        usable = false;
    }
    if (!usable) return 0.0;

    const size_t n = keys.size();
    if (x < keys[0]) return clip ? values[0] : extend(values[0], keys[0], values[1], keys[1], x);
    if (x >= keys[n - 1])
        return clip ? values[n - 1] : extend(values[n - 1], keys[n - 1], values[n - 2], keys[n - 2], x);
    for (size_t i = 0; i + 1 < n; ++i) {
        if (keys[i] <= x && x < keys[i + 1])
            return values[i] + (x - keys[i]) / (keys[i + 1] - keys[i]) * (values[i + 1] - values[i]);
    }
    return 0.0;
}

}  // namespace utils
