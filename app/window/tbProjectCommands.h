// The File menu's commands: new, open, save and export a project, and
// leaving the program; with them the save prompt that New, Open, Exit and
// the close box ask first.
//
// Decisions only: the dialogs, bars and title go through tbCommandWindows,
// message boxes through ui::askUser, projects are made by a factory, so the
// whole table runs in tests with a recording project and scripted answers.
//
// The rules that keep a user's work:
//  - the save prompt offers Yes, No and Cancel; Yes saves where the project
//    was opened from or last saved to (the save dialog asks for a project
//    never saved), and a save that fails or is cancelled stops the command;
//  - a failed save is told once, in the "Save" box; the project's own box
//    with the system's reason only goes to the log;
//  - a failed New or Open closes its progress box and deletes the
//    half-built project before any message is shown (the project's own
//    error boxes wait until then), then returns to the empty mode.
// Flying sites are not part of this program yet: their commands say so and
// change nothing.
#pragma once

#include <functional>
#include <string>

class tbCommandWindows;
class tbProgress;
class tbProject;
class tbSchemeEditing;
class tbToolState;

struct tbCommandContext {
    tbCommandWindows& windows;
    tbToolState& tools;
    tbProgress& progress;
    tbSchemeEditing& scheme;
    // The user's simulator folder, ending with '/'.
    std::string settingsFolder;
    // "TolvaneBuilder <version>".
    std::string applicationTitle;
};

// The main window's title for the current project: the model scheme's own,
// "<application title> - <file name>" for another project, the application
// title without one.
std::string tbWindowTitle(const std::string& applicationTitle);

class tbProjectCommands {
public:
    using SchemeFactory = std::function<tbProject*()>;

    // `makeScheme` makes an empty model scheme, which becomes the current
    // project.
    tbProjectCommands(tbCommandContext context, SchemeFactory makeScheme);

    // Runs the command of a menu id; false for an id that is not one of these.
    bool run(int id);

    void newModelScheme();
    void newFlyingSite();
    void openModelScheme();
    void openFlyingSite();
    void save();
    void exportProject();
    // The save prompt, then the end of the program unless it was cancelled.
    // The close box runs it too.
    void exit();

    // "Would you like to save the current project?" with Yes, No and Cancel;
    // true when the command that asked may go on.
    bool promptToSave();

    // Where the current project was opened from or last saved to; empty
    // when it never was.
    std::string currentProjectPath() const;

private:
    // The save dialog, then the save; false when cancelled or failed.
    bool saveWithDialog(tbProject& project);
    // The save with its progress box and message; false on failure.
    bool saveTo(tbProject& project, const std::string& path);
    // Makes a model scheme and runs `start` on it (onNew or open) under the
    // progress box; on failure deletes it and returns to the empty mode. A
    // scheme read `fromFile` shows its tool settings in the bars.
    tbProject* startScheme(const std::string& progressTitle, const std::string& progressText, bool fromFile,
                           const std::function<bool(tbProject&)>& start);
    void reportFlyingSitesMissing(const std::string& title);
    void updateTitle();

    tbCommandContext m_context;
    SchemeFactory m_makeScheme;
    const tbProject* m_pathOwner = nullptr;
    std::string m_path;
};
