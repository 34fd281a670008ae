// The colour row the flood, shape and text bars share: the main colour's
// swatch (1080), the gradient strip from the main to the second colour
// (1075) and the second colour's swatch (1081), drawn from the tool state.
#pragma once

class tbToolState;
class wxWindow;

struct tbBarColourIds {
    static constexpr int mainColour = 1080;
    static constexpr int strip = 1075;
    static constexpr int secondColour = 1081;
};

// Paints the row's three controls in `bar` from the tool state's colours.
void tbDrawBarColours(wxWindow* bar, const tbToolState& tools);
