#include "engine/sound/simSoundeffectInstance_xaudio.h"

#include <algorithm>
#include <vector>

#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/simSound_xaudio.h"
#include "engine/sound/simSoundeffect_xaudio.h"
#include "engine/sound/soundPanning.h"

simSoundeffectInstance_xaudio::simSoundeffectInstance_xaudio(simSoundeffect_xaudio* effect, float volume,
                                                             float pitch, bool looping, d3dx::Vector3* at,
                                                             d3dx::Vector3* moving)
    : simSoundeffectInstance(effect), m_effect(effect) {
    if (at) position = *at;
    if (moving) velocity = *moving;
    if (!isLive() || !effect) return;
    this->volume = volume;
    this->pitch = pitch;
    m_looping = looping;
    volumeChanged = true;
    pitchChanged = true;
    m_3d = effect->is3D();
    m_emitter.CurveDistanceScaler = 33.3f;
    m_emitter.DopplerScaler = 1.0f;
    m_emitter.ChannelCount = effect->format()->channels;
    m_emitter.Position = position * 0.01f;
    m_emitter.Velocity = velocity * 0.01f;
    m_emitter.OrientFront = d3dx::Vector3(0.0f, 0.0f, 1.0f);
    m_emitter.OrientTop = d3dx::Vector3(0.0f, 1.0f, 0.0f);
    if (!makeVoice(0)) return;
    fadeDuration = 0.0f;
    fadeState = kNoFade;
    update();
    m_voice->Start();
    countIn();
}

bool simSoundeffectInstance_xaudio::makeVoice(uint32_t playBegin) {
    m_voice.reset();
    std::unique_ptr<xaudio::IXAudio2SourceVoice> voice;
    simSound_xaudio* sound = m_effect->sound();
    if (sound->engine()->CreateSourceVoice(voice, *m_effect->format(), 2.0f) < 0) {
        simLog("ERROR CREATING SOURCE VOICE\n");
        return false;
    }
    xaudio::XAUDIO2_BUFFER buffer;
    buffer.Flags = xaudio::XAUDIO2_END_OF_STREAM;
    buffer.AudioBytes = static_cast<uint32_t>(m_effect->audio().size());
    buffer.pAudioData = m_effect->audio().data();
    buffer.PlayBegin = playBegin;
    buffer.LoopCount = m_looping ? xaudio::XAUDIO2_LOOP_INFINITE : 0;
    if (voice->SubmitSourceBuffer(&buffer) < 0) return false;
    m_voice = std::move(voice);
    return true;
}

simSoundeffectInstance_xaudio::~simSoundeffectInstance_xaudio() {
    simLog("[~simSoundeffectInstance_xaudio");
    simLog(" >> " + effectName + " >> ");
    releaseVoice();
    simLog("~simSoundeffectInstance_xaudio]");
}

void simSoundeffectInstance_xaudio::update() {
    if (!isLive()) return;
    xaudio::XAUDIO2_VOICE_STATE state;
    if (m_voice) m_voice->GetState(&state);
    if (isFinished(m_voice != nullptr, m_looping, state.BuffersQueued > 0)) {
        safeDelete();
        return;
    }
    updateFade();
    const float level = volume / 100.0f;
    const float gain = std::clamp(level * level * fadeGain * g_sound->getGainFactor(), 0.0f, 100.0f);
    const float ratio = std::clamp((pitch + 100.0f) / 200.0f * pitchFactor, 0.0f, 100.0f);
    m_voice->SetVolume(gain);
    if (!m_3d) {
        m_voice->SetFrequencyRatio(ratio);
    } else {
        simSound_xaudio* sound = m_effect->sound();
        const uint32_t outputs = sound->outputChannels();
        std::vector<float> matrix(size_t{m_emitter.ChannelCount} * outputs, 1.0f);
        xaudio::X3DAUDIO_DSP_SETTINGS settings;
        settings.pMatrixCoefficients = matrix.data();
        settings.SrcChannelCount = m_emitter.ChannelCount;
        settings.DstChannelCount = outputs;
        settings.DopplerFactor = 1.0f;
        xaudio::X3DAudioCalculate(sound->positioning(), sound->listener(), m_emitter,
                                  xaudio::X3DAUDIO_CALCULATE_MATRIX | xaudio::X3DAUDIO_CALCULATE_DOPPLER, settings);
        m_voice->SetOutputMatrix(sound->masteringVoice(), m_emitter.ChannelCount, outputs, matrix.data());
        m_voice->SetFrequencyRatio(ratio * settings.DopplerFactor);
    }
    volumeChanged = false;
    pitchChanged = false;
}

void simSoundeffectInstance_xaudio::stop() {
    if (!isLive() || !m_voice) return;
    m_voice->Stop();
    m_voice->FlushSourceBuffers();
    m_stopped = true;
}

void simSoundeffectInstance_xaudio::setPosition(d3dx::Vector3* value, bool) {
    if (!isLive() || !m_3d || !m_voice || !value || *value == position) return;
    position = *value;
    m_emitter.Position = position * 0.01f;
}

void simSoundeffectInstance_xaudio::setVelocity(d3dx::Vector3* value, bool) {
    if (!isLive() || !m_3d || !m_voice || !value || *value == velocity) return;
    velocity = *value;
    m_emitter.Velocity = velocity * 0.01f;
    // The emitter faces where it moves; standing still keeps its last front.
    const float speed = lengthOf(m_emitter.Velocity);
    if (speed > 0.0f) m_emitter.OrientFront = m_emitter.Velocity * (1.0f / speed);
}

void simSoundeffectInstance_xaudio::playFrom(float ms) {
    // The base's effect is cleared when the effect goes; m_effect is not.
    if (!isLive() || !effect || !m_effect->format()) return;
    const double frames = static_cast<double>(m_effect->format()->samplesPerSec) * ms / 1000.0;
    const uint32_t total = static_cast<uint32_t>(m_effect->audio().size() / m_effect->format()->blockAlign);
    const uint32_t begin = frames <= 0.0 ? 0u : static_cast<uint32_t>(std::min<double>(frames, total));
    m_playBegin = begin;
    m_stopped = false;
    if (!makeVoice(begin)) return;
    update();
    m_voice->Start();
}

float simSoundeffectInstance_xaudio::getPlayPosition() {
    if (!isLive() || !effect || !m_voice) return 0.0f;
    xaudio::XAUDIO2_VOICE_STATE state;
    m_voice->GetState(&state);
    const uint32_t rate = effect->getSampleRate();
    if (rate == 0) return 0.0f;
    return static_cast<float>(static_cast<double>(state.SamplesPlayed + m_playBegin) / rate * 1000.0);
}

void simSoundeffectInstance_xaudio::releaseVoice() {
    if (m_voice && isLive()) m_voice->Stop();
    m_voice.reset();
}

void simSoundeffectInstance_xaudio::detach() {
    releaseVoice();
    simSoundeffectInstance::detach();
}
