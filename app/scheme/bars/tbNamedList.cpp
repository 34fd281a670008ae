#include "app/scheme/bars/tbNamedList.h"

#include <string>

#include <wx/combobox.h>

void tbFillNamedList(wxComboBox* list, std::span<const char* const> names) {
    for (const char* name : names) list->Append(name);
}

void tbSelectNamed(wxComboBox* list, std::span<const char* const> names, size_t index) {
    if (index < names.size()) list->SetSelection(list->FindString(names[index], true));
}

int tbNamedSelection(const wxComboBox* list, std::span<const char* const> names) {
    const std::string chosen = list->GetStringSelection().ToStdString();
    for (size_t i = 0; i < names.size(); ++i)
        if (chosen == names[i]) return static_cast<int>(i);
    return -1;
}
