// The export of a flying site into its folder, over a plain record of what
// the site holds (tbSiteExportInput), so that it runs without a device.
// `tbProject_flyingsite::exportScenery` reads the site's textures back into
// that record and hands it here.
//
// What it writes is named in tbSiteExportNames.h. Every file is
// written beside its target and renamed over it once complete, so a failure
// never leaves half a file. The site file is written last of the pictures:
// when it cannot be written the export fails with the reason and no .tvf is
// left; a folder that cannot be made fails before anything is written.
// Pictures that cannot be read or written do not stop the export: they are
// collected and reported by name, while the site file still names them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/site/tbSiteExportImages.h"
#include "app/site/tbSiteTvfFile.h"

struct tbSiteExportInput {
    std::string folder;      // the site folder (F), a full path
    std::string exportName;  // the project's export name (S)
    uint32_t imageMode = 0;  // 0 six cube images, 1 one spherical image
    tbSiteFaces faces;       // six-image mode: level 0 of each slot's texture
    std::string sphereImage;  // one-image mode: the loaded picture's path, empty when none is loaded
    d3dx::Image cubemap;      // the reflection cube map; no surfaces when the project has none
    d3dx::Image waterMask;    // read only with the water enabled
    std::string ambientSound;  // path; empty or "[none]" when there is none
    // Everything else of the site file; the image, cube map, sound and
    // bitmap fields are filled by the export.
    tbSiteTvfData site;
    // Images already known to be missing (a slot whose picture never
    // loaded, a texture that could not be read back), one line each.
    std::vector<std::string> missing;
};

struct tbSiteExportReport {
    bool siteFileWritten = false;
    std::string failure;               // why the site file was not written
    std::vector<std::string> missing;  // one line per picture or file left out
};

// Writes the site. `progress` gets percentages 0..100 between the steps.
tbSiteExportReport tbExportSite(const tbSiteExportInput& input, const std::function<void(float)>& progress);

// The user's text for a report: empty when everything was written.
std::string tbSiteExportMessage(const tbSiteExportReport& report);
