#include "app/window/tbViewCommands.h"

#include "app/shell/tbCameraCommands.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbLauncher.h"
#include "app/window/tbMenuIds.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbProject.h"
#include "app/scheme/tbSchemeEditing.h"
#include "app/shell/tbToolState.h"
#include "engine/core/utilsStrings.h"
#include "platform/ui/messageBox.h"

namespace {

constexpr const char* kPleaseWait = "Please wait...";

struct CameraView {
    int id;
    uint32_t mode;
};
constexpr CameraView kCameraViews[] = {
    {tbMenu::cameraPerspective, 0}, {tbMenu::cameraFront, 1}, {tbMenu::cameraBack, 2},  {tbMenu::cameraTop, 3},
    {tbMenu::cameraBottom, 4},      {tbMenu::cameraLeft, 5},  {tbMenu::cameraRight, 6},
};

tbFileRequest imageRequest(const std::string& settingsFolder, const char* title, const char* okText) {
    tbFileRequest request;
    request.filters = {"*.bmp", "*.png", "*.tga", "*.dds"};
    request.folder = settingsFolder + "Projects";
    request.title = title;
    request.okText = okText;
    return request;
}

}  // namespace

std::string tbExternalEditorName(const std::string& projectFileName) {
    std::string name = projectFileName;
    // A dot fourth from the end starts a three-letter extension (".tvp").
    if (name.size() >= 4 && name[name.size() - 4] == '.') name.resize(name.size() - 4);
    return name + "_output.bmp";
}

tbViewCommands::tbViewCommands(tbCommandContext context, tbOptions* options, std::string programFolder)
    : m_context(std::move(context)), m_options(options), m_programFolder(std::move(programFolder)) {}

bool tbViewCommands::run(int id) {
    for (const CameraView& view : kCameraViews) {
        if (view.id == id) {
            tbSetViewCameraOrientation(view.mode);
            return true;
        }
    }
    tbSchemeEditing& scheme = m_context.scheme;
    switch (id) {
        case tbMenu::options: m_context.windows.showOptions(); return true;
        case tbMenu::undo:
            if (scheme.isOpen()) scheme.undo();
            return true;
        case tbMenu::createRestorePoint:
            if (scheme.isOpen()) scheme.createRestorePoint();
            return true;
        case tbMenu::revertToRestorePoint:
            if (scheme.isOpen()) scheme.revertToRestorePoint();
            return true;
        case tbMenu::exportToExternalEditor: exportToExternalEditor(); return true;
        case tbMenu::importFromExternalEditor: importFromExternalEditor(); return true;
        case tbMenu::secondView: toggleSecondView(); return true;
        case tbMenu::lightingFlat: setLightingMode(0); return true;
        case tbMenu::lightingRealistic: setLightingMode(1); return true;
        case tbMenu::cameraReset: tbResetViewCamera(); return true;
        case tbMenu::resetToolbars: m_context.windows.resetToolbars(); return true;
        case tbMenu::toolbox: showToolbox(); return true;
        case tbMenu::objectBar: m_context.windows.showBar(tbBar::objectBar); return true;
        case tbMenu::shapeManager: m_context.windows.showBar(tbBar::shapeManager); return true;
        case tbMenu::userManual: openUserManual(); return true;
        default: return false;
    }
}

bool tbViewCommands::isChecked(int id) const {
    if (!m_options) return false;
    switch (id) {
        case tbMenu::secondView: return m_options->showSecondView;
        case tbMenu::lightingFlat: return m_options->lightingMode == 0;
        case tbMenu::lightingRealistic: return m_options->lightingMode != 0;
        default: return false;
    }
}

bool tbViewCommands::isEnabled(int id) const {
    if (id == tbMenu::exportToExternalEditor || id == tbMenu::importFromExternalEditor)
        return m_context.tools.mode() == tbToolState::kModeScheme && m_context.scheme.isOpen();
    return true;
}

void tbViewCommands::exportToExternalEditor() {
    const tbProject* project = tbProject::current();
    if (!project || !isEnabled(tbMenu::exportToExternalEditor)) return;
    tbFileRequest request = imageRequest(m_context.settingsFolder, "Export to external editor", "Export");
    request.saveMode = true;
    request.defaultName = tbExternalEditorName(project->getFileName());
    const std::string path = m_context.windows.chooseFile(request);
    if (path.empty()) return;
    m_context.progress.show("Exporting image-file", kPleaseWait);
    const bool exported = m_context.scheme.exportTexture(path, true);
    m_context.progress.hide();
    if (!exported) {
        ui::showError("There was a problem exporting the texture to " + path + ".\nPlease select another name.",
                      "Export to external editor", m_context.windows.boxParent());
    }
}

void tbViewCommands::importFromExternalEditor() {
    if (!isEnabled(tbMenu::importFromExternalEditor)) return;
    const std::string path =
        m_context.windows.chooseFile(imageRequest(m_context.settingsFolder, "Import from external editor", "Import"));
    if (path.empty()) return;
    m_context.progress.show("Importing image-file", kPleaseWait);
    const bool imported = m_context.scheme.importTexture(path);
    m_context.progress.hide();
    if (!imported) {
        ui::showError("There was a problem importing the image " + path + ".\nThe paint texture is unchanged.",
                      "Import from external editor", m_context.windows.boxParent());
    }
}

void tbViewCommands::toggleSecondView() {
    if (m_options) m_options->showSecondView = !m_options->showSecondView;
}

void tbViewCommands::setLightingMode(int32_t mode) {
    if (m_options) m_options->lightingMode = mode;
}

void tbViewCommands::showToolbox() {
    const tbToolState& tools = m_context.tools;
    if (tools.mode() == tbToolState::kModeScheme && m_context.scheme.isOpen()) {
        m_context.windows.showBar(tbBar::toolbox);
        // The bar of the current tool comes back with it (the colour picker
        // and the site tools have none here).
        constexpr tbToolBar kShownBars[] = {tbToolBar::brush,  tbToolBar::shape,  tbToolBar::floodFill,
                                            tbToolBar::projectImage, tbToolBar::text, tbToolBar::mirror,
                                            tbToolBar::panorama, tbToolBar::lighting};
        const std::optional<tbToolInfo> info = tbFindTool(tools.tool());
        if (!info || !info->bar) return;
        for (tbToolBar bar : kShownBars)
            if (bar == *info->bar) m_context.windows.showBar(tbBarOf(bar));
    } else if (tools.mode() == tbToolState::kModeFlyingSite && tbProject::current()) {
        m_context.windows.showBar(tbBar::flyingSiteToolbox);
    }
}

std::string tbViewCommands::userManualPath() const {
    return utils::joinPath(m_programFolder, "resources/tolvaneBuilder/manual/EN/start.htm");
}

void tbViewCommands::openUserManual() {
    const std::string path = userManualPath();
    if (!tbLaunch(path))
        ui::showError("The user manual could not be opened:\n" + path, "User manual", m_context.windows.boxParent());
}
