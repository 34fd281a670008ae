// The brush bar: size, hardness and angle sliders with their edits over the
// tool state's brush, the current brush shape's thumbnail and the button
// that opens and closes the brush-shape picker. A strip bar without a title.
// Its decisions live in bars::BrushPickerModel.
#pragma once

#include <functional>

#include "app/scheme/bars/CDlgBrushPickerModel.h"
#include "platform/ui/toolWindow.h"

class wxBitmap;

class CDlgBrushPicker : public ui::ToolWindow {
public:
    enum : int {
        idSizeSlider = 1016,
        idSizeEdit = 1017,
        idHardnessSlider = 1018,
        idHardnessEdit = 1019,
        idAngleSlider = 1020,
        idAngleEdit = 1021,
        idShapePreview = 1114,
        idShapeFrame = 1116,
        idShapeLabel = 1117,
        idShapeButton = 1118,
    };

    // `togglePicker` shows the brush-shape picker when it is hidden and
    // hides it when shown.
    CDlgBrushPicker(wxWindow* mainWindow, tbToolState& tools, std::function<void()> togglePicker);

    // The tool state's brush into the edits ("%d") and the sliders.
    void updateControls();
    // The brush-shape preview shows `thumbnail`.
    void showShape(const wxBitmap& thumbnail);
    // The toolbox's reset: size 5, hardness 50, angle 0, shown.
    void reset();
    // The picker closed: the shape button comes up.
    void releaseShapeButton();

    const bars::BrushPickerModel& model() const { return model_; }

private:
    struct Pair {
        bars::BrushSetting setting;
        int slider, edit;
    };
    static const Pair kPairs[3];

    bars::BrushPickerModel model_;
};
