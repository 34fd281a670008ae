// Sorted folder listings and the depth-first file search behind the resource
// registry.
//
// The file system lists a folder in whatever order it likes; the registry
// needs "the first file of that name" to be the same file on every machine,
// so every listing here is sorted by byte order (files and sub-folders
// apart). A search is depth first: the files of a folder come before
// anything in its sub-folders, the sub-folders are searched one after the
// other in byte order, and the first file of the wanted name wins.
//
// Resource misses are common (every optional texture of a model, every
// brush picker refresh) and the resource tree holds thousands of files, so
// listings can be kept for the run: a cached search builds, once per search
// folder, a table of the first match of every name below it and answers
// from that table afterwards. `refresh` forgets everything, for callers that
// know the disk has changed. Uncached calls read the disk every time.
//
// Symbolic links are followed, but a folder that is already being searched
// further up the same path (a link loop) is passed over. Entries that cannot
// be examined (a dangling link) are passed over too; a folder that cannot be
// opened is treated as a folder that cannot be listed.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/core/simResourcesNameTable.h"

// One folder's entries, "." and ".." left out, each list in byte order.
struct simFolderListing {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    // Identity of the folder on disk (device and inode numbers), so that a
    // link loop can be recognised.
    unsigned long long device = 0;
    unsigned long long inode = 0;
};

// Which entries a walk passes over besides "." and "..".
enum class simHiddenEntries {
    shown,    // every entry (the resource search)
    skipped,  // names ending in '.' and folders beginning with '.' (file search, listings)
};

class simResourcesFolderCache {
public:
    // The listing of `folder`, or null when it cannot be listed. With
    // `cached`, a listing read earlier in the run is reused.
    std::shared_ptr<const simFolderListing> list(const std::string& folder, bool cached);

    // Depth-first search below `folder` for a file named `name` (compared byte
    // for byte). Gives the folder that holds the first match relative to
    // `folder`: "" for `folder` itself, "/a/b" for the sub-folder a/b; nothing
    // when there is no such file or `folder` cannot be listed.
    std::optional<std::string> findFirst(const std::string& folder, const std::string& name,
                                         simHiddenEntries hidden, bool cached);

    // The cached table of the first match of every file name below `folder`
    // (its folder relative to `folder`, "" or "/a/b"), built on first use;
    // null when `folder` cannot be listed. It stays valid until `refresh`.
    const simFolderNameTable* nameTable(const std::string& folder, simHiddenEntries hidden);

    // Visits the folders below `folder` (itself first) in search order, each
    // with its path relative to `folder` ("" or "/a/b") and its listing, until
    // the visitor returns false. Folders that cannot be listed are passed over.
    template <class Visitor>
    void walk(const std::string& folder, simHiddenEntries hidden, bool cached, Visitor&& visit);

    // Forgets every cached listing and search table.
    void refresh();

    // True when a name is passed over under the given rule.
    static bool isHiddenFile(const std::string& name, simHiddenEntries hidden);
    static bool isHiddenFolder(const std::string& name, simHiddenEntries hidden);

private:
    static std::shared_ptr<const simFolderListing> readFolder(const std::string& folder);

    std::unordered_map<std::string, std::shared_ptr<const simFolderListing>> m_listings;
    std::unordered_map<std::string, simFolderNameTable> m_tables[2];  // by simHiddenEntries
};

template <class Visitor>
void simResourcesFolderCache::walk(const std::string& folder, simHiddenEntries hidden, bool cached,
                                   Visitor&& visit) {
    struct Frame {
        std::string relative;
        std::shared_ptr<const simFolderListing> listing;
        size_t nextFolder;
    };
    auto top = list(folder, cached);
    if (!top) return;
    if (!visit(std::string(), *top)) return;
    std::vector<Frame> path{{std::string(), top, 0}};
    while (!path.empty()) {
        Frame& frame = path.back();
        if (frame.nextFolder == frame.listing->folders.size()) {
            path.pop_back();
            continue;
        }
        const std::string& name = frame.listing->folders[frame.nextFolder++];
        if (isHiddenFolder(name, hidden)) continue;
        std::string relative = frame.relative + "/" + name;
        auto listing = list(folder + relative, cached);
        if (!listing) continue;
        bool loop = false;
        for (const Frame& above : path)
            loop =
                loop || (above.listing->device == listing->device && above.listing->inode == listing->inode);
        if (loop) continue;
        if (!visit(relative, *listing)) return;
        path.push_back({std::move(relative), std::move(listing), 0});
    }
}
