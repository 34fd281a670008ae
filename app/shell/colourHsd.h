// The colour picker's colour model: a hue on a six-sextant wheel, a
// saturation and a darkness (brightness = 1 - darkness), with the integer
// truncations the picker has always used, so a colour picked from the
// square is exactly the colour every earlier version gave for that point.
#pragma once

#include "engine/core/simColour.h"

namespace shell {

// The fully saturated, full-brightness colour of hue h (0..1), alpha 255.
simColour hueToColour(float hue);

// The colour at saturation s and darkness d (each 0..1) for a hue colour,
// alpha 255.
simColour shadeOfHue(float saturation, float darkness, const simColour& hueColour);

struct HueSaturationDarkness {
    float hue = 0.0f;
    float saturation = 1.0f;
    float darkness = 0.0f;
    simColour hueColour;
};

// The hue, saturation and darkness nearest to a colour: darkness from its
// brightest channel, hue and saturation by searching the hundredths of each
// for the smallest distance in red, green and blue (the first found wins a
// tie).
HueSaturationDarkness findHueSaturationDarkness(const simColour& colour);

}  // namespace shell
