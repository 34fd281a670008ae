#include "engine/graphics/manipulatorContainer.h"

#include <gtest/gtest.h>

#include "engine/core/simGlobals.h"
#include "engine/core/simManipulatorContainerStack.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/manipulator.h"

namespace {

bool lists(const manipulatorContainer& container, const manipulator* member) {
    for (const manipulator* m : container.getManipulators()) {
        if (m == member) return true;
    }
    return false;
}

manipulator* newManipulator() { return new manipulator(true, nullptr, false, nullptr, false, nullptr); }

TEST(ManipulatorContainers, TheNewestIsCurrentAndAnOlderOneLeavesWithoutClearingIt) {
    auto* older = new manipulatorContainer();
    auto* newer = new manipulatorContainer();
    EXPECT_EQ(manipulatorContainer::current(), newer);
    delete older;
    EXPECT_EQ(manipulatorContainer::current(), newer);
    delete newer;
    EXPECT_EQ(manipulatorContainer::current(), nullptr);
    EXPECT_EQ(manipulatorContainerDepth(), 0);
}

TEST(ManipulatorContainers, WhenTheNewestGoesTheOneBeforeIsCurrentAgain) {
    manipulatorContainer older;
    {
        manipulatorContainer newer;
        EXPECT_EQ(g_manipulatorContainer, &newer);
    }
    EXPECT_EQ(g_manipulatorContainer, &older);
}

TEST(ManipulatorContainers, AManipulatorLeavesTheContainerItJoined) {
    manipulatorContainer older;
    manipulator* early = newManipulator();
    auto* newer = new manipulatorContainer();
    manipulator* late = newManipulator();
    EXPECT_TRUE(lists(older, early));
    EXPECT_TRUE(lists(*newer, late));
    EXPECT_EQ(early->getContainer(), &older);

    older.selected = early;
    newer->selected = late;
    delete early;  // while the newer container is current
    EXPECT_FALSE(lists(older, early));
    EXPECT_EQ(older.selected, nullptr);
    EXPECT_EQ(newer->selected, late);
    EXPECT_EQ(newer->getManipulators().size(), 1u);

    delete newer;  // lets go of late without deleting it
    EXPECT_EQ(late->getContainer(), nullptr);
    EXPECT_EQ(g_manipulatorContainer, &older);
    delete late;  // touches no container
    EXPECT_TRUE(older.getManipulators().empty());
}

TEST(ManipulatorContainers, ALinkedApplicationMakesAndDestroysItsOwnContainer) {
    simSystemLinks links;
    simLinkManipulatorContainers(links);
    manipulatorContainer* own = links.manipulatorContainers.create();
    EXPECT_EQ(g_manipulatorContainer, own);
    links.manipulatorContainers.destroy(own);
    EXPECT_EQ(g_manipulatorContainer, nullptr);
}

TEST(ManipulatorContainers, AManipulatorMadeWithoutAContainerTakesNoEvents) {
    manipulator* alone = newManipulator();
    EXPECT_EQ(alone->getContainer(), nullptr);
    alone->onEvent(nullptr);
    delete alone;
}

}  // namespace
