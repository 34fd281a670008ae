#include "engine/core/simGlobals.h"

simApplication* g_application = nullptr;
simConsole* g_console = nullptr;
simOptions* g_options = nullptr;
simScriptManager* g_scriptManager = nullptr;
simResources* g_resources = nullptr;
simProfiler* g_profiler = nullptr;
simGraphics* g_graphics = nullptr;
simInput* g_input = nullptr;
simDynamics* g_dynamics = nullptr;
simGuiElementManager* g_guiElementManager = nullptr;
manipulatorContainer* g_manipulatorContainer = nullptr;
simSound* g_sound = nullptr;
