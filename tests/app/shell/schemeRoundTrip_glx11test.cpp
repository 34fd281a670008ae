// A model scheme's round trip through the built program, as a user makes
// one: New model scheme on a bundled aircraft from the File menu and the
// model picker, Save to a path typed into the file browser, quit; start the
// program again, Open the saved file, and see its name in the title and the
// model in the view. Every step leaves a screenshot among the artefacts.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "tests/support/programHarness.h"

namespace {

using testsupport::Picture;
using testsupport::ProgramHarness;
using testsupport::Rgb;
using testsupport::near;
using testsupport::rgbAt;

constexpr Rgb kBackdrop{40, 90, 160};

// The File button, first of the menu row at the window's top-left.
constexpr int kFileButtonX = 15;
constexpr int kFileButtonY = 12;

// Pixels of the view's middle (a third of the window each way) that are not
// the backdrop: the model drawn over it.
int pixelsOffBackdrop(const Picture& picture) {
    int off = 0;
    for (uint32_t y = picture.height / 3; y < picture.height * 2 / 3; ++y)
        for (uint32_t x = picture.width / 3; x < picture.width * 2 / 3; ++x)
            if (!near(rgbAt(picture, x, y), kBackdrop)) ++off;
    return off;
}

class SchemeRoundTrip {
public:
    explicit SchemeRoundTrip(ProgramHarness& program) : program_(program) {}

    // Starts the program and waits until the engine draws the backdrop.
    bool start(const std::string& shotName) {
        if (!program_.start()) return false;
        window_ = program_.waitForWindow();
        if (!window_) return false;
        Picture shot;
        const bool drawn = ProgramHarness::waitUntil(
            [&] {
                shot = program_.display().capture(window_);
                return !shot.empty() && near(rgbAt(shot, shot.width / 2, shot.height / 2), kBackdrop);
            },
            60000);
        program_.screenshot(window_, shotName);
        return drawn;
    }

    // Pops up the File menu with its button, then walks it with the keys
    // (xdotool names, one after another) once it shows.
    bool fileMenu(const std::vector<std::string>& keys, const std::string& shotName) {
        if (!program_.focus(window_)) return false;
        const Picture before = program_.display().capture();
        if (!program_.click(window_, kFileButtonX, kFileButtonY)) return false;
        // The pop-up opens below the button, over the view.
        const bool shown = ProgramHarness::waitUntil(
            [&] {
                const Picture now = program_.display().capture();
                if (now.empty() || now.width != before.width || now.height != before.height) return false;
                int changed = 0;
                for (uint32_t y = 30; y < 120; ++y)
                    for (uint32_t x = 0; x < 200; ++x) changed += now.at(x, y) != before.at(x, y);
                return changed > 500;
            },
            20000);
        if (!shown) return false;
        // GTK takes keys in a pop-up only once it has grabbed the keyboard.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (size_t i = 0; i < keys.size(); ++i) {
            // The menu as it stands before the last key chooses the item.
            if (i + 1 == keys.size()) program_.screenshot(shotName);
            if (!program_.key(keys[i])) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        return true;
    }

    // Waits for a dialog by its title and gives it the keyboard.
    unsigned long dialog(const std::string& title) {
        const unsigned long dialog = program_.waitForWindow(title, 30000);
        if (!dialog || !program_.focus(dialog)) return 0;
        // Let the dialog settle its own focus first.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return dialog;
    }

    // Replaces the file browser's name box with `path` and confirms it.
    bool typeFileName(const std::string& title, const std::string& path, const std::string& shotName) {
        const unsigned long browser = dialog(title);
        if (!browser) return false;
        if (!program_.key("ctrl+a") || !program_.type(path)) return false;
        program_.screenshot(browser, shotName);
        return program_.key("Return") && waitClosed(browser);
    }

    bool waitClosed(unsigned long dialog) {
        return ProgramHarness::waitUntil([&] { return !program_.display().windowRect(dialog); }, 30000);
    }

    // Waits until no window titled `title` shows (the progress box of a
    // step), then gives the view a moment to draw over where it was: the
    // screen keeps a closed window's pixels until the next frame.
    bool waitGone(const std::string& title) {
        const bool gone = ProgramHarness::waitUntil(
            [&] {
                const auto shown = program_.xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
                return !shown || shown->empty();
            },
            120000);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        return gone;
    }

    // The model in the view: the middle of the view away from the backdrop,
    // and the texture view in the view's top-left corner (a strip at the
    // window's left edge that only a scheme draws on).
    bool showsModel(int emptyView, Picture& shot) {
        shot = program_.display().capture(window_);
        if (shot.empty() || pixelsOffBackdrop(shot) < emptyView + 2000) return false;
        int texture = 0;
        for (uint32_t y = 80; y < 300; ++y)
            for (uint32_t x = 2; x < 50; ++x) texture += !near(rgbAt(shot, x, y), kBackdrop);
        return texture > 220 * 48 / 2;
    }

    std::string title() {
        const auto name = program_.xdotool({"getwindowname", std::to_string(window_)});
        return name ? *name : "";
    }

    bool waitForTitleWith(const std::string& part) {
        return ProgramHarness::waitUntil([&] { return title().find(part) != std::string::npos; }, 120000);
    }

    // Shift+Esc, with Shift held until Esc is let go of; a save prompt, should
    // one come, is answered with its default (Yes: save where the file came from).
    std::optional<int> quit() {
        if (!program_.focus(window_)) return std::nullopt;
        program_.keyDown("shift");
        program_.key("Escape");
        program_.keyUp("shift");
        for (int waited = 0; waited < 60000; waited += 500) {
            if (const std::optional<int> status = program_.waitForExit(500)) return status;
            const auto prompt = program_.xdotool({"search", "--onlyvisible", "--name", "^Save current project$"});
            if (prompt && !prompt->empty() && program_.focus(std::stoul(*prompt))) program_.key("Return");
        }
        return std::nullopt;
    }

    unsigned long window() const { return window_; }

private:
    ProgramHarness& program_;
    unsigned long window_ = 0;
};

TEST(Program, SavesANewModelSchemeAndOpensItAgain) {
    ProgramHarness program("schemeRoundTrip");
    const std::string settings = program.settingsFile();
    std::filesystem::create_directories(std::filesystem::path(settings).parent_path());
    std::ofstream(settings) << "options = {backdropColour_r = 40, backdropColour_g = 90, backdropColour_b = 160}\n";
    const std::string saved = program.documents() + "/roundTrip.tvp";
    SchemeRoundTrip run(program);

    // New model scheme on the bundled trainer.
    ASSERT_TRUE(run.start("1-started")) << "no window with the backdrop\n" << program.log();
    ASSERT_TRUE(run.fileMenu({"Down", "Right", "Return"}, "2-fileNewMenu")) << program.log();
    const unsigned long picker = run.dialog("Select model");
    ASSERT_NE(picker, 0u) << "no model picker\n" << program.log();
    // helicopters, fixedWing (opened), trainers (opened), kestrel.
    for (const char* key : {"Down", "Down", "Right", "Down", "Right", "Down"}) {
        ASSERT_TRUE(program.key(key));
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    program.screenshot(picker, "3-modelPicked");
    ASSERT_TRUE(program.key("Return"));
    ASSERT_TRUE(run.waitClosed(picker)) << program.log();
    ASSERT_TRUE(run.waitForTitleWith("kestrel")) << "title: " << run.title() << "\n" << program.log();
    ASSERT_TRUE(run.waitGone("Importing new model"));
    Picture made;
    EXPECT_TRUE(ProgramHarness::waitUntil([&] { return run.showsModel(0, made); }, 60000))
        << "the view shows no model; see " << program.artefacts() << "/4-newScheme.png";
    program.screenshot(run.window(), "4-newScheme");

    // Save to a path typed into the browser.
    ASSERT_TRUE(run.fileMenu({"Down", "Down", "Down", "Return"}, "5-fileSaveMenu")) << program.log();
    ASSERT_TRUE(run.typeFileName("Save Project", saved, "6-saveAs")) << program.log();
    ASSERT_TRUE(ProgramHarness::waitForFile(saved, 60000)) << program.log();
    EXPECT_GT(std::filesystem::file_size(saved), 0u);
    ASSERT_TRUE(run.waitForTitleWith("roundTrip")) << "title: " << run.title();
    run.waitGone("Saving project");
    program.screenshot(run.window(), "7-saved");

    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << "still running after Shift+Esc\n" << program.log();
    EXPECT_EQ(*first, 0) << program.log();

    // Open it again in a new run, which writes its own program.log: the first one is kept beside it.
    std::filesystem::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log");
    ASSERT_TRUE(run.start("8-startedAgain")) << "no window with the backdrop\n" << program.log();
    const int emptyView = pixelsOffBackdrop(program.display().capture(run.window()));
    ASSERT_TRUE(run.fileMenu({"Down", "Down", "Right", "Return"}, "9-fileOpenMenu")) << program.log();
    ASSERT_TRUE(run.typeFileName("Open model scheme", saved, "10-open")) << program.log();
    ASSERT_TRUE(run.waitForTitleWith("roundTrip")) << "title: " << run.title() << "\n" << program.log();
    ASSERT_TRUE(run.waitGone("Opening project"));
    Picture opened;
    const bool modelShown = ProgramHarness::waitUntil([&] { return run.showsModel(emptyView, opened); }, 60000);
    program.screenshot(run.window(), "11-opened");
    EXPECT_TRUE(modelShown) << "the view shows no model; see " << program.artefacts() << "/11-opened.png";

    const std::optional<int> second = run.quit();
    ASSERT_TRUE(second.has_value()) << "still running after Shift+Esc\n" << program.log();
    EXPECT_EQ(*second, 0) << program.log();
}

}  // namespace
