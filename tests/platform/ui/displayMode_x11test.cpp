// The display a window is on, in device pixels: what the program's OpenGL
// adapter reports as its desktop, so views as large as the screen are kept.
#include <gtest/gtest.h>
#include <wx/display.h>
#include <wx/frame.h>

#include "platform/ui/displayMode.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

TEST(DisplayMode, IsTheScreenOfTheWindowInDevicePixels) {
    ASSERT_TRUE(test::startWx());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "display", wxPoint(20, 20), wxSize(200, 150));
    frame->Show();
    ASSERT_TRUE(test::pumpEventsUntil([&] { return frame->IsShownOnScreen(); }));

    const gfx::D3DDISPLAYMODE mode = ui::displayModeOf(*frame);
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const double scale = frame->GetContentScaleFactor();
    EXPECT_GT(screen.width, 0);
    EXPECT_EQ(mode.Width, static_cast<std::uint32_t>(screen.width * scale));
    EXPECT_EQ(mode.Height, static_cast<std::uint32_t>(screen.height * scale));
    frame->Destroy();
    test::pumpEventsUntil([] { return false; }, 50);
}

}  // namespace
