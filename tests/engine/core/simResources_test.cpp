// The resource registry on a resource tree made by the test: finding by name
// depth first, loading by extension, sharing through the index, the failed
// loader, the listings and the file search.
#include "engine/core/simResources.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/core/simGlobals.h"
#include "engine/core/simResource.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/utilsStrings.h"
#include "engine/sound/simSound.h"
#include "platform/sys/clock.h"
#include "tests/support/headlessEngine.h"

namespace {

namespace fs = std::filesystem;

// A resource whose "loading" reads its file: a file holding "bad" fails the
// way a real loader fails, through the application's status.
struct TestResource : simResource {
    static inline std::vector<std::string> loaded;  // paths, in load order
    TestResource(simCollectionItem* collection, const std::string& path, const std::string& words)
        : simResource(collection, path, words) {
        loaded.push_back(path);
        std::ifstream in(path);
        std::string text;
        in >> text;
        if (text == "bad") g_application->setStatus(false, "TestResource - bad file");
    }
};

simResource* loadTestResource(simCollectionItem* collection, const std::string& path,
                              const std::string& words) {
    return new TestResource(collection, path, words);
}

// A sound system that records the effects asked of it.
struct RecordingSound : simSound {
    std::vector<std::string> effects;
    std::string getDriverName() override { return "recording"; }
    void setMasterVolume(float) override {}
    void setListener(d3dx::Vector3*, d3dx::Vector3*, d3dx::Vector3*) override {}
    simSoundeffect* createEffect(simCollectionItem*, std::string path, std::string) override {
        effects.push_back(path);
        return nullptr;
    }
};

class ResourcesTest : public ::testing::Test {
protected:
    ResourcesTest() : engine(simLinkResourceSystem) {
        TestResource::loaded.clear();
        // The program lives in <temp>/bin, so its resources are <temp>/bin/resources.
        simApplication::setProcessCommandLine(temp.path() + "/bin/tolvaneBuilder -SETTINGSPATH " +
                                              temp.path() + "/settings/");
        engine.app().parseCommandLine();
        for (const char* extension : {"bmp", "png", "tga", "fx"})
            g_resources->registerLoader(extension, loadTestResource);
        for (const char* file :
             {"textures/white.bmp", "textures/sub/white.bmp", "textures/a/decal.png", "textures/b/decal.png",
              "textures/b/only_b.tga", "textures/Brush.bmp", "textures/brush.bmp", "textures/LOUD.BMP",
              "textures/odd.xyz", "textures/broken.png", "textures/.hidden/h.png", "effects/glow.fx",
              "objects/aircraft/cub/cub.geo", "objects/aircraft/zlin/zlin.geo", "sounds/wind.wav",
              "tolvaneBuilder/decals/stars/s1.bmp", "tolvaneBuilder/decals/stars/s2.BMP"})
            write("bin/resources/" + std::string(file), "x");
        write("bin/resources/textures/broken.png", "bad");
        fs::create_directories(resources() + "/textures/empty");
        fs::create_directories(resources() + "/objects/aircraft/.svn");
        fs::create_directories(resources() + "/textures/locked");
        write("bin/resources/textures/locked/secret.png", "x");
        chmod((resources() + "/textures/locked").c_str(), 0);
        write("settings/Schemes/first.bmp", "x");
    }
    ~ResourcesTest() override { chmod((resources() + "/textures/locked").c_str(), 0755); }

    void write(const std::string& relative, const std::string& text) {
        fs::path path = temp.path() + "/" + relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    std::string resources() const { return temp.path() + "/bin/resources"; }
    // Paths are joined as given and may hold "//"; compare them without.
    static std::string plain(std::string path) {
        for (size_t at; (at = path.find("//")) != std::string::npos;) path.erase(at, 1);
        return path;
    }
    simResources& registry() { return *g_resources; }
    simCollectionItem* global() { return registry().getGlobalResources(); }
    bool find(const std::string& folder, const std::string& name) {
        return registry().findResource(global(), folder, name, "", true, true, simRootKind_resources);
    }

    testsupport::TempFolder temp;
    sys::ManualClock clock;
    testsupport::HeadlessEngine engine;
};

TEST_F(ResourcesTest, TheFirstFileOfTheNameDepthFirstIsLoaded) {
    struct Case {
        const char* folder;
        const char* name;
        const char* loadedFrom;  // relative to the resource root; null: nothing
    } cases[] = {
        // Misses first, while nothing of these names is loaded.
        {"textures", "BRUSH.bmp", nullptr},
        {"textures/empty", "white.bmp", nullptr},
        {"nowhere", "white.bmp", nullptr},
        {"textures", "white.bmp", "/textures/white.bmp"},    // the folder before its sub-folder
        {"textures", "decal.png", "/textures/a/decal.png"},  // siblings in byte order
        {"textures", "only_b.tga", "/textures/b/only_b.tga"},
        {"textures", "brush.bmp", "/textures/brush.bmp"},  // case counts in names
        {"textures", "Brush.bmp", "/textures/Brush.bmp"},
        {"textures", "LOUD.BMP", "/textures/LOUD.BMP"},  // not in extensions
        {"", "glow.fx", "/effects/glow.fx"},
        {"textures", "h.png", "/textures/.hidden/h.png"},
    };
    for (const Case& c : cases) {
        TestResource::loaded.clear();
        const bool found = find(c.folder, c.name);
        EXPECT_EQ(found, c.loadedFrom != nullptr) << c.name;
        if (!c.loadedFrom) continue;
        ASSERT_EQ(TestResource::loaded.size(), 1u) << c.name;
        EXPECT_EQ(plain(TestResource::loaded[0]), plain(resources() + "/" + c.loadedFrom));
        simResource* resource = simResources::getResource(c.name, true);
        ASSERT_NE(resource, nullptr) << c.name;
        EXPECT_EQ(plain(resource->getFolder()), plain(utils::getDirectory(resources() + "/" + c.loadedFrom)));
    }
}

TEST_F(ResourcesTest, AMissingFileIsReportedOnceAndOnlyWhenAsked) {
    engine.clearLog();
    EXPECT_FALSE(find("textures", "nothing.bmp"));
    EXPECT_EQ(engine.log(), "Resource not found: nothing.bmp\n");
    engine.clearLog();
    EXPECT_FALSE(registry().findResource(global(), "textures", "nothing.bmp", "", false, true, 0));
    EXPECT_FALSE(registry().findResource(global(), "textures", "nothing.bmp", "", true, false, 0));
    EXPECT_FALSE(registry().findResource(global(), "missing", "nothing.bmp", "", true, true, 0));
    EXPECT_FALSE(find("textures", ""));
    EXPECT_FALSE(find("textures", "NULL"));
    EXPECT_EQ(engine.log(), "");
}

TEST_F(ResourcesTest, ALoadedResourceIsSharedNotLoadedAgain) {
    ASSERT_TRUE(find("textures", "white.bmp"));
    simResource* white = simResources::getResource("white.bmp", false);
    registry().setCollection("currentProject");
    ASSERT_TRUE(registry().findResource(nullptr, "textures/sub", "white.bmp", "", true, true, 0));
    registry().setCollection("");
    EXPECT_EQ(TestResource::loaded.size(), 1u);  // the second file of that name is not loaded
    EXPECT_EQ(white->getHolders(),
              (std::vector<simCollectionItem*>{global(), registry().getCollection("currentProject")}));

    registry().destroyCollection("currentProject");
    clock.advance(3001);
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(simResources::getResource("white.bmp", true), white);

    registry().destroyCollection("globalResources");
    EXPECT_TRUE(white->isMarkedForDeletion());
    clock.advance(3001);
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(simResources::getResource("white.bmp", false), nullptr);
}

TEST_F(ResourcesTest, AFailedLoadIsReportedAndReleasedAndTriedAgainNextTime) {
    EXPECT_FALSE(find("textures", "broken.png"));
    EXPECT_EQ(simResources::getResource("broken.png", false), nullptr);
    EXPECT_TRUE(global()->getItems().empty());
    EXPECT_FALSE(find("textures", "broken.png"));
    EXPECT_EQ(TestResource::loaded.size(), 2u);
    // Both failed resources were let go: nothing of them is left after the delay.
    clock.advance(3001);
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_EQ(engine.app().safeDeleteCount(), 0u);
}

TEST_F(ResourcesTest, KindsAreChosenByTheLowerCasedExtension) {
    EXPECT_TRUE(find("textures", "LOUD.BMP"));
    EXPECT_EQ(TestResource::loaded.size(), 1u);

    EXPECT_FALSE(find("textures", "odd.xyz"));
    EXPECT_EQ(engine.errors.texts(),
              std::vector<std::string>{"simResources::loadUnknownResource-file extension invalid (odd.xyz)"});

    // No loader yet for models: reported like an unknown kind.
    EXPECT_FALSE(find("objects", "cub.geo"));
    EXPECT_EQ(engine.errors.texts().size(), 2u);

    // Sound files go to the sound system; without one nothing is made.
    EXPECT_TRUE(find("sounds", "wind.wav"));
    auto* sound = new RecordingSound();
    EXPECT_TRUE(find("sounds", "wind.wav"));
    ASSERT_EQ(sound->effects.size(), 1u);
    EXPECT_EQ(plain(sound->effects[0]), resources() + "/sounds/wind.wav");
    EXPECT_EQ(engine.errors.texts().size(), 2u);
    delete sound;
}

TEST_F(ResourcesTest, LoadersOnlyForTheEngineKinds) {
    engine.clearLog();
    registry().registerLoader("xyz", loadTestResource);
    EXPECT_FALSE(find("textures", "odd.xyz"));
    EXPECT_TRUE(TestResource::loaded.empty());
    EXPECT_NE(engine.log().find("ERROR: simResources::registerLoader - no such file kind: xyz\n"),
              std::string::npos);
}

TEST_F(ResourcesTest, TheOwnFolderKindLooksInTheFolderOfTheNameOnly) {
    EXPECT_TRUE(registry().findResource(global(), "", resources() + "/textures/white.bmp", "", true, true,
                                        simRootKind_ownFolder));
    ASSERT_EQ(TestResource::loaded.size(), 1u);
    EXPECT_EQ(plain(TestResource::loaded[0]), resources() + "/textures/white.bmp");
    // decal.png lies in a sub-folder, which this kind does not search; the
    // miss is reported as every other root reports it.
    engine.clearLog();
    EXPECT_FALSE(registry().findResource(global(), "", resources() + "/textures/decal.png", "", true, true,
                                         simRootKind_ownFolder));
    EXPECT_EQ(engine.log(), "Resource not found: " + resources() + "/textures/decal.png\n");
}

TEST_F(ResourcesTest, ListingsFollowTheirFilterAndPassOverHiddenEntries) {
    std::vector<std::string> out;
    EXPECT_EQ(registry().listFiles("objects/aircraft/", "DIR", out, false, 0), 2);
    EXPECT_EQ(out, (std::vector<std::string>{"cub", "zlin"}));

    out = {"kept"};
    EXPECT_EQ(registry().listFiles("tolvaneBuilder/decals/stars", "bmp", out, false, 0), 2);
    EXPECT_EQ(out, (std::vector<std::string>{"kept", "s1.bmp"}));  // the filter is exact: not s2.BMP

    out.clear();
    registry().listFiles("tolvaneBuilder", "*.*", out, true, 0);
    EXPECT_EQ(out, (std::vector<std::string>{"s1.bmp", "s2.BMP"}));

    out.clear();
    registry().listFiles("textures", "png", out, true, 0);
    std::vector<std::string> expected{"broken.png", "decal.png", "decal.png"};  // not .hidden's
    if (access((resources() + "/textures/locked").c_str(), R_OK) == 0) expected.push_back("secret.png");
    EXPECT_EQ(out, expected);

    EXPECT_EQ(registry().listFiles("nowhere", "DIR", out, false, 0), 0);
    out.clear();
    EXPECT_EQ(registry().listFiles(resources() + "/sounds/", "wav", out, false, simRootKind_ownFolder), 1);
}

TEST_F(ResourcesTest, TheSettingsFolderIsReadAfreshWhereTheProgramWrites) {
    std::vector<std::string> out;
    registry().listFiles("Schemes", "bmp", out, false, simRootKind_settings);
    EXPECT_EQ(out, std::vector<std::string>{"first.bmp"});
    write("settings/Schemes/second.bmp", "x");
    out.clear();
    registry().listFiles("Schemes", "bmp", out, false, simRootKind_settings);
    EXPECT_EQ(out, (std::vector<std::string>{"first.bmp", "second.bmp"}));

    // The resource tree is read once per run unless refreshed.
    EXPECT_FALSE(find("textures", "new.bmp"));
    write("bin/resources/textures/new.bmp", "x");
    EXPECT_FALSE(find("textures", "new.bmp"));
    registry().refreshFileListings();
    EXPECT_TRUE(find("textures", "new.bmp"));
}

TEST_F(ResourcesTest, FindFileGivesTheFullPathOrNULL) {
    // The exact text: root, "/", the sub-folder with each folder below it, "/", the name.
    EXPECT_EQ(registry().findFile("objects/aircraft", "zlin.geo", 0),
              temp.path() + "/bin//resources/objects/aircraft/zlin/zlin.geo");
    EXPECT_EQ(registry().findFile("", "white.bmp", 0), temp.path() + "/bin//resources//textures/white.bmp");
    EXPECT_EQ(registry().findFile("textures", "h.png", 0), "NULL");  // hidden folders are passed over
    EXPECT_EQ(registry().findFile("textures", "none.png", 0), "NULL");
    EXPECT_EQ(registry().findFile("Schemes", "first.bmp", 1), temp.path() + "/settings//Schemes/first.bmp");
}

TEST_F(ResourcesTest, UnreadableFoldersArePassedOver) {
    if (access((resources() + "/textures/locked").c_str(), R_OK) == 0)
        GTEST_SKIP() << "this user reads everything";
    EXPECT_FALSE(find("textures", "secret.png"));
    EXPECT_FALSE(find("textures/locked", "secret.png"));
}

TEST_F(ResourcesTest, TheScriptFunctionLoadsIntoGlobalResources) {
    engine.clearLog();
    g_scriptManager->executeString("loadResource('textures', 'white.bmp', 'noMipmaps | noCompression')");
    simResource* white = simResources::getResource("white.bmp", true);
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(white->getOptionWords(), "noMipmaps | noCompression");
    EXPECT_EQ(white->getHolders(), std::vector<simCollectionItem*>{global()});
    g_scriptManager->executeString("loadResource('textures', 'gone.bmp', '')");
    EXPECT_NE(engine.log().find("Resource not found: gone.bmp\n"), std::string::npos);
}

TEST_F(ResourcesTest, ShutdownDeletesEveryResourceAndCollection) {
    ASSERT_TRUE(find("textures", "white.bmp"));
    registry().setCollection("currentProject");
    ASSERT_TRUE(find("textures", "decal.png"));
    registry().setCollection("");
    engine.clearLog();
    engine.destroy();
    EXPECT_EQ(g_resources, nullptr);
    const std::string log = engine.log();
    EXPECT_NE(log.find("Destroying resources system..."), std::string::npos);
    EXPECT_NE(log.find("Destroying: white.bmp...\n"), std::string::npos);
    EXPECT_NE(log.find("Destroying: decal.png...\n"), std::string::npos);
}

}  // namespace
