// How long a playing instance lives, by one rule in all three back ends: a
// one-shot that plays to its end goes at the next update, and so does an
// instance whose effect has gone; a stopped instance, looping or not, stays
// until someone deletes it; an effect whose sound system has gone starts
// nothing. Each back end plays only as far as the test renders its output.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/sound/simSound_directSound.h"
#include "engine/sound/simSound_openAL.h"
#include "engine/sound/simSound_xaudio.h"
#include "engine/sound/simSoundeffect.h"
#include "engine/sound/simSoundeffectInstance.h"
#include "platform/sys/clock.h"
#include "tests/engine/sound/loopbackDevice.h"
#include "tests/engine/sound/pulledPlatform.h"
#include "tests/engine/sound/testWaves.h"
#include "tests/support/headlessEngine.h"

using namespace soundtest;

namespace {

// Renders `frames` stereo frames of a back end's output.
using Render = std::function<std::vector<float>(int frames)>;

struct BackEnd {
    const char* name;
    std::unique_ptr<simSound> (*make)(Render& render);
};

template <class Sound>
std::unique_ptr<simSound> onMixer(Render& render) {
    auto platform = std::make_unique<PulledPlatform>();
    PulledPlatform* pulled = platform.get();
    render = [pulled](int frames) { return pulled->pull(static_cast<uint32_t>(frames)); };
    return std::make_unique<Sound>(nullptr, std::move(platform));
}

std::unique_ptr<simSound> onOpenAL(Render& render) {
    auto device = std::make_shared<ALCdevice*>(nullptr);
    auto sound = std::make_unique<simSound_openAL>(nullptr, std::make_unique<LoopbackDevice>(ALC_STEREO_SOFT, device.get()));
    render = [device](int frames) { return LoopbackDevice::render(*device, 2, frames); };
    return sound;
}

const BackEnd kBackEnds[] = {
    {"xaudio", onMixer<simSound_xaudio>},
    {"directSound", onMixer<simSound_directSound>},
    {"openAL", onOpenAL},
};

class InstanceLifetimeTest : public ::testing::TestWithParam<BackEnd> {
protected:
    InstanceLifetimeTest() {
        sound = GetParam().make(render);
        clock.advance(1000.0);  // past the 100 ms start guard
        writeFile(engine.settings.file("tone.wav"), pcmFile(Format{}, tone(Format{}, 4410, 441.0)));
        sfx = sound->createEffect(nullptr, engine.settings.file("tone.wav"), "");
    }
    ~InstanceLifetimeTest() override {
        delete sfx;
        sound.reset();
    }

    simSoundeffectInstance* play(bool looping) {
        clock.advance(200.0);
        return sfx->play(looping, 100.0f, 100.0f, &origin, &origin);
    }
    // A few updates a frame apart, each followed by the purge of the frame.
    void updates(int count = 3) {
        for (int i = 0; i < count; ++i) {
            clock.advance(20.0);
            sound->update();
            engine.app().purgeSafeDeleteObjects(false);
        }
    }

    sys::ManualClock clock;
    testsupport::HeadlessEngine engine{[](simSystemLinks& links) { simLinkResourceSystem(links); }};
    Render render;
    std::unique_ptr<simSound> sound;
    simSoundeffect* sfx = nullptr;
    d3dx::Vector3 origin{0.0f, 0.0f, 0.0f};
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(BackEnds, InstanceLifetimeTest, ::testing::ValuesIn(kBackEnds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(InstanceLifetimeTest, AOneShotThatPlaysToItsEndGoesAtTheNextUpdate) {
    ASSERT_TRUE(sound->isSoundOn());
    simSoundeffectInstance* instance = play(false);
    ASSERT_NE(instance, nullptr);
    updates(1);
    EXPECT_EQ(sound->getInstanceCount(), 1u) << "still playing";
    render(8820);
    updates(1);
    EXPECT_EQ(sound->getInstanceCount(), 0u);
}

TEST_P(InstanceLifetimeTest, AStoppedInstanceStaysUntilSomeoneDeletesIt) {
    for (const bool looping : {true, false}) {
        simSoundeffectInstance* instance = play(looping);
        ASSERT_NE(instance, nullptr) << looping;
        render(441);
        instance->stop();
        render(8820);  // long past the end of a one-shot's samples
        updates();
        EXPECT_FALSE(instance->isMarkedForDeletion()) << looping;
        EXPECT_EQ(sound->getInstanceCount(), 1u) << looping;
        delete instance;
        EXPECT_EQ(sound->getInstanceCount(), 0u) << looping;
    }
}

TEST_P(InstanceLifetimeTest, AnInstanceWhoseEffectHasGoneIsInertAndGoesAtTheNextUpdate) {
    simSoundeffectInstance* instance = play(true);
    ASSERT_NE(instance, nullptr);
    delete sfx;
    sfx = nullptr;
    EXPECT_EQ(instance->effect, nullptr);
    instance->playFrom(100.0f);
    instance->setPosition(&origin, true);
    instance->stop();
    EXPECT_EQ(instance->getPlayPosition(), 0.0f);
    updates(1);
    EXPECT_EQ(sound->getInstanceCount(), 0u);
}

TEST_P(InstanceLifetimeTest, AnEffectWhoseSoundSystemHasGoneStartsNothing) {
    sound.reset();
    EXPECT_EQ(g_sound, nullptr);
    clock.advance(200.0);
    EXPECT_EQ(sfx->play(false, 100.0f, 100.0f, &origin, &origin), nullptr);
}
