#include "app/scheme/tbModelSchemeKind.h"

#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbSchemeEditing.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbToolState.h"
#include "app/shell/tbToolTable.h"

namespace {

// The record's procedures get the projects its own factory made.
tbProject_model& scheme(tbProject& project) { return static_cast<tbProject_model&>(project); }
const tbProject_model& scheme(const tbProject& project) { return static_cast<const tbProject_model&>(project); }

}  // namespace

tbProjectKind tbModelSchemeKind(tbToolState& tools, tbProgress& progress, tbSchemeEditing& editing) {
    tbProjectKind kind;
    kind.mode = tbToolState::kModeScheme;
    kind.extension = ".tvp";
    kind.openTitle = "Open model scheme";
    kind.make = [&tools, &progress] {
        auto* project = new tbProject_model;
        // Every new model scheme starts with the small brush.
        tools.setBrushSize(5.0f, 0.0f, 100.0f);
        project->setProgressSink([&progress](float percent) { progress.set(percent); });
        return project;
    };
    kind.chooseNewName = [](tbCommandWindows& windows) -> std::optional<std::string> {
        std::string model = windows.pickModel();
        if (model.empty()) return std::nullopt;
        return model;
    };
    kind.checkFile = [](const std::string& path) { return tbProject_model::checkFile(path); };
    kind.newProgress = {"Importing new model",
                        "Please wait while TolvaneBuilder imports the new model.\nThis may take several minutes "
                        "depending on the speed of your computer."};
    kind.openProgress = {"Opening project", "Please wait..."};
    kind.newFailed = "There was a problem importing this model. Please restart TolvaneBuilder.";
    kind.showsObjectBar = true;
    kind.brushSize = 25.0f;
    kind.openTool = kToolBrush;
    kind.exchangesToolSettings = true;
    kind.chooseExportNames = [](tbProject& project, tbCommandWindows& windows) {
        tbProject_model& s = scheme(project);
        const std::string name = windows.chooseSchemeName(s.getSchemeName(), s.getModelName());
        if (name.empty()) return false;
        s.setExportName(name);
        return true;
    };
    kind.exportProject = [&editing](tbProject& project, const std::string& settingsFolder) {
        return editing.exportTexture(scheme(project).schemeBitmapPath(settingsFolder), false);
    };
    kind.exportProgress = {"Exporting project", "Please wait..."};
    kind.exportFailed = {"There was a problem exporting the texture.\nPlease select another name.", "Export texture"};
    kind.windowTitle = [](const tbProject& project, const std::string& applicationTitle) {
        return scheme(project).windowTitle(applicationTitle);
    };
    return kind;
}
