// The built program, run end to end as a user runs it: started on a display
// of the test's own (VirtualDisplay), driven with xdotool (keys, typing,
// clicks, drags, the wheel), looked at through screenshots kept as test
// artefacts, and checked by the files it writes and how it ends.
//
//   testsupport::ProgramHarness program("myTest");
//   ASSERT_TRUE(program.start()) << program.log();
//   const unsigned long window = program.waitForWindow();
//   ASSERT_TRUE(window && program.focus(window));
//   program.key("alt+f");                      // xdotool key names
//   program.click(window, 400, 300);           // window coordinates
//   testsupport::Picture shot = program.screenshot(window, "afterClick");
//   program.keyDown("shift");                 // Shift+Esc, Esc let go of first
//   program.key("Escape");
//   program.keyUp("shift");
//   EXPECT_EQ(program.waitForExit(), 0);
//   EXPECT_TRUE(program.waitForFile(program.settingsFile()));
//
// Each harness gives the program a fresh home folder (HOME and the XDG
// folders, so its settings, documents and single-instance lock are its own),
// the test's environment otherwise (GDK_BACKEND=x11, software GL, sanitizer
// options), and the display of its own. Artefacts (the screenshots as PNG
// and the program's output as program.log) go to
// <build>/bin/test-artefacts/<name>/, emptied when the harness starts.
//
// Keys go through the XTEST extension to the window with the keyboard focus,
// as a real keyboard's do: xdotool's "--window" form sends synthetic events
// (XSendEvent), which GTK drops. With no window manager nothing focuses a new
// window, so focus() sets the focus on the window and waits for it.
// A chord ("shift+Escape") is let go of in the order it was pressed, Shift
// first; where the program acts on a key's release with a modifier held, hold
// the modifier with keyDown and let go of it with keyUp around the key.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/childProcess.h"
#include "tests/support/tempFolder.h"
#include "tests/support/virtualDisplay.h"

namespace testsupport {

class ProgramHarness {
public:
    // `name` names the artefacts' folder (the test's name).
    explicit ProgramHarness(const std::string& name);
    // Ends the program when it still runs, then the display.
    ~ProgramHarness();

    // The program beside the test programs (<build>/bin/tolvaneBuilder).
    static std::string programPath();

    VirtualDisplay& display() { return display_; }
    const std::string& artefacts() const { return artefacts_; }
    // The user's documents folder as the program sees it; its settings go to
    // <documents>/TolvaneSim/Settings/ unless "-SETTINGSPATH" says otherwise.
    const std::string& documents() const { return documents_; }
    std::string settingsFile() const;

    // Starts the program with the arguments; false when the display did not
    // come up or the program could not be started.
    bool start(const std::vector<std::string>& arguments = {});
    bool running() { return program_.running(); }
    // The program's process (for its CPU use), once started.
    pid_t pid() const { return program_.pid(); }
    // The program's exit status once it ends within the time (128 + the
    // signal when one ended it).
    std::optional<int> waitForExit(int timeoutMs = 60000);
    // What the program wrote to its standard output and error so far.
    std::string log() const;

    // A shown top-level window of the program whose title begins with
    // `title` (any of its windows for an empty title: the main window at
    // start); 0 when none shows within the time.
    unsigned long waitForWindow(const std::string& title = "", int timeoutMs = 60000);
    // Gives `window` the keyboard focus and waits until the server says it has it.
    bool focus(unsigned long window);

    // A key chord in xdotool's names ("shift+Escape", "alt+f", "Down", "F1").
    bool key(const std::string& chord);
    // Holds or lets go of a key (the held-key actions).
    bool keyDown(const std::string& chord);
    bool keyUp(const std::string& chord);
    bool type(const std::string& text);
    // Pointer actions in `window`'s own coordinates. Buttons: 1 left,
    // 2 middle, 3 right, 4 wheel towards the screen (up), 5 away.
    bool moveTo(unsigned long window, int x, int y);
    bool click(unsigned long window, int x, int y, int button = 1);
    // Presses at the start, moves in `steps` even steps (each lets the
    // program see a move) and lets go at the end.
    bool drag(unsigned long window, int fromX, int fromY, int toX, int toY, int button = 1, int steps = 10);

    // The whole screen, or what shows where `window` is, kept as <name>.png
    // in the artefacts' folder.
    Picture screenshot(const std::string& name);
    Picture screenshot(unsigned long window, const std::string& name);

    // Polls `done` every 50 ms until it gives true or the time passes.
    static bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    // Waits until a file exists and has stopped growing.
    static bool waitForFile(const std::string& path, int timeoutMs = 30000);

    // Runs xdotool on the display with the arguments; its output, or nothing
    // when it failed.
    std::optional<std::string> xdotool(const std::vector<std::string>& arguments);

private:
    bool keep(const Picture& picture, const std::string& name) const;

    VirtualDisplay display_;
    TempFolder home_;
    std::string documents_;
    std::string artefacts_;
    ChildOptions environment_;  // made with the home's folders
    ChildProcess program_;
};

}  // namespace testsupport
