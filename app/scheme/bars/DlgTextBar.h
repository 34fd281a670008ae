// The text bar: the text editor's button, the axis the text is projected
// along, the solid and gradient colour buttons, the colour row, the
// gradient's direction, one- or double-sided projection and "Project text".
// A strip bar without a title; its decisions live in bars::TextBarModel,
// which takes part in the tool-settings binding with the editor's values.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "app/scheme/bars/DlgTextBarModel.h"
#include "app/shell/CDlgColourPickerModel.h"
#include "platform/ui/toolWindow.h"

class DlgTextBar : public ui::ToolWindow {
public:
    enum : int {
        idEditor = 1064,
        idAxis = 1076,
        idSolid = 1077,
        idGradient = 1078,
        idMainColour = 1080,
        idStrip = 1075,
        idSecondColour = 1081,
        idDirection = 1073,
        idSided = 1098,
        idProject = 1013,
    };

    // `editor` is the text editor's presenter, which the bar resets and
    // stores with its own values.
    DlgTextBar(wxWindow* mainWindow, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
               bars::TextEditorModel& editor, tbToolSettingsBinding& binding, tbBarTarget target,
               bars::TextBarModel::Operations operations);
    ~DlgTextBar() override;

    // The colour row from the tool state's colours.
    void drawColours();
    // The text editor's button shows the text tool's picture of its text
    // (`width` x `height` ARGB pixels, rows top first).
    void showThumbnail(const std::vector<uint32_t>& argb, int width, int height);

    bars::TextBarModel& model() { return model_; }

private:
    // Every control from the model.
    void showValues();

    tbToolState& tools_;
    tbToolSettingsBinding& binding_;
    bars::TextBarModel model_;
};
