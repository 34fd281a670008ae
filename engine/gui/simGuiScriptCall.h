// Calls from widgets into the engine's Lua host: change reports, scrub and
// render hooks.
//
// A widget keeps the name of a global script function, or (for some keys) a
// piece of script text. The global is looked up when the report happens; a
// function is called with the widget's arguments inside a protected call, so
// a failing callback logs its error ("ERROR: <widget>: <Lua's text>") and the
// program goes on. Otherwise, where the widget allows it, the text is run as
// script. The Lua stack is left exactly as it was found, whatever happens.
#pragma once

#include <initializer_list>
#include <string>

// One argument of a callback: a text or a number.
struct simGuiScriptValue {
    simGuiScriptValue(std::string value) : text(std::move(value)) {}
    simGuiScriptValue(const char* value) : text(value) {}
    simGuiScriptValue(double value) : number(value), isNumber(true) {}

    std::string text;
    double number = 0.0;
    bool isNumber = false;
};

enum class simGuiScriptFallback {
    none,       // a name that is not a function does nothing
    runAsText,  // it is run as script text
};

// Runs the callback `function` (nothing when it is empty or there is no Lua
// host). `caller` names the widget in error lines.
void simGuiRunCallback(const std::string& caller, const std::string& function,
                       std::initializer_list<simGuiScriptValue> arguments, simGuiScriptFallback fallback);
