#include "app/window/tbProjectCommands.h"

#include <utility>

#include "app/shell/tbErrorBox.h"
#include "app/shell/tbCommandWindows.h"
#include "app/window/tbMenuIds.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbProject.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simApplicationLog.h"
#include "platform/ui/messageBox.h"

namespace {

constexpr const char* kPleaseWait = "Please wait...";
constexpr const char* kSaveFailed = "There was a problem opening the file for writing.\nPlease select another filename.";

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

tbProjectCommands::tbProjectCommands(tbCommandContext context, std::vector<tbKindCommands> kinds)
    : m_context(std::move(context)), m_kinds(std::move(kinds)) {}

bool tbProjectCommands::run(int id) {
    for (const tbKindCommands& entry : m_kinds) {
        if (id == entry.newCommand) {
            newProject(entry.kind);
            return true;
        }
        if (id == entry.openCommand) {
            openProject(entry.kind);
            return true;
        }
    }
    switch (id) {
        case tbMenu::save: save(); return true;
        case tbMenu::exportProject: exportProject(); return true;
        case tbMenu::exit: exit(); return true;
        default: return false;
    }
}

const tbProjectKind* tbProjectCommands::currentKind() const {
    return tbProject::current() && tbProject::current() == m_owner ? m_kind : nullptr;
}

std::string tbProjectCommands::currentProjectPath() const { return currentKind() ? m_path : std::string(); }

std::string tbProjectCommands::windowTitle() const {
    const tbProjectKind* kind = currentKind();
    if (!kind) return m_context.applicationTitle;
    if (!kind->windowTitle) return m_context.applicationTitle + " - " + tbProject::current()->getFileName();
    return kind->windowTitle(*tbProject::current(), m_context.applicationTitle);
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
    m_path = path;
    updateTitle();
    return true;
}

bool tbProjectCommands::saveWithDialog(tbProject& project) {
    // A project of no known kind is saved under the name as given.
    const tbProjectKind* kind = currentKind();
    const std::string extension = kind ? kind->extension : "";
    tbFileRequest request;
    if (!extension.empty()) request.filters = {"*" + extension};
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

tbProject* tbProjectCommands::startProject(const tbProjectKind& kind, const tbProgressText& progress, bool fromFile,
                                           const std::function<bool(tbProject&)>& start) {
    tbToolState& tools = m_context.tools;
    bool started = false;
    {
        tbHeldErrorBoxes held;
        if (!progress.title.empty()) m_context.progress.show(progress.title, progress.text);
        delete tbProject::current();
        m_owner = nullptr;
        m_kind = nullptr;
        m_path.clear();
        tbProject* project = kind.make();
        started = project && start(*project);
        if (!started) {
            m_context.progress.hide();
            delete project;
            tools.setMode(tbToolState::kModeNone);
            updateTitle();
        }
    }
    if (!started) return nullptr;
    m_owner = tbProject::current();
    m_kind = &kind;
    tools.setBrushSize(kind.brushSize, 0.0f, 100.0f);
    m_context.windows.refreshBrushBar();
    if (kind.exchangesToolSettings) m_context.windows.exchangeToolSettings(fromFile);
    return tbProject::current();
}

void tbProjectCommands::enterProject(const tbProjectKind& kind, int32_t tool, const std::string& path) {
    m_context.tools.setTool(tool);
    m_context.progress.hide();
    m_context.tools.setMode(kind.mode);
    m_path = path;
    updateTitle();
}

bool tbProjectCommands::refusedAsUnavailable(const tbProjectKind& kind, const std::string& title) {
    if (kind.unavailable.empty()) return false;
    ui::showError(kind.unavailable, title, m_context.windows.boxParent());
    return true;
}

void tbProjectCommands::newProject(const tbProjectKind& kind) {
    if (refusedAsUnavailable(kind, "New")) return;
    if (kind.showsObjectBar) m_context.windows.showBar(tbBar::objectBar);
    if (!promptToSave()) return;
    const std::optional<std::string> name = kind.chooseNewName ? kind.chooseNewName(m_context.windows) : "";
    if (!name) return;
    if (!startProject(kind, kind.newProgress, false, [&name](tbProject& p) { return p.onNew(*name); })) {
        ui::showError(kind.newFailed, "New", m_context.windows.boxParent());
        return;
    }
    // Without a tool of its own the kind keeps the current tool; its bar and
    // help text come back.
    enterProject(kind, kind.newTool.value_or(m_context.tools.tool()), "");
}

void tbProjectCommands::openProject(const tbProjectKind& kind) {
    if (refusedAsUnavailable(kind, "Open")) return;
    if (kind.showsObjectBar) m_context.windows.showBar(tbBar::objectBar);
    if (!promptToSave()) return;
    tbFileRequest request;
    request.filters = {"*" + kind.extension};
    request.folder = m_context.settingsFolder + "Projects";
    request.title = kind.openTitle;
    request.okText = "Open";
    const std::string path = m_context.windows.chooseFile(request);
    if (path.empty()) return;
    // A file the kind refuses never costs the user the open project; the
    // kind has said why.
    if (kind.checkFile && !kind.checkFile(path)) return;
    // The project reports why it could not open the file.
    if (!startProject(kind, kind.openProgress, true, [&path](tbProject& p) { return p.open(path); })) return;
    enterProject(kind, kind.openTool, path);
}

void tbProjectCommands::exportProject() {
    tbProject* project = tbProject::current();
    if (!project) return;
    std::string message;
    if (!project->validate(message)) {
        ui::askUser({message, "Export failed", ui::MessageBoxKind::notice}, m_context.windows.boxParent());
        return;
    }
    const tbProjectKind* kind = currentKind();
    if (!kind || refusedAsUnavailable(*kind, "Export")) return;
    if (!kind->chooseExportNames || !kind->exportProject) return;
    if (!kind->chooseExportNames(*project, m_context.windows)) return;
    m_context.progress.show(kind->exportProgress.title, kind->exportProgress.text);
    const bool exported = kind->exportProject(*project, m_context.settingsFolder);
    m_context.progress.hide();
    if (!exported) ui::showError(kind->exportFailed.text, kind->exportFailed.title, m_context.windows.boxParent());
    updateTitle();
}

void tbProjectCommands::exit() {
    if (!promptToSave()) return;
    m_context.windows.quit();
}

void tbProjectCommands::updateTitle() { m_context.windows.setTitle(windowTitle()); }
