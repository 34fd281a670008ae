#include "engine/sound/simSound_openAL.h"

#include "engine/core/simApplicationLog.h"
#include "engine/core/utilsErrors.h"
#include "engine/sound/openALVectors.h"
#include "engine/sound/simSoundeffect_openAL.h"

namespace {

// OpenAL's formats by channel count (1, 2) and bytes per sample (1, 2).
ALenum formatFor(uint16_t channels, uint16_t bitsPerSample) {
    if (channels == 1 && bitsPerSample == 8) return AL_FORMAT_MONO8;
    if (channels == 1 && bitsPerSample == 16) return AL_FORMAT_MONO16;
    if (channels == 2 && bitsPerSample == 8) return AL_FORMAT_STEREO8;
    if (channels == 2 && bitsPerSample == 16) return AL_FORMAT_STEREO16;
    return 0;
}

}  // namespace

simSound_openAL::simSound_openAL(win::HWND, std::unique_ptr<openALDevice> device)
    : m_deviceSource(device ? std::move(device) : openALDevice::system()) {
    simLog("Creating OpenAL system...");
    if (!openDevice()) {
        utils::seriousError(
            std::string("There was a problem starting the sound system on your computer.\n\nPlease download and "
                        "install the latest drivers for your motherboard/sound-card.\n\nIf this fails to fix the "
                        "problem please send an e-mail to ") +
            kHelpAddress);
        return;
    }
    m_context = alcCreateContext(m_device, m_deviceSource->contextAttributes());
    if (!m_context) {
        simLog("ERROR: Context not created\n");
        return;
    }
    alcMakeContextCurrent(m_context);
    m_waves = std::make_unique<CWaves>();
    finishStart();
}

bool simSound_openAL::openDevice() {
    m_device = m_deviceSource->open("DirectSound3D");
    if (!m_device) {
        simLog("DirectSound driver...");
        m_device = m_deviceSource->open("DirectSound");
    }
    if (!m_device) {
        simLog("Default device driver...");
        m_device = m_deviceSource->open(nullptr);
    }
    return m_device != nullptr;
}

simSound_openAL::~simSound_openAL() {
    simLog("Destroying OpenAL system...");
    // Sources belong to the context: they go before it does.
    detachInstances();
    m_soundOn = false;
    if (m_context) {
        if (alcGetCurrentContext() == m_context) alcMakeContextCurrent(nullptr);
        alcDestroyContext(m_context);
    }
    if (m_device) alcCloseDevice(m_device);
    m_waves.reset();
    simLog("done\n");
}

void simSound_openAL::update() {
    if (m_soundOn) simSound::update();
}

void simSound_openAL::setMasterVolume(float percent) {
    if (!m_soundOn) return;
    const float volume = percent / 100.0f;
    m_masterVolume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    alListenerf(AL_GAIN, m_masterVolume);
}

void simSound_openAL::setListener(d3dx::Vector3* position, d3dx::Vector3* forward, d3dx::Vector3* up) {
    if (!m_soundOn || !position || !forward || !up) return;
    m_listenerPosition = *position * 0.01f;
    m_listenerForward = *forward;
    m_listenerUp = *up;
    const openALVector at = toOpenAL(m_listenerPosition);
    const openALVector front = toOpenAL(*forward);
    const openALVector top = toOpenAL(*up);
    alListenerfv(AL_POSITION, at.data());
    alListener3f(AL_VELOCITY, 0.0f, 0.0f, 0.0f);
    const ALfloat orientation[6] = {front[0], front[1], front[2], top[0], top[1], top[2]};
    alListenerfv(AL_ORIENTATION, orientation);
}

simSoundeffect* simSound_openAL::createEffect(simCollectionItem* collection, std::string filePath,
                                              std::string loadOptions) {
    return new simSoundeffect_openAL(this, collection, std::move(filePath), std::move(loadOptions));
}

bool simSound_openAL::loadWave(const std::string& file, Wave& wave) {
    if (!m_soundOn) return false;
    if (m_waves->loadWaveFile(file.c_str(), &m_waveId) != CWaves::kOk) return false;
    wave::WaveFormat header;
    m_waves->getWaveFormatExHeader(m_waveId, &header);
    wave.format = formatFor(header.channels, header.bitsPerSample);
    if (wave.format == 0) {
        releaseWave();
        return false;
    }
    m_waves->getWaveSize(m_waveId, &wave.size);
    m_waves->getWaveData(m_waveId, &wave.data);
    wave.frequency = header.samplesPerSec;
    wave.bytesPerFrame = header.channels * header.bitsPerSample / 8u;
    return true;
}

void simSound_openAL::releaseWave() {
    if (m_waves) m_waves->deleteWaveFile(m_waveId);
    m_waveId = 0;
}
