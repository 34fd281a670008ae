#include "engine/core/simCollectionItem.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"

namespace {

void eraseAll(std::vector<simCollectionItem*>& list, simCollectionItem* value) {
    list.erase(std::remove(list.begin(), list.end(), value), list.end());
}

void eraseFirst(std::vector<simCollectionItem*>& list, simCollectionItem* value) {
    auto entry = std::find(list.begin(), list.end(), value);
    if (entry != list.end()) list.erase(entry);
}

std::vector<simCollectionItem*> distinct(std::vector<simCollectionItem*> list) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

}  // namespace

simCollectionItem::simCollectionItem(simCollectionItem* collection, std::string name, bool isCollection,
                                     bool delayedDeletion)
    : simSafeDeleteObject(delayedDeletion), m_isCollection(isCollection), m_name(std::move(name)) {
    if (m_isCollection) {
        if (g_resources) g_resources->registerCollection(this);
    } else {
        addToCollection(collection, false);
    }
}

simCollectionItem::~simCollectionItem() {
    if (m_isCollection && g_resources) g_resources->unregisterCollection(this);
    for (simCollectionItem* list : distinct(m_listedIn)) eraseAll(list->m_items, this);
    for (simCollectionItem* item : distinct(m_items)) {
        eraseAll(item->m_listedIn, this);
        eraseAll(item->m_holders, this);
    }
}

std::string simCollectionItem::getTypeName() {
    return "simCollectionItem";
}

void simCollectionItem::addItem(simCollectionItem* item) {
    m_items.push_back(item);
    item->m_listedIn.push_back(this);
    if (m_isCollection) cancelSafeDelete();
}

void simCollectionItem::eraseItemEntry(simCollectionItem* item) {
    eraseFirst(m_items, item);
    eraseFirst(item->m_listedIn, this);
}

void simCollectionItem::addToCollection(simCollectionItem* c, bool holderSideOnly) {
    if (!c && g_resources) {
        std::string current = g_resources->getCollectionName();
        c = g_resources->getCollection(current);
        // The new collection registers itself; it is deleted once it empties.
        if (!c && !current.empty()) c = new simCollectionItem(nullptr, current, true, false);
    }
    const bool takenBack = m_holders.empty();
    if (takenBack) cancelSafeDelete();
    if (c && !holderSideOnly) c->addItem(this);
    m_holders.push_back(c);
    // A collection passes every addition on to its items. Any other item holds
    // its items for as long as it is held itself, so it passes on only being
    // taken back after it had been let go.
    if (m_isCollection || takenBack) {
        std::vector<simCollectionItem*> items = m_items;
        for (simCollectionItem* item : items) item->addToCollection(this, !m_isCollection);
    }
}

void simCollectionItem::removeFromCollection(simCollectionItem* c, bool holderSideOnly) {
    if (isMarkedForDeletion()) return;
    bool letGo = false;
    if (!c && m_holders.size() == 1) {
        m_holders.clear();
        letGo = true;
    } else if (!m_holders.empty()) {
        auto entry = std::find(m_holders.begin(), m_holders.end(), c);
        if (entry != m_holders.end()) m_holders.erase(entry);
        letGo = m_holders.empty();
    }
    if (letGo) safeDelete();
    // One request is one entry on each side: an item asked for twice stays
    // in the collection until it is let go twice.
    if (c && !holderSideOnly) c->eraseItemEntry(this);
    if (m_isCollection || letGo) releaseItems();
    if (m_isCollection && m_items.empty()) safeDelete();
}

void simCollectionItem::releaseItems() {
    std::vector<simCollectionItem*> items = m_items;
    for (simCollectionItem* item : items) item->removeFromCollection(this, !m_isCollection);
}
