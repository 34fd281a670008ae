#include "app/scheme/tbTextureCoordinate.h"

#include <cmath>

namespace tbTextureCoordinate {

namespace {
// From here on every float is a whole number, and stepping by 1 would no
// longer change it.
constexpr float kWholeNumbersOnly = 16777216.0f;  // 2^24
constexpr float kSnap = 1e-7f;
}  // namespace

float normalise(float value) {
    if (!std::isfinite(value)) return 0.0f;
    if (std::fabs(value) < kSnap) value = 0.0f;
    if (std::fabs(value - 1.0f) < kSnap) value = 1.0f;
    if (value > 1.0f) {
        if (value >= kWholeNumbersOnly) return 1.0f;
        // Each step of 1 is exact above 1, so the steps add up to this one
        // subtraction, which is exact too.
        return value - (std::ceil(value) - 1.0f);
    }
    if (value < 0.0f) {
        if (value <= -kWholeNumbersOnly) return 0.0f;
        // Exact steps up to [-1, 0), then the one step that rounds.
        const float lastStep = value + (std::ceil(-value) - 1.0f);
        return lastStep + 1.0f;
    }
    return value;
}

}  // namespace tbTextureCoordinate
