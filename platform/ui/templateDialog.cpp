#include "platform/ui/templateDialog.h"

#include <wx/button.h>

namespace ui {

TemplateDialog::TemplateDialog(wxWindow* parent, const DialogTemplate& table, DialogKeys keys, long style,
                               int pixelHeight)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(table.caption ? table.caption : ""), wxDefaultPosition,
               wxDefaultSize, style),
      layout_(pixelHeight > 0 ? buildDialogControlsToHeight(this, table, pixelHeight)
                              : buildDialogControls(this, table)) {
    SetEscapeId(keys.cancelId);
    SetAffirmativeId(keys.defaultId);
    if (wxButton* button = control<wxButton>(keys.defaultId)) button->SetDefault();
    Centre();
}

void TemplateDialog::clickButton(int id) {
    wxWindow* button = FindWindow(id);
    if (!button) return;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

}  // namespace ui
