// A plain control that shows one picture its owner draws into memory.
//
// Dialogs that paint parts of themselves (the colour picker's square, hue bar
// and swatch grid; previews) draw into an image buffer and hand it over here;
// painting is one blit of that picture, never pixel by pixel.
#pragma once

#include <wx/bitmap.h>
#include <wx/window.h>

namespace ui {

class ImageCanvas : public wxWindow {
public:
    ImageCanvas(wxWindow* parent, wxWindowID id);

    // Shows `picture` from the top-left corner; the rest stays the background.
    void setPicture(const wxBitmap& picture);
    const wxBitmap& picture() const { return picture_; }

private:
    void onPaint(wxPaintEvent&);

    wxBitmap picture_;
};

}  // namespace ui
