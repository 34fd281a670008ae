// The colour swatches of the painting bars: a swatch opens the colour picker
// on a paint colour and hands the result to the tool state, as the toolbox's
// and the flood bar's swatches do.
#pragma once

#include <span>

#include "app/shell/CDlgColourPickerModel.h"

class CtolvaneBuilderApp;
class simColour;
class tbToolState;
class wxWindow;

enum class tbPaintColour { main, second };

// Opens the colour picker over `parent`, modally, starting from the tool
// state's colour, then sets that colour to the picker's result.
void tbPickPaintColour(wxWindow* parent, tbToolState& tools, tbPaintColour which,
                       std::span<simColour, shell::kSwatchCount> swatches);

// The 30 swatches the colour picker offers: the settings' own, or one blank
// set shared by every bar when the program has no settings.
std::span<simColour, shell::kSwatchCount> tbBarSwatches(CtolvaneBuilderApp& app);
