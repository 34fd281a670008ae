// The sorted listings and the depth-first first-match search on a tree made
// on disk by the test: the same name at two depths and in sibling folders,
// names differing only in case, an empty, an unreadable and a hidden folder,
// and a link back to the top (a loop).
#include "engine/core/simResourcesFolderCache.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "tests/support/tempFolder.h"

namespace {

namespace fs = std::filesystem;

class FolderCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"same.png", "Same.png", "b.txt", "a/same.png", "a/deep/target.png",
                                 "a/only_a.tga", "b/same.png", "b/deep/target.png", "b/deep/b_only.png",
                                 "locked/secret.png", ".hidden/h.png", "ends.", "x/y/z/bottom.dds"})
            touch(file);
        fs::create_directories(root() + "/empty");
        fs::create_directory_symlink(root(), root() + "/loop");
        chmod(temp.file("locked").c_str(), 0);
    }
    void TearDown() override { chmod(temp.file("locked").c_str(), 0755); }

    void touch(const std::string& relative) const {
        fs::path path = temp.file(relative);
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }
    std::string root() const { return temp.path(); }

    testsupport::TempFolder temp;
    simResourcesFolderCache cache;
};

TEST_F(FolderCacheTest, ListingsAreInByteOrderWithFilesAndFoldersApart) {
    auto listing = cache.list(root(), true);
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->files, (std::vector<std::string>{"Same.png", "b.txt", "ends.", "same.png"}));
    EXPECT_EQ(listing->folders,
              (std::vector<std::string>{".hidden", "a", "b", "empty", "locked", "loop", "x"}));
    EXPECT_EQ(cache.list(root() + "/missing", true), nullptr);
    auto empty = cache.list(root() + "/empty", false);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->files.empty() && empty->folders.empty());
}

TEST_F(FolderCacheTest, FirstMatchIsDepthFirstWithFilesBeforeSubFolders) {
    struct Case {
        const char* name;
        std::optional<std::string> folder;
    } cases[] = {
        {"same.png", ""},                                       // the top wins over a/ and b/
        {"Same.png", ""},                                       // case counts
        {"SAME.PNG", std::nullopt}, {"target.png", "/a/deep"},  // a/ before its sibling b/
        {"b_only.png", "/b/deep"},  {"only_a.tga", "/a"},
        {"bottom.dds", "/x/y/z"},   {"nowhere.png", std::nullopt},
    };
    for (bool cached : {false, true}) {
        for (const Case& c : cases) {
            EXPECT_EQ(cache.findFirst(root(), c.name, simHiddenEntries::shown, cached), c.folder)
                << c.name << (cached ? " cached" : " uncached");
        }
    }
}

TEST_F(FolderCacheTest, HiddenEntriesAreSkippedOnlyWhenAsked) {
    EXPECT_EQ(cache.findFirst(root(), "h.png", simHiddenEntries::shown, true), "/.hidden");
    EXPECT_EQ(cache.findFirst(root(), "h.png", simHiddenEntries::skipped, true), std::nullopt);
    EXPECT_EQ(cache.findFirst(root(), "ends.", simHiddenEntries::shown, false), "");
    EXPECT_EQ(cache.findFirst(root(), "ends.", simHiddenEntries::skipped, false), std::nullopt);
}

TEST_F(FolderCacheTest, LinkLoopsAreNotFollowedAndUnreadableFoldersArePassedOver) {
    std::vector<std::string> visited;
    cache.walk(root(), simHiddenEntries::skipped, true,
               [&](const std::string& relative, const simFolderListing&) {
                   visited.push_back(relative);
                   return true;
               });
    // loop/ leads back to the top, which is being searched already. Only a
    // user without the power to read anything can see locked/ refused.
    const bool locked = access(temp.file("locked").c_str(), R_OK) != 0;
    std::vector<std::string> expected{"", "/a", "/a/deep", "/b", "/b/deep", "/empty"};
    if (!locked) expected.push_back("/locked");
    for (const char* sub : {"/x", "/x/y", "/x/y/z"}) expected.push_back(sub);
    EXPECT_EQ(visited, expected);
    for (const std::string& relative : visited)
        EXPECT_EQ(relative.find("/loop"), std::string::npos) << relative;
    if (locked) {
        EXPECT_EQ(cache.findFirst(root(), "secret.png", simHiddenEntries::shown, true), std::nullopt);
    }
}

TEST_F(FolderCacheTest, CachedSearchSeesNewFilesOnlyAfterRefresh) {
    EXPECT_EQ(cache.findFirst(root(), "later.png", simHiddenEntries::shown, true), std::nullopt);
    touch("a/later.png");
    EXPECT_EQ(cache.findFirst(root(), "later.png", simHiddenEntries::shown, true), std::nullopt);
    EXPECT_EQ(cache.findFirst(root(), "later.png", simHiddenEntries::shown, false), "/a");
    cache.refresh();
    EXPECT_EQ(cache.findFirst(root(), "later.png", simHiddenEntries::shown, true), "/a");
}

TEST_F(FolderCacheTest, AFolderThatAppearsLaterIsListedThen) {
    EXPECT_EQ(cache.findFirst(root() + "/new", "n.png", simHiddenEntries::shown, true), std::nullopt);
    touch("new/n.png");
    EXPECT_EQ(cache.findFirst(root() + "/new", "n.png", simHiddenEntries::shown, true), "");
}

}  // namespace

namespace {

TEST(FolderNameTable, TheFirstEntryOfANameWinsThroughEveryGrowth) {
    simFolderNameTable table;
    EXPECT_EQ(table.find("a.bmp"), nullptr);
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(table.add("f" + std::to_string(i) + ".bmp", "/first"));
    EXPECT_FALSE(table.add("f7.bmp", "/second"));
    EXPECT_EQ(table.size(), 1000u);
    for (int i = 0; i < 1000; ++i) {
        const std::string* folder = table.find("f" + std::to_string(i) + ".bmp");
        ASSERT_NE(folder, nullptr) << i;
        EXPECT_EQ(*folder, "/first");
    }
    EXPECT_EQ(table.find("F7.bmp"), nullptr);
    EXPECT_EQ(table.find(""), nullptr);
}

}  // namespace
