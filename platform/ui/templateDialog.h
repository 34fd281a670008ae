// A dialog made from a control table (dialogTemplate.h): the base of the
// program's modal dialogs and, through ToolWindow, of its tool bars.
//
// Esc clicks the table's cancel button and Enter the default button, as the
// dialogs' OK and Cancel operations did; a dialog whose table has neither
// (the progress box) ignores both keys.
#pragma once

#include <wx/dialog.h>

#include "platform/ui/dialogTemplate.h"

namespace ui {

struct DialogKeys {
    int defaultId = wxID_NONE;  // the button Enter clicks
    int cancelId = wxID_NONE;   // the button Esc clicks
};

class TemplateDialog : public wxDialog {
public:
    // `pixelHeight` 0 lays the table out by its font's dialog units;
    // otherwise it is fitted to that height (buildDialogControlsToHeight).
    TemplateDialog(wxWindow* parent, const DialogTemplate& table, DialogKeys keys = {},
                   long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, int pixelHeight = 0);

    // The control with `id` as a T (null when missing or of another class).
    template <class T>
    T* control(int id) {
        return findControl<T>(this, id);
    }

    const DialogLayout& layout() const { return layout_; }

    // Clicks the button `id` as the user would: sends its wxEVT_BUTTON.
    void clickButton(int id);

private:
    DialogLayout layout_;
};

}  // namespace ui
