// soundMixer: the software mixer under the XAudio2- and DirectSound-shaped
// back ends.
//
// Deterministic and single-threaded: nothing moves until `mix` is called, and
// the same calls give the same frames bit for bit. Each voice plays a queue of
// buffers of 8- or 16-bit PCM (one or two channels) that its owner keeps
// alive while the voice holds them; it is resampled by linear interpolation
// at its frequency ratio, scaled by its gain and spread over the output
// channels by its matrix (one row of output gains per source channel). The
// output is interleaved float frames.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "engine/sound/waveFormat.h"

class soundMixer {
public:
    static constexpr uint32_t kMaxChannels = 2;
    static constexpr uint32_t kLoopInfinite = 255;

    // A piece of audio to play, in sample frames of its voice's format. A
    // play length of 0 plays to the end; a loop length of 0 loops to the end
    // of the played part. The loop runs `loopCount` more times (255: for
    // ever) before the buffer plays on to its end.
    struct Buffer {
        const uint8_t* audio = nullptr;
        uint32_t bytes = 0;
        uint32_t playBegin = 0;
        uint32_t playLength = 0;
        uint32_t loopBegin = 0;
        uint32_t loopLength = 0;
        uint32_t loopCount = 0;
    };

    struct VoiceState {
        uint32_t buffersQueued = 0;  // including the one playing
        uint64_t samplesPlayed = 0;  // source frames since the voice was made
    };

    using VoiceId = uint32_t;  // 0 is no voice

    // The output is always stereo.
    static constexpr uint32_t kOutputChannels = 2;

    explicit soundMixer(uint32_t outputRate = 44100);

    uint32_t outputRate() const { return m_outputRate; }
    uint32_t outputChannels() const { return kOutputChannels; }

    // A stopped voice for PCM of 8 or 16 bits and 1 or 2 channels; 0 for any
    // other format. It starts with gain 1, ratio 1 and a matrix that sends
    // mono to every output channel and stereo left to left, right to right.
    VoiceId createVoice(const wave::WaveFormat& format);
    void destroyVoice(VoiceId voice);
    bool isVoice(VoiceId voice) const { return find(voice) != nullptr; }

    // False for an unknown voice or a buffer whose regions are not inside its
    // audio.
    bool submit(VoiceId voice, const Buffer& buffer);
    // Drops every queued buffer, the one playing too.
    void flush(VoiceId voice);
    void start(VoiceId voice);
    void stop(VoiceId voice);
    bool isPlaying(VoiceId voice) const;
    VoiceState state(VoiceId voice) const;

    void setGain(VoiceId voice, float gain);
    // Playback speed against the source's own rate (1 = as recorded).
    void setFrequencyRatio(VoiceId voice, float ratio);
    // `gains` holds source channels x 2 values, row by row.
    void setMatrix(VoiceId voice, const float* gains);
    // The play cursor in source frames from the start of the current buffer's
    // audio; moving it drops the loop still to come only when it leaves the
    // loop.
    uint32_t cursor(VoiceId voice) const;
    void setCursor(VoiceId voice, uint32_t frame);

    void setMasterGain(float gain) { m_masterGain = gain; }
    float masterGain() const { return m_masterGain; }

    // Adds every playing voice into `frames` frames of `out` (which it clears
    // first); finished buffers leave their queues as they end.
    void mix(float* out, uint32_t frames);

private:
    struct Queued {
        Buffer buffer;
        uint32_t loopsLeft = 0;
    };
    struct Voice {
        VoiceId id = 0;
        uint32_t channels = 1;
        uint32_t bytesPerSample = 2;
        uint32_t rate = 44100;
        float gain = 1.0f;
        float ratio = 1.0f;
        std::array<float, kMaxChannels * kMaxChannels> matrix{};
        std::deque<Queued> queue;
        uint64_t position = 0;  // 32.32 fixed point, frames into the current buffer's audio
        uint64_t samplesPlayed = 0;
        bool playing = false;
    };

    Voice* find(VoiceId voice);
    const Voice* find(VoiceId voice) const;
    void mixVoice(Voice& voice, float* out, uint32_t frames);
    template <typename Sample, uint32_t Channels>
    uint32_t mixRun(Voice& voice, float* out, uint32_t frames, uint32_t end, uint32_t wrap, uint64_t step);

    uint32_t m_outputRate;
    float m_masterGain = 1.0f;
    VoiceId m_lastId = 0;
    std::vector<std::unique_ptr<Voice>> m_voices;
};
