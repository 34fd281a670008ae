// File helpers: copies that report failure, existence of regular files only,
// and the program's folder from the running executable.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

#include "engine/core/simConsole.h"
#include "engine/core/utilsFiles.h"
#include "tests/support/tempFolder.h"

TEST(UtilsFiles, CopyFileCopiesAndHonoursOverwrite) {
    testsupport::TempFolder folder;
    folder.write("a.txt", "first");
    folder.write("b.txt", "second");
    EXPECT_TRUE(utils::copyFile(folder.file("a.txt"), folder.file("c.txt"), false));
    EXPECT_EQ(folder.read("c.txt"), "first");

    EXPECT_FALSE(utils::copyFile(folder.file("b.txt"), folder.file("c.txt"), false));
    EXPECT_EQ(folder.read("c.txt"), "first");
    EXPECT_TRUE(utils::copyFile(folder.file("b.txt"), folder.file("c.txt"), true));
    EXPECT_EQ(folder.read("c.txt"), "second");
}

TEST(UtilsFiles, FailedCopyIsReportedAndLogged) {
    testsupport::TempFolder folder;
    simConsole::HostInfo host{"t", "2.5.a", "./", folder.path()};
    auto console = std::make_unique<simConsole>("diag.txt", false, host);
    EXPECT_FALSE(utils::copyFile(folder.file("missing.txt"), folder.file("out.txt"), true));
    EXPECT_FALSE(utils::fileExists(folder.file("out.txt")));
    const std::string& last = console->getHistory().back();
    EXPECT_EQ(last.rfind("ERROR:utils::copyFile:", 0), 0u) << last;
    EXPECT_NE(last.find("missing.txt"), std::string::npos) << last;

    folder.write("a.txt", "x");
    EXPECT_FALSE(utils::copyFile(folder.file("a.txt"), folder.file("no/such/folder/a.txt"), true));
}

TEST(UtilsFiles, FileExistsOnlyForRegularFiles) {
    testsupport::TempFolder folder;
    folder.write("a.txt", "");
    EXPECT_TRUE(utils::fileExists(folder.file("a.txt")));
    EXPECT_FALSE(utils::fileExists(folder.path()));
    EXPECT_FALSE(utils::fileExists(folder.file("nothing")));
}

TEST(UtilsFiles, ProgramFolderIsTheFolderOfTheRunningExecutable) {
    std::string folder = utils::getProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.front(), '/');
    EXPECT_TRUE(utils::fileExists(folder + "engine_core_tests"));
}
