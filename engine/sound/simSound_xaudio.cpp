#include "engine/sound/simSound_xaudio.h"

#include "engine/core/simApplicationLog.h"
#include "engine/core/utilsErrors.h"
#include "engine/sound/simSoundeffect_xaudio.h"

simSound_xaudio::simSound_xaudio(win::HWND, std::unique_ptr<soundPlatform> platform)
    : m_platform(platform ? std::move(platform) : soundPlatform::openAL()) {
    simLog("Creating XAudio sound system...");
    if (xaudio::XAudio2Create(*m_platform, m_engine) < 0 || m_engine->CreateMasteringVoice(m_masteringVoice) < 0) {
        m_masteringVoice.reset();
        utils::seriousError(
            std::string("There was a problem creating the sound system on your computer.\n\nPlease download and "
                        "install the latest drivers for your motherboard/sound-card, as well as the latest version "
                        "of DirectX\nfrom the Microsoft website.\n\nIf this fails to fix the problem please send an "
                        "e-mail to ") +
            kHelpAddress);
        return;
    }
    m_engine->GetDeviceDetails(0, &m_details);
    simLog(std::to_string(m_details.OutputChannels) + " channels detected...");
    if (m_platform->faults.positioning ||
        xaudio::X3DAudioInitialize(m_details.ChannelMask, 343.5f, m_x3d) < 0) {
        utils::seriousError(
            std::string("There was a problem initialising the 3-D sound system on your computer.\n\nPlease download "
                        "and install the latest drivers for your motherboard/sound-card.\n\nIf this fails to fix the "
                        "problem please send an e-mail to ") +
            kHelpAddress);
        return;
    }
    m_listener.OrientFront = d3dx::Vector3(0.0f, 0.0f, 1.0f);
    m_listener.OrientTop = d3dx::Vector3(0.0f, 1.0f, 0.0f);
    initReverb();
    finishStart();
}

void simSound_xaudio::initReverb() {
    simLog("Initialising Reverb effect...");
    if (m_engine->CreateReverbEffect() < 0) simLog("Error creating reverb XAPO - reverb will be disabled\n");
}

simSound_xaudio::~simSound_xaudio() {
    simLog("Destroying XAudio sound system...");
    // Voices go before the engine that mixes them.
    detachInstances();
    m_soundOn = false;
    simLog("A");
    simLog("B");
    m_masteringVoice.reset();
    simLog("C");
    if (m_engine) {
        simLog("D");
        m_engine->StopEngine();
        simLog("E");
        m_engine.reset();
    }
    simLog("done\n");
}

void simSound_xaudio::update() {
    if (!m_soundOn) return;
    simSound::update();
    m_engine->pump();
}

void simSound_xaudio::setMasterVolume(float percent) {
    if (!m_soundOn) return;
    const float volume = percent / 100.0f;
    m_masterVolume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    m_masteringVoice->SetVolume(m_masterVolume);
}

void simSound_xaudio::setListener(d3dx::Vector3* position, d3dx::Vector3* forward, d3dx::Vector3* up) {
    if (!m_soundOn || !position || !forward || !up) return;
    m_listenerPosition = *position * 0.01f;
    m_listenerForward = *forward;
    m_listenerUp = *up;
    m_listener.Position = m_listenerPosition;
    m_listener.OrientFront = *forward;
    m_listener.OrientTop = *up;
}

simSoundeffect* simSound_xaudio::createEffect(simCollectionItem* collection, std::string filePath,
                                              std::string loadOptions) {
    if (!m_soundOn) return nullptr;
    return new simSoundeffect_xaudio(this, collection, std::move(filePath), std::move(loadOptions));
}
