#include "app/scheme/tbSceneCameras.h"

#include <utility>

#include "app/shell/tbCamera.h"
#include "app/shell/tbCameraRecord.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"

simScene* tbCurrentScene() { return g_graphics ? dynamic_cast<simScene*>(g_graphics->getScene()) : nullptr; }

namespace {

tbCamera* sceneCamera(size_t index) {
    simScene* scene = tbCurrentScene();
    return scene ? dynamic_cast<tbCamera*>(scene->getCamera(int32_t(index))) : nullptr;
}

class SceneCameras : public tbSceneCameras {
public:
    size_t count() const override {
        size_t n = 0;
        while (n < 2 && sceneCamera(n)) ++n;
        return n;
    }
    tbToolSettings::CameraRecord save(size_t index) const override {
        const tbCamera* camera = sceneCamera(index);
        return camera ? tbWriteCameraRecord(camera->toRecord()) : tbToolSettings::CameraRecord{};
    }
    void load(size_t index, const tbToolSettings::CameraRecord& bytes) override {
        tbCamera* camera = sceneCamera(index);
        tbCameraRecord record;
        std::string reason;
        // A damaged record leaves that camera as it was; the project still opens.
        if (!camera || !tbReadCameraRecord(bytes.data(), bytes.size(), record, &reason) ||
            !camera->fromRecord(record))
            simLog("tbSceneCameras - camera " + std::to_string(index) + " keeps its view: " + reason + "\n");
    }
};

tbSceneCameras*& installed() {
    static tbSceneCameras* cameras = nullptr;
    return cameras;
}

}  // namespace

tbSceneCameras* tbSetSceneCameras(tbSceneCameras* cameras) { return std::exchange(installed(), cameras); }

tbSceneCameras& tbGetSceneCameras() {
    static SceneCameras scene;
    return installed() ? *installed() : scene;
}
