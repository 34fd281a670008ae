// The particle system on the recording device: a scene (with its effects
// header), a resource tree whose types and textures the test writes, the
// manual clock and recorded serious errors.
//
// Time: the engine application is not initialised, so its simulation speed
// stays at 1 per cent: a clock advance of 1000 ms gives a particle a time
// step of 10 ms. The dynamics quality is the options' default, 180, so each
// update ages a particle by 1000 / 180 ms.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simParticle.h"
#include "engine/graphics/simParticleContainer.h"
#include "engine/graphics/simParticleSystem.h"
#include "engine/graphics/simParticleType.h"
#include "engine/graphics/simScene.h"
#include "platform/sys/clock.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"

namespace particletest {

inline constexpr float kAgeStep = 1000.0f / 180.0f;

class ParticleRig : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        simGraphics::setSceneFactory(simScene::create);
        simLinkParticleSystem(systemLinks());
    }
    static void TearDownTestSuite() {
        simGraphics::setSceneFactory(nullptr);
        simScene::setParticleSystemHooks({});
        simScene::setParticlePass(nullptr);
        systemLinks().particles = {};
    }

    ParticleRig() {
        // The headless engine starts from empty links; the scene's hooks,
        // needed before the scene is made, are the suite's.
        simLinkParticleSystem(systemLinks());
        simParticleType::registerLoader();
        res.writeTexture("textures/spark.bmp");
        res.writeTexture("textures/smoke.bmp");
    }

    // Writes the file under "particles" and loads it as the program does.
    simParticleType* loadType(const std::string& name, const std::string& text) {
        res.write("particles/" + name, std::vector<uint8_t>(text.begin(), text.end()));
        if (!res.find("particles", name)) return nullptr;
        return dynamic_cast<simParticleType*>(simResources::getResource(name, false));
    }
    simEffectsHeader& header() { return *simEffectsHeader::current(); }

    // One frame's update of the particle after `ms` on the clock.
    static void step(simParticle* particle, double ms = 1000.0) {
        sys::advanceManualClock(ms);
        particle->update();
    }

    sys::ManualClock clock{5000.0};
    testsupport::RecordingGraphics gfx;
    testsupport::ModelResources res{gfx.engine};
};

}  // namespace particletest
