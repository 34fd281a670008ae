#include "engine/sound/xaudio2Api.h"

#include <algorithm>

#include "engine/sound/soundPanning.h"

namespace xaudio {

HRESULT IXAudio2MasteringVoice::SetVolume(float volume) {
    m_mixer.setMasterGain(volume);
    return S_OK;
}

IXAudio2SourceVoice::~IXAudio2SourceVoice() { m_mixer.destroyVoice(m_voice); }

HRESULT IXAudio2SourceVoice::Start() {
    m_mixer.start(m_voice);
    return S_OK;
}

HRESULT IXAudio2SourceVoice::Stop() {
    m_mixer.stop(m_voice);
    return S_OK;
}

HRESULT IXAudio2SourceVoice::SubmitSourceBuffer(const XAUDIO2_BUFFER* buffer) {
    if (!buffer) return E_INVALIDARG;
    soundMixer::Buffer piece;
    piece.audio = buffer->pAudioData;
    piece.bytes = buffer->AudioBytes;
    piece.playBegin = buffer->PlayBegin;
    piece.playLength = buffer->PlayLength;
    piece.loopBegin = buffer->LoopBegin;
    piece.loopLength = buffer->LoopLength;
    piece.loopCount = buffer->LoopCount;
    return m_mixer.submit(m_voice, piece) ? S_OK : E_INVALIDARG;
}

HRESULT IXAudio2SourceVoice::FlushSourceBuffers() {
    m_mixer.flush(m_voice);
    return S_OK;
}

void IXAudio2SourceVoice::GetState(XAUDIO2_VOICE_STATE* state) const {
    if (!state) return;
    const soundMixer::VoiceState now = m_mixer.state(m_voice);
    state->BuffersQueued = now.buffersQueued;
    state->SamplesPlayed = now.samplesPlayed;
}

HRESULT IXAudio2SourceVoice::SetVolume(float volume) {
    m_mixer.setGain(m_voice, volume);
    return S_OK;
}

HRESULT IXAudio2SourceVoice::SetFrequencyRatio(float ratio) {
    m_mixer.setFrequencyRatio(m_voice, ratio);
    return S_OK;
}

HRESULT IXAudio2SourceVoice::SetOutputMatrix(IXAudio2MasteringVoice*, uint32_t sourceChannels,
                                             uint32_t destinationChannels, const float* levels) {
    if (!levels || sourceChannels != m_channels || destinationChannels != soundMixer::kOutputChannels)
        return E_INVALIDARG;
    m_mixer.setMatrix(m_voice, levels);
    return S_OK;
}

HRESULT IXAudio2::CreateMasteringVoice(std::unique_ptr<IXAudio2MasteringVoice>& voice) {
    if (m_platform.faults.output || !m_platform.startOutput()) return E_FAIL;
    voice = std::make_unique<IXAudio2MasteringVoice>(m_platform.mixer());
    return S_OK;
}

HRESULT IXAudio2::GetDeviceDetails(uint32_t index, XAUDIO2_DEVICE_DETAILS* details) const {
    if (index != 0 || !details) return E_INVALIDARG;
    details->OutputChannels = soundMixer::kOutputChannels;
    details->OutputSampleRate = m_platform.mixer().outputRate();
    details->ChannelMask = 0x3;  // front left, front right
    return S_OK;
}

HRESULT IXAudio2::CreateSourceVoice(std::unique_ptr<IXAudio2SourceVoice>& voice, const wave::WaveFormat& format,
                                    float maxRatio) {
    if (m_platform.faults.voice || maxRatio <= 0.0f) return E_FAIL;
    const soundMixer::VoiceId id = m_platform.mixer().createVoice(format);
    if (!id) return E_INVALIDARG;
    voice = std::make_unique<IXAudio2SourceVoice>(m_platform.mixer(), id, format.channels);
    return S_OK;
}

HRESULT XAudio2Create(soundPlatform& platform, std::unique_ptr<IXAudio2>& engine) {
    if (platform.faults.engine) return E_FAIL;
    engine = std::make_unique<IXAudio2>(platform);
    return S_OK;
}

HRESULT X3DAudioInitialize(uint32_t channelMask, float speedOfSound, X3DAUDIO_HANDLE& handle) {
    if ((channelMask & 0x3) != 0x3 || speedOfSound <= 0.0f) return E_INVALIDARG;
    handle.channelMask = channelMask;
    handle.speedOfSound = speedOfSound;
    return S_OK;
}

void X3DAudioCalculate(const X3DAUDIO_HANDLE& handle, const X3DAUDIO_LISTENER& listener,
                       const X3DAUDIO_EMITTER& emitter, uint32_t flags, X3DAUDIO_DSP_SETTINGS& settings) {
    const d3dx::Vector3 offset = emitter.Position - listener.Position;
    const float distance = lengthOf(offset);
    if ((flags & X3DAUDIO_CALCULATE_MATRIX) && settings.pMatrixCoefficients) {
        const stereoGains pan = panFor(offset, listener.OrientFront, listener.OrientTop);
        const float scaled = emitter.CurveDistanceScaler > 0.0f ? distance / emitter.CurveDistanceScaler : 0.0f;
        const float attenuation = scaled > 1.0f ? 1.0f / scaled : 1.0f;
        for (uint32_t c = 0; c < settings.SrcChannelCount; ++c) {
            settings.pMatrixCoefficients[c * settings.DstChannelCount] = pan.left * attenuation;
            settings.pMatrixCoefficients[c * settings.DstChannelCount + 1] = pan.right * attenuation;
        }
    }
    if (flags & X3DAUDIO_CALCULATE_DOPPLER) {
        settings.DopplerFactor =
            dopplerShift(offset, listener.Velocity, emitter.Velocity * emitter.DopplerScaler, handle.speedOfSound);
    }
}

}  // namespace xaudio
