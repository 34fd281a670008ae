#include "engine/sound/simSoundeffect_openAL.h"

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/openALVectors.h"
#include "engine/sound/simSound_openAL.h"
#include "engine/sound/simSoundeffectInstance_openAL.h"

simSoundeffect_openAL::simSoundeffect_openAL(simSound_openAL* sound, simCollectionItem* collection,
                                             std::string filePath, std::string loadOptions)
    : simSoundeffect(collection, std::move(filePath), std::move(loadOptions)), m_sound(sound) {
    if (!m_sound->isSoundOn()) return;
    m_3d = getOptionWords().find("3D") != std::string::npos;
    simSound_openAL::Wave wave;
    bool loaded = false;
    if (m_sound->loadWave(getFilePath(), wave)) {
        alGetError();
        alGenBuffers(1, &m_buffer);
        alBufferData(m_buffer, wave.format, wave.data, static_cast<ALsizei>(wave.size),
                     static_cast<ALsizei>(wave.frequency));
        loaded = alGetError() == AL_NO_ERROR;
        m_sound->releaseWave();
    }
    if (!loaded) {
        if (m_buffer) alDeleteBuffers(1, &m_buffer);
        m_buffer = 0;
        if (g_application) g_application->setStatus(false, "simSoundeffect()->Create - failed");
        return;
    }
    m_dataSize = static_cast<float>(wave.size);
    m_sampleRate = wave.frequency;
    m_bytesPerFrame = wave.bytesPerFrame;
    if (g_application) g_application->setStatus(true, "success");
}

simSoundeffect_openAL::~simSoundeffect_openAL() {
    // The buffer belongs to the back end's device: once that is gone, so is it.
    if (m_buffer && isLiveSystem(m_sound)) {
        // A source still holding the buffer would keep it from going; the
        // instances lose their sources and end at their next update.
        for (uint32_t id : getInstanceIds()) {
            simSoundeffectInstance* instance = g_sound->findInstance(id);
            if (instance && instance->effect == this)
                static_cast<simSoundeffectInstance_openAL*>(instance)->releaseSource();
        }
        alDeleteBuffers(1, &m_buffer);
    }
}

float simSoundeffect_openAL::getDuration() {
    if (m_sampleRate == 0 || m_bytesPerFrame == 0) return 0.0f;
    return m_dataSize / static_cast<float>(m_sampleRate * m_bytesPerFrame) * 1000.0f;
}

simSoundeffectInstance* simSoundeffect_openAL::play(bool looping, float volume, float pitch,
                                                    d3dx::Vector3* position, d3dx::Vector3* velocity) {
    if (!isLiveSystem(m_sound) || !m_buffer) return nullptr;
    if (isTooSoonAfter(m_lastStartTime)) return nullptr;
    const float clamped = volume < 0.0f ? 0.0f : (volume > 100.0f ? 100.0f : volume);
    const float gain = (clamped / 100.0f) * (clamped / 100.0f);
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) return nullptr;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(m_buffer));
    alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    alSourcef(source, AL_PITCH, simSoundeffectInstance_openAL::pitchValue(pitch, 1.0f));
    alSourcef(source, AL_GAIN, gain);
    const d3dx::Vector3 origin(0.0f, 0.0f, 0.0f);
    alSourcefv(source, AL_POSITION, toOpenAL(position ? *position : origin, 0.01f).data());
    alSourcefv(source, AL_VELOCITY, toOpenAL(velocity ? *velocity : origin, 0.01f).data());
    alSourcef(source, AL_REFERENCE_DISTANCE, 25.0f);
    alSourcePlay(source);
    return new simSoundeffectInstance_openAL(this, source, volume, pitch, looping, position, velocity);
}
