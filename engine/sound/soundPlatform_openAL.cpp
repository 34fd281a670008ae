// The mixer's output streamed to OpenAL Soft: one source fed a ring of short
// 16-bit stereo buffers, refilled from the mixer as OpenAL finishes them.
#include <AL/al.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "engine/sound/soundPlatform.h"

namespace {

class openALPlatform : public soundPlatform {
public:
    static constexpr int kBuffers = 4;
    static constexpr uint32_t kFramesPerBuffer = 1024;

    explicit openALPlatform(std::unique_ptr<openALDevice> device)
        : m_deviceSource(device ? std::move(device) : openALDevice::system()) {}

    ~openALPlatform() override {
        if (m_context) {
            alSourceStop(m_source);
            alDeleteSources(1, &m_source);
            alDeleteBuffers(kBuffers, m_buffers.data());
            if (alcGetCurrentContext() == m_context) alcMakeContextCurrent(nullptr);
            alcDestroyContext(m_context);
        }
        if (m_device) alcCloseDevice(m_device);
    }

    bool startOutput() override {
        if (faults.output) return false;
        m_device = m_deviceSource->open(nullptr);
        if (!m_device) return false;
        m_context = alcCreateContext(m_device, m_deviceSource->contextAttributes());
        if (!m_context) return false;
        alcMakeContextCurrent(m_context);
        alGenSources(1, &m_source);
        alGenBuffers(kBuffers, m_buffers.data());
        for (ALuint buffer : m_buffers) fill(buffer);
        alSourceQueueBuffers(m_source, kBuffers, m_buffers.data());
        alSourcePlay(m_source);
        return true;
    }

    void pump() override {
        if (!m_context) return;
        ALint processed = 0;
        alGetSourcei(m_source, AL_BUFFERS_PROCESSED, &processed);
        while (processed-- > 0) {
            ALuint buffer = 0;
            alSourceUnqueueBuffers(m_source, 1, &buffer);
            fill(buffer);
            alSourceQueueBuffers(m_source, 1, &buffer);
        }
        // A stream that ran dry (a long frame) stops; it starts again here.
        ALint state = AL_PLAYING;
        alGetSourcei(m_source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) alSourcePlay(m_source);
    }

private:
    void fill(ALuint buffer) {
        mixer().mix(m_mix.data(), kFramesPerBuffer);
        for (size_t i = 0; i < m_mix.size(); ++i)
            m_pcm[i] = static_cast<int16_t>(std::lround(std::clamp(m_mix[i], -1.0f, 1.0f) * 32767.0f));
        alBufferData(buffer, AL_FORMAT_STEREO16, m_pcm.data(), static_cast<ALsizei>(m_pcm.size() * 2),
                     static_cast<ALsizei>(mixer().outputRate()));
    }

    std::unique_ptr<openALDevice> m_deviceSource;
    ALCdevice* m_device = nullptr;
    ALCcontext* m_context = nullptr;
    ALuint m_source = 0;
    std::array<ALuint, kBuffers> m_buffers{};
    std::vector<float> m_mix = std::vector<float>(kFramesPerBuffer * soundMixer::kOutputChannels);
    std::vector<int16_t> m_pcm = std::vector<int16_t>(kFramesPerBuffer * soundMixer::kOutputChannels);
};

}  // namespace

std::unique_ptr<soundPlatform> soundPlatform::openAL(std::unique_ptr<openALDevice> device) {
    return std::make_unique<openALPlatform>(std::move(device));
}
