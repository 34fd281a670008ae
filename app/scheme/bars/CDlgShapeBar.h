// The shape bar: one- or double-sided filling, the solid and gradient fill
// buttons, the colour row, the gradient's axis, and the outline's commands
// ("Clear Shape", "Store Shape", "Create Curve", "Clear Curve", "Project
// Shape"). A strip bar without a title; its decisions live in
// bars::ShapeBarModel, which takes part in the tool-settings binding.
#pragma once

#include <span>

#include "app/scheme/bars/CDlgShapeBarModel.h"
#include "app/shell/CDlgColourPickerModel.h"
#include "platform/ui/toolWindow.h"

class CDlgShapeBar : public ui::ToolWindow {
public:
    enum : int {
        idSided = 1111,
        idSolid = 1077,
        idGradient = 1078,
        idMainColour = 1080,
        idStrip = 1075,
        idSecondColour = 1081,
        idAxis = 1073,
        idClearShape = 1082,
        idStoreShape = 1084,
        idCreateCurve = 1083,
        idClearCurve = 1085,
        idProjectShape = 1079,
    };

    CDlgShapeBar(wxWindow* mainWindow, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                 tbToolSettingsBinding& binding, tbBarTarget target, bars::ShapeBarModel::Operations operations);
    ~CDlgShapeBar() override;

    // The colour row from the tool state's colours.
    void drawColours();

    bars::ShapeBarModel& model() { return model_; }

private:
    // Every control from the model.
    void showValues();

    tbToolState& tools_;
    tbToolSettingsBinding& binding_;
    bars::ShapeBarModel model_;
};
