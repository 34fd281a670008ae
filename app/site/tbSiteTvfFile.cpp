#include "app/site/tbSiteTvfFile.h"

#include "app/shell/tbRecordArchive.h"
#include "app/site/tbSiteExportNames.h"

namespace {

constexpr char kMagic[] = "TOLVANEBUILDER FLYING SITE";

void writeMatrix(tbWriteArchive& out, const d3dx::Matrix& m) {
    for (const auto& row : m.m)
        for (float f : row) out.f32(f);
}

// Alpha first, as every site file keeps the colour record.
void writeColour(tbWriteArchive& out, const simColour& c) {
    for (int32_t part : {c.alpha, c.red, c.green, c.blue}) out.i32(part);
}

void writeBlob(tbWriteArchive& out, const std::vector<uint8_t>& bytes) {
    out.u32(uint32_t(bytes.size()));
    out.bytes(bytes.data(), bytes.size());
}

}  // namespace

tbSiteTvfData tbSiteTvfDataOf(const tbFlyingSiteFileData& project) {
    tbSiteTvfData d;
    d.siteName = project.siteName;
    d.siteDescription = project.siteDescription;
    d.imageMode = project.imageMode;
    d.interior = project.interior;
    d.panoramaRotation = project.panoramaRotation;
    d.panoramaTransform = project.panoramaTransform;
    d.ambient = project.ambient;
    d.diffuse = project.diffuse;
    d.specular = project.specular;
    d.sunPosition = project.sunPosition;
    d.positions = project.positions;
    d.objects = project.objects;
    d.waterEnabled = project.waterEnabled;
    d.waterPosition = project.waterPosition;
    d.windSpeed = project.windSpeed[0];
    d.windRotation = project.windRotation;
    d.reverb = project.reverb;
    return d;
}

std::vector<uint8_t> writeSiteTvfFile(const tbSiteTvfData& d) {
    tbWriteArchive out;
    out.text(kMagic, kFlyingSiteMagicSize);
    out.u32(kSiteTvfVersion);
    out.text(d.siteName, kFlyingSiteTextSize);
    out.text(d.siteDescription, kFlyingSiteTextSize);
    out.u32(d.imageMode);
    out.u8(d.interior);
    // The mode decides how many names the simulator reads; any it lacks is none.
    const size_t names = d.imageMode == 0 ? kSiteExportSlots : d.imageMode == 1 ? 1 : 0;
    for (size_t i = 0; i < names; ++i)
        out.text(i < d.imageNames.size() ? d.imageNames[i] : kSiteNoImage, kFlyingSiteTextSize);
    tbTransferVec3(out, d.panoramaRotation);
    writeMatrix(out, d.panoramaTransform);
    out.text(d.cubemapName, kFlyingSiteTextSize);
    writeColour(out, d.ambient);
    writeColour(out, d.diffuse);
    writeColour(out, d.specular);
    tbTransferVec3(out, d.sunPosition);
    out.u32(uint32_t(d.positions.size()));
    for (const tbSitePositionRecord& record : d.positions) out.bytes(record.data(), record.size());
    out.u32(uint32_t(d.objects.size()));
    for (const tbSiteObjectEntry& entry : d.objects) {
        out.u32(entry.tag);
        out.bytes(entry.record.data(), entry.record.size());
    }
    writeBlob(out, d.blackBitmap);
    out.u8(d.waterEnabled);
    if (d.waterEnabled) {
        tbTransferVec3(out, d.waterPosition);
        writeBlob(out, d.waterMaskBitmap);
    }
    out.u8(d.windSpeed > 0.0f ? 1 : 0);
    for (int i = 0; i < 3; ++i) out.f32(d.windSpeed);
    tbTransferVec3(out, d.windRotation);
    out.text(d.ambientSoundName, kSiteTvfSoundSize);
    out.u8(d.reverb);
    return out.take();
}
