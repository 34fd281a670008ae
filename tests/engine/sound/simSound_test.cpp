// The silent sound back end and the sound system's base: its life, the
// engine status and log lines, its no-op operations, instance ids, the
// update interval and fades.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/core/simGlobals.h"
#include "engine/sound/simSound.h"
#include "engine/sound/simSound_null.h"
#include "engine/sound/simSoundeffect.h"
#include "engine/sound/simSoundeffectInstance.h"
#include "engine/core/simResources.h"
#include "platform/sys/clock.h"
#include "tests/support/headlessEngine.h"

namespace {

class CountingInstance : public simSoundeffectInstance {
public:
    explicit CountingInstance(simSoundeffect* effect = nullptr) : simSoundeffectInstance(effect) {}
    void update() override { ++updates; }
    void stop() override {}
    void setPosition(d3dx::Vector3*, bool) override {}
    void setVelocity(d3dx::Vector3*, bool) override {}
    void playFrom(float) override {}
    float getPlayPosition() override { return 0.0f; }
    int updates = 0;
};

// A back end whose sound is on, to drive the base's update.
class AudibleSound : public simSound {
public:
    AudibleSound() {
        m_soundOn = true;
        m_updateStopwatch.start();
    }
    std::string getDriverName() override { return "test"; }
    void setMasterVolume(float) override {}
    void setListener(d3dx::Vector3*, d3dx::Vector3*, d3dx::Vector3*) override {}
    simSoundeffect* createEffect(simCollectionItem*, std::string, std::string) override { return nullptr; }
};

class SoundTest : public ::testing::Test {
protected:
    sys::ManualClock clock;
    testsupport::HeadlessEngine engine;
};

}  // namespace

TEST_F(SoundTest, SilentBackEndStartsReportsSuccessAndDoesNothing) {
    engine.app().setStatus(false, "earlier failure");
    engine.clearLog();
    auto* sound = new simSound_null(nullptr);
    EXPECT_EQ(g_sound, sound);
    EXPECT_EQ(engine.log(), "Creating Null Sound system...done\n");
    EXPECT_TRUE(engine.app().getStatusSuccess());
    EXPECT_EQ(engine.app().getStatusReason(), "success");
    EXPECT_EQ(sound->getDriverName(), "null");
    EXPECT_EQ(sound->getClassName(), "simSound");
    EXPECT_FALSE(sound->isSoundOn());
    sound->setSecondaryVolume(50.0f);
    sound->setMasterVolume(20.0f);
    d3dx::Vector3 v(1.0f, 2.0f, 3.0f);
    sound->setListener(&v, &v, &v);
    EXPECT_EQ(sound->getSecondaryVolume(), 1.0f);
    EXPECT_EQ(sound->createEffect(nullptr, "engine.wav", "3D"), nullptr);
    sound->setGainFactor(0.5f);
    EXPECT_EQ(sound->getGainFactor(), 0.5f);
    engine.clearLog();
    delete sound;
    EXPECT_EQ(g_sound, nullptr);
    EXPECT_EQ(engine.log(), "Destroying Null Sound system...done\nDestroying sound system...done\n");
}

TEST_F(SoundTest, SecondaryVolumeIsClampedWhileSoundIsOn) {
    AudibleSound sound;
    for (const auto& [percent, expected] : {std::pair{50.0f, 0.5f}, std::pair{-5.0f, 0.0f}, std::pair{250.0f, 1.0f}}) {
        sound.setSecondaryVolume(percent);
        EXPECT_FLOAT_EQ(sound.getSecondaryVolume(), expected) << percent;
    }
}

TEST_F(SoundTest, InstancesAreUpdatedAtMostSixtyTimesASecond) {
    AudibleSound sound;
    CountingInstance instance;
    clock.advance(10.0);
    sound.update();
    EXPECT_EQ(instance.updates, 0);
    clock.advance(7.0);
    sound.update();
    EXPECT_EQ(instance.updates, 1);
    sound.update();
    EXPECT_EQ(instance.updates, 1);
}

TEST_F(SoundTest, InstanceIdsAreUniqueAndFoundUntilTheInstanceGoes) {
    AudibleSound sound;
    std::srand(7);
    CountingInstance first;
    CountingInstance second;
    EXPECT_NE(first.id, second.id);
    EXPECT_EQ(sound.findInstance(first.id), &first);
    const uint32_t id = second.id;
    {
        CountingInstance third;
        EXPECT_EQ(sound.findInstance(third.id), &third);
    }
    EXPECT_EQ(sound.findInstance(id), &second);
    // Instances that never counted themselves in take nothing away.
    EXPECT_EQ(sound.getInstanceCount(), 0u);
}

TEST_F(SoundTest, AllIdsTakenGivesZero) {
    AudibleSound sound;
    // Live instances holding exactly the 100 numbers the generator will give.
    std::vector<std::unique_ptr<CountingInstance>> instances;
    std::srand(99);
    std::vector<uint32_t> upcoming;
    for (int i = 0; i < simSound::kInstanceIdTries; ++i) upcoming.push_back(static_cast<uint32_t>(std::rand()));
    for (uint32_t id : upcoming) {
        instances.push_back(std::make_unique<CountingInstance>());
        instances.back()->id = id;
    }
    std::srand(99);
    EXPECT_EQ(sound.newInstanceId(), 0u);
}

TEST_F(SoundTest, FadeOutThatRunsOutLeavesTheVolumeAtZero) {
    AudibleSound sound;
    CountingInstance instance;
    instance.startFade(simSoundeffectInstance::kFadingOut, 200.0f);
    clock.advance(50.0);
    instance.updateFade();
    EXPECT_FLOAT_EQ(instance.fadeGain, 0.75f);
    EXPECT_TRUE(instance.volumeChanged);
    clock.advance(200.0);
    instance.updateFade();
    EXPECT_EQ(instance.fadeState, simSoundeffectInstance::kNoFade);
    EXPECT_EQ(instance.volume, 0.0f);
    EXPECT_EQ(instance.fadeGain, 1.0f);

    instance.startFade(simSoundeffectInstance::kFadingIn, 100.0f);
    clock.advance(25.0);
    instance.updateFade();
    EXPECT_FLOAT_EQ(instance.fadeGain, 0.25f);
}

TEST_F(SoundTest, EngineMakesOneBackEndAndClearsThePointerAtTheEnd) {
    engine.app().createSystems();
    simSound* first = g_sound;
    ASSERT_NE(first, nullptr);
    engine.app().createSystems();
    EXPECT_EQ(g_sound, first);
    engine.destroy();
    EXPECT_EQ(g_sound, nullptr);
}

namespace {

class SilentEffect : public simSoundeffect {
public:
    using simSoundeffect::simSoundeffect;
    simSoundeffectInstance* play(bool, float, float, d3dx::Vector3*, d3dx::Vector3*) override { return nullptr; }
    uint32_t getSampleRate() override { return 22050; }
    double getLength() override { return 0.0; }
    float getDuration() override { return 0.0f; }
};

class StoppingInstance : public CountingInstance {
public:
    using CountingInstance::CountingInstance;
    void stop() override { ++stops; }
    int stops = 0;
};

class SoundEffectTest : public ::testing::Test {
protected:
    sys::ManualClock clock;
    testsupport::HeadlessEngine engine{[](simSystemLinks& links) { simLinkResourceSystem(links); }};
};

}  // namespace

TEST_F(SoundEffectTest, EffectThatGoesStopsItsInstancesAndLeavesThemWithoutIt) {
    AudibleSound sound;
    auto* effect = new SilentEffect(nullptr, "/res/sounds/engine.wav", "3D");
    StoppingInstance first(effect);
    EXPECT_EQ(first.effectName, "engine.wav");
    {
        StoppingInstance gone(effect);
        EXPECT_EQ(effect->getInstanceIds().size(), 2u);
    }
    EXPECT_EQ(effect->getInstanceIds(), std::vector<uint32_t>{first.id});
    delete effect;
    EXPECT_EQ(first.stops, 1);
    EXPECT_EQ(first.effect, nullptr);
}

TEST_F(SoundEffectTest, DisabledSoundLoadsNoWaveResource) {
    engine.app().createSystems();  // no options: the library text is empty, so silence
    ASSERT_NE(g_sound, nullptr);
    EXPECT_EQ(g_sound->getDriverName(), "null");
    engine.settings.write("bang.wav", "RIFF");
    g_resources->loadUnknownResource(nullptr, engine.settings.file("bang.wav"), "");
    EXPECT_EQ(simResources::getResource("bang.wav", false), nullptr);
    EXPECT_TRUE(engine.errors.reports().empty());
}
