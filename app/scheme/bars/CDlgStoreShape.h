// The "Shape Manager": the project's stored shapes in a list, the name to
// store under, and "Store shape", "Restore shape" (also a double click on
// a line) and "Delete shape". A captioned tool window that "Store Shape"
// on the shape bar shows and hides; its close box hides it. Its decisions
// live in bars::ShapeManagerModel. It hears of new and opened models through
// the tool-settings binding and shows their project's list.
#pragma once

#include "app/scheme/bars/CDlgStoreShapeModel.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"
#include "platform/ui/toolWindow.h"

class CDlgStoreShape : public ui::ToolWindow, private tbToolSettingsParticipant {
public:
    enum : int { idList = 1132, idName = 1017, idStore = 1084, idRestore = 1086, idDelete = 1134 };

    CDlgStoreShape(wxWindow* mainWindow, const tbToolState& tools, tbToolSettingsBinding& binding,
                   bars::ShapeManagerModel::Operations operations);
    ~CDlgStoreShape() override;

    // The list again from the open project (a project made, opened or gone).
    void refreshList();

    bars::ShapeManagerModel& model() { return model_; }

private:
    // The list's selection into the model and its name into the edit.
    void lineSelected();
    // The stored shapes are the project's, not the tool settings'.
    void store(tbToolSettings&) const override {}
    void show(const tbToolSettings&) override { refreshList(); }
    void madeNew() override { refreshList(); }

    tbToolSettingsBinding& binding_;
    bars::ShapeManagerModel model_;
};
