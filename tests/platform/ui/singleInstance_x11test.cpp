// The single-instance guard of the program: the engine application started
// twice, in two processes, through the wx window system. The second start
// ends with the engine's multiple-instance status and makes the first one
// bring its hidden main window back.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "engine/core/simInputLinks.h"
#include "platform/ui/singleInstance.h"
#include "platform/ui/wxWindowSystem.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/tempFolder.h"
#include "tests/support/ui/wxTestApp.h"

extern char** environ;

namespace {

// Set in the environment of the second process; the folder of the lock.
constexpr char kSecondStartFolder[] = "TOLVANE_TEST_SECOND_START";

// Starts this test program again, running only the second start.
pid_t startSecondProcess(const std::string& folder) {
    setenv(kSecondStartFolder, folder.c_str(), 1);
    std::string filter = "--gtest_filter=SingleInstance.SecondStartOfTwo";
    char program[] = "/proc/self/exe";
    std::vector<char*> argv{program, filter.data(), nullptr};
    pid_t child = -1;
    const int failed = posix_spawn(&child, program, nullptr, nullptr, argv.data(), environ);
    unsetenv(kSecondStartFolder);
    return failed ? -1 : child;
}

TEST(SingleInstance, ASecondStartEndsAndBringsTheFirstToTheFront) {
    if (std::getenv(kSecondStartFolder)) GTEST_SKIP() << "this is the second process";
    ASSERT_TRUE(test::startWx());
    testsupport::TempFolder runtime;
    const char* ownRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntime = ownRuntime ? ownRuntime : "";
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);

    // The first instance: its main window hidden, as a minimised window is.
    auto* frame = new wxFrame(nullptr, wxID_ANY, "first instance", wxPoint(30, 30), wxSize(200, 120));
    ui::WxWindowSystem windows;
    {
        testsupport::HeadlessEngine first(simLinkInputSystem, false);
        ASSERT_TRUE(first.app().getStatusSuccess()) << first.app().getStatusReason();
        EXPECT_FALSE(frame->IsShown());

        const pid_t second = startSecondProcess(runtime.path());
        ASSERT_GT(second, 0);
        int status = 0;
        bool ended = false;
        test::pumpEventsUntil([&] {
            if (!ended && waitpid(second, &status, WNOHANG) == second) ended = true;
            return ended;
        }, 20000);
        ASSERT_TRUE(ended) << "the second start did not end";
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the second start did not see the status it should";
        EXPECT_TRUE(test::pumpEventsUntil([&] { return frame->IsShown(); })) << "the first did not come back";
    }
    frame->Destroy();
    test::pumpEventsUntil([] { return false; }, 50);
    ownRuntime ? setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
}

// The second process of the test above; skipped when run on its own.
TEST(SingleInstance, SecondStartOfTwo) {
    const char* folder = std::getenv(kSecondStartFolder);
    if (!folder) GTEST_SKIP() << "started only by the test of two starts";
    ASSERT_TRUE(test::startWx());
    setenv("XDG_RUNTIME_DIR", folder, 1);
    ui::WxWindowSystem windows;
    testsupport::HeadlessEngine second(simLinkInputSystem, false);
    EXPECT_FALSE(second.app().getStatusSuccess());
    EXPECT_EQ(second.app().getStatusReason(), "simApplication_multipleProgramInstance");
}

TEST(SingleInstance, TheGuardIsFreeAgainOnceItsHolderIsGone) {
    if (std::getenv(kSecondStartFolder)) GTEST_SKIP() << "this is the second process";
    ASSERT_TRUE(test::startWx());
    testsupport::TempFolder runtime;
    int raised = 0;
    {
        ui::SingleInstance first("Guard test v1.0.a", [&] { ++raised; }, runtime.path());
        EXPECT_FALSE(first.otherIsRunning());
        EXPECT_TRUE(first.listening());
    }
    // Nothing is left behind that blocks the next start.
    ui::SingleInstance next("Guard test v1.0.a", [&] { ++raised; }, runtime.path());
    EXPECT_FALSE(next.otherIsRunning());
    EXPECT_EQ(raised, 0);
}

}  // namespace
