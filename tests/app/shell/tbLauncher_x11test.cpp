// The desktop launcher when no program takes the document: it reports the
// failure to its caller and shows nothing itself, so the user sees only the
// program's own message.
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/log.h>

#include "app/shell/tbLauncher.h"
#include "tests/support/tempFolder.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

// Every message wx logs, instead of its boxes.
class RecordingLog : public wxLog {
public:
    std::vector<std::string> messages;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& text) override { messages.push_back(text.utf8_string()); }
};

// Sets an environment variable (unsets it for nullopt) for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Launcher, AFailedLaunchIsReportedToTheCallerWithoutABoxOfItsOwn) {
    ASSERT_TRUE(test::startWx());
    testsupport::TempFolder folder;
    // Nothing on the path can open a document, no desktop is named, and the
    // document is missing, so the desktop cannot take it either.
    ScopedEnv path("PATH", folder.path());
    ScopedEnv browser("BROWSER", std::nullopt);
    ScopedEnv kde("KDE_FULL_SESSION", std::nullopt);
    ScopedEnv gnome("GNOME_DESKTOP_SESSION_ID", std::nullopt);
    const tbLauncher previousLauncher = tbSetLauncher({});

    RecordingLog log;
    wxLog* previousLog = wxLog::SetActiveTarget(&log);
    const bool launched = tbLaunch(folder.file("manual/start.htm"));
    wxLog::FlushActive();
    wxLog::SetActiveTarget(previousLog);
    tbSetLauncher(previousLauncher);

    EXPECT_FALSE(launched);
    EXPECT_TRUE(log.messages.empty()) << log.messages.front();
}

}  // namespace
