// The registry's search on disk: finding resources and files by name, and
// listing folders for the pickers and export dialogs.
#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResource.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"

namespace {

// Most requests name a bare file; only a name with a folder in it needs
// cutting (a search that misses costs little else, so this shows).
std::string filePart(const std::string& fileName) {
    const bool bare =
        std::none_of(fileName.begin(), fileName.end(), [](char c) { return c == '/' || c == '\\'; });
    return bare ? fileName : utils::getFileName(fileName);
}

}  // namespace

std::string simResources::getRootFolder(int rootKind) {
    if (!g_application) return std::string();
    switch (rootKind) {
        case simRootKind_resources: return g_application->getProgramFolder() + "/resources";
        case simRootKind_settings: return g_application->getSettingsFolder();
        case simRootKind_program: return g_application->getProgramFolder();
        default: return std::string();
    }
}

const simFolderNameTable* simResources::cachedTable(int rootKind, const std::string& subFolder,
                                                    simHiddenEntries hidden) {
    if (m_lastTable.rootKind == rootKind && m_lastTable.hidden == hidden &&
        m_lastTable.subFolder == subFolder)
        return m_lastTable.table;
    std::string key;
    key += static_cast<char>('0' + rootKind);
    key += static_cast<char>('0' + static_cast<int>(hidden));
    key += subFolder;
    auto known = m_tables.find(key);
    const simFolderNameTable* table =
        known != m_tables.end() ? known->second
                                : m_folders.nameTable(getRootFolder(rootKind) + "/" + subFolder, hidden);
    // A folder that cannot be listed is asked again next time: it may appear.
    if (!table) return nullptr;
    if (known == m_tables.end()) m_tables.emplace(std::move(key), table);
    m_lastTable = LastTable{rootKind, hidden, subFolder, table};
    return table;
}

simResources::SearchResult simResources::search(int rootKind, const std::string& subFolder,
                                                const std::string& name, simHiddenEntries hidden,
                                                std::string& relative) {
    if (isCachedRoot(rootKind)) {
        const simFolderNameTable* table = cachedTable(rootKind, subFolder, hidden);
        if (!table) return SearchResult::unlistable;
        const std::string* found = table->find(name);
        if (!found) return SearchResult::missing;
        relative = *found;
        return SearchResult::found;
    }
    const std::string folder = getRootFolder(rootKind) + "/" + subFolder;
    if (!m_folders.list(folder, false)) return SearchResult::unlistable;
    auto found = m_folders.findFirst(folder, name, hidden, false);
    if (!found) return SearchResult::missing;
    relative = std::move(*found);
    return SearchResult::found;
}

bool simResources::findResource(simCollectionItem* collection, std::string subFolder, std::string fileName,
                                std::string optionWords, bool reportIfMissing, bool reuseLoaded,
                                int rootKind) {
    const std::string name = filePart(fileName);
    if (reuseLoaded) {
        if (simResource* loaded = getResource(name, false)) {
            loaded->addToCollection(collection, false);
            return true;
        }
    }
    if (fileName.empty() || fileName == "NULL") return false;

    auto notFound = [&] {
        if (reuseLoaded && reportIfMissing && g_console)
            g_console->printString("Resource not found: " + fileName + "\n");
        return false;
    };
    std::string root;
    std::string relative;
    if (rootKind == simRootKind_ownFolder) {
        // Its own folder only: no descent into sub-folders.
        root = utils::getDirectory(fileName);
        auto listing = m_folders.list(root, false);
        if (!listing) return false;
        if (!std::binary_search(listing->files.begin(), listing->files.end(), name)) return notFound();
    } else {
        switch (search(rootKind, subFolder, name, simHiddenEntries::shown, relative)) {
            case SearchResult::unlistable: return false;
            case SearchResult::missing: return notFound();
            case SearchResult::found: root = getRootFolder(rootKind); break;
        }
    }
    relative = subFolder + relative;
    const std::string path = root + "/" + (relative.empty() ? name : relative + "/" + name);
    return loadUnknownResource(collection, path, optionWords);
}

std::string simResources::findFile(std::string subFolder, std::string fileName, int rootKind) {
    if (rootKind < simRootKind_resources || rootKind > simRootKind_program) return "NULL";
    std::string relative;
    if (search(rootKind, subFolder, fileName, simHiddenEntries::skipped, relative) != SearchResult::found)
        return "NULL";
    return getRootFolder(rootKind) + "/" + subFolder + relative + "/" + fileName;
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
