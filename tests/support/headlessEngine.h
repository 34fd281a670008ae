// The engine application made headless for one test: a command line naming
// a temporary settings folder, no system links (each test installs the fakes
// it needs), serious errors recorded instead of shown, and a console whose
// history the test can read. Everything is put back at the end of the test.
#pragma once

#include <memory>
#include <string>

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simSystemLinks.h"
#include "tests/support/seriousErrorRecorder.h"
#include "tests/support/tempFolder.h"

namespace testsupport {

class HeadlessEngine {
public:
    // Makes the application (version 2.5.a, name "tolvaneBuilder") after the
    // links have been set up by `installLinks`, then the console.
    explicit HeadlessEngine(void (*installLinks)(simSystemLinks& links) = nullptr, bool withConsole = true);
    ~HeadlessEngine();
    HeadlessEngine(const HeadlessEngine&) = delete;
    HeadlessEngine& operator=(const HeadlessEngine&) = delete;

    simApplication& app() { return *m_app; }
    bool alive() const { return m_app != nullptr; }
    // Destroys the application now (the console stays until the end).
    void destroy();

    // Everything logged since the console was made, as one text.
    std::string log() const;
    // Forgets what was logged so far.
    void clearLog();

    SeriousErrorRecorder errors;
    TempFolder settings;

private:
    std::unique_ptr<simApplication> m_app;
    std::unique_ptr<simConsole> m_console;
    size_t m_logStart = 0;
};

}  // namespace testsupport
