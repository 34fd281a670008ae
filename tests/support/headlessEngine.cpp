#include "tests/support/headlessEngine.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/core/simGlobals.h"

namespace testsupport {

HeadlessEngine::HeadlessEngine(void (*installLinks)(simSystemLinks& links), bool withConsole) {
    systemLinks() = simSystemLinks{};
    if (installLinks) installLinks(systemLinks());
    simApplication::setProcessCommandLine("/opt/tolvane/tolvaneBuilder -SETTINGSPATH \"" + settings.path() + "\"");
    m_app = std::make_unique<simApplication>(simVersion(2, 5, 'a'), "tolvaneBuilder", nullptr, false);
    if (withConsole) {
        const simConsole::HostInfo host{m_app->getTitle(), m_app->getVersion().text(), m_app->getProgramFolder(),
                                        m_app->getSettingsFolder()};
        m_console = std::make_unique<simConsole>("diagnostic.txt", false, host);
        clearLog();
    }
}

HeadlessEngine::~HeadlessEngine() {
    destroy();
    m_console.reset();
    systemLinks() = simSystemLinks{};
    simApplication::useOwnCommandLine();
}

void HeadlessEngine::destroy() { m_app.reset(); }

// Read from the diagnostic file rather than the history, which drops its
// oldest texts past its cap and so cannot mark where a test began.
std::string HeadlessEngine::log() const {
    if (!m_console) return {};
    std::ifstream file(m_console->getFilePath(), std::ios::binary);
    file.seekg(static_cast<std::streamoff>(m_logStart));
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void HeadlessEngine::clearLog() {
    if (m_console) m_logStart = std::filesystem::file_size(m_console->getFilePath());
}

}  // namespace testsupport
