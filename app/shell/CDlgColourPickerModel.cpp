#include "app/shell/CDlgColourPickerModel.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "app/shell/colourHsd.h"

namespace shell {
namespace {

// Input before this many milliseconds after showing is the click that opened
// the picker, not a pick.
constexpr double kInputDelayMs = 500.0;

int clampChannel(int value) { return std::clamp(value, 0, 255); }

// The colour field an edit shows (red, green or blue).
template <class Colour>
auto& fieldOf(Colour& colour, PickerChannel channel) {
    if (channel == PickerChannel::green) return colour.green;
    if (channel == PickerChannel::blue) return colour.blue;
    return colour.red;
}

const simColour kWhite = [] {
    simColour c;
    c.red = c.green = c.blue = 255;
    return c;
}();

}  // namespace

int readInteger(const std::string& text) {
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > INT_MAX) return value < 0 ? INT_MIN : INT_MAX;
    return static_cast<int>(std::max<long>(value, INT_MIN));
}

int swatchAt(int x, int y) {
    for (int c = 0; c < kSwatchColumns; ++c) {
        const int left = kSwatchPitch * c + kSwatchMargin;
        if (x < left || x > left + 21) continue;
        for (int r = 0; r < kSwatchRows; ++r) {
            const int top = kSwatchPitch * r + kSwatchMargin;
            if (y >= top && y <= top + 21) return c * kSwatchRows + r;
        }
    }
    return -1;
}

void RgbPicture::resize(int w, int h) {
    width = std::max(w, 0);
    height = std::max(h, 0);
    bytes.resize(static_cast<size_t>(width) * height * 3);
}

void RgbPicture::set(int x, int y, const simColour& c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* p = &bytes[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = static_cast<uint8_t>(c.red);
    p[1] = static_cast<uint8_t>(c.green);
    p[2] = static_cast<uint8_t>(c.blue);
}

ColourPickerModel::ColourPickerModel(const simColour& start, std::span<simColour, kSwatchCount> swatches)
    : alpha_(start.alpha), hueColour_(start), current_(start), start_(start), swatches_(swatches) {
    const HueSaturationDarkness found = findHueSaturationDarkness(current_);
    hue_ = found.hue;
    saturation_ = found.saturation;
    darkness_ = found.darkness;
    hueColour_ = found.hueColour;
}

void ColourPickerModel::shown() {
    inputWatch_.reset();
    inputWatch_.start();
}

bool ColourPickerModel::acceptsInput() const { return inputWatch_.getElapsed() >= kInputDelayMs; }

bool ColourPickerModel::leftButton(PickerArea area, int x, int y, int width, int height, bool pressed) {
    if (!acceptsInput()) return false;
    const bool inside = x >= 0 && y >= 0 && x < width && y < height;
    if (area == PickerArea::hueBar && inside) {
        hue_ = static_cast<float>(x) / static_cast<float>(width);
        hueColour_ = hueToColour(hue_);
        current_ = shadeOfHue(saturation_, darkness_, hueColour_);
        return true;
    }
    if (area == PickerArea::square && inside) {
        saturation_ = static_cast<float>(x) / static_cast<float>(width);
        darkness_ = static_cast<float>(y) / static_cast<float>(height);
        current_ = shadeOfHue(saturation_, darkness_, hueColour_);
        return true;
    }
    if (area == PickerArea::swatches && pressed) {
        const int index = swatchAt(x, y);
        if (index < 0) return false;
        current_ = swatches_[index];
        alpha_ = swatches_[index].alpha;
        current_.alpha = 255;
        return true;
    }
    return false;
}

bool ColourPickerModel::rightButton(PickerArea area, int x, int y) {
    if (!acceptsInput() || area != PickerArea::swatches) return false;
    const int index = swatchAt(x, y);
    if (index < 0) return false;
    swatches_[index] = current_;
    swatches_[index].alpha = alpha_;
    return true;
}

bool ColourPickerModel::typed(PickerChannel channel, const std::string& text) {
    const int value = clampChannel(readInteger(text));
    if (channel == PickerChannel::alpha) {
        alpha_ = value;
        return false;
    }
    simColour edited = current_;
    fieldOf(edited, channel) = value;
    edited.alpha = 255;
    if (edited == current_) return false;
    current_ = edited;
    return true;
}

int ColourPickerModel::valueOf(PickerChannel channel) const {
    if (channel == PickerChannel::alpha) return alpha_;
    return fieldOf(current_, channel);
}

bool ColourPickerModel::editNeedsRewrite(PickerChannel channel, const std::string& text) const {
    return readInteger(text) != valueOf(channel);
}

simColour ColourPickerModel::accepted() const {
    simColour result = current_;
    result.alpha = alpha_;
    return result;
}

void ColourPickerModel::drawSquare(RgbPicture& picture, int width, int height) const {
    picture.resize(width, height);
    for (int j = 0; j < picture.height; ++j) {
        const float darkness = static_cast<float>(j) / static_cast<float>(height);
        for (int i = 0; i < picture.width; ++i) {
            const float saturation = static_cast<float>(i) / static_cast<float>(width);
            picture.set(i, j, shadeOfHue(saturation, darkness, hueColour_));
        }
    }
    const int crossX = static_cast<int>(saturation_ * static_cast<float>(width));
    const int crossY = static_cast<int>(darkness_ * static_cast<float>(height));
    for (int i = 0; i < picture.width; ++i) picture.set(i, crossY, kWhite);
    for (int j = 0; j < picture.height; ++j) picture.set(crossX, j, kWhite);
}

void ColourPickerModel::drawHueBar(RgbPicture& picture, int width, int height) const {
    picture.resize(width, height);
    const int markX = static_cast<int>(hue_ * static_cast<float>(width));
    for (int i = 0; i < picture.width; ++i) {
        const simColour c = i == markX ? kWhite : hueToColour(static_cast<float>(i) / static_cast<float>(width));
        for (int j = 0; j < picture.height; ++j) picture.set(i, j, c);
    }
}

void ColourPickerModel::drawSwatches(RgbPicture& picture, int width, int height, const simColour& background) const {
    picture.resize(width, height);
    auto fill = [&](int left, int top, int size, const simColour& c) {
        for (int y = top; y < top + size; ++y)
            for (int x = left; x < left + size; ++x) picture.set(x, y, c);
    };
    fill(0, 0, std::max(width, height), background);
    const simColour black;
    for (int c = 0; c < kSwatchColumns; ++c) {
        for (int r = 0; r < kSwatchRows; ++r) {
            fill(kSwatchPitch * c + kSwatchMargin, kSwatchPitch * r + kSwatchMargin, 21, black);
            fill(kSwatchPitch * c + kSwatchMargin + 1, kSwatchPitch * r + kSwatchMargin + 1, 19,
                 swatches_[c * kSwatchRows + r]);
        }
    }
}

}  // namespace shell
