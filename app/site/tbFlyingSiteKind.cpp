#include "app/site/tbFlyingSiteKind.h"

#include "app/shell/tbToolState.h"

namespace {

constexpr const char* kSiteWait = "Please wait...\nThis may take several minutes depending on image quality.";
constexpr int32_t kToolPanorama = 8;

}  // namespace

tbProjectKind tbFlyingSiteKind() {
    tbProjectKind kind;
    kind.mode = tbToolState::kModeFlyingSite;
    kind.extension = ".tvq";
    kind.openTitle = "Open Flying site";
    // New asks nothing (onNew gets an empty name) and shows no progress box.
    kind.openProgress = {"Opening project", kSiteWait};
    kind.newFailed = "There was a problem creating the flying site. Please restart TolvaneBuilder.";
    kind.brushSize = 100.0f;
    kind.newTool = kToolPanorama;
    kind.openTool = kToolPanorama;
    kind.exportProgress = {"Exporting project", kSiteWait};
    kind.exportFailed = {"There was a problem exporting the flying site.\nPlease select another name.",
                         "Export flying site"};
    // Still to come: `make` (a tbProject_flyingsite), `checkFile`,
    // `chooseExportNames` (the export-flying-site dialog over the export
    // name, display name and description), `exportProject` (exportScenery
    // into settingsFolder + "Flying sites/" + the export name) and
    // `windowTitle` ("<application title> - <file name> (<export name>)").
    // Until they are filled in, the commands say only this.
    kind.unavailable = "Flying sites are not built yet in this version of TolvaneBuilder.";
    return kind;
}
