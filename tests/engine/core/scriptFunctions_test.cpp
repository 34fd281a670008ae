// The engine's native script functions, called from Lua: a table of calls
// with the arguments they expect, too few and too many, with the results and
// the serious-error reports each must give; and every registered function
// called with no arguments and with many.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/core/scriptFunctions.h"
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simResources.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiElementManager.h"
#include "platform/sys/clock.h"
#include "tests/support/headlessEngine.h"

namespace {

std::vector<std::string> g_calls;
unsigned char g_fakeSystems[4];

void installFakes(simSystemLinks& links) {
    // A real registry: the GUI's creation functions look resources up by name.
    links.resources.factory.create = [] { new simResources(); };
    links.resources.factory.destroy = [] { delete g_resources; };
    links.resources.setCollection = [](const std::string& name) { g_calls.push_back("setCollection " + name); };
    links.resources.destroyCollection = [](const std::string& name) { g_calls.push_back("destroyCollection " + name); };
    links.input.hasKeyboard = [] { return true; };
    links.input.keyDown = [](uint32_t key) { return key == 'A' ? 1 : 0; };
    links.input.keyPressed = [](uint32_t key) { return key == 'B' ? 1 : 0; };
    links.particles.createParticle = [](const std::string& type, const float p[3], const float v[3]) {
        char text[128];
        std::snprintf(text, sizeof text, "particle %s %g %g %g %g %g %g", type.c_str(), p[0], p[1], p[2], v[0], v[1],
                      v[2]);
        g_calls.push_back(text);
    };
    links.dynamics.setGravity = [](float x, float y, float z) {
        g_calls.push_back("gravity " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) +
                          " " + std::to_string(static_cast<int>(z)));
    };
}

// What a call gives back: numbers to four decimals, texts in quotes.
std::vector<std::string> callResults(simScriptManager& host, const std::string& call) {
    lua_State* state = host.getState();
    const std::string chunk = "__results = {" + call + "}";
    EXPECT_EQ(luaL_dostring(state, chunk.c_str()), 0) << call << ": " << lua_tostring(state, -1);
    lua_getglobal(state, "__results");
    std::vector<std::string> results;
    const int count = static_cast<int>(lua_objlen(state, -1));
    for (int i = 1; i <= count; ++i) {
        lua_rawgeti(state, -1, i);
        char text[64];
        if (lua_type(state, -1) == LUA_TNUMBER) {
            const double value = lua_tonumber(state, -1);
            std::snprintf(text, sizeof text, "%.4f", std::fabs(value) < 5e-5 ? 0.0 : value);
        } else {
            std::snprintf(text, sizeof text, "'%s'", lua_tostring(state, -1));
        }
        results.push_back(text);
        lua_pop(state, 1);
    }
    lua_settop(state, 0);
    return results;
}

struct Case {
    const char* call;
    std::vector<std::string> results;
    std::vector<std::string> errors;  // serious-error texts, in order
    std::vector<std::string> calls;   // what reached the fake systems
    const char* logged = "";          // what reached the log
};

const std::string kNumber = "getNumber - invalid value";
const std::string kString = "getString - invalid value";

class ScriptFunctionsTest : public ::testing::Test {
protected:
    ScriptFunctionsTest() {
        g_calls.clear();
        new simInput();  // a real one: GUI widgets ask it for the mouse
        clock.set(1234.0);
        new simGuiElementManager();
        registerDynamicsScriptFunctions(dynamicsHost);
    }
    ~ScriptFunctionsTest() override { delete g_input; }

    void check(simScriptManager& host, const Case& c) {
        g_calls.clear();
        engine.clearLog();
        const size_t errorsBefore = engine.errors.reports().size();
        EXPECT_EQ(callResults(host, c.call), c.results) << c.call;
        const std::vector<std::string> texts = engine.errors.texts();
        EXPECT_EQ(std::vector<std::string>(texts.begin() + errorsBefore, texts.end()), c.errors) << c.call;
        EXPECT_EQ(g_calls, c.calls) << c.call;
        std::string log = engine.log();
        // Serious errors are logged too; only the function's own texts count.
        for (size_t at; (at = log.find("SERIOUS ERROR: ")) != std::string::npos;) {
            log.erase(at, log.find('\n', at) - at + 1);
        }
        EXPECT_EQ(log, c.logged) << c.call;
    }

    sys::ManualClock clock;
    testsupport::HeadlessEngine engine{installFakes};
    simScriptManager dynamicsHost;
};

}  // namespace

TEST_F(ScriptFunctionsTest, EngineFunctions) {
    const Case cases[] = {
        {"systemTime()", {"1234.0000"}, {}, {}},
        {"systemTime(1, 2)", {"1234.0000"}, {}, {}},
        {"dynamicsTime()", {"0.0000"}, {}, {}},
        {"keyboard_keyDown('A')", {"1.0000"}, {}, {}},
        {"keyboard_keyDown('Apple')", {"1.0000"}, {}, {}},
        {"keyboard_keyDown('')", {"0.0000"}, {}, {}},
        {"keyboard_keyDown()", {"0.0000"}, {kString}, {}},
        {"keyboard_keyDown('x', 'A')", {"1.0000"}, {}, {}},
        {"keyboard_keyPressed('B')", {"1.0000"}, {}, {}},
        {"setCollection('currentProject')", {}, {}, {"setCollection currentProject"}},
        {"setCollection()", {}, {kString}, {"setCollection "}},
        {"setCollection('a', 'b')", {}, {}, {"setCollection b"}},
        {"destroyCollection('currentProject')", {}, {}, {"destroyCollection currentProject"}},
        {"seriousError('boom')", {}, {"boom"}, {}},
        {"seriousError()", {}, {kString}, {}},
        {"createParticle('spark', 1, 2, 3, 4, 5, 6)", {}, {}, {"particle spark 1 2 3 4 5 6"}},
        {"createParticle('spark', 1, 2)", {}, {}, {"particle spark 1 2 0 0 0 0"}},
        {"createParticle()", {}, {kString}, {"particle  0 0 0 0 0 0"}},
        {"console(3)", {}, {}, {}, "3.00000"},
        {"console('abc')", {}, {}, {}, "abc"},
        {"console({})", {}, {}, {}, "[TABLE]"},
        {"console(nil)", {}, {}, {}, "[NIL]"},
        {"console(true)", {}, {}, {}, ""},
        {"console()", {}, {}, {}, ""},
        {"console(1, 'second')", {}, {}, {}, "second"},
        {"runScript('scripts', 'none.lua')", {}, {}, {}, "ERROR: simScriptManager::run: Script not found: none.lua\n"},
        {"runScript('none.lua')", {}, {kString}, {}, "ERROR: simScriptManager::run: Script not found: \n"},
    };
    for (const Case& c : cases) check(*g_scriptManager, c);
}

TEST_F(ScriptFunctionsTest, CloseAndShutdown) {
    check(*g_scriptManager, {"shutdown()", {}, {}, {}});
    EXPECT_FALSE(engine.app().isRunning());
    EXPECT_TRUE(engine.app().isQuitRequested());
}

TEST_F(ScriptFunctionsTest, MathsFunctions) {
    const Case cases[] = {
        {"maths_vectorAngle(1, 0, 0, 0, 1, 0)", {"0.0000"}, {}, {}},
        {"maths_vectorAngle(9, 1, 0, 0, 0, 1, 0)", {"0.0000"}, {}, {}},
        {"maths_vectorAngleCorrected(1, 0, 0, 0, 1, 0)", {"1.5708"}, {}, {}},
        {"maths_vectorAngleCorrected(0, 0, 0, 1, 2, 3)", {"0.0000"}, {}, {}},
        {"maths_vectorAngleCorrected(1, 0, 0, -2, 0, 0)", {"3.1416"}, {}, {}},
        {"maths_vectorAngleCorrected(1, 0, 0)", {"0.0000"}, {}, {}},
        {"maths_vectorAngles(1, 0, 0)", {"1.5708", "0.0000"}, {}, {}},
        {"maths_vectorAngles(0, 1, 0)", {"0.0000", "1.5708"}, {}, {}},
        {"maths_vectorAngles()", {"0.0000", "0.0000"}, {}, {}},
        {"maths_vectorAngles('x', 0, 1, 0)", {"0.0000", "1.5708"}, {}, {}},
        {"maths_rotateVector(1, 0, 0, 0, 90, 0)", {"0.0000", "0.0000", "-1.0000"}, {}, {}},
        {"maths_rotateVector(1, 0, 0, 90, 0, 0)", {"0.0000", "1.0000", "0.0000"}, {}, {}},
        {"maths_rotateVector(1, 0, 0)", {"1.0000", "0.0000", "0.0000"}, {}, {}},
        {"maths_reflectVector(1, -1, 0, 0, 1, 0)", {"0.7071", "0.7071", "0.0000"}, {}, {}},
        {"maths_vectorNormal(1, 0, 0, 0, 1, 0)", {"0.0000", "0.0000", "1.0000"}, {}, {}},
        {"maths_vectorNormal(2, 0, 0, 0, 3, 0)", {"0.0000", "0.0000", "1.0000"}, {}, {}},
        {"maths_uniformAngleDifference(-0.1, 0.1)", {"0.2000"}, {}, {}},
        {"maths_uniformAngleDifference(0.1, 6.2)", {"0.1830"}, {}, {}},
        {"maths_uniformAngleDifference(1, 2)", {"1.0000"}, {}, {}},
        {"maths_uniformAngleDifference('x', -0.1, 0.1)", {"0.2000"}, {}, {}},
        {"maths_uniformAngleDifference(0.5)", {"0.5000"}, {kNumber}, {}},
        {"maths_uniformAngleDifference('a', 'b')", {"0.0000"}, {kNumber, kNumber}, {}},
        {"utils_interpolateTable({10, 0, 20, 1, 40, 3}, 2)", {"30.0000"}, {}, {}},
        {"utils_interpolateTable({10, 0, 20, 1, 40, 3}, 4)", {"50.0000"}, {}, {}},
        {"utils_interpolateTableClip({10, 0, 20, 1, 40, 3}, 4)", {"40.0000"}, {}, {}},
        {"utils_interpolateTableClip({10, 0, 20, 1, 40, 3}, -1)", {"10.0000"}, {}, {}},
        {"utils_interpolateTable({10, 0, 20, 1})", {"10.0000"}, {kNumber}, {}},
        // The missing last key reads as 0: keys 0 and 0 give the last value.
        {"utils_interpolateTable({10, 0, 20}, 0.5)", {"20.0000"}, {kNumber}, {}},
        {"utils_interpolateTable(5, 1)", {"0.0000"},
         {"tableSize - nvalid value", "utils::interpolateVector: tables not large enough"}, {}},
        {"utils_interpolateTable()", {"0.0000"},
         {"tableSize - nvalid value", kNumber, "utils::interpolateVector: tables not large enough"}, {}},
    };
    for (const Case& c : cases) check(*g_scriptManager, c);
}

TEST_F(ScriptFunctionsTest, DynamicsHostFunctions) {
    g_dynamics = reinterpret_cast<simDynamics*>(&g_fakeSystems[1]);
    const Case cases[] = {
        {"maths_vectorLength(3, 4, 0)", {"5.0000"}, {}, {}},
        {"maths_vectorLength(3, 4)", {"5.0000"}, {}, {}},
        {"maths_vectorUnit(0, 0, 5)", {"0.0000", "0.0000", "1.0000"}, {}, {}},
        {"maths_airfoil_airflowVector(0, 0, 1, 0, 0, 1, 0, 1, 0)", {"0.0000", "0.0000", "1.0000"}, {}, {}},
        {"maths_airfoil_angleOfAttack(0, 1, 1, 0, 0, 1, 0, 1, 0)", {"-0.7854"}, {}, {}},
        {"maths_airfoil_angleOfAttack(5, 0, 1, 1, 0, 0, 1, 0, 1, 0)", {"-0.7854"}, {}, {}},
        {"dynamics_setGravity(0, -490, 0)", {}, {}, {"gravity 0 -490 0"}},
        {"dynamics_setGravity(1)", {}, {}, {"gravity 1 0 0"}},
        {"keyboard_keyDown('A')", {"1.0000"}, {}, {}},
        {"systemTime()", {"1234.0000"}, {}, {}},
    };
    for (const Case& c : cases) check(dynamicsHost, c);
    g_dynamics = nullptr;
    check(dynamicsHost, {"dynamics_setGravity(0, -490, 0)", {}, {}, {}});
    // Engine-only functions are not on the dynamics host.
    EXPECT_NE(luaL_dostring(dynamicsHost.getState(), "gui_exists('x')"), 0);
}

TEST_F(ScriptFunctionsTest, GuiFunctions) {
    auto* element = new simGuiElement("bar", 0, 0, 10, 10);
    const Case cases[] = {
        {"gui_exists('bar')", {"1.0000"}, {}, {}},
        {"gui_exists('other', 'bar')", {"1.0000"}, {}, {}},
        {"gui_exists('none')", {"0.0000"}, {}, {}},
        {"gui_exists()", {"0.0000"}, {kString}, {}},
        {"gui_getText('none')", {"''"}, {}, {}},
        {"gui_setData('bar', 0.25)", {}, {}, {}},
        {"gui_getData('bar')", {"0.2500"}, {}, {}},
        {"gui_getData('none')", {"0.0000"}, {}, {}},
        {"gui_setData('bar')", {}, {kNumber}, {}},
        {"gui_getData('bar')", {"0.0000"}, {}, {}},
        {"gui_setEnabledState('bar', 0)", {}, {}, {}},
        {"gui_getEnabledState('bar')", {"0.0000"}, {}, {}},
        {"gui_setEnabledState('bar', 2)", {}, {}, {}},
        {"gui_getEnabledState('bar')", {"1.0000"}, {}, {}},
        {"gui_getEnabledState('none')", {"0.0000"}, {}, {}},
        {"gui_setVisibleState('bar', 0)", {}, {}, {}},
        {"gui_setCurrentDialogForm('bar')", {}, {}, {}},
        {"gui_setOkElement('bar')", {}, {}, {}},
        {"gui_setCancelElement('none')", {}, {}, {}},
        {"gui_setAttribute('bar', 'visible', 'no')", {}, {}, {}},
        {"gui_setTooltip('bar')", {}, {kString, kString}, {}},
        {"createGuiLabel('l', 10.9, 0, 5, 5, 'f', 't', 'centre')", {}, {}, {}},
        {"createGuiLabel('l')", {}, {kNumber, kNumber, kNumber, kNumber, kString, kString, kString}, {}},
        {"createGuiRadioButtonGroup('g', 'x', 'extra')", {}, {}, {}},
        {"createGuiRadioButtonGroup({}, 'x')", {}, {kString}, {}},
    };
    for (const Case& c : cases) check(*g_scriptManager, c);
    EXPECT_FALSE(element->isVisible());
    EXPECT_EQ(g_guiElementManager->currentDialogForm, element);
    EXPECT_EQ(g_guiElementManager->okElement, element);
    check(*g_scriptManager, {"gui_setVisibleState('bar', 0.5)", {}, {}, {}});
    EXPECT_TRUE(element->isVisible());
    check(*g_scriptManager, {"destroyGuiElement('bar')", {}, {}, {}});
    check(*g_scriptManager, {"gui_exists('bar')", {"0.0000"}, {}, {}});  // marked, not yet deleted
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(g_guiElementManager->okElement, nullptr);
}

TEST_F(ScriptFunctionsTest, EveryFunctionToleratesNoArgumentsAndManyArguments) {
    for (const auto& [table, host] : {std::pair{engineScriptFunctionTable(), g_scriptManager},
                                      std::pair{dynamicsScriptFunctionTable(), &dynamicsHost}}) {
        for (const simScriptFunctionEntry& entry : table) {
            const std::string name = entry.name;
            if (name == "close" || name == "shutdown") continue;
            for (const std::string arguments : {"", "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12"}) {
                lua_State* state = host->getState();
                const std::string chunk = "local a, b, c, d = " + name + "(" + arguments + ")";
                EXPECT_EQ(luaL_dostring(state, chunk.c_str()), 0) << chunk;
                lua_settop(state, 0);
            }
        }
    }
    EXPECT_TRUE(engine.app().isRunning());
}

TEST_F(ScriptFunctionsTest, TablesHoldTheRegisteredNames) {
    EXPECT_EQ(engineScriptFunctionTable().size(), 60u);
    EXPECT_EQ(dynamicsScriptFunctionTable().size(), 13u);
    for (const simScriptFunctionEntry& entry : engineScriptFunctionTable()) {
        lua_getglobal(g_scriptManager->getState(), entry.name);
        EXPECT_EQ(lua_tocfunction(g_scriptManager->getState(), -1), entry.function) << entry.name;
        lua_pop(g_scriptManager->getState(), 1);
    }
}
