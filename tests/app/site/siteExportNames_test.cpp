// The exported site's file names and the slot-to-file numbering.
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

}  // namespace
