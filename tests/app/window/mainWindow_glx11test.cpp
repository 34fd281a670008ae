// The program's main window with the real engine inside its view, under a
// display: the engine starts on the view's OpenGL context, frames run from
// the 1 ms timer, the view shows the engine's drawing (the backdrop colour
// from the settings file, the camera's name in the corner), and closing the
// window saves the settings.
#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/imagpng.h>

#include <filesystem>

#include "app/shell/tbOptions.h"
#include "app/shell/tbToolbarHost.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "platform/ui/glViewCanvas.h"
#include "tests/app/window/mainWindowOnDisplay.h"

namespace {

struct Rgb {
    int r, g, b;
};

Rgb pixel(const wxImage& image, int x, int y) { return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)}; }

class MainWindow : public windowtest::MainWindowOnDisplay {};

TEST_F(MainWindow, RunsTheEngineInItsViewAndSavesTheSettingsOnClose) {
    // A backdrop no default gives, so the picture shows the settings reached the view.
    start("options = {backdropColour_r = 40, backdropColour_g = 90, backdropColour_b = 160, brushSize = 33}\n");
    if (HasFatalFailure()) return;
    wxImage shot;
    {
        CtolvaneBuilderDlg dlg(*app, windows);
        windowtest::ModalSteps steps;
        steps.periodMs = 10;
        steps.run(dlg, [&] {
            if (dlg.framesDrawn() < 20) return;
            // The view as the display server shows it.
            const wxRect rect = dlg.view()->GetScreenRect();
            wxBitmap bitmap(rect.width, rect.height);
            wxMemoryDC memory(bitmap);
            wxScreenDC screen;
            memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
            memory.SelectObject(wxNullBitmap);
            shot = bitmap.ConvertToImage();
            dlg.EndModal(wxID_OK);
        });
        EXPECT_EQ(steps.failure, "");
        ASSERT_TRUE(dlg.engineStarted());
        EXPECT_GE(dlg.framesDrawn(), 20) << "waited " << steps.waitedMs << " ms";
        ASSERT_NE(g_graphics, nullptr);
        EXPECT_EQ(app->tools().brushSize(), 33.0f);
        app->tools().setBrushSize(44.0f, 0, 100);
        shutDown(dlg);
    }
    ASSERT_TRUE(shot.IsOk());
    // Kept beside the test programs (build folder's bin/test-artefacts) to look at.
    const std::string artefact = "test-artefacts/mainWindow.png";
    std::filesystem::create_directories("test-artefacts");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    EXPECT_TRUE(shot.SaveFile(artefact, wxBITMAP_TYPE_PNG));

    // The backdrop fills the view.
    const Rgb centre = pixel(shot, shot.GetWidth() / 2, shot.GetHeight() / 2);
    EXPECT_NEAR(centre.r, 40, 2);
    EXPECT_NEAR(centre.g, 90, 2);
    EXPECT_NEAR(centre.b, 160, 2);
    // The camera's name is drawn in light text near the bottom-right corner.
    int light = 0;
    for (int y = shot.GetHeight() - 30; y < shot.GetHeight(); ++y)
        for (int x = shot.GetWidth() - 140; x < shot.GetWidth(); ++x)
            if (pixel(shot, x, y).r > 150 && pixel(shot, x, y).g > 150) ++light;
    EXPECT_GT(light, 20) << "no camera name in " << artefact;

    // Closing saved the settings the user left.
    const std::string saved = savedSettings();
    EXPECT_NE(saved.find("options.brushSize = 44\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("options.backdropColour_b = 160\n"), std::string::npos);
}

TEST_F(MainWindow, StripBarsAndTheStatusLineFitTheWindow) {
    start("options = {windowPos_x = 0, windowPos_y = 0, windowSize_x = 1024, windowSize_y = 768, maximised = 0}\n");
    if (HasFatalFailure()) return;
    {
        CtolvaneBuilderDlg dlg(*app, windows);
        const auto check = [&] {
            ASSERT_TRUE(dlg.engineStarted());
            wxWindow* bar = dlg.toolbars().window(tbBar::brushBar);
            ASSERT_NE(bar, nullptr);
            dlg.toolbars().show(tbBar::brushBar);
            const wxWindow* strip = dlg.FindWindow(CtolvaneBuilderDlg::idTopStrip);
            const auto expected = [&] {
                const wxRect s = strip->GetScreenRect();
                return wxRect(s.x, s.y, dlg.GetScreenRect().GetRight() + 1 - s.x - 4, 40);
            };
            // A bar on the strip spans the window less a small margin, at the
            // window's width now and after each change of it.
            for (const wxSize size : {wxSize(1024, 768), wxSize(800, 600), wxSize(1100, 700)}) {
                dlg.SetSize(size);
                const bool placed = test::pumpEventsUntil([&] { return bar->GetScreenRect() == expected(); }, 3000);
                EXPECT_TRUE(placed) << "window " << size.x << "x" << size.y << ": bar at "
                                    << bar->GetScreenRect().x << "," << bar->GetScreenRect().y << " "
                                    << bar->GetSize().x << "x" << bar->GetSize().y;
                if (size.x != 1024) continue;
                // At 1024 pixels every control of the bar lies inside it.
                const wxRect inside(wxPoint(0, 0), bar->GetClientSize());
                for (const wxWindow* control : bar->GetChildren())
                    EXPECT_TRUE(inside.Contains(control->GetRect())) << "control " << control->GetId();
            }
            // The status line shows its text whole inside its frame, inside
            // the window, at the last size and at the first.
            dlg.SetSize(1024, 768);
            test::pumpEventsUntil([&] { return bar->GetScreenRect() == expected(); }, 3000);
            const auto inWindow = [&](const wxWindow* w) {
                return wxRect(dlg.ScreenToClient(w->GetScreenPosition()), w->GetSize());
            };
            const wxWindow* status = dlg.FindWindow(CtolvaneBuilderDlg::idStatusLine);
            const wxRect line = inWindow(status);
            EXPECT_GE(line.height, status->GetBestSize().y);
            EXPECT_TRUE(inWindow(dlg.FindWindow(CtolvaneBuilderDlg::idBottomFrame)).Contains(line));
            EXPECT_TRUE(wxRect(dlg.GetClientSize()).Contains(line))
                << "status line at " << line.y << " height " << line.height << ", client height "
                << dlg.GetClientSize().y;
        };
        windowtest::ModalSteps steps;
        steps.periodMs = 10;
        steps.run(dlg, [&] {
            if (dlg.framesDrawn() < 5) return;
            check();
            dlg.EndModal(wxID_OK);
        });
        EXPECT_EQ(steps.failure, "");
        shutDown(dlg);
    }
}

}  // namespace
