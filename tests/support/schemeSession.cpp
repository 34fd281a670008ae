#include "tests/support/schemeSession.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace testsupport {

namespace {

// The File button, first of the menu row at the window's top-left.
constexpr int kFileButtonX = 15;
constexpr int kFileButtonY = 12;

// The colour picker's size and its OK button and colour boxes.
constexpr DialogUnits kPicker{0, 0, 107, 232};
constexpr DialogUnits kPickerOk{4, 3, 49, 16};
constexpr int kPickerBoxX[3] = {5, 28, 51};
constexpr int kPickerBoxY = 136, kPickerBoxWidth = 22, kPickerBoxHeight = 12;

// A strip bar's height in dialog units.
constexpr double kStripBarUnits = 27.0;

bool clickScaled(ProgramHarness& program, unsigned long window, double sx, double sy, DialogUnits at) {
    return program.click(window, int((at.x + at.width / 2.0) * sx), int((at.y + at.height / 2.0) * sy));
}

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

unsigned long SchemeSession::stripBar(unsigned long other) {
    unsigned long found = 0;
    ProgramHarness::waitUntil(
        [&] {
            const auto listed = program_.xdotool({"search", "--onlyvisible", "--class", "."});
            if (!listed) return false;
            std::istringstream ids(*listed);
            for (unsigned long id; ids >> id;) {
                const auto rect = program_.display().windowRect(id);
                if (id != window_ && id != other && rect && rect->y < 100 && rect->height < 100 && rect->width > 600) {
                    found = id;
                    return true;
                }
            }
            return false;
        },
        10000);
    return found;
}

bool SchemeSession::clickControl(unsigned long window, DialogUnits size, DialogUnits at) {
    const auto rect = program_.display().windowRect(window);
    return rect && clickScaled(program_, window, double(rect->width) / size.width,
                               double(rect->height) / size.height, at);
}

bool SchemeSession::clickStripControl(unsigned long bar, DialogUnits at) {
    const auto rect = program_.display().windowRect(bar);
    return rect && clickScaled(program_, bar, rect->height / kStripBarUnits, rect->height / kStripBarUnits, at);
}

bool SchemeSession::clickView(int x, int y) { return program_.focus(window_) && program_.click(window_, x, y); }

bool SchemeSession::dragView(int fromX, int fromY, int toX, int toY, int steps) {
    return program_.focus(window_) && program_.drag(window_, fromX, fromY, toX, toY, 1, steps);
}

bool SchemeSession::pickColour(const Rgb& colour, const std::string& shotName) {
    const unsigned long picker = dialog("Colour Picker");
    if (!picker) return false;
    const int value[3] = {colour.r, colour.g, colour.b};
    for (int i = 0; i < 3; ++i) {
        if (!clickControl(picker, kPicker, {kPickerBoxX[i], kPickerBoxY, kPickerBoxWidth, kPickerBoxHeight}) ||
            !program_.key("ctrl+a") || !program_.type(std::to_string(value[i])))
            return false;
    }
    program_.screenshot(picker, shotName);
    return clickControl(picker, kPicker, kPickerOk) && waitClosed(picker);
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
