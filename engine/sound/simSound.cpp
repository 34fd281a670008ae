#include "engine/sound/simSound.h"

#include <cstdlib>
#include <map>

#include "engine/core/simApplicationLog.h"
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/sound/simSound_null.h"
#include "engine/sound/simSoundeffectInstance.h"
#include "engine/sound/waveProgramResources.h"

namespace {

std::map<std::string, simSound::BackEndFactory>& backEnds() {
    static std::map<std::string, simSound::BackEndFactory> factories;
    return factories;
}

}  // namespace

simSound::simSound() : simObject(true, false, false, false) {
    g_sound = this;
    // The wave readers find the program's own sounds under its resource root.
    wave::setProgramResourceRoot(g_application ? g_application->getProgramFolder() + "/resources" : std::string());
}

simSound::~simSound() {
    simLog("Destroying sound system...");
    detachInstances();
    // The pointer goes with the system, so nothing reaches a destroyed one.
    if (g_sound == this) g_sound = nullptr;
    simLog("done\n");
}

void simSound::update() {
    simObject::update();
    if (!m_soundOn) return;
    if (m_updateStopwatch.getElapsed() < kUpdateIntervalMs) return;
    m_updateStopwatch.reset();
    m_updateStopwatch.start();
    m_instances.forEach([](simSoundeffectInstance* instance) { instance->update(); });
}

void simSound::finishStart() {
    m_updateStopwatch.start();
    m_soundOn = true;
    setMasterVolume(g_options ? g_options->default_masterVolume : 100.0f);
    if (g_application) g_application->setStatus(true, "success");
    simLog("done\n");
}

void simSound::setSecondaryVolume(float percent) {
    if (!m_soundOn) return;
    const float volume = percent / 100.0f;
    m_secondaryVolume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
}

simSoundeffectInstance* simSound::findInstance(uint32_t id) {
    simSoundeffectInstance* found = nullptr;
    m_instances.forEach([&](simSoundeffectInstance* instance) {
        if (!found && instance->id == id) found = instance;
    });
    return found;
}

uint32_t simSound::newInstanceId() {
    for (int attempt = 0; attempt < kInstanceIdTries; ++attempt) {
        const uint32_t id = static_cast<uint32_t>(std::rand());
        if (!findInstance(id)) return id;
    }
    return 0;
}

void simSound::addInstance(simSoundeffectInstance* instance) { m_instances.add(instance); }

void simSound::removeInstance(simSoundeffectInstance* instance) { m_instances.remove(instance); }

void simSound::detachInstances() {
    m_instances.forEach([](simSoundeffectInstance* instance) { instance->detach(); });
    m_instances.clear();
}

void simSound::registerBackEnd(const std::string& library, BackEndFactory factory) {
    backEnds()[library] = factory;
}

simSound* simSound::createBackEnd(const std::string& library, win::HWND window) {
    // Only the three library names choose a back end; the host's "Disable
    // Sound" and every other text mean silence.
    const bool named = library == "OpenAL" || library == "DirectSound" || library == "XAudio";
    const auto found = named ? backEnds().find(library) : backEnds().end();
    if (found != backEnds().end() && found->second) return found->second(window);
    return new simSound_null(window);
}
