// A flying site's round trip through the built program: File > New > Flying
// site, Save to a path typed into the file browser, quit; start the program
// again, File > Open > Flying site, and see the file's name in the title.
// Every step leaves a screenshot among the artefacts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/schemeSession.h"

namespace {

using testsupport::ProgramHarness;
using testsupport::SchemeSession;

std::string head(const std::string& path, size_t size) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(size, '\0');
    in.read(bytes.data(), std::streamsize(size));
    return bytes;
}

TEST(Program, SavesANewFlyingSiteAndOpensItAgain) {
    ProgramHarness program("siteRoundTrip");
    const std::string saved = program.documents() + "/field.tvq";
    SchemeSession run(program);
    run.writeSettings();

    ASSERT_TRUE(run.start("1-started")) << "no window with the backdrop\n" << program.log();
    ASSERT_TRUE(run.fileMenu({"Down", "Right", "Down", "Return"}, "2-fileNewMenu")) << program.log();
    ASSERT_TRUE(run.saveAs(saved, "3")) << "title: " << run.title() << "\n" << program.log();
    EXPECT_EQ(head(saved, 22), "TOLVANEBUILDER PROJECT");
    ASSERT_TRUE(run.waitForTitleWith("field.tvq")) << "title: " << run.title();
    program.screenshot(run.window(), "5-saved");
    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << "still running after Shift+Esc\n" << program.log();
    EXPECT_EQ(*first, 0) << program.log();

    std::filesystem::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log");
    ASSERT_TRUE(run.start("6-startedAgain")) << program.log();
    ASSERT_TRUE(run.fileMenu({"Down", "Down", "Right", "Down", "Return"}, "7-fileOpenMenu")) << program.log();
    ASSERT_TRUE(run.typeFileName("Open Flying site", saved, "8-open")) << program.log();
    ASSERT_TRUE(run.waitForTitleWith("field.tvq")) << "title: " << run.title() << "\n" << program.log();
    program.screenshot(run.window(), "9-opened");
    const std::optional<int> second = run.quit();
    ASSERT_TRUE(second.has_value()) << "still running after Shift+Esc\n" << program.log();
    EXPECT_EQ(*second, 0) << program.log();
}

}  // namespace
