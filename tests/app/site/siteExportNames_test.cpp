// The exported site's file names: the slot-to-file numbering, and the file
// set each kind of site writes.
#include <gtest/gtest.h>

#include "app/site/tbSiteExportNames.h"

namespace {

TEST(SiteExportNames, SlotsAreNumberedForTheSimulatorInFilesAndInSlotOrderInTheSiteFile) {
    const tbSiteExportNames names("/home/u/TolvaneSim/Flying sites/meadow/", "Meadow");
    const struct {
        int slot, number;
        const char *high, *medium, *tvf;
    } cases[] = {
        {0, 3, "high/meadow#high3.dds", "medium/meadow3.dds", "Meadow1.dds"},
        {1, 1, "high/meadow#high1.dds", "medium/meadow1.dds", "Meadow2.dds"},
        {2, 6, "high/meadow#high6.dds", "medium/meadow6.dds", "Meadow3.dds"},
        {3, 5, "high/meadow#high5.dds", "medium/meadow5.dds", "Meadow4.dds"},
        {4, 4, "high/meadow#high4.dds", "medium/meadow4.dds", "Meadow5.dds"},
        {5, 2, "high/meadow#high2.dds", "medium/meadow2.dds", "Meadow6.dds"},
    };
    const std::string folder = "/home/u/TolvaneSim/Flying sites/meadow/";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(tbSiteFaceNumber(c.slot), c.number);
        EXPECT_EQ(names.high(c.slot), folder + c.high);
        EXPECT_EQ(names.medium(c.slot), folder + c.medium);
        EXPECT_EQ(names.tvfFaceName(c.slot), c.tvf);
    }
    EXPECT_EQ(names.name(), "meadow");
    EXPECT_EQ(names.tvfCubemapName(), "Meadowcubemap.dds");
}

TEST(SiteExportNames, TheSphericalPictureIsCopiedAsNameDotItsOwnExtension) {
    const tbSiteExportNames names("/sites/meadow", "meadow");
    const struct {
        const char *source, *copy;
    } cases[] = {
        {"/home/u/pictures/pano.bmp", "meadow.bmp"},
        {"C:\\pictures\\pano.JPG", "meadow.JPG"},
        {"/home/u/pano.v2.jpeg", "meadow.jpeg"},
        {"/home/u/pano", "meadow"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(names.tvfSphereName(c.source), c.copy) << c.source;
        EXPECT_EQ(names.sphereCopy(c.source), std::string("/sites/meadow/") + c.copy) << c.source;
    }
    EXPECT_EQ(names.sound("/home/u/sounds/birds.wav"), "/sites/meadow/birds.wav");
}

TEST(SiteExportNames, FileSets) {
    const tbSiteExportNames names("/s/field", "field");
    auto content = [](uint32_t mode, std::array<bool, 6> faces, bool high) {
        tbSiteExportContent c;
        c.imageMode = mode;
        c.faces = faces;
        c.highSet = high;
        return c;
    };
    const std::array<bool, 6> all{true, true, true, true, true, true};
    tbSiteExportContent withEverything = content(0, all, true);
    withEverything.cubemap = withEverything.previousCubemap = true;
    withEverything.ambientSound = "/w/wind.wav";
    tbSiteExportContent sphere = content(1, {}, false);
    sphere.sphereImage = "/p/pano.png";
    sphere.cubemap = true;
    const struct {
        const char* what;
        tbSiteExportContent content;
        std::vector<std::string> files;
    } cases[] = {
        {"six faces with the high set",
         content(0, all, true),
         {"high/field#high3.dds", "high/field#high1.dds", "high/field#high6.dds", "high/field#high5.dds",
          "high/field#high4.dds", "high/field#high2.dds", "medium/field3.dds", "medium/field1.dds",
          "medium/field6.dds", "medium/field5.dds", "medium/field4.dds", "medium/field2.dds", "fieldicon.dds",
          "field.tvf"}},
        {"six faces without the high set",
         content(0, all, false),
         {"medium/field3.dds", "medium/field1.dds", "medium/field6.dds", "medium/field5.dds", "medium/field4.dds",
          "medium/field2.dds", "fieldicon.dds", "field.tvf"}},
        {"two faces with the high set",
         content(0, {true, false, false, false, false, true}, true),
         {"high/field#high3.dds", "high/field#high2.dds", "medium/field3.dds", "medium/field2.dds", "fieldicon.dds",
          "field.tvf"}},
        {"no faces", content(0, {}, false), {"fieldicon.dds", "field.tvf"}},
        {"cube map over an earlier one, and a sound",
         withEverything,
         {"high/field#high3.dds", "high/field#high1.dds", "high/field#high6.dds", "high/field#high5.dds",
          "high/field#high4.dds", "high/field#high2.dds", "medium/field3.dds", "medium/field1.dds",
          "medium/field6.dds", "medium/field5.dds", "medium/field4.dds", "medium/field2.dds", "fieldicon.dds",
          "fieldcubemap_copy.dds", "fieldcubemap.dds", "field.tvf", "wind.wav"}},
        {"spherical picture with a first cube map", sphere, {"field.png", "fieldcubemap.dds", "field.tvf"}},
        {"spherical mode without a picture", content(1, all, true), {"field.tvf"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> expected;
        for (std::string file : c.files)
            expected.push_back("/s/field/" + (file == "fieldcubemap_copy.dds" ? "fieldcubemap_copy.dds" : file));
        EXPECT_EQ(tbSiteExportFileSet(names, c.content), expected) << c.what;
    }
}

}  // namespace
