// The engine application: the order in which systems are made and destroyed
// (with recording fakes standing in for the systems), handed-in systems, the
// command line, status, messages, timers, event delivery, the frame guard,
// the loading screen and the current manipulator container.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInputLinks.h"
#include "engine/core/simManipulatorContainerStack.h"
#include "engine/core/simObject.h"
#include "engine/core/simProfiler.h"
#include "engine/core/simScriptManager.h"
#include "engine/core/simSystemLinks.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/sound/simSound.h"
#include "platform/sys/clock.h"
#include "platform/win/virtualDesktop.h"
#include "tests/support/headlessEngine.h"

namespace {

std::vector<std::string> g_steps;
bool g_graphicsFails = false;
std::string g_soundLibrary = "Disable Sound";

// Stand-ins for systems whose classes this test does not build: the globals
// point at these bytes, which are never used as objects.
alignas(16) unsigned char g_fakeSystem[6][16];
template <typename T>
T* fake(int slot) {
    return reinterpret_cast<T*>(g_fakeSystem[slot]);
}

void installRecordingSystems(simSystemLinks& links) {
    links.resources.factory = {[] { g_steps.push_back("create resources"); g_resources = fake<simResources>(0); },
                               [] { g_steps.push_back("destroy resources"); g_resources = nullptr; }};
    links.options.factory = {[] { g_steps.push_back("create options"); g_options = fake<simOptions>(1); },
                             [] { g_steps.push_back("destroy options"); g_options = nullptr; }};
    links.options.soundLibrary = [] { return g_soundLibrary; };
    links.options.dynamicsQuality = [] { return 180; };
    links.options.simulationSpeed = [] { return 100; };
    links.graphics.factory = {[] {
                                  g_steps.push_back("create graphics");
                                  g_graphics = fake<simGraphics>(2);
                                  if (g_graphicsFails) g_application->setStatus(false, "no device");
                              },
                              [] { g_steps.push_back("destroy graphics"); g_graphics = nullptr; }};
    links.graphics.createEngineFonts = [] { g_steps.push_back("fonts"); };
    links.graphics.renderFrame = [] { g_steps.push_back("render frame"); };
    links.graphics.present = [] { g_steps.push_back("present"); };
    links.graphics.drawLoadingScreen = [](const std::vector<simGuiElement*>&) { g_steps.push_back("loading frame"); };
    links.input.factory = {[] { g_steps.push_back("create input"); g_input = fake<simInput>(3); },
                           [] { g_steps.push_back("destroy input"); g_input = nullptr; }};
    static bool mouse = false;
    static bool keyboard = false;
    mouse = keyboard = false;
    links.input.hasMouse = [] { return mouse; };
    links.input.createMouse = [] { g_steps.push_back("create mouse"); mouse = true; };
    links.input.hasKeyboard = [] { return keyboard; };
    links.input.createKeyboard = [] { g_steps.push_back("create keyboard"); keyboard = true; };
    links.input.clearKeyboardPressed = [] { g_steps.push_back("clear keys"); };
    links.dynamics.create = [](float quality) {
        g_steps.push_back("create dynamics " + std::to_string(static_cast<int>(quality)));
        g_dynamics = fake<simDynamics>(4);
    };
    links.dynamics.destroy = [] { g_steps.push_back("destroy dynamics"); g_dynamics = nullptr; };
    links.dynamics.setSimulationSpeed = [](double speed) {
        g_steps.push_back("dynamics speed " + std::to_string(static_cast<int>(speed)));
    };
    links.manipulatorContainers.create = [] {
        g_steps.push_back("create container");
        auto* container = fake<manipulatorContainer>(5);
        pushCurrentManipulatorContainer(container);
        return container;
    };
    links.manipulatorContainers.destroy = [](manipulatorContainer* container) {
        g_steps.push_back("destroy container");
        removeCurrentManipulatorContainer(container);
    };
    links.window.pumpMessages = [] { g_steps.push_back("pump"); };
}

// Forgets the last test's steps before the engine of the next one is made.
struct ResetRecording {
    ResetRecording() {
        g_steps.clear();
        g_graphicsFails = false;
        g_soundLibrary = "Disable Sound";
    }
};

class ApplicationTest : public ::testing::Test {
protected:
    ResetRecording reset;
    sys::ManualClock clock;
    testsupport::HeadlessEngine engine{installRecordingSystems};
};

}  // namespace

TEST(ApplicationSingleInstance, ASecondInstanceBringsTheFirstForwardAndStopsAtOnce) {
    win::VirtualDesktop desktop;
    {
        testsupport::HeadlessEngine alone(simLinkInputSystem, false);
        EXPECT_TRUE(alone.app().getStatusSuccess());
        EXPECT_FALSE(alone.app().getCommandLinePairs().empty());
    }
    desktop.addOtherInstance("tolvaneBuilder v2.5.a");
    testsupport::HeadlessEngine second(simLinkInputSystem, false);
    EXPECT_EQ(desktop.activations("tolvaneBuilder v2.5.a"), 1);
    EXPECT_FALSE(second.app().getStatusSuccess());
    EXPECT_EQ(second.app().getStatusReason(), "simApplication_multipleProgramInstance");
    // Nothing after the guard ran: no command line, no window class, no host.
    EXPECT_TRUE(second.app().getCommandLinePairs().empty());
    EXPECT_TRUE(second.app().getSettingsFolder().empty());
    EXPECT_EQ(g_scriptManager, nullptr);
}

TEST_F(ApplicationTest, ConstructorPublishesItsSystemsAndTitle) {
    EXPECT_EQ(g_application, &engine.app());
    EXPECT_NE(g_scriptManager, nullptr);
    EXPECT_NE(g_profiler, nullptr);
    EXPECT_EQ(engine.app().getTitle(), "tolvaneBuilder v2.5.a");
    EXPECT_EQ(engine.app().getVersion().text(), "2.5.a");
    EXPECT_EQ(g_steps, std::vector<std::string>{"create resources"});
    EXPECT_TRUE(engine.app().getStatusSuccess());
    EXPECT_EQ(engine.app().getStatusReason(), "Initial Reason");
    EXPECT_EQ(simVersion().text(), "0.0. ");
}

TEST_F(ApplicationTest, SystemsAreMadeAndDestroyedInTheFixedOrder) {
    g_steps.clear();
    engine.app().createSystems();
    EXPECT_EQ(g_steps, (std::vector<std::string>{"create options", "create graphics", "create input", "create mouse",
                                                 "create keyboard", "create dynamics 180", "create container"}));
    EXPECT_NE(g_guiElementManager, nullptr);
    ASSERT_NE(g_sound, nullptr);
    EXPECT_EQ(g_sound->getDriverName(), "null");
    EXPECT_EQ(g_manipulatorContainer, engine.app().ownManipulatorContainer());
    EXPECT_NE(engine.log().find("Creating engine systems:\nCreating Null Sound system...done\nEngine systems created\n\n"),
              std::string::npos);

    g_steps.clear();
    engine.app().initialise();
    EXPECT_EQ(g_steps, (std::vector<std::string>{"fonts", "dynamics speed 100"}));
    EXPECT_EQ(engine.app().getSimulationSpeed(), 100.0);
    EXPECT_TRUE(engine.errors.reports().empty());

    g_steps.clear();
    engine.destroy();
    EXPECT_EQ(g_steps, (std::vector<std::string>{"destroy input", "destroy resources", "destroy graphics",
                                                 "destroy dynamics", "destroy container", "destroy options"}));
    for (const void* global : {static_cast<const void*>(g_application), static_cast<const void*>(g_guiElementManager),
                               static_cast<const void*>(g_sound), static_cast<const void*>(g_scriptManager),
                               static_cast<const void*>(g_profiler), static_cast<const void*>(g_manipulatorContainer)}) {
        EXPECT_EQ(global, nullptr);
    }
    EXPECT_NE(engine.log().find("Destroying engine:\n"), std::string::npos);
    EXPECT_NE(engine.log().find("Destroying Null Sound system...done\nDestroying sound system...done\n"),
              std::string::npos);
    EXPECT_EQ(engine.log().substr(engine.log().size() - 17), "Engine destroyed\n");
}

TEST_F(ApplicationTest, HandedInSystemsAreKept) {
    g_options = fake<simOptions>(1);
    g_graphics = fake<simGraphics>(2);
    g_input = fake<simInput>(3);
    auto* sound = simSound::createBackEnd("Disable Sound", nullptr);
    g_steps.clear();
    engine.app().createSystems();
    EXPECT_EQ(g_steps, (std::vector<std::string>{"create mouse", "create keyboard", "create dynamics 180",
                                                 "create container"}));
    EXPECT_EQ(g_sound, sound);  // a second back end is never made
    engine.destroy();
    EXPECT_EQ(g_sound, nullptr);
}

TEST_F(ApplicationTest, FailedGraphicsStopsTheSystems) {
    g_graphicsFails = true;
    g_steps.clear();
    engine.app().createSystems();
    EXPECT_EQ(g_steps, (std::vector<std::string>{"create options", "create graphics"}));
    EXPECT_EQ(g_sound, nullptr);
    EXPECT_EQ(g_guiElementManager, nullptr);
    EXPECT_EQ(engine.log().find("Engine systems created"), std::string::npos);
    EXPECT_NE(engine.log().find("failed: no device\n"), std::string::npos);
}

TEST_F(ApplicationTest, SoundBackEndFollowsTheLibraryName) {
    struct Case {
        const char* library;
        const char* driver;
    };
    // Only the silent back end is part of this build: every name falls back to it.
    for (const Case& c : {Case{"Disable Sound", "null"}, Case{"", "null"}, Case{"openal", "null"}}) {
        simSound* sound = simSound::createBackEnd(c.library, nullptr);
        EXPECT_EQ(sound->getDriverName(), c.driver) << c.library;
        EXPECT_EQ(g_sound, sound);
        delete sound;
        EXPECT_EQ(g_sound, nullptr);
    }
    static int madeOpenAL = 0;
    simSound::registerBackEnd("OpenAL", [](win::HWND window) -> simSound* {
        ++madeOpenAL;
        return simSound::createBackEnd("", window);
    });
    delete simSound::createBackEnd("OpenAL", nullptr);
    delete simSound::createBackEnd("XAudio", nullptr);
    EXPECT_EQ(madeOpenAL, 1);
    simSound::registerBackEnd("OpenAL", nullptr);
}

TEST_F(ApplicationTest, InitialiseReportsEveryMissingSystem) {
    systemLinks() = simSystemLinks{};
    delete g_profiler;
    engine.app().initialise();
    EXPECT_EQ(engine.errors.texts(),
              (std::vector<std::string>{"no input subSystem", "no profiler subSystem", "no baseGraphics subSystem"}));
}

TEST_F(ApplicationTest, ContainersFormAStackAndTheEngineDeletesOnlyItsOwn) {
    engine.app().createSystems();
    manipulatorContainer* own = engine.app().ownManipulatorContainer();
    auto* project = reinterpret_cast<manipulatorContainer*>(&g_steps);
    auto* newer = reinterpret_cast<manipulatorContainer*>(&g_soundLibrary);
    pushCurrentManipulatorContainer(project);
    pushCurrentManipulatorContainer(newer);
    removeCurrentManipulatorContainer(project);  // an older one goes: the newest stays current
    EXPECT_EQ(g_manipulatorContainer, newer);
    removeCurrentManipulatorContainer(newer);
    EXPECT_EQ(g_manipulatorContainer, own);
    pushCurrentManipulatorContainer(project);  // still open at shutdown
    g_steps.clear();
    engine.destroy();
    EXPECT_EQ(g_manipulatorContainer, project);
    removeCurrentManipulatorContainer(project);
    EXPECT_EQ(g_manipulatorContainer, nullptr);
    EXPECT_EQ(manipulatorContainerDepth(), 0);
}

TEST_F(ApplicationTest, FrameRunsUpdateHooksAndRedraw) {
    engine.app().createSystems();
    g_steps.clear();
    engine.app().update();
    engine.app().redraw();
    EXPECT_EQ(g_steps, (std::vector<std::string>{"clear keys", "pump", "render frame", "present"}));
}

TEST_F(ApplicationTest, FrameCannotStartInsideAFrame) {
    engine.app().createSystems();
    struct Reentrant : simObject {
        Reentrant() : simObject(true, false, true, false) {}
        void update() override {
            ++updates;
            g_application->update();  // a modal loop running the frame timer
            g_application->redraw();
        }
        int updates = 0;
    } object;
    g_steps.clear();
    engine.app().update();
    EXPECT_EQ(object.updates, 1);
    EXPECT_EQ(g_steps, (std::vector<std::string>{"clear keys", "pump"}));
    EXPECT_FALSE(engine.app().isInFrame());
}

TEST_F(ApplicationTest, DeferredDeletionWaitsForTheEndOfTheFrame) {
    engine.app().createSystems();
    // An object let go mid-frame while the frame still walks over it; the
    // modal loop of a message box then runs the host's frame timer, whose
    // purge must not delete it under the frame's feet.
    struct Doomed : simSafeDeleteObject {
        explicit Doomed(bool* deleted) : simSafeDeleteObject(false), m_deleted(deleted) {}
        ~Doomed() override { *m_deleted = true; }
        bool* m_deleted;
    };
    struct Walker : simObject {
        Walker() : simObject(true, false, true, false) {}
        void update() override { step(); }
        void preRender() override { step(); }
        void step() {
            bool deleted = false;
            auto* doomed = new Doomed(&deleted);
            doomed->safeDelete();
            g_application->purgeSafeDeleteObjects(false);  // the nested loop's purge
            survived.push_back(!deleted);
            g_application->purgeSafeDeleteObjects(true);  // leaves nothing behind
        }
        std::vector<bool> survived;
    } walker;
    engine.app().update();
    engine.app().redraw();
    EXPECT_EQ(walker.survived, (std::vector<bool>{true, true}));

    // Between frames the host's purge deletes at once.
    bool deleted = false;
    (new Doomed(&deleted))->safeDelete();
    engine.app().purgeSafeDeleteObjects(false);
    EXPECT_TRUE(deleted);
}

TEST_F(ApplicationTest, CloseAndShutdownSetTheRunFlags) {
    EXPECT_TRUE(engine.app().isRunning());
    EXPECT_FALSE(engine.app().isQuitRequested());
    engine.app().close();
    EXPECT_FALSE(engine.app().isRunning());
    EXPECT_TRUE(engine.app().isQuitRequested());
}

TEST_F(ApplicationTest, MessagesKeepTheNewest500AndIgnoreEmptyTexts) {
    engine.app().addMessage({1, "", 0.0f});
    EXPECT_TRUE(engine.app().getMessages().empty());
    for (int i = 0; i < 501; ++i) engine.app().addMessage({i, "m" + std::to_string(i), 0.0f});
    EXPECT_EQ(engine.app().getMessages().size(), 500u);
    EXPECT_EQ(engine.app().getMessages().front().text, "m1");
    EXPECT_EQ(engine.app().getMessages().back().text, "m500");
}

TEST_F(ApplicationTest, TimersFireOncePerDueFrameAndStopWhenMarked) {
    static int fastCount, slowCount;
    fastCount = slowCount = 0;
    simTimerRecord* fast = engine.app().addTimer([](void*) { ++fastCount; }, 0.0f);
    engine.app().addTimer([](void* data) { ++*static_cast<int*>(data) , ++slowCount; }, 100.0f);
    for (int frame = 0; frame < 5; ++frame) {
        clock.advance(60.0);
        engine.app().update();
    }
    EXPECT_EQ(fastCount, 5);  // interval 0: every frame
    EXPECT_EQ(slowCount, 2);  // at 120 ms and at 240 ms; no catching up
    fast->safeDelete();
    engine.app().updateTimers();
    EXPECT_EQ(fastCount, 5);
}

TEST_F(ApplicationTest, EventsReachObjectsNewestFirstThenCallbacks) {
    static std::vector<std::string> order;
    order.clear();
    struct Listener : simObject {
        explicit Listener(std::string n) : simObject(false, true, false, false), name(std::move(n)) {}
        void onEvent(simInputEvent*) override { order.push_back(name); }
        std::string name;
    };
    Listener older("older");
    engine.app().addEventCallback([](simInputEvent*, void*) { order.push_back("callback"); });
    Listener newer("newer");
    engine.app().onEvent(nullptr);
    EXPECT_EQ(order, (std::vector<std::string>{"newer", "older", "callback"}));
}

TEST_F(ApplicationTest, LoadingProgressCountsAndDrawsAtMostEvery250Ms) {
    engine.app().createSystems();
    auto* bar = new simGuiElement("loadingProgress", 0, 0, 100, 10);
    g_steps.clear();
    engine.app().beginLoading(4, false, "Loading");
    for (int i = 0; i < 3; ++i) engine.app().showLoadingProgress(0, false);
    EXPECT_EQ(engine.app().getLoadedCount(), 3);
    EXPECT_TRUE(g_steps.empty());
    engine.app().showLoadingProgress(0, true);
    EXPECT_EQ(g_steps, std::vector<std::string>{"loading frame"});
    EXPECT_FLOAT_EQ(bar->getData(), 1.0f);
    engine.app().showLoadingProgress(9, false);
    EXPECT_EQ(engine.app().getLoadedCount(), 4);
    clock.advance(251.0);
    engine.app().showLoadingProgress(2, false);
    EXPECT_EQ(g_steps.size(), 2u);
    EXPECT_FLOAT_EQ(bar->getData(), 0.5f);

    engine.app().loadingScreenElements().push_back(bar);
    bar->setVisible(false);
    engine.app().endLoading();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->isFadingIn());
    EXPECT_TRUE(engine.app().loadingScreenElements().empty());
    engine.app().showLoadingProgress(0, true);  // not loading: nothing
    EXPECT_EQ(g_steps.size(), 2u);
}

// ---- Command line

struct CommandLineCase {
    const char* commandLine;
    const char* key;
    const char* value;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ValueOfKey) {
    const CommandLineCase& c = GetParam();
    simApplication::setProcessCommandLine(c.commandLine);
    simApplication app(simVersion(2, 5, 'a'), "tolvaneBuilder", nullptr, false);
    EXPECT_EQ(app.getCommandLineValue(c.key), c.value) << c.commandLine;
    EXPECT_EQ(app.getProgramFolder(), "/opt/tolvane/");
    simApplication::useOwnCommandLine();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(CommandLineCase{"/opt/tolvane/tb -SETTINGSPATH \"/home/a b/x\" -x", "-SETTINGSPATH", "/home/a b/x"},
                      CommandLineCase{"/opt/tolvane/tb -SETTINGSPATH \"/home/a b/x\" -x", "-x", ""},
                      CommandLineCase{"/opt/tolvane/tb -SETTINGSPATH \"/home/a b/x\" -x", "-y", "NULL"},
                      CommandLineCase{"/opt/tolvane/tb -SETTINGSPATH /s", "-settingspath", "NULL"},
                      CommandLineCase{"/opt/tolvane/tb early -k first second", "-k", "second"},
                      CommandLineCase{"/opt/tolvane/tb early -k first second", "early", "NULL"},
                      CommandLineCase{"\"/opt/tolvane/t b\"   -k   v", "-k", "v"}));

TEST(CommandLineFolders, SettingsPathNullOrWithoutValueKeepsTheDocumentsFolder) {
    for (const char* line : {"/opt/tolvane/tb -SETTINGSPATH NULL", "/opt/tolvane/tb -SETTINGSPATH"}) {
        simApplication::setProcessCommandLine(line);
        simApplication app(simVersion(2, 5, 'a'), "tolvaneBuilder", nullptr, false);
        EXPECT_FALSE(app.getSettingsFolder().empty()) << line;
        EXPECT_NE(app.getSettingsFolder(), "NULL") << line;
    }
    simApplication::setProcessCommandLine("/opt/tolvane/tb -SETTINGSPATH /var/settings");
    {
        simApplication app(simVersion(2, 5, 'a'), "tolvaneBuilder", nullptr, false);
        EXPECT_EQ(app.getSettingsFolder(), "/var/settings");
    }
    simApplication::useOwnCommandLine();
    simApplication own(simVersion(2, 5, 'a'), "tolvaneBuilder", nullptr, false);
    EXPECT_EQ(own.getProgramFolder().back(), '/');
    EXPECT_EQ(own.getProgramFolder().front(), '/');  // from the executable's full path
}
