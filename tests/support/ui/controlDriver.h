// Driving a dialog's controls as a user would: each change is made on the
// control and then its event is sent, as the toolkit does for a click, a
// choice or a slide.
#pragma once

#include <string>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

namespace test {

// A push-like button flips, then reports the click.
inline void toggle(wxToggleButton* button) {
    button->SetValue(!button->GetValue());
    wxCommandEvent event(wxEVT_TOGGLEBUTTON, button->GetId());
    event.SetEventObject(button);
    event.SetInt(button->GetValue());
    button->GetEventHandler()->ProcessEvent(event);
}

inline void check(wxCheckBox* box, bool checked) {
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(checked);
    box->GetEventHandler()->ProcessEvent(event);
}

inline void choose(wxComboBox* list, const std::string& entry) {
    list->SetStringSelection(entry);
    wxCommandEvent event(wxEVT_COMBOBOX, list->GetId());
    event.SetEventObject(list);
    event.SetInt(list->GetSelection());
    list->GetEventHandler()->ProcessEvent(event);
}

inline void slide(wxSlider* slider, int position) {
    slider->SetValue(position);
    wxCommandEvent event(wxEVT_SLIDER, slider->GetId());
    event.SetEventObject(slider);
    event.SetInt(position);
    slider->GetEventHandler()->ProcessEvent(event);
}

// Typed into an edit: its text changes as typing does.
inline void type(wxTextCtrl* edit, const std::string& text) { edit->SetValue(text); }

// The edit loses the keyboard focus, as when the user tabs away.
inline void leave(wxTextCtrl* edit) {
    wxFocusEvent event(wxEVT_KILL_FOCUS, edit->GetId());
    event.SetEventObject(edit);
    edit->GetEventHandler()->ProcessEvent(event);
}

}  // namespace test
