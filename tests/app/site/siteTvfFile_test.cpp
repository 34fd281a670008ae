// The exported site file, written from its record and walked back field by
// field.
#include <gtest/gtest.h>

#include "app/site/tbSiteTvfFile.h"
#include "tests/app/site/siteTvfReader.h"

namespace {

// Object records of 10 bytes per tag, so the walk can step over them.
size_t recordSize(uint32_t tag) { return 10 + tag; }

tbSiteTvfData sample() {
    tbSiteTvfData d;
    d.siteName = "Meadow";
    d.siteDescription = "A mown field with hills around";
    d.interior = 1;
    d.panoramaRotation = {0.1f, 0.2f, 0.3f};
    for (int i = 0; i < 16; ++i) d.panoramaTransform.m[i / 4][i % 4] = float(i) * 0.5f;
    d.cubemapName = "Meadowcubemap.dds";
    d.ambient.set(255, 60, 61, 62);
    d.diffuse.set(254, 200, 201, 202);
    d.specular.set(253, 10, 11, 12);
    d.sunPosition = {1, 1000, -2};
    d.positions.resize(2);
    for (size_t p = 0; p < d.positions.size(); ++p)
        for (size_t i = 0; i < d.positions[p].size(); ++i) d.positions[p][i] = uint8_t(p * 7 + i);
    for (uint32_t tag : {2u, 0u, 4u})
        d.objects.push_back({tag, std::vector<uint8_t>(recordSize(tag), uint8_t(tag + 1))});
    d.blackBitmap = {'B', 'M', 1, 2, 3};
    d.waterPosition = {5, 250, 6};
    d.waterMaskBitmap = {'B', 'M', 9, 9};
    d.windRotation = {0.5f, 0.25f, 0};
    d.ambientSoundName = "birds.wav";
    d.reverb = 1;
    return d;
}

TEST(SiteTvfFile, FieldsComeInOrderWithEveryTextAFixedBlock) {
    const struct {
        uint32_t mode;
        std::vector<std::string> names;
        bool water;
        float wind;
    } cases[] = {
        {0, {"Meadow1.dds", "[No image]", "Meadow3.dds", "Meadow4.dds", "Meadow5.dds", "Meadow6.dds"}, true, 4.5f},
        {1, {"meadow.jpg"}, false, 0.0f},
        {7, {}, false, -1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        tbSiteTvfData d = sample();
        d.imageMode = c.mode;
        d.imageNames = c.names;
        d.waterEnabled = c.water;
        d.windSpeed = c.wind;
        const std::vector<uint8_t> file = writeSiteTvfFile(d);
        const size_t objects = 3 * 4 + recordSize(2) + recordSize(0) + recordSize(4);
        const size_t expectedSize = 32 + 4 + 256 + 256 + 4 + 1 + 256 * c.names.size() + 12 + 64 + 256 + 48 + 12 +
                                    4 + 2 * 92 + 4 + objects + 4 + 5 + 1 + (c.water ? 12 + 4 + 4 : 0) + 1 + 12 +
                                    12 + 128 + 1;
        EXPECT_EQ(file.size(), expectedSize);

        const sitetest::ReadTvf r = sitetest::readTvf(file, recordSize);
        EXPECT_TRUE(r.whole);
        EXPECT_EQ(r.magic, "TOLVANEBUILDER FLYING SITE");
        EXPECT_EQ(r.version, 2u);
        const tbSiteTvfData& back = r.data;
        EXPECT_EQ(back.siteName, d.siteName);
        EXPECT_EQ(back.siteDescription, d.siteDescription);
        EXPECT_EQ(back.imageMode, c.mode);
        EXPECT_EQ(back.interior, 1);
        EXPECT_EQ(back.imageNames, c.names);
        EXPECT_EQ(back.panoramaRotation.y, 0.2f);
        EXPECT_EQ(back.panoramaTransform.m[3][2], 7.0f);
        EXPECT_EQ(back.cubemapName, "Meadowcubemap.dds");
        EXPECT_EQ(back.ambient.red, 60);
        EXPECT_EQ(back.diffuse.alpha, 254);
        EXPECT_EQ(back.specular.blue, 12);
        EXPECT_EQ(back.sunPosition.z, -2.0f);
        EXPECT_EQ(back.positions, d.positions) << "positions before the objects";
        EXPECT_EQ(back.objects, d.objects);
        EXPECT_EQ(back.blackBitmap, d.blackBitmap);
        EXPECT_EQ(back.waterEnabled, c.water);
        if (c.water) {
            EXPECT_EQ(back.waterPosition.y, 250.0f);
            EXPECT_EQ(back.waterMaskBitmap, d.waterMaskBitmap);
        }
        EXPECT_EQ(r.windFlag, c.wind > 0 ? 1 : 0);
        EXPECT_EQ(r.windSpeeds, (std::array<float, 3>{c.wind, c.wind, c.wind}));
        EXPECT_EQ(back.windRotation.x, 0.5f);
        EXPECT_EQ(back.ambientSoundName, "birds.wav");
        EXPECT_EQ(back.reverb, 1);
    }
}

// A text as long as its block or longer keeps its terminator and whole
// characters; six-image mode always has its six names.
TEST(SiteTvfFile, OverlongTextsAreCutAndMissingNamesWrittenAsNone) {
    tbSiteTvfData d = sample();
    d.siteName = std::string(300, 'n');
    d.ambientSoundName = std::string(128, 's');
    d.siteDescription = std::string(254, 'd') + "\xC3\xA9";  // an e-acute would end the block half written
    d.imageNames = {"a.dds", "b.dds"};
    const sitetest::ReadTvf r = sitetest::readTvf(writeSiteTvfFile(d), recordSize);
    EXPECT_TRUE(r.whole);
    EXPECT_EQ(r.data.imageNames, (std::vector<std::string>{"a.dds", "b.dds", "[No image]", "[No image]",
                                                           "[No image]", "[No image]"}))
        << "six names in six-image mode, whatever the record holds";
    EXPECT_EQ(r.data.siteName, std::string(255, 'n'));
    EXPECT_EQ(r.data.ambientSoundName, std::string(127, 's'));
    EXPECT_EQ(r.data.siteDescription, std::string(254, 'd')) << "cut before the character, not inside it";
}

// The site file carries the project's own values, but not the panorama's
// position or the wind's, which the simulator does not use.
TEST(SiteTvfFile, TakesTheProjectFilesValues) {
    tbFlyingSiteFileData project;
    project.siteName = "Meadow";
    project.siteDescription = "Hills";
    project.imageMode = 1;
    project.interior = 1;
    project.panoramaRotation = {1, 2, 3};
    project.panoramaPosition = {9, 9, 9};
    project.panoramaTransform.m[3][1] = 0.4f;
    project.ambient.set(255, 1, 2, 3);
    project.diffuse.set(255, 4, 5, 6);
    project.specular.set(255, 7, 8, 9);
    project.sunPosition = {0, 250, 0};
    project.positions.resize(3);
    project.objects.push_back({3, std::vector<uint8_t>(239, 3)});
    project.waterEnabled = 1;
    project.waterPosition = {0, 0, 250};
    project.windFlag = 1;
    project.windSpeed = {6.5f, 6.5f, 6.5f};
    project.windRotation = {0, 1, 0};
    project.windPosition = {5, 5, 5};
    project.reverb = 1;
    const tbSiteTvfData d = tbSiteTvfDataOf(project);
    EXPECT_EQ(d.siteName, "Meadow");
    EXPECT_EQ(d.siteDescription, "Hills");
    EXPECT_EQ(d.imageMode, 1u);
    EXPECT_EQ(d.interior, 1);
    EXPECT_EQ(d.panoramaRotation.z, 3.0f);
    EXPECT_EQ(d.panoramaTransform.m[3][1], 0.4f);
    EXPECT_EQ(d.ambient.blue, 3);
    EXPECT_EQ(d.diffuse.green, 5);
    EXPECT_EQ(d.specular.red, 7);
    EXPECT_EQ(d.sunPosition.y, 250.0f);
    EXPECT_EQ(d.positions.size(), 3u);
    EXPECT_EQ(d.objects, project.objects);
    EXPECT_EQ(d.waterEnabled, 1);
    EXPECT_EQ(d.waterPosition.z, 250.0f);
    EXPECT_EQ(d.windSpeed, 6.5f);
    EXPECT_EQ(d.windRotation.y, 1.0f);
    EXPECT_EQ(d.reverb, 1);
}

}  // namespace
