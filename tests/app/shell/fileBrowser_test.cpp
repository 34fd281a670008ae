// The file browser's decisions on a fixture folder, without a window.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/shell/CDlgFileBrowserModel.h"
#include "platform/ui/messageBox.h"
#include "tests/support/tempFolder.h"

namespace {

using Strings = std::vector<std::string>;

// a.bmp, B.JPG, c.jpeg, d.tvp, x.txt, a UTF-8 name, a dot-file and two folders.
class FileBrowserFolder : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.bmp", "B.JPG", "c.jpeg", "d.tvp", "x.txt", "\xC3\x9Cr\xC3\xBCn.bmp", ".hidden.bmp"})
            folder.write(name, "x");
        std::filesystem::create_directories(folder.file("zeta"));
        std::filesystem::create_directories(folder.file("Alpha/inner"));
    }
    std::vector<std::string> rowNames(const shell::FileBrowserModel& model) {
        std::vector<std::string> names;
        for (const shell::FileRow& row : model.rows()) names.push_back(row.name + (row.folder ? "/" : ""));
        return names;
    }
    testsupport::TempFolder folder;
};

}  // namespace

TEST(FileBrowserPaths, SplitPathAndFilterPatterns) {
    EXPECT_EQ(shell::splitPath("/home/me/x.tvp"), (Strings{"", "home", "me", "x.tvp"}));
    EXPECT_EQ(shell::splitPath("a\\b/"), (Strings{"a", "b", ""}));
    EXPECT_EQ(shell::splitPath(""), (Strings{""}));
    EXPECT_EQ(shell::splitFilterPatterns("*.bmp; *.jpg"), (Strings{"*.bmp", "*.jpg"}));
    EXPECT_EQ(shell::splitFilterPatterns("*.bmp;"), (Strings{"*.bmp"}));
    EXPECT_EQ(shell::splitFilterPatterns(";*.a"), (Strings{"", "*.a"}));
    EXPECT_EQ(shell::splitFilterPatterns(""), Strings{});

    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"a.bmp", "*.bmp", true}, {"a.BMP", "*.bmp", true}, {"a.bmp", "*.BMP", true}, {"c.jpeg", "*.jpg", false},
        {"c.jpeg", "*.jpeg", true}, {".bmp", "*.bmp", false}, {"abmp", "*.bmp", false}, {"README", "*.*", true},
        {"a.bmp", "bmp", false},
    };
    for (const Case& c : cases) EXPECT_EQ(shell::matchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;

    EXPECT_EQ(shell::parentFolder("/home/me"), "/home");
    EXPECT_EQ(shell::parentFolder("/home/me/"), "/home");
    EXPECT_EQ(shell::parentFolder("/home"), "/");
    EXPECT_EQ(shell::parentFolder("/"), "/");
    EXPECT_EQ(shell::joinPath("/", "etc"), "/etc");
    EXPECT_EQ(shell::joinPath("/a", "b"), "/a/b");
}

TEST_F(FileBrowserFolder, ListsFoldersFirstThenMatchingFilesShowingNonAsciiNames) {
    const shell::FolderListing images = shell::listFolder(folder.path(), "*.bmp; *.jpg");
    EXPECT_EQ(images.folders, (Strings{"Alpha", "zeta"}));
    EXPECT_EQ(images.files, (Strings{"a.bmp", "B.JPG", "\xC3\x9Cr\xC3\xBCn.bmp"}));
    EXPECT_EQ(shell::listFolder(folder.path(), "*.*").files.size(), 6u) << "every file but the hidden one";
    const shell::FolderListing none = shell::listFolder(folder.file("missing"), "*.*");
    EXPECT_TRUE(none.folders.empty() && none.files.empty());
}

TEST_F(FileBrowserFolder, OpensOnTheStartFolderWithTypesSortedAndLookInPlaces) {
    std::string result;
    shell::FileBrowserModel model(&result, {"*.tvp"}, folder.path() + "/", false);
    model.open();
    EXPECT_EQ(model.fileTypes(), (Strings{"*.tvp", "All files (*.*)"}));
    EXPECT_EQ(model.currentFolder(), folder.path());
    EXPECT_EQ(rowNames(model), (Strings{"Alpha/", "zeta/", "d.tvp"}));
    // The root first, then the current folder and its ancestors, deepest first.
    ASSERT_GE(model.lookIn().size(), 3u);
    EXPECT_EQ(model.lookIn()[0].path, "/");
    EXPECT_EQ(model.lookIn()[1].path, folder.path());
    EXPECT_EQ(model.lookIn()[2].path, shell::parentFolder(folder.path()));
    EXPECT_EQ(model.selectedLookIn(), 1);
    EXPECT_EQ(result, "");

    std::string none;
    shell::FileBrowserModel bare(&none, {}, folder.path(), false);
    EXPECT_EQ(bare.fileTypes(), Strings{"All files (*.*)"});
}

TEST_F(FileBrowserFolder, NavigatesDownUpAndThroughLookIn) {
    std::string result = "name.tvp";
    shell::FileBrowserModel model(&result, {"*.tvp"}, folder.path(), false);
    model.open();
    EXPECT_EQ(result, folder.file("name.tvp")) << "the default name below the start folder";
    EXPECT_FALSE(model.doubleClick({0}));  // Alpha
    EXPECT_EQ(model.currentFolder(), folder.file("Alpha"));
    EXPECT_EQ(rowNames(model), Strings{"inner/"});
    EXPECT_EQ(result, folder.file("Alpha/name.tvp"));
    model.goUp();
    EXPECT_EQ(model.currentFolder(), folder.path());
    model.chooseLookIn(0);
    EXPECT_EQ(model.currentFolder(), "/");
    model.goUp();
    EXPECT_EQ(model.currentFolder(), "/") << "Up stops at the root";
    model.chooseLookIn(99);
    EXPECT_EQ(model.currentFolder(), "/");
}

TEST_F(FileBrowserFolder, TypedNamesAreRelativeUnlessAbsolute) {
    std::string result;
    shell::FileBrowserModel model(&result, {"*.tvp"}, folder.path(), false);
    model.open();
    model.typed("sub/file.tvp");
    EXPECT_EQ(result, folder.file("sub/file.tvp"));
    model.typed("/tmp/elsewhere.tvp");
    EXPECT_EQ(result, "/tmp/elsewhere.tvp");
    model.typed("");
    EXPECT_EQ(result, "");
    EXPECT_FALSE(model.ok()) << "an empty result keeps the dialog open";
}

TEST_F(FileBrowserFolder, OkInOpenModeNeedsAnExistingFile) {
    std::string result;
    shell::FileBrowserModel model(&result, {"*.tvp"}, folder.path(), false);
    model.open();
    model.typed("missing.tvp");
    EXPECT_FALSE(model.ok());
    model.typed("Alpha");
    EXPECT_FALSE(model.ok()) << "a folder is not a file";
    model.click({2});
    EXPECT_EQ(result, folder.file("d.tvp"));
    EXPECT_EQ(model.editText(), "d.tvp");
    EXPECT_TRUE(model.ok());
    model.click({0});
    EXPECT_EQ(result, "") << "a folder click chooses nothing";
    model.cancel();
    EXPECT_EQ(result, "");
}

TEST_F(FileBrowserFolder, SaveModeAddsTheTypesExtensionAndAsksBeforeReplacing) {
    struct Case {
        const char* typed;
        int fileType;  // 0 "*.bmp", 1 "*.png", 2 all files
        std::vector<ui::MessageAnswer> answers;
        const char* result;
        bool ends;
        bool asked;
    } cases[] = {
        {"new", 0, {}, "new.bmp", true, false},
        {"new.BMP", 0, {}, "new.BMP", true, false},
        {"new.bmp", 1, {}, "new.bmp.png", true, false},
        {"new", 2, {}, "new", true, false},
        {"a", 0, {ui::MessageAnswer::no}, "a.bmp", false, true},
        {"a.bmp", 0, {ui::MessageAnswer::yes}, "a.bmp", true, true},
    };
    for (const Case& c : cases) {
        ui::ScriptedAnswers answers({c.answers.begin(), c.answers.end()});
        std::string result;
        shell::FileBrowserModel model(&result, {"*.png", "*.bmp"}, folder.path(), true);
        model.open();
        model.chooseFileType(c.fileType);
        model.typed(c.typed);
        EXPECT_EQ(model.ok(), c.ends) << c.typed;
        EXPECT_EQ(result, folder.file(c.result)) << c.typed;
        ASSERT_EQ(answers.asked().size(), c.asked ? 1u : 0u) << c.typed;
        if (c.asked) {
            EXPECT_EQ(answers.asked()[0].text, folder.file(c.result) + " already exists.\nDo you want to replace it?");
            EXPECT_EQ(answers.asked()[0].title, "Save As");
        }
    }
}

// A save under a name the browser would hide (it lists no name starting with
// '.') is refused with a message; the dialog stays open and the typed name is
// kept for correcting. A name that only passes through "." or ".." is fine.
TEST_F(FileBrowserFolder, SaveModeRefusesNamesThatWouldMakeAHiddenFile) {
    for (const char* typed : {".", "..", ".tvp", ".hidden.bmp", "Alpha/", "Alpha/.", "Alpha/.."}) {
        ui::ScriptedAnswers answers;
        std::string result;
        shell::FileBrowserModel model(&result, {"*.bmp"}, folder.path(), true);
        model.open();
        model.typed(typed);
        EXPECT_FALSE(model.ok()) << typed;
        EXPECT_EQ(result, folder.file(typed)) << typed;
        ASSERT_EQ(answers.asked().size(), 1u) << typed;
        EXPECT_EQ(answers.asked()[0].text,
                  "A file name cannot be empty or begin with \".\": such a file is hidden and would not be listed.\n"
                  "Please type another name.");
        EXPECT_EQ(answers.asked()[0].title, "Save As");
        EXPECT_EQ(answers.asked()[0].kind, ui::MessageBoxKind::error);
    }
    for (const char* typed : {"Alpha/../new", "./new", "new.", "a.b"}) {
        ui::ScriptedAnswers answers;
        std::string result;
        shell::FileBrowserModel model(&result, {"*.bmp"}, folder.path(), true);
        model.open();
        model.typed(typed);
        EXPECT_TRUE(model.ok()) << typed;
        EXPECT_EQ(result, folder.file(typed) + ".bmp") << typed;
        EXPECT_TRUE(answers.asked().empty()) << typed;
    }
}

TEST_F(FileBrowserFolder, DeleteRemovesTheSelectedRowsFileAfterShowingItsPath) {
    std::string result;
    shell::FileBrowserModel model(&result, {"*.bmp"}, folder.path(), false);
    model.open();
    // Typed text never picks what is deleted: only the selected row does.
    model.typed("/etc/passwd");
    {
        ui::ScriptedAnswers answers({ui::MessageAnswer::no});
        model.deleteSelected({2});  // a.bmp
        ASSERT_EQ(answers.asked().size(), 1u);
        EXPECT_EQ(answers.asked()[0].text, "Are you sure you want to delete the file \"" + folder.file("a.bmp") + "\"?");
        EXPECT_EQ(answers.asked()[0].title, "Confirm File Delete");
        EXPECT_TRUE(std::filesystem::exists(folder.file("a.bmp")));
    }
    {
        ui::ScriptedAnswers answers({ui::MessageAnswer::yes});
        model.deleteSelected({0});  // a folder: nothing is asked or deleted
        EXPECT_TRUE(answers.asked().empty());
        model.deleteSelected({2});
        EXPECT_FALSE(std::filesystem::exists(folder.file("a.bmp")));
        EXPECT_EQ(rowNames(model), (Strings{"Alpha/", "zeta/", "\xC3\x9Cr\xC3\xBCn.bmp"}));
    }
}
