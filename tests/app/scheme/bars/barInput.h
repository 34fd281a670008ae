// Driving a bar's controls as a user does, for the bars' window tests: each
// control changes as a click or a choice changes it and then reports it.
#pragma once

#include <string>

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/tglbtn.h>

#include "tests/support/ui/screenshot.h"
#include "tests/support/ui/wxTestApp.h"

namespace test {

// A push-like button clicked: it flips, then reports the click.
inline void toggle(wxToggleButton* button) {
    button->SetValue(!button->GetValue());
    wxCommandEvent event(wxEVT_TOGGLEBUTTON, button->GetId());
    event.SetEventObject(button);
    event.SetInt(button->GetValue());
    button->GetEventHandler()->ProcessEvent(event);
}

inline void choose(wxComboBox* list, const std::string& entry) {
    list->SetStringSelection(entry);
    wxCommandEvent event(wxEVT_COMBOBOX, list->GetId());
    event.SetEventObject(list);
    event.SetInt(list->GetSelection());
    list->GetEventHandler()->ProcessEvent(event);
}

// A list line clicked once, or twice (a double click).
inline void chooseLine(wxListBox* list, int line, bool doubleClick = false) {
    list->SetSelection(line);
    wxCommandEvent event(doubleClick ? wxEVT_LISTBOX_DCLICK : wxEVT_LISTBOX, list->GetId());
    event.SetEventObject(list);
    event.SetInt(line);
    list->GetEventHandler()->ProcessEvent(event);
}

// Shows a bar, waits until it is on screen and keeps a photograph of it,
// which must hold more than a blank window's few colours.
inline wxImage showAndPhotograph(wxWindow* bar, const std::string& name) {
    bar->Show();
    pumpEventsUntil([bar] { return bar->IsShownOnScreen(); });
    pumpEventsUntil([] { return false; }, 150);
    const wxImage shot = captureWindow(bar);
    EXPECT_TRUE(shot.IsOk()) << name;
    EXPECT_TRUE(keepScreenshot(shot, name));
    EXPECT_GE(distinctColours(shot), 4) << name;
    return shot;
}

}  // namespace test
