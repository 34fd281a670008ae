// The flying site's life: construction in the order the site's parts depend
// on each other, the setters of the bars, validation, the one place objects
// and positions are deleted, and destruction.
#include "app/site/tbProject_flyingsite.h"

#include <algorithm>

#include "app/shell/tbApplication.h"
#include "app/shell/tbCamera.h"
#include "app/shell/tbOwnResource.h"
#include "app/site/tbCollisionObject.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbReflectionCubemap.h"
#include "app/site/tbSiteBars.h"
#include "app/site/tbSiteSelectionBars.h"
#include "app/site/tbWaterBrush.h"
#include "app/site/tbWaterMask.h"
#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr const char* kCollection = "currentProject";
constexpr const char* kGeometryFolder = "tolvaneBuilder/geometry";
constexpr const char* kPreviewGeometry[] = {"fixedWing.geo",     "helicopter.geo",  "arrow.geo",
                                            "unitSphere.geo",    "unitCube.geo",    "unitCylinder.geo",
                                            "shinySphere.geo",   "shinyCube.geo",   "shinyCylinder.geo",
                                            "shinyPyramid.geo"};
constexpr uint32_t kFixedWing = 1;

simColour white() { return simColour::fromARGB(0xFFFFFFFF); }

simScene* scene() { return g_graphics ? dynamic_cast<simScene*>(g_graphics->getScene()) : nullptr; }

// The scene's light 0 takes the site's colour, when there is one; the
// lighting preview and the site's models show it at the next frame.
void lightColour(void (simLight::*set)(const simColour&), const simColour& colour) {
    simRequestRedraw();
    simScene* s = scene();
    if (simLight* light = s ? s->getLights().getLight(0) : nullptr) {
        (light->*set)(colour);
        light->apply();
    }
}

std::unique_ptr<manipulator> makeManipulator(bool translate, d3dx::Vector3* position, bool rotate,
                                             d3dx::Vector3* rotation, const std::string& label) {
    auto m = std::make_unique<manipulator>(translate, position, rotate, rotation, false, nullptr);
    m->positionTarget = position;
    m->rotationTarget = rotation;
    if (!label.empty()) m->setLabel(label, white());
    return m;
}

void setCollection(const char* name) {
    if (g_resources) g_resources->setCollection(name);
}

}  // namespace

tbProject_flyingsite::tbProject_flyingsite() {
    simLog("[tbProject_flyingsite- ");
    s_current = this;
    m_fileName = "New Project.tvq";
    m_cubeImageNames.fill(kNoImage);
    m_sphereImageName = kNoImage;

    m_reflectionCubemap = std::make_unique<tbReflectionCubemap>();
    if (!m_reflectionCubemap->create()) simLog("ERROR: reflection cubemap not created\n");
    m_waterMask = std::make_unique<tbWaterMask>();

    m_panoramaManipulator =
        makeManipulator(true, &m_panoramaPosition, true, &m_panoramaRotation, "Pano orientation");
    m_panoramaManipulator->matrixTarget = &m_panoramaOrientation;

    const d3dx::Vector3 helperStart(0, 0, 600), unitScale(1, 1, 1);
    m_distanceHelper = std::make_unique<manipulator>(true, &helperStart, false, nullptr, true, &unitScale);
    m_distanceHelper->setLabel("Distance helper", white());
    m_distanceHelper->labelMode = 3;
    std::copy_n(std::begin({1.0f, 0.0f, 1.0f}), 3, m_distanceHelper->translateAxes);
    std::copy_n(std::begin({0.0f, 1.0f, 0.0f}), 3, m_distanceHelper->scaleAxes);

    setCollection(kCollection);
    for (const char* name : kPreviewGeometry)
        if (g_resources) g_resources->findResource(nullptr, kGeometryFolder, name, "", true, true, 0);
    setCollection("");
    m_previewGeometry = dynamic_cast<simGeometry*>(simResources::getResource("shinySphere.geo", false));

    m_previewManipulator = makeManipulator(true, &m_previewPosition, false, nullptr, "");
    m_sunManipulator = makeManipulator(true, &m_sunPosition, false, nullptr, "Sun position");
    m_waterManipulator = makeManipulator(true, &m_waterPosition, false, nullptr, "Water");
    m_waterManipulator->labelMode = 3;
    // The water editor's "Enabled" may still show the last site's water.
    if (tbSiteBars* bars = tbCurrentSiteBars()) {
        bars->setChecked(tbSiteBars::Toggle::water, false);
        bars->showWaterEnabled(false);
    }

    m_windManipulator = makeManipulator(true, &m_windPosition, true, &m_windRotation, "Global wind");
    std::copy_n(std::begin({1.0f, 1.0f, 0.0f}), 3, m_windManipulator->rotateAxes);
    std::copy_n(std::begin({0.0f, 0.0f, 1.0f}), 3, m_windManipulator->scaleAxes);

    setAmbientColour(simColour::fromARGB(0xFF3C3C3C));
    setDiffuseColour(white());
    setSpecularColour(white());
    if (tbApp()) tbApp()->tools().setBrushSize(100.0f, 0.0f, 100.0f);
    m_paintStopwatch.start();
    if (simScene* s = scene())
        if (auto* pov = dynamic_cast<tbCamera*>(s->findCamera("POV"))) pov->setTarget({0, m_pilotEyeHeight, 0});
    simLog("tbProject_flyingsite]\n");
}

tbProject_flyingsite::~tbProject_flyingsite() {
    simLog("[~tbProject_flyingsite");
    releaseCameras();
    if (g_resources) g_resources->destroyCollection(kCollection);
    m_panoramaManipulator.reset();
    m_distanceHelper.reset();
    m_previewManipulator.reset();
    m_sunManipulator.reset();
    m_waterManipulator.reset();
    m_windManipulator.reset();
    m_waterMask.reset();
    m_reflectionCubemap.reset();
    deleteAll();
    m_images.clear();
    if (s_current == this) s_current = nullptr;
    simLog("~tbProject_flyingsite]");
}

bool tbProject_flyingsite::onNew(std::string) {
    if (!m_waterMask->create()) simLog("ERROR: water mask not created\n");
    simRequestRedraw();
    if (tbSiteBars* bars = tbCurrentSiteBars()) bars->showWindSpeed("0.0");
    return true;
}

bool tbProject_flyingsite::validate(std::string& message) {
    message.clear();
    for (const auto& position : m_positions)
        if (position->getName() == "default 1" && position->getKind() == kFixedWing) return true;
    message =
        "You must add at least the \"default 1\" starting position for fixed-wing models or your scenery will not "
        "load correctly in Tolvane.";
    return false;
}

// ---- Panorama and lighting.

simTexture* tbProject_flyingsite::loadSiteImage(const std::string& path) {
    if (path.empty() || path == kNoImage) return nullptr;
    auto found = m_images.find(path);
    if (found != m_images.end()) return found->second.get();
    // The site's own: no collection, so the index's sharing by file name
    // cannot hand another folder's image of the same name to this path.
    auto texture = tbMakeOwnResource<simTexture>(path, kImageOptions);
    if (g_application) g_application->setStatus(true, "success");
    if (!texture->getTexture()) return nullptr;
    return (m_images[path] = std::move(texture)).get();
}

void tbProject_flyingsite::setCubeImage(uint32_t slot, const std::string& path) {
    if (slot >= kCubeSlots) return;
    m_cubeImageNames[slot] = path;
    m_cubeTextures[slot] = loadSiteImage(path);
    buildReflectionCubemap();
    simRequestRedraw();
}

void tbProject_flyingsite::setSphereImage(const std::string& path) {
    m_sphereImageName = path;
    m_sphereTexture = loadSiteImage(path);
    simRequestRedraw();
}

void tbProject_flyingsite::setImageMode(uint32_t mode) {
    m_imageMode = mode;
    simRequestRedraw();
}

void tbProject_flyingsite::setPreviewGeometry(simGeometry* geometry) {
    m_previewGeometry = geometry;
    simRequestRedraw();
}

void tbProject_flyingsite::buildReflectionCubemap() {
    if (m_imageMode == 0) m_reflectionCubemap->build(m_cubeTextures);
}

gfx::TextureHandle tbProject_flyingsite::getReflectionCubemap() const { return m_reflectionCubemap->texture(); }

void tbProject_flyingsite::setAmbientColour(const simColour& colour) {
    m_ambientColour = colour;
    lightColour(&simLight::setAmbient, colour);
}

void tbProject_flyingsite::setDiffuseColour(const simColour& colour) {
    m_diffuseColour = colour;
    lightColour(&simLight::setDiffuse, colour);
}

void tbProject_flyingsite::setSpecularColour(const simColour& colour) {
    m_specularColour = colour;
    lightColour(&simLight::setSpecular, colour);
}

void tbProject_flyingsite::resetSunPosition() {
    m_sunPosition = {0, 250, 0};
    m_sunManipulator->setPosition(m_sunPosition);
    simRequestRedraw();
}

void tbProject_flyingsite::resetPanoramaOrientation() {
    m_panoramaPosition = {0, 0, 400};
    m_panoramaRotation = {0, 0, 0};
    m_panoramaManipulator->setPosition(m_panoramaPosition);
    m_panoramaManipulator->setRotation(m_panoramaRotation);
    simRequestRedraw();
}

// ---- Water.

void tbProject_flyingsite::setWaterEnabled(bool enabled) {
    m_waterEnabled = enabled ? 1 : 0;
    m_waterManipulator->enabled = m_waterEnabled;
    simRequestRedraw();
}

// The weather tool's arrows show the global wind's speed.
void tbProject_flyingsite::setWindSpeed(float metresPerSecond) {
    m_windSpeed = metresPerSecond;
    simRequestRedraw();
}

void tbProject_flyingsite::fillWaterMask(const simColour& colour) { m_waterMask->fill(colour.toARGB()); }

simTexture* tbProject_flyingsite::getWaterMaskTexture() const { return m_waterMask->texture(); }
gfx::SurfaceHandle tbProject_flyingsite::getWaterMaskSurface() const { return m_waterMask->surface(); }

void tbProject_flyingsite::paintWaterMask() {
    const d3dx::Vector3 none;
    if (!m_waterMask->exists() || (m_brushPoint.x == none.x && m_brushPoint.y == none.y && m_brushPoint.z == none.z))
        return;
    const tbSiteBars* bars = tbCurrentSiteBars();
    // The mask covers a square of 20000 units centred on the water.
    const float size = float(tbWaterMask::kSize);
    const float u = size * ((m_brushPoint.x - m_waterPosition.x + kWaterMaskExtent / 2) / kWaterMaskExtent);
    const float v = size * ((m_brushPoint.z - m_waterPosition.z + kWaterMaskExtent / 2) / kWaterMaskExtent);
    const float radius = tbWaterBrushTexelRadius(bars ? bars->waterBrushRadius() : 10);
    const uint32_t alpha = uint32_t(std::clamp(bars ? bars->waterBrushStrength() : 10, 0, 255));
    // White is water; the "clear" check paints it out, as "Clear" fills the mask black.
    const uint32_t rgb = bars && bars->waterBrushClears() ? 0u : 0xFFFFFFu;
    m_waterMask->dab(u, v, radius, alpha << 24 | rgb, tbApp() ? tbApp()->tools().getBrushTexture() : nullptr);
}

void tbProject_flyingsite::onDeviceReset() {
    m_waterMask->onDeviceReset();
    m_reflectionCubemap->onDeviceReset();
}

void tbProject_flyingsite::onDeviceRestore() {
    m_waterMask->onDeviceRestore();
    m_reflectionCubemap->onDeviceRestore();
}

// ---- Objects and positions.

void tbProject_flyingsite::addCollisionObject(std::unique_ptr<tbCollisionObject> object) {
    if (!object) return;
    m_collisionObjects.push_back(std::move(object));
    simRequestRedraw();
}

void tbProject_flyingsite::addPosition(std::unique_ptr<tbFlyingSitePosition> position) {
    if (!position) return;
    m_positions.push_back(std::move(position));
    simRequestRedraw();
}

void tbProject_flyingsite::deleteCollisionObject(tbCollisionObject* object) {
    auto found = std::find_if(m_collisionObjects.begin(), m_collisionObjects.end(),
                              [object](const auto& o) { return o.get() == object; });
    if (found == m_collisionObjects.end()) return;
    if (tbSiteBars* bars = tbCurrentSiteBars()) bars->unlistObject(object);
    if (tbSiteSelectionBars* shown = tbSiteSelectionBars::installed()) {
        if (shown->collisionBarObject() == object) shown->showInCollisionBar(nullptr);
        if (object->isWindArea()) shown->showInWeatherBar(nullptr);
    }
    // Its manipulator leaves the container with it, and with it any
    // selection of it.
    m_collisionObjects.erase(found);
    simRequestRedraw();
}

void tbProject_flyingsite::deletePosition(tbFlyingSitePosition* position) {
    auto found = std::find_if(m_positions.begin(), m_positions.end(),
                              [position](const auto& p) { return p.get() == position; });
    if (found == m_positions.end()) return;
    if (tbSiteBars* bars = tbCurrentSiteBars()) bars->unlistPosition(position);
    if (tbSiteSelectionBars* shown = tbSiteSelectionBars::installed())
        if (shown->positionsBarPosition() == position) shown->showInPositionsBar(nullptr);
    m_positions.erase(found);
    simRequestRedraw();
}

void tbProject_flyingsite::deleteAll() {
    while (!m_collisionObjects.empty()) deleteCollisionObject(m_collisionObjects.front().get());
    while (!m_positions.empty()) deletePosition(m_positions.front().get());
    if (tbSiteBars* bars = tbCurrentSiteBars()) bars->clearLists();
}

std::string tbProject_flyingsite::windowTitle(const std::string& applicationTitle) const {
    return m_hasFile ? applicationTitle + " - " + m_fileName : applicationTitle;
}
