// The "System options" dialog of File/Options: the antialiasing switch and
// the backdrop colour of the 3-D view (a swatch that opens the colour
// picker), with Accept and Cancel. Its decisions live in OptionsModel; the
// dialog ends with 1 either way.
#pragma once

#include <span>

#include "app/shell/CDlgColourPickerModel.h"
#include "app/shell/CDlgOptionsModel.h"
#include "platform/ui/templateDialog.h"

class CDlgOptions : public ui::TemplateDialog {
public:
    enum : int { idAntialiasing = 1128, idBackground = 1130, idAccept = 1012, idCancel = 1011 };

    // `swatches` are the settings' stored colours the picker offers.
    CDlgOptions(shell::OptionsTarget& target, std::span<simColour, shell::kSwatchCount> swatches, wxWindow* parent);

    const shell::OptionsModel& model() const { return model_; }

private:
    void onBackgroundClicked();
    void showColour();

    shell::OptionsModel model_;
    std::span<simColour, shell::kSwatchCount> swatches_;
};
