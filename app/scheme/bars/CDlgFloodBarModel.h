// What the flood bar decides, without a window: the fill type (solid or
// gradient, the button pair), the gradient's axis (0 X, 1 Y, 2 Z) and the
// colours of its gradient strip. The flood fill reads the fill type and the
// axis from the open model's tool settings, which this presenter keeps
// written (tbToolSettingsBinding).
#pragma once

#include <array>
#include <cstdint>

#include "app/scheme/bars/tbButtonPair.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "engine/core/simColour.h"

namespace bars {

class FloodBarModel : public tbToolSettingsParticipant {
public:
    static constexpr std::array<const char*, 3> kAxisNames = {"X axis", "Y axis", "Z axis"};
    static constexpr uint32_t kDefaultAxis = 1;

    // Starts solid on the Y axis; `binding` hears of every change.
    explicit FloodBarModel(tbToolSettingsBinding& binding) : binding_(binding) {}

    // The solid or the gradient button, `nowPressed` after the click.
    void fillTypeClicked(bool gradientButton, bool nowPressed);
    // The axis list's selection; anything outside 0..2 is ignored.
    void axisSelected(int index);
    // The toolbox's reset: solid on the Y axis.
    void reset();

    bool gradient() const { return fillType_.secondPressed(); }
    uint32_t axis() const { return axis_; }

    // ---- tbToolSettingsParticipant.
    void store(tbToolSettings& settings) const override;
    void show(const tbToolSettings& settings) override;

private:
    tbToolSettingsBinding& binding_;
    ButtonPair fillType_;  // second: gradient
    uint32_t axis_ = kDefaultAxis;
};

// The colour of column `x` of a gradient strip `width` pixels wide: the main
// colour at the left edge, approaching the second towards the right.
simColour tbStripColour(const simColour& main, const simColour& second, int x, int width);

}  // namespace bars
