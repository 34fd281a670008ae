// tbSceneCameras: the scene's first two cameras as a model-scheme project
// file stores them, at the end of its tool settings.
//
// The application installs one over its cameras; without one a project
// writes and expects no camera records. Reading expects exactly as many
// records as `count` gives, the cameras that exist.
#pragma once

#include <cstddef>

#include "app/scheme/tbToolSettings.h"

class tbSceneCameras {
public:
    virtual ~tbSceneCameras() = default;
    // The scene's cameras, at most two.
    virtual size_t count() const = 0;
    virtual tbToolSettings::CameraRecord save(size_t index) const = 0;
    virtual void load(size_t index, const tbToolSettings::CameraRecord& record) = 0;
};

// Installs the cameras (null: none) and gives back the ones they replace.
tbSceneCameras* tbSetSceneCameras(tbSceneCameras* cameras);
tbSceneCameras* tbGetSceneCameras();
