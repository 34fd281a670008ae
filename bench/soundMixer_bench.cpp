// The software mixer under the XAudio2- and DirectSound-shaped back ends:
// 32 looping voices (mono and stereo, 8- and 16-bit, at their own rates and
// frequency ratios, panned) mixed into 44.1 kHz stereo, one second of sound
// per iteration in blocks of 1024 frames. The baseline is real time: the
// "realtime" counter says how many seconds of sound are mixed per second, and
// must stay above 100.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/sound/soundMixer.h"

namespace {

constexpr int kVoices = 32;
constexpr uint32_t kRate = 44100;
constexpr uint32_t kBlock = 1024;

struct Source {
    wave::WaveFormat format;
    std::vector<uint8_t> audio;
};

Source makeSource(int index) {
    Source source;
    source.format.formatTag = wave::kTagPcm;
    source.format.channels = static_cast<uint16_t>(1 + index % 2);
    source.format.bitsPerSample = index % 3 == 0 ? 8 : 16;
    source.format.samplesPerSec = index % 4 == 0 ? 22050 : 44100;
    source.format.blockAlign = static_cast<uint16_t>(source.format.channels * source.format.bitsPerSample / 8);
    source.format.avgBytesPerSec = source.format.samplesPerSec * source.format.blockAlign;
    const uint32_t frames = source.format.samplesPerSec;  // one second
    for (uint32_t i = 0; i < frames * source.format.channels; ++i) {
        const double v = 0.3 * std::sin(i * (0.01 + index * 0.001));
        if (source.format.bitsPerSample == 8) {
            source.audio.push_back(static_cast<uint8_t>(128 + std::lround(v * 127)));
        } else {
            const auto s = static_cast<int16_t>(std::lround(v * 32767));
            source.audio.push_back(static_cast<uint8_t>(s));
            source.audio.push_back(static_cast<uint8_t>(s >> 8));
        }
    }
    return source;
}

}  // namespace

static void BM_MixThirtyTwoVoicesOneSecond(benchmark::State& state) {
    std::vector<Source> sources;
    for (int i = 0; i < kVoices; ++i) sources.push_back(makeSource(i));
    soundMixer mixer(kRate);
    for (int i = 0; i < kVoices; ++i) {
        const soundMixer::VoiceId voice = mixer.createVoice(sources[i].format);
        soundMixer::Buffer buffer;
        buffer.audio = sources[i].audio.data();
        buffer.bytes = static_cast<uint32_t>(sources[i].audio.size());
        buffer.loopCount = soundMixer::kLoopInfinite;
        mixer.submit(voice, buffer);
        mixer.setGain(voice, 0.5f);
        mixer.setFrequencyRatio(voice, 0.75f + 0.02f * static_cast<float>(i));
        const float pan = static_cast<float>(i) / kVoices;
        const float matrix[4] = {1.0f - pan, pan, 1.0f - pan, pan};
        mixer.setMatrix(voice, matrix);
        mixer.start(voice);
    }
    std::vector<float> out(kBlock * soundMixer::kOutputChannels);
    for (auto _ : state) {
        for (uint32_t done = 0; done < kRate; done += kBlock) {
            mixer.mix(out.data(), kBlock);
            benchmark::DoNotOptimize(out.data());
        }
    }
    // One iteration is one second of sound (rounded up to whole blocks).
    const double secondsPerIteration = static_cast<double>((kRate + kBlock - 1) / kBlock * kBlock) / kRate;
    state.counters["realtime"] = benchmark::Counter(secondsPerIteration * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MixThirtyTwoVoicesOneSecond)->Unit(benchmark::kMillisecond);
