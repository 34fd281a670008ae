// The image projection bar: the current slot's Show switch, the slot list
// (+X axis .. -Z axis), its image's name and the "..." browser, Wrap or
// Clamp, the angle threshold, one- or double-sided projection and "Perform
// Projection". A strip bar without a title; its decisions live in
// bars::ImageProjectModel, which takes part in the tool-settings binding.
#pragma once

#include "app/scheme/bars/CDlgImageProjectModel.h"
#include "app/scheme/bars/tbProjectionAxes.h"
#include "platform/ui/toolWindow.h"

class CDlgImageProject : public ui::ToolWindow {
public:
    enum : int {
        idShow = 1064,
        idSlot = 1076,
        idImageName = 1017,
        idBrowse = 1084,
        idWrap = 1091,
        idThreshold = 1021,
        idSided = 1100,
        idPerform = 1087,
    };
    static constexpr std::array<const char*, 2> kWrapNames = {"Wrap", "Clamp"};

    // The image browser first opens in `startFolder`.
    CDlgImageProject(wxWindow* mainWindow, tbToolSettingsBinding& binding, tbBarTarget target,
                     bars::ImageProjectModel::Operations operations, std::string startFolder);
    ~CDlgImageProject() override;

    bars::ImageProjectModel& model() { return model_; }

private:
    // Every control from the current slot.
    void showSlot();

    tbToolSettingsBinding& binding_;
    bars::ImageProjectModel model_;
};
