// The mirror bar: the direction the mirror copies paint in and the
// "Perform Mirror" button. A strip bar without a title. Its decisions live
// in bars::MirrorBarModel.
#pragma once

#include <cstdint>
#include <functional>

#include "app/scheme/bars/CDlgMirrorBarModel.h"
#include "platform/ui/toolWindow.h"

class CDlgMirrorBar : public ui::ToolWindow {
public:
    enum : int { idDirection = 1122, idPerform = 1064 };

    // `perform` mirrors the open model's paint (may be empty).
    CDlgMirrorBar(wxWindow* mainWindow, tbToolSettingsBinding& binding,
                  std::function<void(int32_t direction)> perform);
    ~CDlgMirrorBar() override;

    // The toolbox's reset: the first direction.
    void reset();

    bars::MirrorBarModel& model() { return model_; }

private:
    tbToolSettingsBinding& binding_;
    bars::MirrorBarModel model_;
};
