// The real engine, every system linked, started as the program starts it on
// an OpenGL device, run for some frames and shut down: the systems built
// apart must meet without a report.
#include <gtest/gtest.h>

#include "engine/core/simDynamics.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/sound/simSound.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/virtualWindowHost.h"

namespace {

class EngineStartup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.valid()) << context.error();
        gfx::setDirect3DFactory(nullptr);
    }
    void TearDown() override { simGraphics::setSceneFactory(nullptr); }

    gfx::EglContext context;
    win::VirtualDesktop desktop;
    testsupport::VirtualWindowHost host{desktop};
};

TEST_F(EngineStartup, EverySystemStartsRunsFramesAndShutsDown) {
    {
        testsupport::HeadlessEngine engine(simLinkEngineSystems);
        simApplication& app = engine.app();
        app.createWindow(desktop.addWindow(0, 0, 320, 240));
        // As the program does: its own options, with sound switched off, so
        // no "options.sim" is looked for.
        auto* options = new simOptions();
        options->default_soundLibrary = "Disable Sound";
        app.createSystems();
        EXPECT_EQ(g_options, options);
        ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason() << engine.log();

        EXPECT_NE(g_options, nullptr);
        EXPECT_NE(g_resources, nullptr);
        EXPECT_NE(g_input, nullptr);
        EXPECT_NE(g_dynamics, nullptr);
        EXPECT_NE(g_guiElementManager, nullptr);
        EXPECT_NE(g_sound, nullptr);
        ASSERT_NE(g_graphics, nullptr);
        ASSERT_NE(g_graphics->getRenderer(), nullptr);
        EXPECT_NE(g_graphics->getScene(), nullptr);

        app.initialise();
        EXPECT_TRUE(app.getStatusSuccess()) << app.getStatusReason() << engine.log();
        // The engine's own fonts: manipulator labels and every engine text use them.
        for (const char* name : {"renderStatsFont", "consoleFont", "versionFont", "infoFont"}) {
            auto* font = dynamic_cast<simFont*>(simResources::getResource(name, false));
            ASSERT_NE(font, nullptr) << name;
            EXPECT_TRUE(font->hasFont()) << name;
        }
        for (int frame = 0; frame < 5; ++frame) {
            app.update();
            app.purgeSafeDeleteObjects(false);
            app.redraw();
        }
        EXPECT_EQ(engine.errors.texts(), std::vector<std::string>{});
        EXPECT_EQ(engine.log().find("ERROR"), std::string::npos) << engine.log();
    }
    // The application's destructor takes every system down with it.
    EXPECT_EQ(g_application, nullptr);
    EXPECT_EQ(g_graphics, nullptr);
    EXPECT_EQ(g_resources, nullptr);
    EXPECT_EQ(g_input, nullptr);
    EXPECT_EQ(g_dynamics, nullptr);
    EXPECT_EQ(g_guiElementManager, nullptr);
    EXPECT_EQ(g_options, nullptr);
}

}  // namespace
