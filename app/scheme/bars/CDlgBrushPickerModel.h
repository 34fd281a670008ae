// What the brush bar decides, without a window: three sliders with their
// edits (size 1..100, hardness 1..100, angle 0..360) over the tool state's
// brush. A moved slider or an edited number goes through the tool state's
// setter, which clamps or wraps it; the other control of the pair then
// shows what the setter made of it.
#pragma once

#include <array>
#include <optional>
#include <string>

class tbToolState;

namespace bars {

enum class BrushSetting { size, hardness, angle };
constexpr std::array<BrushSetting, 3> kBrushSettings = {BrushSetting::size, BrushSetting::hardness,
                                                          BrushSetting::angle};

struct SliderRange {
    int minimum, maximum;
};

class BrushPickerModel {
public:
    explicit BrushPickerModel(tbToolState& tools) : tools_(tools) {}

    static SliderRange range(BrushSetting setting);

    // The tool state's value, truncated: what the slider and edit show.
    int value(BrushSetting setting) const;
    // "%d" of value(): the edit's text after a refresh.
    std::string text(BrushSetting setting) const { return std::to_string(value(setting)); }

    // The slider stands at `position`: when that differs from the tool
    // state it is set there, and the edit's new text is given.
    std::optional<std::string> sliderMoved(BrushSetting setting, int position);
    // The edit holds `text` (its leading number; none is 0): when that
    // differs from the tool state it is set there, and the slider's new
    // position, the value the setter kept, is given. The edit keeps the text.
    std::optional<int> editChanged(BrushSetting setting, const std::string& text);

    // The toolbox's reset of the brush: size 5, hardness 50, angle 0.
    void reset();

private:
    void set(BrushSetting setting, int value);

    tbToolState& tools_;
};

// The number an edit's text starts with (spaces, a sign, digits; clamped to
// int), or 0 when it starts with none.
int tbLeadingNumber(const std::string& text);

}  // namespace bars
