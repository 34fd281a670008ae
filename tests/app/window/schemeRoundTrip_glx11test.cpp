// A model scheme's round trip through the built program, as a user makes
// one: New model scheme on a bundled aircraft from the File menu and the
// model picker, Save to a path typed into the file browser, quit; start the
// program again, Open the saved file, and see its name in the title and the
// model in the view. Every step leaves a screenshot among the artefacts.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/support/schemeSession.h"

namespace {

using testsupport::Picture;
using testsupport::ProgramHarness;
using testsupport::SchemeSession;
using testsupport::pixelsOffBackdrop;

TEST(Program, SavesANewModelSchemeAndOpensItAgain) {
    ProgramHarness program("schemeRoundTrip");
    const std::string saved = program.documents() + "/roundTrip.tvp";
    SchemeSession run(program);
    run.writeSettings();

    // New model scheme on the bundled trainer.
    ASSERT_TRUE(run.start("1-started")) << "no window with the backdrop\n" << program.log();
    ASSERT_TRUE(run.newKestrelScheme("2")) << "title: " << run.title() << "\n" << program.log();
    Picture made;
    EXPECT_TRUE(ProgramHarness::waitUntil([&] { return run.showsModel(0, made); }, 60000))
        << "the view shows no model; see " << program.artefacts() << "/4-newScheme.png";
    program.screenshot(run.window(), "4-newScheme");

    // Save to a path typed into the browser.
    ASSERT_TRUE(run.saveAs(saved, "5")) << program.log();
    EXPECT_GT(std::filesystem::file_size(saved), 0u);
    ASSERT_TRUE(run.waitForTitleWith("roundTrip")) << "title: " << run.title();
    program.screenshot(run.window(), "7-saved");

    const std::optional<int> first = run.quit();
    ASSERT_TRUE(first.has_value()) << "still running after Shift+Esc\n" << program.log();
    EXPECT_EQ(*first, 0) << program.log();

    // Open it again in a new run, which writes its own program.log: the first one is kept beside it.
    std::filesystem::copy_file(program.artefacts() + "/program.log", program.artefacts() + "/program-first.log");
    ASSERT_TRUE(run.start("8-startedAgain")) << "no window with the backdrop\n" << program.log();
    const int emptyView = pixelsOffBackdrop(program.display().capture(run.window()));
    ASSERT_TRUE(run.open(saved, "roundTrip", "9")) << "title: " << run.title() << "\n" << program.log();
    Picture opened;
    const bool modelShown = ProgramHarness::waitUntil([&] { return run.showsModel(emptyView, opened); }, 60000);
    program.screenshot(run.window(), "11-opened");
    EXPECT_TRUE(modelShown) << "the view shows no model; see " << program.artefacts() << "/11-opened.png";

    const std::optional<int> second = run.quit();
    ASSERT_TRUE(second.has_value()) << "still running after Shift+Esc\n" << program.log();
    EXPECT_EQ(*second, 0) << program.log();
}

}  // namespace
