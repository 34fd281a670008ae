// The object bar: the model's objects twice, as trees with check boxes, one
// page to enable objects for painting and one to show or hide them, buttons
// that untick or tick every item showing in the page's tree, and the
// "Show paintable objects only" switch of the settings. The trees are filled
// when the bar is shown and whenever a model is made or opened (the bar
// takes part in the tool-settings binding for that), so they never point at
// a model that has gone. Its decisions live in bars::ObjectBarModel.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "app/scheme/bars/CDlgObjectBarModel.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "platform/ui/toolWindow.h"

class tbGeometryObject;
class wxTreeCtrl;
class wxTreeItemId;

class CDlgObjectBar : public ui::ToolWindow, private tbToolSettingsParticipant {
public:
    using Model = bars::ObjectBarModel;

    using Objects = std::vector<std::unique_ptr<tbGeometryObject>>;

    // `currentObjects` gives the open model's top objects or null without a
    // model; `paintableOnly` is the settings' switch (null: the box changes
    // nothing).
    CDlgObjectBar(wxWindow* mainWindow, std::function<Objects*()> currentObjects, bool* paintableOnly,
                  tbToolSettingsBinding& binding);
    ~CDlgObjectBar() override;

    // Both trees from the open model (emptied without one), the enabled page.
    void fillObjectTrees();
    // Ticks or unticks every item of the shown page that shows in its tree
    // (its ancestors expanded), and the objects' switches with them.
    void tickShownItems(bool ticked);
    // The check box of `item` in the page's tree flipped, as a click on it does.
    void toggleItem(bars::ObjectPage page, const wxTreeItemId& item);

    const Model& model() const { return model_; }
    wxTreeCtrl* tree(bars::ObjectPage page);

private:
    void showPage();
    void store(tbToolSettings&) const override {}
    void show(const tbToolSettings&) override { fillObjectTrees(); }
    void madeNew() override { fillObjectTrees(); }

    std::function<Objects*()> currentObjects_;
    tbToolSettingsBinding& binding_;
    Model model_;
};
