// A session of the built program, driven as a user drives it: the File menu
// by its button and the keys, the dialogs by their titles, the file
// browser's name box, the controls of the bars and dialogs by their place in
// dialog units, the colour picker, the view's model and the quit chord. The
// program tests share it (the round trip of a new scheme, the painting
// workflow, a flying site built end to end).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/support/programHarness.h"

namespace testsupport {

// The backdrop colour the sessions' settings file gives the view, so the
// model and the paint stand out from it.
inline constexpr Rgb kSessionBackdrop{40, 90, 160};

// Pixels of the view's middle (a third of the window each way) that are not
// the backdrop: the model drawn over it.
int pixelsOffBackdrop(const Picture& picture);

// A control's rectangle, or a dialog's size, in dialog units (the numbers of
// the control tables).
struct DialogUnits {
    int x = 0, y = 0, width = 0, height = 0;
};

class SchemeSession {
public:
    explicit SchemeSession(ProgramHarness& program) : program_(program) {}

    // Writes the settings file with the backdrop colour and `more` (Lua
    // assignments of the options table, comma first), before the first start.
    void writeSettings(const std::string& more = "");
    // Starts the program and waits until the engine draws the backdrop.
    bool start(const std::string& shotName);

    // Pops up the File menu with its button, then walks it with the keys
    // (xdotool names, one after another) once it shows.
    bool fileMenu(const std::vector<std::string>& keys, const std::string& shotName);
    // File/New/Model scheme on the bundled trainer (kestrel), through the
    // model picker, until the import's progress box has gone; a question
    // whether to save the open scheme first is answered Yes (it is saved
    // where it came from).
    bool newKestrelScheme(const std::string& shotPrefix);
    // File/Save, the path typed into the browser, until the file is written.
    bool saveAs(const std::string& path, const std::string& shotPrefix);
    // File/Open/Model scheme with the path typed into the browser; a question
    // whether to save the open scheme first is answered No.
    bool open(const std::string& path, const std::string& titlePart, const std::string& shotPrefix);

    // Waits for a dialog by its title and gives it the keyboard.
    unsigned long dialog(const std::string& title);
    // Replaces the file browser's name box with `path` and confirms it.
    bool typeFileName(const std::string& title, const std::string& path, const std::string& shotName);
    bool waitClosed(unsigned long dialog);
    // Waits until no window titled `title` shows (the progress box of a
    // step), then gives the view a moment to draw over where it was: the
    // screen keeps a closed window's pixels until the next frame.
    bool waitGone(const std::string& title);

    // The bar shown on the strip above the view: a window without a title,
    // wide and low, near the top of the screen, other than `other` (the bar
    // being replaced, which may show a moment longer); 0 when none shows.
    unsigned long stripBar(unsigned long other = 0);
    // A click at the middle of control `at` of a dialog or bar laid out in
    // `size` dialog units, the units scaled to the window's size on screen.
    bool clickControl(unsigned long window, DialogUnits size, DialogUnits at);
    // The same on a strip bar: as wide as the window allows, its controls
    // drawn at the one scale that fits its 27 units to its height.
    bool clickStripControl(unsigned long bar, DialogUnits at);
    // A left click or drag in the view, the main window given the keyboard
    // first (the view acts on keys held during it).
    bool clickView(int x, int y);
    bool dragView(int fromX, int fromY, int toX, int toY, int steps = 10);
    // In the colour picker the program has opened: red, green and blue typed
    // into their boxes, then OK.
    bool pickColour(const Rgb& colour, const std::string& shotName);

    // The model in the view: the middle of the view away from the backdrop,
    // and the texture view in the view's top-left corner (a strip at the
    // window's left edge that only a scheme draws on).
    bool showsModel(int emptyView, Picture& shot);

    std::string title();
    bool waitForTitleWith(const std::string& part);

    // Shift+Esc, with Shift held until Esc is let go of; a save prompt, should
    // one come, is answered with its default (Yes: save where the file came from).
    std::optional<int> quit();

    unsigned long window() const { return window_; }

private:
    // With a scheme open the program may ask whether to save it before the
    // window titled `nextTitle` shows: `answer` is the key that answers it
    // ("Return" the default, Yes; "alt+n" No).
    void answerSavePrompt(const std::string& nextTitle, const std::string& answer, const std::string& shotPrefix);

    ProgramHarness& program_;
    unsigned long window_ = 0;
};

}  // namespace testsupport
