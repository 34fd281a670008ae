// Driving a bar's controls as a user does, for the bars' window tests: each
// control changes as a click or a choice changes it and then reports it.
#pragma once

#include <string>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/statbox.h>
#include <wx/tglbtn.h>

#include "tests/support/ui/controlDriver.h"
#include "tests/support/ui/screenshot.h"
#include "tests/support/ui/wxTestApp.h"

namespace test {

// A list line clicked once, or twice (a double click).
inline void chooseLine(wxListBox* list, int line, bool doubleClick = false) {
    list->SetSelection(line);
    wxCommandEvent event(doubleClick ? wxEVT_LISTBOX_DCLICK : wxEVT_LISTBOX, list->GetId());
    event.SetEventObject(list);
    event.SetInt(line);
    list->GetEventHandler()->ProcessEvent(event);
}

// Every caption of a bar reads whole: each button and label with a caption,
// and each list with its longest entry, is at least as wide as the toolkit
// needs to draw it (the strip bars are laid out from their tables at the
// strip's scale, whatever the captions' widths).
inline void expectCaptionsFit(wxWindow* bar, const std::string& name) {
    for (wxWindow* child : bar->GetChildren()) {
        auto* control = dynamic_cast<wxControl*>(child);
        if (!control || !control->IsShown()) continue;
        const bool list = dynamic_cast<wxComboBox*>(control) != nullptr;
        if (!list && control->GetLabel().empty()) continue;
        if (dynamic_cast<wxStaticBox*>(control)) continue;
        int needed = control->GetBestSize().x;
        if (dynamic_cast<wxButton*>(control) && !dynamic_cast<wxToggleButton*>(control)) {
            // A push button's best width has the toolkit's default width as
            // its least; what its caption needs is an exactly fitted one's.
            auto* fitted = new wxButton(bar, wxID_ANY, control->GetLabel(), wxDefaultPosition, wxDefaultSize,
                                        wxBU_EXACTFIT);
            fitted->SetFont(control->GetFont());
            needed = fitted->GetBestSize().x;
            fitted->Destroy();
        }
        const int given = control->GetSize().x;
        EXPECT_GE(given, needed) << name << ": \"" << control->GetLabel() << "\" (id " << control->GetId()
                                 << ") needs " << needed << " pixels";
    }
}

}  // namespace test
