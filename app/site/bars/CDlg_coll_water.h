// The water editor: "Enabled" for the site's water, "Edit" to paint its
// mask with the brush (radius, strength, and "clear" to paint water out),
// and "Opaque" and "Clear" to fill the whole mask. The collision bar's
// "Water" toggle shows it. A view over sitebars::WaterEditorModel.
#pragma once

#include "app/site/bars/CDlg_coll_waterModel.h"
#include "platform/ui/toolWindow.h"

class CDlg_coll_water : public ui::ToolWindow {
public:
    CDlg_coll_water(wxWindow* mainWindow, sitebars::WaterEditorModel& model);

private:
    void showValues();

    sitebars::WaterEditorModel& model_;
};
