// Named collections and the items they hold: the engine's shared lifetime.
//
// Resources, projects, GUI widgets and the scene's pass handlers are items
// whose lifetime is shared by whoever uses them. An item records the
// collections that hold it (its holders); a named collection ("globalResources",
// "currentProject", ...) is itself an item, registered with the resource
// registry, that records the items it holds. An item left in no collection is
// deleted through deferred deletion, so that whoever is still walking over it
// this frame finishes first; an item that is taken back before the deletion
// runs (requested again) is simply kept.
//
// An item that is not a named collection may hold items too (a model its
// textures): it keeps them while it is held itself, lets go of them when it
// is let go, and takes them back with itself when it is asked for again in
// time. Taking it out of one collection while another still holds it leaves
// its items alone.
//
// Holder lists may hold a null entry: an item made while no collection is
// current is held by "nothing" and stays until it is let go explicitly.
// The same collection may stand in a holder list, and the same item in an
// item list, more than once: each request counts.
//
// No list ever keeps an entry of a deleted item: an item's destructor takes
// itself out of every item list that names it and out of the holder lists of
// the items it held.
#pragma once

#include <string>
#include <vector>

#include "engine/core/simSafeDeleteObject.h"

class simCollectionItem : public simSafeDeleteObject {
public:
    // With `isCollection` the item is a named collection and registers itself
    // with the registry (once); `collection` is then ignored. Otherwise it
    // joins `collection`, or the registry's current collection when that is
    // null (see addToCollection). The registry (g_resources) must exist.
    simCollectionItem(simCollectionItem* collection, std::string name, bool isCollection,
                      bool delayedDeletion);
    ~simCollectionItem() override;

    std::string getTypeName() override;

    // Adds this item to collection `c` and records `c` as a holder. A null `c`
    // means the current collection, made on first use when the current name is
    // set; with no current name the item is held by the null entry. An item
    // that had been let go (no holders) is taken back: its pending deletion is
    // cancelled. With `holderSideOnly` only this item's holder list changes.
    virtual void addToCollection(simCollectionItem* c, bool holderSideOnly);

    // Takes this item out of `c` once (one holder entry, and one entry of it
    // in c's item list unless `holderSideOnly`). An item left with no holder is marked
    // for deletion; `removeFromCollection(nullptr, false)` on an item with one
    // holder lets it go whatever that holder is. A named collection lets go of
    // all its items, and is itself deleted once its item list is empty. An
    // item already marked for deletion is left alone.
    virtual void removeFromCollection(simCollectionItem* c, bool holderSideOnly);

    // Appends an item to this collection's item list; a named collection that
    // was about to be deleted for being empty is kept.
    void addItem(simCollectionItem* item);

    bool isCollection() const { return m_isCollection; }
    const std::string& getName() const { return m_name; }
    const std::vector<simCollectionItem*>& getItems() const { return m_items; }
    const std::vector<simCollectionItem*>& getHolders() const { return m_holders; }

private:
    void releaseItems();
    void eraseItemEntry(simCollectionItem* item);

    bool m_isCollection;
    std::string m_name;
    std::vector<simCollectionItem*> m_items;    // in order of addition, repeats allowed
    std::vector<simCollectionItem*> m_holders;  // in order of addition, null allowed
    // The items whose item lists name this item; kept apart from the holders,
    // which the holder-side-only operations change on their own.
    std::vector<simCollectionItem*> m_listedIn;
};
