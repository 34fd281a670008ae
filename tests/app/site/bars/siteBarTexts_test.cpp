// The texts the site's bars read and write: the six face names "Auto" makes
// from one picture, numbers typed into the weather bar, and the surface and
// position kinds the lists show by name and store by id.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/site/bars/tbDecimalText.h"
#include "app/site/tbNamedIds.h"
#include "app/site/bars/tbPanoramaNames.h"
#include "app/site/tbFlyingSitePositionKinds.h"

TEST(AutoFaceNames, NumberedPicturesGiveTheSixFacesInSlotOrder) {
    const auto names = tbAutoFaceNames("/sites/lake/site1.bmp");
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (std::array<std::string, 6>{"/sites/lake/site3.bmp", "/sites/lake/site1.bmp",
                                                  "/sites/lake/site6.bmp", "/sites/lake/site5.bmp",
                                                  "/sites/lake/site4.bmp", "/sites/lake/site2.bmp"}));
    // Any face of the set and any extension length give the same set.
    const auto fromJpeg = tbAutoFaceNames("sky4.jpeg");
    ASSERT_TRUE(fromJpeg);
    EXPECT_EQ((*fromJpeg)[0], "sky3.jpeg");
    EXPECT_EQ((*fromJpeg)[5], "sky2.jpeg");
}

TEST(AutoFaceNames, ANameWithoutAFaceNumberNamesNoSet) {
    // These once lost characters or threw: the last five were cut blindly.
    for (const char* path : {"x.jpeg", "a.b", "", "pic", "/sites/a1.b/face", ".bmp", "/sites/.png", "sky.bmp"})
        EXPECT_FALSE(tbAutoFaceNames(path)) << path;
}

TEST(DecimalText, ReadsDecimalsAndTreatsOtherTextAsZero) {
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"2.5", 2.5f},  // was read as an integer: 2
        {"0.25", 0.25f}, {"-1.5", -1.5f}, {" 3 m/s", 3.0f}, {"+4", 4.0f}, {"7", 7.0f},
        {"", 0.0f},     {"abc", 0.0f},    {"nan", 0.0f},   {"1e999", 0.0f},
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(tbReadDecimal(c.text), c.value) << c.text;
}

TEST(DecimalText, WritesOneDecimalWithADot) {
    EXPECT_EQ(tbDecimalText(0.0f), "0.0");
    EXPECT_EQ(tbDecimalText(2.5f), "2.5");
    EXPECT_EQ(tbDecimalText(12.34f), "12.3");
    EXPECT_EQ(tbDecimalText(-0.75f), "-0.8");
}

TEST(NamedIds, NamesAreLookedUpExactlyAndIdsAreNotListPlaces) {
    EXPECT_EQ(tbIdOfName(kSurfaceKinds, "Gravel"), std::optional<uint32_t>(4));
    EXPECT_EQ(tbIdOfName(kSurfaceKinds, "Foliage"), std::optional<uint32_t>(9));
    EXPECT_FALSE(tbIdOfName(kSurfaceKinds, "gravel"));
    EXPECT_EQ(tbIndexOfId(kSurfaceKinds, 4), 3);
    EXPECT_EQ(tbIndexOfId(kSurfaceKinds, 3), -1);  // no surface kind 3
    EXPECT_EQ(tbIdOfName(kPositionKinds, "Fixed Wing"), std::optional<uint32_t>(1));
    EXPECT_EQ(tbIndexOfId(kPositionKinds, 5), 0);  // "All" leads the list
    EXPECT_EQ(tbIndexOfId(kPositionKinds, 9), -1);
}
