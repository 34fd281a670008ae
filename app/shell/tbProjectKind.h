// tbProjectKind: everything the File commands need to know of one kind of
// project, so that New, Open, Save, Export and the window title run through
// one path for every kind and the commands name none.
//
// Each kind's unit fills its record (the model scheme in app/scheme, the
// flying site in app/site); the main window registers the records with its
// commands under the menu ids that start them. A record never changes once
// registered.
//
// How a command uses the record:
//   New     the save prompt; `chooseNewName` (cancel ends here); the
//           `newProgress` box when it has a title; the current project goes;
//           `make`, then tbProject::onNew with the name; on failure the
//           project is deleted and `newFailed` shown under "New"; on success
//           the brush takes `brushSize`, the tool `newTool` (none keeps the
//           current one), the tool state the kind's `mode`.
//   Open    the save prompt; the file browser over "*" + `extension`, titled
//           `openTitle`; `checkFile` reads and checks the chosen file
//           completely while the current project is still open (a refused
//           file leaves it untouched); `openProgress`; the current project
//           goes; `make`, then tbProject::open; on success `brushSize`,
//           `openTool`, `mode`.
//   Save    the save browser over `extension`, appended when missing.
//   Export  tbProject::validate; `chooseExportNames` (false: cancelled);
//           `exportProgress`; `exportProject`; on failure `exportFailed`.
//   Title   `windowTitle` of the open project.
// `exchangesToolSettings`: the tool bars give a new project their values
// and show an opened one's. `unavailable`, when set, is all New, Open and
// Export say: the kind is not built in this program yet.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class tbCommandWindows;
class tbProject;

struct tbMessageText {
    std::string text;
    std::string title;
};

struct tbProgressText {
    std::string title;  // empty: no progress box
    std::string text;
};

struct tbProjectKind {
    // The tool state's mode while a project of the kind is open.
    int32_t mode = 0;
    // The project file's extension with its dot (".tvp").
    std::string extension;
    std::string openTitle;

    // Makes an empty project, which becomes the current one.
    std::function<tbProject*()> make;
    // The name tbProject::onNew gets; nothing when the user cancelled.
    std::function<std::optional<std::string>(tbCommandWindows&)> chooseNewName;
    // Reads and checks the whole file without building anything; on refusal
    // it has told the user why.
    std::function<bool(const std::string& path)> checkFile;

    tbProgressText newProgress;
    tbProgressText openProgress;
    std::string newFailed;  // shown under "New"

    // New and Open show the object bar first.
    bool showsObjectBar = false;
    float brushSize = 25.0f;
    std::optional<int32_t> newTool;
    int32_t openTool = 0;
    bool exchangesToolSettings = false;

    // Export: the names the project is exported under (false: cancelled),
    // then the writing into the user's simulator folder (ending in '/').
    std::function<bool(tbProject&, tbCommandWindows&)> chooseExportNames;
    std::function<bool(tbProject&, const std::string& settingsFolder)> exportProject;
    tbProgressText exportProgress;
    tbMessageText exportFailed;

    // The main window's title while a project of the kind is open;
    // `applicationTitle` is "TolvaneBuilder <version>".
    std::function<std::string(const tbProject&, const std::string& applicationTitle)> windowTitle;

    std::string unavailable;
};
