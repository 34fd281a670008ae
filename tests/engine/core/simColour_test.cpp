// The colour record: clamping, packing and its 16-byte file form.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/core/simColour.h"
#include "tests/support/tempFolder.h"

namespace {

std::string bytesOf(std::initializer_list<int32_t> fields) {
    std::string bytes;
    for (int32_t f : fields) bytes.append(reinterpret_cast<const char*>(&f), 4);
    return bytes;
}

}  // namespace

TEST(SimColour, DefaultIsOpaqueBlack) {
    simColour c;
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 0);
    EXPECT_EQ(c.blue, 0);
    EXPECT_EQ(c.alpha, 255);
    EXPECT_EQ(c.toARGB(), 0xFF000000u);
}

TEST(SimColour, SetClampsEachComponentAlphaFirst) {
    simColour c;
    c.set(300, -5, 128, 255);
    EXPECT_EQ(c.alpha, 255);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 128);
    EXPECT_EQ(c.blue, 255);
}

TEST(SimColour, MaxComponentIgnoresAlpha) {
    simColour c;
    c.set(255, 200, 200, 100);
    EXPECT_EQ(c.maxComponent(), 200);
    c.set(255, 1, 2, 3);
    EXPECT_EQ(c.maxComponent(), 3);
}

TEST(SimColour, PacksToAndFromARGB) {
    simColour c;
    c.set(0x80, 0x12, 0x34, 0x56);
    EXPECT_EQ(c.toARGB(), 0x80123456u);
    EXPECT_EQ(simColour::fromARGB(0x80123456u), c);
    simColour white = simColour::fromARGB(0xFFFFFFFFu);
    EXPECT_EQ(white.red, 255);
    EXPECT_EQ(white.alpha, 255);
    // Fields written directly bypass the clamp; packing keeps the low bits.
    c.red = 0x1FF;
    EXPECT_EQ(c.toARGB() & 0x00FF0000u, 0x00FF0000u);
}

TEST(SimColour, FloatCopyIsRefreshedFromTheIntegers) {
    simColour c;
    c.set(51, 255, 0, 102);
    c.refreshFloats();
    EXPECT_FLOAT_EQ(c.redF, 1.0f);
    EXPECT_FLOAT_EQ(c.greenF, 0.0f);
    EXPECT_FLOAT_EQ(c.blueF, 0.4f);
    EXPECT_FLOAT_EQ(c.alphaF, 0.2f);
}

TEST(SimColour, FileFormIsSixteenBytesAlphaFirstAndRoundTrips) {
    testsupport::TempFolder folder;
    simColour c;
    c.set(255, 0, 128, 255);
    FILE* out = std::fopen(folder.file("c.bin").c_str(), "wb");
    ASSERT_TRUE(c.write(out));
    std::fclose(out);
    EXPECT_EQ(folder.read("c.bin"), bytesOf({255, 0, 128, 255}));

    simColour back;
    FILE* in = std::fopen(folder.file("c.bin").c_str(), "rb");
    EXPECT_TRUE(back.read(in));
    std::fclose(in);
    EXPECT_EQ(back, c);
}

TEST(SimColour, ReadClampsAndRefusesShortOrMissingInput) {
    testsupport::TempFolder folder;
    folder.write("wild.bin", bytesOf({1000, -7, 12, 256}));
    simColour c;
    FILE* in = std::fopen(folder.file("wild.bin").c_str(), "rb");
    ASSERT_TRUE(c.read(in));
    std::fclose(in);
    EXPECT_EQ(c.alpha, 255);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 12);
    EXPECT_EQ(c.blue, 255);

    folder.write("short.bin", bytesOf({1, 2, 3}));
    simColour untouched;
    untouched.set(9, 8, 7, 6);
    in = std::fopen(folder.file("short.bin").c_str(), "rb");
    EXPECT_FALSE(untouched.read(in));
    std::fclose(in);
    simColour expected;
    expected.set(9, 8, 7, 6);
    EXPECT_EQ(untouched, expected);

    EXPECT_FALSE(untouched.read(nullptr));
    EXPECT_FALSE(untouched.write(nullptr));
}
