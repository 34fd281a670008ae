// The GUI element manager: its life, look-up by name, drawing and input
// order, raising, the render pass and event routing with the event-consumed
// flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/simGlobals.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiElementManager.h"
#include "tests/support/headlessEngine.h"

namespace {

std::vector<std::string> g_calls;

class RecordingElement : public simGuiElement {
public:
    explicit RecordingElement(std::string name, bool consumes = false)
        : simGuiElement(std::move(name), 0, 0, 10, 10), m_consumes(consumes) {}
    ~RecordingElement() override { g_calls.push_back("delete " + getName()); }
    void render() override { g_calls.push_back("render " + getName()); }
    void update() override {
        simGuiElement::update();
        g_calls.push_back("update " + getName());
        if (onUpdate) onUpdate();
    }
    void onEvent(simInputEvent*) override {
        g_calls.push_back("event " + getName());
        if (m_consumes) g_application->eventConsumed = true;
    }
    std::function<void()> onUpdate;

private:
    bool m_consumes;
};

void installGuiPass(simSystemLinks& links) {
    links.graphics.beginGuiPass = [] { g_calls.push_back("begin pass"); };
    links.graphics.endGuiPass = [] { g_calls.push_back("end pass"); };
}

class GuiManagerTest : public ::testing::Test {
protected:
    GuiManagerTest() {
        g_calls.clear();
        manager = new simGuiElementManager();
    }
    testsupport::HeadlessEngine engine{installGuiPass};
    simGuiElementManager* manager = nullptr;
};

}  // namespace

TEST_F(GuiManagerTest, LifePublishesTheManagerAndLetsGoOfElements) {
    EXPECT_EQ(g_guiElementManager, manager);
    new RecordingElement("a");
    new RecordingElement("b");
    EXPECT_EQ(manager->elementCount(), 2);
    EXPECT_EQ(manager->getClassName(), "simGuiElementManager");
    delete manager;
    EXPECT_EQ(g_guiElementManager, nullptr);
    EXPECT_TRUE(g_calls.empty());
    engine.app().purgeSafeDeleteObjects(false);  // deleted later, with no manager to leave
    EXPECT_EQ(g_calls, (std::vector<std::string>{"delete a", "delete b"}));
}

TEST_F(GuiManagerTest, FindsTheNewestLiveElementOfExactlyThatName) {
    auto* older = new RecordingElement("dialog");
    auto* newer = new RecordingElement("dialog");
    EXPECT_EQ(manager->findElementByName("dialog"), newer);
    EXPECT_EQ(manager->findElementByName("Dialog"), nullptr);
    EXPECT_EQ(manager->findElementByName("dialo"), nullptr);
    newer->removeFromCollection();
    EXPECT_EQ(manager->findElementByName("dialog"), older);
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(manager->elementCount(), 1);
}

TEST_F(GuiManagerTest, RenderPassDrawsInCreationOrderBetweenItsStates) {
    new RecordingElement("bottom");
    new RecordingElement("top");
    manager->render();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"begin pass", "render bottom", "render top", "end pass"}));
}

TEST_F(GuiManagerTest, RaisedElementIsDrawnLastAndGetsEventsFirstFromTheNextUpdate) {
    auto* raised = new RecordingElement("raised");
    new RecordingElement("other");
    manager->bringToFront(raised);
    manager->render();
    EXPECT_EQ(g_calls[1], "render raised");
    g_calls.clear();
    manager->update();
    manager->render();
    manager->onEvent(nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update other", "update raised", "begin pass", "render other",
                                                 "render raised", "end pass", "event raised", "event other"}));
}

TEST_F(GuiManagerTest, ConsumedEventStillReachesEveryElement) {
    new RecordingElement("under");
    new RecordingElement("over", true);
    engine.app().eventConsumed = false;
    engine.app().onEvent(nullptr);  // the manager is an events object of the engine
    EXPECT_TRUE(engine.app().eventConsumed);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"event over", "event under"}));
}

TEST_F(GuiManagerTest, ElementDestroyedByAnotherDuringTheUpdateIsNotUpdated) {
    auto* victim = new RecordingElement("victim");
    auto* killer = new RecordingElement("killer");
    killer->onUpdate = [&] {
        delete victim;
        new RecordingElement("born");
    };
    manager->update();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update killer", "delete victim"}));
    EXPECT_NE(manager->findElementByName("born"), nullptr);
    EXPECT_EQ(manager->findElementByName("victim"), nullptr);
}

TEST_F(GuiManagerTest, DestroyedFormStopsBeingCurrent) {
    auto* form = new RecordingElement("form");
    manager->currentDialogForm = form;
    manager->okElement = form;
    delete form;
    EXPECT_EQ(manager->currentDialogForm, nullptr);
    EXPECT_EQ(manager->okElement, nullptr);
}
