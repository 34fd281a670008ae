#include "engine/core/simColour.h"

#include <algorithm>

#include "platform/sys/binaryRecords.h"

namespace {
int32_t clampComponent(int value) { return std::clamp(value, 0, 255); }
}  // namespace

void simColour::set(int a, int r, int g, int b) {
    alpha = clampComponent(a);
    red = clampComponent(r);
    green = clampComponent(g);
    blue = clampComponent(b);
}

int simColour::maxComponent() const { return std::max({red, green, blue}); }

void simColour::refreshFloats() {
    redF = static_cast<float>(red) / 255.0f;
    greenF = static_cast<float>(green) / 255.0f;
    blueF = static_cast<float>(blue) / 255.0f;
    alphaF = static_cast<float>(alpha) / 255.0f;
}

uint32_t simColour::toARGB() const {
    return static_cast<uint32_t>(alpha) << 24 | (static_cast<uint32_t>(red) & 0xFF) << 16 |
           (static_cast<uint32_t>(green) & 0xFF) << 8 | (static_cast<uint32_t>(blue) & 0xFF);
}

simColour simColour::fromARGB(uint32_t argb) {
    simColour colour;
    colour.set(static_cast<int>(argb >> 24), static_cast<int>((argb >> 16) & 0xFF),
               static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF));
    return colour;
}

bool simColour::read(FILE* file) {
    int32_t fields[4];  // alpha, red, green, blue
    if (!sys::readFields(file, fields)) return false;
    set(fields[0], fields[1], fields[2], fields[3]);
    return true;
}

bool simColour::write(FILE* file) const {
    const int32_t fields[4] = {alpha, red, green, blue};
    return sys::writeFields(file, fields);
}
