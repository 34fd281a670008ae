// The path, case, crop and number-text helpers, as tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/utilsStrings.h"

struct PathCase {
    const char* input;
    const char* expected;
};

TEST(UtilsStrings, StripExtensionRemovesOnlyThreeLetterExtensions) {
    const PathCase cases[] = {{"a.bmp", "a"}, {"a.tga", "a"}, {"file.jpeg", "file.jpeg"},
                              {"a.fx", "a.fx"}, {".bmp", ""}, {"bmp", "bmp"}, {"", ""}};
    for (const PathCase& c : cases) EXPECT_EQ(utils::stripExtension(c.input), c.expected) << c.input;
}

TEST(UtilsStrings, GetDirectoryGivesTheFolderWithATrailingSlash) {
    const PathCase cases[] = {
        {"\"C:\\Prog\\tool.exe", "C:/Prog/"},
        {"C:\\Prog\\tool.exe", "C:/Prog/"},
        {"/usr/lib/tolvane/tolvaneBuilder", "/usr/lib/tolvane/"},
        {"resources/textures/a.bmp", "resources/textures/"},
        {"tool.exe", "./"},          // a bare name lies in the current folder
        {"\"tool.exe\"", "./"},
        {"/tool", "/"},              // a file in the root folder
        {"", "./"},
    };
    for (const PathCase& c : cases) EXPECT_EQ(utils::getDirectory(c.input), c.expected) << c.input;
}

TEST(UtilsStrings, GetFileNameTakesWhatFollowsTheLastSeparator) {
    const PathCase cases[] = {{"C:/a/b.txt", "b.txt"}, {"b.txt", "b.txt"}, {"a\\b\\c.geo", "c.geo"},
                              {"folder/", ""}, {"", ""}};
    for (const PathCase& c : cases) EXPECT_EQ(utils::getFileName(c.input), c.expected) << c.input;
}

TEST(UtilsStrings, GetExtensionTable) {
    struct Case {
        const char* path;
        int mode;
        const char* expected;
    };
    const Case cases[] = {{"model.GEO", 0, "geo"}, {"README", 0, "  "}, {"x.fx", 2, "FX"},
                          {"a.b", 1, "B"},        {"a.jpeg", 0, "  "}, {"shader.fx", 0, "fx"},
                          {".bmp", 0, "  "},      {"a.BMP", 3, "BMP"}};
    for (const Case& c : cases) EXPECT_EQ(utils::getExtension(c.path, c.mode), c.expected) << c.path;
}

TEST(UtilsStrings, ConvertCaseTouchesOnlyAsciiLetters) {
    EXPECT_EQ(utils::convertCase("Hello World 9\xc3\x89", 0), "hello world 9\xc3\x89");
    EXPECT_EQ(utils::convertCase("hello", 1), "Hello");
    EXPECT_EQ(utils::convertCase("", 1), "");
    EXPECT_EQ(utils::convertCase("Hello", 2), "HELLO");
    EXPECT_EQ(utils::convertCase("Hello", 3), "Hello");
    EXPECT_EQ(utils::convertCase("Hello", 42), "Hello");
}

TEST(UtilsStrings, CropStringClipsToTheLength) {
    EXPECT_EQ(utils::cropString("abcdef", 2, true), "ab");
    EXPECT_EQ(utils::cropString("abcdef", 2, false), "cdef");
    EXPECT_EQ(utils::cropString("abcdef", 10, true), "abcdef");
    EXPECT_EQ(utils::cropString("abcdef", 10, false), "");
    EXPECT_EQ(utils::cropString("abcdef", -3, true), "");
}

TEST(UtilsStrings, LogTextForms) {
    EXPECT_EQ(utils::toString(1.0), "1.00000");
    EXPECT_EQ(utils::toString(-5), "-5");
    EXPECT_EQ(utils::toString(d3dx::Vector2(0.5f, -2.0f)), "[0.5000,-2.0000]");
    EXPECT_EQ(utils::toString("text"), "text");
    std::tm t{};
    t.tm_mday = 8;
    t.tm_mon = 8;
    t.tm_year = 109;
    t.tm_hour = 14;
    t.tm_min = 3;
    t.tm_sec = 7;
    EXPECT_EQ(utils::formatDate(t) + " " + utils::formatTime(t), "08/09/2009 14:03:07");
}

TEST(UtilsStrings, FloatToShortStringTable) {
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {{1.25f, "1.25"}, {1.2f, "1.2"},    {0.0123f, "0.012"}, {2.125f, "2.12"},
                          {3.0f, "3.0"},   {-0.5f, "-0.5"}, {100.0f, "100.0"}};
    for (const Case& c : cases) EXPECT_EQ(utils::floatToShortString(c.value), c.expected) << c.value;
}

TEST(UtilsStrings, FormatValueForRangeTable) {
    EXPECT_EQ(utils::formatValueForRange(5.25f, 0, 200), "5");
    EXPECT_EQ(utils::formatValueForRange(150.4f, 0, 1), "150");
    EXPECT_EQ(utils::formatValueForRange(5.25f, 10, 0), "5.2");
    EXPECT_EQ(utils::formatValueForRange(0.256f, 0, 0.5f), "0.26");
}

TEST(UtilsStrings, UniqueCopyNameTable) {
    struct Case {
        const char* name;
        std::vector<std::string> names;
        const char* expected;
    };
    const Case cases[] = {
        {"Tree", {}, "Tree"},
        {"Tree", {"Tree"}, "Tree Copy"},
        {"Tree", {"Tree", "Tree Copy"}, "Tree Copy 2"},
        {"Tree", {"Tree", "Tree Copy", "Tree Copy 2"}, "Tree Copy 3"},
        {"Tree Copy 2", {"Tree Copy 2"}, "Tree Copy 3"},
        {"Wing Copy 3", {"Wing Copy 3", "Wing Copy 2"}, "Wing Copy 4"},
        {"Wing Copy", {"Wing Copy"}, "Wing Copy 2"},
        // "Copy" inside a word or in the middle does not make a copy name.
        {"Copycat", {"Copycat"}, "Copycat Copy"},
        {"Copy Shop", {"Copy Shop"}, "Copy Shop Copy"},
        {"Tree Copy x", {"Tree Copy x"}, "Tree Copy x Copy"},
        // Names compare exactly.
        {"tree", {"Tree"}, "tree"},
    };
    for (const Case& c : cases) EXPECT_EQ(utils::makeUniqueCopyName(c.name, c.names), c.expected) << c.name;
}

TEST(UtilsStrings, UniqueCopyNameCountsPastNinetyNine) {
    std::vector<std::string> names = {"Marker", "Marker Copy"};
    for (int k = 2; k <= 120; ++k) names.push_back("Marker Copy " + std::to_string(k));
    std::string name = utils::makeUniqueCopyName("Marker", names);
    EXPECT_EQ(name, "Marker Copy 121");
}
