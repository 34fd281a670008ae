// The flying-site toolbox: a push-like button per site tool. It is the
// site's side of the tool state's view: the tool state presses and releases
// its buttons. Closing it hides the site's bars. A view over
// sitebars::SiteToolboxModel.
#pragma once

#include "app/shell/tbToolStateView.h"
#include "app/site/bars/CDlgToolboxFlyingSiteModel.h"
#include "platform/ui/toolWindow.h"

class CDlgToolboxFlyingSite : public ui::ToolWindow, public tbToolStateView {
public:
    CDlgToolboxFlyingSite(wxWindow* mainWindow, sitebars::SiteToolboxModel model);

    // ---- tbToolStateView (the toolbox side).
    void releaseToolButtons() override;
    void pressToolButton(tbToolButton button) override;

private:
    sitebars::SiteToolboxModel model_;
};
