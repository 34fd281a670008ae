// The user's folders from the XDG environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/sys/folders.h"
#include "tests/support/tempFolder.h"

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(Folders, DocumentsComeFromUserDirsWithHomeExpanded) {
    testsupport::TempFolder home;
    home.write("placeholder", "");
    std::string config = home.file("config");
    std::string docs = home.file("Docs");
    ASSERT_EQ(system(("mkdir -p '" + config + "' '" + docs + "'").c_str()), 0);
    home.write("config/user-dirs.dirs", "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    ScopedEnv h("HOME", home.path()), c("XDG_CONFIG_HOME", config);
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(sys::documentsFolder(), docs);
}

TEST(Folders, DocumentsFallBackToHomeWhenNoFolderExists) {
    testsupport::TempFolder home;
    ScopedEnv h("HOME", home.path() + "/"), c("XDG_CONFIG_HOME", home.file("none"));
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(sys::documentsFolder(), home.path());
}

TEST(Folders, LocalAppData) {
    ScopedEnv d("XDG_DATA_HOME", "/data/here/");
    EXPECT_EQ(sys::localAppDataFolder(), "/data/here");
}

TEST(Folders, DesktopAndPicturesEachReadTheirOwnUserDirsLine) {
    testsupport::TempFolder home;
    ASSERT_EQ(system(("mkdir -p '" + home.file("config") + "' '" + home.file("Desk") + "' '" + home.file("Pics") + "'").c_str()), 0);
    home.write("config/user-dirs.dirs",
               "XDG_DOCUMENTS_DIR=\"$HOME/none\"\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_PICTURES_DIR=\"$HOME/Pics\"\n");
    ScopedEnv h("HOME", home.path()), c("XDG_CONFIG_HOME", home.file("config"));
    unsetenv("XDG_DESKTOP_DIR");
    unsetenv("XDG_PICTURES_DIR");
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(sys::desktopFolder(), home.file("Desk"));
    EXPECT_EQ(sys::picturesFolder(), home.file("Pics"));
    EXPECT_EQ(sys::documentsFolder(), home.path());
}
