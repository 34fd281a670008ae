#include "app/window/tbProjectCommands.h"

#include <utility>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbProject_model.h"
#include "app/shell/tbCommandWindows.h"
#include "app/window/tbMenuIds.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbProject.h"
#include "app/window/tbSchemeEditing.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplicationLog.h"
#include "platform/ui/messageBox.h"

namespace {

constexpr const char* kSchemeExtension = ".tvp";
constexpr const char* kPleaseWait = "Please wait...";
constexpr const char* kSaveFailed = "There was a problem opening the file for writing.\nPlease select another filename.";
constexpr const char* kFlyingSitesMissing = "Flying sites are not built yet in this version of TolvaneBuilder.";

// While it lives, the project's own error boxes only go to the log (every box
// is logged): a failed save is told to the user once, by the command's box,
// and the project's box with the system's reason would come on top of it.
class LoggedErrorBoxes {
public:
    LoggedErrorBoxes() : m_previous(tbSetErrorBoxSink([](const std::string&, const std::string&) {})) {}
    ~LoggedErrorBoxes() { tbSetErrorBoxSink(std::move(m_previous)); }
    LoggedErrorBoxes(const LoggedErrorBoxes&) = delete;
    LoggedErrorBoxes& operator=(const LoggedErrorBoxes&) = delete;

private:
    tbErrorBoxSink m_previous;
};

}  // namespace

std::string tbWindowTitle(const std::string& applicationTitle) {
    const tbProject* project = tbProject::current();
    if (!project) return applicationTitle;
    if (const auto* scheme = dynamic_cast<const tbProject_model*>(project)) return scheme->windowTitle(applicationTitle);
    return applicationTitle + " - " + project->getFileName();
}

tbProjectCommands::tbProjectCommands(tbCommandContext context, SchemeFactory makeScheme)
    : m_context(std::move(context)), m_makeScheme(std::move(makeScheme)) {}

bool tbProjectCommands::run(int id) {
    switch (id) {
        case tbMenu::newModelScheme: newModelScheme(); return true;
        case tbMenu::newFlyingSite: newFlyingSite(); return true;
        case tbMenu::openModelScheme: openModelScheme(); return true;
        case tbMenu::openFlyingSite: openFlyingSite(); return true;
        case tbMenu::save: save(); return true;
        case tbMenu::exportProject: exportProject(); return true;
        case tbMenu::exit: exit(); return true;
        default: return false;
    }
}

std::string tbProjectCommands::currentProjectPath() const {
    return tbProject::current() && tbProject::current() == m_pathOwner ? m_path : std::string();
}

bool tbProjectCommands::promptToSave() {
    tbProject* project = tbProject::current();
    if (!project) return true;
    const ui::MessageAnswer answer = ui::askUser(
        {"Would you like to save the current project?", "Save current project", ui::MessageBoxKind::question},
        m_context.windows.boxParent());
    if (answer == ui::MessageAnswer::cancel) return false;
    if (answer != ui::MessageAnswer::yes) return true;
    const std::string path = currentProjectPath();
    return path.empty() ? saveWithDialog(*project) : saveTo(*project, path);
}

bool tbProjectCommands::saveTo(tbProject& project, const std::string& path) {
    m_context.progress.show("Saving project", kPleaseWait);
    bool saved = false;
    {
        LoggedErrorBoxes logged;
        saved = project.save(path);
    }
    m_context.progress.hide();
    if (!saved) {
        ui::showError(kSaveFailed, "Save", m_context.windows.boxParent());
        return false;
    }
    m_pathOwner = &project;
    m_path = path;
    updateTitle();
    return true;
}

bool tbProjectCommands::saveWithDialog(tbProject& project) {
    // Only model schemes exist, and they are the projects of mode 1.
    const bool scheme = m_context.tools.mode() == tbToolState::kModeScheme;
    const std::string extension = scheme ? kSchemeExtension : "";
    tbFileRequest request;
    if (scheme) request.filters = {"*" + extension};
    request.folder = m_context.settingsFolder + "Projects";
    request.title = "Save Project";
    request.okText = "Save";
    request.saveMode = true;
    request.defaultName = project.getFileName();
    std::string path = m_context.windows.chooseFile(request);
    if (path.empty()) return false;
    if (path.find(extension) == std::string::npos) path += extension;
    return saveTo(project, path);
}

void tbProjectCommands::save() {
    if (tbProject* project = tbProject::current()) saveWithDialog(*project);
}

tbProject* tbProjectCommands::startScheme(const std::string& progressTitle, const std::string& progressText,
                                          bool fromFile, const std::function<bool(tbProject&)>& start) {
    tbToolState& tools = m_context.tools;
    bool started = false;
    {
        tbHeldErrorBoxes held;
        m_context.progress.show(progressTitle, progressText);
        delete tbProject::current();
        m_pathOwner = nullptr;
        m_path.clear();
        tbProject* project = m_makeScheme();
        // Every new model scheme starts with the small brush.
        tools.setBrushSize(5.0f, 0.0f, 100.0f);
        started = project && start(*project);
        if (!started) {
            m_context.progress.hide();
            delete project;
            tools.setMode(tbToolState::kModeNone);
            updateTitle();
        }
    }
    if (!started) return nullptr;
    tools.setBrushSize(25.0f, 0.0f, 100.0f);
    m_context.windows.refreshBrushBar();
    m_context.windows.exchangeToolSettings(fromFile);
    return tbProject::current();
}

void tbProjectCommands::newModelScheme() {
    m_context.windows.showBar(tbBar::objectBar);
    if (!promptToSave()) return;
    const std::string model = m_context.windows.pickModel();
    if (model.empty()) return;
    tbProject* project = startScheme(
        "Importing new model",
        "Please wait while TolvaneBuilder imports the new model.\nThis may take several minutes depending on the "
        "speed of your computer.",
        false, [&model](tbProject& p) { return p.onNew(model); });
    if (!project) {
        ui::showError("There was a problem importing this model. Please restart TolvaneBuilder.", "New",
                      m_context.windows.boxParent());
        return;
    }
    // A new scheme keeps the current tool; its bar and help text come back.
    m_context.tools.setTool(m_context.tools.tool());
    m_context.progress.hide();
    m_context.tools.setMode(tbToolState::kModeScheme);
    updateTitle();
}

void tbProjectCommands::openModelScheme() {
    m_context.windows.showBar(tbBar::objectBar);
    if (!promptToSave()) return;
    tbFileRequest request;
    request.filters = {std::string("*") + kSchemeExtension};
    request.folder = m_context.settingsFolder + "Projects";
    request.title = "Open model scheme";
    request.okText = "Open";
    const std::string path = m_context.windows.chooseFile(request);
    if (path.empty()) return;
    // The project reports why it could not open the file.
    tbProject* project =
        startScheme("Opening project", kPleaseWait, true, [&path](tbProject& p) { return p.open(path); });
    if (!project) return;
    m_context.tools.setTool(kToolBrush);
    m_context.progress.hide();
    m_context.tools.setMode(tbToolState::kModeScheme);
    m_pathOwner = project;
    m_path = path;
    updateTitle();
}

void tbProjectCommands::reportFlyingSitesMissing(const std::string& title) {
    ui::showError(kFlyingSitesMissing, title, m_context.windows.boxParent());
}

void tbProjectCommands::newFlyingSite() { reportFlyingSitesMissing("New"); }

void tbProjectCommands::openFlyingSite() { reportFlyingSitesMissing("Open"); }

void tbProjectCommands::exportProject() {
    tbProject* project = tbProject::current();
    if (!project) return;
    std::string message;
    if (!project->validate(message)) {
        ui::askUser({message, "Export failed", ui::MessageBoxKind::notice}, m_context.windows.boxParent());
        return;
    }
    if (m_context.tools.mode() == tbToolState::kModeFlyingSite) {
        reportFlyingSitesMissing("Export");
        return;
    }
    auto* scheme = dynamic_cast<tbProject_model*>(project);
    if (m_context.tools.mode() != tbToolState::kModeScheme || !scheme) return;
    const std::string name = m_context.windows.chooseSchemeName(scheme->getSchemeName(), scheme->getModelName());
    if (name.empty()) return;
    scheme->setExportName(name);
    m_context.progress.show("Exporting project", kPleaseWait);
    const bool exported = m_context.scheme.exportTexture(scheme->schemeBitmapPath(m_context.settingsFolder), false);
    m_context.progress.hide();
    if (!exported) {
        ui::showError("There was a problem exporting the texture.\nPlease select another name.", "Export texture",
                      m_context.windows.boxParent());
    }
    updateTitle();
}

void tbProjectCommands::exit() {
    if (!promptToSave()) return;
    m_context.windows.quit();
}

void tbProjectCommands::updateTitle() { m_context.windows.setTitle(tbWindowTitle(m_context.applicationTitle)); }
