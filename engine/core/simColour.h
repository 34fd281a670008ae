// simColour: the engine's integer colour record.
//
// Red, green, blue and alpha are integers kept in 0..255 by the setter; a
// float copy of them (each / 255) follows, refreshed just before the colour
// goes to an effect as four floats. Drawing calls take the packed ARGB form.
#pragma once

#include <cstdint>
#include <cstdio>

class simColour {
public:
    int32_t red = 0, green = 0, blue = 0, alpha = 255;
    // The float copy, red to alpha, valid after refreshFloats().
    float redF = 0.0f, greenF = 0.0f, blueF = 0.0f, alphaF = 1.0f;

    // Black, opaque: (0, 0, 0) with alpha 255.
    simColour() = default;

    // Each argument clamped to 0..255. Note the order: alpha first.
    void set(int alpha, int red, int green, int blue);
    // The largest of red, green and blue (alpha not counted): the brightness
    // the colour picker and the lit pass use.
    int maxComponent() const;
    // Fills the float copy from the integers.
    void refreshFloats();

    // alpha << 24 | red << 16 | green << 8 | blue, each taken to its low 8 bits.
    uint32_t toARGB() const;
    // The colour of a packed ARGB dword: alpha bits 24-31, red 16-23, green
    // 8-15, blue 0-7.
    static simColour fromARGB(uint32_t argb);

    // File form, 16 bytes: alpha, red, green, blue, each an i32 (little-endian).
    // read goes through set(), so out-of-range values come back clamped; a
    // null handle or a short read gives false and leaves the colour unchanged.
    bool read(FILE* file);
    bool write(FILE* file) const;

    bool operator==(const simColour& other) const {
        return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
    }
};
