#include "platform/ui/swatchControl.h"

#include <wx/dcbuffer.h>

namespace ui {

SwatchControl::SwatchControl(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &SwatchControl::onPaint, this);
    Bind(wxEVT_LEFT_DOWN, &SwatchControl::onLeftDown, this);
}

void SwatchControl::setColour(const wxColour& colour) {
    colour_ = wxColour(colour.Red(), colour.Green(), colour.Blue());
    Refresh(false);
}

void SwatchControl::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.DrawRectangle(0, 0, size.x, size.y);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(1, 1, size.x - 2, size.y - 2);
    if (size.x - 4 < 1 || size.y - 4 < 1) return;
    dc.SetBrush(wxBrush(colour_));
    dc.DrawRectangle(2, 2, size.x - 4, size.y - 4);
}

void SwatchControl::onLeftDown(wxMouseEvent& event) {
    wxCommandEvent click(wxEVT_BUTTON, GetId());
    click.SetEventObject(this);
    ProcessWindowEvent(click);
    event.Skip();
}

}  // namespace ui
