#include "engine/sound/soundMixer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr double kFixedOne = 4294967296.0;  // 1 << 32

template <typename Sample>
float sampleAt(const uint8_t* audio, uint32_t index) {
    Sample value;
    std::memcpy(&value, audio + index * sizeof(Sample), sizeof value);
    if constexpr (sizeof(Sample) == 1) {
        return (static_cast<float>(value) - 128.0f) * (1.0f / 128.0f);
    } else {
        return static_cast<float>(value) * (1.0f / 32768.0f);
    }
}

}  // namespace

soundMixer::soundMixer(uint32_t outputRate) : m_outputRate(outputRate ? outputRate : 44100) {}

soundMixer::Voice* soundMixer::find(VoiceId voice) {
    for (auto& v : m_voices)
        if (v->id == voice) return v.get();
    return nullptr;
}

const soundMixer::Voice* soundMixer::find(VoiceId voice) const {
    for (const auto& v : m_voices)
        if (v->id == voice) return v.get();
    return nullptr;
}

soundMixer::VoiceId soundMixer::createVoice(const wave::WaveFormat& format) {
    const bool pcm = format.formatTag == wave::kTagPcm || format.formatTag == wave::kTagExtensible;
    if (!pcm || (format.bitsPerSample != 8 && format.bitsPerSample != 16) || format.channels < 1 ||
        format.channels > kMaxChannels || format.samplesPerSec == 0)
        return 0;
    auto voice = std::make_unique<Voice>();
    voice->id = ++m_lastId == 0 ? ++m_lastId : m_lastId;
    voice->channels = format.channels;
    voice->bytesPerSample = format.bitsPerSample / 8u;
    voice->rate = format.samplesPerSec;
    if (voice->channels == 1) {
        voice->matrix = {1.0f, 1.0f, 0.0f, 0.0f};
    } else {
        voice->matrix = {1.0f, 0.0f, 0.0f, 1.0f};
    }
    m_voices.push_back(std::move(voice));
    return m_voices.back()->id;
}

void soundMixer::destroyVoice(VoiceId voice) {
    m_voices.erase(std::remove_if(m_voices.begin(), m_voices.end(), [&](const auto& v) { return v->id == voice; }),
                   m_voices.end());
}

bool soundMixer::submit(VoiceId id, const Buffer& buffer) {
    Voice* voice = find(id);
    if (!voice || (!buffer.audio && buffer.bytes)) return false;
    const uint64_t frames = buffer.bytes / (voice->channels * voice->bytesPerSample);
    const uint64_t playEnd = buffer.playLength ? uint64_t{buffer.playBegin} + buffer.playLength : frames;
    const uint64_t loopEnd = buffer.loopLength ? uint64_t{buffer.loopBegin} + buffer.loopLength : playEnd;
    if (playEnd > frames || buffer.playBegin > playEnd) return false;
    if (buffer.loopCount && (buffer.loopBegin < buffer.playBegin || loopEnd > playEnd || buffer.loopBegin >= loopEnd))
        return false;
    if (voice->queue.empty()) voice->position = uint64_t{buffer.playBegin} << 32;
    voice->queue.push_back({buffer, buffer.loopCount});
    return true;
}

void soundMixer::flush(VoiceId id) {
    if (Voice* voice = find(id)) voice->queue.clear();
}

void soundMixer::start(VoiceId id) {
    if (Voice* voice = find(id)) voice->playing = true;
}

void soundMixer::stop(VoiceId id) {
    if (Voice* voice = find(id)) voice->playing = false;
}

bool soundMixer::isPlaying(VoiceId id) const {
    const Voice* voice = find(id);
    return voice && voice->playing;
}

soundMixer::VoiceState soundMixer::state(VoiceId id) const {
    const Voice* voice = find(id);
    if (!voice) return {};
    return {static_cast<uint32_t>(voice->queue.size()), voice->samplesPlayed};
}

void soundMixer::setGain(VoiceId id, float gain) {
    if (Voice* voice = find(id)) voice->gain = gain;
}

void soundMixer::setFrequencyRatio(VoiceId id, float ratio) {
    if (Voice* voice = find(id)) voice->ratio = std::clamp(ratio, 0.0f, 1024.0f);
}

void soundMixer::setMatrix(VoiceId id, const float* gains) {
    Voice* voice = find(id);
    if (!voice || !gains) return;
    voice->matrix.fill(0.0f);
    std::copy(gains, gains + voice->channels * kOutputChannels, voice->matrix.begin());
}

uint32_t soundMixer::cursor(VoiceId id) const {
    const Voice* voice = find(id);
    return voice ? static_cast<uint32_t>(voice->position >> 32) : 0;
}

void soundMixer::setCursor(VoiceId id, uint32_t frame) {
    Voice* voice = find(id);
    if (!voice) return;
    if (!voice->queue.empty()) {
        const Buffer& buffer = voice->queue.front().buffer;
        const uint32_t frames = buffer.bytes / (voice->channels * voice->bytesPerSample);
        frame = std::min(frame, frames);
    }
    voice->position = uint64_t{frame} << 32;
}

void soundMixer::mix(float* out, uint32_t frames) {
    std::fill(out, out + size_t{frames} * kOutputChannels, 0.0f);
    for (auto& voice : m_voices) mixVoice(*voice, out, frames);
}

void soundMixer::mixVoice(Voice& voice, float* out, uint32_t frames) {
    const uint64_t step = static_cast<uint64_t>(
        static_cast<double>(voice.ratio) * voice.rate / m_outputRate * kFixedOne);
    while (frames > 0 && voice.playing && !voice.queue.empty()) {
        Queued& queued = voice.queue.front();
        const Buffer& buffer = queued.buffer;
        const uint32_t total = buffer.bytes / (voice.channels * voice.bytesPerSample);
        const uint32_t playEnd = buffer.playLength ? buffer.playBegin + buffer.playLength : total;
        const uint32_t loopEnd = buffer.loopLength ? buffer.loopBegin + buffer.loopLength : playEnd;
        const bool looping = queued.loopsLeft > 0;
        const uint32_t end = looping ? loopEnd : playEnd;
        const uint32_t index = static_cast<uint32_t>(voice.position >> 32);
        if (index >= end) {
            if (looping) {
                voice.position -= uint64_t{loopEnd - buffer.loopBegin} << 32;
                if (queued.loopsLeft != kLoopInfinite) --queued.loopsLeft;
            } else {
                voice.queue.pop_front();
                voice.position = voice.queue.empty() ? 0 : uint64_t{voice.queue.front().buffer.playBegin} << 32;
            }
            continue;
        }
        if (step == 0) break;  // a voice at ratio 0 holds still
        // The frame after the last one: the loop's start, or the last one again.
        const uint32_t wrap = looping ? buffer.loopBegin : end - 1;
        uint32_t done = 0;
        if (voice.bytesPerSample == 1) {
            done = voice.channels == 1 ? mixRun<uint8_t, 1>(voice, out, frames, end, wrap, step)
                                       : mixRun<uint8_t, 2>(voice, out, frames, end, wrap, step);
        } else {
            done = voice.channels == 1 ? mixRun<int16_t, 1>(voice, out, frames, end, wrap, step)
                                       : mixRun<int16_t, 2>(voice, out, frames, end, wrap, step);
        }
        out += size_t{done} * kOutputChannels;
        frames -= done;
    }
}

template <typename Sample, uint32_t Channels>
uint32_t soundMixer::mixRun(Voice& voice, float* out, uint32_t frames, uint32_t end, uint32_t wrap,
                            uint64_t step) {
    const uint8_t* audio = voice.queue.front().buffer.audio;
    const float gain = voice.gain * m_masterGain;
    float toLeft[Channels], toRight[Channels];
    for (uint32_t c = 0; c < Channels; ++c) {
        toLeft[c] = gain * voice.matrix[c * kOutputChannels];
        toRight[c] = gain * voice.matrix[c * kOutputChannels + 1];
    }
    uint64_t position = voice.position;
    const uint32_t first = static_cast<uint32_t>(position >> 32);
    uint32_t done = 0;
    for (; done < frames; ++done) {
        const uint32_t index = static_cast<uint32_t>(position >> 32);
        if (index >= end) break;
        const uint32_t next = index + 1 < end ? index + 1 : wrap;
        const float fraction = static_cast<float>(static_cast<uint32_t>(position)) * (1.0f / 4294967296.0f);
        float left = 0.0f, right = 0.0f;
        for (uint32_t c = 0; c < Channels; ++c) {
            const float a = sampleAt<Sample>(audio, index * Channels + c);
            const float b = sampleAt<Sample>(audio, next * Channels + c);
            const float value = a + (b - a) * fraction;
            left += toLeft[c] * value;
            right += toRight[c] * value;
        }
        out[done * 2] += left;
        out[done * 2 + 1] += right;
        position += step;
    }
    voice.position = position;
    voice.samplesPlayed += std::min(static_cast<uint32_t>(position >> 32), end) - first;
    return done;
}
