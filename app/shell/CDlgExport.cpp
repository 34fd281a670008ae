#include "app/shell/CDlgExport.h"

#include <wx/listbox.h>
#include <wx/textctrl.h>

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kSchemeControls[] = {
    {-1, ControlKind::label, "Saved schemes:", {7, 7, 170, 8}},
    {CDlgExportScheme::idList, ControlKind::listBox, "", {7, 18, 170, 160}},
    {-1, ControlKind::label, "Enter a name for your paint scheme:", {7, 184, 170, 8}},
    {CDlgExportScheme::idName, ControlKind::edit, "", {7, 195, 170, 12}},
    {ExportNamesDialog::idExport, ControlKind::pushButton, "Export", {7, 228, 52, 16}},
    {ExportNamesDialog::idDelete, ControlKind::pushButton, "Delete", {66, 228, 52, 16}},
    {ExportNamesDialog::idCancel, ControlKind::pushButton, "Cancel", {125, 228, 52, 16}},
};
constexpr ui::DialogTemplate kSchemeTemplate = {"Export paint scheme", {184, 249}, kSchemeControls};

constexpr ui::ControlTemplate kSiteControls[] = {
    {-1, ControlKind::label, "Saved flying sites:", {7, 7, 170, 8}},
    {CDlgExportFlyingSite::idList, ControlKind::listBox, "", {7, 18, 170, 120}},
    {-1, ControlKind::label, "Enter filename", {7, 144, 170, 8}},
    {CDlgExportFlyingSite::idFileName, ControlKind::edit, "", {7, 155, 170, 12}},
    {-1, ControlKind::label, "Enter a name for your flying site", {7, 172, 170, 8}},
    {CDlgExportFlyingSite::idName, ControlKind::edit, "", {7, 183, 170, 12}},
    {-1, ControlKind::label, "Enter a description for your flying site", {7, 200, 170, 8}},
    {CDlgExportFlyingSite::idDescription, ControlKind::multiLineEdit, "", {7, 211, 170, 80}},
    {ExportNamesDialog::idDelete, ControlKind::pushButton, "Delete", {7, 306, 52, 16}},
    {ExportNamesDialog::idExport, ControlKind::pushButton, "Export", {66, 306, 52, 16}},
    {ExportNamesDialog::idCancel, ControlKind::pushButton, "Cancel", {125, 306, 52, 16}},
};
constexpr ui::DialogTemplate kSiteTemplate = {"Export flying site", {184, 331}, kSiteControls};

}  // namespace

ExportNamesDialog::ExportNamesDialog(wxWindow* parent, const ui::DialogTemplate& table, shell::ExportNamesModel model,
                                     int listId, int nameId, std::string* name)
    : ui::TemplateDialog(parent, table, {idExport, idCancel}),
      model_(std::move(model)),
      listId_(listId),
      nameId_(nameId),
      name_(name) {
    control<wxTextCtrl>(nameId_)->ChangeValue(wxString::FromUTF8(*name_));
    fillList();
    control<wxListBox>(listId_)->SetSelection(model_.firstStartingWith(*name_));
    Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { selectionToEdit(); }, listId_);
    Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
        selectionToEdit();
        onExport();
    }, listId_);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onExport(); }, idExport);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onDelete(); }, idDelete);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        name_->clear();
        EndModal(1);
    }, idCancel);
}

void ExportNamesDialog::fillList() {
    wxListBox* list = control<wxListBox>(listId_);
    list->Clear();
    for (const shell::ExportEntry& entry : model_.entries()) list->Append(wxString::FromUTF8(entry.text));
}

void ExportNamesDialog::selectionToEdit() {
    const int selected = control<wxListBox>(listId_)->GetSelection();
    if (selected < 0 || selected >= static_cast<int>(model_.entries().size())) return;
    control<wxTextCtrl>(nameId_)->ChangeValue(wxString::FromUTF8(model_.entries()[selected].text));
}

void ExportNamesDialog::onExport() {
    const std::string name = control<wxTextCtrl>(nameId_)->GetValue().utf8_string();
    if (!model_.acceptName(name)) return;
    storeResult(name);
    EndModal(1);
}

void ExportNamesDialog::onDelete() {
    if (!model_.deleteNamed(control<wxTextCtrl>(nameId_)->GetValue().utf8_string())) return;
    fillList();
    if (model_.entries().empty()) return;
    control<wxListBox>(listId_)->SetSelection(0);
    selectionToEdit();
}

CDlgExportScheme::CDlgExportScheme(std::string* name, const std::string& settingsFolder,
                                   const std::string& modelName, wxWindow* parent)
    : ExportNamesDialog(parent, kSchemeTemplate, shell::ExportNamesModel::scheme(settingsFolder, modelName), idList,
                        idName, name),
      name_(name) {}

void CDlgExportScheme::storeResult(const std::string& name) { *name_ = name; }

CDlgExportFlyingSite::CDlgExportFlyingSite(std::string* fileName, std::string* name, std::string* description,
                                           const std::string& settingsFolder, wxWindow* parent)
    : ExportNamesDialog(parent, kSiteTemplate, shell::ExportNamesModel::flyingSite(settingsFolder), idList,
                        idFileName, fileName),
      fileName_(fileName),
      name_(name),
      description_(description) {
    control<wxTextCtrl>(idName)->ChangeValue(wxString::FromUTF8(*name_));
    control<wxTextCtrl>(idDescription)->ChangeValue(wxString::FromUTF8(*description_));
}

void CDlgExportFlyingSite::storeResult(const std::string& fileName) {
    *fileName_ = fileName;
    *name_ = control<wxTextCtrl>(idName)->GetValue().utf8_string();
    *description_ = control<wxTextCtrl>(idDescription)->GetValue().utf8_string();
}
