// The weather bar: the site's global wind speed, the "area" toggle for a
// new wind-area, the list of wind-areas with "Delete" and "Copy", and the
// selected wind-area's name, wind speed, turbulence and thermals. A strip
// bar over sitebars::WeatherBarModel.
#pragma once

#include "app/site/bars/CDlgWeatherBarModel.h"
#include "platform/ui/toolWindow.h"

class CDlgWeatherBar : public ui::ToolWindow {
public:
    CDlgWeatherBar(wxWindow* mainWindow, sitebars::WeatherBarModel& model);

    // Its list of wind-areas is dropped down.
    bool listDropped() const { return dropped_; }

    bool takesSpace(const wxWindow& control) const override;

private:
    void showValues();

    sitebars::WeatherBarModel& model_;
    bool dropped_ = false;
};
