// Particles on the recording device: creation and refusal, ageing through
// key frames with the test clock, motion, containers and the live count.
#include "engine/graphics/simParticle.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "engine/core/simApplication.h"
#include "engine/graphics/simParticleVertex.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simVertexBuffer.h"
#include "tests/engine/graphics/particleTestRig.h"

namespace {

using d3dx::Vector3;
using particletest::kAgeStep;
using particletest::ParticleRig;

constexpr const char* kTwoFrames =
    "TEXTURE spark.bmp\nADDFRAME 0 1 200 100 100 100\nADDFRAME 0.1 3 0 100 100 100\n<END_OF_FILE>\n";

class Particles : public ParticleRig {};

TEST_F(Particles, TheHeaderIsMadeWithTheSceneWithItsBufferAndDefaultContainers) {
    ASSERT_NE(simEffectsHeader::current(), nullptr);
    EXPECT_EQ(header().getCapacity(), 1000);
    ASSERT_NE(header().getVertexBuffer(), nullptr);
    EXPECT_EQ(header().getVertexBuffer()->getVertexCount(), 1001 * 6);
    ASSERT_EQ(header().getContainers().size(), 1u);
    EXPECT_EQ(header().getContainers().front()->name, "no_texture");
    ASSERT_EQ(header().getStreamerContainers().size(), 1u);
    EXPECT_EQ(header().getStreamerContainers().front()->name, "NULL_TEXTURE");
    EXPECT_NE(header().getMaterial(), nullptr);
}

TEST_F(Particles, ATypeLoadsItsTexturesAndFrames) {
    simParticleType* type = loadType("spark.prt", "TEXTURE spark.bmp ALTERNATETEXTURE smoke.bmp TEXTURE missing.bmp "
                                                  "ADDFRAME 1 2 255 255 255 255 GLOW <END_OF_FILE>");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->getTypeName(), "simParticleType");
    ASSERT_EQ(type->textures.size(), 1u);
    EXPECT_EQ(type->textures[0]->getName(), "spark.bmp");
    ASSERT_EQ(type->alternateTextures.size(), 1u);
    EXPECT_EQ(type->glow, 1);
    ASSERT_EQ(type->frames.size(), 1u);
    EXPECT_EQ(type->frames[0].time, 1000.0f);
    EXPECT_EQ(type->pickTexture(1), nullptr);
    EXPECT_EQ(type->pickTexture(-1), nullptr);
}

TEST_F(Particles, AFileThatStopsEarlyIsReportedAndKeepsWhatItRead) {
    simParticleType* type = loadType("broken.prt", "TEXTURE spark.bmp ADDFRAME 0 1 x");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->textures.size(), 1u);
    EXPECT_TRUE(type->frames.empty());
    EXPECT_EQ(gfx.engine.errors.texts(),
              (std::vector<std::string>{"simParticleType - broken.prt: ADDFRAME: 'x' is not a number"}));
}

TEST_F(Particles, AgeingFollowsTheKeyFramesUntilTheLifetimeEnds) {
    simParticleType* type = loadType("spark.prt", kTwoFrames);
    ASSERT_NE(type, nullptr);
    simParticle* particle = createParticle(type, Vector3(0, 0, 0), Vector3(0, 0, 0));
    ASSERT_NE(particle, nullptr);
    EXPECT_EQ(particle->getLifetime(), 100.0f);
    EXPECT_EQ(header().getLiveCount(), 1);

    // Each update adds 1000/180 ms whatever the clock did; the particle
    // expires at the first update whose age passes 100 ms (in float steps).
    int expected = 0;
    for (float age = 0.0f; !(age > 100.0f); age += kAgeStep) ++expected;
    int updates = 0;
    while (!particle->isMarkedForDeletion() && updates < 100) {
        step(particle, 7.0);
        ++updates;
    }
    EXPECT_EQ(updates, expected);
    EXPECT_GT(particle->getAge(), 100.0f);
    gfx.engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(header().getLiveCount(), 0);
}

TEST_F(Particles, SizeAndColourInterpolateBetweenFrames) {
    simParticleType* type = loadType("spark.prt", kTwoFrames);
    ASSERT_NE(type, nullptr);
    const simParticleFrame first = type->frames[0], second = type->frames[1];
    simParticle* particle = createParticle(type, Vector3(1, 2, 3), Vector3(0, 0, 0));
    ASSERT_NE(particle, nullptr);
    std::vector<simParticleVertex> vertices(6, simParticleVertex(Vector3(0, 0, 0), 0, 0, 0));
    for (int i = 0; i < 9; ++i) step(particle);  // age 50 ms: halfway
    int32_t counter = 0;
    particle->interpolateFrames(vertices.data(), &counter, 1);
    EXPECT_EQ(counter, 1);
    const float t = 9 * kAgeStep / 100.0f;
    EXPECT_NEAR(particle->getSize(), 1.0f * (1 - t) + 3.0f * t, 1e-4f);
    const uint32_t alpha = static_cast<uint32_t>(first.alpha * (1 - t) + second.alpha * t);
    const uint32_t red = static_cast<uint32_t>(first.red * (1 - t) + second.red * t);
    EXPECT_EQ(particle->getColour() >> 24, alpha);
    EXPECT_EQ((particle->getColour() >> 16) & 0xFF, red);
    for (const simParticleVertex& v : vertices) {
        EXPECT_EQ(v.colour, particle->getColour());
        EXPECT_EQ(v.uv[2].x, particle->getSize());
        EXPECT_EQ(v.position, Vector3(1, 2, 3));
    }
    // The corner data are not touched.
    EXPECT_EQ(vertices[1].uv[1], d3dx::Vector2(-1, -1));

    // A slot past the buffer is refused, and the counter stays.
    counter = 1;
    particle->interpolateFrames(vertices.data(), &counter, 1);
    EXPECT_EQ(counter, 1);
}

TEST_F(Particles, BeforeItsFirstFrameAParticleIsTransparent) {
    simParticleType* type =
        loadType("late.prt", "TEXTURE spark.bmp ADDFRAME 0.5 1 255 255 255 255 ADDFRAME 1 1 255 255 255 255");
    simParticle* particle = createParticle(type, Vector3(0, 0, 0), Vector3(0, 0, 0));
    ASSERT_NE(particle, nullptr);
    step(particle);
    std::vector<simParticleVertex> vertices(6, simParticleVertex(Vector3(0, 0, 0), 0, 0, 0));
    int32_t counter = 0;
    particle->interpolateFrames(vertices.data(), &counter, 1);
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(particle->getColour(), 0u);
}

TEST_F(Particles, ALoopingTypeStartsAgainAndNeverDies) {
    simParticleType* type = loadType("loop.prt", std::string(kTwoFrames).insert(0, "LOOP "));
    simParticle* particle = createParticle(type, Vector3(0, 0, 0), Vector3(0, 0, 0));
    ASSERT_NE(particle, nullptr);
    bool restarted = false;
    for (int i = 0; i < 40; ++i) {
        step(particle);
        restarted = restarted || particle->getAge() == 0.0f;
        EXPECT_LE(particle->getAge(), 100.0f);
    }
    EXPECT_TRUE(restarted);
    EXPECT_FALSE(particle->isMarkedForDeletion());
}

TEST_F(Particles, RandomTimingShortensLivesWithinItsBounds) {
    struct Case {
        const char* timing;
        float lowest, highest;
    };
    // Values of 0 or less give no offset (between -2 and -1 the offset's
    // modulus would be 0); a huge value is bounded, so the arithmetic holds.
    const Case cases[] = {
        {"0", 100, 100},
        {"-1.5", 100, 100},
        {"-1", 100, 100},
        {"40", 60, 100},
        {"1e30", 100 - simParticleType::kMaxRandomTimingMs, 100},
    };
    for (const Case& c : cases) {
        simParticleType* type = loadType(std::string("timing") + c.timing + ".prt",
                                         std::string("RANDOMTIMING ") + c.timing + " " + kTwoFrames);
        ASSERT_NE(type, nullptr) << c.timing;
        for (int seed = 1; seed <= 20; ++seed) {
            std::srand(static_cast<unsigned>(seed));
            simParticle* particle = createParticle(type, Vector3(0, 0, 0), Vector3(0, 0, 0));
            ASSERT_NE(particle, nullptr);
            EXPECT_GE(particle->getLifetime(), c.lowest) << c.timing;
            EXPECT_LE(particle->getLifetime(), c.highest) << c.timing;
            delete particle;
        }
    }
}

TEST_F(Particles, MotionFollowsTheTimeStepWithDragOrGravity) {
    simParticleType* plain = loadType("spark.prt", kTwoFrames);
    simParticleType* falling = loadType("falling.prt", std::string("GRAVITY ") + kTwoFrames);
    simParticle* drifting = createParticle(plain, Vector3(0, 0, 0), Vector3(1, 0, 0));
    simParticle* dropping = createParticle(falling, Vector3(0, 0, 0), Vector3(0, 0, 0));
    ASSERT_NE(drifting, nullptr);
    ASSERT_NE(dropping, nullptr);
    sys::advanceManualClock(1000.0);  // a 10 ms step for both
    drifting->update();
    dropping->update();
    EXPECT_NEAR(drifting->position.x, 10.0f, 1e-4f);
    EXPECT_NEAR(drifting->velocity.x, 0.99f, 1e-6f);
    EXPECT_EQ(dropping->acceleration, Vector3(0, simParticle::kGravity, 0));
    EXPECT_NEAR(dropping->velocity.y, 10 * simParticle::kGravity, 1e-7f);
    // The containers' boxes hold the positions reached.
    EXPECT_GE(drifting->getContainer()->box.max.x, 10.0f - 1e-4f);
}

TEST_F(Particles, APausedParticleNeitherAgesNorMoves) {
    simParticle* particle = createParticle(loadType("spark.prt", kTwoFrames), Vector3(0, 0, 0), Vector3(1, 0, 0));
    ASSERT_NE(particle, nullptr);
    particle->paused = 1;
    step(particle);
    EXPECT_EQ(particle->getAge(), 0.0f);
    EXPECT_EQ(particle->position, Vector3(0, 0, 0));
}

TEST_F(Particles, ContainersMatchTextureShaderGlowMotionBlurAndPlanar) {
    simParticle* a = createParticle(loadType("a.prt", kTwoFrames), Vector3(), Vector3());
    simParticle* b = createParticle(loadType("b.prt", kTwoFrames), Vector3(), Vector3());
    simParticle* flat = createParticle(loadType("flat.prt", std::string("PLANAR ") + kTwoFrames), Vector3(), Vector3());
    simParticle* glowing = createParticle(loadType("glow.prt", std::string("GLOW ") + kTwoFrames), Vector3(), Vector3());
    simParticle* bare = createParticle(loadType("bare.prt", "TEXTURE NULL ADDFRAME 1 1 1 1 1 1"), Vector3(), Vector3());
    EXPECT_EQ(a->getContainer(), b->getContainer());
    EXPECT_NE(a->getContainer(), flat->getContainer());
    EXPECT_EQ(flat->getContainer()->planar, 1);
    EXPECT_NE(a->getContainer(), glowing->getContainer());
    EXPECT_EQ(bare->getContainer(), header().getContainers().front());
    EXPECT_EQ(header().getContainers().size(), 4u);
    EXPECT_EQ(a->getContainer()->name, "spark.bmp");
}

TEST_F(Particles, TheLiveCountCapsCreation) {
    simParticleType* type = loadType("spark.prt", kTwoFrames);
    std::vector<simParticle*> made;
    for (int i = 0; i < 1001; ++i) made.push_back(createParticle(type, Vector3(), Vector3()));
    EXPECT_NE(made.back(), nullptr);
    EXPECT_EQ(createParticle(type, Vector3(), Vector3()), nullptr) << "the 1002nd";
    delete made.back();
    EXPECT_NE(createParticle(type, Vector3(), Vector3()), nullptr);
    EXPECT_EQ(header().getLiveCount(), 1001);
}

TEST_F(Particles, ScriptsNameTheirTypeAndAnUnknownNameIsReported) {
    loadType("spark.prt", kTwoFrames);
    const float position[3] = {1, 2, 3}, velocity[3] = {0, 0.5f, 0};
    systemLinks().particles.createParticle("spark.prt", position, velocity);
    EXPECT_EQ(header().getLiveCount(), 1);
    systemLinks().particles.createParticle("nothing.prt", position, velocity);
    EXPECT_EQ(header().getLiveCount(), 1);
    EXPECT_EQ(gfx.engine.errors.texts(), (std::vector<std::string>{"createParticle - no type supplied"}));
}

TEST_F(Particles, TheHeaderDeletesEveryParticleAndLogsItsEnd) {
    simParticleType* type = loadType("spark.prt", kTwoFrames);
    int destroyed = 0;
    static int* counter = nullptr;
    counter = &destroyed;
    for (int i = 0; i < 3; ++i) {
        simParticle* particle = createParticle(type, Vector3(), Vector3());
        particle->destroyCallback = [](simParticle*) { ++*counter; };
    }
    gfx.engine.clearLog();
    res.registry.reset();   // the textures go before the device
    gfx.destroyGraphics();  // the scene and with it the header
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(simEffectsHeader::current(), nullptr);
    EXPECT_NE(gfx.engine.log().find("[~simEffectsHeader-~simEffectsHeader]"), std::string::npos);
}

TEST_F(Particles, TheProgramsOwnTypesLoadWithTheirTextures) {
    const std::string shipped = std::string(TOLVANE_SOURCE_DIR) + "/resources/tolvaneBuilder/";
    auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    // Where the program keeps them, not under the root's "textures".
    for (const char* texture : {"particleGlow.tga", "particleSmoke.tga"})
        res.write(std::string("tolvaneBuilder/textures/") + texture, bytes(shipped + "textures/" + texture));
    for (const char* name : {"spark.prt", "smoke.prt", "dust.prt", "groundSplash.prt"}) {
        const std::vector<uint8_t> file = bytes(shipped + "particles/" + name);
        ASSERT_FALSE(file.empty()) << name;
        simParticleType* type = loadType(name, std::string(file.begin(), file.end()));
        ASSERT_NE(type, nullptr) << name;
        EXPECT_EQ(type->textures.size(), 1u) << name;
        EXPECT_GE(type->frames.size(), 2u) << name;
        EXPECT_NE(createParticle(type, Vector3(), Vector3()), nullptr) << name;
    }
    EXPECT_TRUE(gfx.engine.errors.texts().empty());
}

TEST_F(Particles, EachContainerDrawsItsParticlesInOneCall) {
    simParticleType* type = loadType("spark.prt", kTwoFrames);
    simParticleType* glowing = loadType("glow.prt", std::string("GLOW ") + kTwoFrames);
    simParticleType* bare = loadType("bare.prt", "TEXTURE NULL ADDFRAME 1 1 1 1 1 1");
    for (int i = 0; i < 3; ++i) createParticle(type, Vector3(0, 0, float(i)), Vector3());
    createParticle(glowing, Vector3(), Vector3());
    createParticle(bare, Vector3(), Vector3());
    gfx.renderer().beginScene(false, false, false);
    gfx.recorder->clear();
    header().renderParticleTypes();
    std::vector<std::vector<uint64_t>> draws;
    for (const auto& call : gfx.recorder->calls())
        if (call.name == "DrawPrimitive") draws.push_back(call.args);
    // The default container (no texture) draws nothing.
    EXPECT_EQ(draws, (std::vector<std::vector<uint64_t>>{{gfx::D3DPT_TRIANGLELIST, 0, 6},
                                                         {gfx::D3DPT_TRIANGLELIST, 0, 2}}));
    EXPECT_EQ(gfx.state().getState(simRenderState_blendMode), 1u);  // the glowing container came last
    EXPECT_EQ(gfx.state().getState(simRenderState_zWrite), 1u);
    EXPECT_EQ(gfx.state().getState(simRenderState_addressU), 1u);
    EXPECT_EQ(gfx.state().getState(simRenderState_shadeMode), static_cast<simStateValue>(gfx::D3DSHADE_GOURAUD));
    EXPECT_EQ(gfx.renderer().getStats().counters[simRenderStats::particlesDrawn], 4u);
    gfx.renderer().endScene(false, nullptr);
}

}  // namespace
