#include "app/site/tbFlyingSiteKind.h"

#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbToolState.h"
#include "app/site/tbProject_flyingsite.h"

namespace {

constexpr const char* kSiteWait = "Please wait...\nThis may take several minutes depending on image quality.";
constexpr int32_t kToolPanorama = 8;

// The record's procedures get the projects its own factory made.
tbProject_flyingsite& site(tbProject& project) { return static_cast<tbProject_flyingsite&>(project); }
const tbProject_flyingsite& site(const tbProject& project) { return static_cast<const tbProject_flyingsite&>(project); }

}  // namespace

tbProjectKind tbFlyingSiteKind(tbProgress& progress) {
    tbProjectKind kind;
    kind.mode = tbToolState::kModeFlyingSite;
    kind.extension = ".tvq";
    kind.openTitle = "Open Flying site";
    kind.make = [&progress] {
        auto* project = new tbProject_flyingsite;
        project->setProgressSink([&progress](float percent) { progress.set(percent); });
        return project;
    };
    // New asks nothing (onNew gets an empty name) and shows no progress box.
    kind.checkFile = [](const std::string& path) { return tbProject_flyingsite::checkFile(path); };
    kind.openProgress = {"Opening project", kSiteWait};
    kind.newFailed = "There was a problem creating the flying site. Please restart TolvaneBuilder.";
    kind.brushSize = 100.0f;
    kind.newTool = kToolPanorama;
    kind.openTool = kToolPanorama;
    kind.chooseExportNames = [](tbProject& project, tbCommandWindows& windows) {
        tbProject_flyingsite& s = site(project);
        std::string fileName = s.getExportName(), name = s.getSiteName(), description = s.getSiteDescription();
        if (!windows.chooseSiteNames(fileName, name, description)) return false;
        s.setExportName(fileName);
        s.setSiteName(name);
        s.setSiteDescription(description);
        return true;
    };
    kind.exportProject = [](tbProject& project, const std::string& settingsFolder) {
        return site(project).exportScenery(settingsFolder + "Flying sites/" + project.getExportName());
    };
    kind.exportProgress = {"Exporting project", kSiteWait};
    kind.exportFailed = {"There was a problem exporting the flying site.\nPlease select another name.",
                         "Export flying site"};
    kind.windowTitle = [](const tbProject& project, const std::string& applicationTitle) {
        return site(project).windowTitle(applicationTitle);
    };
    return kind;
}
