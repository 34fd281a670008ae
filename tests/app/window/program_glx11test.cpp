// The built program end to end, as a user starts and leaves it: its main
// window shows the engine's drawing of the scene (the backdrop colour from
// the settings file, the camera's name in the corner), Shift+Esc quits it,
// and quitting writes the settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/programHarness.h"

namespace {

using testsupport::Picture;
using testsupport::ProgramHarness;
using testsupport::Rgb;
using testsupport::near;
using testsupport::rgbAt;

constexpr Rgb kBackdrop{40, 90, 160};

// Light pixels of the text in the bottom-right corner of the view, which
// spans the window's width between the menu row and the status line: rows
// whose left edge shows the backdrop are the view's.
int lightPixelsInCorner(const Picture& picture) {
    int light = 0;
    for (uint32_t y = picture.height - 120; y < picture.height; ++y) {
        if (!near(rgbAt(picture, 2, y), kBackdrop)) continue;
        for (uint32_t x = picture.width - 140; x < picture.width; ++x) {
            const Rgb colour = rgbAt(picture, x, y);
            if (colour.r > 150 && colour.g > 150 && colour.b > 150) ++light;
        }
    }
    return light;
}

TEST(Program, ShowsTheEnginesBackdropAndQuitsOnShiftEscapeWritingTheSettings) {
    ProgramHarness program("program");
    const std::string settings = program.settingsFile();
    std::filesystem::create_directories(std::filesystem::path(settings).parent_path());
    // A backdrop no default gives, so the picture shows the settings reached the engine.
    std::ofstream(settings) << "options = {backdropColour_r = 40, backdropColour_g = 90, backdropColour_b = 160, "
                               "brushSize = 33}\n";

    ASSERT_TRUE(program.start()) << "cannot start " << ProgramHarness::programPath();
    const unsigned long window = program.waitForWindow();
    ASSERT_NE(window, 0u) << program.log();

    // The first frames come once the engine has started inside the view.
    const Rgb backdrop = kBackdrop;
    Picture shot;
    const bool drawn = ProgramHarness::waitUntil(
        [&] {
            shot = program.display().capture(window);
            return !shot.empty() && near(rgbAt(shot, shot.width / 2, shot.height / 2), backdrop) &&
                   lightPixelsInCorner(shot) > 20;
        },
        60000);
    program.screenshot(window, "mainWindow");
    ASSERT_FALSE(shot.empty());
    ASSERT_TRUE(drawn) << "the view shows no backdrop with the camera's name; see " << program.artefacts()
                       << "/mainWindow.png\n"
                       << program.log();
    // The backdrop fills the view from edge to edge of the window.
    for (const auto& [x, y] : {std::pair{2u, shot.height / 2}, {shot.width - 3, shot.height / 2}}) {
        const Rgb colour = rgbAt(shot, x, y);
        EXPECT_TRUE(near(colour, backdrop)) << x << "," << y << ": " << colour.r << " " << colour.g << " " << colour.b;
    }

    ASSERT_TRUE(program.focus(window));
    // Esc let go of while Shift is still held, as a hand does it.
    ASSERT_TRUE(program.keyDown("shift"));
    ASSERT_TRUE(program.key("Escape"));
    ASSERT_TRUE(program.keyUp("shift"));
    const std::optional<int> status = program.waitForExit(60000);
    ASSERT_TRUE(status.has_value()) << "still running after Shift+Esc\n" << program.log();
    EXPECT_EQ(*status, 0) << program.log();

    // The settings were written back in the program's own form.
    std::ifstream in(settings);
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(saved.find("options.brushSize = 33\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("options.backdropColour_b = 160\n"), std::string::npos) << saved;
}

}  // namespace
