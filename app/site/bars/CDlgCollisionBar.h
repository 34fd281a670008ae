// The collision bar: the nine toggles of the kinds a click in the view
// makes, "Water" for the water editor, the list of the site's collision
// objects with "Delete" and "Copy". A strip bar over
// sitebars::CollisionBarModel.
#pragma once

#include "app/site/bars/CDlgCollisionBarModel.h"
#include "platform/ui/toolWindow.h"

class CDlgCollisionBar : public ui::ToolWindow {
public:
    CDlgCollisionBar(wxWindow* mainWindow, sitebars::CollisionBarModel& model);

    bool listDropped() const { return dropped_; }

private:
    void showValues();

    sitebars::CollisionBarModel& model_;
    bool dropped_ = false;
};
