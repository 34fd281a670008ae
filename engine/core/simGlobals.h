// The engine's globals: one pointer per engine system.
//
// Every pointer is null at program start. Each is set by the constructor of
// the object it points to and cleared by its destructor, with these
// exceptions: the application constructor clears the console pointer (the
// host makes the console after the application); the sound pointer is never
// cleared by the back end itself. Everything outside the engine reaches the
// systems through these pointers.
#pragma once

class simApplication;
class simConsole;
class simOptions;
class simScriptManager;
class simResources;
class simProfiler;
class simGraphics;
class simInput;
class simDynamics;
class simGuiElementManager;
class manipulatorContainer;
class simSound;

extern simApplication* g_application;
extern simConsole* g_console;
extern simOptions* g_options;
extern simScriptManager* g_scriptManager;
extern simResources* g_resources;
extern simProfiler* g_profiler;
extern simGraphics* g_graphics;
extern simInput* g_input;
extern simDynamics* g_dynamics;
extern simGuiElementManager* g_guiElementManager;
extern manipulatorContainer* g_manipulatorContainer;
extern simSound* g_sound;
