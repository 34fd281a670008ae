#include "engine/sound/simSoundeffectInstance_openAL.h"

#include "engine/core/simGlobals.h"
#include "engine/sound/openALVectors.h"
#include "engine/sound/simSound.h"
#include "engine/sound/simSoundeffect_openAL.h"

simSoundeffectInstance_openAL::simSoundeffectInstance_openAL(simSoundeffect_openAL* effect, ALuint source,
                                                             float volume, float pitch, bool looping,
                                                             d3dx::Vector3*, d3dx::Vector3*)
    : simSoundeffectInstance(effect), m_source(source) {
    position = d3dx::Vector3(0.0f, 0.0f, 0.0f);
    velocity = d3dx::Vector3(0.0f, 0.0f, 0.0f);
    if (!isLive()) return;
    this->volume = volume;
    this->pitch = pitch;
    this->looping = looping;
    volumeChanged = true;
    pitchChanged = true;
    fadeDuration = 0.0f;
    fadeState = kNoFade;
    update();
    countIn();
}

simSoundeffectInstance_openAL::~simSoundeffectInstance_openAL() { releaseSource(); }

float simSoundeffectInstance_openAL::pitchValue(float pitch, float factor) {
    const float held = pitch < -100.0f ? -100.0f : pitch;
    return (held + 100.0f) / 200.0f * factor;
}

void simSoundeffectInstance_openAL::update() {
    if (!isLive()) return;
    ALint state = AL_STOPPED;
    if (m_source && !looping) alGetSourcei(m_source, AL_SOURCE_STATE, &state);
    if (isFinished(m_source != 0, looping, state != AL_STOPPED)) safeDelete();
    updateFade();
    if (!m_source) return;
    if (volumeChanged) {
        volume = volume < 0.0f ? 0.0f : (volume > 100.0f ? 100.0f : volume);
        const float level = volume / 100.0f;
        alSourcef(m_source, AL_GAIN, level * level * fadeGain * g_sound->getGainFactor());
    }
    if (pitchChanged) alSourcef(m_source, AL_PITCH, pitchValue(pitch, pitchFactor));
    volumeChanged = false;
    pitchChanged = false;
}

void simSoundeffectInstance_openAL::stop() {
    if (!isLive() || !m_source) return;
    alSourceStop(m_source);
    m_stopped = true;
}

void simSoundeffectInstance_openAL::setPosition(d3dx::Vector3* value, bool) {
    if (!isLive() || !m_source || !value || *value == position) return;
    position = *value;
    alSourcefv(m_source, AL_POSITION, toOpenAL(position, 0.01f).data());
}

void simSoundeffectInstance_openAL::setVelocity(d3dx::Vector3* value, bool) {
    if (!isLive() || !m_source || !value || *value == velocity) return;
    velocity = *value;
    alSourcefv(m_source, AL_VELOCITY, toOpenAL(velocity, 0.01f).data());
}

void simSoundeffectInstance_openAL::playFrom(float ms) {
    if (isLive() && m_source) alSourcef(m_source, AL_SEC_OFFSET, ms / 1000.0f);
}

float simSoundeffectInstance_openAL::getPlayPosition() {
    if (!effect || !isLive() || !m_source) return 0.0f;
    const double length = effect->getLength();
    if (length <= 0.0) return 0.0f;
    ALint offset = 0;
    alGetSourcei(m_source, AL_BYTE_OFFSET, &offset);
    return static_cast<float>(offset / length * effect->getDuration());
}

void simSoundeffectInstance_openAL::releaseSource() {
    if (m_source && isLive()) {
        alSourceStop(m_source);
        alDeleteSources(1, &m_source);
    }
    m_source = 0;
}

void simSoundeffectInstance_openAL::detach() {
    releaseSource();
    simSoundeffectInstance::detach();
}
