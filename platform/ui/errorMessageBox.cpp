#include "platform/ui/errorMessageBox.h"

#include <wx/msgdlg.h>

namespace ui {

void showErrorMessageBox(const std::string& text, const std::string& title) {
    // No parent: the box blocks the whole program, like a task-modal box.
    wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(title), wxOK | wxICON_ERROR);
}

}  // namespace ui
