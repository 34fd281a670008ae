// The export-name rules and Delete, on a fixture settings folder.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/shell/CDlgExportModel.h"
#include "platform/ui/messageBox.h"
#include "tests/support/tempFolder.h"

namespace {

std::vector<std::string> texts(const shell::ExportNamesModel& model) {
    std::vector<std::string> out;
    for (const shell::ExportEntry& e : model.entries()) out.push_back(e.text);
    return out;
}

}  // namespace

TEST(ExportNames, ForbiddenNames) {
    struct Case {
        const char* name;
        bool forbidden;
    } cases[] = {
        {"plain", false}, {"with space", false}, {"a#b", false}, {"", false}, {"...x", false},
        {".", true},      {"..", true},          {"a/b", true},  {"c:", true}, {"a\\b", true},
        {"?", true},      {"*", true},           {"\"", true},   {"<", true},  {">", true}, {"|", true},
    };
    for (const Case& c : cases) EXPECT_EQ(shell::isForbiddenExportName(c.name), c.forbidden) << c.name;
}

TEST(ExportNames, SchemesOfTheCurrentModelOnlyAndRefusalMessages) {
    testsupport::TempFolder settings;
    std::filesystem::create_directories(settings.file("Schemes"));
    for (const char* name : {"Alpha#Red.bmp", "Alpha#Blue.bmp", "Beta#Blue.bmp", "xAlpha#Green.bmp", "Alpha#Pic.png"})
        settings.write(std::string("Schemes/") + name, "b");
    shell::ExportNamesModel model = shell::ExportNamesModel::scheme(settings.path() + "/", "Alpha");
    EXPECT_EQ(texts(model), (std::vector<std::string>{"Blue", "Red"}));
    EXPECT_EQ(model.firstStartingWith("R"), 1);
    EXPECT_EQ(model.firstStartingWith("Z"), -1);

    ui::ScriptedAnswers answers;
    EXPECT_TRUE(model.acceptName("My scheme #2"));
    EXPECT_FALSE(model.acceptName("a:b"));
    ASSERT_EQ(answers.asked().size(), 1u);
    EXPECT_EQ(answers.asked()[0].text, "The scheme name cannot contain any of the following characters: \\/?:*\"<>|");
    EXPECT_EQ(answers.asked()[0].title, "Error exporting scheme");
    EXPECT_EQ(answers.asked()[0].kind, ui::MessageBoxKind::error);
}

// Each refused name is told why in its own dialog's words; an empty name
// passes (the caller takes it as a cancel).
TEST(ExportNames, EachRefusalHasAFittingMessage) {
    testsupport::TempFolder settings;
    const shell::ExportNamesModel scheme = shell::ExportNamesModel::scheme(settings.path() + "/", "Alpha");
    const shell::ExportNamesModel site = shell::ExportNamesModel::flyingSite(settings.path() + "/");
    const std::string schemeChars = "The scheme name cannot contain any of the following characters: \\/?:*\"<>|";
    const std::string siteChars = "The flying site filename cannot contain any of the following characters: \\/?:*\"<>|";
    struct Case {
        const shell::ExportNamesModel* model;
        const char* name;
        std::string message;  // empty: accepted
        const char* title;
    } cases[] = {
        {&scheme, ".", "The scheme name cannot be \".\" or \"..\".", "Error exporting scheme"},
        {&scheme, "..", "The scheme name cannot be \".\" or \"..\".", "Error exporting scheme"},
        {&scheme, "../x", schemeChars, "Error exporting scheme"},
        {&scheme, "", "", ""},
        {&scheme, "...", "", ""},
        {&site, "..", "The flying site filename cannot be \".\" or \"..\".", "Error exporting flying site"},
        {&site, "a|b", siteChars, "Error exporting flying site"},
        {&site, "", "", ""},
    };
    for (const Case& c : cases) {
        ui::ScriptedAnswers answers;
        EXPECT_EQ(c.model->acceptName(c.name), c.message.empty()) << c.name;
        if (c.message.empty()) {
            EXPECT_TRUE(answers.asked().empty()) << c.name;
            continue;
        }
        ASSERT_EQ(answers.asked().size(), 1u) << c.name;
        EXPECT_EQ(answers.asked()[0].text, c.message);
        EXPECT_EQ(answers.asked()[0].title, c.title);
    }
}

TEST(ExportNames, DeletingTheLastSchemeAfterConfirmation) {
    testsupport::TempFolder settings;
    std::filesystem::create_directories(settings.file("Schemes"));
    settings.write("Schemes/Alpha#Red.bmp", "b");
    shell::ExportNamesModel model = shell::ExportNamesModel::scheme(settings.path() + "/", "Alpha");
    {
        ui::ScriptedAnswers answers({ui::MessageAnswer::no});
        EXPECT_FALSE(model.deleteNamed("Red"));
        EXPECT_EQ(answers.asked().at(0).text, "Are you sure you want to delete the scheme \"Red\"?");
        EXPECT_EQ(answers.asked().at(0).title, "Confirm File Delete");
        EXPECT_TRUE(std::filesystem::exists(settings.file("Schemes/Alpha#Red.bmp")));
    }
    ui::ScriptedAnswers answers({ui::MessageAnswer::yes});
    EXPECT_TRUE(model.deleteNamed("Red"));
    EXPECT_FALSE(std::filesystem::exists(settings.file("Schemes/Alpha#Red.bmp")));
    EXPECT_TRUE(model.entries().empty());
    EXPECT_FALSE(model.deleteNamed("Red"));
    EXPECT_EQ(answers.asked().back().text, "The file could not be found (may already have been deleted)");
    EXPECT_EQ(answers.asked().back().title, "Error deleting scheme");
}

TEST(ExportNames, FlyingSiteDeleteStaysInsideItsFolder) {
    testsupport::TempFolder settings;
    std::filesystem::create_directories(settings.file("Flying sites/Meadow/images"));
    std::filesystem::create_directories(settings.file("Settings"));
    settings.write("Flying sites/Meadow/meadow.tvf", "f");
    settings.write("Flying sites/Meadow/images/sky.dds", "d");
    settings.write("Settings/tolvaneBuilderSettings.sim", "keep");
    std::filesystem::create_directory_symlink(settings.file("Settings"), settings.file("Flying sites/Link"));
    shell::ExportNamesModel model = shell::ExportNamesModel::flyingSite(settings.path() + "/");
    EXPECT_EQ(texts(model), (std::vector<std::string>{"Link", "Meadow"}));

    ui::ScriptedAnswers answers({ui::MessageAnswer::yes, ui::MessageAnswer::yes, ui::MessageAnswer::yes});
    // Names that reach outside are refused before anything is looked up.
    for (const char* name : {"..", ".", "../Settings", "../Settings/tolvaneBuilderSettings.sim", "Nope"})
        EXPECT_FALSE(model.deleteNamed(name)) << name;
    // A listed link to a folder elsewhere is not followed out.
    EXPECT_FALSE(model.deleteNamed("Link"));
    EXPECT_TRUE(std::filesystem::exists(settings.file("Settings/tolvaneBuilderSettings.sim")));
    EXPECT_EQ(answers.asked().front().title, "Error exporting flying site");
    EXPECT_EQ(answers.asked().back().title, "Error deleting flying site");
    // A real export, a folder, goes with everything in it.
    EXPECT_TRUE(model.deleteNamed("Meadow"));
    EXPECT_EQ(answers.asked().back().text, "Are you sure you want to delete the flying site \"Meadow\"?");
    EXPECT_FALSE(std::filesystem::exists(settings.file("Flying sites/Meadow")));
    EXPECT_EQ(texts(model), std::vector<std::string>{"Link"});
}

// A folder name's dots are part of the name: "Hill.old" is its own export,
// and deleting "Hill" must leave it alone.
TEST(ExportNames, FlyingSitesAreListedAndDeletedByTheirRealNames) {
    testsupport::TempFolder settings;
    for (const char* site : {"Hill", "Hill.old", "Club.v2.tvf"}) {
        std::filesystem::create_directories(settings.file(std::string("Flying sites/") + site));
        settings.write(std::string("Flying sites/") + site + "/site.tvf", "f");
    }
    shell::ExportNamesModel model = shell::ExportNamesModel::flyingSite(settings.path() + "/");
    EXPECT_EQ(texts(model), (std::vector<std::string>{"Club.v2.tvf", "Hill", "Hill.old"}));
    EXPECT_EQ(model.firstStartingWith("Hill."), 2);

    ui::ScriptedAnswers answers({ui::MessageAnswer::yes, ui::MessageAnswer::yes});
    EXPECT_TRUE(model.deleteNamed("Hill"));
    EXPECT_FALSE(std::filesystem::exists(settings.file("Flying sites/Hill")));
    EXPECT_TRUE(std::filesystem::exists(settings.file("Flying sites/Hill.old/site.tvf")));
    EXPECT_TRUE(model.deleteNamed("Hill.old"));
    EXPECT_FALSE(std::filesystem::exists(settings.file("Flying sites/Hill.old")));
    EXPECT_EQ(texts(model), std::vector<std::string>{"Club.v2.tvf"});
}

// A scheme name may hold dots; only the bitmap's ".bmp" is dropped.
TEST(ExportNames, SchemeNamesKeepTheirDots) {
    testsupport::TempFolder settings;
    std::filesystem::create_directories(settings.file("Schemes"));
    settings.write("Schemes/Alpha#Red.v2.bmp", "b");
    settings.write("Schemes/Alpha#A.b.bmp", "b");
    const shell::ExportNamesModel model = shell::ExportNamesModel::scheme(settings.path() + "/", "Alpha");
    EXPECT_EQ(texts(model), (std::vector<std::string>{"A.b", "Red.v2"}));
}

TEST(ExportNames, MissingFoldersGiveEmptyLists) {
    testsupport::TempFolder settings;
    EXPECT_TRUE(shell::ExportNamesModel::scheme(settings.path() + "/", "Alpha").entries().empty());
    EXPECT_TRUE(shell::ExportNamesModel::flyingSite(settings.path() + "/").entries().empty());
}
