#include "tests/support/modelResources.h"

#include <filesystem>
#include <fstream>

#include "engine/core/simGlobals.h"
#include "engine/core/simResource.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simTexture.h"
#include "tests/support/imageSamples.h"

namespace testsupport {

ModelResources::ModelResources(HeadlessEngine& engine) {
    simApplication::setProcessCommandLine(temp.path() + "/bin/tolvaneBuilder -SETTINGSPATH " + temp.path() +
                                          "/settings/");
    engine.app().parseCommandLine();
    if (!g_resources) registry = std::make_unique<simResources>();
    simTexture::registerLoaders(*g_resources);
    simGeometry::registerLoader();
}

ModelResources::~ModelResources() { registry.reset(); }

std::string ModelResources::write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
    const std::filesystem::path path = root() + "/" + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    // The registry keeps its listings of the resource root for the run.
    g_resources->refreshFileListings();
    return path.string();
}

std::string ModelResources::writeTexture(const std::string& relative, uint32_t argb) const {
    return write(relative, imagesamples::bmp24(imagesamples::solid(4, 4, argb)));
}

bool ModelResources::find(const std::string& folder, const std::string& name, const std::string& options) const {
    return g_resources->findResource(g_resources->getGlobalResources(), folder, name, options, true, true,
                                     simRootKind_resources);
}

simGeometry* ModelResources::geometry(const std::string& name) {
    return dynamic_cast<simGeometry*>(simResources::getResource(name, false));
}

}  // namespace testsupport
