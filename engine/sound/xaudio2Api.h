// The part of XAudio2 and X3DAudio that the XAudio back end calls, shaped
// like those APIs and standing on our mixer (soundPlatform).
//
// An engine makes one mastering voice (the mixer's master gain and output)
// and source voices (mixer voices). Results are the platform's codes.
// Submix voices and effects are not part of this layer: the reverb they would
// carry has no counterpart in the mixer, so creating them fails.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/sound/soundPlatform.h"
#include "engine/sound/waveFormat.h"
#include "platform/d3dx/d3dxMathTypes.h"

namespace xaudio {

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);

inline constexpr uint32_t XAUDIO2_END_OF_STREAM = 0x40;
inline constexpr uint32_t XAUDIO2_LOOP_INFINITE = 255;

struct XAUDIO2_BUFFER {
    uint32_t Flags = 0;
    uint32_t AudioBytes = 0;
    const uint8_t* pAudioData = nullptr;
    uint32_t PlayBegin = 0;  // sample frames
    uint32_t PlayLength = 0;
    uint32_t LoopBegin = 0;
    uint32_t LoopLength = 0;
    uint32_t LoopCount = 0;
};

struct XAUDIO2_VOICE_STATE {
    uint32_t BuffersQueued = 0;
    uint64_t SamplesPlayed = 0;
};

struct XAUDIO2_DEVICE_DETAILS {
    uint32_t OutputChannels = 0;
    uint32_t OutputSampleRate = 0;
    uint32_t ChannelMask = 0;
};

class IXAudio2MasteringVoice {
public:
    explicit IXAudio2MasteringVoice(soundMixer& mixer) : m_mixer(mixer) {}
    HRESULT SetVolume(float volume);

private:
    soundMixer& m_mixer;
};

class IXAudio2SourceVoice {
public:
    IXAudio2SourceVoice(soundMixer& mixer, soundMixer::VoiceId voice, uint32_t channels)
        : m_mixer(mixer), m_voice(voice), m_channels(channels) {}
    // DestroyVoice.
    ~IXAudio2SourceVoice();
    IXAudio2SourceVoice(const IXAudio2SourceVoice&) = delete;
    IXAudio2SourceVoice& operator=(const IXAudio2SourceVoice&) = delete;

    HRESULT Start();
    HRESULT Stop();
    HRESULT SubmitSourceBuffer(const XAUDIO2_BUFFER* buffer);
    HRESULT FlushSourceBuffers();
    void GetState(XAUDIO2_VOICE_STATE* state) const;
    HRESULT SetVolume(float volume);
    HRESULT SetFrequencyRatio(float ratio);
    // The gains from each of the voice's channels to each output channel.
    HRESULT SetOutputMatrix(IXAudio2MasteringVoice* destination, uint32_t sourceChannels,
                            uint32_t destinationChannels, const float* levels);

private:
    soundMixer& m_mixer;
    soundMixer::VoiceId m_voice;
    uint32_t m_channels;
};

class IXAudio2 {
public:
    explicit IXAudio2(soundPlatform& platform) : m_platform(platform) {}
    HRESULT CreateMasteringVoice(std::unique_ptr<IXAudio2MasteringVoice>& voice);
    HRESULT GetDeviceDetails(uint32_t index, XAUDIO2_DEVICE_DETAILS* details) const;
    // A voice for the format, whose frequency ratio may go up to `maxRatio`.
    HRESULT CreateSourceVoice(std::unique_ptr<IXAudio2SourceVoice>& voice, const wave::WaveFormat& format,
                              float maxRatio);
    // Effects (the reverb) are not available.
    HRESULT CreateReverbEffect() const { return E_NOTIMPL; }
    void StopEngine() {}
    // Hands the mix on to the output.
    void pump() { m_platform.pump(); }

private:
    soundPlatform& m_platform;
};

// The engine on the platform's mixer, with its output opened; E_FAIL when
// either fails.
HRESULT XAudio2Create(soundPlatform& platform, std::unique_ptr<IXAudio2>& engine);

// ---- X3DAudio
inline constexpr uint32_t X3DAUDIO_CALCULATE_MATRIX = 0x01;
inline constexpr uint32_t X3DAUDIO_CALCULATE_DOPPLER = 0x20;

struct X3DAUDIO_HANDLE {
    float speedOfSound = 0.0f;
    uint32_t channelMask = 0;
};

struct X3DAUDIO_LISTENER {
    d3dx::Vector3 OrientFront;
    d3dx::Vector3 OrientTop;
    d3dx::Vector3 Position;
    d3dx::Vector3 Velocity;
};

struct X3DAUDIO_EMITTER {
    d3dx::Vector3 OrientFront;
    d3dx::Vector3 OrientTop;
    d3dx::Vector3 Position;
    d3dx::Vector3 Velocity;
    uint32_t ChannelCount = 1;
    float CurveDistanceScaler = 1.0f;
    float DopplerScaler = 1.0f;
};

struct X3DAUDIO_DSP_SETTINGS {
    float* pMatrixCoefficients = nullptr;  // source x destination channels
    uint32_t SrcChannelCount = 1;
    uint32_t DstChannelCount = 2;
    float DopplerFactor = 1.0f;
};

// Stereo output only (a channel mask with front left and right).
HRESULT X3DAudioInitialize(uint32_t channelMask, float speedOfSound, X3DAUDIO_HANDLE& handle);
// Pans each emitter channel by where it lies left or right of the listener
// (constant power), attenuates it by distance beyond the curve distance
// scaler (1 / distance), and gives the Doppler shift of the two velocities.
// Both worlds are left-handed, like the engine's.
void X3DAudioCalculate(const X3DAUDIO_HANDLE& handle, const X3DAUDIO_LISTENER& listener,
                       const X3DAUDIO_EMITTER& emitter, uint32_t flags, X3DAUDIO_DSP_SETTINGS& settings);

}  // namespace xaudio
