// The console: the diagnostic file's header, the exact text of log calls,
// the history and its cap, and the serious-error line.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/utilsErrors.h"
#include "engine/core/utilsStrings.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/seriousErrorRecorder.h"
#include "tests/support/tempFolder.h"

namespace {

class ConsoleTest : public ::testing::Test {
protected:
    simConsole::HostInfo host() const {
        return {"Tolvane Builder v2.5.a", "2.5.a", "/opt/tolvane/", settings.path()};
    }
    std::string fileText() const { return settings.read("diag.txt"); }

    testsupport::TempFolder settings;
};

const char* const kHeader =
    "Application information:\n"
    "version: 2.5.a\n"
    "diagnostic: %s/diag.txt\n"
    "application: /opt/tolvane/\n"
    "settings: %s\n"
    "============================\n\n";

}  // namespace

TEST_F(ConsoleTest, FileBeginsWithTheApplicationInformation) {
    simConsole console("diag.txt", false, host());
    EXPECT_EQ(g_console, &console);
    EXPECT_TRUE(console.hasFile());
    EXPECT_EQ(fileText(), utils::format(kHeader, settings.path().c_str(), settings.path().c_str()));

    // The banner lines reached only the history, the file was not open yet.
    const auto& history = console.getHistory();
    ASSERT_GE(history.size(), 4u);
    EXPECT_EQ(history[0], "============================\n");
    EXPECT_EQ(history[1], "Debug Console Log Started\n");
    EXPECT_EQ(history[2], utils::getDateString() + " " + utils::getTimeString() + "\n");
    EXPECT_EQ(history[3], "============================\n\n");
}

TEST_F(ConsoleTest, LogCallsWriteTheirTextUnchangedAndFlushAtOnce) {
    simConsole console("diag.txt", false, host());
    std::string header = fileText();
    console.print("[tbOptions::load-");
    console.printInt(-5);
    console.printFloat(1.0);
    console.printVector2({0.5f, -2.0f});
    console.printString("%s%d\n");  // never used as a format
    EXPECT_EQ(fileText(), header + "[tbOptions::load--51.00000[0.5000,-2.0000]%s%d\n");
    EXPECT_EQ(console.getHistory().back(), "%s%d\n");
    EXPECT_EQ(console.getHistory()[console.getHistoryCount() - 4], "-5");
}

TEST_F(ConsoleTest, UnopenableFileIsReportedAndTheConsoleGoesOn) {
    simConsole::HostInfo info = host();
    info.settingsFolder = settings.file("missing/folder");
    simConsole console("diag.txt", false, info);
    EXPECT_FALSE(console.hasFile());
    const std::string expected =
        "ERROR:simConsole:error opening diagnostic file: " + info.settingsFolder + "/diag.txt\n";
    bool found = false;
    for (const std::string& line : console.getHistory()) found = found || line == expected;
    EXPECT_TRUE(found);
    console.print("still logging\n");
    EXPECT_EQ(console.getHistory().back(), "still logging\n");
}

TEST_F(ConsoleTest, HistoryDropsTheOldestTextPastItsCap) {
    simConsole console("diag.txt", false, host());
    for (int i = 0; i < simConsole::kHistoryCap + 10; ++i) console.printInt(i);
    EXPECT_EQ(console.getHistoryCount(), simConsole::kHistoryCap);
    EXPECT_EQ(console.getHistory().front(), "10");
    EXPECT_EQ(console.getHistory().back(), std::to_string(simConsole::kHistoryCap + 9));
}

TEST_F(ConsoleTest, DestructorClearsTheConsolePointerAndClosesTheFile) {
    auto console = std::make_unique<simConsole>("diag.txt", false, host());
    console->print("last line\n");
    console.reset();
    EXPECT_EQ(g_console, nullptr);
    EXPECT_NE(fileText().find("last line\n"), std::string::npos);
}

TEST_F(ConsoleTest, SeriousErrorLogsItsLineAndShowsTheBox) {
    simConsole console("diag.txt", false, host());
    testsupport::SeriousErrorRecorder recorder;
    std::string header = fileText();
    utils::seriousError("getNumber - invalid value");
    EXPECT_EQ(fileText(), header + "SERIOUS ERROR: getNumber - invalid value\n");
    ASSERT_EQ(recorder.reports().size(), 1u);
    EXPECT_EQ(recorder.reports()[0].text, "getNumber - invalid value");
    EXPECT_EQ(recorder.reports()[0].title, "Tolvane has encountered an error");

    // An empty text does nothing at all.
    utils::seriousError("");
    EXPECT_EQ(recorder.reports().size(), 1u);
    EXPECT_EQ(fileText(), header + "SERIOUS ERROR: getNumber - invalid value\n");
}

TEST(SeriousError, WithoutAConsoleStillShowsTheBox) {
    ASSERT_EQ(g_console, nullptr);
    testsupport::SeriousErrorRecorder recorder;
    utils::seriousError("no console yet");
    EXPECT_EQ(recorder.texts(), std::vector<std::string>{"no console yet"});
}

TEST(ConsoleFromApplication, HeaderComesFromTheEngineApplication) {
    testsupport::HeadlessEngine engine(nullptr, false);
    const std::string settings = engine.app().getSettingsFolder();
    simConsole console("diag.txt", false);
    EXPECT_EQ(console.getFilePath(), settings + "/diag.txt");
    std::string text = engine.settings.read("diag.txt");
    EXPECT_EQ(text.rfind("Application information:\nversion: 2.5.a\ndiagnostic: " + settings + "/diag.txt\n", 0),
              0u)
        << text;
    EXPECT_NE(text.find("application: " + engine.app().getProgramFolder() + "\n"), std::string::npos) << text;
}
