// The collision-object editors: a captioned window per kind (primitive,
// area, height map, skyline) that shows while the collision bar's selected
// object is of its kind, with the object's name, material, "Delete",
// "Copy", "Draw" and "Visible", and the kind's own controls: the point
// toggle of the area and skyline editors, the surface brush of the
// height-map editor. Each is a view over its sitebars::ObjectEditorModel.
#pragma once

#include <span>

#include "app/site/bars/CDlg_coll_objectModel.h"
#include "platform/ui/toolWindow.h"

class CDlg_coll_object : public ui::ToolWindow {
public:
    bool takesSpace(const wxWindow& control) const override;

protected:
    // `ownToggle`: the id of the kind's point or surface toggle, 0 for none;
    // `spaceEdits`: the edits a Space reaches.
    CDlg_coll_object(wxWindow* mainWindow, const ui::DialogTemplate& table, sitebars::ObjectEditorModel& model,
                     int ownToggle, std::span<const int> spaceEdits = sitebars::ObjectEditorModel::kSpaceEdits);

    virtual void showValues();

private:
    sitebars::ObjectEditorModel& model_;
    int ownToggle_;
    std::span<const int> spaceEdits_;
};

class CDlg_coll_primitive : public CDlg_coll_object {
public:
    CDlg_coll_primitive(wxWindow* mainWindow, sitebars::ObjectEditorModel& model);
};

class CDlg_coll_area : public CDlg_coll_object {
public:
    enum : int { idEditPoints = 1064 };
    CDlg_coll_area(wxWindow* mainWindow, sitebars::ObjectEditorModel& model);
};

class CDlg_coll_skyline : public CDlg_coll_object {
public:
    enum : int { idEditPoints = 1183 };
    CDlg_coll_skyline(wxWindow* mainWindow, sitebars::ObjectEditorModel& model);
};

class CDlg_coll_hmap : public CDlg_coll_object {
public:
    CDlg_coll_hmap(wxWindow* mainWindow, sitebars::HeightMapEditorModel& model);

private:
    void showValues() override;

    sitebars::HeightMapEditorModel& brush_;
};
