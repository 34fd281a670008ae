// Named collections and the lifetime they give their items: holding, sharing,
// letting go through deferred deletion, taking back, and no list ever naming
// a deleted item.
#include "engine/core/simCollectionItem.h"

#include <gtest/gtest.h>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "platform/sys/clock.h"
#include "tests/support/headlessEngine.h"

namespace {

class CollectionItemTest : public ::testing::Test {
protected:
    CollectionItemTest() : engine(simLinkResourceSystem) {}

    simResources& registry() { return *g_resources; }
    // An ordinary purge after the resources' delay has passed.
    void purgeLater() {
        clock.advance(3001);
        engine.app().purgeSafeDeleteObjects(false);
    }
    static bool holds(simCollectionItem* collection, simCollectionItem* item) {
        for (simCollectionItem* entry : collection->getItems())
            if (entry == item) return true;
        return false;
    }

    sys::ManualClock clock;
    testsupport::HeadlessEngine engine;
};

// Counts live test items, to see deletions happen.
struct CountedItem : simCollectionItem {
    static inline int alive = 0;
    explicit CountedItem(simCollectionItem* collection, bool delayed = false)
        : simCollectionItem(collection, "item", false, delayed) {
        ++alive;
    }
    ~CountedItem() override { --alive; }
};

TEST_F(CollectionItemTest, WithNoCurrentCollectionAnItemIsHeldByNothingUntilLetGo) {
    auto* item = new CountedItem(nullptr);
    ASSERT_EQ(item->getHolders(), std::vector<simCollectionItem*>{nullptr});
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 1);
    item->removeFromCollection(nullptr, false);
    EXPECT_TRUE(item->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 0);
}

TEST_F(CollectionItemTest, TheCurrentCollectionIsMadeOnFirstUseAndDestroyedWithItsItems) {
    registry().setCollection("currentProject");
    auto* first = new CountedItem(nullptr);
    auto* second = new CountedItem(nullptr);
    registry().setCollection("");
    simCollectionItem* project = registry().getCollection("currentProject");
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->getItems(), (std::vector<simCollectionItem*>{first, second}));
    EXPECT_EQ(registry().getCollection("currentproject"), nullptr);  // names are exact

    registry().destroyCollection("currentProject");
    EXPECT_TRUE(first->isMarkedForDeletion());
    EXPECT_TRUE(second->isMarkedForDeletion());
    EXPECT_TRUE(project->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 0);
    EXPECT_EQ(registry().getCollection("currentProject"), nullptr);
    registry().destroyCollection("currentProject");  // no such collection: nothing
}

TEST_F(CollectionItemTest, AnItemInTwoCollectionsLivesUntilItLeavesTheLastOne) {
    simCollectionItem* global = registry().getGlobalResources();
    auto* item = new CountedItem(global, true);
    registry().setCollection("currentProject");
    item->addToCollection(nullptr, false);
    registry().setCollection("");

    registry().destroyCollection("currentProject");
    EXPECT_FALSE(item->isMarkedForDeletion());
    EXPECT_EQ(item->getHolders(), std::vector<simCollectionItem*>{global});
    EXPECT_TRUE(holds(global, item));

    registry().destroyCollection("globalResources");
    ASSERT_TRUE(item->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 1);  // delayed: taken back if asked for soon
    purgeLater();
    EXPECT_EQ(CountedItem::alive, 0);
}

TEST_F(CollectionItemTest, AnItemLetGoAndAddedAgainBeforeItsDeletionIsKept) {
    simCollectionItem* global = registry().getGlobalResources();
    auto* item = new CountedItem(global, true);
    item->removeFromCollection(global, false);
    ASSERT_TRUE(item->isMarkedForDeletion());
    item->addToCollection(global, false);
    EXPECT_FALSE(item->isMarkedForDeletion());
    purgeLater();
    EXPECT_EQ(CountedItem::alive, 1);
    EXPECT_TRUE(holds(global, item));
    item->removeFromCollection(global, false);
    purgeLater();
    EXPECT_EQ(CountedItem::alive, 0);
}

TEST_F(CollectionItemTest, RequestsCountSoEachMustBeLetGo) {
    simCollectionItem* global = registry().getGlobalResources();
    auto* item = new CountedItem(global);
    item->addToCollection(global, false);  // asked for twice
    EXPECT_EQ(global->getItems().size(), 2u);
    item->removeFromCollection(global, false);
    // One request is left on both sides: the holder entry and the item entry.
    EXPECT_FALSE(item->isMarkedForDeletion());
    EXPECT_EQ(item->getHolders(), std::vector<simCollectionItem*>{global});
    EXPECT_EQ(global->getItems(), std::vector<simCollectionItem*>{item});
    item->removeFromCollection(global, false);
    EXPECT_TRUE(item->isMarkedForDeletion());
    EXPECT_TRUE(global->getItems().empty());
}

TEST_F(CollectionItemTest, ACollectionAskedForTwiceAndLetGoOnceStillTakesItsItemWithIt) {
    registry().setCollection("currentProject");
    auto* item = new CountedItem(nullptr);
    item->addToCollection(nullptr, false);
    registry().setCollection("");
    simCollectionItem* project = registry().getCollection("currentProject");
    item->removeFromCollection(project, false);
    // The project still holds the item, so destroying it lets the item go
    // instead of leaving it with a holder that is deleted.
    registry().destroyCollection("currentProject");
    EXPECT_TRUE(item->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 0);
    EXPECT_EQ(registry().getCollection("currentProject"), nullptr);
}

TEST_F(CollectionItemTest, NoListKeepsAnEntryOfADeletedItem) {
    simCollectionItem* global = registry().getGlobalResources();
    auto* item = new CountedItem(global);
    // Let go whatever holds it: the collection still lists it until it goes.
    item->removeFromCollection(nullptr, false);
    EXPECT_TRUE(holds(global, item));
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 0);
    EXPECT_TRUE(global->getItems().empty());
}

TEST_F(CollectionItemTest, AnItemKeepsWhatItHoldsWhileItIsHeldItself) {
    simCollectionItem* global = registry().getGlobalResources();
    registry().setCollection("currentProject");
    auto* parent = new CountedItem(global);
    parent->addToCollection(nullptr, false);
    registry().setCollection("");
    auto* child = new CountedItem(parent);
    ASSERT_EQ(child->getHolders(), std::vector<simCollectionItem*>{parent});

    // The parent survives in "globalResources", so the child stays held.
    registry().destroyCollection("currentProject");
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 2);
    EXPECT_EQ(child->getHolders(), std::vector<simCollectionItem*>{parent});

    // Once the parent is let go, so is the child, and both go.
    registry().destroyCollection("globalResources");
    EXPECT_TRUE(child->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(CountedItem::alive, 0);
}

TEST_F(CollectionItemTest, AnItemTakenBackTakesItsItemsBackWithIt) {
    simCollectionItem* global = registry().getGlobalResources();
    auto* parent = new CountedItem(global, true);
    auto* child = new CountedItem(parent, true);
    parent->removeFromCollection(global, false);
    ASSERT_TRUE(child->isMarkedForDeletion());
    parent->addToCollection(global, false);
    EXPECT_FALSE(parent->isMarkedForDeletion());
    EXPECT_FALSE(child->isMarkedForDeletion());
    EXPECT_EQ(child->getHolders(), std::vector<simCollectionItem*>{parent});
    purgeLater();
    EXPECT_EQ(CountedItem::alive, 2);
    parent->removeFromCollection(global, false);
    purgeLater();
    EXPECT_EQ(CountedItem::alive, 0);
}

}  // namespace
