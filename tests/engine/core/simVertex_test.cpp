// The vertex's 52-byte file form: colour last, as B, G, R, A on disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/core/simVertex.h"
#include "tests/support/tempFolder.h"

namespace {

simVertex sampleVertex() {
    simVertex v;
    v.position = {1, 2, 3};
    v.normal = {0, 1, 0};
    v.colour = 0x80112233u;
    v.uv[0] = {0.25f, 0.5f};
    v.uv[1] = {0.75f, 1.0f};
    v.uv[2] = {-1.0f, 2.0f};
    return v;
}

bool sameVertex(const simVertex& a, const simVertex& b) {
    return a.position == b.position && a.normal == b.normal && a.colour == b.colour && a.uv[0] == b.uv[0] &&
           a.uv[1] == b.uv[1] && a.uv[2] == b.uv[2];
}

}  // namespace

TEST(SimVertex, FileFormPutsTheColourLast) {
    testsupport::TempFolder folder;
    FILE* out = std::fopen(folder.file("v.bin").c_str(), "wb");
    ASSERT_TRUE(sampleVertex().write(out));
    std::fclose(out);

    std::string bytes = folder.read("v.bin");
    ASSERT_EQ(bytes.size(), 52u);
    const float expectedFloats[12] = {1, 2, 3, 0, 1, 0, 0.25f, 0.5f, 0.75f, 1.0f, -1.0f, 2.0f};
    EXPECT_EQ(std::memcmp(bytes.data(), expectedFloats, 48), 0);
    EXPECT_EQ(bytes.substr(48), std::string("\x33\x22\x11\x80", 4));  // blue, green, red, alpha
}

TEST(SimVertex, RoundTripsAndRefusesATruncatedRecord) {
    testsupport::TempFolder folder;
    FILE* out = std::fopen(folder.file("v.bin").c_str(), "wb");
    ASSERT_TRUE(sampleVertex().write(out));
    std::fclose(out);

    simVertex back;
    FILE* in = std::fopen(folder.file("v.bin").c_str(), "rb");
    ASSERT_TRUE(back.read(in));
    std::fclose(in);
    EXPECT_TRUE(sameVertex(back, sampleVertex()));

    // Every length short of 52 bytes fails and leaves the vertex as it was.
    std::string whole = folder.read("v.bin");
    for (size_t length : {0u, 4u, 47u, 48u, 51u}) {
        folder.write("short.bin", whole.substr(0, length));
        simVertex untouched = sampleVertex();
        untouched.colour = 7;
        in = std::fopen(folder.file("short.bin").c_str(), "rb");
        EXPECT_FALSE(untouched.read(in)) << length;
        std::fclose(in);
        EXPECT_EQ(untouched.colour, 7u) << length;
        EXPECT_EQ(untouched.position, sampleVertex().position) << length;
    }
    EXPECT_FALSE(back.read(nullptr));
}
