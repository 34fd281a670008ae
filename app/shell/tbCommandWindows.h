// What the main window's commands ask of the windows: the modal dialogs
// they open, the tool bars they show, the title and the end of the program.
// The main window implements it; tests script it. Message boxes go through
// ui::askUser, so tests script those with ui::ScriptedAnswers.
#pragma once

#include <string>
#include <vector>

#include "app/shell/tbBars.h"

class wxWindow;

// One use of the file browser.
struct tbFileRequest {
    std::vector<std::string> filters;  // "*.tvp", ...
    std::string folder;                // where it starts
    std::string title;
    std::string okText;
    bool saveMode = false;
    std::string defaultName;  // the file-name edit's text at the start
};

class tbCommandWindows {
public:
    virtual ~tbCommandWindows() = default;

    // The model picker: the chosen model, empty after Cancel.
    virtual std::string pickModel() = 0;
    // The file browser: the chosen path, empty after Cancel.
    virtual std::string chooseFile(const tbFileRequest& request) = 0;
    // The export-scheme dialog over the scheme name: the name to export
    // under, empty after Cancel.
    virtual std::string chooseSchemeName(const std::string& schemeName, const std::string& modelName) = 0;
    // The export-flying-site dialog over the export file name, the site's
    // name and its description, each starting as given: false after Cancel,
    // else the three as the user left them.
    virtual bool chooseSiteNames(std::string& fileName, std::string& name, std::string& description) = 0;
    // The system options dialog.
    virtual void showOptions() = 0;

    virtual void setTitle(const std::string& title) = 0;
    // Ends the program (the main window's modal loop).
    virtual void quit() = 0;

    virtual void showBar(tbBar bar) = 0;
    // The brush bar shows the tool state's brush again.
    virtual void refreshBrushBar() = 0;
    // The tool bars meet a model scheme just made: after New they give it
    // their values, after Open (`fromFile`) they show the values it was saved with.
    virtual void exchangeToolSettings(bool fromFile) = 0;
    // The toolboxes and the side bars back to their places beside the view.
    virtual void resetToolbars() = 0;

    // The window message boxes are shown over (null in tests).
    virtual wxWindow* boxParent() { return nullptr; }
};
