#include "engine/core/simConsole.h"

#include <unistd.h>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/utilsStrings.h"

namespace {

// The diagnostic file is process-wide, beside the console pointer.
FILE* g_diagnosticFile = nullptr;

void writeToWindow(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

simConsole::HostInfo simConsole::applicationInfo() {
    if (!g_application) return {};
    return {g_application->getTitle(), g_application->getVersion().text(), g_application->getProgramFolder(),
            g_application->getSettingsFolder()};
}

simConsole::simConsole(std::string fileName, bool consoleWindow)
    : simConsole(std::move(fileName), consoleWindow, applicationInfo()) {}

simConsole::simConsole(std::string fileName, bool consoleWindow, const HostInfo& host)
    : m_consoleWindow(consoleWindow) {
    g_console = this;
    // The process's terminal stands in for the console window; a terminal
    // takes its title from an escape sequence.
    if (m_consoleWindow && isatty(fileno(stdout)))
        writeToWindow("\033]0;" + host.windowTitle + " - Debug Console\007");

    print("============================\n");
    print("Debug Console Log Started\n");
    printString(utils::getDateString() + " " + utils::getTimeString() + "\n");
    print("============================\n\n");

    m_filePath = utils::joinPath(host.settingsFolder, fileName);
    if (g_diagnosticFile) std::fclose(g_diagnosticFile);
    g_diagnosticFile = std::fopen(m_filePath.c_str(), "w");
    if (!g_diagnosticFile)
        printString("ERROR:simConsole:error opening diagnostic file: " + m_filePath + "\n");

    print("Application information:\n");
    printString("version: " + host.version + "\n");
    printString("diagnostic: " + m_filePath + "\n");
    printString("application: " + host.programFolder + "\n");
    printString("settings: " + host.settingsFolder + "\n");
    print("============================\n\n");
}

simConsole::~simConsole() {
    if (m_consoleWindow) writeToWindow("[~simConsole-");
    if (g_console == this) g_console = nullptr;
    if (g_diagnosticFile) {
        std::fflush(g_diagnosticFile);
        std::fclose(g_diagnosticFile);
        g_diagnosticFile = nullptr;
    }
    if (m_consoleWindow) writeToWindow("~simConsole]");
}

bool simConsole::hasFile() const { return g_diagnosticFile != nullptr; }

void simConsole::write(const std::string& text) {
    if (m_consoleWindow) writeToWindow(text);
    if (g_diagnosticFile) {
        std::fwrite(text.data(), 1, text.size(), g_diagnosticFile);
        std::fflush(g_diagnosticFile);
    }
    addHistoryLine(text);
}

void simConsole::print(const char* text) { write(utils::toString(text)); }
void simConsole::printString(std::string text) { write(text); }
void simConsole::printFloat(double value) { write(utils::toString(value)); }
void simConsole::printInt(int value) { write(utils::toString(value)); }
void simConsole::printVector2(const d3dx::Vector2& v) { write(utils::toString(v)); }

void simConsole::addHistoryLine(std::string text) {
    if (m_historyBusy) return;
    m_historyBusy = true;
    m_history.push_back(std::move(text));
    if (static_cast<int>(m_history.size()) > kHistoryCap) m_history.pop_front();
    m_historyBusy = false;
}
