// The registry's search on disk: finding resources and files by name, and
// listing folders for the pickers and export dialogs.
#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResource.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"

std::string simResources::getRootFolder(int rootKind) {
    if (!g_application) return std::string();
    switch (rootKind) {
        case simRootKind_resources: return g_application->getProgramFolder() + "/resources";
        case simRootKind_settings: return g_application->getSettingsFolder();
        case simRootKind_program: return g_application->getProgramFolder();
        default: return std::string();
    }
}

bool simResources::findResource(simCollectionItem* collection, std::string subFolder, std::string fileName,
                                std::string optionWords, bool reportIfMissing, bool reuseLoaded,
                                int rootKind) {
    const std::string name = utils::getFileName(fileName);
    if (reuseLoaded) {
        if (simResource* loaded = getResource(name, false)) {
            loaded->addToCollection(collection, false);
            return true;
        }
    }
    if (fileName.empty() || fileName == "NULL") return false;

    const bool ownFolder = rootKind == simRootKind_ownFolder;
    const std::string root = ownFolder ? utils::getDirectory(fileName) : getRootFolder(rootKind);
    const std::string folder = ownFolder ? root : root + "/" + subFolder;
    const bool cached = isCachedRoot(rootKind);
    auto listing = m_folders.list(folder, cached);
    if (!listing) return false;

    std::optional<std::string> found;
    if (ownFolder) {
        // Its own folder only: no descent into sub-folders.
        if (std::binary_search(listing->files.begin(), listing->files.end(), name)) found = std::string();
    } else {
        found = m_folders.findFirst(folder, name, simHiddenEntries::shown, cached);
    }
    if (found) {
        const std::string relative = subFolder + *found;
        const std::string path = root + "/" + (relative.empty() ? name : relative + "/" + name);
        return loadUnknownResource(collection, path, optionWords);
    }
    if (reuseLoaded && reportIfMissing && g_console)
        g_console->printString("Resource not found: " + fileName + "\n");
    return false;
}

std::string simResources::findFile(std::string subFolder, std::string fileName, int rootKind) {
    if (rootKind < simRootKind_resources || rootKind > simRootKind_program) return "NULL";
    const std::string root = getRootFolder(rootKind);
    const std::string folder = root + "/" + subFolder;
    auto found = m_folders.findFirst(folder, fileName, simHiddenEntries::skipped, isCachedRoot(rootKind));
    if (!found) return "NULL";
    return root + "/" + subFolder + *found + "/" + fileName;
}

int simResources::listFiles(std::string subFolder, std::string filter, std::vector<std::string>& output,
                            bool recursive, int rootKind) {
    const std::string folder = rootKind == simRootKind_ownFolder ? utils::getDirectory(subFolder)
                                                                 : getRootFolder(rootKind) + "/" + subFolder;
    const bool cached = isCachedRoot(rootKind);
    auto listing = m_folders.list(folder, cached);
    if (!listing) return 0;

    const auto hidden = simHiddenEntries::skipped;
    auto collect = [&](const std::string&, const simFolderListing& entries) {
        if (filter == "DIR") {
            for (const std::string& sub : entries.folders)
                if (!simResourcesFolderCache::isHiddenFolder(sub, hidden)) output.push_back(sub);
        } else {
            for (const std::string& file : entries.files) {
                if (simResourcesFolderCache::isHiddenFile(file, hidden)) continue;
                if (filter == "*.*" || utils::getExtension(file, 3) == filter) output.push_back(file);
            }
        }
        return true;
    };
    if (recursive)
        m_folders.walk(folder, hidden, cached, collect);
    else
        collect(std::string(), *listing);
    return static_cast<int>(output.size());
}
