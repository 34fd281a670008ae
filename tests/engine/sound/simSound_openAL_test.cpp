// The OpenAL back end on OpenAL Soft's loopback device: what it would play is
// rendered into memory and measured (loudness per channel, frequency, where a
// sound ends). One test starts it the way the engine does, on OpenAL Soft's
// null driver.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/sound/simSoundBackEnds.h"
#include "engine/sound/simSound_openAL.h"
#include "engine/sound/simSoundeffect_openAL.h"
#include "engine/sound/simSoundeffectInstance_openAL.h"
#include "platform/sys/clock.h"
#include "tests/engine/sound/loopbackDevice.h"
#include "tests/engine/sound/testWaves.h"
#include "tests/support/headlessEngine.h"

using namespace soundtest;

namespace {

// No test may reach a sound card or a sound server.
const bool kNullDriver = setenv("ALSOFT_DRIVERS", "null", 1) == 0;

class OpenALTest : public ::testing::Test {
protected:
    explicit OpenALTest(ALCenum layout = ALC_STEREO_SOFT) : channels(LoopbackDevice::channelCount(layout)) {
        sound = std::make_unique<simSound_openAL>(nullptr, std::make_unique<LoopbackDevice>(layout, &device));
        clock.advance(1000.0);  // past the 100 ms start guard
    }
    ~OpenALTest() override {
        sound.reset();
        EXPECT_EQ(g_sound, nullptr);
    }

    simSoundeffect* effect(const std::string& name, const Format& f, const std::vector<uint8_t>& audio,
                           const std::string& options = "") {
        writeFile(engine.settings.file(name), pcmFile(f, audio));
        return sound->createEffect(nullptr, engine.settings.file(name), options);
    }
    simSoundeffect* toneEffect(uint32_t frames = 44100, const Format& f = Format{}) {
        return effect("tone.wav", f, tone(f, frames, 440.0));
    }
    std::vector<float> render(int frames) { return LoopbackDevice::render(device, channels, frames); }
    // Advances the clock past the update interval and updates the instances.
    void update() {
        clock.advance(20.0);
        sound->update();
    }

    sys::ManualClock clock;
    testsupport::HeadlessEngine engine{[](simSystemLinks& links) { simLinkResourceSystem(links); }};
    ALCdevice* device = nullptr;
    int channels;
    std::unique_ptr<simSound_openAL> sound;
    d3dx::Vector3 origin{0.0f, 0.0f, 0.0f};
};

class OpenALQuadTest : public OpenALTest {
protected:
    OpenALQuadTest() : OpenALTest(ALC_QUAD_SOFT) {}
};

}  // namespace

TEST_F(OpenALTest, StartsOnTheDeviceItIsGiven) {
    ASSERT_TRUE(kNullDriver);
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(sound->isSoundOn());
    EXPECT_EQ(g_sound, sound.get());
    EXPECT_EQ(sound->getDriverName(), "openAL");
    EXPECT_TRUE(engine.app().getStatusSuccess());
    EXPECT_NE(engine.log().find("Creating OpenAL system...done\n"), std::string::npos);
}

TEST_F(OpenALTest, VolumeIsSquaredAndTheMasterVolumeScalesEverything) {
    simSoundeffect* sfx = toneEffect();
    ASSERT_NE(sfx, nullptr);
    simSoundeffectInstance* loud = sfx->play(true, 100.0f, 100.0f, &origin, &origin);
    ASSERT_NE(loud, nullptr);
    const double full = rms(render(4410), channels, 0);
    EXPECT_GT(full, 0.1);
    loud->volume = 50.0f;
    loud->volumeChanged = true;
    update();
    render(1024);  // OpenAL eases gain changes in over a few hundred frames
    const std::vector<float> half = render(4410);
    EXPECT_NEAR(rms(half, channels, 0) / full, 0.25, 0.01);
    EXPECT_NEAR(rms(half, channels, 1) / full, 0.25, 0.01);
    sound->setMasterVolume(50.0f);
    render(1024);
    EXPECT_NEAR(rms(render(4410), channels, 0) / full, 0.125, 0.01);
    delete loud;
}

TEST_F(OpenALTest, PitchSetsTheFrequencyTheSameWayAtPlayAndAtUpdate) {
    simSoundeffect* sfx = toneEffect();
    struct Case {
        float pitch;
        double hz;
    };
    for (const Case& c : {Case{100.0f, 440.0}, Case{0.0f, 220.0}, Case{-50.0f, 110.0}, Case{300.0f, 880.0}}) {
        clock.advance(200.0);
        simSoundeffectInstance* instance = sfx->play(true, 100.0f, c.pitch, &origin, &origin);
        ASSERT_NE(instance, nullptr);
        render(512);  // past the resampler's start
        EXPECT_NEAR(frequency(render(8820), channels, 0, LoopbackDevice::kRate), c.hz, c.hz * 0.01) << c.pitch;
        instance->pitchChanged = true;
        update();
        EXPECT_NEAR(frequency(render(8820), channels, 0, LoopbackDevice::kRate), c.hz, c.hz * 0.01) << c.pitch;
        delete instance;
    }
}

TEST_F(OpenALTest, ASourceOnPlusXIsHeardOnTheRight) {
    simSoundeffect* sfx = toneEffect();
    d3dx::Vector3 forward(0.0f, 0.0f, 1.0f), up(0.0f, 1.0f, 0.0f);
    sound->setListener(&origin, &forward, &up);
    d3dx::Vector3 right(500.0f, 0.0f, 0.0f);
    simSoundeffectInstance* instance = sfx->play(true, 100.0f, 100.0f, &right, &origin);
    std::vector<float> heard = render(4410);
    EXPECT_GT(rms(heard, channels, 1), 3.0 * rms(heard, channels, 0));
    d3dx::Vector3 left(-500.0f, 0.0f, 0.0f);
    instance->setPosition(&left, false);
    render(1024);
    heard = render(4410);
    EXPECT_GT(rms(heard, channels, 0), 3.0 * rms(heard, channels, 1));
    delete instance;
}

TEST_F(OpenALQuadTest, FrontStaysInFrontWhenTheListenerTurns) {
    simSoundeffect* sfx = toneEffect();
    // The listener looks down +x; in the engine's left-handed world +z is
    // then on its left.
    d3dx::Vector3 forward(1.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    sound->setListener(&origin, &forward, &up);
    struct Case {
        d3dx::Vector3 at;
        int louder[2];
        int quieter[2];
    };
    // Channels: 0 front left, 1 front right, 2 back left, 3 back right.
    for (const Case& c : {Case{{1000.0f, 0.0f, 0.0f}, {0, 1}, {2, 3}}, Case{{-1000.0f, 0.0f, 0.0f}, {2, 3}, {0, 1}},
                          Case{{0.0f, 0.0f, 1000.0f}, {0, 2}, {1, 3}}}) {
        d3dx::Vector3 at = c.at;
        clock.advance(200.0);
        simSoundeffectInstance* instance = sfx->play(true, 100.0f, 100.0f, &at, &origin);
        const std::vector<float> heard = render(4410);
        const double louder = rms(heard, channels, c.louder[0]) + rms(heard, channels, c.louder[1]);
        const double quieter = rms(heard, channels, c.quieter[0]) + rms(heard, channels, c.quieter[1]);
        EXPECT_GT(louder, 2.0 * quieter) << c.at.x << "," << c.at.z;
        delete instance;
    }
}

TEST_F(OpenALTest, AOneShotEndsWithItsSamplesAndThenDeletesItself) {
    simSoundeffect* sfx = toneEffect(4410);
    simSoundeffectInstance* instance = sfx->play(false, 100.0f, 100.0f, &origin, &origin);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(sound->getInstanceCount(), 1u);
    const std::vector<float> heard = render(8820);
    EXPECT_NEAR(lastAudibleFrame(heard, channels), 4410, 8);
    update();
    EXPECT_TRUE(instance->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(true);
    EXPECT_EQ(sound->getInstanceCount(), 0u);
}

TEST_F(OpenALTest, PlayFromMovesThePlayPosition) {
    simSoundeffect* sfx = toneEffect(44100);
    EXPECT_FLOAT_EQ(sfx->getDuration(), 1000.0f);
    simSoundeffectInstance* instance = sfx->play(false, 100.0f, 100.0f, &origin, &origin);
    EXPECT_NEAR(instance->getPlayPosition(), 0.0f, 1.0f);
    instance->playFrom(500.0f);
    EXPECT_NEAR(instance->getPlayPosition(), 500.0f, 1.0f);
    render(4410);
    EXPECT_NEAR(instance->getPlayPosition(), 600.0f, 1.0f);
    // Half a second is left to play.
    EXPECT_NEAR(lastAudibleFrame(render(44100), channels), 22050 - 4410, 8);
    delete instance;
}

TEST_F(OpenALTest, FilesPlayByTheirOwnFormat) {
    struct Case {
        Format format;
        uint32_t frames;
        bool leftOnly;
    };
    for (const Case& c : {Case{{1, 1, 22050, 8}, 22050, false}, Case{{1, 2, 44100, 16}, 44100, true},
                          Case{{1, 2, 11025, 8}, 11025, true}}) {
        simSoundeffect* sfx = effect("f.wav", c.format, tone(c.format, c.frames, 440.0, 0.5, c.leftOnly));
        EXPECT_EQ(sfx->getSampleRate(), c.format.rate);
        EXPECT_FLOAT_EQ(sfx->getDuration(), 1000.0f);
        EXPECT_TRUE(engine.app().getStatusSuccess());
        clock.advance(200.0);
        simSoundeffectInstance* instance = sfx->play(true, 100.0f, 100.0f, &origin, &origin);
        ASSERT_NE(instance, nullptr);
        render(512);
        const std::vector<float> heard = render(8820);
        EXPECT_NEAR(frequency(heard, channels, 0, LoopbackDevice::kRate), 440.0, 5.0);
        if (c.leftOnly) {
            EXPECT_LT(rms(heard, channels, 1), 0.01 * rms(heard, channels, 0));
        } else {
            EXPECT_NEAR(rms(heard, channels, 1), rms(heard, channels, 0), 0.01);
        }
        delete instance;
        delete sfx;
    }
}

TEST_F(OpenALTest, FilesItCannotPlayLeaveAnEffectThatNeverPlays) {
    Format deep{1, 1, 44100, 24};
    Format surround{1, 6, 44100, 16};
    for (const auto& [name, bytes] : {std::pair{"24-bit", pcmFile(deep, std::vector<uint8_t>(30, 1))},
                                      std::pair{"6 channels", pcmFile(surround, std::vector<uint8_t>(24, 1))},
                                      std::pair{"no wave", std::vector<uint8_t>{'R', 'I', 'F', 'F'}}}) {
        writeFile(engine.settings.file("bad.wav"), bytes);
        simSoundeffect* sfx = sound->createEffect(nullptr, engine.settings.file("bad.wav"), "");
        EXPECT_FALSE(engine.app().getStatusSuccess()) << name;
        EXPECT_EQ(engine.app().getStatusReason(), "simSoundeffect()->Create - failed") << name;
        EXPECT_EQ(static_cast<simSoundeffect_openAL*>(sfx)->buffer(), 0u) << name;
        EXPECT_EQ(sfx->play(false, 100.0f, 100.0f, &origin, &origin), nullptr) << name;
        EXPECT_EQ(sfx->getDuration(), 0.0f) << name;
        delete sfx;
    }
}

TEST_F(OpenALTest, StartsAreRefusedWithinTheFirstHundredMilliseconds) {
    simSoundeffect* sfx = toneEffect();
    clock.set(99.0);
    EXPECT_EQ(sfx->play(false, 100.0f, 100.0f, &origin, &origin), nullptr);
    clock.set(100.0);
    simSoundeffectInstance* instance = sfx->play(false, 100.0f, 100.0f, &origin, &origin);
    EXPECT_NE(instance, nullptr);
    delete instance;
}

TEST_F(OpenALTest, AnEffectThatGoesSilencesItsInstances) {
    simSoundeffect* sfx = toneEffect();
    simSoundeffectInstance* instance = sfx->play(true, 100.0f, 100.0f, &origin, &origin);
    delete sfx;
    EXPECT_EQ(instance->effect, nullptr);
    EXPECT_EQ(lastAudibleFrame(render(4410), channels), -1);
    update();
    EXPECT_TRUE(instance->isMarkedForDeletion());
    engine.app().purgeSafeDeleteObjects(true);
}

TEST_F(OpenALTest, TheSystemThatGoesLeavesItsInstancesInert) {
    simSoundeffect* sfx = toneEffect();
    simSoundeffectInstance* instance = sfx->play(true, 100.0f, 100.0f, &origin, &origin);
    EXPECT_EQ(sound->getInstanceCount(), 1u);
    sound.reset();
    EXPECT_EQ(g_sound, nullptr);
    // Nothing the inert instance does reaches the device that is gone.
    instance->stop();
    instance->playFrom(10.0f);
    instance->update();
    EXPECT_EQ(instance->getPlayPosition(), 0.0f);
    delete instance;
    delete sfx;
}

TEST(OpenALStart, DeviceNamesAreTriedInOrderAndNoDeviceIsASeriousError) {
    struct Opener : openALDevice {
        explicit Opener(std::vector<std::string>* tried) : tried(tried) {}
        ALCdevice* open(const char* name) override {
            tried->push_back(name ? name : "default");
            return nullptr;
        }
        std::vector<std::string>* tried;
    };
    testsupport::HeadlessEngine engine;
    engine.clearLog();
    std::vector<std::string> tried;
    {
        simSound_openAL sound(nullptr, std::make_unique<Opener>(&tried));
        EXPECT_FALSE(sound.isSoundOn());
        std::unique_ptr<simSoundeffect> sfx(sound.createEffect(nullptr, "x.wav", ""));
        EXPECT_EQ(sfx->play(false, 1, 1, nullptr, nullptr), nullptr);
    }
    EXPECT_EQ(tried, (std::vector<std::string>{"DirectSound3D", "DirectSound", "default"}));
    EXPECT_EQ(engine.log().substr(0, 70),
              "Creating OpenAL system...DirectSound driver...Default device driver...");
    ASSERT_EQ(engine.errors.texts().size(), 1u);
    EXPECT_EQ(engine.errors.texts()[0].rfind("There was a problem starting the sound system", 0), 0u);
}

TEST(OpenALStart, ADeviceWithoutAContextLeavesSoundOff) {
    // The loopback device makes no context without its format attributes.
    struct NoFormat : LoopbackDevice {
        const ALCint* contextAttributes() const override { return nullptr; }
    };
    testsupport::HeadlessEngine engine;
    engine.clearLog();
    simSound_openAL sound(nullptr, std::make_unique<NoFormat>());
    EXPECT_FALSE(sound.isSoundOn());
    EXPECT_EQ(engine.log(), "Creating OpenAL system...ERROR: Context not created\n");
}

TEST(SoundStart, TheEngineStartsEachBackEndOnTheNullDriverByItsLibraryName) {
    ASSERT_TRUE(kNullDriver);
    struct Case {
        const char* library;
        const char* driver;
        const char* created;
        const char* destroyed;
    };
    const Case cases[] = {
        {"OpenAL", "openAL", "Creating OpenAL system...DirectSound driver...Default device driver...done\n",
         "Destroying OpenAL system...done\nDestroying sound system...done\n"},
        {"XAudio", "xaudio", "Creating XAudio sound system...2 channels detected...",
         "Destroying XAudio sound system...ABCDEdone\nDestroying sound system...done\n"},
        {"DirectSound", "directSound", "Creating DirectSound system...done\n",
         "Destroying DirectSound system...done\nDestroying sound system...done\n"},
    };
    for (const Case& c : cases) {
        sys::ManualClock clock;
        testsupport::HeadlessEngine engine([](simSystemLinks& links) { simLinkOptions(links); });
        simLinkSoundBackEnds();
        auto* options = new simOptions();
        options->default_soundLibrary = c.library;
        options->default_masterVolume = 40.0f;
        engine.app().createSystems();
        ASSERT_NE(g_sound, nullptr) << c.library;
        EXPECT_EQ(g_sound->getDriverName(), c.driver);
        EXPECT_TRUE(g_sound->isSoundOn()) << c.library << engine.log();
        EXPECT_FLOAT_EQ(g_sound->getMasterVolume(), 0.4f) << c.library;
        EXPECT_TRUE(engine.app().getStatusSuccess()) << c.library;
        EXPECT_NE(engine.log().find(c.created), std::string::npos) << c.library << engine.log();
        clock.advance(20.0);
        g_sound->update();  // hands the mix on where the back end streams it
        engine.destroy();
        EXPECT_EQ(g_sound, nullptr);
        EXPECT_NE(engine.log().find(c.destroyed), std::string::npos) << c.library;
    }
}
