// File copies report their failures; only regular files count as files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/sys/files.h"
#include "tests/support/tempFolder.h"

TEST(SysFiles, CopyKeepsOrReplacesTheTargetAndSaysWhyItFailed) {
    testsupport::TempFolder folder;
    folder.write("a", std::string(200000, 'x'));  // more than one buffer
    std::string error;
    ASSERT_TRUE(sys::copyFile(folder.file("a"), folder.file("b"), false, &error)) << error;
    EXPECT_EQ(folder.read("b"), std::string(200000, 'x'));

    folder.write("c", "c");
    EXPECT_FALSE(sys::copyFile(folder.file("c"), folder.file("b"), false, &error));
    EXPECT_NE(error.find(folder.file("b")), std::string::npos) << error;
    EXPECT_EQ(folder.read("b").size(), 200000u);

    EXPECT_FALSE(sys::copyFile(folder.path(), folder.file("d"), true, &error));
    EXPECT_FALSE(sys::isRegularFile(folder.file("d")));
}

TEST(SysFiles, RegularFilesAndFolders) {
    testsupport::TempFolder folder;
    folder.write("a", "");
    EXPECT_TRUE(sys::isRegularFile(folder.file("a")));
    EXPECT_FALSE(sys::isDirectory(folder.file("a")));
    EXPECT_TRUE(sys::isDirectory(folder.path()));
    EXPECT_FALSE(sys::isRegularFile(folder.path()));
}

TEST(SysFiles, ExecutablePathNamesThisTest) {
    std::string exe = sys::executablePath();
    EXPECT_EQ(exe.substr(exe.rfind('/') + 1), "platform_sys_tests");
}
