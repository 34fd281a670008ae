// The seams between the engine application and the systems it makes and
// drives but does not own: options, resources, graphics, input, dynamics,
// particles, the manipulator container and the engine window.
//
// Each system's owner fills its group once, before the engine application is
// made (the program at start-up, a test with recording fakes). A null entry
// means that the system is not part of this build: the application then skips
// the step, exactly as it skips a system whose global is null. The
// application itself decides when each step happens; a link only carries the
// call across.
//
// Creation follows one rule: `create` makes the system with the engine's own
// defaults and is called only while the system's global is null, so a host
// (or a test) that hands in its own system before `createSystems` keeps it.
// The system's constructor publishes it through its global; `destroy`
// deletes the system that its global names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/winTypes.h"

class manipulatorContainer;
class simBoundingBox;
class simGuiElement;

struct simSystemLinks {
    struct Factory {
        void (*create)() = nullptr;
        void (*destroy)() = nullptr;
    };

    struct Options {
        Factory factory;  // create also loads "options.sim"
        std::string (*soundLibrary)() = nullptr;  // default_soundLibrary
        int (*dynamicsQuality)() = nullptr;       // default_dynamicsQuality
        int (*simulationSpeed)() = nullptr;       // default_simulationSpeed, per cent
    } options;

    struct Resources {
        Factory factory;
        void (*setCollection)(const std::string& name) = nullptr;
        void (*destroyCollection)(const std::string& name) = nullptr;
        // Full path of the file, or "NULL"; root 0 resources, 1 settings, 2 program.
        std::string (*findFile)(const std::string& folder, const std::string& name, uint32_t root) = nullptr;
    } resources;

    struct Graphics {
        Factory factory;  // the engine's default window: 800 x 600 at 60 Hz
        void (*createEngineFonts)() = nullptr;  // "renderStatsFont", "consoleFont", ...
        void (*renderFrame)() = nullptr;        // the frame render, GUI pass included
        void (*present)() = nullptr;
        void (*renderPostScene)(uint32_t argument) = nullptr;
        void (*renderEffects)(uint32_t argument) = nullptr;
        int (*countLitItems)() = nullptr;
        void (*renderLit)(uint32_t firstLight) = nullptr;
        void (*collectShadowBounds)(std::vector<simBoundingBox>& bounds) = nullptr;
        // The GUI pass's render states: set before the elements are drawn and
        // put back after them.
        void (*beginGuiPass)() = nullptr;
        void (*endGuiPass)() = nullptr;
        // Draws the loading-screen elements into every back buffer and presents.
        void (*drawLoadingScreen)(const std::vector<simGuiElement*>& elements) = nullptr;
        // Whether the graphics system itself needs the next frame drawn (a
        // lost device to recover).
        bool (*needsRedraw)() = nullptr;
    } graphics;

    struct Input {
        Factory factory;  // destroy also deletes the mouse and the keyboard
        bool (*hasMouse)() = nullptr;
        void (*createMouse)() = nullptr;
        bool (*hasKeyboard)() = nullptr;
        void (*createKeyboard)() = nullptr;
        void (*clearKeyboardPressed)() = nullptr;
        // The key-down byte and the released-this-frame byte of a key code.
        int (*keyDown)(uint32_t key) = nullptr;
        int (*keyPressed)(uint32_t key) = nullptr;
    } input;

    struct Dynamics {
        void (*create)(float quality) = nullptr;
        void (*destroy)() = nullptr;
        void (*pause)() = nullptr;
        void (*unpause)() = nullptr;
        void (*freeze)() = nullptr;
        void (*unfreeze)() = nullptr;
        void (*setSimulationSpeed)(double percent) = nullptr;
        void (*setGravity)(float x, float y, float z) = nullptr;
    } dynamics;

    struct Particles {
        // Makes a particle of the loaded type of that name; the type name may
        // name no resource (the particle system reports it).
        void (*createParticle)(const std::string& typeName, const float position[3],
                               const float velocity[3]) = nullptr;
    } particles;

    struct ManipulatorContainers {
        manipulatorContainer* (*create)() = nullptr;
        void (*destroy)(manipulatorContainer* container) = nullptr;
    } manipulatorContainers;

    struct Window {
        // Single-instance guard: brings the window of another running
        // instance with this title to the front and says whether there was
        // one (win::ActivateOtherInstance, through the installed window
        // system; the program's holds a per-user lock).
        bool (*activateOtherInstance)(const std::string& title) = nullptr;
        // The engine window class: registered by the application's
        // constructor, unregistered by its destructor.
        void (*registerClass)(win::HINSTANCE instance) = nullptr;
        void (*unregisterClass)() = nullptr;
        void (*pumpMessages)() = nullptr;  // the engine's own pump, once per update
    } window;
};

// The one set of links of the process.
simSystemLinks& systemLinks();
