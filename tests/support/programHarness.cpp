#include "tests/support/programHarness.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/goldenImage.h"
#include "tests/support/programEnvironment.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// xdotool matches names as extended regular expressions; the title is meant literally.
std::string prefixPattern(const std::string& text) {
    std::string pattern = "^";
    for (const char c : text) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

ProgramHarness::ProgramHarness(const std::string& name)
    : documents_(home_.file("Documents")),
      artefacts_(callingProgramFolder() + "/test-artefacts/" + name),
      environment_(programEnvironment(home_.path(), display_.name())) {
    std::error_code error;
    fs::remove_all(artefacts_, error);
    fs::create_directories(artefacts_, error);
}

ProgramHarness::~ProgramHarness() { program_.stop(); }

std::string ProgramHarness::programPath() { return builtProgramPath(); }

std::string ProgramHarness::settingsFile() const {
    return documents_ + "/TolvaneSim/Settings/tolvaneBuilderSettings.sim";
}

bool ProgramHarness::start(const std::vector<std::string>& arguments) {
    if (!display_.ready()) return false;
    ChildOptions options = environment_;
    options.outputFile = artefacts_ + "/program.log";
    std::vector<std::string> argv{programPath()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return program_.start(argv, options);
}

std::optional<int> ProgramHarness::waitForExit(int timeoutMs) { return program_.wait(timeoutMs); }

std::string ProgramHarness::log() const {
    std::ifstream in(artefacts_ + "/program.log", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::string> ProgramHarness::xdotool(const std::vector<std::string>& arguments) {
    if (!display_.ready()) return std::nullopt;
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ChildOptions options;
    options.environment = {{"DISPLAY", display_.name()}};
    const ToolResult result = runTool(argv, options);
    if (result.status != 0) return std::nullopt;
    return result.output;
}

unsigned long ProgramHarness::waitForWindow(const std::string& title, int timeoutMs) {
    unsigned long window = 0;
    waitUntil(
        [&] {
            // A program that ended shows no window; stop waiting at once.
            if (!program_.running()) return true;
            std::vector<std::string> search{"search", "--all", "--onlyvisible", "--pid", std::to_string(program_.pid())};
            if (!title.empty()) search.insert(search.end(), {"--name", prefixPattern(title)});
            const std::optional<std::string> found = xdotool(search);
            if (!found || found->empty()) return false;
            window = std::stoul(*found);
            return display_.windowRect(window).has_value();
        },
        timeoutMs);
    return window;
}

bool ProgramHarness::focus(unsigned long window) {
    const std::string id = std::to_string(window);
    return waitUntil(
        [&] {
            // GTK may hand the focus on to a window inside its top level.
            if (display_.topLevelOf(display_.focusedWindow()) == window) return true;
            xdotool({"windowfocus", id});
            return false;
        },
        10000);
}

bool ProgramHarness::key(const std::string& chord) { return xdotool({"key", "--delay", "50", chord}).has_value(); }
bool ProgramHarness::keyDown(const std::string& chord) { return xdotool({"keydown", chord}).has_value(); }
bool ProgramHarness::keyUp(const std::string& chord) { return xdotool({"keyup", chord}).has_value(); }
bool ProgramHarness::type(const std::string& text) { return xdotool({"type", "--delay", "50", text}).has_value(); }

bool ProgramHarness::moveTo(unsigned long window, int x, int y) {
    const std::optional<ScreenRect> rect = display_.windowRect(window);
    if (!rect) return false;
    return xdotool({"mousemove", "--sync", std::to_string(rect->x + x), std::to_string(rect->y + y)}).has_value();
}

bool ProgramHarness::click(unsigned long window, int x, int y, int button) {
    return moveTo(window, x, y) && xdotool({"click", std::to_string(button)}).has_value();
}

bool ProgramHarness::drag(unsigned long window, int fromX, int fromY, int toX, int toY, int button, int steps) {
    if (!moveTo(window, fromX, fromY) || !xdotool({"mousedown", std::to_string(button)})) return false;
    bool moved = true;
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps && moved; ++i) {
        // A few frames' time between moves, so each is seen on its own.
        pause(40);
        moved = moveTo(window, fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    }
    pause(40);
    return xdotool({"mouseup", std::to_string(button)}).has_value() && moved;
}

bool ProgramHarness::keep(const Picture& picture, const std::string& name) const {
    return !picture.empty() &&
           writePicture(picture.pixels, picture.width, picture.height, artefacts_ + "/" + name + ".png");
}

Picture ProgramHarness::screenshot(const std::string& name) {
    Picture picture = display_.capture();
    keep(picture, name);
    return picture;
}

Picture ProgramHarness::screenshot(unsigned long window, const std::string& name) {
    Picture picture = display_.capture(window);
    keep(picture, name);
    return picture;
}

bool ProgramHarness::waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (Clock::now() >= deadline) return false;
        pause(50);
    }
}

bool ProgramHarness::waitForFile(const std::string& path, int timeoutMs) {
    std::uintmax_t lastSize = static_cast<std::uintmax_t>(-1);
    return waitUntil(
        [&] {
            std::error_code error;
            const std::uintmax_t size = fs::file_size(path, error);
            if (error) return false;
            const bool settled = size == lastSize;
            lastSize = size;
            return settled;
        },
        timeoutMs);
}

}  // namespace testsupport
