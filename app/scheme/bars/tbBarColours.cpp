#include "app/scheme/bars/tbBarColours.h"

#include "app/shell/CDlgColourPicker.h"
#include "app/shell/tbToolState.h"

void tbPickPaintColour(wxWindow* parent, tbToolState& tools, tbPaintColour which,
                       std::span<simColour, shell::kSwatchCount> swatches) {
    const bool main = which == tbPaintColour::main;
    simColour result;  // opaque black until the picker writes it
    CDialogToolbar picker(main ? tools.mainColour() : tools.secondColour(), &result, swatches, parent);
    picker.ShowModal();
    main ? tools.setMainColour(result) : tools.setSecondColour(result);
}
