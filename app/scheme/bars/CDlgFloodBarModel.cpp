#include "app/scheme/bars/CDlgFloodBarModel.h"

#include "app/scheme/tbGeometryTool_flood.h"

namespace bars {

void FloodBarModel::fillTypeClicked(bool gradientButton, bool nowPressed) {
    fillType_.clicked(gradientButton, nowPressed);
    binding_.changed();
}

void FloodBarModel::axisSelected(int index) {
    if (index < 0 || index >= static_cast<int>(kAxisNames.size())) return;
    axis_ = static_cast<uint32_t>(index);
    binding_.changed();
}

void FloodBarModel::reset() {
    fillType_.pressSecond(false);
    axis_ = kDefaultAxis;
    binding_.changed();
}

void FloodBarModel::store(tbToolSettings& settings) const {
    settings.floodAxis = axis_;
    settings.floodGradient = gradient() ? 1 : 0;
}

void FloodBarModel::show(const tbToolSettings& settings) {
    // A file from elsewhere may hold any number: an axis outside the list
    // keeps the bar's own.
    if (settings.floodAxis < kAxisNames.size()) axis_ = settings.floodAxis;
    fillType_.pressSecond(settings.floodGradient != 0);
}

simColour tbStripColour(const simColour& main, const simColour& second, int x, int width) {
    const float t = width > 0 ? static_cast<float>(x) / static_cast<float>(width) : 0.0f;
    return tbBlendColours(main, second, t);
}

}  // namespace bars
