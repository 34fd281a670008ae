// What the colour picker decides, without a window: the colour being
// edited and its hue, saturation and darkness; what a click, a drag, a typed
// value or a swatch does; what OK and Cancel give the caller; and the
// pictures of the square, the hue bar and the swatch grid as RGB buffers
// the dialog blits.
//
// Areas are addressed in their own pixels with (0, 0) at their top-left
// corner. Input is ignored for the first 500 ms after the picker shows, so
// the click that opened it cannot pick a colour in it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/core/utilsTimer.h"

namespace shell {

enum class PickerArea { square, hueBar, swatches };
enum class PickerChannel { red, green, blue, alpha };

// The swatch grid: 6 columns by 5 rows of 19-pixel colours in 21-pixel black
// squares on a 23-pixel pitch, 5 pixels in from the grid's corner.
constexpr int kSwatchColumns = 6;
constexpr int kSwatchRows = 5;
constexpr int kSwatchCount = kSwatchColumns * kSwatchRows;
constexpr int kSwatchPitch = 23;
constexpr int kSwatchMargin = 5;

// The swatch at a point of the grid (index column x 5 + row), or -1. Each
// swatch answers over [23c + 5, 23c + 26] by [23r + 5, 23r + 26], edges in.
int swatchAt(int x, int y);

// An RGB picture, three bytes a pixel, rows top to bottom.
struct RgbPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;
    void resize(int w, int h);
    void set(int x, int y, const simColour& c);
};

class ColourPickerModel {
public:
    // `swatches` are the settings' 30 stored colours, read and written in place.
    ColourPickerModel(const simColour& start, std::span<simColour, kSwatchCount> swatches);

    // The picker has shown: input counts from 500 ms on.
    void shown();
    bool acceptsInput() const;

    // Left button down or dragged with it held, at a point of an area of the
    // given size. True when the picture must be redrawn.
    bool leftButton(PickerArea area, int x, int y, int width, int height, bool pressed);
    // Right button down: on a swatch, stores the current colour with the
    // picker's alpha into it. True when the grid must be redrawn.
    bool rightButton(PickerArea area, int x, int y);

    // A typed value: read as an integer (0 when not a number), clamped to
    // 0..255. True when the picture must be redrawn (red, green and blue
    // only, and only when the colour changed).
    bool typed(PickerChannel channel, const std::string& text);
    // The value a channel's edit shows.
    int valueOf(PickerChannel channel) const;
    // Whether an edit showing `text` needs rewriting for `channel` (its text
    // read as an integer differs), so typing is not disturbed.
    bool editNeedsRewrite(PickerChannel channel, const std::string& text) const;

    // OK: the current colour with the picker's alpha. Cancel: the start colour.
    simColour accepted() const;
    const simColour& start() const { return start_; }

    const simColour& current() const { return current_; }
    int alpha() const { return alpha_; }
    float hue() const { return hue_; }
    float saturation() const { return saturation_; }
    float darkness() const { return darkness_; }

    // Pictures at the given sizes: the square with a white cross-hair at the
    // current saturation and darkness; the hue bar with a white mark at the
    // current hue; the swatch grid on a background colour.
    void drawSquare(RgbPicture& picture, int width, int height) const;
    void drawHueBar(RgbPicture& picture, int width, int height) const;
    void drawSwatches(RgbPicture& picture, int width, int height, const simColour& background) const;

private:
    int alpha_;
    simColour hueColour_;
    simColour current_;
    simColour start_;
    float hue_ = 0.0f, saturation_ = 1.0f, darkness_ = 0.0f;
    utils::Timer inputWatch_;
    std::span<simColour, kSwatchCount> swatches_;
};

// A text read as an integer the way the edits read it: optional sign and
// leading digits, 0 when it does not start with a number.
int readInteger(const std::string& text);

}  // namespace shell
