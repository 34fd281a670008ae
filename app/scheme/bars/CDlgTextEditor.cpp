#include "app/scheme/bars/CDlgTextEditor.h"

#include <wx/combobox.h>
#include <wx/fontenum.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {-1, ControlKind::label, "Text:", {4, 8, 20, 8}},
    {CDlgTextEditor::idText, ControlKind::edit, "TEXT", {26, 6, 168, 13}},
    {-1, ControlKind::label, "Font:", {4, 27, 20, 8}},
    {CDlgTextEditor::idFont, ControlKind::sortedDropDownCombo, "", {26, 25, 104, 14}},
    {CDlgTextEditor::idBold, ControlKind::toggleButton, "Bold", {134, 24, 26, 16}},
    {CDlgTextEditor::idItalic, ControlKind::toggleButton, "Italic", {164, 24, 30, 16}},
};
constexpr ui::DialogTemplate kTemplate = {nullptr, {198, 46}, kControls};

std::vector<std::string> displayFaces() {
    std::vector<std::string> faces;
    for (const wxString& face : wxFontEnumerator::GetFacenames()) faces.push_back(face.ToStdString(wxConvUTF8));
    return faces;
}

}  // namespace

CDlgTextEditor::CDlgTextEditor(wxWindow* mainWindow, tbToolSettingsBinding& binding, tbBarTarget target,
                               bars::TextEditorModel::Operations operations)
    : ui::ToolWindow(mainWindow, kTemplate, ui::ToolWindowFrame::bare),
      model_(binding, std::move(target), std::move(operations)) {
    model_.setFaces(displayFaces());
    control<wxTextCtrl>(idText)->SetMaxLength(kMaxTextLength);
    showValues();

    Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        model_.textEdited(control<wxTextCtrl>(idText)->GetValue().ToStdString(wxConvUTF8));
    }, idText);
    Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        model_.faceSelected(control<wxComboBox>(idFont)->GetStringSelection().ToStdString(wxConvUTF8));
    }, idFont);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) {
        model_.boldToggled(control<wxToggleButton>(idBold)->GetValue());
    }, idBold);
    Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) {
        model_.italicToggled(control<wxToggleButton>(idItalic)->GetValue());
    }, idItalic);
    model_.setChangedListener([this] { showValues(); });
}

void CDlgTextEditor::showValues() {
    auto* faces = control<wxComboBox>(idFont);
    if (faces->GetCount() != model_.faces().size()) {
        faces->Clear();
        for (const std::string& face : model_.faces()) faces->Append(wxString::FromUTF8(face));
    }
    faces->SetSelection(faces->FindString(wxString::FromUTF8(model_.face()), true));
    auto* text = control<wxTextCtrl>(idText);
    if (text->GetValue().ToStdString(wxConvUTF8) != model_.text()) text->ChangeValue(wxString::FromUTF8(model_.text()));
    control<wxToggleButton>(idBold)->SetValue(model_.bold());
    control<wxToggleButton>(idItalic)->SetValue(model_.italic());
}
