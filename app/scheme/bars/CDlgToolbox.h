// The painting toolbox: a button per tool, the main and second colour
// swatches with swap and reset buttons, and the button that resets the
// current tool's settings. It is the toolbox side of the tool state's view:
// the tool state presses and releases its buttons, and asks it to repaint
// the colour swatches, its own and those of the bars that registered theirs.
// Closing it hides the painting bars too. Its decisions live in
// bars::ToolboxModel.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "app/scheme/bars/CDlgToolboxModel.h"
#include "app/shell/CDlgColourPickerModel.h"
#include "app/shell/tbToolStateView.h"
#include "platform/ui/toolWindow.h"

class CDlgToolbox : public ui::ToolWindow, public tbToolStateView {
public:
    // `hideBars` hides the painting bars when the toolbox is closed.
    CDlgToolbox(wxWindow* mainWindow, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                std::function<void()> hideBars);

    bars::ToolboxModel& model() { return model_; }
    // Another bar's colour swatches, repainted with the toolbox's own.
    void addSwatchRepaint(std::function<void()> repaint) { repaints_.push_back(std::move(repaint)); }
    // Both swatches from the tool state's colours.
    void drawColours();

    // ---- tbToolStateView (the toolbox side).
    void releaseToolButtons() override;
    void pressToolButton(tbToolButton button) override;
    void repaintColourSwatches() override;

private:
    bars::ToolboxModel model_;
    std::vector<std::function<void()>> repaints_;
};
