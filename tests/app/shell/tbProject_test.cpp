// The project base: the current project, its manipulator container and its
// place among the engine's objects.
#include "app/shell/tbProject.h"

#include <gtest/gtest.h>

#include "engine/core/simResources.h"
#include "engine/graphics/manipulatorContainer.h"
#include "tests/support/headlessEngine.h"

namespace {

class EmptyProject : public tbProject {
public:
    void render() override {}
    bool onNew(std::string) override { return true; }
    bool open(std::string) override { return true; }
    bool save(std::string) override { return true; }
};

TEST(Project, IsTheCurrentProjectAndManipulatorContainerWhileItLives) {
    testsupport::HeadlessEngine engine(simLinkResourceSystem);
    const size_t objectsBefore = engine.app().objectCount();
    auto* first = new EmptyProject;
    EXPECT_EQ(tbProject::current(), first);
    EXPECT_EQ(manipulatorContainer::current(), first);
    EXPECT_EQ(engine.app().objectCount(), objectsBefore + 1);
    EXPECT_EQ(first->getFileName(), "");
    EXPECT_EQ(first->getExportName(), "");
    EXPECT_EQ(first->getClassName(), "tbProject");
    EXPECT_TRUE(first->hasUpdateFlag());
    EXPECT_TRUE(first->hasEventsFlag());
    EXPECT_FALSE(first->hasRenderFlag());
    EXPECT_FALSE(first->hasPhysicsFlag());

    first->setExportName("New scheme");
    EXPECT_EQ(first->getExportName(), "New scheme");
    std::string message = "stale";
    EXPECT_TRUE(first->validate(message));
    EXPECT_EQ(message, "");

    delete first;
    EXPECT_EQ(tbProject::current(), nullptr);
    EXPECT_NE(manipulatorContainer::current(), first);
    EXPECT_EQ(engine.app().objectCount(), objectsBefore);
}

TEST(Project, DeletingAnOlderProjectLeavesTheNewerCurrent) {
    testsupport::HeadlessEngine engine(simLinkResourceSystem);
    auto* older = new EmptyProject;
    auto* newer = new EmptyProject;
    delete older;
    EXPECT_EQ(tbProject::current(), newer);
    EXPECT_EQ(manipulatorContainer::current(), newer);
    delete newer;
    EXPECT_EQ(tbProject::current(), nullptr);
}

}  // namespace
