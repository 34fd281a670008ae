// A colour swatch: a one-pixel black frame, a one-pixel white frame and the
// colour inside, painted by the control itself.
//
// A left click sends wxEVT_BUTTON with the control's id, so a dialog binds
// it like a button (every swatch of the program opens the colour picker).
#pragma once

#include <wx/colour.h>
#include <wx/window.h>

namespace ui {

class SwatchControl : public wxWindow {
public:
    SwatchControl(wxWindow* parent, wxWindowID id);

    // The colour inside the frames (its alpha is not shown).
    void setColour(const wxColour& colour);
    const wxColour& colour() const { return colour_; }

private:
    void onPaint(wxPaintEvent&);
    void onLeftDown(wxMouseEvent&);

    wxColour colour_ = *wxBLACK;
};

}  // namespace ui
