// The command ids of the main window's menu. They are the ids the program's
// menu has always had (Undo is the standard Edit/Undo id), so keep them.
#pragma once

namespace tbMenu {

enum Id : int {
    newModelScheme = 32771,
    newFlyingSite = 32772,
    openModelScheme = 32773,
    openFlyingSite = 32774,
    save = 144,
    exportProject = 166,
    options = 260,
    exit = 147,
    undo = 57643,
    secondView = 181,
    lightingFlat = 263,
    lightingRealistic = 264,
    cameraReset = 32783,
    cameraPerspective = 149,
    cameraTop = 150,
    cameraBottom = 155,
    cameraLeft = 151,
    cameraRight = 152,
    cameraFront = 153,
    cameraBack = 154,
    exportToExternalEditor = 32784,
    importFromExternalEditor = 32785,
    createRestorePoint = 190,
    revertToRestorePoint = 191,
    resetToolbars = 180,
    toolbox = 230,
    objectBar = 229,
    shapeManager = 271,
    userManual = 246,
};

}  // namespace tbMenu
