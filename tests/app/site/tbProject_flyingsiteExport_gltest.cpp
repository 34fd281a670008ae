// A flying site exported from the editor's own textures on the OpenGL device:
// the sample panorama's faces come out as the device holds them, the cube
// map as drawn from them, the records and the water mask as the project
// keeps them; a 4096 x 4096 face gives the high set from its own blocks; a
// face that never loaded is told by name.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteExportNames.h"
#include "engine/graphics/simSurfaceFile.h"
#include "engine/graphics/simTexture.h"
#include "tests/app/site/siteOnGl.h"
#include "tests/app/site/siteTvfReader.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"
#include "tests/support/wholeFile.h"

namespace {

const std::string kSample = std::string(TOLVANE_SOURCE_DIR) + "/resources/environments/flyingField/flyingField";

using testsupport::fileBytes;

d3dx::Image load(const std::string& path, bool cube = false) {
    d3dx::ImageLoadDesc desc;
    desc.mipLevels = 1;
    desc.cube = cube;
    d3dx::Image image;
    const d3dx::ImageResult result = d3dx::LoadImageFromFile(path, desc, &image);
    EXPECT_TRUE(result.ok()) << path << ": " << result.reason;
    return image;
}

size_t objectRecordSize(uint32_t tag) { return tag == 3 ? 239 : 0; }

class GlSiteExport : public sitetest::SiteOnGl {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SiteOnGl::SetUp());
        site = std::make_unique<tbProject_flyingsite>();
        ASSERT_TRUE(site->onNew(""));
        site->setExportName("field");
    }
    void TearDown() override {
        site.reset();
        SiteOnGl::TearDown();
    }

    // The sample panorama in every slot, by the numbers its files carry.
    void useSamplePanorama() {
        for (int slot = 0; slot < kSiteExportSlots; ++slot)
            site->setCubeImage(slot, kSample + std::to_string(tbSiteFaceNumber(slot)) + ".jpg");
    }
    std::string out(const std::string& name) const { return folder + "/" + name; }
    d3dx::Image held(int slot) {
        d3dx::Image image;
        EXPECT_TRUE(simReadTexture(rig->device(), site->getCubeTexture(slot)->getTexture(), false, image));
        return image;
    }

    testsupport::TempFolder temp;
    const std::string folder = temp.file("Flying sites/field");
    std::unique_ptr<tbProject_flyingsite> site;
};

TEST_F(GlSiteExport, TheSampleSiteExportsItsFacesCubeMapRecordsAndMask) {
    useSamplePanorama();
    site->addPosition(std::make_unique<tbFlyingSitePosition>("default 1", d3dx::Vector3(0, 0, -500), 1));
    site->addCollisionObject(std::make_unique<tbCollisionObject_marker>("Pylon", d3dx::Vector3(-50, 0, 70)));
    site->setWaterEnabled(true);
    site->setSiteName("Flying field");
    ASSERT_TRUE(site->exportScenery(folder));
    EXPECT_EQ(boxes, std::vector<std::string>());

    EXPECT_TRUE(std::filesystem::is_empty(out("high"))) << "2048 faces give no high set";
    for (int slot = 0; slot < kSiteExportSlots; ++slot) {
        SCOPED_TRACE(slot);
        const d3dx::Image medium = load(out("medium/field" + std::to_string(tbSiteFaceNumber(slot)) + ".dds"));
        EXPECT_EQ(medium.format, d3dx::Format::DXT1);
        EXPECT_EQ(medium.width, 2048u);
        ASSERT_EQ(medium.surfaces.size(), 1u);
        EXPECT_EQ(medium.surfaces[0].bytes, held(slot).surfaces[0].bytes) << "the blocks the texture holds";
    }
    const d3dx::Image icon = load(out("fieldicon.dds"));
    EXPECT_EQ(icon.format, d3dx::Format::X8R8G8B8);
    EXPECT_EQ(icon.width, 128u);

    // The cube map as the site drew it from the faces: sky above, grass below.
    const d3dx::Image cubemap = load(out("fieldcubemap.dds"), true);
    ASSERT_EQ(cubemap.surfaces.size(), 6u);
    EXPECT_EQ(cubemap.width, 512u);
    auto centre = [&](int face) { return imagesamples::bitmapOf(cubemap, face).at(256, 256); };
    const uint32_t up = centre(2), down = centre(3);
    EXPECT_GT(up & 0xFF, (up >> 16) & 0xFF) << std::hex << up << ": more blue than red in the sky";
    EXPECT_GT((down >> 8) & 0xFF, down & 0xFF) << std::hex << down << ": more green than blue in the grass";

    const sitetest::ReadTvf tvf = sitetest::readTvf(fileBytes(out("field.tvf")), objectRecordSize);
    ASSERT_TRUE(tvf.whole);
    EXPECT_EQ(tvf.data.siteName, "Flying field");
    EXPECT_EQ(tvf.data.imageNames, (std::vector<std::string>{"field1.dds", "field2.dds", "field3.dds", "field4.dds",
                                                             "field5.dds", "field6.dds"}));
    ASSERT_EQ(tvf.data.positions.size(), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(tvf.data.positions[0].data())), "default 1");
    ASSERT_EQ(tvf.data.objects.size(), 1u);
    EXPECT_EQ(tvf.data.objects[0].tag, 3u);
    EXPECT_EQ(tvf.data.waterEnabled, 1);
    temp.write("mask.bmp", std::string(tvf.data.waterMaskBitmap.begin(), tvf.data.waterMaskBitmap.end()));
    const d3dx::Image mask = load(temp.file("mask.bmp"));
    EXPECT_EQ(mask.width, 2048u);
    EXPECT_EQ(imagesamples::bitmapOf(mask).at(1000, 1000) | 0xFF000000, 0xFFFFFFFFu) << "a new mask is white";
}

// A 4096 x 4096 face loaded from DXT1 blocks goes to the high set with those
// very blocks, and to the medium set at 2048 x 2048.
TEST_F(GlSiteExport, AFourThousandFaceGoesToTheHighSetAsItsTextureHoldsIt) {
    d3dx::Image face;
    d3dx::ImageLoadDesc desc;
    desc.width = desc.height = 4096;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::DXT1;
    desc.filter = d3dx::kFilterPoint;
    ASSERT_TRUE(d3dx::ConvertImage(load(kSample + "3.jpg"), desc, &face).ok());
    ASSERT_TRUE(d3dx::SaveImageToFile(temp.file("big3.dds"), d3dx::ImageFileFormat::Dds, face).ok());
    site->setCubeImage(0, temp.file("big3.dds"));
    site->setCubeImage(5, kSample + "2.jpg");
    ASSERT_TRUE(site->exportScenery(folder));
    EXPECT_EQ(boxes, std::vector<std::string>());
    EXPECT_EQ(load(out("high/field#high3.dds")).surfaces[0].bytes, face.surfaces[0].bytes);
    EXPECT_EQ(load(out("high/field#high2.dds")).surfaces[0].bytes, held(5).surfaces[0].bytes);
    const d3dx::Image medium = load(out("medium/field3.dds"));
    EXPECT_EQ(medium.width, 2048u);
    EXPECT_EQ(medium.format, d3dx::Format::DXT1);
    EXPECT_FALSE(std::filesystem::exists(out("medium/field1.dds")));
}

TEST_F(GlSiteExport, AFaceThatNeverLoadedIsToldByNameAndNamedAsNone) {
    useSamplePanorama();
    site->setCubeImage(3, temp.file("gone5.jpg"));
    ASSERT_TRUE(site->exportScenery(folder));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Export flying site / "), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("Cubic +Y: " + temp.file("gone5.jpg")), std::string::npos) << boxes[0];
    const sitetest::ReadTvf tvf = sitetest::readTvf(fileBytes(out("field.tvf")), objectRecordSize);
    EXPECT_EQ(tvf.data.imageNames[3], "[No image]");
    EXPECT_FALSE(std::filesystem::exists(out("medium/field5.dds")));
}

TEST_F(GlSiteExport, AFolderThatCannotBeMadeIsToldAndNothingIsWritten) {
    temp.write("Flying sites", "in the way");
    EXPECT_FALSE(site->exportScenery(folder));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("could not be made"), std::string::npos) << boxes[0];
}

}  // namespace
