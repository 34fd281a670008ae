#include "app/shell/tbCameraCommands.h"

#include "app/shell/tbSceneCameras.h"
#include "app/shell/tbCamera.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"

void tbSetViewCameraOrientation(uint32_t mode) {
    if (tbCamera* camera = tbCamera::viewCamera()) camera->setOrientationMode(mode);
}

void tbResetViewCamera() {
    tbCamera* camera = tbCamera::viewCamera();
    simScene* scene = tbCurrentScene();
    if (!camera || !scene) return;
    for (int32_t index = 0; index < 4; ++index) {
        if (scene->getCamera(index) != camera) continue;
        camera->reset(kResetCameraPresets[index]);
        if (index == 1) {
            tbCamera::setViewCamera(camera);
            if (g_graphics) g_graphics->setCurrentCamera(camera);
            camera->apply();
        }
        return;
    }
}
