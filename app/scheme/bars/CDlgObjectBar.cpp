#include "app/scheme/bars/CDlgObjectBar.h"

#include <vector>

#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/renderer.h>
#include <wx/tglbtn.h>
#include <wx/treectrl.h>

#include "app/scheme/tbGeometryObject.h"

namespace {

using ui::ControlKind;
using Model = bars::ObjectBarModel;
using bars::ObjectPage;

constexpr ui::ControlTemplate kControls[] = {
    {Model::idEnabledPage, ControlKind::toggleButton, "Enabled", {4, 4, 62, 16}},
    {Model::idVisiblePage, ControlKind::toggleButton, "Visible", {68, 4, 62, 16}},
    {Model::idEnabledTree, ControlKind::treeView, "", {4, 24, 126, 168}},
    {Model::idVisibleTree, ControlKind::treeView, "", {4, 24, 126, 168}},
    {Model::idUntickAll, ControlKind::pushButton, "Disable all", {4, 196, 62, 16}},
    {Model::idTickAll, ControlKind::pushButton, "Enable all", {68, 196, 62, 16}},
    {Model::idPaintableOnly, ControlKind::checkBox, "Show paintable objects only", {4, 216, 126, 11}},
};
constexpr ui::DialogTemplate kTemplate = {"Objects", {134, 230}, kControls};

// State images of the trees' check boxes: 0 unticked, 1 ticked.
constexpr int kUnticked = 0, kTicked = 1;

wxImageList* checkBoxImages(wxWindow* window) {
    const wxSize size = wxRendererNative::Get().GetCheckBoxSize(window);
    auto* images = new wxImageList(size.x, size.y, true, 2);
    for (const int flags : {0, static_cast<int>(wxCONTROL_CHECKED)}) {
        wxBitmap bitmap(size.x, size.y);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        wxRendererNative::Get().DrawCheckBox(window, dc, wxRect(size), flags);
        dc.SelectObject(wxNullBitmap);
        images->Add(bitmap);
    }
    return images;
}

class ObjectItem : public wxTreeItemData {
public:
    explicit ObjectItem(tbGeometryObject* object) : object(object) {}
    tbGeometryObject* object;
};

tbGeometryObject* objectOf(wxTreeCtrl* tree, const wxTreeItemId& item) {
    auto* data = dynamic_cast<ObjectItem*>(tree->GetItemData(item));
    return data ? data->object : nullptr;
}

// The items of `parent`'s subtree that show: each child, and its children
// only while it is expanded.
void collectShown(wxTreeCtrl* tree, const wxTreeItemId& parent, std::vector<wxTreeItemId>& out) {
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = tree->GetFirstChild(parent, cookie); child.IsOk();
         child = tree->GetNextChild(parent, cookie)) {
        out.push_back(child);
        if (tree->IsExpanded(child)) collectShown(tree, child, out);
    }
}

}  // namespace

CDlgObjectBar::CDlgObjectBar(wxWindow* mainWindow, std::function<Objects*()> currentObjects, bool* paintableOnly,
                             tbToolSettingsBinding& binding)
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::captioned),
      currentObjects_(std::move(currentObjects)),
      binding_(binding) {
    for (const ObjectPage page : {ObjectPage::enabled, ObjectPage::visible}) {
        wxTreeCtrl* t = tree(page);
        t->AssignStateImageList(checkBoxImages(t));
        t->Bind(wxEVT_TREE_STATE_IMAGE_CLICK, [this, page](wxTreeEvent& event) {
            event.Veto();  // the bar flips the box itself, with the object's switch
            toggleItem(page, event.GetItem());
        });
        const int button = page == ObjectPage::enabled ? Model::idEnabledPage : Model::idVisiblePage;
        Bind(wxEVT_TOGGLEBUTTON, [this, page, button](wxCommandEvent&) {
            model_.pageClicked(page, control<wxToggleButton>(button)->GetValue());
            showPage();
        }, button);
    }
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { tickShownItems(false); }, Model::idUntickAll);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { tickShownItems(true); }, Model::idTickAll);
    auto* box = control<wxCheckBox>(Model::idPaintableOnly);
    box->SetValue(paintableOnly && *paintableOnly);
    Bind(wxEVT_CHECKBOX, [this, paintableOnly](wxCommandEvent&) {
        if (paintableOnly) *paintableOnly = control<wxCheckBox>(Model::idPaintableOnly)->GetValue();
    }, Model::idPaintableOnly);
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (event.IsShown()) fillObjectTrees();
    });
    showPage();
    binding_.add(this);
}

CDlgObjectBar::~CDlgObjectBar() { binding_.remove(this); }

wxTreeCtrl* CDlgObjectBar::tree(ObjectPage page) {
    return control<wxTreeCtrl>(page == ObjectPage::enabled ? Model::idEnabledTree : Model::idVisibleTree);
}

void CDlgObjectBar::showPage() {
    const bool enabled = model_.page() == ObjectPage::enabled;
    control<wxToggleButton>(Model::idEnabledPage)->SetValue(enabled);
    control<wxToggleButton>(Model::idVisiblePage)->SetValue(!enabled);
    tree(ObjectPage::enabled)->Show(enabled);
    tree(ObjectPage::visible)->Show(!enabled);
    FindWindow(Model::idUntickAll)->SetLabel(model_.untickCaption());
    FindWindow(Model::idTickAll)->SetLabel(model_.tickCaption());
}

void CDlgObjectBar::fillObjectTrees() {
    Objects* objects = currentObjects_ ? currentObjects_() : nullptr;
    const std::vector<bars::ObjectTreeRow> rows = objects ? Model::treeRows(*objects) : std::vector<bars::ObjectTreeRow>{};
    for (const ObjectPage page : {ObjectPage::enabled, ObjectPage::visible}) {
        wxTreeCtrl* t = tree(page);
        t->Freeze();
        t->DeleteAllItems();
        const wxTreeItemId root = t->AddRoot("");
        std::vector<wxTreeItemId> items;
        for (const bars::ObjectTreeRow& row : rows) {
            const wxTreeItemId parent = row.parent < 0 ? root : items[static_cast<size_t>(row.parent)];
            const wxTreeItemId item = t->AppendItem(parent, wxString::FromUTF8(row.object->name), -1, -1,
                                                    new ObjectItem(row.object));
            t->SetItemState(item, Model::ticked(*row.object, page) ? kTicked : kUnticked);
            items.push_back(item);
        }
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].hasChildren) t->Expand(items[i]);
        t->Thaw();
    }
    model_.showEnabledPage();
    showPage();
}

void CDlgObjectBar::toggleItem(ObjectPage page, const wxTreeItemId& item) {
    wxTreeCtrl* t = tree(page);
    tbGeometryObject* object = objectOf(t, item);
    if (!object) return;
    const bool ticked = t->GetItemState(item) != kTicked;
    t->SetItemState(item, ticked ? kTicked : kUnticked);
    Model::setTicked(*object, page, ticked);
}

void CDlgObjectBar::tickShownItems(bool ticked) {
    const ObjectPage page = model_.page();
    wxTreeCtrl* t = tree(page);
    if (!t->GetRootItem().IsOk()) return;
    std::vector<wxTreeItemId> shown;
    collectShown(t, t->GetRootItem(), shown);
    for (const wxTreeItemId& item : shown) {
        if (tbGeometryObject* object = objectOf(t, item)) {
            t->SetItemState(item, ticked ? kTicked : kUnticked);
            Model::setTicked(*object, page, ticked);
        }
    }
}
