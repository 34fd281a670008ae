#include "platform/ui/imageCanvas.h"

#include <wx/dcbuffer.h>

namespace ui {

ImageCanvas::ImageCanvas(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &ImageCanvas::onPaint, this);
}

void ImageCanvas::setPicture(const wxBitmap& picture) {
    picture_ = picture;
    Refresh(false);
}

void ImageCanvas::onPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    if (picture_.IsOk()) dc.DrawBitmap(picture_, 0, 0);
}

}  // namespace ui
