// The dynamics world: its ODE objects and settings, its own script host with
// its thirteen functions, the run-state flags and the object list.
#include "engine/core/simDynamics.h"

#include <ode/ode.h>

#include <lua.hpp>

#include <gtest/gtest.h>

#include "engine/core/scriptFunctions.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simObject.h"
#include "engine/core/simResources.h"
#include "engine/core/simScriptManager.h"
#include "tests/support/headlessEngine.h"

namespace {

void installLinks(simSystemLinks& links) {
    simLinkResourceSystem(links);
    simLinkDynamicsSystem(links);
}

class DynamicsTest : public ::testing::Test {
protected:
    DynamicsTest() : engine(installLinks) { engine.app().createSystems(); }

    simDynamics& dynamics() { return *g_dynamics; }
    // Runs a chunk on the dynamics host and reads a global number back.
    double evaluate(const std::string& expression) {
        simScriptManager* host = dynamics().getScriptManager();
        host->executeString("result = " + expression);
        lua_State* state = host->getState();
        lua_getglobal(state, "result");
        const double value = lua_tonumber(state, -1);
        lua_pop(state, 1);
        return value;
    }

    testsupport::HeadlessEngine engine;
};

TEST_F(DynamicsTest, TheWorldIsMadeWithTheEngineSettings) {
    ASSERT_NE(g_dynamics, nullptr);
    ASSERT_NE(dynamics().getWorld(), nullptr);
    EXPECT_NE(dynamics().getSpace(), nullptr);
    EXPECT_NE(dynamics().getContactGroup(), nullptr);
    EXPECT_FLOAT_EQ(dWorldGetERP(dynamics().getWorld()), 0.15);
    EXPECT_FLOAT_EQ(dWorldGetCFM(dynamics().getWorld()), 1e-7);
    EXPECT_FLOAT_EQ(dWorldGetContactSurfaceLayer(dynamics().getWorld()), 1.0);
    dVector3 gravity;
    dWorldGetGravity(dynamics().getWorld(), gravity);
    EXPECT_EQ(gravity[0], 0.0);
    EXPECT_EQ(gravity[1], -980.0);
    EXPECT_EQ(gravity[2], 0.0);
    EXPECT_EQ(dynamics().getDynamicsQuality(), 0.0);  // no options made: quality 0
    EXPECT_EQ(dynamics().getSimulationSpeed(), 1.0);
    EXPECT_FALSE(dynamics().isPaused());
    EXPECT_FALSE(dynamics().isFrozen());
}

TEST_F(DynamicsTest, ItsHostHasTheThirteenFunctionsSharedWhereTheNamesAreEqual) {
    lua_State* own = dynamics().getScriptManager()->getState();
    lua_State* engineState = g_scriptManager->getState();
    ASSERT_NE(own, engineState);
    int count = 0;
    for (const simScriptFunctionEntry& entry : dynamicsScriptFunctionTable()) {
        lua_getglobal(own, entry.name);
        EXPECT_EQ(lua_tocfunction(own, -1), entry.function) << entry.name;
        lua_getglobal(engineState, entry.name);
        // The same native function wherever the engine host has the name too.
        if (!lua_isnil(engineState, -1)) {
            EXPECT_EQ(lua_tocfunction(engineState, -1), entry.function) << entry.name;
        }
        lua_pop(engineState, 1);
        lua_pop(own, 1);
        ++count;
    }
    EXPECT_EQ(count, 13);
    EXPECT_DOUBLE_EQ(evaluate("maths_vectorLength(3, 4, 0)"), 5.0);  // found its own host
}

TEST_F(DynamicsTest, GravityGoesToTheWorldOnlyWhenItChanges) {
    evaluate("dynamics_setGravity(0, -980, 0)");
    EXPECT_EQ(dynamics().getGravityChangeCount(), 1);
    evaluate("dynamics_setGravity(0, -490, 0)");
    EXPECT_EQ(dynamics().getGravityChangeCount(), 2);
    dVector3 gravity;
    dWorldGetGravity(dynamics().getWorld(), gravity);
    EXPECT_EQ(gravity[1], -490.0);
    evaluate("dynamics_setGravity(0, -490, 0)");
    EXPECT_EQ(dynamics().getGravityChangeCount(), 2);
    EXPECT_EQ(dynamics().getGravity(), d3dx::Vector3(0, -490, 0));
}

TEST_F(DynamicsTest, TheApplicationsRunStateReachesTheWorld) {
    engine.app().pause();
    engine.app().freeze();
    EXPECT_TRUE(dynamics().isPaused());
    EXPECT_TRUE(dynamics().isFrozen());
    engine.app().unpause();
    engine.app().unfreeze();
    EXPECT_FALSE(dynamics().isPaused());
    EXPECT_FALSE(dynamics().isFrozen());
    dynamics().setSimulationSpeed(50);
    EXPECT_EQ(dynamics().getSimulationSpeed(), 50.0);
}

TEST_F(DynamicsTest, ObjectsAreListedAndRemovedEveryEntry) {
    simObject first(false, false, false, false);
    simObject second(false, false, false, false);
    dynamics().addObject(nullptr);
    EXPECT_TRUE(dynamics().getObjects().empty());
    dynamics().addObject(&first);
    dynamics().addObject(&second);
    dynamics().addObject(&first);
    dynamics().removeObject(&first);
    dynamics().removeObject(nullptr);
    EXPECT_EQ(dynamics().getObjects(), std::vector<simObject*>{&second});
}

TEST_F(DynamicsTest, ShutdownDestroysTheWorldAndItCanBeMadeAgain) {
    engine.clearLog();
    engine.destroy();
    EXPECT_EQ(g_dynamics, nullptr);
    EXPECT_NE(engine.log().find("Destroying dynamics system...done\n"), std::string::npos);

    // ODE is opened and closed with each world.
    auto* again = new simDynamics(180.0f);
    EXPECT_EQ(g_dynamics, again);
    EXPECT_EQ(again->getDynamicsQuality(), 180.0);
    delete again;
    EXPECT_EQ(g_dynamics, nullptr);
}

}  // namespace
