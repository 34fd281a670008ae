// The engine application's command line and the user's folders.
//
// The command line is one text split into tokens: a double quote toggles
// quoting and is dropped, a blank outside quotes ends a token, empty tokens
// are skipped. Token 0 is the program path; after it, a token starting with
// '-' opens a key and any other token becomes the value of the last key
// (replacing an earlier one; a value before any key is dropped).
#include <fstream>
#include <iterator>
#include <optional>

#include "engine/core/simApplication.h"
#include "engine/core/utilsStrings.h"
#include "platform/sys/files.h"
#include "platform/sys/folders.h"

namespace {

std::optional<std::string>& commandLineOverride() {
    static std::optional<std::string> text;
    return text;
}

// The program's own arguments as one command-line text, each argument with a
// blank quoted so that it comes back whole. Token 0 is the executable's full
// path, so the program folder does not depend on how the program was started.
std::string readOwnCommandLine() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    std::string current;
    for (char c : raw) {
        if (c == '\0') {
            arguments.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) arguments.push_back(current);
    const std::string executable = sys::executablePath();
    if (!executable.empty()) {
        if (arguments.empty()) arguments.emplace_back();
        arguments[0] = executable;
    }
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty()) text += ' ';
        const bool quote = argument.find(' ') != std::string::npos;
        text += quote ? "\"" + argument + "\"" : argument;
    }
    return text;
}

std::vector<std::string> splitCommandLine(const std::string& text) {
    std::vector<std::string> tokens;
    std::string token;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!token.empty()) tokens.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.empty()) tokens.push_back(token);
    return tokens;
}

}  // namespace

void simApplication::setProcessCommandLine(std::string commandLine) {
    commandLineOverride() = std::move(commandLine);
}

void simApplication::useOwnCommandLine() { commandLineOverride().reset(); }

std::string simApplication::processCommandLine() {
    if (commandLineOverride()) return *commandLineOverride();
    return readOwnCommandLine();
}

void simApplication::parseCommandLine() {
    const std::vector<std::string> tokens = splitCommandLine(processCommandLine());
    m_commandLine.clear();
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i][0] == '-') {
            m_commandLine.emplace_back(tokens[i], std::string());
        } else if (!m_commandLine.empty()) {
            m_commandLine.back().second = tokens[i];
        }
    }
    m_programFolder = utils::getDirectory(tokens.empty() ? std::string() : tokens[0]);

    // A "-SETTINGSPATH" given without a value counts as absent, like "NULL":
    // an empty settings folder would put the log and the settings in the
    // current folder.
    m_settingsFolder = sys::documentsFolder();
    const std::string settingsPath = getCommandLineValue("-SETTINGSPATH");
    if (settingsPath != "NULL" && !settingsPath.empty()) m_settingsFolder = settingsPath;
    m_localAppDataFolder = sys::localAppDataFolder();
}

void simApplication::setSettingsFolder(const std::string& folder) {
    m_settingsFolder = folder.empty() ? folder : utils::joinPath(folder, "");
}

std::string simApplication::getCommandLineValue(std::string key) const {
    for (const auto& [pairKey, value] : m_commandLine) {
        if (pairKey == key) return value;
    }
    return "NULL";
}
