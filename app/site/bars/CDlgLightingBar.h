// The lighting bar: the diffuse, ambient and specular swatches that open
// the colour picker, the lighting preview's shape and the sun's reset. A
// strip bar over sitebars::LightingBarModel.
#pragma once

#include "app/site/bars/CDlgLightingBarModel.h"
#include "platform/ui/toolWindow.h"

class CDlgLightingBar : public ui::ToolWindow {
public:
    CDlgLightingBar(wxWindow* mainWindow, sitebars::LightingBarModel& model);

    // The swatches from the site's colours.
    void showValues();

private:
    sitebars::LightingBarModel& model_;
};
