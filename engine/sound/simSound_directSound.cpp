#include "engine/sound/simSound_directSound.h"

#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/simSoundeffect_directSound.h"

simSound_directSound::simSound_directSound(win::HWND window, std::unique_ptr<soundPlatform> platform)
    : m_platform(platform ? std::move(platform) : soundPlatform::openAL()) {
    simLog("Creating DirectSound system...");
    m_manager = std::make_unique<CSoundManager>(*m_platform);
    if (m_manager->initialize(window, dsound::DSSCL_PRIORITY) < 0) {
        if (g_application) g_application->setStatus(false, "simSound - Initialize failed");
        return;
    }
    if (m_manager->get3DListenerInterface(&m_listener) < 0) {
        m_listener = nullptr;
        if (g_application) g_application->setStatus(false, "simSound - Get3DListenerInterface failed");
        return;
    }
    m_listener->SetDistanceFactor(0.01f, dsound::DS3D_DEFERRED);
    m_listener->SetDopplerFactor(0.5f, dsound::DS3D_DEFERRED);
    m_listener->SetRolloffFactor(0.03f, dsound::DS3D_DEFERRED);
    m_listener->CommitDeferredSettings();
    finishStart();
}

simSound_directSound::~simSound_directSound() {
    simLog("Destroying DirectSound system...");
    // Buffers go before the device they belong to.
    detachInstances();
    m_soundOn = false;
    m_listener = nullptr;
    m_manager.reset();
    simLog("done\n");
}

void simSound_directSound::update() {
    if (!m_soundOn) return;
    simSound::update();
    m_listener->CommitDeferredSettings();
    m_manager->device()->pump();
}

void simSound_directSound::setMasterVolume(float percent) {
    if (!m_soundOn) return;
    const float volume = percent / 100.0f;
    m_masterVolume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
}

void simSound_directSound::setListener(d3dx::Vector3* position, d3dx::Vector3* forward, d3dx::Vector3* up) {
    if (!m_soundOn || !position || !forward || !up) return;
    m_listenerPosition = *position;
    m_listenerForward = *forward;
    m_listenerUp = *up;
    m_listener->SetPosition(position->x, position->y, position->z, dsound::DS3D_DEFERRED);
    m_listener->SetOrientation(forward->x, forward->y, forward->z, up->x, up->y, up->z, dsound::DS3D_DEFERRED);
}

simSoundeffect* simSound_directSound::createEffect(simCollectionItem* collection, std::string filePath,
                                                   std::string loadOptions) {
    return new simSoundeffect_directSound(this, collection, std::move(filePath), std::move(loadOptions));
}
