// The flood bar: the solid and gradient fill buttons, the main and second
// colour swatches with the gradient strip between them, and the gradient's
// axis. A strip bar without a title. Its decisions live in
// bars::FloodBarModel; the bar takes part in the tool-settings binding so
// an opened model's values show here.
#pragma once

#include <span>

#include "app/scheme/bars/CDlgFloodBarModel.h"
#include "app/shell/CDlgColourPickerModel.h"
#include "platform/ui/toolWindow.h"

class tbToolState;

class CDlgFloodBar : public ui::ToolWindow, private tbToolSettingsParticipant {
public:
    enum : int {
        idGradient = 1078,
        idSolid = 1077,
        idMainColour = 1080,
        idStrip = 1075,
        idSecondColour = 1081,
        idAxis = 1073,
    };

    CDlgFloodBar(wxWindow* mainWindow, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                 tbToolSettingsBinding& binding);
    ~CDlgFloodBar() override;

    // The gradient strip and both swatches from the tool state's colours.
    void drawColours();
    // The toolbox's reset: solid on the Y axis.
    void reset();

    const bars::FloodBarModel& model() const { return model_; }

private:
    // The buttons and the axis list from the model.
    void showValues();
    void store(tbToolSettings& settings) const override { model_.store(settings); }
    void show(const tbToolSettings& settings) override;

    tbToolState& tools_;
    tbToolSettingsBinding& binding_;
    bars::FloodBarModel model_;
};
