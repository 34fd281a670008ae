#include "app/window/tbMainMenu.h"

#include <cctype>

#include "app/window/tbMenuIds.h"

namespace {

constexpr tbMenuItem kItems[] = {
    {"File/New/Model scheme", tbMenu::newModelScheme, false},
    {"File/New/Flying site", tbMenu::newFlyingSite, false},
    {"File/Open/Model scheme", tbMenu::openModelScheme, false},
    {"File/Open/Flying site", tbMenu::openFlyingSite, false},
    {"File/Save", tbMenu::save, false},
    {"File/Export", tbMenu::exportProject, false},
    {"File/-", 0, false},
    {"File/Options", tbMenu::options, false},
    {"File/-", 0, false},
    {"File/Exit", tbMenu::exit, false},
    {"Edit/Undo", tbMenu::undo, false},
    {"View/Second view", tbMenu::secondView, true},
    {"View/Model lighting/Flat", tbMenu::lightingFlat, true},
    {"View/Model lighting/Realistic", tbMenu::lightingRealistic, true},
    {"View/-", 0, false},
    {"View/Camera/Reset", tbMenu::cameraReset, false},
    {"View/Camera/-", 0, false},
    {"View/Camera/Perspective", tbMenu::cameraPerspective, false},
    {"View/Camera/Top", tbMenu::cameraTop, false},
    {"View/Camera/Bottom", tbMenu::cameraBottom, false},
    {"View/Camera/Left", tbMenu::cameraLeft, false},
    {"View/Camera/Right", tbMenu::cameraRight, false},
    {"View/Camera/Front", tbMenu::cameraFront, false},
    {"View/Camera/Back", tbMenu::cameraBack, false},
    {"Tools/Export to external editor", tbMenu::exportToExternalEditor, false},
    {"Tools/Import from external editor", tbMenu::importFromExternalEditor, false},
    {"Tools/-", 0, false},
    {"Tools/Create restore point", tbMenu::createRestorePoint, false},
    {"Tools/Revert to restore point", tbMenu::revertToRestorePoint, false},
    {"Workspace/Reset toolbars", tbMenu::resetToolbars, false},
    {"Workspace/-", 0, false},
    {"Workspace/Toolbox", tbMenu::toolbox, false},
    {"Workspace/Object Bar", tbMenu::objectBar, false},
    {"Workspace/Shape Manager", tbMenu::shapeManager, false},
    {"Help/User manual", tbMenu::userManual, false},
};

}  // namespace

std::span<const tbMenuItem> tbMainMenuItems() { return kItems; }

std::vector<std::string> tbWithMnemonics(const std::vector<std::string>& labels) {
    std::string used;
    std::vector<std::string> marked;
    for (const std::string& label : labels) {
        std::string text;
        bool markPlaced = false;
        for (const char c : label) {
            const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (!markPlaced && std::isalnum(static_cast<unsigned char>(c)) && used.find(lower) == std::string::npos) {
                text += '&';
                used += lower;
                markPlaced = true;
            }
            if (c == '&') text += '&';
            text += c;
        }
        marked.push_back(text);
    }
    return marked;
}
