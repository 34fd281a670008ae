#include "app/site/bars/tbSiteBarControls.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "platform/ui/templateDialog.h"

namespace sitebars {

void showChecked(ui::TemplateDialog& bar, int id, bool checked) {
    if (auto* toggle = bar.control<wxToggleButton>(id))
        toggle->SetValue(checked);
    else if (auto* check = bar.control<wxCheckBox>(id))
        check->SetValue(checked);
}

void showText(ui::TemplateDialog& bar, int id, const std::string& text) {
    auto* box = bar.control<wxTextCtrl>(id);
    if (box && box->GetValue().utf8_string() != text) box->ChangeValue(wxString::FromUTF8(text));
}

void showChoices(ui::TemplateDialog& bar, int id, const std::vector<std::string>& names, int selection) {
    auto* list = bar.control<wxComboBox>(id);
    if (!list) return;
    bool same = list->GetCount() == names.size();
    for (size_t i = 0; same && i < names.size(); ++i) same = list->GetString(unsigned(i)).utf8_string() == names[i];
    if (!same) {
        list->Clear();
        for (const std::string& name : names) list->Append(wxString::FromUTF8(name));
    }
    list->SetSelection(selection >= 0 && size_t(selection) < names.size() ? selection : wxNOT_FOUND);
}

void showSlider(ui::TemplateDialog& bar, int id, int position) {
    if (auto* slider = bar.control<wxSlider>(id); slider && slider->GetValue() != position) slider->SetValue(position);
}

bool isOneOfEdits(const wxWindow& control, std::span<const int> ids) {
    if (!dynamic_cast<const wxTextCtrl*>(&control)) return false;
    for (int id : ids)
        if (control.GetId() == id) return true;
    return false;
}

std::string textOf(ui::TemplateDialog& bar, int id) {
    if (auto* box = bar.control<wxTextCtrl>(id)) return box->GetValue().utf8_string();
    if (auto* list = bar.control<wxComboBox>(id)) return list->GetStringSelection().utf8_string();
    return {};
}

}  // namespace sitebars
