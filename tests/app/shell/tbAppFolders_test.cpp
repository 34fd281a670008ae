// A first run on a fresh account: the folders the editor writes to are made.
#include "app/shell/tbAppFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/tempFolder.h"

TEST(AppDataFolders, AreMadeWhenMissingAndKeptWhenPresent) {
    testsupport::TempFolder home;
    const std::string simulator = home.file("Documents/TolvaneSim/");
    ASSERT_TRUE(tbCreateAppDataFolders(simulator));
    for (const char* name : {"Settings", "Projects", "Schemes", "Flying sites"})
        EXPECT_TRUE(std::filesystem::is_directory(simulator + name)) << name;

    home.write("Documents/TolvaneSim/Projects/kept.tvp", "x");
    ASSERT_TRUE(tbCreateAppDataFolders(simulator));
    EXPECT_EQ(home.read("Documents/TolvaneSim/Projects/kept.tvp"), "x");

    // A file where a folder belongs is reported, and the others are still made.
    std::filesystem::remove_all(simulator);
    std::filesystem::create_directories(simulator);
    home.write("Documents/TolvaneSim/Schemes", "not a folder");
    std::string error;
    EXPECT_FALSE(tbCreateAppDataFolders(simulator, &error));
    EXPECT_NE(error.find("Schemes"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_directory(simulator + "Flying sites"));
}
