// The .tvq codec on its own: where every header field stands, write -> read
// -> write giving the same bytes, version-1 files, and a table of damaged
// files that must all be refused without touching what the caller holds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/site/tbFlyingSiteFile.h"
#include "engine/core/byteCursor.h"

namespace {

// Stands in for the collision objects' reader: a 239-byte common record,
// and for tag 1 a u32 count of 4-byte cells after it, so records differ in
// length as a height map's do.
bool fakeObjectReader(utils::ByteCursor& in, uint32_t tag, std::string& error) {
    in.skip(239);
    if (tag == 1) {
        const uint32_t cells = in.u32();
        if (!in.canHold(cells, 4)) {
            error = "too many cells";
            return false;
        }
        in.skip(size_t(cells) * 4);
    }
    return in.ok();
}

std::vector<uint8_t> objectRecord(uint32_t tag, uint32_t cells = 0) {
    std::vector<uint8_t> record(239, uint8_t(0x40 + tag));
    if (tag == 1) {
        record.resize(239 + 4 + cells * 4, 0x11);
        std::memcpy(record.data() + 239, &cells, 4);
    }
    return record;
}

tbFlyingSiteFileData fullSite() {
    tbFlyingSiteFileData d;
    d.exportName = "Hilltop";
    d.siteName = "Hilltop field";
    d.siteDescription = "A grass strip on a hill";
    d.imageMode = 1;
    d.interior = 1;
    for (int i = 0; i < 6; ++i) d.cubeImages[i] = "/sites/pano" + std::to_string(i) + ".png";
    d.sphereImage = "/sites/sphere.jpg";
    d.panoramaRotation = {0.5f, 1.5f, -0.25f};
    d.panoramaPosition = {0, 0, 400};
    d.panoramaTransform.m[3][1] = 120.0f;
    d.ambient.set(255, 60, 61, 62);
    d.diffuse.set(200, 250, 251, 252);
    d.specular.set(255, 1, 2, 3);
    d.sunPosition = {10, 1000, -20};
    for (uint32_t tag = 0; tag < kFlyingSiteObjectTags; ++tag) d.objects.push_back({tag, objectRecord(tag, 9)});
    d.waterEnabled = 1;
    d.waterPosition = {100, 250, -300};
    d.waterMask = {'D', 'D', 'S', ' ', 1, 2, 3, 4, 5};
    for (uint8_t i = 0; i < 2; ++i) {
        tbSitePositionRecord record{};
        record.fill(uint8_t(0x70 + i));
        d.positions.push_back(record);
    }
    d.windFlag = 1;
    d.windSpeed = {4.5f, 4.5f, 4.5f};
    d.windRotation = {0, 1.2f, 0};
    d.windPosition = {50, 0, 60};
    d.ambientSound = "/sounds/birds.wav";
    d.reverb = 1;
    return d;
}

bool read(const std::vector<uint8_t>& bytes, tbFlyingSiteFileData& out, std::string* reason = nullptr) {
    std::string error;
    const bool ok = readFlyingSiteFile(bytes.data(), bytes.size(), fakeObjectReader, out, error);
    if (reason) *reason = error;
    return ok;
}

template <class T>
T at(const std::vector<uint8_t>& bytes, size_t offset) {
    T v{};
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}
std::string textAt(const std::vector<uint8_t>& bytes, size_t offset) {
    return reinterpret_cast<const char*>(bytes.data() + offset);
}

}  // namespace

TEST(FlyingSiteFile, HeaderFieldsStandWhereTheFileFormatPutsThem) {
    const std::vector<uint8_t> bytes = writeFlyingSiteFile(fullSite());
    EXPECT_EQ(textAt(bytes, 0), "TOLVANEBUILDER PROJECT");
    EXPECT_EQ(at<uint32_t>(bytes, 32), 2u);
    EXPECT_EQ(textAt(bytes, 36), "Hilltop");
    EXPECT_EQ(textAt(bytes, 292), "Hilltop field");
    EXPECT_EQ(textAt(bytes, 548), "A grass strip on a hill");
    EXPECT_EQ(at<uint32_t>(bytes, 804), 1u);
    EXPECT_EQ(bytes[808], 1);
    EXPECT_EQ(textAt(bytes, 809), "/sites/pano0.png");
    EXPECT_EQ(textAt(bytes, 809 + 5 * 256), "/sites/pano5.png");
    EXPECT_EQ(textAt(bytes, 2345), "/sites/sphere.jpg");
    EXPECT_EQ(at<float>(bytes, 2601 + 4), 1.5f);
    EXPECT_EQ(at<float>(bytes, 2613 + 8), 400.0f);
    EXPECT_EQ(at<float>(bytes, 2625 + 13 * 4), 120.0f);
    // Colour records: alpha first, then red, green, blue.
    EXPECT_EQ(at<int32_t>(bytes, 2705), 200);
    EXPECT_EQ(at<int32_t>(bytes, 2705 + 4), 250);
    EXPECT_EQ(at<int32_t>(bytes, 2721 + 12), 3);
    EXPECT_EQ(at<float>(bytes, 2737 + 4), 1000.0f);
    EXPECT_EQ(at<uint32_t>(bytes, 2749), 5u);
    EXPECT_EQ(at<uint32_t>(bytes, kFlyingSiteHeaderSize), 0u);  // the first object's tag
    EXPECT_EQ(bytes[kFlyingSiteHeaderSize + 4], 0x40);
}

TEST(FlyingSiteFile, WriteReadWriteGivesTheSameBytes) {
    const std::vector<uint8_t> bytes = writeFlyingSiteFile(fullSite());
    tbFlyingSiteFileData back;
    std::string reason;
    ASSERT_TRUE(read(bytes, back, &reason)) << reason;
    EXPECT_EQ(back.siteName, "Hilltop field");
    EXPECT_EQ(back.ambient, fullSite().ambient);
    ASSERT_EQ(back.objects.size(), 5u);
    EXPECT_EQ(back.objects[1], fullSite().objects[1]);
    EXPECT_EQ(back.positions.size(), 2u);
    EXPECT_EQ(back.ambientSound, "/sounds/birds.wav");
    EXPECT_EQ(writeFlyingSiteFile(back), bytes);
}

TEST(FlyingSiteFile, AVersionOneFileEndsAfterTheWindAndReadsBack) {
    tbFlyingSiteFileData v1 = fullSite();
    v1.version = 1;
    const std::vector<uint8_t> bytes = writeFlyingSiteFile(v1);
    EXPECT_EQ(bytes.size(), writeFlyingSiteFile(fullSite()).size() - 512 - 1);
    tbFlyingSiteFileData back;
    ASSERT_TRUE(read(bytes, back));
    EXPECT_EQ(back.version, 1u);
    EXPECT_EQ(back.ambientSound, "");
    EXPECT_EQ(back.reverb, 0);
    EXPECT_EQ(writeFlyingSiteFile(back), bytes);
}

TEST(FlyingSiteFile, EmptySectionsReadBack) {
    tbFlyingSiteFileData empty;
    const std::vector<uint8_t> bytes = writeFlyingSiteFile(empty);
    tbFlyingSiteFileData back;
    ASSERT_TRUE(read(bytes, back));
    EXPECT_TRUE(back.objects.empty() && back.waterMask.empty() && back.positions.empty());
    EXPECT_EQ(writeFlyingSiteFile(back), bytes);
}

TEST(FlyingSiteFile, TextsLongerThanTheirFieldAreCutToLeaveTheNul) {
    tbFlyingSiteFileData d = fullSite();
    d.siteName = std::string(400, 'n');
    d.ambientSound = std::string(600, 's');
    tbFlyingSiteFileData back;
    ASSERT_TRUE(read(writeFlyingSiteFile(d), back));
    EXPECT_EQ(back.siteName, std::string(255, 'n'));
    EXPECT_EQ(back.ambientSound, std::string(511, 's'));
}

TEST(FlyingSiteFile, DamagedFilesAreRefusedAndLeaveTheCallersRecordAlone) {
    const std::vector<uint8_t> good = writeFlyingSiteFile(fullSite());
    const size_t objectsStart = kFlyingSiteHeaderSize;
    size_t objectsEnd = objectsStart;
    for (const auto& o : fullSite().objects) objectsEnd += 4 + o.record.size();
    const size_t maskSizeAt = objectsEnd + 1 + 12;
    const size_t positionsAt = maskSizeAt + 4 + fullSite().waterMask.size();
    const size_t windAt = positionsAt + 4 + 2 * kFlyingSitePositionSize;
    const size_t soundAt = windAt + 1 + 12 + 24;

    auto patched = [&](size_t offset, uint32_t value) {
        std::vector<uint8_t> b = good;
        std::memcpy(b.data() + offset, &value, 4);
        return b;
    };
    auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
    std::vector<uint8_t> longMagic = good;
    longMagic[22] = 'S';

    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"magic followed by more characters", longMagic},
        {"huge object count", patched(2749, 0xFFFFFFFFu)},
        {"object count one too many", patched(2749, 6)},
        {"unknown type tag", patched(objectsStart, 5)},
        {"object's own count beyond the file", patched(objectsStart + 4 + 239 + 4 + 239, 0x40000000u)},
        {"water mask longer than the file", patched(maskSizeAt, 0x7FFFFFFFu)},
        {"huge position count", patched(positionsAt, 0xFFFFFFFFu)},
        {"cut inside the header", cut(2000)},
        {"cut before the object count", cut(2750)},
        {"cut inside the objects", cut(objectsStart + 100)},
        {"cut inside the water", cut(objectsEnd + 5)},
        {"cut inside the mask", cut(maskSizeAt + 6)},
        {"cut inside the positions", cut(positionsAt + 50)},
        {"cut inside the wind", cut(windAt + 10)},
        {"cut inside the sound path", cut(soundAt + 100)},
        {"cut before the reverb flag", cut(good.size() - 1)},
    };
    for (const auto& c : cases) {
        tbFlyingSiteFileData kept;
        kept.siteName = "untouched";
        std::string reason;
        EXPECT_FALSE(read(c.bytes, kept, &reason)) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        EXPECT_EQ(kept.siteName, "untouched") << c.what;
    }
}

TEST(FlyingSiteFile, TheObjectReadersRefusalIsTheFilesRefusal) {
    const std::vector<uint8_t> bytes = writeFlyingSiteFile(fullSite());
    tbFlyingSiteFileData out;
    std::string error;
    const auto refuseHeightMaps = [](utils::ByteCursor& in, uint32_t tag, std::string& why) {
        if (tag == 1) {
            why = "height map of size 0";
            return false;
        }
        return fakeObjectReader(in, tag, why);
    };
    EXPECT_FALSE(readFlyingSiteFile(bytes.data(), bytes.size(), refuseHeightMaps, out, error));
    EXPECT_NE(error.find("height map of size 0"), std::string::npos) << error;
}
