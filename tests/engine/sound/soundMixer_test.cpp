// The software mixer: what each voice setting does to the frames it renders.
#include <gtest/gtest.h>

#include "engine/sound/soundMixer.h"
#include "tests/engine/sound/testWaves.h"

using namespace soundtest;

namespace {

struct MixerTest : ::testing::Test {
    std::vector<float> mix(uint32_t frames) {
        std::vector<float> out(size_t{frames} * 2, 99.0f);
        mixer.mix(out.data(), frames);
        return out;
    }
    soundMixer::VoiceId voiceWith(const std::vector<uint8_t>& audio, const Format& f = Format{},
                                  uint32_t loopCount = 0) {
        const soundMixer::VoiceId voice = mixer.createVoice(waveFormat(f));
        soundMixer::Buffer buffer;
        buffer.audio = audio.data();
        buffer.bytes = static_cast<uint32_t>(audio.size());
        buffer.loopCount = loopCount;
        EXPECT_TRUE(mixer.submit(voice, buffer));
        mixer.start(voice);
        return voice;
    }
    soundMixer mixer;
};

}  // namespace

TEST_F(MixerTest, SilenceWithoutVoicesAndOnlySupportedFormatsMakeVoices) {
    for (float v : mix(64)) EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(mixer.createVoice(waveFormat({1, 1, 44100, 24})), 0u);
    EXPECT_EQ(mixer.createVoice(waveFormat({1, 3, 44100, 16})), 0u);
    EXPECT_EQ(mixer.createVoice(waveFormat({2, 1, 44100, 16})), 0u);  // ADPCM
    EXPECT_NE(mixer.createVoice(waveFormat({1, 2, 22050, 8})), 0u);
}

TEST_F(MixerTest, GainAndMatrixScaleEachOutputChannel) {
    const std::vector<uint8_t> audio = tone({}, 44100, 441.0, 0.5);
    const soundMixer::VoiceId voice = voiceWith(audio);
    const std::vector<float> full = mix(2205);
    EXPECT_NEAR(rms(full, 2, 0), 0.5 / std::sqrt(2.0), 0.005);
    EXPECT_EQ(rms(full, 2, 0), rms(full, 2, 1));
    mixer.setGain(voice, 0.5f);
    const float matrix[2] = {1.0f, 0.25f};
    mixer.setMatrix(voice, matrix);
    const std::vector<float> scaled = mix(2205);
    EXPECT_NEAR(rms(scaled, 2, 0) / rms(full, 2, 0), 0.5, 0.01);
    EXPECT_NEAR(rms(scaled, 2, 1) / rms(full, 2, 0), 0.125, 0.01);
    mixer.setMasterGain(0.5f);
    EXPECT_NEAR(rms(mix(2205), 2, 0) / rms(full, 2, 0), 0.25, 0.01);
}

TEST_F(MixerTest, StereoSourcesKeepTheirSides) {
    const Format stereo{1, 2, 44100, 8};
    const std::vector<uint8_t> audio = tone(stereo, 4410, 441.0, 0.5, true);
    voiceWith(audio, stereo);
    const std::vector<float> out = mix(4410);
    EXPECT_GT(rms(out, 2, 0), 0.3);
    EXPECT_LT(rms(out, 2, 1), 0.01);  // the 8-bit silence of the right side, 128, is 0
}

TEST_F(MixerTest, RatioAndSourceRateSetTheFrequency) {
    struct Case {
        uint32_t rate;
        float ratio;
        double hz;
    };
    for (const Case& c : {Case{44100, 1.0f, 441.0}, Case{22050, 1.0f, 441.0}, Case{44100, 0.5f, 220.5},
                          Case{11025, 2.0f, 882.0}}) {
        const Format f{1, 1, c.rate, 16};
        const std::vector<uint8_t> audio = tone(f, c.rate, 441.0);
        soundMixer fresh;
        const soundMixer::VoiceId voice = fresh.createVoice(waveFormat(f));
        soundMixer::Buffer buffer{audio.data(), static_cast<uint32_t>(audio.size()), 0, 0, 0, 0, 255};
        ASSERT_TRUE(fresh.submit(voice, buffer));
        fresh.setFrequencyRatio(voice, c.ratio);
        fresh.start(voice);
        std::vector<float> out(8820 * 2);
        fresh.mix(out.data(), 8820);
        EXPECT_NEAR(frequency(out, 2, 0, 44100), c.hz, c.hz * 0.005) << c.rate << " x" << c.ratio;
    }
}

TEST_F(MixerTest, ABufferEndsOnItsLastFrameAndLeavesTheQueue) {
    const std::vector<uint8_t> audio = tone({}, 1000, 441.0);
    const soundMixer::VoiceId voice = voiceWith(audio);
    const std::vector<float> out = mix(2000);
    EXPECT_EQ(lastAudibleFrame(out, 2, 1e-6f), 999);
    EXPECT_EQ(mixer.state(voice).buffersQueued, 0u);
    EXPECT_EQ(mixer.state(voice).samplesPlayed, 1000u);
}

TEST_F(MixerTest, LoopRegionsRepeatTheirCountThenPlayOn) {
    // Frames hold their own index, so the frames heard show the path taken.
    std::vector<uint8_t> audio;
    for (int i = 0; i < 10; ++i) put16(audio, static_cast<uint16_t>(i * 1000));
    const soundMixer::VoiceId voice = mixer.createVoice(waveFormat({}));
    soundMixer::Buffer buffer{audio.data(), static_cast<uint32_t>(audio.size()), 1, 8, 3, 2, 2};
    ASSERT_TRUE(mixer.submit(voice, buffer));
    mixer.start(voice);
    const std::vector<float> out = mix(16);
    std::vector<int> heard;
    for (int i = 0; i < 16; ++i) heard.push_back(static_cast<int>(std::lround(out[i * 2] * 32768.0f / 1000.0f)));
    // Play 1..8, loop 3..4 twice more, then on to the end of the play region.
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3, 4, 3, 4, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0}));
    EXPECT_EQ(mixer.state(voice).samplesPlayed, 12u);
}

TEST_F(MixerTest, RegionsOutsideTheAudioAreRefused) {
    const std::vector<uint8_t> audio(40, 0);  // 20 frames
    const soundMixer::VoiceId voice = mixer.createVoice(waveFormat({}));
    struct Case {
        soundMixer::Buffer buffer;
        bool accepted;
    };
    for (const Case& c : {Case{{audio.data(), 40, 0, 20, 0, 0, 0}, true}, Case{{audio.data(), 40, 5, 16, 0, 0, 0}, false},
                          Case{{audio.data(), 40, 0, 0, 10, 11, 1}, false}, Case{{audio.data(), 40, 4, 0, 2, 0, 1}, false},
                          Case{{nullptr, 40, 0, 0, 0, 0, 0}, false}}) {
        EXPECT_EQ(mixer.submit(voice, c.buffer), c.accepted);
    }
    EXPECT_FALSE(mixer.submit(12345, soundMixer::Buffer{audio.data(), 40, 0, 0, 0, 0, 0}));
}

TEST_F(MixerTest, StoppedVoicesHoldTheirPlaceAndTheCursorMoves) {
    const std::vector<uint8_t> audio = tone({}, 4000, 441.0);
    const soundMixer::VoiceId voice = voiceWith(audio);
    mix(100);
    mixer.stop(voice);
    for (float v : mix(100)) EXPECT_EQ(v, 0.0f);
    EXPECT_EQ(mixer.cursor(voice), 100u);
    mixer.setCursor(voice, 3900);
    mixer.start(voice);
    EXPECT_EQ(lastAudibleFrame(mix(400), 2, 1e-6f), 99);
}

TEST_F(MixerTest, TheSameCallsGiveTheSameFrames) {
    const std::vector<uint8_t> audio = tone({1, 1, 22050, 16}, 3000, 300.0);
    auto render = [&] {
        soundMixer fresh;
        const soundMixer::VoiceId voice = fresh.createVoice(waveFormat({1, 1, 22050, 16}));
        fresh.submit(voice, {audio.data(), static_cast<uint32_t>(audio.size()), 0, 0, 0, 0, 255});
        fresh.setFrequencyRatio(voice, 1.37f);
        fresh.start(voice);
        std::vector<float> out(5000 * 2);
        fresh.mix(out.data(), 5000);
        return out;
    };
    EXPECT_EQ(render(), render());
}
