#include "app/shell/tbSceneCameras.h"

#include <memory>
#include <utility>

#include "app/shell/tbCamera.h"
#include "app/shell/tbCameraRecord.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"

simScene* tbCurrentScene() { return g_graphics ? dynamic_cast<simScene*>(g_graphics->getScene()) : nullptr; }

bool tbUseSceneCamera(int32_t index) {
    simScene* scene = tbCurrentScene();
    simCamera* camera = scene ? scene->getCamera(index) : nullptr;
    if (!camera) return false;
    g_graphics->setCurrentCamera(camera);
    camera->apply();
    return true;
}

namespace {

tbCamera* sceneCamera(size_t index) {
    simScene* scene = tbCurrentScene();
    return scene ? dynamic_cast<tbCamera*>(scene->getCamera(int32_t(index))) : nullptr;
}

// The records of the cameras `camera(index)` gives, the first two at most.
class CameraRecords : public tbSceneCameras {
public:
    size_t count() const override {
        size_t n = 0;
        while (n < 2 && camera(n)) ++n;
        return n;
    }
    tbCameraRecordBytes save(size_t index) const override {
        const tbCamera* c = camera(index);
        return c ? tbWriteCameraRecord(c->toRecord()) : tbCameraRecordBytes{};
    }
    void load(size_t index, const tbCameraRecordBytes& bytes) override {
        tbCamera* c = camera(index);
        tbCameraRecord record;
        std::string reason;
        // A damaged record leaves that camera as it was; the project still opens.
        if (!c || !tbReadCameraRecord(bytes.data(), bytes.size(), record, &reason) || !c->fromRecord(record))
            simLog("tbSceneCameras - camera " + std::to_string(index) + " keeps its view: " + reason + "\n");
    }

private:
    virtual tbCamera* camera(size_t index) const = 0;
};

class SceneCameras : public CameraRecords {
    tbCamera* camera(size_t index) const override { return sceneCamera(index); }
};

class GivenCameras : public CameraRecords {
public:
    explicit GivenCameras(std::array<tbCamera*, 2> cameras) : m_cameras(cameras) {}

private:
    tbCamera* camera(size_t index) const override { return index < m_cameras.size() ? m_cameras[index] : nullptr; }
    std::array<tbCamera*, 2> m_cameras;
};

tbSceneCameras*& installed() {
    static tbSceneCameras* cameras = nullptr;
    return cameras;
}

}  // namespace

tbSceneCameras* tbSetSceneCameras(tbSceneCameras* cameras) { return std::exchange(installed(), cameras); }

std::unique_ptr<tbSceneCameras> tbMakeSceneCameras(std::array<tbCamera*, 2> cameras) {
    return std::make_unique<GivenCameras>(cameras);
}

tbSceneCameras& tbGetSceneCameras() {
    static SceneCameras scene;
    return installed() ? *installed() : scene;
}
