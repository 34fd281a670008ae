// Script functions of the engine application, the log, the keyboard, the
// collections, the particles and the dynamics world.
#include <lua.hpp>

#include "engine/core/scriptFunctions.h"
#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsErrors.h"
#include "platform/sys/clock.h"

int script_close(lua_State* state) {
    if (scriptHost(state) && g_application) g_application->close();
    return 0;
}

int script_shutdown(lua_State* state) {
    if (scriptHost(state) && g_application) g_application->shutdown();
    return 0;
}

int script_setCollection(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const auto setCollection = systemLinks().resources.setCollection;
    if (g_resources && setCollection) {
        setCollection(host->getString(0, 1));
        host->pop(1);
    }
    return 0;
}

int script_destroyCollection(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const auto destroyCollection = systemLinks().resources.destroyCollection;
    if (g_resources && destroyCollection) destroyCollection(host->getString(0, 1));
    return 0;
}

int script_seriousError(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    utils::seriousError(host->getString(0, 1));
    host->pop(1);
    return 0;
}

int script_systemTime(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    host->pushNumber(static_cast<double>(sys::timeGetTime()));
    return 1;
}

int script_dynamicsTime(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    host->pushNumber(0.0);
    return 1;
}

// Logs the last argument only, with no newline; the stack is left as it was.
int script_console(lua_State* state) {
    if (!scriptHost(state) || !g_console || lua_gettop(state) == 0) return 0;
    if (lua_isnumber(state, -1)) {
        g_console->printFloat(lua_tonumber(state, -1));
    } else if (lua_isstring(state, -1)) {
        g_console->printString(lua_tostring(state, -1));
    } else if (lua_istable(state, -1)) {
        g_console->printString("[TABLE]");
    } else if (lua_isnil(state, -1)) {
        g_console->printString("[NIL]");
    }
    return 0;
}

int script_runScript(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const std::string folder = host->getString(0, 2);
    const std::string name = host->getString(1, 2);
    host->run(folder, name, 0);
    return 0;
}

namespace {

// The key code of a key argument: its first character, read unsigned; an
// empty text gives 0.
uint32_t keyCode(simScriptManager& host) {
    const std::string key = host.getString(0, 1);
    return key.empty() ? 0u : static_cast<unsigned char>(key[0]);
}

// One result: the byte `read` gives for the key, 0 without a keyboard.
int pushKeyState(lua_State* state, int (*read)(uint32_t key)) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const uint32_t key = keyCode(*host);
    const bool haveKeyboard = g_input && systemLinks().input.hasKeyboard && systemLinks().input.hasKeyboard();
    host->pushNumber(haveKeyboard && read ? static_cast<double>(read(key)) : 0.0);
    return 1;
}

}  // namespace

int keyboard_keyDown(lua_State* state) { return pushKeyState(state, systemLinks().input.keyDown); }

int keyboard_keyPressed(lua_State* state) { return pushKeyState(state, systemLinks().input.keyPressed); }

int script_createParticle(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const std::string typeName = host->getString(0, 7);
    d3dx::Vector3 position;
    d3dx::Vector3 velocity;
    host->getVector(&position, 1, 7);
    host->getVector(&velocity, 4, 7);
    if (const auto create = systemLinks().particles.createParticle) {
        const float p[3] = {position.x, position.y, position.z};
        const float v[3] = {velocity.x, velocity.y, velocity.z};
        create(typeName, p, v);
    }
    return 0;
}

int dynamics_setGravity(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const auto setGravity = systemLinks().dynamics.setGravity;
    if (g_dynamics && setGravity) {
        d3dx::Vector3 gravity;
        host->getVector(&gravity, 0, 3);
        setGravity(gravity.x, gravity.y, gravity.z);
    }
    return 0;
}
