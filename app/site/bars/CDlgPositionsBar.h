// The positions bar: "New" for a starting position on the next click in
// the view, "Delete", "Copy", the list of positions and the selected one's
// name and model kind. A strip bar over sitebars::PositionsBarModel.
#pragma once

#include "app/site/bars/CDlgPositionsBarModel.h"
#include "platform/ui/toolWindow.h"

class CDlgPositionsBar : public ui::ToolWindow {
public:
    CDlgPositionsBar(wxWindow* mainWindow, sitebars::PositionsBarModel& model);

    bool takesSpace(const wxWindow& control) const override;

private:
    void showValues();

    sitebars::PositionsBarModel& model_;
};
