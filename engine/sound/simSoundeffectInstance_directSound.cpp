#include "engine/sound/simSoundeffectInstance_directSound.h"

#include <algorithm>
#include <cmath>

#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/sound/simSound_directSound.h"
#include "engine/sound/simSoundeffect_directSound.h"

namespace {

constexpr uint32_t k3DFlags = dsound::DSBCAPS_LOCDEFER | dsound::DSBCAPS_CTRLVOLUME |
                              dsound::DSBCAPS_CTRLFREQUENCY | dsound::DSBCAPS_CTRL3D;
constexpr uint32_t k2DFlags = dsound::DSBCAPS_LOCDEFER | dsound::DSBCAPS_CTRLVOLUME | dsound::DSBCAPS_CTRLPAN |
                              dsound::DSBCAPS_CTRLFREQUENCY;
constexpr uint32_t kBuffersPerInstance = 4;

}  // namespace

simSoundeffectInstance_directSound::simSoundeffectInstance_directSound(simSoundeffect_directSound* effect,
                                                                       float volume, float pitch, bool looping,
                                                                       d3dx::Vector3* at, d3dx::Vector3* moving)
    : simSoundeffectInstance(effect), m_effect(effect) {
    simLog("simSoundeffectInstance_directSound>>");
    position = d3dx::Vector3(0.0f, 0.0f, 0.0f);
    velocity = d3dx::Vector3(0.0f, 0.0f, 0.0f);
    if (!isLive()) return;
    this->volume = volume;
    this->pitch = pitch;
    m_looping = looping;
    volumeChanged = true;
    pitchChanged = true;
    m_sampleRate = effect->getSampleRate();
    m_3d = effect->is3D();
    CSoundManager& manager = effect->sound()->manager();
    if (manager.create(m_sound, effect->getFilePath(), m_3d ? k3DFlags : k2DFlags, kBuffersPerInstance) < 0) {
        m_sound.reset();
        return;
    }
    m_buffer = m_sound->play(0, looping ? dsound::DSBPLAY_LOOPING : 0u, attenuation(), frequency(), 0);
    if (m_3d && m_sound->get3DBufferInterface(0, &m_3dBuffer) < 0) {
        m_3dBuffer = nullptr;
        m_3d = false;
    }
    if (m_3dBuffer) {
        dsound::DS3DBUFFER parameters;
        if (at) parameters.vPosition = *at;
        if (moving) parameters.vVelocity = *moving;
        parameters.vConeOrientation = d3dx::Vector3(0.0f, 1.0f, 0.0f);
        parameters.flMinDistance = 100.0f;
        parameters.flMaxDistance = 5000000.0f;
        m_3dBuffer->SetAllParameters(&parameters, dsound::DS3D_IMMEDIATE);
    }
    fadeDuration = 0.0f;
    fadeState = kNoFade;
    update();
    countIn();
}

simSoundeffectInstance_directSound::~simSoundeffectInstance_directSound() { releaseBuffers(); }

int32_t simSoundeffectInstance_directSound::attenuation() const {
    const float master = g_options ? g_options->default_masterVolume / 100.0f : 1.0f;
    const float level = std::clamp(volume, 0.0f, 100.0f) / 100.0f;
    return dsound::hundredthsOfDb(level * level * fadeGain * master * g_sound->getGainFactor());
}

int32_t simSoundeffectInstance_directSound::frequency() const {
    const float hz = static_cast<float>(m_sampleRate) * (pitch + 100.0f) / 200.0f * pitchFactor;
    return static_cast<int32_t>(std::clamp(hz, static_cast<float>(dsound::DSBFREQUENCY_MIN),
                                           static_cast<float>(dsound::DSBFREQUENCY_MAX)));
}

void simSoundeffectInstance_directSound::update() {
    if (!isLive()) return;
    uint32_t status = 0;
    if (m_buffer) m_buffer->GetStatus(&status);
    if (isFinished(m_buffer != nullptr, m_looping, (status & dsound::DSBSTATUS_PLAYING) != 0)) {
        safeDelete();
        if (!m_buffer) return;
    }
    updateFade();
    if (volumeChanged) m_buffer->SetVolume(attenuation());
    if (pitchChanged) m_buffer->SetFrequency(static_cast<uint32_t>(frequency()));
    volumeChanged = false;
    pitchChanged = false;
}

void simSoundeffectInstance_directSound::stop() {
    if (!isLive() || !m_buffer) return;
    m_buffer->Stop();
    m_stopped = true;
}

void simSoundeffectInstance_directSound::setPosition(d3dx::Vector3* value, bool immediate) {
    if (!isLive() || !m_3dBuffer || !value || *value == position) return;
    position = *value;
    m_3dBuffer->SetPosition(position.x, position.y, position.z,
                            immediate ? dsound::DS3D_IMMEDIATE : dsound::DS3D_DEFERRED);
}

void simSoundeffectInstance_directSound::setVelocity(d3dx::Vector3* value, bool immediate) {
    if (!isLive() || !m_3dBuffer || !value || *value == velocity) return;
    velocity = *value;
    m_3dBuffer->SetVelocity(velocity.x, velocity.y, velocity.z,
                            immediate ? dsound::DS3D_IMMEDIATE : dsound::DS3D_DEFERRED);
}

void simSoundeffectInstance_directSound::playFrom(float ms) {
    if (!isLive() || !m_buffer || !effect) return;
    const float duration = effect->getDuration();
    if (duration <= 0.0f) return;
    const double byte = std::max(0.0, ms / duration * effect->getLength());
    const uint32_t block = m_effect->blockAlign();
    // A cursor inside a sample frame would swap channels or bytes of a sample.
    m_buffer->SetCurrentPosition(static_cast<uint32_t>(byte) / block * block);
}

float simSoundeffectInstance_directSound::getPlayPosition() {
    if (!isLive() || !m_buffer || !effect) return 0.0f;
    uint32_t play = 0;
    if (m_buffer->GetCurrentPosition(&play, nullptr) < 0 || effect->getLength() <= 0.0) return 0.0f;
    return static_cast<float>(play / effect->getLength() * effect->getDuration());
}

void simSoundeffectInstance_directSound::releaseBuffers() {
    if (m_buffer && isLive()) m_buffer->Stop();
    m_buffer = nullptr;
    m_3dBuffer = nullptr;
    m_sound.reset();
}

void simSoundeffectInstance_directSound::detach() {
    releaseBuffers();
    simSoundeffectInstance::detach();
}
