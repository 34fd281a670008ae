#include "engine/core/simScriptManager.h"

#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsErrors.h"

namespace {

constexpr unsigned char kScrambleMarker[8] = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40};
constexpr const char* kChunkName = "line";

// Lua's error text on top of the stack, popped.
std::string popErrorText(lua_State* state) {
    const char* text = lua_tostring(state, -1);
    std::string message = text ? text : "(error object is not a string)";
    lua_pop(state, 1);
    return message;
}

// The script text of a file's bytes: unscrambled behind the marker, else as is.
std::string scriptText(const std::vector<unsigned char>& bytes) {
    const bool scrambled = bytes.size() >= sizeof kScrambleMarker &&
                           std::equal(std::begin(kScrambleMarker), std::end(kScrambleMarker), bytes.begin());
    if (!scrambled) return std::string(bytes.begin(), bytes.end());
    std::string text;
    text.reserve((bytes.size() - sizeof kScrambleMarker) / 2);
    for (size_t i = sizeof kScrambleMarker; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char>(bytes[i] ^ bytes[i + 1]);
    }
    return text;
}

// Reads a whole file; false when it cannot be opened. Reads never more than
// the length found when it was opened.
bool readFile(const std::string& path, std::vector<unsigned char>& bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    long length = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    bytes.resize(length > 0 ? static_cast<size_t>(length) : 0);
    const size_t read = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
    bytes.resize(read);
    std::fclose(file);
    return true;
}

// Reads table[key] for `pushField`, inside a protected call.
int readField(lua_State* state) {
    lua_gettable(state, 1);
    return 1;
}

// Pushes table[name] for the table at `tableIndex`. A table's metatable may
// run script code for the read (__index), and an error there outside a
// protected call would end the process: the read runs protected, and a
// failed one logs Lua's error text and pushes nil.
void pushField(lua_State* state, int tableIndex, const std::string& name) {
    if (tableIndex < 0 && tableIndex > LUA_REGISTRYINDEX) tableIndex = lua_gettop(state) + tableIndex + 1;
    lua_pushcfunction(state, readField);
    lua_pushvalue(state, tableIndex);
    lua_pushlstring(state, name.data(), name.size());
    if (lua_pcall(state, 2, 1, 0) != 0) {
        simLog("ERROR: simScriptManager: reading " + name + ": " + popErrorText(state) + "\n");
        lua_pushnil(state);
    }
}

void openLibrary(lua_State* state, lua_CFunction open, const char* name) {
    lua_pushcfunction(state, open);
    lua_pushstring(state, name);
    lua_call(state, 1, 0);
}

}  // namespace

simScriptManager::simScriptManager() {
    m_state = luaL_newstate();
    if (m_state) {
        openLibrary(m_state, luaopen_base, "");
        openLibrary(m_state, luaopen_io, LUA_IOLIBNAME);
        openLibrary(m_state, luaopen_string, LUA_STRLIBNAME);
        openLibrary(m_state, luaopen_math, LUA_MATHLIBNAME);
        openLibrary(m_state, luaopen_table, LUA_TABLIBNAME);
    }
    if (g_application) g_application->registerScriptManager(this);
}

simScriptManager::~simScriptManager() {
    if (g_application) g_application->unregisterScriptManager(this);
    if (m_state) lua_close(m_state);
}

void simScriptManager::registerFunction(lua_CFunction function, std::string name) {
    lua_pushstring(m_state, name.c_str());
    lua_pushcclosure(m_state, function, 0);
    lua_settable(m_state, LUA_GLOBALSINDEX);
}

// ---- Running scripts

void simScriptManager::executeString(std::string code) {
    if (luaL_dostring(m_state, code.c_str()) != 0) {
        simLog("ERROR: simScriptManager::executeString: " + popErrorText(m_state) + "\n");
    }
}

bool simScriptManager::run(std::string folder, std::string name, uint32_t root) {
    const auto findFile = systemLinks().resources.findFile;
    const std::string path = findFile && g_resources ? findFile(folder, name, root) : "NULL";
    if (path == "NULL") {
        simLog("ERROR: simScriptManager::run: Script not found: " + name + "\n");
        return false;
    }
    std::vector<unsigned char> bytes;
    if (!readFile(path, bytes)) {
        simLog("ERROR: simScriptManager::run: Script not opened: " + name + "\n");
        return false;
    }
    return runBuffer(bytes, name);
}

bool simScriptManager::runBuffer(const std::vector<unsigned char>& bytes, const std::string& name) {
    const std::string text = scriptText(bytes);
    int result = luaL_loadbuffer(m_state, text.data(), text.size(), kChunkName);
    if (result == 0) result = lua_pcall(m_state, 0, 0, 0);
    if (result == 0) return true;
    simLog("ERROR: simScriptManager::run: " + popErrorText(m_state) + "\n");
    utils::seriousError("simScriptManager::executeFile - error running script: " + name);
    simLog("ERROR IN FILE]");
    return false;
}

// ---- Tables and globals

bool simScriptManager::getGlobalTable(std::string name) {
    getGlobal(std::move(name));
    return lua_istable(m_state, -1);
}

bool simScriptManager::getTableField(std::string name) {
    if (!lua_istable(m_state, -1)) return false;
    pushField(m_state, -1, name);
    return true;
}

bool simScriptManager::getTableElement(int32_t n, uint32_t i, uint32_t count) {
    const int index = argumentIndex(i, count);
    if (index == 0 || !lua_istable(m_state, index)) return false;
    lua_rawgeti(m_state, index, n);
    return true;
}

int32_t simScriptManager::tableSize(uint32_t i, uint32_t count) {
    const int index = argumentIndex(i, count);
    if (index == 0 || !lua_istable(m_state, index)) {
        utils::seriousError("tableSize - nvalid value");
        return 0;
    }
    return static_cast<int32_t>(lua_objlen(m_state, index));
}

void simScriptManager::getGlobal(std::string name) { pushField(m_state, LUA_GLOBALSINDEX, name); }

bool simScriptManager::isFunction(int32_t index, int32_t offset) {
    const int position = index - offset;
    if (position >= 0 || -position > lua_gettop(m_state)) return false;
    return lua_type(m_state, position) == LUA_TFUNCTION;
}

// ---- Arguments

int simScriptManager::argumentIndex(uint32_t i, uint32_t count) const {
    if (i >= count) return 0;
    const int top = lua_gettop(m_state);
    const int n = static_cast<int>(count);
    const int argument = static_cast<int>(i);
    if (top >= n) return top - n + argument + 1;
    return argument < top ? argument + 1 : 0;
}

std::string simScriptManager::getString(uint32_t i, uint32_t count) {
    const int index = argumentIndex(i, count);
    if (index == 0 || !lua_isstring(m_state, index)) {
        utils::seriousError("getString - invalid value");
        return "";
    }
    size_t length = 0;
    const char* text = lua_tolstring(m_state, index, &length);
    return std::string(text, length);
}

double simScriptManager::getNumber(uint32_t i, uint32_t count) {
    const int index = argumentIndex(i, count);
    if (index == 0 || !lua_isnumber(m_state, index)) {
        utils::seriousError("getNumber - invalid value");
        return 0.0;
    }
    return lua_tonumber(m_state, index);
}

void simScriptManager::getVector(d3dx::Vector3* out, uint32_t i, uint32_t count) {
    float components[3];
    for (uint32_t k = 0; k < 3; ++k) {
        const int index = argumentIndex(i + k, count);
        components[k] = index == 0 ? 0.0f : static_cast<float>(lua_tonumber(m_state, index));
    }
    out->x = components[0];
    out->y = components[1];
    out->z = components[2];
}

// ---- Results and the stack

void simScriptManager::pushNumber(double value) { lua_pushnumber(m_state, value); }

void simScriptManager::pushString(std::string text) { lua_pushlstring(m_state, text.data(), text.size()); }

void simScriptManager::pop(uint32_t n) {
    const int top = lua_gettop(m_state);
    const int count = static_cast<int>(n) < top ? static_cast<int>(n) : top;
    lua_settop(m_state, -count - 1);
}
