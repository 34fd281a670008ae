// tbProject_flyingsite: one open flying site, the document of the site editor.
//
// It owns everything the user builds for a site: the panorama images (six
// cube faces or one spherical image) and their orientation, the lighting
// colours and the sun, the water plane with its painted 2048 x 2048 water
// mask, the global wind, the ambient sound and reverb switches, the
// collision objects and the starting positions. The project is the only
// owner of its objects and positions: the bars list them (tbSiteBars) and
// are told before one goes (`deleteCollisionObject`, `deletePosition`).
//
//   construction  site manipulators, the reflection cube map (six white
//                 faces), the lighting preview's models; no water mask yet;
//   onNew         makes the water mask, all white;
//   open / save   the project file (.tvq, tbFlyingSiteFile.h): open reads and
//                 checks the whole file before it changes the site, so a bad
//                 file leaves the site as it was; save writes a temporary
//                 file beside the target and renames it over the old one
//                 only when every byte is written;
//   exportScenery the site folder with its .tvf file (tbProject_flyingsiteExport.cpp).
//
// The water mask and the reflection cube map live on the device and survive
// a lost device as DDS images in memory. Images loaded for the site join the
// resource collection "currentProject", which goes with the project.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbProject.h"
#include "engine/core/simColour.h"
#include "engine/core/utilsTimer.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/handles.h"

class manipulator;
class simGeometry;
class simTexture;
class tbCollisionObject;
class tbFlyingSitePosition;
class tbReflectionCubemap;
class tbWaterMask;
struct tbFlyingSiteFileData;

class tbProject_flyingsite : public tbProject, public simDeviceDependantObject {
public:
    static constexpr uint32_t kCurrentVersion = 2;
    static constexpr float kWaterMaskExtent = 20000.0f;  // world units the mask covers a side
    static constexpr const char* kNoImage = "[No image]";
    // The panorama's faces carry mip levels: the sky box shows a 2048 x 2048
    // face on a few hundred pixels in the second view's inset.
    static constexpr const char* kImageOptions = "forceMipmaps | forceCompression | managedResourcePool";

    // Cube image slots, in the order of the file: -X, +X, -Y, +Y, -Z, +Z.
    static constexpr int kCubeSlots = 6;

    tbProject_flyingsite();
    ~tbProject_flyingsite() override;

    std::string getClassName() override { return "tbProject_flyingsite"; }
    std::string getTypeName() override { return "tbProject_flyingsite"; }

    // ---- The project contract.
    void render() override;
    // Makes the water mask, all white. True.
    bool onNew(std::string unused) override;
    bool open(std::string path) override;
    // Reads and checks the whole file as open does, building nothing of a
    // site; a refused file is told to the user.
    static bool checkFile(const std::string& path);
    bool save(std::string path) override;
    // True when a position named exactly "default 1" is of kind 1 (fixed
    // wing); otherwise the message says what is missing.
    bool validate(std::string& message) override;
    // Writes the site folder `folder` with its .tvf file and image sets.
    virtual bool exportScenery(std::string folder);

    void update() override;
    void onEvent(simInputEvent* event) override;

    void onDeviceReset() override;
    void onDeviceRestore() override;

    // ---- Setters of the bars.
    // Slot 0..5 (others are ignored): loads the image, stores the path and
    // the texture and rebuilds the reflection cube map.
    void setCubeImage(uint32_t slot, const std::string& path);
    void setSphereImage(const std::string& path);
    // Also into the scene's light 0, when there is one.
    void setAmbientColour(const simColour& colour);
    void setDiffuseColour(const simColour& colour);
    void setSpecularColour(const simColour& colour);
    void setWaterEnabled(bool enabled);
    // The whole mask; the water editor's "Opaque" passes white, "Clear" black.
    void fillWaterMask(const simColour& colour);
    void resetSunPosition();
    void resetPanoramaOrientation();
    void buildReflectionCubemap();
    // One dab of the water brush at the brush point.
    void paintWaterMask();

    void setInterior(bool interior) { m_interior = interior; }
    void setReverb(bool reverb) { m_reverb = reverb; }
    void setAmbientSound(const std::string& path) { m_ambientSound = path; }
    void setWindSpeed(float metresPerSecond);
    void setImageMode(uint32_t mode);
    void setPreviewGeometry(simGeometry* geometry);
    void setSiteName(const std::string& name) { m_siteName = name; }
    void setSiteDescription(const std::string& text) { m_siteDescription = text; }

    // ---- Objects and positions: owned by the project alone.
    // Appends; the project owns it from now on.
    void addCollisionObject(std::unique_ptr<tbCollisionObject> object);
    void addPosition(std::unique_ptr<tbFlyingSitePosition> position);
    // Takes it out of every bar list and selection, then deletes it.
    void deleteCollisionObject(tbCollisionObject* object);
    void deletePosition(tbFlyingSitePosition* position);
    const std::list<std::unique_ptr<tbCollisionObject>>& getCollisionObjects() const { return m_collisionObjects; }
    const std::list<std::unique_ptr<tbFlyingSitePosition>>& getPositions() const { return m_positions; }

    // ---- Fields, as the export and the scene read them.
    uint32_t getFileVersion() const { return m_fileVersion; }
    bool getWaterEnabled() const { return m_waterEnabled != 0; }
    bool getInterior() const { return m_interior != 0; }
    bool getReverb() const { return m_reverb != 0; }
    const simColour& getAmbientColour() const { return m_ambientColour; }
    const simColour& getDiffuseColour() const { return m_diffuseColour; }
    const simColour& getSpecularColour() const { return m_specularColour; }
    const std::string& getSiteName() const { return m_siteName; }
    const std::string& getSiteDescription() const { return m_siteDescription; }
    uint32_t getImageMode() const { return m_imageMode; }
    const std::string& getCubeImageName(int slot) const { return m_cubeImageNames[slot]; }
    simTexture* getCubeTexture(int slot) const { return m_cubeTextures[slot]; }
    const std::string& getSphereImageName() const { return m_sphereImageName; }
    simTexture* getSphereTexture() const { return m_sphereTexture; }
    gfx::TextureHandle getReflectionCubemap() const;
    const d3dx::Vector3& getPanoramaRotation() const { return m_panoramaRotation; }
    const d3dx::Vector3& getPanoramaPosition() const { return m_panoramaPosition; }
    const d3dx::Matrix& getPanoramaOrientation() const { return m_panoramaOrientation; }
    const d3dx::Matrix& getPanoramaTransform() const { return m_panoramaTransform; }
    d3dx::Matrix& panoramaTransform() { return m_panoramaTransform; }
    float getPilotEyeHeight() const { return m_pilotEyeHeight; }
    const std::string& getAmbientSound() const { return m_ambientSound; }
    simTexture* getWaterMaskTexture() const;
    gfx::SurfaceHandle getWaterMaskSurface() const;
    tbWaterMask& waterMask() const { return *m_waterMask; }
    simGeometry* getPreviewGeometry() const { return m_previewGeometry; }
    const d3dx::Vector3& getPreviewPosition() const { return m_previewPosition; }
    const d3dx::Vector3& getSunPosition() const { return m_sunPosition; }
    const d3dx::Vector3& getWaterPosition() const { return m_waterPosition; }
    const d3dx::Vector3& getBrushPoint() const { return m_brushPoint; }
    void setBrushPoint(const d3dx::Vector3& point) { m_brushPoint = point; }
    const d3dx::Vector3& getWindRotation() const { return m_windRotation; }
    const d3dx::Vector3& getWindPosition() const { return m_windPosition; }
    float getWindSpeed() const { return m_windSpeed; }
    utils::Timer& paintStopwatch() { return m_paintStopwatch; }

    manipulator* getPanoramaManipulator() const { return m_panoramaManipulator.get(); }
    manipulator* getDistanceHelper() const { return m_distanceHelper.get(); }
    manipulator* getPreviewManipulator() const { return m_previewManipulator.get(); }
    manipulator* getSunManipulator() const { return m_sunManipulator.get(); }
    manipulator* getWaterManipulator() const { return m_waterManipulator.get(); }
    manipulator* getWindManipulator() const { return m_windManipulator.get(); }

    // The progress of an open, in percent, goes to `sink` (the shell's
    // progress box).
    void setProgressSink(std::function<void(float)> sink);

    // "<application title> - <file name>" once the site has a file, else the
    // application title alone; `applicationTitle` is "TolvaneBuilder <version>".
    std::string windowTitle(const std::string& applicationTitle) const;

    // The open flying site, or null.
    static tbProject_flyingsite* current() { return s_current; }

private:
    // ---- The frame's drawing, pass by pass (tbProject_flyingsite_render.cpp).
    void renderPanorama();
    void drawPanoramaCube();
    void renderLightingPreview();
    void renderCollisionTool();
    void renderPositionsTool();
    void renderWeatherTool();
    // The site draws through its own cameras and hands the user's driving to
    // them; when it goes, the cameras are as the program started them.
    static void releaseCameras();

    // The image at `path` (its full path: two folders may hold images of one
    // name), loaded once for the site; null when it cannot be loaded.
    simTexture* loadSiteImage(const std::string& path);
    // The file's records into the site (open), and the site into them (save).
    void applyFile(tbFlyingSiteFileData& file,
                   std::vector<std::unique_ptr<tbCollisionObject>> objects,
                   std::vector<std::unique_ptr<tbFlyingSitePosition>> positions);
    bool collectFile(tbFlyingSiteFileData& file, std::string& reason) const;
    void progress(float percent) const;
    void placeManipulators();
    void showInBars() const;
    // Empties both lists, telling the bars first.
    void deleteAll();
    // Click-to-create (tbProject_flyingsiteEvents.cpp).
    void createFromClick(const d3dx::Vector3& ground);
    void createCollisionObjects(const d3dx::Vector3& ground);

    uint32_t m_fileVersion = 0;
    uint8_t m_waterEnabled = 0;
    uint8_t m_interior = 0;
    uint8_t m_reverb = 0;
    simColour m_ambientColour, m_diffuseColour, m_specularColour;
    std::string m_siteName;
    std::string m_siteDescription;
    uint32_t m_imageMode = 0;
    std::array<std::string, kCubeSlots> m_cubeImageNames;
    std::array<simTexture*, kCubeSlots> m_cubeTextures{};
    std::string m_sphereImageName;
    simTexture* m_sphereTexture = nullptr;
    std::unique_ptr<tbReflectionCubemap> m_reflectionCubemap;  // 512 x 512 a face
    std::unique_ptr<manipulator> m_panoramaManipulator;
    d3dx::Vector3 m_panoramaRotation;
    d3dx::Vector3 m_panoramaPosition{0, 0, 400};  // only its height is used
    d3dx::Matrix m_panoramaOrientation = d3dx::Matrix::identity();
    d3dx::Matrix m_panoramaTransform = d3dx::Matrix::identity();
    float m_pilotEyeHeight = 160.0f;
    std::string m_ambientSound;
    std::unique_ptr<tbWaterMask> m_waterMask;  // 2048 x 2048, made by onNew and open
    std::map<std::string, std::unique_ptr<simTexture>> m_images;  // by full path
    simGeometry* m_previewGeometry = nullptr;
    std::unique_ptr<manipulator> m_windManipulator;
    std::unique_ptr<manipulator> m_previewManipulator;
    std::unique_ptr<manipulator> m_sunManipulator;
    std::unique_ptr<manipulator> m_waterManipulator;
    std::unique_ptr<manipulator> m_distanceHelper;
    d3dx::Vector3 m_previewPosition{0, 0, 200};
    d3dx::Vector3 m_sunPosition{0, 1000, 0};
    d3dx::Vector3 m_waterPosition{0, 0, 250};  // centre and height of the water plane
    d3dx::Vector3 m_brushPoint;                // (0, 0, 0): none yet
    d3dx::Vector3 m_windRotation;
    d3dx::Vector3 m_windPosition;
    float m_windSpeed = 0.0f;  // metres per second
    utils::Timer m_paintStopwatch;
    std::list<std::unique_ptr<tbCollisionObject>> m_collisionObjects;
    std::list<std::unique_ptr<tbFlyingSitePosition>> m_positions;
    std::function<void(float)> m_progressSink;
    bool m_hasFile = false;  // saved or opened: the title names the file

    static inline tbProject_flyingsite* s_current = nullptr;
};
