// The program's main window with the real engine inside its view, under a
// display: the engine starts on the view's OpenGL context, frames run from
// the 1 ms timer, the view shows the engine's drawing (the backdrop colour
// from the settings file, the camera's name in the corner), and closing the
// window saves the settings.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/timer.h>

#include <filesystem>

#include "app/shell/CtolvaneBuilderDlg.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbOptions.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simGraphics.h"
#include "platform/gfx/direct3d.h"
#include "platform/ui/glViewCanvas.h"
#include "platform/ui/wxWindowSystem.h"
#include "tests/support/tempFolder.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

struct Rgb {
    int r, g, b;
};

Rgb pixel(const wxImage& image, int x, int y) { return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)}; }

TEST(MainWindow, RunsTheEngineInItsViewAndSavesTheSettingsOnClose) {
    ASSERT_TRUE(test::startWx());
    testsupport::TempFolder home;
    setenv("XDG_RUNTIME_DIR", home.path().c_str(), 1);
    std::filesystem::create_directories(home.file("TolvaneSim/Settings"));
    // A backdrop no default gives, so the picture shows the settings reached the view.
    home.write("TolvaneSim/Settings/tolvaneBuilderSettings.sim",
               "options = {backdropColour_r = 40, backdropColour_g = 90, backdropColour_b = 160, brushSize = 33}\n");
    simApplication::setProcessCommandLine(std::string(TOLVANE_SOURCE_DIR) + "/tolvaneBuilder -SETTINGSPATH \"" + home.path() + "\"");
    gfx::setDirect3DFactory(nullptr);
    systemLinks() = simSystemLinks{};
    simLinkEngineSystems(systemLinks());

    ui::WxWindowSystem windows;
    auto app = std::make_unique<CtolvaneBuilderApp>();
    ASSERT_TRUE(app->getStatusSuccess()) << app->getStatusReason();
    wxImage shot;
    {
        CtolvaneBuilderDlg dlg(*app, windows);
        wxTimer watcher;
        int waitedMs = 0;
        watcher.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            waitedMs += 10;
            if (dlg.framesDrawn() >= 20 || waitedMs > 30000) {
                // The view as the display server shows it.
                const wxRect rect = dlg.view()->GetScreenRect();
                wxBitmap bitmap(rect.width, rect.height);
                wxMemoryDC memory(bitmap);
                wxScreenDC screen;
                memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
                memory.SelectObject(wxNullBitmap);
                shot = bitmap.ConvertToImage();
                dlg.EndModal(wxID_OK);
            }
        });
        watcher.Start(10);
        dlg.ShowModal();
        watcher.Stop();
        ASSERT_TRUE(dlg.engineStarted());
        EXPECT_GE(dlg.framesDrawn(), 20) << "waited " << waitedMs << " ms";
        ASSERT_NE(g_graphics, nullptr);
        EXPECT_EQ(app->tools().brushSize(), 33.0f);
        app->tools().setBrushSize(44.0f, 0, 100);
        dlg.prepareEngineShutdown();
        app.reset();
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
    const std::string saved = home.read("TolvaneSim/Settings/tolvaneBuilderSettings.sim");
    EXPECT_NE(saved.find("options.brushSize = 44\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("options.backdropColour_b = 160\n"), std::string::npos);
    simApplication::useOwnCommandLine();
    systemLinks() = simSystemLinks{};
}

}  // namespace
