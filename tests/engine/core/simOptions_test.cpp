// The engine options: defaults, the file text, the round trip through the
// Lua host and the reading rule of each key.
#include "engine/core/simOptions.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "engine/core/simDynamics.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/utilsStrings.h"
#include "tests/support/headlessEngine.h"

namespace {

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() : engine(simLinkResourceSystem) {
        simApplication::setProcessCommandLine(temp.path() + "/bin/tolvaneBuilder -SETTINGSPATH " +
                                              temp.path() + "/");
        engine.app().parseCommandLine();
        std::filesystem::create_directories(temp.path() + "/Settings");
        options = std::make_unique<simOptions>();
    }

    std::string body() { return body(*options); }
    static std::string body(simOptions& from) {
        char* text = nullptr;
        size_t size = 0;
        FILE* file = open_memstream(&text, &size);
        from.writeBody(file);
        std::fclose(file);
        std::string result(text, size);
        std::free(text);
        return result;
    }
    // Runs Lua text that sets up `options`, then reads it into fresh options.
    bool loadFromText(const std::string& lua) {
        g_scriptManager->executeString(lua);
        return options->load("");
    }
    std::string fallbackLanguage() {
        std::string language;
        if (g_scriptManager->getGlobalTable("options") && g_scriptManager->getTableField("language")) {
            language = g_scriptManager->getString(0, 1);
            g_scriptManager->pop(1);
        }
        g_scriptManager->pop(1);
        return language;
    }

    testsupport::TempFolder temp;
    testsupport::HeadlessEngine engine;
    std::unique_ptr<simOptions> options;
};

TEST_F(OptionsTest, DefaultsAreWrittenInTheFileLayout) {
    EXPECT_EQ(g_options, options.get());
    EXPECT_EQ(body(),
              "--###########################\n--revAvivad Options\n\n"
              "options.default_dynamicsQuality = 180\n"
              "options.default_simulationSpeed = 100\n"
              "options.default_windowPosition_x = 0\n"
              "options.default_windowPosition_y = 0\n"
              "options.default_windowSize_x = 1024\n"
              "options.default_windowSize_y = 768\n"
              "options.default_windowState = 1\n"
              "options.default_screenResolution_x = 1024\n"
              "options.default_screenResolution_y = 768\n"
              "options.default_screenRefresh = 60\n"
              "options.default_fullscreen = 0\n"
              "options.default_guiTheme = \"default.thm\"\n"
              "options.default_renderProfiler = 0\n"
              "options.default_renderFrameCounter = 0\n"
              "options.default_vsync = 1\n"
              "options.default_smoothFramerate = 1\n"
              "options.default_antialiasing = 0\n"
              "options.default_glows = 0\n"
              "options.default_sunGlow = 0\n"
              "options.default_reflections = 1\n"
              "options.default_waterQuality = \"High\"\n"
              "options.default_shadowQuality = \"Medium\"\n"
              "options.default_particleQuality = \"High\"\n"
              "options.default_masterVolume = 100\n"
              "options.multiplayer_clientPort = 9002\n"
              "options.multiplayer_serverPort = 9003\n"
              "options.default_forceNoMipmaps = 0\n"
              "options.default_forceNoCompression = 0\n"
              "options.default_soundLibrary = \"XAudio\"\n"
              "\n\n");
}

TEST_F(OptionsTest, AMinimisedWindowIsSavedAsNormal) {
    options->default_windowState = 0;
    EXPECT_NE(body().find("options.default_windowState = 1\n"), std::string::npos);
    EXPECT_EQ(options->default_windowState, 1);
}

TEST_F(OptionsTest, SaveAndLoadGiveEveryValueBack) {
    options->default_windowSize_x = 800.7f;
    options->default_windowSize_y = -600.9f;
    options->default_windowPosition_x = 12;
    options->default_screenResolution_y = 1080;
    options->default_windowState = 2;
    options->default_masterVolume = 55.5f;
    options->default_dynamicsQuality = 90;
    options->multiplayer_serverPort = 1234;
    options->default_fullscreen = true;
    options->default_vsync = false;
    options->default_sunGlow = true;
    options->default_reflections = false;
    options->default_forceNoCompression = true;
    options->default_shadowQuality = "Low";
    options->default_soundLibrary = "Disable Sound";
    options->default_guiTheme = "my \"blue\" \\theme\n\x01.thm";  // quotes, a backslash, control characters
    options->save("options.sim");

    const std::string savedBody = body();
    const std::string savedTheme = options->default_guiTheme;
    options = std::make_unique<simOptions>();
    ASSERT_TRUE(options->load("options.sim"));
    EXPECT_EQ(options->default_windowSize_x, 800.0f);  // whole numbers in the file
    EXPECT_EQ(options->default_windowSize_y, -600.0f);
    EXPECT_EQ(options->default_masterVolume, 55.0f);
    EXPECT_EQ(options->default_windowPosition_x, 12.0f);
    EXPECT_EQ(options->default_screenResolution_y, 1080.0f);
    EXPECT_EQ(options->default_guiTheme, savedTheme);
    EXPECT_EQ(body(), savedBody);  // every other value too
    EXPECT_EQ(engine.errors.texts(), std::vector<std::string>{});
}

TEST_F(OptionsTest, EachKeyHasItsOwnRuleWhenMissingOrWrong) {
    options->default_dynamicsQuality = 77;
    options->default_screenRefresh = 75;
    options->default_fullscreen = true;
    options->default_guiTheme = "kept.thm";
    options->default_windowSize_x = 5;
    ASSERT_TRUE(loadFromText("options = {}"));
    EXPECT_EQ(options->default_dynamicsQuality, 77);  // unchanged
    EXPECT_EQ(options->default_screenRefresh, 75);
    EXPECT_TRUE(options->default_fullscreen);
    EXPECT_EQ(options->default_guiTheme, "kept.thm");
    EXPECT_EQ(options->default_windowSize_x, 1024.0f);   // a fixed value
    EXPECT_EQ(options->default_soundLibrary, "OpenAL");  // not the default XAudio
    EXPECT_TRUE(options->default_sunGlow);               // not the default false
    EXPECT_EQ(options->default_waterQuality, "High");
    EXPECT_EQ(options->multiplayer_clientPort, 9002);
    EXPECT_FALSE(options->default_reflections);  // reported, and false
    EXPECT_FALSE(options->default_antialiasing);
    EXPECT_EQ(options->default_masterVolume, 0.0f);
    EXPECT_EQ(options->default_shadowQuality, "");
    EXPECT_EQ(options->default_particleQuality, "");
    // Only these five keys report, in reading order.
    EXPECT_EQ(engine.errors.texts(),
              (std::vector<std::string>{"getNumber - invalid value", "getString - invalid value",
                                        "getString - invalid value", "getNumber - invalid value",
                                        "getNumber - invalid value"}));
}

TEST_F(OptionsTest, NumbersAreReadByTheirKindsRules) {
    ASSERT_TRUE(loadFromText(
        "options = { default_forceNoMipmaps = 0.5, default_forceNoCompression = -1.5, default_fullscreen = "
        "0.5,"
        " default_windowState = 0, default_dynamicsQuality = 179.9, default_simulationSpeed = -2.5,"
        " default_windowSize_x = '640', default_guiTheme = 12, default_vsync = 'no',"
        " default_masterVolume = 1e300, default_reflections = 1, default_antialiasing = 0,"
        " default_shadowQuality = 'Low', default_particleQuality = 3 }"));
    EXPECT_FALSE(options->default_forceNoMipmaps);  // the whole part only
    EXPECT_TRUE(options->default_forceNoCompression);
    EXPECT_TRUE(options->default_fullscreen);    // any number not 0.0
    EXPECT_EQ(options->default_windowState, 1);  // never minimised
    EXPECT_EQ(options->default_dynamicsQuality, 179);
    EXPECT_EQ(options->default_simulationSpeed, -2);
    EXPECT_EQ(options->default_windowSize_x, 640.0f);  // a string Lua reads as a number
    EXPECT_EQ(options->default_guiTheme, "12");
    EXPECT_TRUE(options->default_vsync);  // not a number: unchanged
    EXPECT_EQ(options->default_particleQuality, "3");
    EXPECT_EQ(engine.errors.texts(), std::vector<std::string>{});
    // A huge volume is stored; written out it is clamped, not undefined.
    EXPECT_NE(body().find("options.default_masterVolume = 2147483647\n"), std::string::npos);
}

TEST_F(OptionsTest, AFileThatCannotBeUsedChangesNothing) {
    struct Case {
        const char* file;  // written to Settings/options.sim; null: no file
        const char* logLine;
    } cases[] = {
        {nullptr, "ERROR: options file not located\n"},
        {"options = {", "ERROR: issue loading options file\n"},
        {"settings = {}", "ERROR: could not locate options table\n"},
        {"options = 5", "ERROR: could not locate options table\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(temp.path() + "/Settings/options.sim");
        if (c.file) temp.write("Settings/options.sim", c.file);
        options->default_dynamicsQuality = 42;
        g_scriptManager->executeString("options = nil");
        engine.clearLog();
        EXPECT_FALSE(options->load("options.sim")) << c.logLine;
        EXPECT_NE(engine.log().find(c.logLine), std::string::npos) << engine.log();
        EXPECT_EQ(options->default_dynamicsQuality, 42);
        EXPECT_EQ(fallbackLanguage(), "Unknown");
    }
}

TEST_F(OptionsTest, SaveWithoutANameOrFolderWritesNothing) {
    options->save("");
    options->save("missing/options.sim");
    EXPECT_FALSE(std::filesystem::exists(temp.path() + "/Settings/missing"));
    EXPECT_TRUE(std::filesystem::is_empty(temp.path() + "/Settings"));
}

TEST_F(OptionsTest, TheDestructorLogsOneLineAndLetsGoOfTheGlobal) {
    engine.clearLog();
    options.reset();
    EXPECT_EQ(g_options, nullptr);
    EXPECT_EQ(engine.log(), "[~simOptions~simOptions]\n");
}

// The engine's own options, when its host made none: loaded from
// "options.sim", and their quality and speed handed to the dynamics world.
TEST(EngineOptions, SaveAndLoadMeetInTheDefaultFolderAndInAFolderTheHostSet) {
    // No "-SETTINGSPATH": the engine's own default, the documents folder,
    // which carries no trailing '/'. The host then puts its folder under it.
    testsupport::TempFolder home;
    std::filesystem::create_directories(home.path() + "/Documents");
    const char* before = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string saved = before ? before : "";
    setenv("XDG_DOCUMENTS_DIR", (home.path() + "/Documents").c_str(), 1);
    testsupport::HeadlessEngine engine(simLinkResourceSystem);
    simApplication::setProcessCommandLine("/opt/tolvane/tolvaneBuilder");
    engine.app().parseCommandLine();
    before ? setenv("XDG_DOCUMENTS_DIR", saved.c_str(), 1) : unsetenv("XDG_DOCUMENTS_DIR");
    ASSERT_EQ(engine.app().getSettingsFolder(), home.path() + "/Documents");

    const std::string hostFolder = utils::joinPath(engine.app().getSettingsFolder(), "TolvaneSim");
    for (const std::string& folder : {home.path() + "/Documents", hostFolder}) {
        if (folder == hostFolder) engine.app().setSettingsFolder(folder);
        std::filesystem::create_directories(folder + "/Settings");
        simOptions options;
        options.default_dynamicsQuality = 77;
        options.save("options.sim");
        EXPECT_TRUE(std::filesystem::exists(folder + "/Settings/options.sim")) << folder;
        options.default_dynamicsQuality = 1;
        EXPECT_TRUE(options.load("options.sim")) << folder << engine.log();
        EXPECT_EQ(options.default_dynamicsQuality, 77) << folder;
    }
    EXPECT_EQ(engine.app().getSettingsFolder(), hostFolder + "/");
    EXPECT_EQ(engine.log().find("ERROR"), std::string::npos) << engine.log();
}

TEST(EngineOptions, TheEngineMakesAndLoadsItsOwnWhenTheHostMadeNone) {
    testsupport::HeadlessEngine engine([](simSystemLinks& links) {
        simLinkResourceSystem(links);
        simLinkOptions(links);
        simLinkDynamicsSystem(links);
    });
    simApplication::setProcessCommandLine("/opt/tolvane/tolvaneBuilder -SETTINGSPATH " +
                                          engine.settings.path() + "/");
    engine.app().parseCommandLine();
    std::filesystem::create_directories(engine.settings.path() + "/Settings");
    engine.settings.write("Settings/options.sim",
                          "options = { default_dynamicsQuality = 90, default_simulationSpeed = 50,"
                          " default_soundLibrary = 'Disable Sound' }");
    engine.app().createSystems();
    ASSERT_NE(g_options, nullptr);
    EXPECT_EQ(g_options->default_dynamicsQuality, 90);
    ASSERT_NE(g_dynamics, nullptr);
    EXPECT_EQ(g_dynamics->getDynamicsQuality(), 90.0);
    engine.app().initialise();
    EXPECT_EQ(g_dynamics->getSimulationSpeed(), 50.0);
    engine.destroy();
    EXPECT_EQ(g_options, nullptr);
    EXPECT_NE(engine.log().find("[~simOptions~simOptions]\n"), std::string::npos);
}

}  // namespace
