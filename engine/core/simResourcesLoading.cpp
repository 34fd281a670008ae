// The registry's loading of one found file by its extension, and the table
// of loaders that the graphics system fills.
#include <algorithm>
#include <iterator>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResource.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsErrors.h"
#include "engine/core/utilsStrings.h"
#include "engine/sound/simSound.h"

namespace {

// The file kinds that have loaders of their own (lower case). Sound files go
// to the sound system and every other kind to the host's hook.
const char* const kLoaderExtensions[] = {"bmp", "dds", "png", "jpg", "tga", "fx", "geo", "prt"};

bool hasLoaderKind(const std::string& extension) {
    return std::find(std::begin(kLoaderExtensions), std::end(kLoaderExtensions), extension) !=
           std::end(kLoaderExtensions);
}

// A resource whose file failed to load: the index passes over it from now on
// and every collection lets go of it, so that it is deleted instead of
// lingering, and the next request tries the file again.
void releaseFailed(simResource* resource) {
    resource->setValid(false);
    while (!resource->isMarkedForDeletion() && !resource->getHolders().empty())
        resource->removeFromCollection(resource->getHolders().front(), false);
    if (!resource->isMarkedForDeletion()) resource->safeDelete();
}

}  // namespace

bool loadCustomResource(std::string, std::string) {
    return false;
}

void simResources::registerLoader(const std::string& extension, simResourceLoader loader) {
    if (!hasLoaderKind(extension)) {
        if (g_console)
            g_console->printString("ERROR: simResources::registerLoader - no such file kind: " + extension +
                                   "\n");
        return;
    }
    m_loaders[extension] = loader;
}

bool simResources::loadUnknownResource(simCollectionItem* collection, std::string path,
                                       std::string optionWords) {
    if (g_application) g_application->setStatus(true, "success");
    const std::string name = utils::getFileName(path);
    if (simResource* loaded = getResource(name, false)) {
        loaded->addToCollection(collection, false);
        return true;
    }

    const std::string extension = utils::getExtension(path, 0);
    if (extension == "wav") {
        // The silent back end makes nothing; that is sound switched off, not a failure.
        if (g_sound) g_sound->createEffect(collection, path, optionWords);
        return true;
    }
    auto loader = m_loaders.find(extension);
    if (loader != m_loaders.end()) {
        simResource* resource = loader->second(collection, path, optionWords);
        const bool failed = !resource || (g_application && !g_application->getStatusSuccess());
        if (failed && resource) releaseFailed(resource);
        return !failed;
    }
    if (loadCustomResource(path, optionWords)) return true;
    utils::seriousError("simResources::loadUnknownResource-file extension invalid (" + name + ")");
    return false;
}
