// The main window's other menu commands: options, undo and restore points,
// the exchange with an external image editor, the display switches, the
// camera views, the tool bars and the user manual; and the menu's check
// marks and enabled items, which follow the settings and the open project.
//
// Decisions only, like tbProjectCommands: windows through tbCommandWindows,
// the model scheme through tbSchemeEditing, boxes through ui::askUser, the
// manual through the launcher seam (tbLauncher.h).
#pragma once

#include <cstdint>
#include <string>

#include "app/window/tbProjectCommands.h"

class tbOptions;

class tbViewCommands {
public:
    // `options` may be null (before the settings are read): the switches
    // then do nothing. `programFolder` holds "resources".
    tbViewCommands(tbCommandContext context, tbOptions* options, std::string programFolder);

    void setOptions(tbOptions* options) { m_options = options; }

    // Runs the command of a menu id; false for an id that is not one of these.
    bool run(int id);

    // The check mark of a menu item: Second view from the setting, the two
    // lighting items from the lighting mode; false for the others.
    bool isChecked(int id) const;
    // Whether a menu item can be chosen: the image-editor exchange only with a
    // model scheme open; every other item always.
    bool isEnabled(int id) const;

    void exportToExternalEditor();
    void importFromExternalEditor();
    void toggleSecondView();
    void setLightingMode(int32_t mode);
    void showToolbox();
    void openUserManual();

    // The manual, under the program folder.
    std::string userManualPath() const;

private:
    tbCommandContext m_context;
    tbOptions* m_options;
    std::string m_programFolder;
};

// The name an export to the image editor suggests: the project file's name
// without its three-letter extension (a dot fourth from the end) and
// "_output.bmp".
std::string tbExternalEditorName(const std::string& projectFileName);
