#include "engine/core/scriptFunctions.h"

#include <iterator>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"

namespace {

constexpr simScriptFunctionEntry kEngineTable[] = {
    {"close", script_close},
    {"shutdown", script_shutdown},
    {"setCollection", script_setCollection},
    {"destroyCollection", script_destroyCollection},
    {"seriousError", script_seriousError},
    {"systemTime", script_systemTime},
    {"dynamicsTime", script_dynamicsTime},
    {"console", script_console},
    {"runScript", script_runScript},
    {"keyboard_keyDown", keyboard_keyDown},
    {"keyboard_keyPressed", keyboard_keyPressed},
    {"createParticle", script_createParticle},
    {"maths_uniformAngleDifference", maths_uniformAngleDifference},
    {"maths_rotateVector", maths_rotateVector},
    {"maths_reflectVector", maths_reflectVector},
    {"maths_vectorAngles", maths_vectorAngles},
    {"maths_vectorAngle", maths_vectorAngle},
    {"maths_vectorAngleCorrected", maths_vectorAngleCorrected},
    {"maths_vectorNormal", maths_vectorNormal},
    {"utils_interpolateTable", utils_interpolateTable},
    {"utils_interpolateTableClip", utils_interpolateTableClip},
    {"gui_setCurrentDialogForm", gui_setCurrentDialogForm},
    {"destroyGuiElement", destroyGuiElement},
    {"gui_exists", gui_exists},
    {"gui_setText", gui_setText},
    {"gui_getText", gui_getText},
    {"gui_setData", gui_setData},
    {"gui_getData", gui_getData},
    {"gui_setTooltip", gui_setTooltip},
    {"gui_setAttribute", gui_setAttribute},
    {"gui_setEnabledState", gui_setEnabledState},
    {"gui_getEnabledState", gui_getEnabledState},
    {"gui_setVisibleState", gui_setVisibleState},
    {"gui_setDialogBoxAlignmentOffset", gui_setDialogBoxAlignmentOffset},
    {"gui_addDialogButton", gui_addDialogButton},
    {"gui_setOkElement", gui_setOkElement},
    {"gui_setCancelElement", gui_setCancelElement},
    {"gui_setEditBoxTabStopElement", gui_setEditBoxTabStopElement},
    {"gui_dialogBox_setStyle", gui_dialogBox_setStyle},
    {"createGuiDialogBox", createGuiDialogBox},
    {"createGuiLabel", createGuiLabel},
    {"createGuiListBox", createGuiListBox},
    {"createGuiSlider", createGuiSlider},
    {"createGuiTreeViewBox", createGuiTreeViewBox},
    {"simGuiTreeViewBox_onItemLabelEdited", simGuiTreeViewBox_onItemLabelEdited},
    {"createGuiGroupFrame", createGuiGroupFrame},
    {"createGuiButton", createGuiButton},
    {"createGuiCustomButton", createGuiCustomButton},
    {"createGuiMessageBox", createGuiMessageBox},
    {"createGuiProgressBar", createGuiProgressBar},
    {"createGuiImage", createGuiImage},
    {"createGuiComboBox", createGuiComboBox},
    {"createGuiEditBox", createGuiEditBox},
    {"createGuiCheckBox", createGuiCheckBox},
    {"createGuiTextBox", createGuiTextBox},
    {"simGuiTextBox_addLine", simGuiTextBox_addLine},
    {"createGuiTable", createGuiTable},
    {"createGuiWheel", createGuiWheel},
    {"createGuiRadioButtonGroup", createGuiRadioButtonGroup},
    {"createGuiRadioButton", createGuiRadioButton},
};
static_assert(std::size(kEngineTable) == 60, "the engine host registers 60 functions");

constexpr simScriptFunctionEntry kDynamicsTable[] = {
    {"runScript", script_runScript},
    {"console", script_console},
    {"systemTime", script_systemTime},
    {"maths_vectorUnit", maths_vectorUnit},
    {"maths_vectorNormal", maths_vectorNormal},
    {"maths_rotateVector", maths_rotateVector},
    {"maths_vectorLength", maths_vectorLength},
    {"maths_vectorAngle", maths_vectorAngle},
    {"maths_vectorAngleCorrected", maths_vectorAngleCorrected},
    {"maths_airfoil_airflowVector", maths_airfoil_airflowVector},
    {"maths_airfoil_angleOfAttack", maths_airfoil_angleOfAttack},
    {"keyboard_keyDown", keyboard_keyDown},
    {"dynamics_setGravity", dynamics_setGravity},
};
static_assert(std::size(kDynamicsTable) == 13, "the dynamics host registers 13 functions");

void registerTable(simScriptManager& host, std::span<const simScriptFunctionEntry> table) {
    for (const simScriptFunctionEntry& entry : table) host.registerFunction(entry.function, entry.name);
}

}  // namespace

std::span<const simScriptFunctionEntry> engineScriptFunctionTable() { return kEngineTable; }
std::span<const simScriptFunctionEntry> dynamicsScriptFunctionTable() { return kDynamicsTable; }

void registerEngineScriptFunctions(simScriptManager& host) { registerTable(host, kEngineTable); }
void registerDynamicsScriptFunctions(simScriptManager& host) { registerTable(host, kDynamicsTable); }

simScriptManager* scriptHost(lua_State* state) {
    return g_application ? g_application->findScriptManager(state) : nullptr;
}
