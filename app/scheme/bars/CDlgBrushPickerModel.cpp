#include "app/scheme/bars/CDlgBrushPickerModel.h"

#include <climits>
#include <cmath>
#include <cstddef>

#include "app/shell/tbToolState.h"

namespace bars {

SliderRange BrushPickerModel::range(BrushSetting setting) {
    return setting == BrushSetting::angle ? SliderRange{0, 360} : SliderRange{1, 100};
}

int BrushPickerModel::value(BrushSetting setting) const {
    switch (setting) {
        case BrushSetting::size: return static_cast<int>(tools_.brushSize());
        case BrushSetting::hardness: return static_cast<int>(tools_.brushHardness());
        case BrushSetting::angle: return static_cast<int>(tools_.brushAngle());
    }
    return 0;
}

void BrushPickerModel::set(BrushSetting setting, int value) {
    const auto v = static_cast<float>(value);
    switch (setting) {
        case BrushSetting::size: tools_.setBrushSize(v, 0.0f, 100.0f); break;
        case BrushSetting::hardness: tools_.setBrushHardness(v); break;
        case BrushSetting::angle: tools_.setBrushAngle(v); break;
    }
}

std::optional<std::string> BrushPickerModel::sliderMoved(BrushSetting setting, int position) {
    if (position == value(setting)) return std::nullopt;
    set(setting, position);
    return std::to_string(position);
}

std::optional<int> BrushPickerModel::editChanged(BrushSetting setting, const std::string& text) {
    const int typed = tbLeadingNumber(text);
    if (typed == value(setting)) return std::nullopt;
    set(setting, typed);
    // The slider shows the value in effect (an angle of 400 wraps to 0, so
    // the slider goes to 0, not to its end where the next redraw would take
    // 360 for the user's choice).
    return value(setting);
}

void BrushPickerModel::reset() {
    tools_.setBrushSize(5.0f, 0.0f, 100.0f);
    tools_.setBrushHardness(50.0f);
    tools_.setBrushAngle(0.0f);
}

int tbLeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = number * 10 + (text[i] - '0');
        if (number > INT_MAX) number = static_cast<long long>(INT_MAX) + 1;  // stays clear of overflow
    }
    if (negative) number = -number;
    if (number > INT_MAX) return INT_MAX;
    if (number < INT_MIN) return INT_MIN;
    return static_cast<int>(number);
}

}  // namespace bars
