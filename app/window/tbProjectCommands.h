// The File menu's commands: new, open, save and export a project, and
// leaving the program; with them the save prompt that New, Open, Exit and
// the close box ask first.
//
// Decisions only: the dialogs, bars and title go through tbCommandWindows,
// message boxes through ui::askUser, and everything that differs between
// project kinds comes from the kinds' records (tbProjectKind), so the whole
// table runs in tests with a recording kind and scripted answers.
//
// The rules that keep a user's work:
//  - the save prompt offers Yes, No and Cancel; Yes saves where the project
//    was opened from or last saved to (the save dialog asks for a project
//    never saved), and a save that fails or is cancelled stops the command;
//  - a failed save is told once, in the "Save" box; the project's own box
//    with the system's reason only goes to the log;
//  - a file that Open cannot read is refused before the current project
//    goes, which stays open and untouched;
//  - a failed New or Open closes its progress box and deletes the
//    half-built project before any message is shown (the project's own
//    error boxes wait until then), then returns to the empty mode.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/shell/tbProjectKind.h"

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

// A project kind with the menu commands that start a project of it.
struct tbKindCommands {
    int newCommand = 0;
    int openCommand = 0;
    tbProjectKind kind;
};

class tbProjectCommands {
public:
    // `kinds` are the project kinds the program makes.
    tbProjectCommands(tbCommandContext context, std::vector<tbKindCommands> kinds);

    // Runs the command of a menu id; false for an id that is not one of these.
    bool run(int id);

    void newProject(const tbProjectKind& kind);
    void openProject(const tbProjectKind& kind);
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
    // The main window's title: the open project's kind's rule, the
    // application title without a project.
    std::string windowTitle() const;

private:
    // The save dialog, then the save; false when cancelled or failed.
    bool saveWithDialog(tbProject& project);
    // The save with its progress box and message; false on failure.
    bool saveTo(tbProject& project, const std::string& path);
    // Replaces the current project by one of `kind` and runs `start` on it
    // (onNew or open) under `progress`; on failure deletes it and returns to
    // the empty mode. On success the kind's brush and tool bars follow; a
    // project read `fromFile` shows its tool settings in the bars.
    tbProject* startProject(const tbProjectKind& kind, const tbProgressText& progress, bool fromFile,
                            const std::function<bool(tbProject&)>& start);
    // The project is started: its tool, mode, path and title.
    void enterProject(const tbProjectKind& kind, int32_t tool, const std::string& path);
    // The kind of the current project; null without one.
    const tbProjectKind* currentKind() const;
    // Shows the kind's `unavailable` text under `title`; true when it did.
    bool refusedAsUnavailable(const tbProjectKind& kind, const std::string& title);
    void updateTitle();

    tbCommandContext m_context;
    std::vector<tbKindCommands> m_kinds;
    // What the current project was made as and where it lives, while it is
    // the one these commands made.
    const tbProject* m_owner = nullptr;
    const tbProjectKind* m_kind = nullptr;
    std::string m_path;
};
