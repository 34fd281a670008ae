// The main window's menu commands as decisions: a recording project kind
// (no project of the program's own), scripted message boxes and scripted
// dialogs stand in for the windows, so every path (the save prompt answered
// Yes, No or Cancel, a save that fails, a New or Open that fails, a file
// refused before the open project goes, the switches and the image-editor
// exchange) is checked by what the kind, the project, the progress box and
// the boxes saw, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbSchemeEditing.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbErrorBox.h"
#include "app/shell/tbLauncher.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbProject.h"
#include "app/shell/tbProjectKind.h"
#include "app/shell/tbToolState.h"
#include "app/site/tbFlyingSiteKind.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/window/tbMenuIds.h"
#include "app/window/tbProjectCommands.h"
#include "app/window/tbViewCommands.h"
#include "engine/core/simResources.h"
#include "platform/ui/messageBox.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/tempFolder.h"

namespace {

using ui::MessageAnswer;
using Log = std::vector<std::string>;

struct Script {
    Log log;
    ui::ScriptedAnswers* boxes = nullptr;
    size_t boxBase = 0;  // boxes asked before the case began
    // What the next project's operations answer.
    bool startSucceeds = true;
    bool saveSucceeds = true;
    bool validates = true;
    bool fileAccepted = true;
    bool exportSucceeds = true;

    void add(const std::string& line) { log.push_back(line); }
    size_t boxesAsked() const { return boxes ? boxes->asked().size() - boxBase : 0; }
};

// A project whose file operations are scripted and recorded. A failing
// start or save shows its own error box, as the program's projects do.
class RecordingScheme : public tbProject {
public:
    RecordingScheme(Script& script, std::string name) : m_script(script), m_name(std::move(name)) {
        m_script.add(m_name + " made");
        m_fileName = "New Project.tvp";
        m_exportName = "New scheme";
    }
    void render() override {}
    ~RecordingScheme() override {
        m_script.add(m_name + " deleted after " + std::to_string(m_script.boxesAsked()) + " boxes");
    }
    bool onNew(std::string model) override { return start("onNew " + model); }
    bool open(std::string path) override {
        if (!start("open " + path)) return false;
        m_fileName = path.substr(path.find_last_of('/') + 1);
        return true;
    }
    bool save(std::string path) override {
        m_script.add(m_name + " save " + path);
        if (m_script.saveSucceeds) m_fileName = path.substr(path.find_last_of('/') + 1);
        else tbErrorBox("Error saving project", "cannot create " + path);
        return m_script.saveSucceeds;
    }
    bool validate(std::string& message) override {
        message = "The scheme cannot be exported.";
        return m_script.validates;
    }

private:
    bool start(const std::string& what) {
        m_script.add(m_name + " " + what);
        if (!m_script.startSucceeds) tbErrorBox("Error opening project", "bad file");
        return m_script.startSucceeds;
    }
    Script& m_script;
    std::string m_name;
};

class RecordingBox : public tbProgressBox {
public:
    explicit RecordingBox(Script& script) : m_script(script) {}
    ~RecordingBox() override { m_script.add("progress closed"); }
    void setPosition(int) override {}

private:
    Script& m_script;
};

class ScriptedWindows : public tbCommandWindows {
public:
    explicit ScriptedWindows(Script& script) : m_script(script) {}
    std::string pickModel() override {
        m_script.add("model picker");
        return next(models);
    }
    std::string chooseFile(const tbFileRequest& request) override {
        requests.push_back(request);
        m_script.add("file browser " + request.title);
        return next(files);
    }
    std::string chooseSchemeName(const std::string& scheme, const std::string&) override {
        m_script.add("export names " + scheme);
        return next(names);
    }
    bool chooseSiteNames(std::string& fileName, std::string&, std::string&) override {
        m_script.add("site names " + fileName);
        fileName = next(names);
        return !fileName.empty();
    }
    void showOptions() override { m_script.add("options"); }
    void setTitle(const std::string& text) override { title = text; }
    void quit() override { m_script.add("quit"); }
    void showBar(tbBar bar) override { shown.push_back(bar); }
    void refreshBrushBar() override { m_script.add("brush bar refreshed"); }
    void exchangeToolSettings(bool fromFile) override {
        m_script.add(fromFile ? "bars show the file's tool settings" : "bars give the new model theirs");
    }
    void resetToolbars() override { m_script.add("toolbars reset"); }

    std::deque<std::string> models, files, names;
    std::vector<tbFileRequest> requests;
    std::vector<tbBar> shown;
    std::string title;

private:
    static std::string next(std::deque<std::string>& answers) {
        if (answers.empty()) return {};
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Script& m_script;
};

class RecordingEditing : public tbSchemeEditing {
public:
    explicit RecordingEditing(Script& script) : m_script(script) {}
    bool isOpen() const override { return open; }
    void undo() override { m_script.add("undo"); }
    void createRestorePoint() override { m_script.add("create restore point"); }
    void revertToRestorePoint() override { m_script.add("revert"); }
    bool exportTexture(const std::string& path, bool uv) override {
        m_script.add("export " + path + (uv ? " with UV" : ""));
        return succeeds;
    }
    bool importTexture(const std::string& path) override {
        m_script.add("import " + path);
        return succeeds;
    }
    bool open = true;
    bool succeeds = true;

private:
    Script& m_script;
};

// The recording kind: every procedure is logged; texts are the model
// scheme's, so the boxes read as the program's do.
tbProjectKind recordingKind(Script& script, int& made) {
    tbProjectKind kind;
    kind.mode = tbToolState::kModeScheme;
    kind.extension = ".tvp";
    kind.openTitle = "Open model scheme";
    kind.make = [&script, &made] { return new RecordingScheme(script, "scheme" + std::to_string(++made)); };
    kind.chooseNewName = [](tbCommandWindows& windows) -> std::optional<std::string> {
        const std::string model = windows.pickModel();
        if (model.empty()) return std::nullopt;
        return model;
    };
    kind.checkFile = [&script](const std::string& path) {
        script.add("check " + path);
        if (!script.fileAccepted) tbErrorBox("Error opening project", "refused");
        return script.fileAccepted;
    };
    kind.newProgress = {"Importing new model", "wait"};
    kind.openProgress = {"Opening project", "Please wait..."};
    kind.newFailed = "There was a problem importing this model. Please restart TolvaneBuilder.";
    kind.showsObjectBar = true;
    kind.brushSize = 25.0f;
    kind.openTool = 0;
    kind.exchangesToolSettings = true;
    kind.chooseExportNames = [](tbProject& project, tbCommandWindows& windows) {
        const std::string name = windows.chooseSchemeName(project.getExportName(), "");
        if (name.empty()) return false;
        project.setExportName(name);
        return true;
    };
    kind.exportProject = [&script](tbProject& project, const std::string& folder) {
        script.add("export " + folder + "Schemes/" + project.getExportName());
        return script.exportSucceeds;
    };
    kind.exportProgress = {"Exporting project", "Please wait..."};
    kind.exportFailed = {"The texture was not written.", "Export texture"};
    kind.windowTitle = [](const tbProject& project, const std::string& applicationTitle) {
        return applicationTitle + " - " + project.getFileName() + " (" + project.getExportName() + ")";
    };
    return kind;
}

// A kind the program does not build yet, and one with neither a New name to
// ask nor a progress box, a tool of its own and no tool-bar exchange.
tbProjectKind unavailableKind() {
    tbProjectKind kind;
    kind.unavailable = "Flying sites are not built yet in this version of TolvaneBuilder.";
    return kind;
}

tbProjectKind plainKind(Script& script, int& made) {
    tbProjectKind kind;
    kind.mode = tbToolState::kModeFlyingSite;
    kind.extension = ".tvq";
    kind.make = [&script, &made] { return new RecordingScheme(script, "site" + std::to_string(++made)); };
    kind.newFailed = "Not made.";
    kind.brushSize = 100.0f;
    kind.newTool = 8;
    return kind;
}

constexpr int kNewPlain = 7001;
constexpr int kOpenPlain = 7002;

class MainCommands : public ::testing::Test {
protected:
    MainCommands()
        : engine(simLinkResourceSystem),
          progress([this](const std::string& title, const std::string&) {
              script.add("progress " + title);
              return std::make_unique<RecordingBox>(script);
          }),
          windows(script),
          editing(script),
          options(tools),
          files(context(), {{tbMenu::newModelScheme, tbMenu::openModelScheme, recordingKind(script, made)},
                            {tbMenu::newFlyingSite, tbMenu::openFlyingSite, unavailableKind()},
                            {kNewPlain, kOpenPlain, plainKind(script, made)}}),
          view(context(), &options, "/opt/tb/") {
        script.boxes = &boxes;
        previousSink = tbSetErrorBoxSink([this](const std::string& title, const std::string& text) {
            ui::showError(text, title);
        });
    }
    ~MainCommands() override {
        delete tbProject::current();
        tbSetErrorBoxSink(previousSink);
    }

    tbCommandContext context() { return {windows, tools, progress, editing, "/home/u/TolvaneSim/", "TB 2.5a"}; }

    // An open scheme with a path, as after an Open, with the log cleared.
    void openScheme(const std::string& path = "/p/old.tvp") {
        windows.files.push_back(path);
        files.run(tbMenu::openModelScheme);
        ASSERT_NE(tbProject::current(), nullptr);
        script.log.clear();
        windows.requests.clear();
        asked0 = boxes.asked().size();
        script.boxBase = asked0;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (size_t i = asked0; i < boxes.asked().size(); ++i) texts.push_back(boxes.asked()[i].title);
        return texts;
    }

    testsupport::HeadlessEngine engine;
    Script script;
    ui::ScriptedAnswers boxes;
    tbProgress progress;
    ScriptedWindows windows;
    RecordingEditing editing;
    tbToolState tools;
    tbOptions options;
    int made = 0;
    tbProjectCommands files;
    tbViewCommands view;
    tbErrorBoxSink previousSink;
    size_t asked0 = 0;
};

TEST_F(MainCommands, NewModelSchemeStartsTheSchemeUnderTheProgressBox) {
    tools.setTool(2);
    windows.models.push_back("trainer");
    EXPECT_TRUE(files.run(tbMenu::newModelScheme));
    EXPECT_EQ(script.log, (Log{"model picker", "progress Importing new model", "scheme1 made", "scheme1 onNew trainer",
                               "brush bar refreshed", "bars give the new model theirs", "progress closed"}));
    EXPECT_TRUE(boxes.asked().empty()) << "no project: no save prompt";
    EXPECT_EQ(tools.mode(), tbToolState::kModeScheme);
    EXPECT_EQ(tools.tool(), 2) << "a new scheme keeps the tool";
    EXPECT_EQ(tools.brushSize(), 25.0f);
    EXPECT_EQ(windows.shown, std::vector<tbBar>{tbBar::objectBar});
    EXPECT_EQ(windows.title, "TB 2.5a - New Project.tvp (New scheme)");
    EXPECT_EQ(files.currentProjectPath(), "") << "a new scheme was never saved";
}

// The save prompt before New, each answer, with the old project opened from a file.
TEST_F(MainCommands, TheSavePromptSavesWhereTheProjectCameFromOrStops) {
    struct Case {
        MessageAnswer answer;
        bool saveSucceeds;
        Log expected;
        bool replaced;
    };
    const Case cases[] = {
        {MessageAnswer::yes, true,
         {"progress Saving project", "scheme1 save /p/old.tvp", "progress closed", "model picker",
          "progress Importing new model", "scheme1 deleted after 1 boxes", "scheme2 made", "scheme2 onNew glider",
          "brush bar refreshed", "bars give the new model theirs", "progress closed"},
         true},
        {MessageAnswer::no, true,
         {"model picker", "progress Importing new model", "scheme1 deleted after 1 boxes", "scheme2 made",
          "scheme2 onNew glider", "brush bar refreshed", "bars give the new model theirs", "progress closed"},
         true},
        {MessageAnswer::cancel, true, {}, false},
        {MessageAnswer::yes, false, {"progress Saving project", "scheme1 save /p/old.tvp", "progress closed"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer) * 10 + c.saveSucceeds);
        made = 0;
        delete tbProject::current();
        openScheme();
        script.saveSucceeds = c.saveSucceeds;
        boxes.push(c.answer);
        windows.models = {"glider"};
        files.run(tbMenu::newModelScheme);
        EXPECT_EQ(script.log, c.expected);
        ASSERT_GE(boxes.asked().size(), asked0 + 1);
        EXPECT_EQ(boxes.asked()[asked0].text, "Would you like to save the current project?");
        EXPECT_EQ(boxes.asked()[asked0].title, "Save current project");
        EXPECT_EQ(boxes.asked()[asked0].kind, ui::MessageBoxKind::question);
        if (!c.saveSucceeds) {
            EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Save current project", "Save"}));
            EXPECT_EQ(boxes.asked().back().text,
                      "There was a problem opening the file for writing.\nPlease select another filename.");
        }
        EXPECT_EQ(made, c.replaced ? 2 : 1);
        EXPECT_EQ(tools.mode(), tbToolState::kModeScheme);
        script.saveSucceeds = true;
    }
}

TEST_F(MainCommands, APromptForANeverSavedProjectAsksWhereAndACancelStops) {
    windows.models.push_back("trainer");
    files.run(tbMenu::newModelScheme);
    script.log.clear();
    // Yes, then the save dialog is cancelled: nothing is replaced.
    boxes.push(MessageAnswer::yes);
    files.run(tbMenu::openModelScheme);
    EXPECT_EQ(script.log, Log{"file browser Save Project"});
    ASSERT_EQ(windows.requests.size(), 1u);
    EXPECT_EQ(windows.requests[0].folder, "/home/u/TolvaneSim/Projects");
    EXPECT_EQ(windows.requests[0].defaultName, "New Project.tvp");
    EXPECT_TRUE(windows.requests[0].saveMode);
    EXPECT_EQ(made, 1);
    // Yes and a name: saved there (".tvp" appended), then the open goes on.
    script.log.clear();
    boxes.push(MessageAnswer::yes);
    windows.files = {"/p/mine", "/p/other.tvp"};
    files.run(tbMenu::openModelScheme);
    ASSERT_GE(script.log.size(), 3u);
    EXPECT_EQ(script.log[2], "scheme1 save /p/mine.tvp");
    EXPECT_NE(std::find(script.log.begin(), script.log.end(), "bars show the file's tool settings"), script.log.end());
    EXPECT_EQ(files.currentProjectPath(), "/p/other.tvp");
    EXPECT_EQ(windows.title, "TB 2.5a - other.tvp (New scheme)");
}

TEST_F(MainCommands, AFailedNewOrOpenShowsItsMessagesOnlyAfterTheProjectIsGone) {
    struct Case {
        int command;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {tbMenu::newModelScheme, {"Error opening project", "New"}},
        {tbMenu::openModelScheme, {"Error opening project"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        openScheme();
        script.startSucceeds = false;
        windows.models = {"trainer"};
        windows.files = {"/p/broken.tvp"};
        files.run(c.command);
        // The progress box closed and both projects deleted before any box.
        const Log& log = script.log;
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[log.size() - 2], "progress closed");
        EXPECT_EQ(log.back().substr(log.back().find(" deleted")), " deleted after 1 boxes") << "only the save prompt";
        EXPECT_EQ(boxTexts().size(), 1 + c.titles.size());
        for (size_t i = 0; i < c.titles.size(); ++i) EXPECT_EQ(boxTexts()[1 + i], c.titles[i]);
        EXPECT_EQ(tbProject::current(), nullptr);
        EXPECT_EQ(tools.mode(), tbToolState::kModeNone);
        EXPECT_EQ(windows.title, "TB 2.5a");
        EXPECT_EQ(files.currentProjectPath(), "");
        script.startSucceeds = true;
    }
    EXPECT_EQ(boxes.asked().back().title, "Error opening project");
}

TEST_F(MainCommands, CancellingThePickerOrTheFileDialogKeepsTheOldProject) {
    openScheme();
    tbProject* old = tbProject::current();
    files.run(tbMenu::newModelScheme);   // prompt answered No, picker cancelled
    files.run(tbMenu::openModelScheme);  // prompt answered No, file dialog cancelled
    EXPECT_EQ(tbProject::current(), old);
    EXPECT_EQ(script.log, (Log{"model picker", "file browser Open model scheme"}));
    EXPECT_EQ(windows.requests[0].filters, std::vector<std::string>{"*.tvp"});
    EXPECT_FALSE(windows.requests[0].saveMode);
}

TEST_F(MainCommands, OpenSelectsTheBrushAndSaveAppendsTheExtensionOnlyWhenMissing) {
    tools.setTool(5);
    openScheme("/p/a.tvp");
    EXPECT_EQ(tools.tool(), kToolBrush);
    EXPECT_EQ(tools.brushSize(), 25.0f);
    EXPECT_EQ(files.currentProjectPath(), "/p/a.tvp");
    const std::pair<const char*, const char*> names[] = {
        {"/p/b", "/p/b.tvp"}, {"/p/c.tvp", "/p/c.tvp"}, {"/p/d.tvp.bak", "/p/d.tvp.bak"}};
    for (const auto& [chosen, written] : names) {
        windows.files = {chosen};
        script.log.clear();
        files.run(tbMenu::save);
        ASSERT_GE(script.log.size(), 3u);
        EXPECT_EQ(script.log[2], std::string("scheme1 save ") + written);
        EXPECT_EQ(files.currentProjectPath(), written);
    }
    EXPECT_EQ(windows.requests.back().title, "Save Project");
    EXPECT_EQ(windows.requests.back().filters, std::vector<std::string>{"*.tvp"});
    EXPECT_EQ(windows.title, "TB 2.5a - d.tvp.bak (New scheme)");
    // A failed save says so once, in the command's own box, and keeps the old
    // path; the project's box with the reason only reaches the log.
    script.saveSucceeds = false;
    windows.files = {"/readonly/x.tvp"};
    const size_t before = boxes.asked().size();
    files.save();
    ASSERT_EQ(boxes.asked().size(), before + 1);
    EXPECT_EQ(boxes.asked().back().title, "Save");
    EXPECT_EQ(boxes.asked().back().kind, ui::MessageBoxKind::error);
    EXPECT_EQ(files.currentProjectPath(), "/p/d.tvp.bak");
    // The project's boxes reach the screen again after the save.
    tbErrorBox("Error opening project", "later");
    EXPECT_EQ(boxes.asked().back().title, "Error opening project");
}

TEST_F(MainCommands, ExitAsksFirstAndCancelKeepsTheProgramRunning) {
    files.exit();
    EXPECT_EQ(script.log, Log{"quit"}) << "no project: no question";
    const std::pair<MessageAnswer, Log> answers[] = {
        {MessageAnswer::no, {"quit"}},
        {MessageAnswer::cancel, {}},
        {MessageAnswer::yes, {"progress Saving project", "scheme1 save /p/old.tvp", "progress closed", "quit"}},
    };
    openScheme();
    for (const auto& [answer, expected] : answers) {
        script.log.clear();
        boxes.push(answer);
        files.run(tbMenu::exit);
        EXPECT_EQ(script.log, expected);
    }
}

TEST_F(MainCommands, ExportRunsTheKindsExportOrSaysWhy) {
    openScheme();
    script.validates = false;
    files.run(tbMenu::exportProject);
    EXPECT_EQ(boxes.asked().back().title, "Export failed");
    EXPECT_EQ(boxes.asked().back().text, "The scheme cannot be exported.");
    EXPECT_EQ(boxes.asked().back().kind, ui::MessageBoxKind::notice);
    EXPECT_TRUE(script.log.empty());

    script.validates = true;
    files.exportProject();  // the name dialog cancelled
    EXPECT_EQ(script.log, Log{"export names New scheme"});
    windows.names = {"Red"};
    script.log.clear();
    files.exportProject();
    EXPECT_EQ(script.log, (Log{"export names New scheme", "progress Exporting project",
                               "export /home/u/TolvaneSim/Schemes/Red", "progress closed"}));
    EXPECT_EQ(tbProject::current()->getExportName(), "Red");
    EXPECT_EQ(windows.title, "TB 2.5a - old.tvp (Red)");
    script.exportSucceeds = false;
    windows.names = {"Blue"};
    files.exportProject();
    EXPECT_EQ(boxes.asked().back().title, "Export texture");
    EXPECT_EQ(boxes.asked().back().text, "The texture was not written.");
    EXPECT_EQ(tbProject::current()->getExportName(), "Blue") << "a failed export keeps the entered name";
}

TEST_F(MainCommands, AKindNotBuiltYetSaysSoAndChangesNothing) {
    openScheme();
    tbProject* old = tbProject::current();
    for (int id : {int(tbMenu::newFlyingSite), int(tbMenu::openFlyingSite)}) EXPECT_TRUE(files.run(id));
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"New", "Open"}));
    EXPECT_EQ(boxes.asked().back().text, "Flying sites are not built yet in this version of TolvaneBuilder.");
    EXPECT_EQ(tbProject::current(), old);
    EXPECT_TRUE(script.log.empty());
    EXPECT_EQ(tools.mode(), tbToolState::kModeScheme);
}

// A file the kind refuses is refused while the open project is still there:
// nothing is deleted, nothing made, the mode, path and title stay.
TEST_F(MainCommands, AFileThatCannotBeOpenedLeavesTheOpenProjectUntouched) {
    openScheme("/p/mine.tvp");
    tbProject* old = tbProject::current();
    windows.title = "unchanged";
    script.fileAccepted = false;
    windows.files = {"/p/broken.tvp"};
    files.run(tbMenu::openModelScheme);
    EXPECT_EQ(script.log, (Log{"file browser Open model scheme", "check /p/broken.tvp"}));
    EXPECT_EQ(tbProject::current(), old);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Save current project", "Error opening project"}));
    EXPECT_EQ(tools.mode(), tbToolState::kModeScheme);
    EXPECT_EQ(files.currentProjectPath(), "/p/mine.tvp");
    EXPECT_EQ(windows.title, "unchanged");
    // An accepted file then opens as before.
    script.fileAccepted = true;
    windows.files = {"/p/good.tvp"};
    files.run(tbMenu::openModelScheme);
    EXPECT_EQ(files.currentProjectPath(), "/p/good.tvp");
    EXPECT_EQ(made, 2);
}

// Everything that differs between kinds comes from the kind's record: its
// extension, progress, brush, tool, mode, tool-bar exchange and title.
TEST_F(MainCommands, EachKindStartsAndSavesByItsOwnRecord) {
    openScheme();
    windows.shown.clear();
    tools.setTool(2);
    files.run(kNewPlain);
    EXPECT_EQ(script.log, (Log{"scheme1 deleted after 1 boxes", "site2 made", "site2 onNew ", "brush bar refreshed"}))
        << "no name asked, no progress box, no tool-bar exchange";
    EXPECT_TRUE(windows.shown.empty()) << "the kind shows no object bar";
    EXPECT_EQ(tools.mode(), tbToolState::kModeFlyingSite);
    EXPECT_EQ(tools.tool(), 8);
    EXPECT_EQ(tools.brushSize(), 100.0f);
    EXPECT_EQ(windows.title, "TB 2.5a - New Project.tvp") << "without a title rule: the file name";
    windows.files = {"/p/field"};
    files.save();
    EXPECT_EQ(windows.requests.back().filters, std::vector<std::string>{"*.tvq"});
    EXPECT_EQ(files.currentProjectPath(), "/p/field.tvq");
    // A kind without an export procedure exports nothing.
    script.log.clear();
    files.exportProject();
    EXPECT_TRUE(script.log.empty());
    // A failed New says the kind's own words.
    script.startSucceeds = false;
    files.run(kNewPlain);
    EXPECT_EQ(boxes.asked().back().text, "Not made.");
    EXPECT_EQ(boxes.asked().back().title, "New");
    EXPECT_EQ(tools.mode(), tbToolState::kModeNone);
}

TEST_F(MainCommands, MenuChecksFollowTheSettings) {
    options.showSecondView = false;
    EXPECT_FALSE(view.isChecked(tbMenu::secondView)) << "the check mark comes from the setting";
    view.run(tbMenu::secondView);
    EXPECT_TRUE(options.showSecondView);
    EXPECT_TRUE(view.isChecked(tbMenu::secondView));
    view.run(tbMenu::secondView);
    EXPECT_FALSE(options.showSecondView);

    options.lightingMode = 1;
    EXPECT_FALSE(view.isChecked(tbMenu::lightingFlat));
    EXPECT_TRUE(view.isChecked(tbMenu::lightingRealistic));
    view.run(tbMenu::lightingFlat);
    EXPECT_EQ(options.lightingMode, 0);
    EXPECT_TRUE(view.isChecked(tbMenu::lightingFlat));
    EXPECT_FALSE(view.isChecked(tbMenu::lightingRealistic));
    view.run(tbMenu::lightingRealistic);
    EXPECT_EQ(options.lightingMode, 1);
    EXPECT_FALSE(view.isChecked(tbMenu::options));
}

TEST_F(MainCommands, TheImageEditorExchangeNeedsASchemeAndReportsFailures) {
    EXPECT_FALSE(view.isEnabled(tbMenu::exportToExternalEditor));
    EXPECT_FALSE(view.isEnabled(tbMenu::importFromExternalEditor));
    EXPECT_TRUE(view.isEnabled(tbMenu::undo));
    view.run(tbMenu::exportToExternalEditor);
    EXPECT_TRUE(script.log.empty());

    openScheme("/p/plane.tvp");
    EXPECT_TRUE(view.isEnabled(tbMenu::exportToExternalEditor));
    windows.files = {"/p/out.png", "/p/in.tga"};
    view.run(tbMenu::exportToExternalEditor);
    view.run(tbMenu::importFromExternalEditor);
    EXPECT_EQ(script.log, (Log{"file browser Export to external editor", "progress Exporting image-file",
                               "export /p/out.png with UV", "progress closed", "file browser Import from external editor",
                               "progress Importing image-file", "import /p/in.tga", "progress closed"}));
    EXPECT_EQ(windows.requests[0].defaultName, "plane_output.bmp");
    EXPECT_EQ(windows.requests[0].filters, (std::vector<std::string>{"*.bmp", "*.png", "*.tga", "*.dds"}));
    EXPECT_TRUE(boxTexts().empty());

    editing.succeeds = false;
    windows.files = {"/p/out.png", "/p/in.tga"};
    view.exportToExternalEditor();
    view.importFromExternalEditor();
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"Export to external editor", "Import from external editor"}));
}

TEST_F(MainCommands, EditingCommandsActOnlyOnAnOpenScheme) {
    editing.open = false;
    for (int id : {int(tbMenu::undo), int(tbMenu::createRestorePoint), int(tbMenu::revertToRestorePoint)}) view.run(id);
    EXPECT_TRUE(script.log.empty());
    editing.open = true;
    for (int id : {int(tbMenu::undo), int(tbMenu::createRestorePoint), int(tbMenu::revertToRestorePoint),
                   int(tbMenu::options), int(tbMenu::resetToolbars)})
        view.run(id);
    EXPECT_EQ(script.log, (Log{"undo", "create restore point", "revert", "options", "toolbars reset"}));
    EXPECT_EQ(tbExternalEditorName("a.tvp"), "a_output.bmp");
    EXPECT_EQ(tbExternalEditorName("ab"), "ab_output.bmp");
}

TEST_F(MainCommands, ToolboxShowsTheCurrentToolsBar) {
    view.run(tbMenu::toolbox);
    EXPECT_TRUE(windows.shown.empty()) << "nothing open";
    openScheme();
    const std::pair<int32_t, std::vector<tbBar>> tools_[] = {
        {0, {tbBar::toolbox, tbBar::brushBar}},  {6, {tbBar::toolbox, tbBar::textBar}},
        {4, {tbBar::toolbox}},                   {10, {tbBar::toolbox}},
        {9, {tbBar::toolbox, tbBar::lightingBar}},
    };
    for (const auto& [tool, bars] : tools_) {
        tools.setTool(tool);
        windows.shown.clear();
        view.run(tbMenu::toolbox);
        EXPECT_EQ(windows.shown, bars) << tool;
    }
    windows.shown.clear();
    view.run(tbMenu::objectBar);
    view.run(tbMenu::shapeManager);
    EXPECT_EQ(windows.shown, (std::vector<tbBar>{tbBar::objectBar, tbBar::shapeManager}));
}

TEST_F(MainCommands, TheUserManualOpensThroughTheLauncher) {
    std::vector<std::string> launched;
    bool accepts = true;
    const tbLauncher previous = tbSetLauncher([&](const std::string& path) {
        launched.push_back(path);
        return accepts;
    });
    view.run(tbMenu::userManual);
    accepts = false;
    view.run(tbMenu::userManual);
    tbSetLauncher(previous);
    EXPECT_EQ(launched, (std::vector<std::string>(2, "/opt/tb/resources/tolvaneBuilder/manual/EN/start.htm")));
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].title, "User manual");
}

TEST(UserManual, IsInTheResources) {
    const std::string path = std::string(TOLVANE_SOURCE_DIR) + "/resources/tolvaneBuilder/manual/EN/start.htm";
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr) << path;
    std::fclose(file);
}

}  // namespace

// The flying site's own record behind the File commands, on a headless
// engine (no device: the site keeps no water mask and saves a white one).
class FlyingSiteCommands : public MainCommands {
protected:
    std::string path(const std::string& name) const { return temp.file(name); }

    testsupport::TempFolder temp;
    tbProjectCommands sites{context(), {{tbMenu::newFlyingSite, tbMenu::openFlyingSite, tbFlyingSiteKind(progress)}}};
};

TEST_F(FlyingSiteCommands, NewSaveAndOpenRunThroughTheSitesRecord) {
    sites.run(tbMenu::newFlyingSite);
    ASSERT_NE(tbProject_flyingsite::current(), nullptr);
    EXPECT_EQ(tbProject::current(), tbProject_flyingsite::current());
    EXPECT_EQ(tools.mode(), tbToolState::kModeFlyingSite);
    EXPECT_EQ(tools.tool(), 8);
    EXPECT_EQ(tools.brushSize(), 100.0f);
    EXPECT_EQ(windows.title, "TB 2.5a");

    windows.files = {path("field")};
    sites.save();
    EXPECT_EQ(windows.requests.back().filters, std::vector<std::string>{"*.tvq"});
    EXPECT_EQ(temp.read("field.tvq").substr(0, 22), "TOLVANEBUILDER PROJECT");
    EXPECT_EQ(windows.title, "TB 2.5a - field.tvq");

    // A damaged file is refused before the open site goes.
    tbProject* old = tbProject::current();
    temp.write("broken.tvq", temp.read("field.tvq").substr(0, 3000));
    windows.files = {path("broken.tvq")};
    boxes.push(MessageAnswer::no);
    sites.run(tbMenu::openFlyingSite);
    EXPECT_EQ(tbProject::current(), old);
    EXPECT_EQ(boxes.asked().back().title, "Error opening project");
    EXPECT_EQ(boxes.asked().back().text, "The project file appears to be invalid, or has been deleted.");

    windows.files = {path("field.tvq")};
    boxes.push(MessageAnswer::no);
    sites.run(tbMenu::openFlyingSite);
    EXPECT_NE(tbProject::current(), old);
    EXPECT_EQ(sites.currentProjectPath(), path("field.tvq"));
    EXPECT_EQ(windows.title, "TB 2.5a - field.tvq");
    EXPECT_EQ(tools.tool(), 8);
}

TEST_F(FlyingSiteCommands, ExportNeedsTheDefaultPositionThenTheSitesNames) {
    sites.run(tbMenu::newFlyingSite);
    sites.exportProject();
    EXPECT_EQ(boxes.asked().back().title, "Export failed");
    EXPECT_NE(boxes.asked().back().text.find("\"default 1\""), std::string::npos);

    tbProject_flyingsite::current()->addPosition(
        std::make_unique<tbFlyingSitePosition>("default 1", d3dx::Vector3(), 1));
    script.log.clear();
    sites.exportProject();  // the names dialog cancelled: nothing written
    EXPECT_EQ(script.log, (Log{"site names "}));
    EXPECT_EQ(tbProject::current()->getExportName(), "");
}
