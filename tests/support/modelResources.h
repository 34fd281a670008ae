// A resource tree and registry for model tests.
//
// The test's program lives in <temp>/bin, so its resource root is
// <temp>/bin/resources; the registry is made here (after the graphics
// system, so that it is destroyed before it) with the texture and model
// loaders. Files are written into the tree by the test, models through the
// .geo writer, textures as small BMP files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/core/simResources.h"
#include "engine/graphics/geoFile.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/tempFolder.h"

class simGeometry;

namespace testsupport {

class ModelResources {
public:
    explicit ModelResources(HeadlessEngine& engine);
    // Deletes every resource, then the registry.
    ~ModelResources();
    ModelResources(const ModelResources&) = delete;
    ModelResources& operator=(const ModelResources&) = delete;

    // The resource root, without a trailing '/'.
    std::string root() const { return temp.path() + "/bin/resources"; }
    // Writes bytes to root + "/" + relative (folders made) and has the
    // registry list its folders afresh; gives the full path.
    std::string write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    std::string writeGeo(const std::string& relative, const geoFileData& geo) const {
        return write(relative, writeGeoFile(geo));
    }
    // A 4 x 4 BMP of one colour.
    std::string writeTexture(const std::string& relative, uint32_t argb = 0xFF808080) const;

    // Finds or loads `name` below root + "/" + folder into "globalResources",
    // as the program does; true when a resource was found or loaded.
    bool find(const std::string& folder, const std::string& name, const std::string& options = "") const;
    // The loaded model of that name, or null.
    static simGeometry* geometry(const std::string& name);

    TempFolder temp;
    std::unique_ptr<simResources> registry;
};

}  // namespace testsupport
