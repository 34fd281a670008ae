// tbSceneCameras: the scene's first two cameras as a project file stores
// them (a model scheme keeps them at the end of its tool settings).
//
// By default they are the current scene's cameras 0 and 1, those that exist
// and are application cameras (`tbCamera`); tests install others. Reading
// expects exactly as many records as `count` gives.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/shell/tbCameraRecord.h"

class simScene;
class tbCamera;

// The graphics system's scene, or null.
simScene* tbCurrentScene();
// Makes the current scene's camera `index` the graphics system's current
// camera and applies it; false when there is no such camera.
bool tbUseSceneCamera(int32_t index);

class tbSceneCameras {
public:
    virtual ~tbSceneCameras() = default;
    // The scene's cameras, at most two.
    virtual size_t count() const = 0;
    virtual tbCameraRecordBytes save(size_t index) const = 0;
    virtual void load(size_t index, const tbCameraRecordBytes& record) = 0;
};

// Installs other cameras (null: the scene's again) and gives back the ones
// they replace.
tbSceneCameras* tbSetSceneCameras(tbSceneCameras* cameras);
// Records of the two cameras given (the application's own); a null camera
// counts as missing, and so do those after it.
std::unique_ptr<tbSceneCameras> tbMakeSceneCameras(std::array<tbCamera*, 2> cameras);
// The installed cameras, or the scene's.
tbSceneCameras& tbGetSceneCameras();
