// Colour records as the tests write them: by their components.
#pragma once

#include "engine/core/simColour.h"

namespace testsupport {

// Red, green, blue and alpha stored as given (no clamping, unlike
// simColour::set), so a test can build any record it needs.
inline simColour rgb(int r, int g, int b, int a = 255) {
    simColour c;
    c.red = r;
    c.green = g;
    c.blue = b;
    c.alpha = a;
    return c;
}

}  // namespace testsupport
