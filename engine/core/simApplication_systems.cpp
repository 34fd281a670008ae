// The engine application's systems: the fixed order in which they are made,
// checked at initialisation and destroyed.
#include "engine/core/simApplication.h"

#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simProfiler.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsErrors.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/sound/simSound.h"

namespace {

void createIfMissing(bool exists, void (*create)()) {
    if (!exists && create) create();
}

}  // namespace

void simApplication::createSystems() {
    const simSystemLinks& links = systemLinks();
    simLog("Creating engine systems:\n");

    createIfMissing(g_options != nullptr, links.options.factory.create);

    if (!g_graphics && links.graphics.factory.create) {
        links.graphics.factory.create();
        if (!m_statusSuccess) return;
    }

    createIfMissing(g_input != nullptr, links.input.factory.create);
    if (g_input) {
        createIfMissing(links.input.hasMouse && links.input.hasMouse(), links.input.createMouse);
        createIfMissing(links.input.hasKeyboard && links.input.hasKeyboard(), links.input.createKeyboard);
    }

    if (!g_dynamics && links.dynamics.create) {
        const int quality = links.options.dynamicsQuality && g_options ? links.options.dynamicsQuality() : 0;
        links.dynamics.create(static_cast<float>(quality));
    }

    if (!g_guiElementManager) new simGuiElementManager();

    // The engine keeps its own container to delete it at the end, whatever
    // containers the host makes (and destroys) after it.
    if (!g_manipulatorContainer && links.manipulatorContainers.create) {
        m_ownManipulatorContainer = links.manipulatorContainers.create();
    }

    createSound();
    simLog("Engine systems created\n\n");
}

void simApplication::createSound() {
    // One back end per process: a host that made its own keeps it.
    if (g_sound) return;
    const simSystemLinks& links = systemLinks();
    const std::string library = links.options.soundLibrary && g_options ? links.options.soundLibrary() : "";
    simSound::createBackEnd(library, m_window);
}

void simApplication::initialise() {
    const simSystemLinks& links = systemLinks();
    simLog("Initialising engine:\n");

    if (!g_input) {
        utils::seriousError("no input subSystem");
    } else {
        if (links.input.hasMouse && !links.input.hasMouse()) utils::seriousError("no input subSystem");
        if (links.input.hasKeyboard && !links.input.hasKeyboard()) utils::seriousError("no input subSystem");
    }
    if (!g_console) utils::seriousError("no console subSystem");
    if (!g_profiler) utils::seriousError("no profiler subSystem");
    if (!g_graphics) utils::seriousError("no baseGraphics subSystem");

    // The fonts need the graphics system; without it they are skipped.
    if (g_graphics && links.graphics.createEngineFonts) links.graphics.createEngineFonts();

    if (g_profiler) {
        for (const char* section : {"Update", "Redraw", "Fixed timesteps", "Physics", "Graphics", "Network"}) {
            g_profiler->addSection(section);
        }
    }

    if (g_options && links.options.simulationSpeed) {
        const double speed = static_cast<double>(links.options.simulationSpeed());
        if (g_dynamics && links.dynamics.setSimulationSpeed) links.dynamics.setSimulationSpeed(speed);
        if (speed != m_simulationSpeed) m_simulationSpeed = speed;
    }
    simLog("Engine initialised\n\n");
}

void simApplication::destroySystems() {
    const simSystemLinks& links = systemLinks();
    simLog("Destroying engine:\n");

    delete g_guiElementManager;
    if (g_input && links.input.factory.destroy) links.input.factory.destroy();
    if (g_resources && links.resources.factory.destroy) links.resources.factory.destroy();
    if (g_graphics && links.graphics.factory.destroy) links.graphics.factory.destroy();
    delete g_scriptManager;
    g_scriptManager = nullptr;
    if (g_dynamics && links.dynamics.destroy) links.dynamics.destroy();
    delete g_sound;
    delete g_profiler;
    if (m_windowClassAtom != 0 && links.window.unregisterClass) links.window.unregisterClass();
    // Only the engine's own container: a host container current now belongs
    // to the host (its project), and deleting it here would delete it twice.
    if (m_ownManipulatorContainer && links.manipulatorContainers.destroy) {
        links.manipulatorContainers.destroy(m_ownManipulatorContainer);
    }
    m_ownManipulatorContainer = nullptr;
    if (g_options && links.options.factory.destroy) links.options.factory.destroy();
    simLog("Engine destroyed\n");
}
