// The colour picker (`CDialogToolbar`): a modal tool-window dialog with a
// saturation-brightness square for the current hue, a hue bar, edits for
// red, green, blue and alpha, the start and the current colour side by side
// and a grid of 30 stored swatches (left click takes one, right click stores
// the current colour into one).
//
// The caller's result record gets the start colour at once, so a Cancel (or
// closing the window) returns it unchanged, and the chosen colour on OK. The
// dialog always ends with 1. Its decisions live in ColourPickerModel; the
// square, hue bar and grid are drawn into memory and blitted.
#pragma once

#include <span>

#include "app/shell/CDlgColourPickerModel.h"
#include "platform/ui/inputPreFilter.h"
#include "platform/ui/templateDialog.h"

namespace ui {
class ImageCanvas;
}

class CDialogToolbar : public ui::TemplateDialog, public ui::SwallowsSpaceAndWheel {
public:
    enum : int {
        idOk = 1012,
        idCancel = 1011,
        idStartColour = 1048,
        idCurrentColour = 1047,
        idSquare = 1045,
        idHueBar = 1050,
        idRed = 1021,
        idGreen = 1020,
        idBlue = 1017,
        idAlpha = 1018,
        idSwatches = 1051,
    };

    // `swatches` are the settings' 30 stored colours, changed in place.
    CDialogToolbar(const simColour& start, simColour* result, std::span<simColour, shell::kSwatchCount> swatches,
                   wxWindow* parent);

    const shell::ColourPickerModel& model() const { return model_; }

private:
    void bindArea(int id, shell::PickerArea area);
    void onMouse(wxMouseEvent& event, shell::PickerArea area);
    void onEdit(shell::PickerChannel channel);
    void onOk();
    void drawPicker();
    void drawSwatches();
    void updateEdits();

    shell::ColourPickerModel model_;
    simColour* result_;
};
