// The flying site to and from its project file (.tvq). Open reads and checks
// the whole file, then builds every object and position from it, and only
// then replaces what the site holds; save builds the whole file in memory
// and writes it through the shell's atomic save.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/shell/tbAtomicSave.h"
#include "app/shell/tbErrorBox.h"
#include "app/shell/tbFileBytes.h"
#include "app/site/tbCollisionObject.h"
#include "app/site/tbCollisionObjectRecords.h"
#include "app/site/tbFlyingSiteFile.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbReflectionCubemap.h"
#include "app/site/tbSiteBars.h"
#include "app/site/tbSiteGizmo.h"
#include "app/site/tbWaterMask.h"
#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/manipulator.h"

namespace {

constexpr const char* kOpenTitle = "Error opening project";
constexpr const char* kSaveTitle = "Error saving project";
constexpr const char* kUnreadable = "The project file appears to be invalid, or has been deleted.";
// Header, mask and the largest objects fit many times over; anything larger
// is not one of ours.
constexpr uint64_t kMaxProjectBytes = 2ull << 30;

std::string speedText(float speed) {
    char text[32];
    std::snprintf(text, sizeof text, "%0.1f", speed);
    return text;
}

}  // namespace

void tbProject_flyingsite::setProgressSink(std::function<void(float)> sink) { m_progressSink = std::move(sink); }

void tbProject_flyingsite::progress(float percent) const {
    if (m_progressSink) m_progressSink(percent);
}

namespace {

using Objects = std::vector<std::unique_ptr<tbCollisionObject>>;
using Positions = std::vector<std::unique_ptr<tbFlyingSitePosition>>;

// Reads and checks the whole file and builds every object and position from
// it, nothing of the site touched; on refusal the reason is logged and the
// user told.
bool readWholeSite(const std::string& path, tbFlyingSiteFileData& file, Objects& objects, Positions& positions) {
    std::vector<uint8_t> bytes;
    std::string reason = "it cannot be read";
    bool sound = tbReadWholeFile(path, bytes, kMaxProjectBytes) &&
                 readFlyingSiteFile(bytes.data(), bytes.size(), tbCheckCollisionObjectRecord, file, reason);
    for (size_t i = 0; sound && i < file.objects.size(); ++i) {
        tbReadArchive in(file.objects[i].record.data(), file.objects[i].record.size());
        objects.push_back(tbReadCollisionObjectRecord(file.objects[i].tag, in));
        if (!objects.back()) {
            reason = in.error();
            sound = false;
        }
    }
    for (size_t i = 0; sound && i < file.positions.size(); ++i) {
        tbReadArchive in(file.positions[i].data(), file.positions[i].size());
        positions.push_back(tbFlyingSitePosition::read(in));
        if (!positions.back()) {
            reason = "position " + std::to_string(i) + ": " + in.error();
            sound = false;
        }
    }
    // Their manipulators stay hidden until the site's frame shows them by
    // tool: frames drawn while the open's progress box repaints would
    // otherwise draw them, labels and all, through cameras the site has not
    // yet set up for the view.
    for (const auto& object : objects)
        if (object) object->enableManipulator(false);
    for (const auto& position : positions)
        if (position) tbEnableGizmo(position->getManipulator(), false);
    if (!sound) {
        simLog("ERROR: Invalid or corrupt file\n" + path + ": " + reason + "\n");
        tbErrorBox(kOpenTitle, kUnreadable);
    }
    return sound;
}

}  // namespace

bool tbProject_flyingsite::checkFile(const std::string& path) {
    tbFlyingSiteFileData file;
    Objects objects;
    Positions positions;
    return readWholeSite(path, file, objects, positions);
}

bool tbProject_flyingsite::open(std::string path) {
    simLog("[tbProject_flyingsite::open-" + path + "...");
    progress(0);
    // Every object and position is built before the site changes, so a file
    // that is refused leaves the site as it was.
    tbFlyingSiteFileData file;
    Objects objects;
    Positions positions;
    if (!readWholeSite(path, file, objects, positions)) return false;
    m_fileName = utils::getFileName(path);
    m_hasFile = true;
    applyFile(file, std::move(objects), std::move(positions));
    simLog("-tbProject_flyingsite::open]\n");
    return true;
}

void tbProject_flyingsite::applyFile(tbFlyingSiteFileData& file,
                                     std::vector<std::unique_ptr<tbCollisionObject>> objects,
                                     std::vector<std::unique_ptr<tbFlyingSitePosition>> positions) {
    deleteAll();
    m_fileVersion = file.version;
    m_exportName = file.exportName;
    m_siteName = file.siteName;
    m_siteDescription = file.siteDescription;
    m_imageMode = file.imageMode;
    m_interior = file.interior ? 1 : 0;

    progress(5);
    for (int slot = 0; slot < kCubeSlots; ++slot) {
        m_cubeImageNames[slot] = file.cubeImages[slot];
        m_cubeTextures[slot] = loadSiteImage(file.cubeImages[slot]);
        progress(5.0f + 10.0f * float(slot));
    }
    buildReflectionCubemap();
    progress(75);
    setSphereImage(file.sphereImage);

    m_panoramaRotation = file.panoramaRotation;
    m_panoramaPosition = file.panoramaPosition;
    m_panoramaTransform = file.panoramaTransform;
    simLog("lighting...");
    setAmbientColour(file.ambient);
    setDiffuseColour(file.diffuse);
    setSpecularColour(file.specular);
    m_sunPosition = file.sunPosition;
    progress(85);

    simLog("collision: " + std::to_string(objects.size()) + " objects...");
    for (auto& object : objects) m_collisionObjects.push_back(std::move(object));

    simLog("water...");
    m_waterEnabled = file.waterEnabled ? 1 : 0;
    m_waterPosition = file.waterPosition;
    progress(90);
    simLog("water-mask...");
    std::string maskReason;
    if (m_waterMask->create() && !m_waterMask->load(file.waterMask, &maskReason)) {
        simLog("ERROR: Water mask not loaded\n" + maskReason + "\n");
        tbErrorBox(kOpenTitle, "The water mask of " + m_fileName +
                                   " cannot be read; the site opens with a white water mask.");
    }

    progress(95);
    simLog("positions: " + std::to_string(positions.size()) + " positions...");
    for (auto& position : positions) m_positions.push_back(std::move(position));

    m_windSpeed = file.windFlag ? file.windSpeed[2] : 0.0f;
    m_windRotation = file.windFlag ? file.windRotation : d3dx::Vector3();
    m_windPosition = file.windFlag ? file.windPosition : d3dx::Vector3();
    if (file.version >= 2) {
        m_ambientSound = file.ambientSound;
        m_reverb = file.reverb ? 1 : 0;
    } else {
        // Version 1 kept the water plane at the origin, whatever its gizmo said.
        m_waterPosition.x = 0;
        m_waterPosition.z = 0;
    }
    placeManipulators();
    showInBars();
    simRequestRedraw();
}

void tbProject_flyingsite::placeManipulators() {
    m_panoramaManipulator->setPosition(m_panoramaPosition);
    m_panoramaManipulator->setRotation(m_panoramaRotation);
    m_sunManipulator->setPosition(m_sunPosition);
    m_waterManipulator->setPosition(m_waterPosition);
    m_windManipulator->setPosition(m_windPosition);
    m_windManipulator->setRotation(m_windRotation);
}

void tbProject_flyingsite::showInBars() const {
    tbSiteBars* bars = tbCurrentSiteBars();
    if (!bars) return;
    for (const auto& object : m_collisionObjects) {
        bars->listObject(tbSiteBars::Bar::collision, object.get(), false);
        if (object->isWindArea()) bars->listObject(tbSiteBars::Bar::weather, object.get(), false);
    }
    for (const auto& position : m_positions) bars->listPosition(position.get(), false);
    bars->showWaterEnabled(m_waterEnabled != 0);
    bars->showWindSpeed(speedText(m_windSpeed));
    bars->showPanorama(m_imageMode, m_interior != 0, m_reverb != 0, m_ambientSound);
}

bool tbProject_flyingsite::collectFile(tbFlyingSiteFileData& file, std::string& reason) const {
    file.version = kCurrentVersion;
    file.exportName = m_exportName;
    file.siteName = m_siteName;
    file.siteDescription = m_siteDescription;
    file.imageMode = m_imageMode;
    file.interior = m_interior;
    // A slot whose image could not be loaded is kept as empty: the next
    // open would find nothing there either.
    for (int slot = 0; slot < kCubeSlots; ++slot)
        file.cubeImages[slot] = m_cubeTextures[slot] ? m_cubeImageNames[slot] : kNoImage;
    file.sphereImage = m_sphereTexture ? m_sphereImageName : kNoImage;
    file.panoramaRotation = m_panoramaRotation;
    file.panoramaPosition = m_panoramaPosition;
    file.panoramaTransform = m_panoramaTransform;
    file.ambient = m_ambientColour;
    file.diffuse = m_diffuseColour;
    file.specular = m_specularColour;
    file.sunPosition = m_sunPosition;
    for (const auto& object : m_collisionObjects) {
        tbWriteArchive out;
        tbWriteCollisionObjectRecord(out, *object);
        file.objects.push_back({object->getType(), out.take()});
    }
    file.waterEnabled = m_waterEnabled;
    file.waterPosition = m_waterPosition;
    // A site whose device gave no mask has nothing painted: its mask is white.
    if (!m_waterMask->exists())
        file.waterMask = tbWaterMask::whiteDds();
    else if (!m_waterMask->save(file.waterMask, &reason))
        return false;
    for (const auto& position : m_positions) {
        tbWriteArchive out;
        position->save(out);
        const std::vector<uint8_t> record = out.take();
        tbSitePositionRecord& fixed = file.positions.emplace_back();
        std::copy_n(record.begin(), std::min(record.size(), fixed.size()), fixed.begin());
    }
    file.windFlag = m_windSpeed > 0 ? 1 : 0;
    file.windSpeed.fill(m_windSpeed);
    file.windRotation = m_windRotation;
    file.windPosition = m_windPosition;
    file.ambientSound = m_ambientSound;
    file.reverb = m_reverb;
    return true;
}

bool tbProject_flyingsite::save(std::string path) {
    simLog("[tbProject_flyingsite::save-" + path + "...");
    tbFlyingSiteFileData file;
    std::string reason;
    if (!collectFile(file, reason)) {
        simLog("ERROR: Could not write water mask\n" + reason + "\n");
        tbErrorBox(kSaveTitle, "The water mask could not be read back; the project was not saved.");
        return false;
    }
    const std::vector<uint8_t> bytes = writeFlyingSiteFile(file);
    // A failed save leaves the target as it was, so whether a file was there
    // before is what the message may claim.
    std::error_code existsError;
    const bool replacing = std::filesystem::exists(path, existsError);
    std::string error;
    if (!tbSaveFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                              &error)) {
        tbErrorBox(kSaveTitle, "The project could not be saved to " + path + ":\n" + error +
                                   (replacing ? "\nThe file that was there is unchanged." : ""));
        return false;
    }
    m_fileName = utils::getFileName(path);
    m_hasFile = true;
    simLog("-tbProject_flyingsite::save]\n");
    return true;
}
