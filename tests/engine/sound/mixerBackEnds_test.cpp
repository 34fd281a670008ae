// The XAudio2- and DirectSound-shaped back ends on the mixer: both through
// the same table of audible behaviour (the mix pulled straight from the
// mixer), then every failure path of each with the platform's faults.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/sound/CSound.h"
#include "engine/sound/simSound_directSound.h"
#include "engine/sound/simSound_xaudio.h"
#include "engine/sound/simSoundeffect.h"
#include "engine/sound/simSoundeffectInstance_directSound.h"
#include "engine/sound/simSoundeffectInstance_xaudio.h"
#include "platform/sys/clock.h"
#include "tests/engine/sound/loopbackDevice.h"
#include "tests/engine/sound/pulledPlatform.h"
#include "tests/engine/sound/testWaves.h"
#include "tests/support/headlessEngine.h"

using namespace soundtest;

namespace {

struct BackEnd {
    const char* name;
    std::function<simSound*(std::unique_ptr<soundPlatform>)> make;
    float dopplerScale;  // the emitter's Doppler scaler, the listener's Doppler factor
};

const BackEnd kBackEnds[] = {
    {"xaudio", [](std::unique_ptr<soundPlatform> p) -> simSound* { return new simSound_xaudio(nullptr, std::move(p)); },
     1.0f},
    {"directSound",
     [](std::unique_ptr<soundPlatform> p) -> simSound* { return new simSound_directSound(nullptr, std::move(p)); },
     0.5f},
};

class MixerBackEndTest : public ::testing::TestWithParam<BackEnd> {
protected:
    MixerBackEndTest() {
        auto owned = std::make_unique<PulledPlatform>();
        platform = owned.get();
        sound.reset(GetParam().make(std::move(owned)));
        clock.advance(1000.0);
    }
    ~MixerBackEndTest() override {
        sound.reset();
        EXPECT_EQ(g_sound, nullptr);
    }

    simSoundeffect* effect(const Format& f, uint32_t frames, const std::string& options = "") {
        writeFile(engine.settings.file("tone.wav"), pcmFile(f, tone(f, frames, 441.0)));
        return sound->createEffect(nullptr, engine.settings.file("tone.wav"), options);
    }
    simSoundeffectInstance* play(simSoundeffect* sfx, bool looping, float volume = 100.0f, float pitch = 100.0f,
                                 d3dx::Vector3 at = {}) {
        clock.advance(200.0);
        return sfx->play(looping, volume, pitch, &at, &origin);
    }
    void update() {
        clock.advance(20.0);
        sound->update();
    }

    sys::ManualClock clock;
    testsupport::HeadlessEngine engine{[](simSystemLinks& links) { simLinkResourceSystem(links); }};
    PulledPlatform* platform = nullptr;
    std::unique_ptr<simSound> sound;
    d3dx::Vector3 origin{0.0f, 0.0f, 0.0f};
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(BackEnds, MixerBackEndTest, ::testing::ValuesIn(kBackEnds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(MixerBackEndTest, StartsAndHandsTheMixOnEachUpdate) {
    EXPECT_TRUE(sound->isSoundOn());
    EXPECT_EQ(sound->getDriverName(), GetParam().name);
    EXPECT_TRUE(engine.app().getStatusSuccess());
    update();
    EXPECT_EQ(platform->pumps, 1);
}

TEST_P(MixerBackEndTest, VolumeIsSquaredAndAGainFactorOfZeroSilences) {
    simSoundeffect* sfx = effect({}, 44100);
    simSoundeffectInstance* instance = play(sfx, true);
    ASSERT_NE(instance, nullptr);
    const double full = rms(platform->pull(4410), 2, 0);
    EXPECT_GT(full, 0.1);
    instance->volume = 50.0f;
    instance->volumeChanged = true;
    update();
    EXPECT_NEAR(rms(platform->pull(4410), 2, 0) / full, 0.25, 0.01);
    sound->setGainFactor(0.0f);
    instance->volumeChanged = true;
    update();
    EXPECT_LT(rms(platform->pull(4410), 2, 0), 1e-6);
    delete instance;
}

TEST_P(MixerBackEndTest, PitchFollowsTheFilesOwnRate) {
    simSoundeffect* sfx = effect({1, 1, 22050, 16}, 22050);
    struct Case {
        float pitch;
        double hz;
    };
    for (const Case& c : {Case{100.0f, 441.0}, Case{0.0f, 220.5}, Case{-50.0f, 110.25}}) {
        simSoundeffectInstance* instance = play(sfx, true, 100.0f, c.pitch);
        ASSERT_NE(instance, nullptr);
        EXPECT_NEAR(frequency(platform->pull(8820), 2, 0, 44100), c.hz, c.hz * 0.01) << c.pitch;
        delete instance;
    }
}

TEST_P(MixerBackEndTest, ThreeDimensionalSoundsArePannedByWhereTheyAre) {
    simSoundeffect* sfx = effect({}, 44100, "3D");
    d3dx::Vector3 forward(0.0f, 0.0f, 1.0f), up(0.0f, 1.0f, 0.0f);
    sound->setListener(&origin, &forward, &up);
    update();
    struct Case {
        d3dx::Vector3 at;
        int louder;
    };
    for (const Case& c : {Case{{500.0f, 0.0f, 0.0f}, 1}, Case{{-500.0f, 0.0f, 0.0f}, 0}}) {
        simSoundeffectInstance* instance = play(sfx, true, 100.0f, 100.0f, c.at);
        update();
        const std::vector<float> heard = platform->pull(4410);
        EXPECT_GT(rms(heard, 2, c.louder), 3.0 * rms(heard, 2, 1 - c.louder)) << c.at.x;
        delete instance;
    }
    // Turned round, the listener hears the right-hand source on its left.
    d3dx::Vector3 back(0.0f, 0.0f, -1.0f);
    sound->setListener(&origin, &back, &up);
    simSoundeffectInstance* instance = play(sfx, true, 100.0f, 100.0f, {500.0f, 0.0f, 0.0f});
    update();
    const std::vector<float> heard = platform->pull(4410);
    EXPECT_GT(rms(heard, 2, 0), 3.0 * rms(heard, 2, 1));
    delete instance;
}

TEST_P(MixerBackEndTest, AnApproachingSoundRises) {
    simSoundeffect* sfx = effect({}, 44100, "3D");
    d3dx::Vector3 forward(0.0f, 0.0f, 1.0f), up(0.0f, 1.0f, 0.0f);
    sound->setListener(&origin, &forward, &up);
    simSoundeffectInstance* instance = play(sfx, true, 100.0f, 100.0f, {0.0f, 0.0f, 1000.0f});
    d3dx::Vector3 approaching(0.0f, 0.0f, -3435.0f);  // a tenth of the speed of sound
    instance->setVelocity(&approaching, true);
    update();
    const double shift = 1.0 / (1.0 - 0.1 * GetParam().dopplerScale);
    EXPECT_NEAR(frequency(platform->pull(8820), 2, 0, 44100), 441.0 * shift, 3.0);
    delete instance;
}

TEST_P(MixerBackEndTest, AOneShotEndsWithItsSamplesAndThenDeletesItself) {
    simSoundeffect* sfx = effect({}, 4410);
    simSoundeffectInstance* instance = play(sfx, false);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(sound->getInstanceCount(), 1u);
    EXPECT_EQ(lastAudibleFrame(platform->pull(8820), 2, 1e-6f), 4409);
    update();
    EXPECT_TRUE(instance->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(true);
    EXPECT_EQ(sound->getInstanceCount(), 0u);
}

TEST_P(MixerBackEndTest, PlayPositionIsInMillisecondsAndPlayFromMovesIt) {
    simSoundeffect* sfx = effect({1, 2, 44100, 16}, 44100);
    EXPECT_FLOAT_EQ(sfx->getDuration(), 1000.0f);
    EXPECT_EQ(sfx->getSampleRate(), 44100u);
    simSoundeffectInstance* instance = play(sfx, false);
    platform->pull(4410);
    EXPECT_NEAR(instance->getPlayPosition(), 100.0f, 0.1f);
    instance->playFrom(500.0f);
    EXPECT_NEAR(instance->getPlayPosition(), 500.0f, 0.1f);
    platform->pull(4410);
    EXPECT_NEAR(instance->getPlayPosition(), 600.0f, 0.1f);
    // A time inside a sample frame starts on the frame it falls in.
    instance->playFrom(0.03f);  // 5.3 bytes into 4-byte frames
    EXPECT_NEAR(instance->getPlayPosition(), 1000.0f / 44100.0f, 0.001f);
    delete instance;
}

TEST_P(MixerBackEndTest, AnInstanceWithoutAVoiceIsInertAndGoesAtTheNextUpdate) {
    simSoundeffect* sfx = effect({}, 44100);
    platform->faults.voice = true;
    simSoundeffectInstance* instance = play(sfx, true);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(sound->getInstanceCount(), 0u);
    instance->setPosition(&origin, true);
    instance->playFrom(100.0f);
    instance->stop();
    EXPECT_EQ(instance->getPlayPosition(), 0.0f);
    EXPECT_EQ(lastAudibleFrame(platform->pull(1000), 2), -1);
    update();
    EXPECT_TRUE(instance->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(true);
}

TEST_P(MixerBackEndTest, EffectsAndTheSystemThatGoLeaveInstancesInert) {
    simSoundeffect* sfx = effect({}, 44100);
    simSoundeffectInstance* first = play(sfx, true);
    simSoundeffectInstance* second = play(sfx, true);
    delete sfx;  // its audio goes while the instances still play
    EXPECT_EQ(lastAudibleFrame(platform->pull(1000), 2), -1);
    update();
    EXPECT_TRUE(first->isMarkedForDeletion());
    EXPECT_TRUE(second->isMarkedForDeletion());
    sound.reset();
    first->update();
    second->stop();
    delete first;
    delete second;
}

TEST_P(MixerBackEndTest, AMissingFilePlaysNothing) {
    simSoundeffect* sfx = sound->createEffect(nullptr, engine.settings.file("missing.wav"), "");
    EXPECT_NE(engine.log().find("Error opening wav file...\n"), std::string::npos);
    clock.advance(200.0);
    EXPECT_EQ(sfx->play(false, 100.0f, 100.0f, &origin, &origin), nullptr);
    EXPECT_EQ(sound->getInstanceCount(), 0u);
    EXPECT_EQ(lastAudibleFrame(platform->pull(100), 2), -1);
    delete sfx;
}

// ---- XAudio2 failures

namespace {

struct XAudioFailure {
    const char* name;
    void (*set)(soundPlatform::Faults&);
    const char* message;
};

}  // namespace

TEST(XAudioStart, DeviceFailuresAreSeriousErrorsAndLeaveSoundOff) {
    const XAudioFailure cases[] = {
        {"engine", [](soundPlatform::Faults& f) { f.engine = true; }, "There was a problem creating the sound system"},
        {"output", [](soundPlatform::Faults& f) { f.output = true; }, "There was a problem creating the sound system"},
        {"3-D", [](soundPlatform::Faults& f) { f.positioning = true; },
         "There was a problem initialising the 3-D sound system"},
    };
    for (const XAudioFailure& c : cases) {
        testsupport::HeadlessEngine engine;
        auto platform = std::make_unique<PulledPlatform>();
        c.set(platform->faults);
        simSound_xaudio sound(nullptr, std::move(platform));
        EXPECT_FALSE(sound.isSoundOn()) << c.name;
        EXPECT_EQ(sound.createEffect(nullptr, "x.wav", ""), nullptr) << c.name;
        ASSERT_EQ(engine.errors.texts().size(), 1u) << c.name;
        EXPECT_EQ(engine.errors.texts()[0].rfind(c.message, 0), 0u) << c.name;
        EXPECT_NE(engine.errors.texts()[0].find(simSound::kHelpAddress), std::string::npos) << c.name;
    }
}

TEST(XAudioStart, StartsWithoutReverbAndLogsItsEnd) {
    testsupport::HeadlessEngine engine;
    engine.clearLog();
    {
        simSound_xaudio sound(nullptr, std::make_unique<PulledPlatform>());
        EXPECT_TRUE(sound.isSoundOn());
    }
    EXPECT_EQ(engine.log(),
              "Creating XAudio sound system...2 channels detected...Initialising Reverb effect...Error creating "
              "reverb XAPO - reverb will be disabled\ndone\nDestroying XAudio sound system...ABCDEdone\n"
              "Destroying sound system...done\n");
}

using XAudioTest = MixerBackEndTest;
INSTANTIATE_TEST_SUITE_P(XAudio, XAudioTest, ::testing::Values(kBackEnds[0]),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(XAudioTest, AStoppedInstanceFallsSilentAndPlayFromStartsItAgain) {
    simSoundeffect* sfx = effect({}, 44100);
    auto* instance = static_cast<simSoundeffectInstance_xaudio*>(play(sfx, true));
    instance->stop();
    EXPECT_EQ(lastAudibleFrame(platform->pull(1000), 2), -1);
    update();
    EXPECT_FALSE(instance->isMarkedForDeletion());
    instance->playFrom(0.0f);
    EXPECT_GT(rms(platform->pull(1000), 2, 0), 0.1);
    delete instance;
}

TEST_P(XAudioTest, MovingEmittersFaceWhereTheyGo) {
    simSoundeffect* sfx = effect({}, 44100, "3D");
    auto* instance = static_cast<simSoundeffectInstance_xaudio*>(play(sfx, true));
    d3dx::Vector3 moving(0.0f, 0.0f, -300.0f);
    instance->setVelocity(&moving, false);
    EXPECT_EQ(instance->emitter().OrientFront, d3dx::Vector3(0.0f, 0.0f, -1.0f));
    EXPECT_EQ(instance->emitter().Velocity, d3dx::Vector3(0.0f, 0.0f, -3.0f));
    d3dx::Vector3 still(0.0f, 0.0f, 0.0f);
    instance->setVelocity(&still, false);
    EXPECT_EQ(instance->emitter().OrientFront, d3dx::Vector3(0.0f, 0.0f, -1.0f));
    delete instance;
}

// ---- DirectSound failures

TEST(DirectSoundStart, DeviceFailuresLeaveSoundOffWithTheReason) {
    struct Case {
        void (*set)(soundPlatform::Faults&);
        const char* reason;
    };
    for (const Case& c : {Case{[](soundPlatform::Faults& f) { f.engine = true; }, "simSound - Initialize failed"},
                          Case{[](soundPlatform::Faults& f) { f.output = true; }, "simSound - Initialize failed"},
                          Case{[](soundPlatform::Faults& f) { f.positioning = true; },
                               "simSound - Get3DListenerInterface failed"}}) {
        testsupport::HeadlessEngine engine;
        auto platform = std::make_unique<PulledPlatform>();
        c.set(platform->faults);
        simSound_directSound sound(nullptr, std::move(platform));
        EXPECT_FALSE(sound.isSoundOn()) << c.reason;
        EXPECT_FALSE(engine.app().getStatusSuccess()) << c.reason;
        EXPECT_EQ(engine.app().getStatusReason(), c.reason);
    }
}

using DirectSoundTest = MixerBackEndTest;
INSTANTIATE_TEST_SUITE_P(DirectSound, DirectSoundTest, ::testing::Values(kBackEnds[1]),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(DirectSoundTest, ALostBufferIsRestoredAndFilledAgainOrGivenUpOn) {
    simSoundeffect* sfx = effect({}, 44100);
    platform->faults.bufferLost = true;
    simSoundeffectInstance* restored = play(sfx, true);
    EXPECT_FALSE(platform->faults.bufferLost);
    EXPECT_GT(rms(platform->pull(4410), 2, 0), 0.1);
    delete restored;

    platform->faults.bufferLost = true;
    platform->faults.restoreFails = true;
    const auto began = std::chrono::steady_clock::now();
    simSoundeffectInstance* lost = play(sfx, true);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1));
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(static_cast<simSoundeffectInstance_directSound*>(lost)->buffer(), nullptr);
    update();
    EXPECT_TRUE(lost->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(true);
}

TEST_P(DirectSoundTest, AThreeDimensionalEffectWithoutA3DBufferPlaysIn2D) {
    // Buffers made without 3-D control have no 3-D interface.
    simSoundeffect* sfx = effect({}, 44100, "2D only");
    auto* instance = static_cast<simSoundeffectInstance_directSound*>(play(sfx, true));
    EXPECT_EQ(instance->buffer3D(), nullptr);
    const std::vector<float> heard = platform->pull(4410);
    EXPECT_NEAR(rms(heard, 2, 0), rms(heard, 2, 1), 1e-6);
    delete instance;
}

TEST(DirectSoundApi, VolumesAreHundredthsOfADecibel) {
    struct Case {
        float gain;
        int32_t attenuation;
    };
    for (const Case& c : {Case{1.0f, 0}, Case{0.5f, -602}, Case{0.1f, -2000}, Case{0.0f, -10000}, Case{2.0f, 0},
                          Case{1e-9f, -10000}}) {
        EXPECT_EQ(dsound::hundredthsOfDb(c.gain), c.attenuation) << c.gain;
    }
}

TEST(SoundPlatform, TheMixStreamsThroughOpenALSoft) {
    ALCdevice* device = nullptr;
    auto platform = soundPlatform::openAL(std::make_unique<LoopbackDevice>(ALC_STEREO_SOFT, &device));
    const Format f;
    const std::vector<uint8_t> audio = tone(f, 44100, 441.0);
    soundMixer& mixer = platform->mixer();
    wave::WaveFormat format;
    format.formatTag = 1;
    format.channels = 1;
    format.samplesPerSec = 44100;
    format.avgBytesPerSec = 88200;
    format.blockAlign = 2;
    format.bitsPerSample = 16;
    const soundMixer::VoiceId voice = mixer.createVoice(format);
    mixer.submit(voice, {audio.data(), static_cast<uint32_t>(audio.size()), 0, 0, 0, 0, 255});
    mixer.start(voice);
    ASSERT_TRUE(platform->startOutput());
    std::vector<float> heard;
    for (int block = 0; block < 8; ++block) {
        const std::vector<float> part = LoopbackDevice::render(device, 2, 1024);
        heard.insert(heard.end(), part.begin(), part.end());
        platform->pump();
    }
    EXPECT_NEAR(frequency(heard, 2, 0, 44100), 441.0, 2.0);
    EXPECT_NEAR(rms(heard, 2, 0), 0.5 / std::sqrt(2.0), 0.01);
}
