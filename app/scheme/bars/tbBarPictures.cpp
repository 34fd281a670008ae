#include "app/scheme/bars/tbBarPictures.h"

#include <wx/image.h>

#include "app/scheme/bars/CDlgFloodBarModel.h"
#include "app/shell/tbBarColours.h"

wxBitmap tbStripPicture(const simColour& main, const simColour& second, int width, int height) {
    if (width <= 0 || height <= 0) return wxBitmap();
    wxImage image(width, height);
    for (int x = 0; x < width; ++x) {
        const wxColour c = tbWxColour(bars::tbStripColour(main, second, x, width));
        for (int y = 0; y < height; ++y) image.SetRGB(x, y, c.Red(), c.Green(), c.Blue());
    }
    return wxBitmap(image);
}

wxBitmap tbFillTypePicture(bool gradient) {
    constexpr int kWidth = 20, kHeight = 14;
    wxImage image(kWidth, kHeight);
    for (int x = 0; x < kWidth; ++x) {
        const auto grey = static_cast<unsigned char>(gradient ? x * 255 / (kWidth - 1) : 96);
        for (int y = 0; y < kHeight; ++y) {
            const bool border = x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1;
            const unsigned char v = border ? 0 : grey;
            image.SetRGB(x, y, v, v, gradient || border ? v : 200);
        }
    }
    return wxBitmap(image);
}

wxBitmap tbDropArrowPicture() {
    constexpr int kSize = 12;
    wxImage image(kSize, kSize);
    image.SetRGB(wxRect(0, 0, kSize, kSize), 255, 255, 255);
    image.SetMaskColour(255, 255, 255);
    for (int row = 0; row < kSize / 2; ++row)
        for (int x = row; x < kSize - row; ++x) image.SetRGB(x, 3 + row, 0, 0, 0);
    return wxBitmap(image);
}

wxBitmap tbBitmapOf(const d3dx::Bitmap& picture) {
    if (picture.width == 0 || picture.height == 0) return wxBitmap();
    const int w = static_cast<int>(picture.width), h = static_cast<int>(picture.height);
    wxImage image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = picture.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            image.SetRGB(x, y, static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                         static_cast<unsigned char>(p));
        }
    return wxBitmap(image);
}
