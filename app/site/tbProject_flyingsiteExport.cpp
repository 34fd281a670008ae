// tbProject_flyingsite::exportScenery: the site's pictures read back from the
// device and its records from the project file's, handed to the export
// (tbSiteExporter.h), which writes the site folder.
#include <array>

#include "app/shell/tbDevice.h"
#include "app/shell/tbErrorBox.h"
#include "app/site/tbCubeFaceNames.h"
#include "app/site/tbFlyingSiteFile.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteExporter.h"
#include "engine/core/simApplicationLog.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simSurfaceFile.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr const char* kExportTitle = "Export flying site";

bool loaded(const simTexture* texture) { return texture && texture->getTexture(); }

// A panorama picture that was named but is not there to export.
std::string notLoaded(const char* what, const std::string& path, const std::string& reason) {
    return std::string(what) + ": " + path + ": " + reason;
}
constexpr const char* kNotLoaded = "the picture could not be loaded";

// Level 0 of a cube face as its texture holds it; a face that was named but
// never loaded, or cannot be read, is noted as missing.
void readFace(int slot, const std::string& path, const simTexture* texture, d3dx::Image& picture,
              std::vector<std::string>& missing) {
    if (path == kSiteNoImage) return;
    std::string reason = kNotLoaded;
    if (loaded(texture) && tbDevice() && simReadTexture(*tbDevice(), texture->getTexture(), false, picture, &reason))
        return;
    missing.push_back(notLoaded(kCubeFaceNames[slot], path, reason));
}

}  // namespace

bool tbProject_flyingsite::exportScenery(std::string folder) {
    tbFlyingSiteFileData file;
    std::string reason;
    if (!collectFile(file, reason)) {
        simLog("ERROR: Could not read the water mask\n" + reason + "\n");
        tbErrorBox(kExportTitle, "The water mask could not be read back; the flying site was not exported.");
        return false;
    }
    tbSiteExportInput input;
    input.folder = folder;
    input.exportName = getExportName();
    input.imageMode = file.imageMode;
    input.site = tbSiteTvfDataOf(file);
    input.ambientSound = file.ambientSound;
    if (file.imageMode == 0) {
        for (int slot = 0; slot < kSiteExportSlots; ++slot)
            readFace(slot, getCubeImageName(slot), getCubeTexture(slot), input.faces[slot], input.missing);
    } else if (file.imageMode == 1) {
        // The picture's own file is copied, so only whether it loaded counts.
        if (loaded(getSphereTexture())) input.sphereImage = getSphereImageName();
        else if (getSphereImageName() != kSiteNoImage)
            input.missing.push_back(notLoaded("Spherical", getSphereImageName(), kNotLoaded));
    }
    if (getReflectionCubemap() && tbDevice() &&
        !simReadTexture(*tbDevice(), getReflectionCubemap(), true, input.cubemap, &reason))
        input.missing.push_back("the reflection cube map: " + reason);
    if (file.waterEnabled) {
        d3dx::ImageLoadDesc level0;
        level0.mipLevels = 1;
        const d3dx::ImageResult mask =
            d3dx::LoadImageFromFileInMemory(file.waterMask.data(), file.waterMask.size(), level0, &input.waterMask);
        if (!mask.ok()) input.missing.push_back("the water mask: " + mask.reason);
    }

    const tbSiteExportReport report = tbExportSite(input, [this](float percent) { progress(percent); });
    const std::string message = tbSiteExportMessage(report);
    if (!message.empty()) tbErrorBox(kExportTitle, message);
    return report.siteFileWritten;
}
