#include "tests/support/ui/screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unordered_set>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <wx/window.h>

#include "tests/support/ui/wxTestApp.h"

namespace test {

wxImage captureWindow(wxWindow* window) {
    // A window just mapped is painted at GTK's next frame; give it a few.
    pumpEventsUntil([window] { return window->IsShownOnScreen(); });
    window->Refresh();
    window->Update();
    pumpEventsUntil([] { return false; }, 300);
    // Read from the X server itself: wx's screen device context keeps the
    // first picture it read.
    const wxSize size = window->GetClientSize();
    const wxPoint origin = window->ClientToScreen(wxPoint(0, 0));
    Display* display = XOpenDisplay(nullptr);
    if (!display || size.x <= 0 || size.y <= 0) {
        if (display) XCloseDisplay(display);
        return wxImage();
    }
    XImage* pixels = XGetImage(display, DefaultRootWindow(display), origin.x, origin.y, size.x, size.y, AllPlanes,
                               ZPixmap);
    wxImage picture;
    if (pixels) {
        picture.Create(size.x, size.y);
        for (int y = 0; y < size.y; ++y) {
            for (int x = 0; x < size.x; ++x) {
                const unsigned long p = XGetPixel(pixels, x, y);
                picture.SetRGB(x, y, (p >> 16) & 255, (p >> 8) & 255, p & 255);
            }
        }
        XDestroyImage(pixels);
    }
    XCloseDisplay(display);
    return picture;
}

bool keepScreenshot(const wxImage& picture, const std::string& name) {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler());
    std::error_code error;
    std::filesystem::create_directories("screenshots", error);
    return picture.SaveFile(wxString::FromUTF8("screenshots/" + name + ".png"), wxBITMAP_TYPE_PNG);
}

int distinctColours(const wxImage& picture) {
    std::unordered_set<uint32_t> colours;
    const unsigned char* p = picture.GetData();
    const size_t count = static_cast<size_t>(picture.GetWidth()) * picture.GetHeight();
    for (size_t i = 0; i < count; ++i, p += 3) colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
    return static_cast<int>(colours.size());
}

wxImage showAndPhotograph(wxWindow* window, const std::string& name) {
    window->Show();
    pumpEventsUntil([window] { return window->IsShownOnScreen(); });
    pumpEventsUntil([] { return false; }, 150);
    const wxImage shot = captureWindow(window);
    EXPECT_TRUE(shot.IsOk()) << name << " " << window->GetSize().x << "x" << window->GetSize().y;
    EXPECT_TRUE(keepScreenshot(shot, name));
    EXPECT_GE(distinctColours(shot), 4) << name;
    return shot;
}

}  // namespace test
