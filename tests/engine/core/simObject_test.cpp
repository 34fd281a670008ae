// The object bases: registration by flags, the time step, deferred deletion
// (marking, cancelling, delays, destructors that delete or mark others) and
// broadcasts over lists that their handlers change.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/simGlobals.h"
#include "engine/core/simObject.h"
#include "engine/core/simSafeDeleteObject.h"
#include "platform/sys/clock.h"
#include "tests/support/headlessEngine.h"

namespace {

std::vector<std::string> g_calls;

class RecordingObject : public simObject {
public:
    RecordingObject(std::string name, bool update, bool events, bool render, bool physics)
        : simObject(update, events, render, physics), m_name(std::move(name)) {}
    void update() override {
        simObject::update();
        g_calls.push_back("update " + m_name);
        if (onUpdate) onUpdate();
    }
    void onEvent(simInputEvent*) override {
        g_calls.push_back("event " + m_name);
        if (onEventHook) onEventHook();
    }
    void preRender() override { g_calls.push_back("preRender " + m_name); }
    void renderLit(uint32_t light) override { g_calls.push_back("lit " + m_name + " " + std::to_string(light)); }
    int countLitItems() override { return 2; }
    std::function<void()> onUpdate;
    std::function<void()> onEventHook;

private:
    std::string m_name;
};

class Deletable : public simSafeDeleteObject {
public:
    Deletable(std::string name, bool delayed = false) : simSafeDeleteObject(delayed), m_name(std::move(name)) {}
    ~Deletable() override {
        g_calls.push_back("delete " + m_name);
        if (onDelete) onDelete();
    }
    std::function<void()> onDelete;

private:
    std::string m_name;
};

class ObjectTest : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
    sys::ManualClock clock;
    testsupport::HeadlessEngine engine;
};

}  // namespace

TEST_F(ObjectTest, FlagsChooseTheHookListsAndAnObjectWithoutFlagsGetsNoCalls) {
    const size_t before = engine.app().objectCount();
    RecordingObject silent("silent", false, false, false, false);
    RecordingObject all("all", true, true, true, true);
    EXPECT_EQ(engine.app().objectCount(), before + 2);
    engine.app().update();
    engine.app().onEvent(nullptr);
    engine.app().redraw();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update all", "event all", "preRender all"}));
    EXPECT_EQ(engine.app().countLitItems(), 2);
}

TEST_F(ObjectTest, AnObjectLeavesEveryListWhenDestroyed) {
    const size_t before = engine.app().objectCount();
    {
        RecordingObject object("gone", true, true, true, true);
    }
    EXPECT_EQ(engine.app().objectCount(), before);
    engine.app().update();
    engine.app().onEvent(nullptr);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(ObjectTest, TimeStepIsScaledBySpeedAndClampedToTheFrameLimits) {
    RecordingObject object("o", true, false, false, false);
    // Before initialise the speed is 1 per cent.
    clock.advance(50.0);
    object.update();
    EXPECT_DOUBLE_EQ(object.getTimeStep(), 0.5);

    engine.app().initialise();  // no options: the speed stays
    struct Case {
        double advanceMs;
        double expected;
    };
    // A step above 100 ms is clamped; a step of 0 stays 0.
    for (const Case& c : {Case{20.0, 0.2}, Case{250.0, 2.5}, Case{0.0, 0.0}}) {
        clock.advance(c.advanceMs);
        object.update();
        EXPECT_DOUBLE_EQ(object.getTimeStep(), c.expected) << c.advanceMs;
    }
}

TEST_F(ObjectTest, SafeDeleteTwiceKeepsOneEntryAndCancelKeepsTheObject) {
    auto* object = new Deletable("a");
    object->safeDelete();
    object->safeDelete();
    EXPECT_EQ(engine.app().safeDeleteCount(), 1u);
    object->cancelSafeDelete();
    EXPECT_EQ(engine.app().safeDeleteCount(), 0u);
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_TRUE(g_calls.empty());
    object->safeDelete();
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(g_calls, std::vector<std::string>{"delete a"});
}

TEST_F(ObjectTest, DelayedObjectWaitsMoreThanThreeSecondsUnlessForced) {
    auto* object = new Deletable("late", true);
    object->safeDelete();
    clock.advance(2999.0);
    engine.app().purgeSafeDeleteObjects(false);
    clock.advance(1.0);  // exactly 3000 is not enough
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_TRUE(g_calls.empty());
    clock.advance(1.0);
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(g_calls, std::vector<std::string>{"delete late"});

    auto* forced = new Deletable("forced", true);
    forced->safeDelete();
    engine.app().purgeSafeDeleteObjects(true);
    EXPECT_EQ(g_calls.back(), "delete forced");
}

TEST_F(ObjectTest, DeletingAMarkedObjectDirectlyTakesItOffTheList) {
    auto* object = new Deletable("direct");
    object->safeDelete();
    delete object;
    EXPECT_EQ(engine.app().safeDeleteCount(), 0u);
    engine.app().purgeSafeDeleteObjects(true);
    EXPECT_EQ(g_calls, std::vector<std::string>{"delete direct"});
}

TEST_F(ObjectTest, DestructorThatDeletesAnotherDueObjectCausesNoDoubleDelete) {
    auto* first = new Deletable("first");
    auto* second = new Deletable("second");
    auto* third = new Deletable("third");
    first->onDelete = [second] { delete second; };
    first->safeDelete();
    second->safeDelete();
    third->safeDelete();
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"delete first", "delete second", "delete third"}));
    EXPECT_EQ(engine.app().safeDeleteCount(), 0u);
}

TEST_F(ObjectTest, DestructorThatDeletesAnEarlierWaitingObjectPassesNothingOver) {
    auto* waiting = new Deletable("waiting", true);  // not due yet, stands first
    auto* first = new Deletable("first");
    auto* second = new Deletable("second");
    waiting->safeDelete();
    first->safeDelete();
    second->safeDelete();
    first->onDelete = [waiting] { delete waiting; };
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"delete first", "delete waiting", "delete second"}));
}

TEST_F(ObjectTest, DestructorThatMarksAnotherObjectHasItDeletedSafely) {
    auto* first = new Deletable("first");
    auto* later = new Deletable("later");
    first->onDelete = [later] { later->safeDelete(); };
    first->safeDelete();
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"delete first", "delete later"}));
}

TEST_F(ObjectTest, FramePurgesAfterTheUpdateBeforeTheRedraw) {
    auto* object = new Deletable("frame");
    RecordingObject updater("u", true, false, true, false);
    updater.onUpdate = [object] { object->safeDelete(); };
    engine.app().update();
    engine.app().redraw();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update u", "delete frame", "preRender u"}));
}

TEST_F(ObjectTest, BroadcastWhileAHandlerAddsAndRemovesObjects) {
    RecordingObject a("a", true, true, false, false);
    auto* b = new RecordingObject("b", true, true, false, false);
    RecordingObject c("c", true, true, false, false);
    std::unique_ptr<RecordingObject> added;
    a.onUpdate = [&] {
        delete b;
        b = nullptr;
        added = std::make_unique<RecordingObject>("added", true, true, false, false);
    };
    engine.app().update();
    // b is not visited once removed; the new object waits for the next walk.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update a", "update c"}));
    g_calls.clear();
    a.onUpdate = nullptr;
    engine.app().update();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update a", "update c", "update added"}));
    g_calls.clear();
    // Events go newest first; the newest removing an older object spares it
    // the call, and an object made during the walk gets none.
    auto* older = new RecordingObject("older", false, true, false, false);
    RecordingObject* madeDuringEvent = nullptr;
    added = std::make_unique<RecordingObject>("added", true, true, false, false);  // now the newest
    added->onEventHook = [&] {
        delete older;
        older = nullptr;
        madeDuringEvent = new RecordingObject("new", false, true, false, false);
    };
    engine.app().onEvent(nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"event added", "event c", "event a"}));
    delete madeDuringEvent;
}

TEST_F(ObjectTest, RenderListBroadcastPassesItsArgument) {
    RecordingObject lit("l", false, false, true, false);
    engine.app().renderLit(7);
    EXPECT_EQ(g_calls, std::vector<std::string>{"lit l 7"});
}
