// The Lua host: script files (found, missing, scrambled, failing), strings,
// the argument readers with missing and extra arguments, tables, and which
// host a native function finds.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <string>

#include "engine/core/scriptFunctions.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simScriptManager.h"
#include "tests/support/headlessEngine.h"

namespace {

// Scripts are looked up in the test's settings folder, whatever the root.
std::string g_scriptFolder;

void installScriptFolder(simSystemLinks& links) {
    links.resources.factory.create = [] { g_resources = reinterpret_cast<simResources*>(&g_scriptFolder); };
    links.resources.factory.destroy = [] { g_resources = nullptr; };
    links.resources.findFile = [](const std::string&, const std::string& name, uint32_t) -> std::string {
        const std::string path = g_scriptFolder + "/" + name;
        FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) return "NULL";
        std::fclose(file);
        return path;
    };
}

std::string scrambled(const std::string& text) {
    std::string bytes("\x00\x01\x02\x04\x08\x10\x20\x40", 8);
    for (char c : text) {
        const char key = static_cast<char>(0x5A);
        bytes += key;
        bytes += static_cast<char>(c ^ key);
    }
    return bytes;
}

class ScriptManagerTest : public ::testing::Test {
protected:
    ScriptManagerTest() { g_scriptFolder = engine.settings.path(); }

    // The global's value as a number (nil reads as -1).
    double global(const char* name) {
        lua_State* state = host().getState();
        lua_getglobal(state, name);
        const double value = lua_isnil(state, -1) ? -1.0 : lua_tonumber(state, -1);
        lua_pop(state, 1);
        return value;
    }
    simScriptManager& host() { return *g_scriptManager; }

    testsupport::HeadlessEngine engine{installScriptFolder};
};

}  // namespace

TEST_F(ScriptManagerTest, RunsAScriptFile) {
    engine.settings.write("a.lua", "a = 1 + 2");
    EXPECT_TRUE(host().run("scripts", "a.lua", 0));
    EXPECT_EQ(global("a"), 3.0);
    EXPECT_EQ(lua_gettop(host().getState()), 0);
}

TEST_F(ScriptManagerTest, ShortFilesAndTheMarkerAloneRun) {
    engine.settings.write("short.lua", "b=7");
    engine.settings.write("marker.lua", std::string("\x00\x01\x02\x04\x08\x10\x20\x40", 8));
    engine.settings.write("empty.lua", "");
    EXPECT_TRUE(host().run("", "short.lua", 0));
    EXPECT_EQ(global("b"), 7.0);
    EXPECT_TRUE(host().run("", "marker.lua", 0));
    EXPECT_TRUE(host().run("", "empty.lua", 0));
    EXPECT_TRUE(engine.errors.reports().empty());
}

TEST_F(ScriptManagerTest, ScrambledScriptIsUnscrambledBeforeItRuns) {
    engine.settings.write("s.lua", scrambled("c = 40 + 2") + "X");  // a last unpaired byte is dropped
    EXPECT_TRUE(host().run("", "s.lua", 1));
    EXPECT_EQ(global("c"), 42.0);
}

TEST_F(ScriptManagerTest, MissingScriptIsLoggedAndGivesFalse) {
    EXPECT_FALSE(host().run("scripts", "none.lua", 0));
    EXPECT_EQ(engine.log(), "ERROR: simScriptManager::run: Script not found: none.lua\n");
    EXPECT_TRUE(engine.errors.reports().empty());
}

TEST_F(ScriptManagerTest, CompileAndRunErrorsAreReportedAndLuaTextIsLogged) {
    struct Case {
        const char* file;
        const char* text;
        const char* luaError;
    };
    for (const Case& c : {Case{"syntax.lua", "d = 1\nif then", "[string \"line\"]:2:"},
                          Case{"runtime.lua", "d = 5\nerror('went wrong')", "went wrong"}}) {
        engine.clearLog();
        engine.settings.write(c.file, c.text);
        EXPECT_FALSE(host().run("", c.file, 0)) << c.file;
        ASSERT_FALSE(engine.errors.texts().empty());
        EXPECT_EQ(engine.errors.texts().back(),
                  std::string("simScriptManager::executeFile - error running script: ") + c.file);
        EXPECT_NE(engine.log().find(c.luaError), std::string::npos) << engine.log();
        EXPECT_EQ(engine.log().substr(engine.log().size() - 14), "ERROR IN FILE]");
        EXPECT_EQ(lua_gettop(host().getState()), 0);
    }
    EXPECT_EQ(global("d"), 5.0);  // set before the run-time error
}

TEST_F(ScriptManagerTest, ExecuteStringLogsLuaErrors) {
    host().executeString("e = 2");
    EXPECT_EQ(global("e"), 2.0);
    host().executeString("e = = 3");
    EXPECT_NE(engine.log().find("ERROR: simScriptManager::executeString: [string"), std::string::npos);
    EXPECT_TRUE(engine.errors.reports().empty());
    EXPECT_EQ(lua_gettop(host().getState()), 0);
}

TEST_F(ScriptManagerTest, ReadersCheckTypesAndNeverReadBelowTheCall) {
    lua_State* state = host().getState();
    lua_pushnumber(state, 12.5);
    lua_pushstring(state, "7");
    lua_newtable(state);
    // Three arguments read as three: exact positions.
    EXPECT_EQ(host().getString(0, 3), "12.5");
    EXPECT_EQ(host().getNumber(1, 3), 7.0);
    EXPECT_EQ(host().tableSize(2, 3), 0);
    EXPECT_TRUE(engine.errors.reports().empty());
    // Read as two of two: the last two.
    EXPECT_EQ(host().getString(1, 2), "");
    EXPECT_EQ(host().tableSize(0, 2), 0);
    // Read as five: the three present fill the first places, the rest are missing.
    EXPECT_EQ(host().getNumber(0, 5), 12.5);
    EXPECT_EQ(host().getNumber(4, 5), 0.0);
    d3dx::Vector3 v;
    host().getVector(&v, 2, 5);  // a table and two missing values: zeros, no report
    EXPECT_EQ(v, d3dx::Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(engine.errors.texts(), (std::vector<std::string>{"getString - invalid value", "tableSize - nvalid value",
                                                               "getNumber - invalid value"}));
    host().pop(10);  // never more than the stack holds
    EXPECT_EQ(lua_gettop(state), 0);
}

TEST_F(ScriptManagerTest, TablesAndGlobals) {
    host().executeString("options = { speed = 50 } list = {4, 5}");
    EXPECT_TRUE(host().getGlobalTable("options"));
    EXPECT_TRUE(host().getTableField("speed"));
    EXPECT_EQ(host().getNumber(0, 1), 50.0);
    host().pop(2);
    EXPECT_FALSE(host().getGlobalTable("missing"));
    EXPECT_FALSE(host().getTableField("x"));
    host().pop(1);
    host().getGlobal("list");
    EXPECT_EQ(host().tableSize(0, 1), 2);
    EXPECT_TRUE(host().getTableElement(2, 0, 1));
    EXPECT_EQ(host().getNumber(0, 1), 5.0);
    host().pop(2);
    host().getGlobal("print");
    EXPECT_TRUE(host().isFunction(0, 1));
    host().pop(1);
    EXPECT_EQ(lua_gettop(host().getState()), 0);
}

TEST_F(ScriptManagerTest, AMetatableThatFailsOnReadIsLoggedNotFatal) {
    // A settings or script file may leave tables whose reads run script code
    // that fails; unprotected, Lua would end the process.
    host().executeString(
        "options = setmetatable({}, { __index = function() error('bad options') end })\n"
        "setmetatable(_G, { __index = function(_, key) error('no global ' .. key) end })");
    EXPECT_TRUE(host().getGlobalTable("options"));
    EXPECT_TRUE(host().getTableField("speed"));
    EXPECT_TRUE(lua_isnil(host().getState(), -1));
    host().pop(2);
    EXPECT_FALSE(host().getGlobalTable("missing"));
    EXPECT_TRUE(lua_isnil(host().getState(), -1));
    host().pop(1);
    EXPECT_EQ(lua_gettop(host().getState()), 0);
    const std::string log = engine.log();
    EXPECT_NE(log.find("ERROR: simScriptManager: reading speed: "), std::string::npos) << log;
    EXPECT_NE(log.find("bad options"), std::string::npos) << log;
    EXPECT_NE(log.find("no global missing"), std::string::npos) << log;
}

TEST_F(ScriptManagerTest, NativeFunctionFindsTheHostOfItsOwnState) {
    static simScriptManager* found = nullptr;
    simScriptManager second;
    second.registerFunction(
        [](lua_State* state) {
            found = scriptHost(state);
            return 0;
        },
        "whoAmI");
    second.executeString("whoAmI()");
    EXPECT_EQ(found, &second);
    lua_State* stray = luaL_newstate();
    EXPECT_EQ(scriptHost(stray), nullptr);
    lua_close(stray);
}
