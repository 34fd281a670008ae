#include "app/scheme/bars/CDlgStoreShape.h"

#include <wx/listbox.h>
#include <wx/textctrl.h>

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Stored shapes", {7, 7, 80, 8}},
    {CDlgStoreShape::idList, ControlKind::listBox, "", {7, 18, 174, 162}},
    {CDlgStoreShape::idName, ControlKind::edit, "", {7, 186, 174, 13}},
    {CDlgStoreShape::idStore, ControlKind::pushButton, "Store shape", {7, 208, 56, 16}},
    {CDlgStoreShape::idRestore, ControlKind::pushButton, "Restore shape", {66, 208, 56, 16}},
    {CDlgStoreShape::idDelete, ControlKind::pushButton, "Delete shape", {125, 208, 56, 16}},
};
constexpr ui::DialogTemplate kTemplate = {"Shape Manager", {188, 235}, kControls};

}  // namespace

CDlgStoreShape::CDlgStoreShape(wxWindow* mainWindow, const tbToolState& tools, tbToolSettingsBinding& binding,
                               bars::ShapeManagerModel::Operations operations)
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::captioned),
      binding_(binding),
      model_(tools, std::move(operations)) {
    control<wxTextCtrl>(idName)->ChangeValue(model_.name());
    refreshList();

    Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        model_.setName(control<wxTextCtrl>(idName)->GetValue().ToStdString(wxConvUTF8));
    }, idName);
    Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { lineSelected(); }, idList);
    Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
        lineSelected();
        model_.restoreShape();
    }, idList);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { model_.restoreShape(); }, idRestore);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.storeShape();
        refreshList();
    }, idStore);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        model_.deleteShape();
        refreshList();
    }, idDelete);
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (event.IsShown()) refreshList();
    });
    binding_.add(this);
}

CDlgStoreShape::~CDlgStoreShape() { binding_.remove(this); }

void CDlgStoreShape::lineSelected() {
    model_.lineSelected(control<wxListBox>(idList)->GetSelection());
    control<wxTextCtrl>(idName)->ChangeValue(wxString::FromUTF8(model_.name()));
}

void CDlgStoreShape::refreshList() {
    model_.refreshList();
    auto* list = control<wxListBox>(idList);
    list->Clear();
    for (const tbStoredShape* shape : model_.lines()) list->Append(wxString::FromUTF8(shape->name));
}
