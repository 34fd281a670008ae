// simScriptManager: a Lua scripting host.
//
// Each host owns one Lua 5.1 state with the base, io, string, math and table
// libraries open, registers native functions under global names, runs script
// text and script files, and gives native code positional access to the
// arguments of the script call in progress. The engine makes one host at
// start-up (g_scriptManager) and the dynamics world a second one; each host
// joins the engine application's list so that a native function can find the
// host of the state it was called on (simApplication::findScriptManager).
//
// Argument convention: a native function that expects n arguments reads
// argument i (from 0) of n. Called with exactly n arguments, argument i is
// at stack index i - n (counted from the top); with more, the last n are
// read. With fewer, the arguments present fill the first places and the
// missing ones read as nil: the reader reports them as it reports a wrong
// type and gives its neutral value. A reader never looks below the call.
//
// Script files may be stored scrambled: such a file begins with the 8-byte
// marker 00 01 02 04 08 10 20 40, and every pair of bytes behind it gives one
// byte of script text (the exclusive or of the two; a last unpaired byte is
// dropped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

struct lua_State;
typedef int (*lua_CFunction)(lua_State* state);

class simScriptManager {
public:
    simScriptManager();
    virtual ~simScriptManager();

    simScriptManager(const simScriptManager&) = delete;
    simScriptManager& operator=(const simScriptManager&) = delete;

    lua_State* getState() const { return m_state; }

    // Stores the function as the global `name`, replacing an earlier one.
    void registerFunction(lua_CFunction function, std::string name);

    // ---- Running scripts
    // Runs the text. A text that fails to compile or to run logs Lua's own
    // error text as an "ERROR:" line; nothing is shown.
    void executeString(std::string code);
    // Runs the script file `name` found in `folder` under root 0 (resources),
    // 1 (settings) or 2 (program folder). A missing or unreadable file logs an
    // "ERROR:" line and gives false; a script that fails to compile or to run
    // logs Lua's error text, is reported as a serious error naming the file,
    // and gives false (globals it set before failing stay set).
    bool run(std::string folder, std::string name, uint32_t root);
    // Runs a script held in memory (scrambled or not) under the chunk name
    // the files get; `name` is the file name used in reports.
    bool runBuffer(const std::vector<unsigned char>& bytes, const std::string& name);

    // ---- Tables and globals (values are pushed and stay on the stack)
    // Field and global reads run protected: a metatable whose __index fails
    // logs Lua's error text as an "ERROR:" line and the read gives nil.
    // Pushes the global; true when it is a table.
    bool getGlobalTable(std::string name);
    // With a table on top: pushes its field (maybe nil) and gives true;
    // otherwise pushes nothing and gives false.
    bool getTableField(std::string name);
    // With argument i of count a table: pushes its element n and gives true.
    bool getTableElement(int32_t n, uint32_t i, uint32_t count);
    // The size of argument i of count when it is a table; otherwise the
    // serious error "tableSize - nvalid value" and 0.
    int32_t tableSize(uint32_t i, uint32_t count);
    void getGlobal(std::string name);
    // Whether the value at index - offset from the top is a function.
    bool isFunction(int32_t index, int32_t offset);

    // ---- Arguments of the call in progress
    // A string or a number (as text); otherwise the serious error
    // "getString - invalid value" and "".
    std::string getString(uint32_t i, uint32_t count);
    // A number or a string Lua reads as one; otherwise the serious error
    // "getNumber - invalid value" and 0.0.
    double getNumber(uint32_t i, uint32_t count);
    // Arguments i, i+1, i+2 as x, y, z; anything not a number reads as 0,
    // without a report.
    void getVector(d3dx::Vector3* out, uint32_t i, uint32_t count);

    // ---- Results and the stack
    void pushNumber(double value);
    void pushString(std::string text);
    // Removes up to n values from the top (never more than the stack holds).
    void pop(uint32_t n);

    // The stack index of argument i of count, or 0 when the call has none.
    int argumentIndex(uint32_t i, uint32_t count) const;

private:
    lua_State* m_state = nullptr;
};
