#include "tests/support/headlessEngine.h"

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
        m_logStart = m_console->getHistory().size();
    }
}

HeadlessEngine::~HeadlessEngine() {
    destroy();
    m_console.reset();
    systemLinks() = simSystemLinks{};
    simApplication::useOwnCommandLine();
}

void HeadlessEngine::destroy() { m_app.reset(); }

std::string HeadlessEngine::log() const {
    std::string text;
    if (!m_console) return text;
    const auto& history = m_console->getHistory();
    for (size_t i = m_logStart; i < history.size(); ++i) text += history[i];
    return text;
}

void HeadlessEngine::clearLog() {
    if (m_console) m_logStart = m_console->getHistory().size();
}

}  // namespace testsupport
