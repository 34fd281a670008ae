#include "app/site/tbSiteExporter.h"

#include <filesystem>
#include <system_error>

#include "app/shell/tbAtomicSave.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/utilsStrings.h"
#include "platform/sys/files.h"

namespace {

bool hasSound(const std::string& path) { return !path.empty() && path != "[none]"; }

// One export's writing: files go through the atomic save, and what cannot
// be written is noted by its name under the site folder.
class SiteWriter {
public:
    SiteWriter(const tbSiteExportInput& input, tbSiteExportReport& report)
        : names(input.folder, input.exportName), m_report(report) {}

    bool makeFolder(const std::string& folder) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (!error && sys::isDirectory(folder)) return true;
        m_folderError = "The folder " + folder + " could not be made: " +
                        (error ? error.message() : std::string("a file of that name is in the way"));
        return false;
    }
    const std::string& folderError() const { return m_folderError; }

    bool write(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::string error;
        if (tbSaveFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                                 &error))
            return true;
        missing(path, error);
        return false;
    }

    bool writeImage(const std::string& path, const d3dx::Image& image) {
        std::vector<uint8_t> file;
        const d3dx::ImageResult result = d3dx::SaveImageToFileInMemory(&file, d3dx::ImageFileFormat::Dds, image);
        if (!result.ok()) {
            missing(path, result.reason);
            return false;
        }
        return write(path, file);
    }

    bool copy(const std::string& source, const std::string& target) {
        // A sound or picture chosen from the site folder itself is already in
        // place; copying it over itself would empty it.
        std::error_code same;
        if (std::filesystem::equivalent(source, target, same)) return true;
        std::string error;
        if (sys::copyFile(source, target, true, &error)) return true;
        missing(target, error);
        return false;
    }

    void missing(const std::string& path, const std::string& reason) {
        const std::string& folder = names.folder();
        const bool inside = path.compare(0, folder.size(), folder) == 0 && path.size() > folder.size();
        m_report.missing.push_back((inside ? path.substr(folder.size() + 1) : path) + ": " + reason);
    }

    const tbSiteExportNames names;

private:
    tbSiteExportReport& m_report;
    std::string m_folderError;
};

void writeHighSet(SiteWriter& out, const tbSiteFaces& faces, const std::function<void(float)>& progress) {
    simLog("saving high-quality image-set...\n");
    progress(10);
    for (int slot = 0; slot < kSiteExportSlots; ++slot) {
        if (tbSiteHasImage(faces[slot])) out.writeImage(out.names.high(slot), faces[slot]);
        progress(15.0f + 5.0f * slot);
    }
}

void writeMediumSet(SiteWriter& out, const tbSiteFaces& faces, bool fromHighSet,
                    const std::function<void(float)>& progress) {
    simLog("saving medium-quality image-set...\n");
    progress(45);
    auto written = [&](int slot) { progress(60.0f + 5.0f * slot); };
    if (!fromHighSet) {
        for (int slot = 0; slot < kSiteExportSlots; ++slot) {
            if (!tbSiteHasImage(faces[slot])) continue;
            out.writeImage(out.names.medium(slot), faces[slot]);
            written(slot);
        }
        return;
    }
    tbSiteMediumSet(faces, [&](int slot, const d3dx::ImageResult& result, const d3dx::Image& face) {
        if (result.ok()) out.writeImage(out.names.medium(slot), face);
        else out.missing(out.names.medium(slot), result.reason);
        written(slot);
    });
}

void writeIcon(SiteWriter& out, const d3dx::Image& slot0) {
    d3dx::Image icon;
    const d3dx::ImageResult result = tbSiteIcon(slot0, &icon);
    if (result.ok()) out.writeImage(out.names.icon(), icon);
    else out.missing(out.names.icon(), result.reason);
}

void writeCubemap(SiteWriter& out, const d3dx::Image& cubemap) {
    // The cube map written before is kept as the backup first.
    if (sys::isRegularFile(out.names.cubemap())) out.copy(out.names.cubemap(), out.names.cubemapBackup());
    if (!out.writeImage(out.names.cubemap(), cubemap)) simLog("ERROR: Cubemap not exported\n");
}

std::vector<uint8_t> bitmapFile(SiteWriter& out, const d3dx::Image& image, const char* what) {
    std::vector<uint8_t> file;
    const d3dx::ImageResult result = d3dx::SaveImageToFileInMemory(&file, d3dx::ImageFileFormat::Bmp, image);
    if (!result.ok()) out.missing(what, result.reason);
    return file;
}

}  // namespace

tbSiteExportReport tbExportSite(const tbSiteExportInput& input, const std::function<void(float)>& progress) {
    tbSiteExportReport report;
    report.missing = input.missing;
    SiteWriter out(input, report);
    const tbSiteExportNames& names = out.names;
    simLog("[tbProject_flyingsite::exportScenery-" + input.folder + " >> ");
    progress(5);
    if (!out.makeFolder(names.folder())) {
        report.failure = out.folderError();
        simLog("ERROR: " + report.failure + "\n");
        return report;
    }

    tbSiteTvfData site = input.site;
    site.imageMode = input.imageMode;
    site.imageNames.clear();
    if (input.imageMode == 0) {
        // The pictures of a folder that cannot be made are reported one by one.
        out.makeFolder(names.mediumFolder());
        out.makeFolder(names.highFolder());
        const bool high = tbSiteHasHighSet(input.faces);
        if (high) writeHighSet(out, input.faces, progress);
        writeMediumSet(out, input.faces, high, progress);
        writeIcon(out, input.faces[0]);
        progress(90);
        for (int slot = 0; slot < kSiteExportSlots; ++slot)
            site.imageNames.push_back(tbSiteHasImage(input.faces[slot]) ? names.tvfFaceName(slot) : kSiteNoImage);
    } else if (input.imageMode == 1) {
        const bool copied = !input.sphereImage.empty() &&
                            out.copy(input.sphereImage, names.sphereCopy(input.sphereImage));
        site.imageNames.push_back(copied ? names.tvfSphereName(input.sphereImage) : kSiteNoImage);
    }
    if (tbSiteHasImage(input.cubemap)) writeCubemap(out, input.cubemap);

    progress(95);
    simLog(names.siteFile() + "...");
    site.cubemapName = names.tvfCubemapName();
    site.blackBitmap = tbSiteBlackBitmap();
    if (site.waterEnabled) site.waterMaskBitmap = bitmapFile(out, input.waterMask, "the water mask");
    site.ambientSoundName = hasSound(input.ambientSound) ? utils::getFileName(input.ambientSound) : std::string();
    std::string error;
    const std::vector<uint8_t> file = writeSiteTvfFile(site);
    if (!tbSaveFileAtomically(names.siteFile(),
                              std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), &error)) {
        report.failure = "The site file " + names.siteFile() + " could not be written: " + error;
        simLog("ERROR: " + report.failure + "\n");
        return report;
    }
    report.siteFileWritten = true;
    if (hasSound(input.ambientSound)) out.copy(input.ambientSound, names.sound(input.ambientSound));
    simLog("-tbProject_flyingsite::exportScenery]\n");
    progress(100);
    return report;
}

std::string tbSiteExportMessage(const tbSiteExportReport& report) {
    std::string text;
    if (!report.siteFileWritten) text = report.failure + "\nThe flying site was not exported.";
    if (!report.missing.empty()) {
        if (!text.empty()) text += "\n\n";
        text += "These images and files are missing from the flying site:";
        for (const std::string& line : report.missing) text += "\n" + line;
    }
    return text;
}
