// The panorama bar: cube or sphere, the face list with the picture of the
// selected face, "..." and "Auto" to choose pictures, the panorama's reset,
// "Interior", the ambient sound and "Reverb". A strip bar over
// sitebars::PanoBarModel, which decides everything.
#pragma once

#include "app/site/bars/CDlgPanoBarModel.h"
#include "platform/ui/toolWindow.h"

class CDlgPanoBar : public ui::ToolWindow {
public:
    CDlgPanoBar(wxWindow* mainWindow, sitebars::PanoBarModel& model);

    bool takesSpace(const wxWindow& control) const override;

private:
    void showValues();

    sitebars::PanoBarModel& model_;
};
