// The engine's native script functions and the tables that register them.
//
// Every function follows one pattern: it finds its host from the Lua state it
// is called on (no host: it does nothing and returns no results), reads
// argument i of its fixed count n with the host's readers (a missing or
// mistyped argument reads as the neutral value, reported by the reader),
// pushes its results as numbers (strings where the GUI toolkit asks for
// text) and returns how many it pushed. Functions that reach a system the
// build does not have, or that does not exist at the moment, do nothing and
// still return their results' neutral values.
//
// Two tables: the engine host's (60 functions; the resource registry adds
// `loadResource` itself) and the dynamics world's host's (13). Where a name
// stands in both, the same function is registered.
#pragma once

#include <span>

#include "engine/core/simScriptManager.h"

struct simScriptFunctionEntry {
    const char* name;
    lua_CFunction function;
};

std::span<const simScriptFunctionEntry> engineScriptFunctionTable();
std::span<const simScriptFunctionEntry> dynamicsScriptFunctionTable();

// Registers a table's functions on a host, in table order.
void registerEngineScriptFunctions(simScriptManager& host);
void registerDynamicsScriptFunctions(simScriptManager& host);

// The host of the state a native function was called on, or null.
simScriptManager* scriptHost(lua_State* state);

// ---- Engine and application
int script_close(lua_State* state);
int script_shutdown(lua_State* state);
int script_setCollection(lua_State* state);
int script_destroyCollection(lua_State* state);
int script_seriousError(lua_State* state);
int script_systemTime(lua_State* state);
int script_dynamicsTime(lua_State* state);
int script_console(lua_State* state);
int script_runScript(lua_State* state);
int keyboard_keyDown(lua_State* state);
int keyboard_keyPressed(lua_State* state);
int script_createParticle(lua_State* state);
int dynamics_setGravity(lua_State* state);

// ---- Maths and interpolation
int maths_uniformAngleDifference(lua_State* state);
int maths_rotateVector(lua_State* state);
int maths_reflectVector(lua_State* state);
int maths_vectorAngles(lua_State* state);
int maths_vectorAngle(lua_State* state);
int maths_vectorAngleCorrected(lua_State* state);
int maths_vectorNormal(lua_State* state);
int maths_vectorUnit(lua_State* state);
int maths_vectorLength(lua_State* state);
int maths_airfoil_airflowVector(lua_State* state);
int maths_airfoil_angleOfAttack(lua_State* state);
int utils_interpolateTable(lua_State* state);
int utils_interpolateTableClip(lua_State* state);

// ---- GUI: properties of elements found by name
int gui_setCurrentDialogForm(lua_State* state);
int destroyGuiElement(lua_State* state);
int gui_exists(lua_State* state);
int gui_setText(lua_State* state);
int gui_getText(lua_State* state);
int gui_setData(lua_State* state);
int gui_getData(lua_State* state);
int gui_setTooltip(lua_State* state);
int gui_setAttribute(lua_State* state);
int gui_setEnabledState(lua_State* state);
int gui_getEnabledState(lua_State* state);
int gui_setVisibleState(lua_State* state);
int gui_setDialogBoxAlignmentOffset(lua_State* state);
int gui_addDialogButton(lua_State* state);
int gui_setOkElement(lua_State* state);
int gui_setCancelElement(lua_State* state);
int gui_setEditBoxTabStopElement(lua_State* state);
int gui_dialogBox_setStyle(lua_State* state);
int simGuiTreeViewBox_onItemLabelEdited(lua_State* state);
int simGuiTextBox_addLine(lua_State* state);

// ---- GUI: element creation
int createGuiDialogBox(lua_State* state);
int createGuiLabel(lua_State* state);
int createGuiListBox(lua_State* state);
int createGuiSlider(lua_State* state);
int createGuiTreeViewBox(lua_State* state);
int createGuiGroupFrame(lua_State* state);
int createGuiButton(lua_State* state);
int createGuiCustomButton(lua_State* state);
int createGuiMessageBox(lua_State* state);
int createGuiProgressBar(lua_State* state);
int createGuiImage(lua_State* state);
int createGuiComboBox(lua_State* state);
int createGuiEditBox(lua_State* state);
int createGuiCheckBox(lua_State* state);
int createGuiTextBox(lua_State* state);
int createGuiTable(lua_State* state);
int createGuiWheel(lua_State* state);
int createGuiRadioButtonGroup(lua_State* state);
int createGuiRadioButton(lua_State* state);
