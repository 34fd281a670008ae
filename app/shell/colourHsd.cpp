#include "app/shell/colourHsd.h"

#include <algorithm>
#include <cmath>

namespace shell {
namespace {

// Single-precision sextant borders.
constexpr float kSixth = 0.16666667f;
constexpr float kThird = 0.33333334f;
constexpr float kHalf = 0.5f;
constexpr float kTwoThirds = 0.6666667f;
constexpr float kFiveSixths = 0.8333333f;

int channel(float value) { return std::clamp(static_cast<int>(value), 0, 255); }

int shadeChannel(int component, float saturation, float brightness, int grey) {
    const int darkened = static_cast<int>(static_cast<float>(component) * brightness);
    return static_cast<int>(static_cast<float>(darkened) * saturation +
                            static_cast<float>(grey) * (1.0f - saturation));
}

}  // namespace

simColour hueToColour(float h) {
    float red, green, blue;
    if (h < kSixth) red = 255.0f;
    else if (h < kThird) red = 255.0f - (h - kSixth) / kSixth * 255.0f;
    else if (h < kTwoThirds) red = 0.0f;
    else if (h < kFiveSixths) red = (h - kTwoThirds) / kSixth * 255.0f;
    else red = 255.0f;

    if (h < kSixth) green = h / kSixth * 255.0f;
    else if (h < kHalf) green = 255.0f;
    else if (h < kTwoThirds) green = 255.0f - (h - kHalf) / kSixth * 255.0f;
    else green = 0.0f;

    if (h < kThird) blue = 0.0f;
    else if (h < kHalf) blue = (h - kThird) / kSixth * 255.0f;
    else if (h < kFiveSixths) blue = 255.0f;
    else blue = 255.0f * (1.0f - (h - kFiveSixths) / kSixth);

    simColour colour;
    colour.red = channel(red);
    colour.green = channel(green);
    colour.blue = channel(blue);
    colour.alpha = 255;
    return colour;
}

simColour shadeOfHue(float saturation, float darkness, const simColour& hueColour) {
    const float brightness = 1.0f - darkness;
    const int grey = static_cast<int>(brightness * 255.0f);
    simColour colour;
    colour.red = shadeChannel(hueColour.red, saturation, brightness, grey);
    colour.green = shadeChannel(hueColour.green, saturation, brightness, grey);
    colour.blue = shadeChannel(hueColour.blue, saturation, brightness, grey);
    colour.alpha = 255;
    return colour;
}

HueSaturationDarkness findHueSaturationDarkness(const simColour& colour) {
    HueSaturationDarkness best;
    best.darkness = 1.0f - static_cast<float>(colour.maxComponent()) / 255.0f;
    float bestDistance = 10000.0f;
    for (int i = 0; i < 100; ++i) {
        const float hue = static_cast<float>(i) / 100.0f;
        const simColour hueColour = hueToColour(hue);
        for (int j = 0; j < 100; ++j) {
            const float saturation = static_cast<float>(j) / 100.0f;
            const simColour c = shadeOfHue(saturation, best.darkness, hueColour);
            const float dr = static_cast<float>(c.red - colour.red);
            const float dg = static_cast<float>(c.green - colour.green);
            const float db = static_cast<float>(c.blue - colour.blue);
            const float distance = std::sqrt(dr * dr + dg * dg + db * db);
            if (distance < bestDistance) {
                bestDistance = distance;
                best.hue = hue;
                best.saturation = saturation;
                best.hueColour = hueColour;
            }
        }
    }
    return best;
}

}  // namespace shell
