// The colour row the flood, shape and text bars share: the solid and
// gradient fill buttons (1077, 1078), the main colour's swatch (1080), the
// gradient strip from the main to the second colour (1075) and the second
// colour's swatch (1081), drawn from the tool state.
#pragma once

#include <functional>
#include <span>

#include "app/shell/CDlgColourPickerModel.h"

class simColour;
class tbToolState;
class wxWindow;

struct tbBarColourIds {
    static constexpr int solid = 1077;
    static constexpr int gradient = 1078;
    static constexpr int mainColour = 1080;
    static constexpr int strip = 1075;
    static constexpr int secondColour = 1081;
};

// Paints the row's three controls in `bar` from the tool state's colours.
void tbDrawBarColours(wxWindow* bar, const tbToolState& tools);

// Gives the row's fill buttons their pictures and binds the row in `bar`: a
// click on a fill button goes to `fillTypeClicked` (whether it is the
// gradient button, whether it is pressed now), then `showFillType` shows the
// bar's values again; a swatch opens the colour picker on its paint colour
// and the row is drawn again.
void tbBindBarColours(wxWindow* bar, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                      std::function<void(bool gradient, bool pressed)> fillTypeClicked,
                      std::function<void()> showFillType);
