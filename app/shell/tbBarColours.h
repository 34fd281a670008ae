// The colour swatches of the tool bars (the painting bars, the flying
// site's lighting bar): a swatch opens the colour picker on a paint colour
// and hands the result to the tool state, as the toolbox's and the flood
// bar's swatches do, and shows a colour as wx draws it.
#pragma once

#include <span>

#include <wx/colour.h>

#include "app/shell/CDlgColourPickerModel.h"
#include "engine/core/simColour.h"

class CtolvaneBuilderApp;
class tbToolState;
class wxWindow;

enum class tbPaintColour { main, second };

// Opens the colour picker over `parent`, modally, starting from `start`;
// gives the chosen colour, `start` after Cancel. For colours that are not
// the paint colours (a flying site's lights).
simColour tbPickColour(wxWindow* parent, const simColour& start, std::span<simColour, shell::kSwatchCount> swatches);

// Opens the colour picker over `parent`, modally, starting from the tool
// state's colour, then sets that colour to the picker's result.
void tbPickPaintColour(wxWindow* parent, tbToolState& tools, tbPaintColour which,
                       std::span<simColour, shell::kSwatchCount> swatches);

// The 30 swatches the colour picker offers: the settings' own, or one blank
// set shared by every bar when the program has no settings.
std::span<simColour, shell::kSwatchCount> tbBarSwatches(CtolvaneBuilderApp& app);

// A colour's red, green and blue as wx draws them (alpha is not shown).
wxColour tbWxColour(const simColour& colour);
