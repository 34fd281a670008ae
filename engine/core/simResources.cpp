// The registry's collections, its resource index and its script function.
// The search and the loading are in simResourcesSearch.cpp and
// simResourcesLoading.cpp.
#include "engine/core/simResources.h"

#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simCollectionItem.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResource.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/simSystemLinks.h"

namespace {

const char* const kGlobalResources = "globalResources";

void log(const char* text) {
    if (g_console) g_console->print(text);
}

// loadResource(folder, file name, option words): loads into
// "globalResources" from the resource root, reporting a missing file.
int script_loadResource(lua_State* state) {
    simScriptManager* host = g_application ? g_application->findScriptManager(state) : nullptr;
    if (!host || !g_resources) return 0;
    std::string folder = host->getString(0, 3);
    std::string fileName = host->getString(1, 3);
    std::string optionWords = host->getString(2, 3);
    g_resources->findResource(g_resources->getGlobalResources(), folder, fileName, optionWords, true, true,
                              simRootKind_resources);
    return 0;
}

}  // namespace

simResources::simResources() {
    g_resources = this;
    if (g_scriptManager) g_scriptManager->registerFunction(script_loadResource, "loadResource");
    new simCollectionItem(nullptr, kGlobalResources, true, true);
}

simResources::~simResources() {
    log("Destroying resources system...");
    if (g_application) g_application->purgeSafeDeleteObjects(true);
    std::vector<simResource*> all;
    for (const auto& list : m_index) all.insert(all.end(), list.begin(), list.end());
    if (g_application) {
        for (simResource* resource : all) resource->safeDelete();
        g_application->purgeSafeDeleteObjects(true);
    } else {
        // No purge without an application: delete directly what it would have.
        for (simResource* resource : all) delete resource;
    }
    while (!m_collections.empty()) delete m_collections.front();
    g_resources = nullptr;
    log("done\n");
}

void simLinkResourceSystem(simSystemLinks& links) {
    links.resources.factory.create = [] { new simResources(); };
    links.resources.factory.destroy = [] { delete g_resources; };
    links.resources.setCollection = [](const std::string& name) { g_resources->setCollection(name); };
    links.resources.destroyCollection = [](const std::string& name) { g_resources->destroyCollection(name); };
    links.resources.findFile = [](const std::string& folder, const std::string& name, uint32_t root) {
        return g_resources->findFile(folder, name, static_cast<int>(root));
    };
}

// ---- Collections

simCollectionItem* simResources::getCollection(const std::string& name) const {
    for (simCollectionItem* collection : m_collections)
        if (collection->getName() == name) return collection;
    return nullptr;
}

simCollectionItem* simResources::getGlobalResources() {
    // A script may have destroyed it; it comes back on the next request.
    if (simCollectionItem* global = getCollection(kGlobalResources)) return global;
    return new simCollectionItem(nullptr, kGlobalResources, true, true);
}

void simResources::destroyCollection(const std::string& name) {
    if (simCollectionItem* collection = getCollection(name)) collection->removeFromCollection(nullptr, false);
}

void simResources::registerCollection(simCollectionItem* collection) {
    unregisterCollection(collection);
    m_collections.push_back(collection);
}

void simResources::unregisterCollection(simCollectionItem* collection) {
    m_collections.erase(std::remove(m_collections.begin(), m_collections.end(), collection),
                        m_collections.end());
}

// ---- The resource index

namespace {

unsigned char indexOf(const std::string& name) {
    return name.empty() ? 0 : static_cast<unsigned char>(name[0]);
}

}  // namespace

simResource* simResources::getResource(const std::string& name, bool heldOnly) {
    if (!g_resources) return nullptr;
    for (simResource* resource : g_resources->m_index[indexOf(name)]) {
        if (resource->getName() != name || !resource->isValid()) continue;
        if (heldOnly && resource->getHolders().empty()) continue;
        return resource;
    }
    return nullptr;
}

void simResources::indexResource(simResource* resource) {
    m_index[indexOf(resource->getName())].push_back(resource);
}

void simResources::unindexResource(simResource* resource) {
    auto& list = m_index[indexOf(resource->getName())];
    list.erase(std::remove(list.begin(), list.end(), resource), list.end());
}
