// simResources: the resource registry.
//
// One object, reached through g_resources, made by the engine application
// before any collection item. It keeps:
//  - the named collections, "globalResources" first (made here), found and
//    destroyed by name; the current collection name, where items go that are
//    added to no given collection;
//  - the index of loaded resources by name (one list per first byte of the
//    name), so that a second request for a name shares the loaded resource;
//  - the loaders by file extension;
//  - the sorted folder listings of the resource search (simResourcesFolderCache).
//
// Names of resources, collections and files are compared byte for byte, case
// included; only the choice of loader by extension ignores case.
//
// Root kinds: where a relative folder lies, for the search and the listing.
//   0 the resource root (program folder + "/resources")
//   1 the settings folder
//   2 the program folder
//   3 the folder part of the given name itself
// Paths are joined with "/" as given, so they may hold "//", which the file
// system reads as one separator. Listings under the resource root and the
// program folder, which the program never writes, are cached for the run;
// the settings folder and explicit folders, where the program saves its
// exports and projects, are read afresh every time.
#pragma once

#include <array>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/core/simResourcesFolderCache.h"

class simCollectionItem;
class simResource;
struct simSystemLinks;

enum simRootKind : int {
    simRootKind_resources = 0,
    simRootKind_settings = 1,
    simRootKind_program = 2,
    simRootKind_ownFolder = 3,
};

// A loader makes the resource of one file kind, held by `collection` (null:
// the current collection). It reports failure through the engine
// application's status (simApplication::setStatus), and may give null when
// it made nothing.
using simResourceLoader = simResource* (*)(simCollectionItem* collection, const std::string& path,
                                           const std::string& optionWords);

class simResources {
public:
    // Points g_resources at itself, registers the script function
    // `loadResource` on the engine's Lua host (when there is one) and makes
    // the "globalResources" collection.
    simResources();
    // Deletes every resource and every named collection (running the
    // deferred deletions forced), then clears g_resources.
    virtual ~simResources();

    simResources(const simResources&) = delete;
    simResources& operator=(const simResources&) = delete;

    // ---- Collections
    // The first named collection of that name, or null.
    simCollectionItem* getCollection(const std::string& name) const;
    // "globalResources", made again when a script destroyed it.
    simCollectionItem* getGlobalResources();
    std::string getCollectionName() const { return m_currentCollection; }
    // Makes `name` the current collection; the empty name ends it.
    void setCollection(const std::string& name) { m_currentCollection = name; }
    // Lets go of every item of the named collection (items left in no
    // collection are deleted) and deletes the collection. Nothing for a name
    // that names no collection.
    void destroyCollection(const std::string& name);
    // Kept by the named collections themselves: registration once, in order
    // of creation, and removal by their destructor.
    void registerCollection(simCollectionItem* collection);
    void unregisterCollection(simCollectionItem* collection);
    const std::vector<simCollectionItem*>& getCollections() const { return m_collections; }

    // ---- The resource index
    // The first valid indexed resource named exactly `name`; with `heldOnly`
    // it must also have a holder entry (the null entry counts). Null when
    // there is none or no registry exists.
    static simResource* getResource(const std::string& name, bool heldOnly);
    // Kept by the resources themselves, at construction and destruction.
    void indexResource(simResource* resource);
    void unindexResource(simResource* resource);

    // ---- Finding and loading
    // A valid loaded resource of the file part of `fileName` (with
    // `reuseLoaded`) joins `collection`; otherwise the first file of that name
    // below root + "/" + subFolder, depth first (files of a folder before its
    // sub-folders, both in byte order; root kind 3 searches only the folder
    // of `fileName`), is loaded into `collection`. True when a resource was
    // shared or loaded; false when nothing was found or the file's loader
    // failed (the failed resource is let go). With `reuseLoaded` and
    // `reportIfMissing`, a miss logs "Resource not found: <fileName>\n".
    bool findResource(simCollectionItem* collection, std::string subFolder, std::string fileName,
                      std::string optionWords, bool reportIfMissing, bool reuseLoaded, int rootKind);

    // Loads one file by its lower-cased extension: bmp, dds, png, jpg, tga,
    // fx, geo and prt through their registered loaders; wav through the sound
    // system when there is one (nothing otherwise); anything else through the
    // host's hook `loadCustomResource`, and a serious error when that declines.
    // A resource of that name already loaded joins `collection` instead.
    // True on success (a wav without a sound system counts as success: sound
    // is off by choice); false when the loader failed or the kind is unknown.
    bool loadUnknownResource(simCollectionItem* collection, std::string path, std::string optionWords);

    // Registers the loader of one lower-case extension, replacing an earlier
    // one. The graphics system registers the texture, effect, model and
    // particle loaders when it is made.
    void registerLoader(const std::string& extension, simResourceLoader loader);

    // The full path of the first file named `fileName` below root + "/" +
    // subFolder (root kinds 0 to 2), depth first, passing over names ending
    // in '.' and folders beginning with '.'; "NULL" when there is none.
    std::string findFile(std::string subFolder, std::string fileName, int rootKind);

    // Appends to `output` the bare names of the entries of root + "/" +
    // subFolder (root kind 3: the folder part of subFolder) that match
    // `filter`: "DIR" the sub-folders, "*.*" every file, otherwise the files
    // whose extension, as written, equals the filter. With `recursive` the
    // sub-folders follow, depth first. Names ending in '.' and folders
    // beginning with '.' are passed over. Gives the size of `output`
    // afterwards, 0 when the folder cannot be listed.
    int listFiles(std::string subFolder, std::string filter, std::vector<std::string>& output, bool recursive,
                  int rootKind);

    // Forgets the cached listings, for when files under the resource root or
    // the program folder have changed during the run.
    void refreshFileListings() {
        m_tables.clear();
        m_lastTable = LastTable();
        m_folders.refresh();
    }

    // The folder a root kind names (0 to 2); empty for any other kind.
    static std::string getRootFolder(int rootKind);

private:
    static bool isCachedRoot(int rootKind) {
        return rootKind == simRootKind_resources || rootKind == simRootKind_program;
    }
    enum class SearchResult { unlistable, missing, found };
    // Depth-first search for `name` below root + "/" + subFolder; on success
    // `relative` is the folder of the first match below the sub-folder ("" or
    // "/a/b").
    SearchResult search(int rootKind, const std::string& subFolder, const std::string& name,
                        simHiddenEntries hidden, std::string& relative);
    // The first-match table of a sub-folder of a cached root (kinds 0 and 2),
    // remembered by root kind, entry rule and sub-folder, so that a repeated
    // search costs two hash look-ups of short names. The roots are taken to
    // stay where they are for the run; refreshFileListings forgets this too.
    const simFolderNameTable* cachedTable(int rootKind, const std::string& subFolder,
                                          simHiddenEntries hidden);

    std::vector<simCollectionItem*> m_collections;
    std::string m_currentCollection;
    std::array<std::vector<simResource*>, 256> m_index;
    std::map<std::string, simResourceLoader> m_loaders;
    simResourcesFolderCache m_folders;
    std::unordered_map<std::string, const simFolderNameTable*> m_tables;  // see cachedTable
    // The last table asked for: a run of requests mostly names one folder.
    struct LastTable {
        int rootKind = -1;
        simHiddenEntries hidden = simHiddenEntries::shown;
        std::string subFolder;
        const simFolderNameTable* table = nullptr;
    } m_lastTable;
};

// Joins the registry to the engine application: its creation and
// destruction, the collection script functions and the script runner's file
// search. The program calls it once at start-up before it makes the engine
// application; tests do the same.
void simLinkResourceSystem(simSystemLinks& links);

// The application's hook for resource files of a kind the engine does not
// know. This program loads no such files: it gives false, and the registry
// reports the file as being of an invalid kind.
bool loadCustomResource(std::string path, std::string optionWords);
