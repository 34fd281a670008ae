#include "engine/gui/simGuiScriptCall.h"

#include <lua.hpp>

#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simScriptManager.h"

namespace {

// Restores the stack top on every way out.
class StackGuard {
public:
    explicit StackGuard(lua_State* state) : m_state(state), m_top(lua_gettop(state)) {}
    ~StackGuard() { lua_settop(m_state, m_top); }
    StackGuard(const StackGuard&) = delete;
    StackGuard& operator=(const StackGuard&) = delete;

private:
    lua_State* m_state;
    int m_top;
};

}  // namespace

void simGuiRunCallback(const std::string& caller, const std::string& function,
                       std::initializer_list<simGuiScriptValue> arguments, simGuiScriptFallback fallback) {
    if (function.empty() || !g_scriptManager) return;
    lua_State* state = g_scriptManager->getState();
    {
        StackGuard guard(state);
        lua_getglobal(state, function.c_str());
        if (lua_type(state, -1) == LUA_TFUNCTION) {
            for (const simGuiScriptValue& argument : arguments) {
                if (argument.isNumber) {
                    lua_pushnumber(state, argument.number);
                } else {
                    lua_pushlstring(state, argument.text.data(), argument.text.size());
                }
            }
            if (lua_pcall(state, static_cast<int>(arguments.size()), 0, 0) != 0) {
                const char* error = lua_tostring(state, -1);
                simLog("ERROR: " + caller + ": " + (error ? error : "error object is not a string") + "\n");
            }
            return;
        }
    }
    if (fallback == simGuiScriptFallback::runAsText) g_scriptManager->executeString(function);
}
