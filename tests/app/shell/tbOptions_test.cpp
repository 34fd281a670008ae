// The settings file: the exact text written, the per-key reading rules, and a
// save that never costs the previous file.
#include "app/shell/tbOptions.h"

#include <gtest/gtest.h>
#include <lua.hpp>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/shell/tbAtomicSave.h"
#include "app/shell/tbToolState.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simScriptManager.h"
#include "platform/ui/messageBox.h"
#include "tests/support/colourRecords.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/wholeFile.h"

namespace {

using testsupport::fileText;

using testsupport::rgb;

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest() : engine(simLinkResourceSystem) {
        std::filesystem::create_directories(engine.settings.file("Settings"));
    }
    void writeSettings(const std::string& text) {
        engine.settings.write("Settings/" + std::string(tbOptions::kFileName), text);
    }
    std::string settingsPath() const { return engine.settings.file("Settings/" + std::string(tbOptions::kFileName)); }

    testsupport::HeadlessEngine engine;
    tbToolState tools;
};

// The values behind the golden file.
void fillGoldenValues(tbOptions& options, tbToolState& tools) {
    options.forceNoMipmaps = true;
    options.lightingMode = 2;
    options.windowSizeX = 1280.9f;
    options.windowSizeY = 720.0f;
    options.windowPosX = -4.7f;
    options.windowPosY = 33.2f;
    options.maximised = false;
    options.backdropColour = rgb(12, 34, 56);
    tools.setMainColour(rgb(200, 100, 50));
    tools.setSecondColour(rgb(10, 20, 30));
    tools.setBrushSize(17.9f, 0, 100);
    tools.setBrushHardness(85.5f);
    tools.setBrushAngle(359.99f);
    tools.setTool(5);
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 5; ++column)
            if (row + column > 0) options.swatch(row, column).red = row * 5 + column;
    options.swatch(5, 4) = rgb(1, 2, 3, 128);
}

TEST_F(SettingsFileTest, SavedFileMatchesTheGoldenFileByteForByte) {
    tbOptions options(tools);
    fillGoldenValues(options, tools);
    ASSERT_TRUE(options.save(tbOptions::kFileName));
    EXPECT_EQ(fileText(settingsPath()), fileText(TOLVANE_SOURCE_DIR "/tests/app/shell/golden/tolvaneBuilderSettings.sim"));
    // No temporary is left beside it.
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(engine.settings.file("Settings"))) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(SettingsFileTest, WrittenFileReadsBackEveryValue) {
    tbOptions written(tools);
    fillGoldenValues(written, tools);
    ASSERT_TRUE(written.save(tbOptions::kFileName));

    tbToolState readTools;
    tbOptions read(readTools);
    read.load(tbOptions::kFileName);
    EXPECT_TRUE(read.forceNoMipmaps);
    EXPECT_EQ(read.lightingMode, 2);
    EXPECT_EQ(read.windowSizeX, 1280.0f);
    EXPECT_EQ(read.windowPosX, -4.0f);  // written truncated
    EXPECT_EQ(read.windowPosY, 33.0f);
    EXPECT_FALSE(read.maximised);
    EXPECT_TRUE(read.showSecondView);
    EXPECT_EQ(read.backdropColour, rgb(12, 34, 56));
    EXPECT_EQ(readTools.mainColour(), rgb(200, 100, 50));
    EXPECT_EQ(readTools.secondColour(), rgb(10, 20, 30));
    EXPECT_EQ(readTools.brushSize(), 17.0f);
    EXPECT_EQ(readTools.brushHardness(), 85.0f);
    EXPECT_EQ(readTools.brushAngle(), 359.0f);
    EXPECT_EQ(read.currentTool, 5);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(read.swatches[i], written.swatches[i]) << "swatch " << i;
    EXPECT_TRUE(engine.errors.reports().empty());
}

struct ReadCase {
    const char* name;
    std::string text;
    void (*check)(const tbOptions&, const tbToolState&);
};

TEST_F(SettingsFileTest, ReadingTable) {
    const std::vector<ReadCase> cases = {
        {"only the main colour's red", "options = {}\noptions.colour_r = 0\n",
         [](const tbOptions& o, const tbToolState& t) {
             EXPECT_EQ(t.mainColour(), rgb(0, 255, 255));
             EXPECT_EQ(t.secondColour(), rgb(0, 0, 0));
             EXPECT_EQ(o.swatches[7], rgb(75, 75, 75));
             EXPECT_TRUE(o.maximised);
             EXPECT_EQ(o.windowSizeX, 1024.0f);
         }},
        {"fractional switches", "options = {maximised = 0.5, antialiasing = 0.5, showSecondView = 0, "
                                "showPaintableObjectsOnly = 0.9, forceNoMipmaps = -1.5}\n",
         [](const tbOptions& o, const tbToolState&) {
             EXPECT_TRUE(o.maximised);  // any non-zero number
             EXPECT_FALSE(o.antialiasing);  // the whole part only
             EXPECT_FALSE(o.showSecondView);
             EXPECT_FALSE(o.showPaintableObjectsOnly);
             EXPECT_TRUE(o.forceNoMipmaps);
         }},
        {"out of range", "options = {brushSize = 150, brushAngle = -30, brushHardness = 250, "
                         "colour_r = 256, colour_g = -1, backdropColour_b = 1000, swatchColour_2_3_a = -7}\n",
         [](const tbOptions& o, const tbToolState& t) {
             EXPECT_EQ(t.brushSize(), 100.0f);
             EXPECT_EQ(t.brushAngle(), 360.0f);
             EXPECT_EQ(t.brushHardness(), 100.0f);
             // Components are kept to 0..255 rather than wrapping when packed.
             EXPECT_EQ(t.mainColour(), rgb(255, 0, 255));
             EXPECT_EQ(o.backdropColour, rgb(0, 0, 255));
             EXPECT_EQ(o.swatch(2, 3), rgb(75, 75, 75, 0));
         }},
        {"strings, tables and booleans where numbers belong",
         "options = {brushSize = 'big', lightingMode = {}, windowPos_x = true, colour_r = '12', "
         "windowSize_y = ' 600 ', currentTool = 'x'}\n",
         [](const tbOptions& o, const tbToolState& t) {
             EXPECT_EQ(t.brushSize(), 5.0f);
             EXPECT_EQ(o.lightingMode, 0);
             EXPECT_EQ(o.windowPosX, 0.0f);
             EXPECT_EQ(t.mainColour().red, 12);  // a string Lua reads as a number counts
             EXPECT_EQ(o.windowSizeY, 600.0f);
             EXPECT_EQ(o.currentTool, 0);
         }},
        {"not-a-number and infinities", "options = {brushSize = 0/0, windowPos_x = 1/0, colour_r = -1/0, lightingMode = 1e300}\n",
         [](const tbOptions& o, const tbToolState& t) {
             EXPECT_EQ(t.brushSize(), 5.0f);
             EXPECT_EQ(o.windowPosX, 0.0f);
             EXPECT_EQ(t.mainColour().red, 255);
             EXPECT_EQ(o.lightingMode, 2147483647);
         }},
        {"tools", "options = {currentTool = 3}\n",
         [](const tbOptions& o, const tbToolState&) { EXPECT_EQ(o.currentTool, 3); }},
        {"an unknown tool is no tool", "options = {currentTool = 42}\n",
         [](const tbOptions& o, const tbToolState&) { EXPECT_EQ(o.currentTool, 0); }},
        {"options is not a table", "options = 7\n",
         [](const tbOptions& o, const tbToolState& t) {
             EXPECT_EQ(t.mainColour(), rgb(255, 255, 255));
             EXPECT_EQ(t.secondColour(), rgb(0, 0, 0));
             EXPECT_TRUE(o.showPaintableObjectsOnly);
         }},
        {"syntax error", "options = {}\noptions.brushSize = = 3\n",
         [](const tbOptions& o, const tbToolState& t) {
             EXPECT_EQ(t.brushSize(), 5.0f);
             EXPECT_EQ(t.secondColour(), rgb(0, 0, 0));
             EXPECT_EQ(o.swatches[29], rgb(75, 75, 75));
         }},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings(c.text);
        tbToolState caseTools;
        tbOptions options(caseTools);
        options.load(tbOptions::kFileName);
        c.check(options, caseTools);
        // Whatever the file held, the Lua stack is as it was.
        EXPECT_EQ(lua_gettop(g_scriptManager->getState()), 0);
    }
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultsEvenAfterAnotherOptionsTable) {
    // The engine's options use the same global name; a missing settings file
    // must not be read from whatever table an earlier script left behind.
    g_scriptManager->executeString("options = {brushSize = 77, colour_r = 1, maximised = 0}");
    tbOptions options(tools);
    options.load(tbOptions::kFileName);
    EXPECT_EQ(tools.brushSize(), 5.0f);
    EXPECT_EQ(tools.mainColour(), rgb(255, 255, 255));
    EXPECT_TRUE(options.maximised);
}

TEST_F(SettingsFileTest, FailedSaveKeepsThePreviousFileAndSaysSo) {
    const std::string previous = "options = {}\noptions.brushSize = 42\n";
    writeSettings(previous);
    tbOptions options(tools);

    // The disk fills up mid-write: the process may write only a few bytes.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved100 = options.save(tbOptions::kFileName);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(saved100);
    EXPECT_EQ(fileText(settingsPath()), previous);
    // The diagnostic file was limited too; the console's history has the line.
    bool reported = false;
    for (const std::string& text : g_console->getHistory())
        reported |= text == "tbOptions::save - ERROR FILE HANDLE INVALID: " + settingsPath() + "\n";
    EXPECT_TRUE(reported);
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(engine.settings.file("Settings"))) ++files;
    EXPECT_EQ(files, 1) << "the temporary is removed";

    // The folder cannot take a new file at all.
    std::filesystem::remove_all(engine.settings.file("Settings"));
    EXPECT_FALSE(options.save(tbOptions::kFileName));
}

// At exit the user is told, saying whether the settings saved before stay.
TEST_F(SettingsFileTest, AFailedSaveAtExitIsToldToTheUser) {
    const tbOptions options(tools);
    {
        ui::ScriptedAnswers answers;
        options.saveAtExit(tbOptions::kFileName);
        EXPECT_TRUE(answers.asked().empty()) << "a save that works says nothing";
    }
    // The settings file's place is taken by a folder: the rename over it fails.
    std::filesystem::remove(settingsPath());
    std::filesystem::create_directories(settingsPath() + "/taken");
    {
        ui::ScriptedAnswers answers;
        options.saveAtExit(tbOptions::kFileName);
        ASSERT_EQ(answers.asked().size(), 1u);
        EXPECT_EQ(answers.asked()[0].title, "Save settings");
        EXPECT_EQ(answers.asked()[0].kind, ui::MessageBoxKind::error);
        EXPECT_EQ(answers.asked()[0].text.rfind("The settings could not be saved to\n" + settingsPath() + "\n", 0), 0u)
            << answers.asked()[0].text;
        EXPECT_EQ(answers.asked()[0].text.find("saved before are kept"), std::string::npos) << "there were none";
    }
    // A settings file that stays as it was says so: the disk fills up mid-write.
    std::filesystem::remove_all(settingsPath());
    writeSettings("options = {}\n");
    {
        ui::ScriptedAnswers answers;
        signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        options.saveAtExit(tbOptions::kFileName);
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, SIG_DFL);
        ASSERT_EQ(answers.asked().size(), 1u);
        EXPECT_NE(answers.asked()[0].text.find("\nThe settings saved before are kept."), std::string::npos);
    }
}

TEST(AtomicSave, ReplacesTheFileWhole) {
    testsupport::TempFolder folder;
    folder.write("a.txt", "old old old old");
    std::string error;
    ASSERT_TRUE(tbSaveFileAtomically(folder.file("a.txt"), "new", &error)) << error;
    EXPECT_EQ(folder.read("a.txt"), "new");
    EXPECT_FALSE(tbSaveFileAtomically(folder.file("missing/a.txt"), "x", &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

}  // namespace
