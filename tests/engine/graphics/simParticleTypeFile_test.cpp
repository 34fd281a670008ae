#include "engine/graphics/simParticleTypeFile.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TEST(ParticleTypeFile, KeywordsSetTheirMembers) {
    const simParticleTypeFile file = simParticleTypeFile::parse(
        "TEXTURE spark.dds ALTERNATETEXTURE spark2.dds TEXTURE NULL TEXTURE smoke.dds\n"
        "SHADER glowParticle.fx GEOMETRY NULL RANDOMTIMING 250\n"
        "GRAVITY GLOW PLANAR MOTIONBLUR LOOP SPIN\n"
        "TRAIL trail.bmp TRAILWIDTH 0.5 TRAILFADE 0.25 TRAILREFRESH 100 DECCELERATION 0.75\n"
        "<END_OF_FILE>\n");
    EXPECT_EQ(file.textures, (Names{"spark.dds", "smoke.dds"}));
    EXPECT_EQ(file.alternateTextures, (Names{"spark2.dds"}));
    EXPECT_EQ(file.shader, "glowParticle.fx");
    EXPECT_EQ(file.geometry, "");
    EXPECT_EQ(file.randomTiming, 250.0f);
    const uint8_t flags[] = {file.gravity, file.glow, file.planar, file.motionBlur, file.loop, file.spin, file.trail};
    for (uint8_t flag : flags) EXPECT_EQ(flag, 1);
    EXPECT_EQ(file.trailTextures, (Names{"trail.bmp"}));
    EXPECT_EQ(file.trailWidth, 0.5f);
    EXPECT_EQ(file.trailFade, 0.25f);
    EXPECT_EQ(file.trailRefresh, 100.0f);
    EXPECT_EQ(file.deceleration, 0.75f);
    EXPECT_TRUE(file.sawEndMarker);
    EXPECT_TRUE(file.problems.empty());
}

TEST(ParticleTypeFile, AnEmptyFileKeepsTheDefaults) {
    const simParticleTypeFile file = simParticleTypeFile::parse("");
    EXPECT_EQ(file.trailWidth, 0.05f);
    EXPECT_EQ(file.trailFade, 0.002f);
    EXPECT_EQ(file.trailRefresh, 500.0f);
    EXPECT_EQ(file.randomTiming, 0.0f);
    EXPECT_EQ(file.gravity, 0);
    EXPECT_TRUE(file.frames.empty());
    EXPECT_FALSE(file.sawEndMarker);
    EXPECT_TRUE(file.problems.empty());
}

TEST(ParticleTypeFile, FramesTakeMillisecondsAndJitteredClampedColours) {
    // Every jittered value of 300 stays above 255; 100 lands in 75..125; -40
    // stays below 0; 20 lands in 0..45.
    for (int seed = 1; seed <= 50; ++seed) {
        std::srand(static_cast<unsigned>(seed));
        const simParticleTypeFile file = simParticleTypeFile::parse("ADDFRAME 2 1.5 300 100 -40 20 <END_OF_FILE>");
        ASSERT_EQ(file.frames.size(), 1u);
        const simParticleFrame& f = file.frames[0];
        EXPECT_EQ(f.time, 2000.0f);
        EXPECT_EQ(f.size, 1.5f);
        EXPECT_EQ(f.alpha, 255.0f);
        EXPECT_GE(f.red, 75.0f);
        EXPECT_LE(f.red, 125.0f);
        EXPECT_EQ(f.green, 0.0f);
        EXPECT_GE(f.blue, 0.0f);
        EXPECT_LE(f.blue, 45.0f);
    }
}

TEST(ParticleTypeFile, UntrustedTextEndsCleanly) {
    struct Case {
        const char* name;
        const char* text;
        size_t frames;
        Names textures;
        bool endMarker;
        std::vector<std::string> problems;
    };
    const Case cases[] = {
        {"unknown tokens are skipped", "hello TEXTURE a.dds 12 texture b.dds <END_OF_FILE>", 0, {"a.dds"}, true, {}},
        {"no end marker: the end of the file", "TEXTURE a.dds ADDFRAME 0 1 255 255 255 255", 1, {"a.dds"}, false, {}},
        {"nothing after the end marker counts", "TEXTURE a.dds <END_OF_FILE> TEXTURE b.dds", 0, {"a.dds"}, true, {}},
        {"keywords are case-sensitive", "Texture a.dds ADDframe 1 1 1 1 1 1", 0, {}, false, {}},
        {"a bad number stops the reading, what was read stays",
         "TEXTURE a.dds ADDFRAME 0 1 2 3 4 5 ADDFRAME 1 x 2 3 4 5 TEXTURE b.dds <END_OF_FILE>", 1, {"a.dds"}, false,
         {"ADDFRAME: 'x' is not a number"}},
        {"a number missing at the end", "TEXTURE a.dds RANDOMTIMING", 0, {"a.dds"}, false,
         {"RANDOMTIMING: a number is missing at the end of the file"}},
        {"a name missing at the end", "TEXTURE", 0, {}, false, {"TEXTURE: a name is missing at the end of the file"}},
        {"an overflowing number is not a number", "ADDFRAME 1e999 1 1 1 1 1", 0, {}, false,
         {"ADDFRAME: '1e999' is not a number"}},
        {"the marker swallowed as a name still names a file", "TEXTURE <END_OF_FILE>", 0, {"<END_OF_FILE>"}, false, {}},
    };
    for (const Case& c : cases) {
        const simParticleTypeFile file = simParticleTypeFile::parse(c.text);
        EXPECT_EQ(file.frames.size(), c.frames) << c.name;
        EXPECT_EQ(file.textures, c.textures) << c.name;
        EXPECT_EQ(file.sawEndMarker, c.endMarker) << c.name;
        EXPECT_EQ(file.problems, c.problems) << c.name;
    }
}

}  // namespace
