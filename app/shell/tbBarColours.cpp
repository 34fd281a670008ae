#include "app/shell/tbBarColours.h"

#include <array>

#include "app/shell/CDlgColourPicker.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simColour.h"

simColour tbPickColour(wxWindow* parent, const simColour& start, std::span<simColour, shell::kSwatchCount> swatches) {
    simColour result;  // the picker writes the start colour at once
    CDialogToolbar picker(start, &result, swatches, parent);
    picker.ShowModal();
    return result;
}

void tbPickPaintColour(wxWindow* parent, tbToolState& tools, tbPaintColour which,
                       std::span<simColour, shell::kSwatchCount> swatches) {
    const bool main = which == tbPaintColour::main;
    const simColour result = tbPickColour(parent, main ? tools.mainColour() : tools.secondColour(), swatches);
    main ? tools.setMainColour(result) : tools.setSecondColour(result);
}

std::span<simColour, shell::kSwatchCount> tbBarSwatches(CtolvaneBuilderApp& app) {
    static std::array<simColour, shell::kSwatchCount> noSettingsSwatches;
    tbOptions* options = app.options();
    return options ? std::span<simColour, shell::kSwatchCount>(options->swatches) : noSettingsSwatches;
}

wxColour tbWxColour(const simColour& colour) {
    return wxColour(static_cast<unsigned char>(colour.red & 255), static_cast<unsigned char>(colour.green & 255),
                    static_cast<unsigned char>(colour.blue & 255));
}
