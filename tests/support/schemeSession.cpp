#include "tests/support/schemeSession.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace testsupport {

namespace {

// The File button, first of the menu row at the window's top-left.
constexpr int kFileButtonX = 15;
constexpr int kFileButtonY = 12;

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

int pixelsOffBackdrop(const Picture& picture) {
    int off = 0;
    for (uint32_t y = picture.height / 3; y < picture.height * 2 / 3; ++y)
        for (uint32_t x = picture.width / 3; x < picture.width * 2 / 3; ++x)
            if (!near(rgbAt(picture, x, y), kSessionBackdrop)) ++off;
    return off;
}

void SchemeSession::writeSettings(const std::string& more) {
    const std::string settings = program_.settingsFile();
    std::filesystem::create_directories(std::filesystem::path(settings).parent_path());
    std::ofstream(settings) << "options = {backdropColour_r = " << int(kSessionBackdrop.r)
                            << ", backdropColour_g = " << int(kSessionBackdrop.g)
                            << ", backdropColour_b = " << int(kSessionBackdrop.b) << more << "}\n";
}

bool SchemeSession::start(const std::string& shotName) {
    if (!program_.start()) return false;
    window_ = program_.waitForWindow();
    if (!window_) return false;
    Picture shot;
    const bool drawn = ProgramHarness::waitUntil(
        [&] {
            shot = program_.display().capture(window_);
            return !shot.empty() && near(rgbAt(shot, shot.width / 2, shot.height / 2), kSessionBackdrop);
        },
        60000);
    program_.screenshot(window_, shotName);
    return drawn;
}

bool SchemeSession::fileMenu(const std::vector<std::string>& keys, const std::string& shotName) {
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
    pause(300);
    for (size_t i = 0; i < keys.size(); ++i) {
        // The menu as it stands before the last key chooses the item.
        if (i + 1 == keys.size()) program_.screenshot(shotName);
        if (!program_.key(keys[i])) return false;
        pause(150);
    }
    return true;
}

bool SchemeSession::newKestrelScheme(const std::string& shotPrefix) {
    if (!fileMenu({"Down", "Right", "Return"}, shotPrefix + "-fileNewMenu")) return false;
    answerSavePrompt("Select model", "Return", shotPrefix);
    const unsigned long picker = dialog("Select model");
    if (!picker) return false;
    // helicopters, fixedWing (opened), trainers (opened), kestrel.
    for (const char* key : {"Down", "Down", "Right", "Down", "Right", "Down"}) {
        if (!program_.key(key)) return false;
        pause(150);
    }
    program_.screenshot(picker, shotPrefix + "-modelPicked");
    return program_.key("Return") && waitClosed(picker) && waitForTitleWith("kestrel") &&
           waitGone("Importing new model");
}

bool SchemeSession::saveAs(const std::string& path, const std::string& shotPrefix) {
    return fileMenu({"Down", "Down", "Down", "Return"}, shotPrefix + "-fileSaveMenu") &&
           typeFileName("Save Project", path, shotPrefix + "-saveAs") && ProgramHarness::waitForFile(path, 60000) &&
           waitGone("Saving project");
}

bool SchemeSession::open(const std::string& path, const std::string& titlePart, const std::string& shotPrefix) {
    if (!fileMenu({"Down", "Down", "Right", "Return"}, shotPrefix + "-fileOpenMenu")) return false;
    answerSavePrompt("Open model scheme", "alt+n", shotPrefix);
    return typeFileName("Open model scheme", path, shotPrefix + "-open") && waitForTitleWith(titlePart) &&
           waitGone("Opening project");
}

void SchemeSession::answerSavePrompt(const std::string& nextTitle, const std::string& answer,
                                     const std::string& shotPrefix) {
    ProgramHarness::waitUntil(
        [&] {
            const auto prompt = program_.xdotool({"search", "--onlyvisible", "--name", "^Save current project$"});
            if (prompt && !prompt->empty() && program_.focus(std::stoul(*prompt))) {
                program_.screenshot(shotPrefix + "-savePrompt");
                program_.key(answer);
                return true;
            }
            const auto next = program_.xdotool({"search", "--onlyvisible", "--name", "^" + nextTitle + "$"});
            return next && !next->empty();
        },
        20000);
}

unsigned long SchemeSession::dialog(const std::string& title) {
    const unsigned long dialog = program_.waitForWindow(title, 30000);
    if (!dialog || !program_.focus(dialog)) return 0;
    // Let the dialog settle its own focus first.
    pause(300);
    return dialog;
}

bool SchemeSession::typeFileName(const std::string& title, const std::string& path, const std::string& shotName) {
    const unsigned long browser = dialog(title);
    if (!browser) return false;
    if (!program_.key("ctrl+a") || !program_.type(path)) return false;
    program_.screenshot(browser, shotName);
    return program_.key("Return") && waitClosed(browser);
}

bool SchemeSession::waitClosed(unsigned long dialog) {
    return ProgramHarness::waitUntil([&] { return !program_.display().windowRect(dialog); }, 30000);
}

bool SchemeSession::waitGone(const std::string& title) {
    const bool gone = ProgramHarness::waitUntil(
        [&] {
            const auto shown = program_.xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
            return !shown || shown->empty();
        },
        120000);
    pause(1000);
    return gone;
}

bool SchemeSession::showsModel(int emptyView, Picture& shot) {
    shot = program_.display().capture(window_);
    if (shot.empty() || pixelsOffBackdrop(shot) < emptyView + 2000) return false;
    int texture = 0;
    for (uint32_t y = 80; y < 300; ++y)
        for (uint32_t x = 2; x < 50; ++x) texture += !near(rgbAt(shot, x, y), kSessionBackdrop);
    return texture > 220 * 48 / 2;
}

std::string SchemeSession::title() {
    const auto name = program_.xdotool({"getwindowname", std::to_string(window_)});
    return name ? *name : "";
}

bool SchemeSession::waitForTitleWith(const std::string& part) {
    return ProgramHarness::waitUntil([&] { return title().find(part) != std::string::npos; }, 120000);
}

std::optional<int> SchemeSession::quit() {
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

}  // namespace testsupport
