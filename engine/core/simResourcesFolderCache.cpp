#include "engine/core/simResourcesFolderCache.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

bool simResourcesFolderCache::isHiddenFile(const std::string& name, simHiddenEntries hidden) {
    return hidden == simHiddenEntries::skipped && (name.empty() || name.back() == '.');
}

bool simResourcesFolderCache::isHiddenFolder(const std::string& name, simHiddenEntries hidden) {
    return hidden == simHiddenEntries::skipped && (isHiddenFile(name, hidden) || name.front() == '.');
}

std::shared_ptr<const simFolderListing> simResourcesFolderCache::readFolder(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return nullptr;
    auto listing = std::make_shared<simFolderListing>();
    struct stat self {};
    if (fstat(dirfd(dir), &self) == 0) {
        listing->device = self.st_dev;
        listing->inode = self.st_ino;
    }
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // stat, not the entry type: a link to a folder is a folder.
        struct stat info {};
        if (fstatat(dirfd(dir), entry->d_name, &info, 0) != 0) continue;
        if (S_ISDIR(info.st_mode))
            listing->folders.push_back(std::move(name));
        else
            listing->files.push_back(std::move(name));
    }
    closedir(dir);
    std::sort(listing->files.begin(), listing->files.end());
    std::sort(listing->folders.begin(), listing->folders.end());
    return listing;
}

std::shared_ptr<const simFolderListing> simResourcesFolderCache::list(const std::string& folder,
                                                                      bool cached) {
    if (!cached) return readFolder(folder);
    auto found = m_listings.find(folder);
    if (found != m_listings.end()) return found->second;
    auto listing = readFolder(folder);
    // A folder that cannot be listed is not remembered: it may appear later.
    if (listing) m_listings.emplace(folder, listing);
    return listing;
}

const simFolderNameTable* simResourcesFolderCache::nameTable(const std::string& folder,
                                                             simHiddenEntries hidden) {
    auto& tables = m_tables[static_cast<int>(hidden)];
    auto found = tables.find(folder);
    if (found != tables.end()) return &found->second;
    // A folder that cannot be listed gets no table: it may appear later.
    if (!list(folder, true)) return nullptr;
    simFolderNameTable table;
    walk(folder, hidden, true, [&](const std::string& relative, const simFolderListing& listing) {
        for (const std::string& file : listing.files)
            if (!isHiddenFile(file, hidden)) table.add(file, relative);  // keeps the first match
        return true;
    });
    return &tables.emplace(folder, std::move(table)).first->second;
}

std::optional<std::string> simResourcesFolderCache::findFirst(const std::string& folder,
                                                              const std::string& name,
                                                              simHiddenEntries hidden, bool cached) {
    if (cached) {
        const simFolderNameTable* table = nameTable(folder, hidden);
        if (!table) return std::nullopt;
        const std::string* found = table->find(name);
        if (!found) return std::nullopt;
        return *found;
    }
    std::optional<std::string> result;
    if (isHiddenFile(name, hidden)) return result;
    walk(folder, hidden, false, [&](const std::string& relative, const simFolderListing& listing) {
        if (std::binary_search(listing.files.begin(), listing.files.end(), name)) result = relative;
        return !result;
    });
    return result;
}

void simResourcesFolderCache::refresh() {
    m_listings.clear();
    for (auto& tables : m_tables) tables.clear();
}
