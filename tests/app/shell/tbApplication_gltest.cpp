// The application object starting the real engine on an OpenGL device, as
// the main window starts it, running frames and shutting down in order.
#include "app/shell/tbApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/shell/tbCamera.h"
#include "app/shell/tbGraphics.h"
#include "app/shell/tbInput.h"
#include "app/shell/tbMouse.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbProject.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simWindow.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/sys/clock.h"
#include "platform/win/virtualDesktop.h"
#include "tests/support/seriousErrorRecorder.h"
#include "tests/support/tempFolder.h"
#include "tests/support/virtualWindowHost.h"
#include "tests/support/wholeFile.h"

namespace {

using testsupport::fileText;

// Notes, when it is deleted, whether the settings were already saved and the
// engine still stood.
class WitnessProject : public tbProject {
public:
    explicit WitnessProject(std::string settingsPath) : m_settingsPath(std::move(settingsPath)) {}
    ~WitnessProject() override {
        settingsSavedFirst = std::filesystem::exists(m_settingsPath);
        engineStillUp = g_graphics != nullptr;
    }
    void render() override { ++renders; }
    bool onNew(std::string) override { return true; }
    bool open(std::string) override { return true; }
    bool save(std::string) override { return true; }

    static inline bool settingsSavedFirst = false;
    static inline bool engineStillUp = false;
    static inline int renders = 0;

private:
    std::string m_settingsPath;
};

// What the program has before its application is made: an OpenGL context,
// the desktop with the engine window's host, the engine's systems linked and
// a fresh documents folder on the command line.
class Application : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.valid()) << context.error();
        gfx::setDirect3DFactory(nullptr);
        simApplication::setProcessCommandLine(std::string(TOLVANE_SOURCE_DIR) + "/tolvaneBuilder -SETTINGSPATH \"" +
                                              documents.path() + "\"");
        systemLinks() = simSystemLinks{};
        simLinkEngineSystems(systemLinks());
    }
    void TearDown() override {
        simApplication::useOwnCommandLine();
        systemLinks() = simSystemLinks{};
    }

    gfx::EglContext context;
    win::VirtualDesktop desktop;
    testsupport::VirtualWindowHost host{desktop};
    testsupport::TempFolder documents;
};

TEST_F(Application, StartsTheEngineRunsFramesAndShutsDownInOrder) {
    testsupport::SeriousErrorRecorder errors;
    const std::string simulatorFolder = documents.path() + "/TolvaneSim/";
    const std::string settingsFile = simulatorFolder + "Settings/tolvaneBuilderSettings.sim";
    {
        CtolvaneBuilderApp app;
        EXPECT_EQ(app.getSettingsFolder(), simulatorFolder);
        for (const char* folder : {"Settings", "Projects", "Schemes", "Flying sites"})
            EXPECT_TRUE(std::filesystem::is_directory(simulatorFolder + folder)) << folder;

        app.createEngine(desktop.addWindow(0, 0, 320, 240), 320, 240, nullptr);
        ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason();
        EXPECT_NE(dynamic_cast<tbGraphics*>(g_graphics), nullptr);
        EXPECT_NE(dynamic_cast<tbInput*>(g_input), nullptr);
        ASSERT_NE(tbInput::current(), nullptr);
        EXPECT_NE(tbInput::current()->mouse(), nullptr) << "the editor's own mouse";
        EXPECT_EQ(g_input->getMouse(), tbInput::current()->mouse());
        app.initialise();
        ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason();

        // The editor's resources, found under the program's resource root.
        for (const char* name : {"lighting.fx", "collisionSurfaceRoughness.fx", "brush.bmp", "previewCubemap.dds",
                                 "arrow.bmp", "red_trans.bmp", "white_trans.bmp", "gray_trans.bmp", "brush_0.bmp",
                                 "brush_50.bmp", "brush_100.bmp", "cameraFont", "collisionMarkerFont",
                                 "collisionMarkerFontLarge"})
            EXPECT_NE(simResources::getResource(name, false), nullptr) << name;
        EXPECT_NE(app.tools().getBrushTexture(), nullptr);

        auto* scene = dynamic_cast<simScene*>(g_graphics->getScene());
        ASSERT_NE(scene, nullptr);
        std::vector<std::string> names;
        for (simCamera* camera : scene->getCameras().getList()) names.push_back(camera->getName());
        EXPECT_EQ(names, (std::vector<std::string>{"Texture", "Perspective", "POV", "Top-down"}));
        ASSERT_NE(tbCamera::viewCamera(), nullptr);
        EXPECT_EQ(tbCamera::viewCamera()->getName(), "Perspective");
        EXPECT_NE(scene->getLights().getLight(0), nullptr);

        new WitnessProject(settingsFile);
        int frames = 0;
        for (int i = 0; i < 5; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            frames += app.frameDrive().tick();
        }
        EXPECT_EQ(frames, 5);
        // Drawn once: nothing changed after the project came.
        EXPECT_EQ(WitnessProject::renders, 1);
        EXPECT_EQ(app.framesDrawn(), 1);

        // A device lost while presenting comes back at the next frame and the
        // project is drawn again; then the editor is idle again.
        simRendererState* state = g_graphics->getRenderer()->getState();
        g_graphics->getRenderer()->getDevice()->SimulateDeviceLoss();
        app.requestRedraw();
        for (int i = 0; i < 3; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            app.frameDrive().tick();
        }
        EXPECT_TRUE(state->isValid());
        EXPECT_EQ(WitnessProject::renders, 3) << "the frame that found the loss and the one that recovered";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        app.frameDrive().tick();
        EXPECT_TRUE(state->isValid());
        EXPECT_EQ(WitnessProject::renders, 3);
        app.tools().setBrushSize(61.0f, 0, 100);
        EXPECT_EQ(errors.texts(), std::vector<std::string>{});
    }
    EXPECT_TRUE(WitnessProject::settingsSavedFirst);
    EXPECT_TRUE(WitnessProject::engineStillUp);
    EXPECT_EQ(g_application, nullptr);
    EXPECT_EQ(g_graphics, nullptr);
    EXPECT_NE(fileText(settingsFile).find("options.brushSize = 61\n"), std::string::npos);

    const std::string log = fileText(simulatorFolder + CtolvaneBuilderApp::kDiagnosticFile);
    EXPECT_EQ(log.find("Resource not found"), std::string::npos) << log;
    const size_t start = log.find("[~CtolvaneBuilderApp"), save = log.find("tbOptions::save: "),
                 end = log.find("~CtolvaneBuilderApp]"), engine = log.find("Destroying engine:");
    ASSERT_NE(start, std::string::npos);
    EXPECT_LT(start, save);
    EXPECT_LT(save, end);
    EXPECT_LT(end, engine);
    EXPECT_NE(log.find("Engine destroyed"), std::string::npos);
}

// The settings' antialiasing reaches the engine window at start, as the
// options dialog shows it, and the stored tool is the current one, saved
// again at exit.
TEST_F(Application, TheStoredAntialiasingAndToolAreTakenAtStart) {
    const std::string settingsFile = documents.path() + "/TolvaneSim/Settings/tolvaneBuilderSettings.sim";
    struct Case {
        bool antialiasing;
        int storedTool, tool;
    };
    for (const Case& c : {Case{true, 5, 5}, Case{false, 3, 0}, Case{false, 7, 7}}) {
        SCOPED_TRACE(c.storedTool);
        {
            CtolvaneBuilderApp app;
            std::ofstream(settingsFile) << "options = {}\noptions.antialiasing = " << c.antialiasing
                                        << "\noptions.currentTool = " << c.storedTool << "\n";
            app.createEngine(desktop.addWindow(0, 0, 320, 240), 320, 240, nullptr);
            ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason();
            app.initialise();
            ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason();
            EXPECT_EQ(app.options()->antialiasing, c.antialiasing);
            EXPECT_EQ(g_graphics->getWindow()->getAntialiasing(), c.antialiasing);
            EXPECT_FALSE(g_graphics->getWindow()->hasChanges()) << "applied, not only recorded";
            EXPECT_TRUE(g_graphics->getRenderer()->getState()->isValid());
            EXPECT_EQ(app.tools().tool(), c.tool);
        }
        EXPECT_NE(fileText(settingsFile).find("options.currentTool = " + std::to_string(c.tool) + "\n"),
                  std::string::npos);
    }
}

// The engine keyboard's Shift+Esc closes the engine application: in the
// editor that is the main window's exit, which asks about the open project.
TEST_F(Application, AnEngineCloseRequestGoesToTheMainWindowsExit) {
    struct Actions : tbInput::Actions {
        void askToExit() override { ++asked; }
        void openUserManual() override {}
        int asked = 0;
    } actions;
    {
        CtolvaneBuilderApp app;
        app.createEngine(desktop.addWindow(0, 0, 320, 240), 320, 240, &actions);
        ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason();
        app.close();
        EXPECT_EQ(actions.asked, 1);
        EXPECT_FALSE(app.isQuitRequested()) << "the question may keep the program running";
        EXPECT_TRUE(app.isRunning());
    }
}

}  // namespace
